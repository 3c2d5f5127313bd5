// The boots table as a Qt model: the one way the windows read and change boots. Every change is
// one step of the shared undo history; an undo or a redo tells the views which boot to show.
#pragma once

#include "boots/boot_fields.h"
#include "boots/boots_format.h"
#include "boots/table_diff.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class QUndoStack;
class Qel_Baza;

class BootsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The columns: the boot's position, then the fields in boots::displayOrder().
    static constexpr int positionColumn = 0;
    static constexpr int allColumns = 1 + int(boots::kBootFieldCount);
    // The column that shows `field`.
    static int columnOf(boots::BootField field);
    // The field that `column` shows; none for the position and past the last column.
    static std::optional<boots::BootField> fieldAt(int column);

    // A cell: a boot's row and a column.
    struct Cell {
        int row;
        int column;
    };

    // A model over an empty table with no file loaded; its changes go to `history`.
    explicit BootsModel(QUndoStack* history, QObject* parent = nullptr);
    ~BootsModel() override;

    // The table shown and edited.
    const Qel_Baza& table() const { return *bootsTable; }

    // Takes `table` as the one shown and edited: the views start afresh. The history is left as
    // it is.
    void setTable(std::unique_ptr<Qel_Baza> table);

    // The boot at `row` (0 to rowCount() - 1), as stored.
    const boots::BootRecord& boot(int row) const;

    // True for a boot added and not changed since.
    bool isFresh(int row) const;

    // The name as a list or table shows it: control characters as visible marks, never as line
    // breaks or tabs.
    static QString visibleName(const std::string& name);

    // The first character of `name` that the boots file cannot hold (Windows-1250); empty when
    // it holds them all.
    static QString unstorable(const QString& name);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edits a cell as changeField does, but for a group or stat text that is not a number, which
    // changes nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Stores what `text` stands for in `field` of the boot at `row`, corrected as the editor
    // corrects it (boots::ValueMode::Corrected: a text that is no number stores the lowest value),
    // and keeps every other field as stored. One undo step, merged as changeBoot merges. False,
    // with nothing changed, for a field no edit changes, a name the boots file cannot hold, or a
    // value that is stored already.
    bool changeField(int row, boots::BootField field, const QString& text, int merge = -1);

    // Stores `record` at `row` as it is, as one undo step. Steps with the same `merge` key (0 or
    // more) for the same row become one, and a step that ends where it began is dropped. False,
    // with nothing changed, when `row` holds no boot or already holds `record`.
    bool changeBoot(int row, const boots::BootRecord& record, int merge = -1);

    // Appends a blank boot whose ID follows the last one's, as one undo step. `shownBefore` is the
    // row a view showed before, which undoing the step shows again (-1: none). Returns the new
    // boot's ID, or 0 when the table refuses it (nothing changed then).
    std::uint8_t addBoot(int shownBefore);

    // Replaces every boot with `records`, stored as given, as one undo step; the views start
    // afresh. False, with nothing changed, when the table refuses them.
    bool replaceAll(std::vector<boots::BootRecord> records);

    // What fillCells did: how many cells took the text, how many did not, and why the first of
    // those did not ("wiersz R (ID I), kolumna „C”: ...").
    struct Filled {
        int set = 0;
        int skipped = 0;
        QString firstSkipped;
    };

    // Puts `text` exactly as it is into every cell of `cells` whose column takes it so, as
    // putCells takes a value; every other cell keeps its value. One undo step, when anything
    // changes.
    Filled fillCells(const std::vector<Cell>& cells, const QString& text);

    // Raises (`step` 1) or lowers (-1) every group and stat among `cells` by one, kept within the
    // range the editor gives that field. One undo step; false when nothing changes.
    bool stepCells(const std::vector<Cell>& cells, int step);

    // Puts each text into its cell exactly as it is (boots::ValueMode::Cell), corrected in no
    // way. When a text is not a value its cell takes as it is, nothing changes and the reason
    // names the first such cell. One undo step; an empty reason on success.
    QString putCells(const std::vector<std::pair<Cell, QString>>& values);

    // True when the cell differs from the table as last opened or saved (every cell of a boot
    // added since), or from the table compared with.
    bool differs(int row, int column) const;
    // How many boots differ, boots added or taken away included.
    int differingBoots() const;
    // How many fields differ, every field of a boot added or taken away included.
    int differingFields() const;
    // The table as it is now is the one saved: no cell differs.
    void markSaved();
    // What differs from the table as last opened or saved, as a patch from that to this table;
    // found from the boots changed since, without walking the rest.
    boots::TableChanges unsavedChanges() const;

    // Until endComparison, cells differ where they differ from `other`, a table read from the
    // file named `name`, rather than from the table as last opened or saved.
    void compareWith(std::vector<boots::BootRecord> other, const QString& name);
    void endComparison();
    // The name of the file compared with; empty while cells are compared with the saved table.
    const QString& comparedName() const { return comparedFile; }

signals:
    // An undo or redo has changed the boot at `row`, or put back the time when it was shown;
    // -1 when no boot was shown then. Views show that boot.
    void stepShown(int row);

private:
    class BootsStep;
    class AddStep;
    class TableStep;

    // Pushes one undo step that stores each changed record in its row; false when none differs.
    bool changeBoots(const std::vector<std::pair<int, boots::BootRecord>>& changed, int merge = -1);
    // "wiersz R (ID I), kolumna „C”: why", for `cell` of `boot`.
    QString cellProblem(const Cell& cell, const boots::BootRecord& boot, const QString& why) const;
    // Keeps the saved value of `row` before it first changes.
    void remember(int row);
    // The boot that `row` is compared with, or null when there is none (added or taken away).
    const boots::BootRecord* baseline(int row) const;
    // Rows beyond the shorter of the table and its baseline: boots added or taken away.
    int unmatchedRows() const;
    // The sum of `count` over the rows that both hold and that may differ.
    int sumOverMatched(const std::function<int(int row)>& count) const;
    // Every cell may show another mark.
    void marksChanged();
    void store(int row, const boots::BootRecord& record, bool added);
    void appendBlank();
    void removeLast();
    void resetTo(const std::vector<boots::BootRecord>& records);

    QUndoStack* history;
    std::unique_ptr<Qel_Baza> bootsTable;
    std::vector<bool> fresh; // per row: added and not changed since
    // The table as last opened or saved: its boot count, and the saved value of each row changed
    // since (no copy of the rest).
    int savedCount = 0;
    std::unordered_map<int, boots::BootRecord> saved;
    // The table compared with, while there is one.
    std::vector<boots::BootRecord> compared;
    QString comparedFile;
};
