// The boots list and the stats editor: selecting a boot fills the eight boxes, every change of a
// box writes the whole boot back into the table, and "Add BootS" appends a boot. Each change is
// one step of the undo history.
#include "boots/cp1250.h"
#include "boots/qel_baza.h"
#include "services/message_box.h"
#include "ui/frm_main.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace {

constexpr int kBackspace = 8;
constexpr int kGroupBox = 1;
constexpr int kFirstStatBox = 3; // boxes 3 to 7

// The value a group or stat box stands for: a number (digits with an optional sign, blanks
// around and decimal fraction) rounded half to even and capped at `limit`. A text that is not
// a number, and a number below 0, give 1.
std::uint8_t boxValue(const QString& text, double limit) {
    static const QRegularExpression number(QStringLiteral("^ *[+-]?[0-9]+([.,][0-9]*)? *$"));
    if (!number.match(text).hasMatch())
        return 1;
    const double value =
        std::nearbyint(QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
    return value < 0 ? 1 : static_cast<std::uint8_t>(std::min(value, limit));
}

// The code of the character a key types (Backspace is 8); 0 for keys that type nothing:
// arrows, Home, End, and Delete and Tab, whose key events may carry a control character.
int typedCode(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return 0;
    default:
        return key.text().isEmpty() ? 0 : key.text().at(0).unicode();
    }
}

// One boot and its list item as they stood at one moment.
struct BootView {
    std::uint8_t position;
    boots::BootRecord record;
    QString item;
};

// A change of one boot, made before it is pushed (the first redo does nothing). Further typing
// in the same box merges into it until another boot or box is chosen (another `run`).
class Edit_Step : public QUndoCommand {
public:
    using Show = std::function<void(const BootView&)>;
    Edit_Step(int box, unsigned run, BootView before, BootView after, Show show)
        : Box(box), Run(run), Before(std::move(before)), After(std::move(after)),
          Show_View(std::move(show)) {}
    int id() const override { return Box; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const Edit_Step*>(other);
        if (next->Run != Run)
            return false;
        After = next->After;
        setObsolete(After.record == Before.record); // typed back to what was stored
        return true;
    }
    void undo() override { Show_View(Before); }
    void redo() override {
        if (Done)
            Show_View(After);
        Done = true;
    }

private:
    int Box;
    unsigned Run;
    BootView Before, After;
    Show Show_View;
    bool Done = false;
};

// An added boot or a replaced table, made before it is pushed (the first redo does nothing).
class Add_Step : public QUndoCommand {
public:
    Add_Step(std::function<void()> add, std::function<void()> takeBack)
        : Add(std::move(add)), Take_Back(std::move(takeBack)) {}
    void undo() override { Take_Back(); }
    void redo() override {
        if (Done)
            Add();
        Done = true;
    }

private:
    std::function<void()> Add, Take_Back;
    bool Done = false;
};

} // namespace

void FrmMain::List1_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    const int row = selected.isEmpty() ? -1 : List1->row(selected.constFirst());
    // The highlight stays on the boot the boxes edit: while the tool runs, when a click leaves
    // nothing selected, and on a row that no 8-bit position reaches.
    if (Busy() || row < 0 || row >= Qel_Baza::Max_Boots) {
        const QSignalBlocker shownAlready(List1);
        Select_Row(Boot_Shown ? Current_Index : -1);
        return;
    }
    Frame2->show();
    Current_Index = static_cast<std::uint8_t>(row);
    Boot_Shown = true;
    ++Edit_Run;
    Filling_Boxes = true;
    const Qel_Baza& table = *Table;
    const std::uint8_t i = Current_Index;
    const QString texts[8] = {
        QString::number(table.Get_ID(i)),           QString::number(table.Get_Grupa(i)),
        QString::fromStdString(table.Get_Nazwa(i)), QString::number(table.Get_Sila(i)),
        QString::number(table.Get_Precyzja(i)),     QString::number(table.Get_Przyspieszenie(i)),
        QString::number(table.Get_Szybkosc(i)),     QString::number(table.Get_Podkrecanie(i))};
    for (std::size_t box = 0; box < Txt.size(); ++box)
        Txt[box]->showWhole(texts[box]);
    Filling_Boxes = false;
}

void FrmMain::Txt_Change(int Index) {
    if (Filling_Boxes || !Boot_Shown)
        return;
    QListWidgetItem* item = List1->item(Current_Index);
    const BootView before{Current_Index, Table->Get_Boot(Current_Index),
                          item ? item->text() : QString()};
    const std::string name =
        boots::utf8Left(Txt[Name_Box]->text().toStdString(), Qel_Baza::Name_Limit);
    std::uint8_t stats[5];
    for (int k = 0; k < 5; ++k)
        stats[k] = boxValue(Txt[kFirstStatBox + k]->text(), 5);
    if (!Table->Zmien_Dane(Current_Index, name, boxValue(Txt[kGroupBox]->text(), 255), stats[0],
                           stats[1], stats[2], stats[3], stats[4]))
        return;
    const QString text = QString::number(Table->Get_ID(Current_Index)) + QLatin1Char(':') +
                         QString::fromStdString(name);
    if (item && item->text() != text)
        item->setText(text);

    BootView after{Current_Index, Table->Get_Boot(Current_Index), item ? item->text() : QString()};
    if (after.record == before.record) // a value clamped to what was stored
        return;
    Undo_Stack->push(
        new Edit_Step(Index, Edit_Run, before, std::move(after), [this](const BootView& view) {
            Table->Set_Boot(view.position, view.record);
            if (QListWidgetItem* shown = List1->item(view.position))
                shown->setText(view.item);
            Select_Boot(view.position);
        }));
}

void FrmMain::Txt_KeyPress(int Index, int& KeyAscii) {
    const bool digits = Index == kGroupBox || Index >= kFirstStatBox;
    if (!digits || KeyAscii == kBackspace)
        return;
    const int lowest = Index == kGroupBox ? '0' : '1';
    const int highest = Index == kGroupBox ? '9' : '5';
    if (KeyAscii < lowest || KeyAscii > highest)
        KeyAscii = 0;
}

void FrmMain::Cmd_Dodaj_Click() {
    if (Busy())
        return;
    Frame2->show();
    const int shownBefore = Boot_Shown ? Current_Index : -1;
    if (!Add_Boot()) {
        korvane::showMessage(this, {QStringLiteral("Nie Można dodać nowych butów"),
                                    QStringLiteral("Dodawanie butów"),
                                    korvane::MessageIcon::Information});
        return;
    }
    Undo_Stack->push(new Add_Step([this] { Add_Boot(); },
                                  [this, shownBefore] {
                                      Table->Usun_Ostatni();
                                      delete List1->takeItem(List1->count() - 1);
                                      if (shownBefore < 0)
                                          Reset_Editor();
                                      else
                                          Select_Boot(shownBefore);
                                  }));
}

bool FrmMain::Add_Boot() {
    const std::uint8_t id = Table->Dodaj_Nowy();
    if (id == 0)
        return false;
    List1->addItem(QString::number(id) + QStringLiteral(": -"));
    Select_Row(List1->count() - 1);
    return true;
}

void FrmMain::Select_Row(int Row) {
    List1->setCurrentRow(Row); // a single-selection list selects its current row
}

void FrmMain::Select_Boot(int row) {
    const QSignalBlocker quiet(List1);
    Select_Row(row);
    List1_Click();
}

void FrmMain::MnuUndo_Click() {
    if (!Busy())
        Undo_Stack->undo();
}

void FrmMain::MnuRedo_Click() {
    if (!Busy())
        Undo_Stack->redo();
}

void FrmMain::Reset_Editor() {
    Boot_Shown = false;
    Select_Row(-1);
    List1->scrollToTop();
    Frame2->hide();
    Current_Index = 0;
    for (int box = 0; box < static_cast<int>(Txt.size()); ++box)
        Txt[box]->showWhole(box == Name_Box ? QString() : QStringLiteral("0"));
}

bool FrmMain::Replace_Table(std::vector<boots::BootRecord> records) {
    std::vector<boots::BootRecord> before = Table->Boots_All();
    if (!Table->Zastap(std::move(records)))
        return false;
    Fill_List();
    const auto show = [this](const std::vector<boots::BootRecord>& table) {
        Table->Zastap(table);
        Fill_List();
    };
    Undo_Stack->push(new Add_Step([show, after = Table->Boots_All()] { show(after); },
                                  [show, before = std::move(before)] { show(before); }));
    return true;
}

void FrmMain::Fill_List() {
    QStringList items;
    const int listed = std::min(Table->Count(), Qel_Baza::Max_Boots);
    for (int i = 0; i < listed; ++i) {
        const auto position = static_cast<std::uint8_t>(i);
        items << QString::number(Table->Get_ID(position)) + QLatin1Char(':') +
                     QString::fromStdString(Table->Get_Nazwa(position));
    }
    List1->clear();
    List1->addItems(items);
    Last_ID = static_cast<std::uint8_t>(Table->Get_ID(static_cast<std::uint8_t>(listed - 1)));
    Cmd_Dodaj->setEnabled(Last_ID != 255);
    Reset_Editor();
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    // Where nothing is selected, the first Down selects the first boot and Up the last (the list
    // itself would move on from the row that took the focus).
    if (watched == List1 && event->type() == QEvent::KeyPress && List1->selectedItems().isEmpty()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            Select_Row(key == Qt::Key_Down ? 0 : List1->count() - 1);
            return true;
        }
    }
    const auto box = std::find(Txt.begin(), Txt.end(), watched);
    if (box == Txt.end())
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) // another box chosen: typing starts a new undo step
        ++Edit_Run;
    // Undo and redo keys reach the window's history, not the box's own.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
        if (MnuUndo->shortcuts().contains(keys) || MnuRedo->shortcuts().contains(keys))
            return true;
    }
    // While the tool runs the boxes take no input, so nothing is typed that is not stored.
    if (Busy())
        return event->isInputEvent() || event->type() == QEvent::Drop;
    const int code =
        event->type() == QEvent::KeyPress ? typedCode(*static_cast<QKeyEvent*>(event)) : 0;
    if (code == 0)
        return false;
    int KeyAscii = code;
    Txt_KeyPress(static_cast<int>(box - Txt.begin()), KeyAscii);
    return KeyAscii == 0;
}
