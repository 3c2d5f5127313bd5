// The boots table as a Qt model: the one way the windows read and change boots. Every change is
// one step of the shared undo history; an undo or a redo tells the views which boot to show.
#pragma once

#include "boots/boots_format.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <memory>
#include <vector>

class QUndoStack;
class Qel_Baza;

class BootsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The columns, in the order the table shows them.
    enum Column {
        Position,
        Id,
        Name,
        Group,
        ShotPower,
        ShotAccuracy,
        Acceleration,
        TopSpeed,
        Swerve,
        ColumnCount
    };

    // A model over an empty table with no file loaded; its changes go to `history`.
    explicit BootsModel(QUndoStack* history, QObject* parent = nullptr);
    ~BootsModel() override;

    // The table shown and edited.
    const Qel_Baza& table() const { return *Table; }

    // Takes `table` as the one shown and edited: the views start afresh. The history is left as
    // it is.
    void setTable(std::unique_ptr<Qel_Baza> table);

    // The boot at `row` (0 to rowCount() - 1), as stored.
    const boots::BootRecord& boot(int row) const;

    // True for a boot added and not changed since.
    bool isFresh(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

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

signals:
    // An undo or redo has changed the boot at `row`, or put back the time when it was shown;
    // -1 when no boot was shown then. Views show that boot.
    void stepShown(int row);

private:
    class BootStep;
    class AddStep;
    class TableStep;

    void store(int row, const boots::BootRecord& record, bool fresh);
    void appendBlank();
    void removeLast();
    void resetTo(const std::vector<boots::BootRecord>& records);

    QUndoStack* History;
    std::unique_ptr<Qel_Baza> Table;
    std::vector<bool> Fresh; // per row: added and not changed since
};
