// The boots list and the stats editor, driven through the real window and the real zlibtool.
#include "boots/boots_format.h"
#include "boots/qel_baza.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "test_support.h"
#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

using boots::BootRecord;

namespace {

// 58 letters and six Polish ones: 64 characters, the most a file holds; the first 60 end in "ąę".
const std::string LongName = std::string(58, 'a') + "ąęśćźż";

const Boots Sample = {
    {1, 3, "Alpha", 1, 2, 3, 4, 5},
    {2, 200, "Beta:Two", 5, 4, 3, 2, 1},
    {7, 12, LongName, 2, 3, 4, 5, 1},
};

// Boots 1 to `count`, named after their identifiers, all in group `group`.
Boots numbered(int count, std::uint8_t group) {
    Boots boots;
    for (int id = 1; id <= count; ++id)
        boots.push_back(
            {static_cast<std::uint8_t>(id), group, "Boot " + std::to_string(id), 5, 4, 3, 2, 1});
    return boots;
}

// The field of `boot` that editing box `box` (1 to 7) stands for.
std::uint8_t& field(BootRecord& boot, int box) {
    std::uint8_t* fields[] = {
        &boot.Grupa,          nullptr,        &boot.Sila,       &boot.Precyzja,
        &boot.Przyspieszenie, &boot.Szybkosc, &boot.Podkrecanie};
    return *fields[box - 1];
}

// One key press as the X11 platform delivers it: Delete carries the character DEL, Ctrl+V the
// control code 0x16.
struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};
using Keys = QList<Key>;

const Key Backspace{Qt::Key_Backspace, {}, QStringLiteral("\b")};
const Key Delete{Qt::Key_Delete, {}, QStringLiteral("\x7f")};
const Key Home{Qt::Key_Home, {}, {}};
const Key Left{Qt::Key_Left, {}, {}};
const Key Tab{Qt::Key_Tab, {}, QStringLiteral("\t")};
const Key BackTab{Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t")};
const Key CtrlA{Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01")};
const Key CtrlV{Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16")};
const Key CtrlX{Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18")};

// The keys that type `text`, any letter included (QTest::keyClicks types ASCII only).
Keys typed(const QString& text) {
    Keys keys;
    for (const QChar letter : text)
        keys.append({Qt::Key_unknown, {}, QString(letter)});
    return keys;
}

void press(QWidget* target, const Keys& keys) {
    for (const Key& key : keys)
        QTest::sendKeyEvent(QTest::Click, target, key.key, key.text, key.modifiers);
}

} // namespace

Q_DECLARE_METATYPE(Keys)

class TestEditor : public QObject, public WindowControls {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void selectionShowsBoot_data();
    void selectionShowsBoot();
    void highlightIsTheEditedBoot_data();
    void highlightIsTheEditedBoot();
    void typedNameFollowsEachKey_data();
    void typedNameFollowsEachKey();
    void keyFilter_data();
    void keyFilter();
    void storedValue_data();
    void storedValue();
    void longNameCutOnlyWhenEdited();
    void addBeforeAnyFile();
    void addAfterFile();
    void addUpTo255ThenRefused();
    void noWriteBackWithoutShownBoot_data();
    void noWriteBackWithoutShownBoot();
    void busyToolBlocksEditing();
    void editSaveReopen();

private:
    QString makeBin(const QString& name, const Boots& boots);
    bool openFile(const QString& path);
    QWidget* controlled() const override { return window.get(); }
    QStringList boxTexts() const;
    void clearBox(QLineEdit* target);
    void clickList(int row, Qt::KeyboardModifiers modifiers = {});
    void pressAdd();

    std::unique_ptr<TempDir> files;
    std::unique_ptr<AppFolder> app;
    std::unique_ptr<FrmMain> window;
    std::unique_ptr<Hooks> hooks; // opening another file drops unsaved edits without a question
};

void TestEditor::init() {
    files = std::make_unique<TempDir>();
    app = std::make_unique<AppFolder>();
    hooks = std::make_unique<Hooks>();
    window = std::make_unique<FrmMain>(app->path());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestEditor::cleanup() {
    window.reset();
    app.reset();
    files.reset();
    hooks.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

// Writes `boots` as a packed boots file NAME.bin and returns its path.
QString TestEditor::makeBin(const QString& name, const Boots& boots) {
    const QString packed = files->filePath(name + QStringLiteral(".bin"));
    return writePacked(packed, encoded(boots)) ? packed : QString();
}

// Opens `path` through File, Open with the dialog answered; true when its boots are listed.
bool TestEditor::openFile(const QString& path) {
    hooks->answers << path;
    action("MnuFileOpen")->trigger();
    return !path.isEmpty() && window->table().Count() > 0 &&
           list()->count() == window->table().Count() && hooks->messages.isEmpty();
}

QStringList TestEditor::boxTexts() const {
    QStringList texts;
    for (int i = 0; i < 8; ++i)
        texts << box(i)->text();
    return texts;
}

// Empties a box with the keyboard: End, then Backspace until nothing is left.
void TestEditor::clearBox(QLineEdit* target) {
    QTest::keyClick(target, Qt::Key_End);
    while (!target->text().isEmpty())
        QTest::keyClick(target, Qt::Key_Backspace);
}

// Clicks list item `row`, or the empty space below the last item when `row` is -1.
void TestEditor::clickList(int row, Qt::KeyboardModifiers modifiers) {
    const QRect last = list()->visualItemRect(list()->item(list()->count() - 1));
    const QPoint at = row < 0 ? QPoint(last.center().x(), last.bottom() + 2 * last.height())
                              : list()->visualItemRect(list()->item(row)).center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, at);
}

void TestEditor::pressAdd() {
    QTest::mouseClick(button("Cmd_Dodaj"), Qt::LeftButton);
}

void TestEditor::selectionShowsBoot_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("how");
    QTest::newRow("first boot, by mouse") << 0 << "mouse";
    QTest::newRow("name with a colon, by keyboard") << 1 << "keyboard";
    QTest::newRow("64-character name, by the program") << 2 << "program";
}

void TestEditor::selectionShowsBoot() {
    QFETCH(int, row);
    QFETCH(QString, how);
    QVERIFY(openFile(makeBin(QStringLiteral("boots"), Sample)));
    auto* frame = window->findChild<QGroupBox*>(QStringLiteral("Frame2"));
    QVERIFY(!frame->isVisible());
    list()->setCurrentRow(row == 2 ? 0 : 2); // the first selection shows the frame, another boot
    QVERIFY(frame->isVisible());

    if (how == QLatin1String("mouse")) {
        const QRect rect = list()->visualItemRect(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    } else if (how == QLatin1String("keyboard")) {
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Home);
        for (int i = 0; i < row; ++i)
            QTest::keyClick(list(), Qt::Key_Down);
    } else {
        list()->setCurrentRow(row);
    }

    const BootRecord& boot = Sample[static_cast<std::size_t>(row)];
    QCOMPARE(list()->currentRow(), row);
    QCOMPARE(boxTexts(),
             (QStringList{QString::number(boot.ID), QString::number(boot.Grupa),
                          QString::fromStdString(boot.Nazwa), QString::number(boot.Sila),
                          QString::number(boot.Precyzja), QString::number(boot.Przyspieszenie),
                          QString::number(boot.Szybkosc), QString::number(boot.Podkrecanie)}));
    QCOMPARE(window->table().allBoots(), Sample);
    QCOMPARE(listTexts(), itemTexts(Sample));
}

void TestEditor::highlightIsTheEditedBoot_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("edited"); // the boot highlighted and edited, -1 for none
    QTest::newRow("tab into the list") << QStringList{"tab"} << -1;
    QTest::newRow("tab, down: first boot") << QStringList{"tab", "down"} << 0;
    QTest::newRow("tab, up: last boot") << QStringList{"tab", "up"} << 2;
    QTest::newRow("down after a selection moves on") << QStringList{"click 0", "down"} << 1;
    QTest::newRow("click on empty space keeps the boot") << QStringList{"click 1", "empty"} << 1;
    QTest::newRow("ctrl+click keeps the boot") << QStringList{"click 2", "ctrl 2"} << 2;
    QTest::newRow("ctrl+space keeps the boot") << QStringList{"click 2", "ctrl space"} << 2;
}

void TestEditor::highlightIsTheEditedBoot() {
    QFETCH(QStringList, steps);
    QFETCH(int, edited);
    QVERIFY(openFile(makeBin(QStringLiteral("boots"), Sample)));
    auto* save = button("Cmd_Zapisz");
    for (const QString& step : steps) {
        if (step == QLatin1String("tab")) {
            save->setFocus();
            QTest::keyClick(save, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), list());
        } else if (step == QLatin1String("down") || step == QLatin1String("up")) {
            QTest::keyClick(list(), step == QLatin1String("down") ? Qt::Key_Down : Qt::Key_Up);
        } else if (step == QLatin1String("ctrl space")) {
            QTest::keyClick(list(), Qt::Key_Space, Qt::ControlModifier);
        } else if (step == QLatin1String("empty")) {
            clickList(-1);
        } else {
            clickList(step.back().digitValue(), step.startsWith(QLatin1String("ctrl"))
                                                    ? Qt::ControlModifier
                                                    : Qt::NoModifier);
        }
    }

    const auto selected = list()->selectedItems();
    QCOMPARE(selected.isEmpty() ? -1 : list()->row(selected.constFirst()), edited);
    QCOMPARE(window->findChild<QGroupBox*>(QStringLiteral("Frame2"))->isVisible(), edited >= 0);
    if (edited < 0)
        return;
    QCOMPARE(box(0)->text(), QString::number(Sample[static_cast<std::size_t>(edited)].ID));
    box(3)->setFocus();
    clearBox(box(3));
    QTest::keyClicks(box(3), QStringLiteral("3"));
    for (int i = 0; i < static_cast<int>(Sample.size()); ++i)
        QCOMPARE(window->table().Get_Sila(static_cast<std::uint8_t>(i)),
                 i == edited ? 3 : Sample[static_cast<std::size_t>(i)].Sila);
}

void TestEditor::typedNameFollowsEachKey_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain name") << 0 << "Zó 9";
    QTest::newRow("name with a colon") << 1 << "a:b:";
}

void TestEditor::typedNameFollowsEachKey() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QVERIFY(openFile(makeBin(QStringLiteral("boots"), Sample)));
    list()->setCurrentRow(row);
    QLineEdit* name = box(2);
    name->setFocus();
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Backspace);

    const auto at = static_cast<std::uint8_t>(row);
    const QString id = QString::number(Sample[at].ID) + QLatin1Char(':');
    for (qsizetype length = 0; length <= text.size(); ++length) {
        if (length > 0)
            press(name, typed(text.mid(length - 1, 1)));
        const QString sofar = text.left(length);
        QCOMPARE(QString::fromStdString(window->table().Get_Nazwa(at)), sofar);
        QCOMPARE(list()->item(row)->text(), id + sofar);
    }
    Boots expected = Sample;
    expected[at].Nazwa = text.toStdString();
    QCOMPARE(window->table().allBoots(), expected);
    QCOMPARE(listTexts(), itemTexts(expected));
}

void TestEditor::keyFilter_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("start");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("focus"); // the box that has the focus afterwards

    // clang-format off
    QTest::newRow("shot power refuses 0")          << 3 << "" << typed("0") << ""  << 3;
    QTest::newRow("shot accuracy refuses 6")       << 4 << "" << typed("6") << ""  << 4;
    QTest::newRow("acceleration refuses a letter") << 5 << "" << typed("x") << ""  << 5;
    QTest::newRow("top speed refuses a sign")      << 6 << "" << typed("-") << ""  << 6;
    QTest::newRow("swerve takes 5")                << 7 << "" << typed("5") << "5" << 7;
    QTest::newRow("shot power takes 1")            << 3 << "" << typed("1") << "1" << 3;
    QTest::newRow("stat backspace")     << 4 << "3"  << Keys{Backspace} + typed("2") << "2"   << 4;
    QTest::newRow("stat tab")           << 3 << "3"  << Keys{Tab}                   << "3"   << 4;
    QTest::newRow("stat shift+tab")     << 3 << "3"  << Keys{BackTab}               << "3"   << 2;
    QTest::newRow("group digits only")  << 1 << ""   << typed("a1 -9.0")            << "190" << 1;
    QTest::newRow("group backspace")    << 1 << "12" << Keys{Backspace}             << "1"   << 1;
    QTest::newRow("group home, delete") << 1 << "12" << Keys{Home, Delete}          << "2"   << 1;
    QTest::newRow("group arrow, digit") << 1 << "12" << Keys{Left} + typed("3")     << "132" << 1;
    QTest::newRow("name takes anything") << 2 << "" << typed("a0-6:;! Łź") << "a0-6:;! Łź" << 2;
    QTest::newRow("ctrl+v pastes into a stat")   << 3 << "" << Keys{CtrlV} << "4" << 3;
    QTest::newRow("ctrl+v pastes into the group") << 1 << "" << Keys{CtrlV} << "4" << 1;
    QTest::newRow("ctrl+v pastes into the name") << 2 << "" << Keys{CtrlV} << "4" << 2;
    QTest::newRow("ctrl+a, ctrl+x cut the group") << 1 << "12" << Keys{CtrlA, CtrlX} << "" << 1;
    // clang-format on
}

void TestEditor::keyFilter() {
    QFETCH(int, index);
    QFETCH(QString, start);
    QFETCH(Keys, keys);
    QFETCH(QString, expected);
    QFETCH(int, focus);
    pressAdd(); // before any file: shows the boxes, refuses the addition
    QApplication::clipboard()->setText(QStringLiteral("4"));
    QLineEdit* target = box(index);
    target->setText(start);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_End);
    press(target, keys);
    QCOMPARE(target->text(), expected);
    QCOMPARE(window->focusWidget(), box(focus));
}

void TestEditor::storedValue_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");

    QTest::newRow("emptied group") << 1 << false << "" << 1;
    QTest::newRow("emptied stat") << 6 << false << "" << 1;
    QTest::newRow("typed group 300") << 1 << false << "300" << 255;
    QTest::newRow("typed group 0") << 1 << false << "0" << 1;
    QTest::newRow("pasted stat 9") << 3 << true << "9" << 5;
    QTest::newRow("pasted stat 0") << 4 << true << "0" << 1;
    QTest::newRow("pasted stat letter") << 7 << true << "x" << 1;
    QTest::newRow("pasted stat sign") << 3 << true << "-" << 1;
    QTest::newRow("pasted group negative") << 1 << true << "-5" << 1;
    QTest::newRow("pasted group plus sign") << 1 << true << "+7" << 7;
    QTest::newRow("pasted group with blanks") << 1 << true << " 7 " << 7;
    QTest::newRow("pasted half rounds down to even") << 1 << true << "2.5" << 2;
    QTest::newRow("pasted half rounds up to even") << 1 << true << "3.5" << 4;
    QTest::newRow("pasted decimal comma") << 1 << true << "1,5" << 2;
    QTest::newRow("pasted trailing point") << 1 << true << "5." << 5;
    QTest::newRow("pasted bare fraction") << 1 << true << ".5" << 1;
    QTest::newRow("pasted exponent") << 1 << true << "1e2" << 1;
}

void TestEditor::storedValue() {
    QFETCH(int, index);
    QFETCH(bool, paste);
    QFETCH(QString, text);
    QFETCH(int, stored);
    QVERIFY(openFile(makeBin(QStringLiteral("boots"), Sample)));
    list()->setCurrentRow(0);
    QLineEdit* target = box(index);
    target->setFocus();
    clearBox(target);
    // The boot's name stays, so its list item is never rewritten.
    QSignalSpy itemChanges(list()->model(), &QAbstractItemModel::dataChanged);
    if (paste) {
        QApplication::clipboard()->setText(text);
        target->paste(); // what the context menu's Paste does
    } else {
        QTest::keyClicks(target, text);
    }

    QCOMPARE(target->text(), text);
    Boots expected = Sample;
    field(expected[0], index) = static_cast<std::uint8_t>(stored);
    QCOMPARE(window->table().allBoots(), expected);
    QCOMPARE(itemChanges.count(), 0);
}

void TestEditor::longNameCutOnlyWhenEdited() {
    QVERIFY(openFile(makeBin(QStringLiteral("boots"), Sample)));
    list()->setCurrentRow(2);
    QCOMPARE(box(2)->text(), QString::fromStdString(LongName));

    box(3)->setFocus();
    QTest::keyClick(box(3), Qt::Key_Backspace);
    QTest::keyClicks(box(3), QStringLiteral("2"));
    QCOMPARE(window->table().Get_Nazwa(2), LongName);

    box(2)->setFocus();
    QTest::keyClick(box(2), Qt::Key_End);
    QTest::keyClick(box(2), Qt::Key_Backspace);
    const QString cut = QString::fromStdString(LongName).left(60);
    QVERIFY(cut.endsWith(QStringLiteral("ąę")));
    QCOMPARE(QString::fromStdString(window->table().Get_Nazwa(2)), cut);
    QCOMPARE(list()->item(2)->text(), QStringLiteral("7:") + cut);
}

void TestEditor::addBeforeAnyFile() {
    auto* frame = window->findChild<QGroupBox*>(QStringLiteral("Frame2"));
    QVERIFY(!frame->isVisible());
    pressAdd();
    QVERIFY(frame->isVisible());
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text,
             QStringLiteral("Nie Można dodać nowych butów\nNie otwarto żadnego pliku butów."));
    QCOMPARE(hooks->messages[0].title, QStringLiteral("Dodawanie butów"));
    QCOMPARE(hooks->messages[0].icon, korvane::MessageIcon::Information);
    QCOMPARE(list()->count(), 0);
    QCOMPARE(window->table().Count(), 0);
}

void TestEditor::addAfterFile() {
    QVERIFY(openFile(makeBin(QStringLiteral("boots"), Sample)));
    list()->setCurrentRow(1);
    pressAdd();

    QCOMPARE(listTexts(), itemTexts(Sample) << QStringLiteral("8: -"));
    QCOMPARE(list()->currentRow(), 3);
    QCOMPARE(list()->selectedItems(), QList<QListWidgetItem*>{list()->item(3)});
    QCOMPARE(boxTexts(), (QStringList{"8", "1", "", "1", "1", "1", "1", "1"}));
    Boots expected = Sample;
    expected.push_back({8, 1, "", 1, 1, 1, 1, 1});
    QCOMPARE(window->table().allBoots(), expected);
    QVERIFY(hooks->messages.isEmpty());

    // The first change, even one that leaves the name empty, lists the boot the regular way.
    box(7)->setFocus();
    QTest::keyClick(box(7), Qt::Key_Backspace);
    QTest::keyClicks(box(7), QStringLiteral("2"));
    QCOMPARE(list()->item(3)->text(), QStringLiteral("8:"));
    expected[3] = {8, 1, "", 1, 1, 1, 1, 2}; // only the field edited
    QCOMPARE(window->table().allBoots(), expected);
    QTest::keyClicks(box(2), QStringLiteral("N"));
    QCOMPARE(list()->item(3)->text(), QStringLiteral("8:N"));
}

void TestEditor::addUpTo255ThenRefused() {
    QVERIFY(openFile(makeBin(QStringLiteral("high"), {{253, 1, "High", 1, 1, 1, 1, 1}})));
    pressAdd();
    pressAdd();
    QCOMPARE(listTexts(), (QStringList{"253:High", "254: -", "255: -"}));
    QCOMPARE(list()->currentRow(), 2);
    QCOMPARE(box(0)->text(), QStringLiteral("255"));
    QVERIFY(hooks->messages.isEmpty());

    pressAdd();
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text,
             QStringLiteral("Nie Można dodać nowych butów\nOstatni but ma identyfikator 255, "
                            "największy możliwy."));
    QCOMPARE(listTexts(), (QStringList{"253:High", "254: -", "255: -"}));
    QCOMPARE(list()->currentRow(), 2);
    QCOMPARE(window->table().Count(), 3);
}

void TestEditor::noWriteBackWithoutShownBoot_data() {
    QTest::addColumn<QString>("before");
    QTest::newRow("opened, nothing selected") << "";
    QTest::newRow("refused addition before the open") << "add";
    QTest::newRow("boot shown from an earlier file") << "earlier";
}

void TestEditor::noWriteBackWithoutShownBoot() {
    QFETCH(QString, before);
    const Boots other = numbered(40, 9);
    if (before == QLatin1String("add")) {
        pressAdd();
    } else if (before == QLatin1String("earlier")) {
        QVERIFY(openFile(makeBin(QStringLiteral("earlier"), numbered(60, 3))));
        list()->setCurrentRow(59); // past the end of the next file, and scrolled down to
        box(1)->setFocus();
        QTest::keyClicks(box(1), QStringLiteral("4"));
        QCOMPARE(window->table().Get_Grupa(59), 34);
        QTRY_VERIFY(list()->verticalScrollBar()->value() > 0);
    }
    hooks->messages.clear();
    QVERIFY(openFile(makeBin(QStringLiteral("other"), other)));

    QVERIFY(!window->findChild<QGroupBox*>(QStringLiteral("Frame2"))->isVisible());
    QCOMPARE(list()->currentRow(), -1);
    QVERIFY(list()->selectedItems().isEmpty());
    QTRY_VERIFY(list()->verticalScrollBar()->maximum() > 0);
    QCOMPARE(list()->verticalScrollBar()->value(), 0);
    QCOMPARE(boxTexts(), (QStringList{"0", "0", "", "0", "0", "0", "0", "0"}));
    for (int i = 1; i < 8; ++i)
        box(i)->setText(QStringLiteral("3"));
    QCOMPARE(window->table().allBoots(), other);
    QCOMPARE(listTexts(), itemTexts(other));
}

void TestEditor::busyToolBlocksEditing() {
    QVERIFY(openFile(makeBin(QStringLiteral("boots"), Sample)));
    list()->setCurrentRow(1);
    const QStringList shown = boxTexts();

    // A tool that says it has started, then waits for a go-ahead file before doing its work.
    const QString started = files->filePath(QStringLiteral("started"));
    const QString go = files->filePath(QStringLiteral("go"));
    QVERIFY(app->standInTool(QStringLiteral("touch %1\nwait %2\nrun {zlibtool}").arg(started, go)));

    // Once the tool runs, the user sees the busy cursor, clicks another boot, then empty list
    // space, types, and presses "Add BootS".
    QTimer whileBusy;
    Qt::CursorShape busyCursor = Qt::ArrowCursor;
    connect(&whileBusy, &QTimer::timeout, this, [&] {
        if (!QFile::exists(started))
            return;
        whileBusy.stop();
        busyCursor = window->cursor().shape();
        clickList(0);
        clickList(-1);
        box(1)->setFocus();
        QTest::keyClicks(box(1), QStringLiteral("7"));
        QTest::keyClick(box(5), Qt::Key_Backspace);
        pressAdd();
        writeFile(go, QByteArray());
    });
    whileBusy.start(10);
    QTest::mouseClick(button("Cmd_Zapisz"), Qt::LeftButton);

    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, QStringLiteral("Zapisano plik"));
    QCOMPARE(busyCursor, Qt::BusyCursor);
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(list()->selectedItems(), QList<QListWidgetItem*>{list()->item(1)});
    QCOMPARE(boxTexts(), shown);
    QCOMPARE(window->table().allBoots(), Sample);
    QCOMPARE(listTexts(), itemTexts(Sample));
}

void TestEditor::editSaveReopen() {
    const QString path = files->filePath(QStringLiteral("sample.bin"));
    QVERIFY(QFile::copy(QStringLiteral(KORVANE_SAMPLE), path));
    QVERIFY(openFile(path));
    Boots expected = window->table().allBoots();
    const int last = list()->count() - 1;

    const QRect rect = list()->visualItemRect(list()->item(1));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    const QString texts[8] = {"", "17", "Nowa Łódka", "5", "4", "3", "2", "1"};
    for (int i = 1; i < 8; ++i) {
        box(i)->setFocus();
        clearBox(box(i));
        press(box(i), typed(texts[i]));
    }
    expected[1] = {expected[1].ID, 17, "Nowa Łódka", 5, 4, 3, 2, 1};

    pressAdd();
    QTest::keyClicks(box(2), QStringLiteral("Added"));
    expected.push_back(
        {static_cast<std::uint8_t>(expected.back().ID + 1), 1, "Added", 1, 1, 1, 1, 1});
    QCOMPARE(window->table().allBoots(), expected);
    QCOMPARE(list()->item(1)->text(),
             QString::number(expected[1].ID) + QStringLiteral(":Nowa Łódka"));
    QCOMPARE(list()->item(last + 1)->text(),
             QString::number(expected.back().ID) + QStringLiteral(":Added"));

    QTest::mouseClick(button("Cmd_Zapisz"), Qt::LeftButton);
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, QStringLiteral("Zapisano plik"));
    hooks->messages.clear();

    window = std::make_unique<FrmMain>(app->path());
    QVERIFY(openFile(path));
    QCOMPARE(window->table().allBoots(), expected);
}

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
