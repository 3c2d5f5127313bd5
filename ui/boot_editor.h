// The boots list and the stats editor: selecting a boot in the list shows it in eight boxes, a
// change of a box is written back into the table through the model, and "Add BootS" appends a
// boot. Each change is one step of the model's undo history.
#pragma once

#include "boots/boot_fields.h"
#include "ui/txt_box.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <array>
#include <cstdint>

class BootsModel;
class QGroupBox;
class QFrame;
class QListWidget;
class QPushButton;
class QWidget;

class BootEditor : public QObject {
    Q_OBJECT
public:
    // Builds the list, the stats frame with its boxes and "Add BootS" in `client`, at their
    // places in the main window, over `model`.
    BootEditor(BootsModel* model, QWidget* client);

    // Keys of the window's undo and redo commands: the boxes hand them on instead of taking them.
    void setHistoryKeys(const QList<QKeySequence>& keys);

    // While busy, selecting, typing and adding do nothing: the list keeps showing the boot the
    // boxes edit.
    void setBusy(bool busy);

    // Every box of the boot shown shows its stored value again, whatever was typed (a box is
    // left, or the table is about to be saved).
    void showStored();

    // Sets the captions of the button and the frames in the language in use.
    void retranslate();

    // The first and last control in the tab order.
    QWidget* firstControl() const;
    QWidget* lastControl() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls(QWidget* client);

    // Handlers.
    void List1_Click();
    void Txt_Change(int Index);
    void Txt_KeyPress(int Index, int& KeyAscii);
    void Cmd_Dodaj_Click();

    // Every box but `except` that does not show the stored value of its field shows it again.
    void Show_Stored(int except = -1);
    // The index of the box that has the focus, or -1.
    int focusedBox() const;
    // Selects list row Row alone (-1: none); the list then raises List1_Click.
    void selectRow(int Row);
    // Selects list row `row` and shows its boot in the boxes, as a click on it does; -1 resets.
    void selectBoot(int row);
    // Nothing selected, the stats frame hidden, the boxes at their initial texts, nothing
    // written back.
    void resetEditor();
    // Lists the table's first 256 boots, enables "Add BootS" by the last one listed, and resets
    // the editor.
    void fillList();
    // The list item text of the boot at `row`.
    QString itemText(int row) const;
    // Rewrites the items of rows first to last where their text changed.
    void updateItems(int first, int last);

    static constexpr int nameBox = int(boots::BootField::Nazwa); // the name's box in Txt

    BootsModel* model;
    QPushButton* Cmd_Dodaj = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame4 = nullptr;
    std::array<QGroupBox*, 8> Frame3{};
    QFrame* Picture1 = nullptr;
    QListWidget* List1 = nullptr;
    std::array<TxtBox*, 8> Txt{}; // showWhole shows the program's text whole, past the limit
    QList<QKeySequence> historyKeys;

    std::uint8_t Last_ID = 0;
    std::uint8_t Current_Index = 0;
    bool Filling_Boxes = false;
    bool bootShown = false; // a boot has been selected since the list was filled
    bool busy = false;
    int editRun = 0; // changes when another boot or box is chosen: ends a merge
};
