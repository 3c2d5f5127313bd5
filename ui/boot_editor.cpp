#include "ui/boot_editor.h"

#include "boots/boot_fields.h"
#include "boots/qel_baza.h"
#include "services/message_box.h"
#include "ui/boots_model.h"
#include "ui/look.h"
#include "ui/name_validator.h"
#include "ui/texts.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kBackspace = 8;

// Where each editing box sits, by index, in its captioned frame. Box i edits the field
// BootField(i); its caption and length come from the field.
struct BoxRow {
    bool inStats; // inside Frame4, else directly on Picture1
    Twips frame;
    int boxWidth; // twips; every box sits at (120, 240) in its frame, 285 high
};

const BoxRow Boxes[boots::kBootFieldCount] = {
    {false, {120, 120, 735, 615}, 495},   {false, {960, 120, 735, 615}, 495},
    {false, {120, 840, 5655, 615}, 5415}, {true, {120, 240, 5415, 615}, 5175},
    {true, {120, 960, 5415, 615}, 5175},  {true, {120, 1680, 5415, 615}, 5175},
    {true, {120, 2400, 5415, 615}, 5175}, {true, {120, 3120, 5415, 615}, 5175},
};

// The field that box `index` shows and edits.
boots::BootField boxField(int index) {
    return static_cast<boots::BootField>(index);
}

// The code of the character a key types (Backspace is 8); 0 for keys that type nothing:
// arrows, Home, End, and the keys whose events carry another control character (Tab, Delete,
// Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X), which edit the box as they always do.
int typedCode(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Backspace)
        return kBackspace;
    const QString text = key.text();
    return text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F
               ? 0
               : text.at(0).unicode();
}

} // namespace

BootEditor::BootEditor(BootsModel* model, QWidget* client) : QObject(client), model(model) {
    createControls(client);
    connect(Cmd_Dodaj, &QPushButton::clicked, this, &BootEditor::Cmd_Dodaj_Click);
    connect(List1, &QListWidget::itemSelectionChanged, this, &BootEditor::List1_Click);
    List1->installEventFilter(this);
    for (int i = 0; i < static_cast<int>(Txt.size()); ++i) {
        connect(Txt[i], &QLineEdit::textChanged, this, [this, i] { Txt_Change(i); });
        Txt[i]->installEventFilter(this);
    }

    connect(model, &BootsModel::modelReset, this, &BootEditor::fillList);
    connect(model, &BootsModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                updateItems(first.row(), last.row());
                // A change made elsewhere shows at once; the box being typed in keeps its text.
                if (bootShown && first.row() <= Current_Index && Current_Index <= last.row())
                    Show_Stored(focusedBox());
            });
    connect(model, &BootsModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                for (int row = first; row <= last && row < Qel_Baza::maxBoots; ++row)
                    List1->insertItem(row, itemText(row));
            });
    connect(model, &BootsModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) {
        for (int row = std::min(last, List1->count() - 1); row >= first; --row)
            delete List1->takeItem(row);
    });
    connect(model, &BootsModel::stepShown, this, &BootEditor::selectBoot);
}

void BootEditor::setHistoryKeys(const QList<QKeySequence>& keys) {
    historyKeys = keys;
}

void BootEditor::setBusy(bool on) {
    busy = on;
}

void BootEditor::showStored() {
    Show_Stored();
}

QWidget* BootEditor::firstControl() const {
    return List1;
}

QWidget* BootEditor::lastControl() const {
    return Cmd_Dodaj;
}

void BootEditor::createControls(QWidget* client) {
    Cmd_Dodaj = makeButton(client, QStringLiteral("Cmd_Dodaj"), QString(), {120, 6120, 2175, 495});
    Frame1 = makeFrame(client, QStringLiteral("Frame1"), QString(), {120, 120, 5295, 5895});
    List1 = new QListWidget(Frame1);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    place(List1, {120, 240, 5055, 5520});

    Frame2 = makeFrame(client, QStringLiteral("Frame2"), QString(), {5520, 120, 6135, 5895});
    Picture1 = new QFrame(Frame2);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(2);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    place(Picture1, {120, 240, 5895, 5535});
    Frame4 = makeFrame(Picture1, QStringLiteral("Frame4"), QString(), {120, 1560, 5655, 3855});

    const QFont captionFont = makeFont(QStringLiteral("MS Sans Serif"), 8.25, QFont::Bold);
    for (int i = 0; i < static_cast<int>(std::size(Boxes)); ++i) {
        const BoxRow& row = Boxes[i];
        const boots::FieldInfo& field = boots::fieldInfo(boxField(i));
        Frame3[i] = makeFrame(row.inStats ? static_cast<QWidget*>(Frame4) : Picture1,
                              QStringLiteral("Frame3_%1").arg(i), QString(), row.frame);
        Frame3[i]->setFont(captionFont);
        Txt[i] = new TxtBox(field.boxLength, Frame3[i]);
        Txt[i]->setObjectName(QStringLiteral("Txt_%1").arg(i));
        Txt[i]->setFont(windowFont()); // not the frame's bold caption font
        Txt[i]->setAlignment(i == nameBox ? Qt::AlignLeft : Qt::AlignHCenter);
        place(Txt[i], {120, 240, row.boxWidth, 285});
    }
    Txt[0]->setReadOnly(true);
    new NameValidator(Txt[nameBox]);
    retranslate();
    resetEditor(); // the boxes' initial texts, the stats frame hidden

    // A file dropped on a box opens in the window instead of putting its name into the box.
    for (TxtBox* box : Txt)
        box->setAcceptDrops(false);

    QWidget* tabOrder[] = {List1,  Picture1, Txt[0], Txt[1], Txt[2],   Txt[3],
                           Txt[4], Txt[5],   Txt[6], Txt[7], Cmd_Dodaj};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void BootEditor::retranslate() {
    Cmd_Dodaj->setText(tr("Add BootS"));
    Frame1->setTitle(tr("Buty"));
    Frame2->setTitle(tr("Stats"));
    Frame4->setTitle(tr("Stats"));
    for (int i = 0; i < static_cast<int>(Frame3.size()); ++i)
        Frame3[i]->setTitle(fieldCaption(boxField(i)));
}

void BootEditor::List1_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    const int row = selected.isEmpty() ? -1 : List1->row(selected.constFirst());
    // The highlight stays on the boot the boxes edit: while busy, and when a click leaves
    // nothing selected.
    if (busy || row < 0) {
        const QSignalBlocker shownAlready(List1);
        selectRow(bootShown ? Current_Index : -1);
        return;
    }
    Frame2->show();
    Current_Index = static_cast<std::uint8_t>(row);
    bootShown = true;
    ++editRun;
    Show_Stored();
}

void BootEditor::Show_Stored(int except) {
    if (!bootShown)
        return;
    Filling_Boxes = true;
    for (int box = 0; box < static_cast<int>(Txt.size()); ++box) {
        const QString stored =
            model
                ->data(model->index(Current_Index, BootsModel::columnOf(boxField(box))),
                       Qt::EditRole)
                .toString();
        if (box != except && Txt[box]->text() != stored)
            Txt[box]->showWhole(stored);
    }
    Filling_Boxes = false;
}

int BootEditor::focusedBox() const {
    const auto box = std::find_if(Txt.begin(), Txt.end(), [](TxtBox* b) { return b->hasFocus(); });
    return box == Txt.end() ? -1 : static_cast<int>(box - Txt.begin());
}

void BootEditor::Txt_Change(int Index) {
    if (Filling_Boxes || !bootShown)
        return;
    model->changeField(Current_Index, boxField(Index), Txt[Index]->text(),
                       editRun * int(Txt.size()) + Index);
}

void BootEditor::Txt_KeyPress(int Index, int& KeyAscii) {
    // A number box takes digits; a box of one character only those of its range (1 to 5).
    const boots::FieldInfo& field = boots::fieldInfo(boxField(Index));
    if (!field.editable || field.field == boots::BootField::Nazwa || KeyAscii == kBackspace)
        return;
    const bool oneDigit = field.boxLength == 1;
    const int lowest = oneDigit ? '0' + field.lowest : '0';
    const int highest = oneDigit ? '0' + field.highest : '9';
    if (KeyAscii < lowest || KeyAscii > highest)
        KeyAscii = 0;
}

void BootEditor::Cmd_Dodaj_Click() {
    if (busy)
        return;
    Frame2->show();
    const Qel_Baza::AddRefusal refusal = model->table().addRefusal();
    if (model->addBoot(bootShown ? Current_Index : -1) == 0) {
        QString why = tr("Nie otwarto żadnego pliku butów.");
        if (refusal == Qel_Baza::AddRefusal::LastId)
            why =
                tr("Ostatni but ma identyfikator %1, największy możliwy.").arg(Qel_Baza::highestId);
        else if (refusal == Qel_Baza::AddRefusal::Full)
            why = tr("Tabela ma już %1 butów lub więcej.").arg(Qel_Baza::maxBoots);
        korvane::showMessage(List1->window(),
                             {tr("Nie Można dodać nowych butów") + QLatin1Char('\n') + why,
                              tr("Dodawanie butów"), korvane::MessageIcon::Information});
        return;
    }
    selectRow(List1->count() - 1);
}

void BootEditor::selectRow(int Row) {
    List1->setCurrentRow(Row); // a single-selection list selects its current row
}

void BootEditor::selectBoot(int row) {
    if (row < 0) {
        resetEditor();
        return;
    }
    if (row >= List1->count())
        return;
    const QSignalBlocker quiet(List1);
    selectRow(row);
    List1_Click();
}

void BootEditor::resetEditor() {
    bootShown = false;
    selectRow(-1);
    List1->scrollToTop();
    Frame2->hide();
    Current_Index = 0;
    for (int box = 0; box < static_cast<int>(Txt.size()); ++box)
        Txt[box]->showWhole(box == nameBox ? QString() : QStringLiteral("0"));
}

void BootEditor::fillList() {
    QStringList items;
    const int listed = std::min(model->rowCount(), Qel_Baza::maxBoots);
    for (int row = 0; row < listed; ++row)
        items << itemText(row);
    List1->clear();
    List1->addItems(items);
    // The table's last boot, listed or not: a table of 256 boots or more takes no new one.
    Last_ID = model->rowCount() > 0 ? model->boot(model->rowCount() - 1).ID : 0;
    Cmd_Dodaj->setEnabled(Last_ID != Qel_Baza::highestId && model->rowCount() < Qel_Baza::maxBoots);
    resetEditor();
}

QString BootEditor::itemText(int row) const {
    const boots::BootRecord& boot = model->boot(row);
    return QString::number(boot.ID) +
           (model->isFresh(row) ? QStringLiteral(": -")
                                : QLatin1Char(':') + BootsModel::visibleName(boot.Nazwa));
}

void BootEditor::updateItems(int first, int last) {
    for (int row = first; row <= last && row < List1->count(); ++row) {
        const QString text = itemText(row);
        if (List1->item(row)->text() != text)
            List1->item(row)->setText(text);
    }
}

bool BootEditor::eventFilter(QObject* watched, QEvent* event) {
    // Where nothing is selected, the first Down selects the first boot and Up the last (the list
    // itself would move on from the row that took the focus).
    if (watched == List1 && event->type() == QEvent::KeyPress && List1->selectedItems().isEmpty()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            selectRow(key == Qt::Key_Down ? 0 : List1->count() - 1);
            return true;
        }
    }
    const auto box = std::find(Txt.begin(), Txt.end(), watched);
    if (box == Txt.end())
        return QObject::eventFilter(watched, event);
    const int index = static_cast<int>(box - Txt.begin());
    if (event->type() == QEvent::FocusIn) // another box chosen: typing starts a new undo step
        ++editRun;
    // A box that is left, or where Enter is pressed, shows what is stored.
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    if ((event->type() == QEvent::FocusOut &&
         static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) ||
        (key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))) {
        Show_Stored();
    }
    // Undo and redo keys reach the window's history, not the box's own.
    if (event->type() == QEvent::ShortcutOverride &&
        historyKeys.contains(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination())))
        return true;
    // While busy the boxes take no input, so nothing is typed that is not stored.
    if (busy)
        return event->isInputEvent() || event->type() == QEvent::Drop;
    const int code =
        event->type() == QEvent::KeyPress ? typedCode(*static_cast<QKeyEvent*>(event)) : 0;
    if (code == 0)
        return false;
    int KeyAscii = code;
    Txt_KeyPress(index, KeyAscii);
    return KeyAscii == 0;
}
