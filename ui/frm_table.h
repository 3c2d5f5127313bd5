// The table window: every boot in one grid over the window's model, sorted and filtered in the
// view only, edited cell by cell or many cells at once, copied to and pasted from spreadsheets.
// Its changes are steps of the same undo history as the main window's.
#pragma once

#include <QWidget>
#include <utility>
#include <vector>

class BootsModel;
class BootsOrder;
class QAction;
class QLabel;
class QLineEdit;
class QTableView;
class QUndoStack;

class FrmTable : public QWidget {
    Q_OBJECT
public:
    // A window over `model`, whose changes go to `history`.
    FrmTable(BootsModel* boots, QUndoStack* history, QWidget* parent = nullptr);

    // Ctrl+Enter: the text typed into the cell being edited goes, exactly as typed, into every
    // selected cell whose column takes it so, as one undo step; the status line says how many
    // cells took it and why the first that did not did not.
    void fillSelection();
    // Ctrl+Plus / Ctrl+Minus: every selected group and stat one more or one less, as one step.
    void stepSelection(int step);
    // Ctrl+C: the selected cells as tab-separated text, rows on lines.
    void copySelection();
    // Ctrl+V: tab-separated text from the clipboard from the current cell to the right and down,
    // or one value into every selected cell; nothing at all when any value does not fit.
    void Paste();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createActions(QUndoStack* history);
    // Sets every text of the window in the language in use.
    void retranslate();
    // The status line: how the table differs from its file, then `note` when given.
    void showDifferences(const QString& note = QString());

    BootsModel* model;
    BootsOrder* viewOrder = nullptr;
    QLineEdit* Filter = nullptr;
    QTableView* Grid = nullptr;
    QLabel* Status = nullptr;
    QLabel* filterLabel = nullptr;
    std::vector<std::pair<QAction*, const char*>> captions; // of the actions, as written
};
