// The main window's and the help window's controls: names, places, captions, fonts, limits,
// initial states, and the Help command.
#include "test_support.h"
#include "ui/frm_help.h"
#include "ui/frm_main.h"
#include "ui/language.h"
#include "ui/last_window.h"
#include "ui/twips.h"
#include "ui/txt_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

constexpr int Centred = Qt::AlignHCenter;
constexpr int Left = Qt::AlignLeft;

QList<QWidget*> helpWindows() {
    QList<QWidget*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("FrmHelp"))
            found << window;
    return found;
}

// Presses each character of `keys` in `box`: '\b' is Backspace, '\v' pastes the clipboard.
void press(QWidget* box, const QString& keys) {
    for (const QChar key : keys) {
        if (key == QLatin1Char('\b'))
            QTest::keyClick(box, Qt::Key_Backspace);
        else if (key == QLatin1Char('\v'))
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClicks(box, QString(key));
    }
}

// The dark pixels that `label` draws inside its border.
int inkInside(QLabel* label) {
    const QImage image = label->grab(label->contentsRect()).toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 160;
    return ink;
}

// Counts the requests to end the program.
class QuitCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Quit;
        return false;
    }
};

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void window();
    void caption();
    void menus_data();
    void menus();
    void startState();
    void shortcutsActWithoutMenu_data();
    void shortcutsActWithoutMenu();
    void tabOrder();
    void typingStopsAtLimit_data();
    void typingStopsAtLimit();
    void identifierRefusesTyping();
    void programTextIsNotCut_data();
    void programTextIsNotCut();
    void programTextRaisesChangeOnly();

    void helpOpensOnce();
    void helpAfterCloseIsFresh();
    void helpWindow();
    void helpLabels_data();
    void helpLabels();
    void qtDialogsSpeakTheUsersLanguage_data();
    void qtDialogsSpeakTheUsersLanguage();
    void programEndsWithLastWindow_data();
    void programEndsWithLastWindow();

private:
    template <typename T> T* control(const QString& name) const {
        auto* found = main->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    FrmHelp* openHelp() const {
        control<QAction>(QStringLiteral("Help"))->trigger();
        return main->helpWindow();
    }

    std::unique_ptr<AppFolder> folder;
    std::unique_ptr<FrmMain> main;
};

void TestLayout::init() {
    folder = std::make_unique<AppFolder>();
    main = std::make_unique<FrmMain>(folder->path());
}

void TestLayout::cleanup() {
    main.reset();
    folder.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestLayout::controls_data() {
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("maxLength"); // editing boxes only
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("readOnly");

    const auto row = [](const char* name, const char* container, const char* text, QRect twips,
                        qreal points = 8.25, bool bold = false) -> QTestData& {
        return QTest::newRow(name) << QString::fromLatin1(container) << QString::fromLatin1(text)
                                   << twips << points << bold;
    };
    row("Cmd_Dodaj", "", "Add BootS", {120, 6120, 2175, 495}, 20.25) << 0 << 0 << false;
    row("Cmd_Zapisz", "", "save", {9480, 6120, 2175, 495}, 20.25) << 0 << 0 << false;
    row("Frame1", "", "Buty", {120, 120, 5295, 5895}) << 0 << 0 << false;
    row("List1", "Frame1", "", {120, 240, 5055, 5520}) << 0 << 0 << false;
    row("Frame2", "", "Stats", {5520, 120, 6135, 5895}) << 0 << 0 << false;
    row("Picture1", "Frame2", "", {120, 240, 5895, 5535}) << 0 << 0 << false;
    row("Frame4", "Picture1", "Stats", {120, 1560, 5655, 3855}) << 0 << 0 << false;

    const char* captions[] = {"ID",           "Group",     "Name",  "Shot power", "Shot accuracy",
                              "Acceleration", "Top speed", "Swerve"};
    const QRect frames[] = {{120, 120, 735, 615},   {960, 120, 735, 615},  {120, 840, 5655, 615},
                            {120, 240, 5415, 615},  {120, 960, 5415, 615}, {120, 1680, 5415, 615},
                            {120, 2400, 5415, 615}, {120, 3120, 5415, 615}};
    const int widths[] = {495, 495, 5415, 5175, 5175, 5175, 5175, 5175};
    const int limits[] = {3, 3, 60, 1, 1, 1, 1, 1};
    for (int i = 0; i < 8; ++i) {
        const QByteArray frame = "Frame3_" + QByteArray::number(i);
        const QByteArray box = "Txt_" + QByteArray::number(i);
        row(frame.constData(), i < 3 ? "Picture1" : "Frame4", captions[i], frames[i], 8.25, true)
            << 0 << 0 << false;
        row(box.constData(), frame.constData(), i == 2 ? "" : "0", {120, 240, widths[i], 285})
            << limits[i] << (i == 2 ? Left : Centred) << (i == 0);
    }
}

void TestLayout::controls() {
    QFETCH(QString, container);
    QFETCH(QString, text);
    QFETCH(QRect, twips);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(int, maxLength);
    QFETCH(int, alignment);
    QFETCH(bool, readOnly);

    auto* widget = control<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QWidget* parent = widget->parentWidget();
    QCOMPARE(parent == main->centralWidget() ? QString() : parent->objectName(), container);
    const auto* box = qobject_cast<const QFrame*>(parent); // the picture box's client area
    const int border = box ? box->frameWidth() : 0;
    const QRect inClient = widget->geometry().translated(-border, -border);
    QCOMPARE(inClient, toPixels({twips.x(), twips.y(), twips.width(), twips.height()}));
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(widget->font().bold(), bold);
    QVERIFY(!widget->font().italic() && !widget->font().underline());

    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->palette().color(QPalette::Button), QColor(Qt::white));
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        QCOMPARE(frame->title(), text);
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(Qt::white));
    } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(box->text(), text);
        QCOMPARE(box->maxLength(), maxLength);
        QCOMPARE(int(box->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(box->isReadOnly(), readOnly);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!list->isSortingEnabled());
    } else {
        auto* picture = qobject_cast<QFrame*>(widget);
        QVERIFY(picture);
        QCOMPARE(picture->frameShadow(), QFrame::Sunken);
        QCOMPARE(picture->palette().color(QPalette::Window), QColor(Qt::white));
    }
}

void TestLayout::window() {
    QCOMPARE(main->objectName(), QStringLiteral("FrmMain"));
    QCOMPARE(main->centralWidget()->size(), QSize(781, 450));
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QCOMPARE(main->minimumSize(), main->maximumSize());
    QCOMPARE(main->size().height(), main->menuBar()->height() + 450);
    QCOMPARE(main->palette().color(QPalette::Window), QColor(Qt::white));
    const Qt::WindowFlags flags = main->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    const QRect screen = main->screen()->availableGeometry();
    QVERIFY((main->frameGeometry().center() - screen.center()).manhattanLength() <= 4);
}

void TestLayout::caption() {
    const QString expected = QStringLiteral("Korvane version " KORVANE_VERSION) +
                             QString(2, QLatin1Char(' ')) + QStringLiteral("by") +
                             QString(5, QLatin1Char(' ')) +
                             QStringLiteral("\"Vantrel\" & \"Ostrevan\"");
    QCOMPARE(main->windowTitle(), expected + QStringLiteral("[*]")); // [*]: the unsaved mark
}

void TestLayout::menus_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("separator");

    QTest::newRow("MnuFileOpen") << "&Open" << QKeySequence(QStringLiteral("Ctrl+O")) << true
                                 << false;
    QTest::newRow("mnuSep1") << "" << QKeySequence() << true << true;
    QTest::newRow("MnuSaveFile") << "&Save" << QKeySequence(QStringLiteral("Ctrl+S")) << false
                                 << false;
    QTest::newRow("MnuExportCsv") << "Export CSV…" << QKeySequence() << false << false;
    QTest::newRow("MnuImportCsv") << "Import CSV…" << QKeySequence() << false << false;
    QTest::newRow("MnuSep2") << "" << QKeySequence() << true << true;
    QTest::newRow("mnuQuit") << "&Exit" << QKeySequence(QStringLiteral("Ctrl+Q")) << true << false;
}

void TestLayout::menus() {
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabled);
    QFETCH(bool, separator);

    auto* file = control<QMenu>(QStringLiteral("MnuFile"));
    QCOMPARE(file->title(), QStringLiteral("File"));
    const auto* action = control<QAction>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(file->actions().contains(action));
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(action->isEnabled(), enabled);
    QCOMPARE(action->isSeparator(), separator);
}

void TestLayout::startState() {
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QVERIFY(!control<QGroupBox>(QStringLiteral("Frame2"))->isVisible());
    QVERIFY(control<QGroupBox>(QStringLiteral("Frame1"))->isVisible());
    QVERIFY(!control<QAction>(QStringLiteral("MnuSaveFile"))->isEnabled());
    QVERIFY(control<QPushButton>(QStringLiteral("Cmd_Zapisz"))->isEnabled());
    QVERIFY(control<QPushButton>(QStringLiteral("Cmd_Dodaj"))->isEnabled());
    QCOMPARE(main->focusWidget(), control<QWidget>(QStringLiteral("Cmd_Zapisz")));

    // The File menu holds exactly its items, in order; Help runs from the menu bar.
    QStringList names;
    for (const QAction* action : control<QMenu>(QStringLiteral("MnuFile"))->actions())
        names << action->objectName();
    QCOMPARE(names,
             QStringList({"MnuFileOpen", "MnuRecent", "mnuSep1", "MnuSaveFile", "MnuExportCsv", "MnuImportCsv",
                          "MnuExportPatch", "MnuApplyPatch", "MnuCompare", "MnuSep2", "mnuQuit"}));
    auto* help = control<QAction>(QStringLiteral("Help"));
    QCOMPARE(help->text(), QStringLiteral("Help"));
    QVERIFY(!help->menu());
    QCOMPARE(main->menuBar()->actions().last(), help);
    QStringList bar; // Edit (Undo, Redo) between File and Help
    for (const QAction* item : main->menuBar()->actions())
        bar << item->text();
    QCOMPARE(bar, (QStringList{"File", "Edit", "Help"}));
}

void TestLayout::shortcutsActWithoutMenu_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enable");
    QTest::addColumn<int>("triggered");
    QTest::newRow("open") << "MnuFileOpen" << int(Qt::Key_O) << false << 1;
    QTest::newRow("save while greyed") << "MnuSaveFile" << int(Qt::Key_S) << false << 0;
    QTest::newRow("save once enabled") << "MnuSaveFile" << int(Qt::Key_S) << true << 1;
    QTest::newRow("exit") << "mnuQuit" << int(Qt::Key_Q) << false << 1;
}

void TestLayout::shortcutsActWithoutMenu() {
    QFETCH(QString, action);
    QFETCH(int, key);
    QFETCH(bool, enable);
    QFETCH(int, triggered);
    auto* item = control<QAction>(action);
    item->disconnect(main.get()); // only the shortcut's wiring is tested here, not the command
    if (enable)
        item->setEnabled(true);
    QSignalSpy spy(item, &QAction::triggered);
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    QTest::keyClick(main.get(), Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(spy.count(), triggered);
    QVERIFY(!control<QMenu>(QStringLiteral("MnuFile"))->isVisible());
}

void TestLayout::tabOrder() {
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    // The controls that Tab visits from Cmd_Zapisz until it comes back there.
    const auto visit = [this] {
        QStringList order;
        QWidget* start = control<QWidget>(QStringLiteral("Cmd_Zapisz"));
        start->setFocus();
        for (QWidget* at = start; at && order.size() < 20; at = QApplication::focusWidget()) {
            order << at->objectName();
            QTest::keyClick(at, Qt::Key_Tab);
            if (QApplication::focusWidget() == start)
                break;
        }
        return order;
    };
    QCOMPARE(visit(), QStringList({"Cmd_Zapisz", "List1", "Cmd_Dodaj"}));
    control<QGroupBox>(QStringLiteral("Frame2"))->show();
    QCOMPARE(visit(), QStringList({"Cmd_Zapisz", "List1", "Picture1", "Txt_0", "Txt_1", "Txt_2",
                                   "Txt_3", "Txt_4", "Txt_5", "Txt_6", "Txt_7", "Cmd_Dodaj"}));
}

void TestLayout::typingStopsAtLimit_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Txt_1") << "2552"
                           << "255";
    QTest::newRow("Txt_2") << QString(70, QLatin1Char('n')) << QString(60, QLatin1Char('n'));
    QTest::newRow("Txt_3") << "33"
                           << "3";
    QTest::newRow("Txt_4") << "44"
                           << "4";
    QTest::newRow("Txt_5") << "55"
                           << "5";
    QTest::newRow("Txt_6") << "22"
                           << "2";
    QTest::newRow("Txt_7") << "11"
                           << "1";
}

void TestLayout::typingStopsAtLimit() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    control<QGroupBox>(QStringLiteral("Frame2"))->show();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    auto* box = control<QLineEdit>(QString::fromLatin1(QTest::currentDataTag()));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), expected);
}

void TestLayout::identifierRefusesTyping() {
    control<QGroupBox>(QStringLiteral("Frame2"))->show();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    auto* box = control<QLineEdit>(QStringLiteral("Txt_0"));
    box->setFocus();
    box->selectAll();
    press(box, QStringLiteral("7\b\v"));
    QCOMPARE(box->text(), QStringLiteral("0"));
    QCOMPARE(box->selectedText(), QStringLiteral("0")); // it can still be selected and copied
}

void TestLayout::programTextIsNotCut_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    const QString a64(64, QLatin1Char('a'));
    QTest::newRow("long text shown whole") << a64 << "" << a64;
    QTest::newRow("long text takes no more") << a64 << "bc" << a64;
    QTest::newRow("shortened long text does not grow back") << a64 << "\bb" << a64.left(63);
    QTest::newRow("paste into long text refused") << a64 << "\b\v" << a64.left(63);
    QTest::newRow("back within the limit fills it")
        << a64.left(62) << "\b\b\b\bxyz" << a64.left(58) + "xy";
    QTest::newRow("paste cut at the limit") << a64.left(57) << "\v" << a64.left(57) + "012";
    QTest::newRow("short text typed up to the limit")
        << "ab" << QString(70, QLatin1Char('c')) << "ab" + QString(58, QLatin1Char('c'));
}

void TestLayout::programTextIsNotCut() {
    QFETCH(QString, shown);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QApplication::clipboard()->setText(QStringLiteral("0123456789"));
    TxtBox box(60);
    box.showWhole(shown);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    press(&box, keys);
    QCOMPARE(box.text(), expected);
}

void TestLayout::programTextRaisesChangeOnly() {
    TxtBox box(3);
    QSignalSpy changed(&box, &QLineEdit::textChanged);
    QSignalSpy edited(&box, &QLineEdit::textEdited);
    box.showWhole(QStringLiteral("12345"));
    box.showWhole(QStringLiteral("9"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toString(), QStringLiteral("9"));
    QCOMPARE(edited.count(), 0);
    QCOMPARE(box.maxLength(), 3);
}

void TestLayout::helpOpensOnce() {
    main->show();
    FrmHelp* first = openHelp();
    QVERIFY(first);
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QCOMPARE(openHelp(), first);
    QCOMPARE(helpWindows().size(), 1);
    QVERIFY(first->isVisible());
    QVERIFY(!first->parentWidget()); // stays when the main window closes
    QVERIFY(main->isVisible());      // modeless
}

void TestLayout::helpAfterCloseIsFresh() {
    QPointer<FrmHelp> first = openHelp();
    QVERIFY(QTest::qWaitForWindowExposed(first));
    first->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(!main->helpWindow());
    FrmHelp* second = openHelp();
    QVERIFY(second);
    QVERIFY(QTest::qWaitForWindowExposed(second));
    QCOMPARE(helpWindows(), QList<QWidget*>({second}));
}

void TestLayout::helpWindow() {
    FrmHelp* help = openHelp();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
    // At its fixed place where the screen holds it there, else moved in just enough.
    const QRect fixed(506, 301, 560, 382);
    const QRect screen = help->screen()->availableGeometry();
    QCOMPARE(help->size(), fixed.size());
    if (screen.contains(fixed))
        QCOMPARE(help->geometry(), fixed);
    else
        QVERIFY(screen.contains(help->geometry()) &&
                (help->geometry().right() == screen.right() ||
                 help->geometry().bottom() == screen.bottom()));
    QCOMPARE(help->minimumSize(), help->maximumSize());
    QCOMPARE(help->windowFlags() & Qt::WindowType_Mask, Qt::Tool);

    auto* page = help->findChild<QGroupBox*>(QStringLiteral("Frame1"));
    QVERIFY(page);
    QCOMPARE(page->title(), QStringLiteral("Help"));
    QCOMPARE(page->geometry(), QRect(0, 0, 561, 385)); // right and bottom edges out of sight
    QCOMPARE(page->palette().color(QPalette::Window), QColor(Qt::white));

    auto* picture = help->findChild<QLabel*>(QStringLiteral("Picture2"));
    QVERIFY(picture);
    QCOMPARE(picture->geometry(), QRect(384, 296, 133, 71));
    QCOMPARE(picture->pixmap().size(), QSize(133, 71));
    QVERIFY(!picture->hasScaledContents());

    auto* line = help->findChild<QFrame*>(QStringLiteral("Line1"));
    QVERIFY(line);
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QCOMPARE(line->geometry().left(), 0);
    QCOMPARE(line->geometry().width(), 560);
    QCOMPARE(line->geometry().center().y(), 200);
}

void TestLayout::helpLabels_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<QColor>("colour"); // invalid: the default text colour
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("border");

    QTest::newRow("Label1") << " Wersja " KORVANE_VERSION
                               "\n-Change name boots\n-Change stats\n-Add boots\n\n"
                               "\"Thanks to Brenik and Lumira \"Zlib\""
                            << QRect(360, 360, 4845, 2580) << 20.25 << QColor(255, 0, 0) << Left
                            << true;
    QTest::newRow("Label2") << "To correctly work of all boots,we must do some work with groups\n"
                               "I think everyone can handle without a problem"
                            << QRect(120, 3120, 8130, 600) << 12.0 << QColor() << Left << true;
    QTest::newRow("Label3") << "I Invite for visiting! " << QRect(3285, 3960, 2265, 360) << 13.5
                            << QColor() << Centred << false;
    QTest::newRow("Label4") << "bootmods.example" << QRect(120, 4680, 3450, 435) << 17.25
                            << QColor(0, 255, 0) << Centred << false;
    QTest::newRow("Label5") << "league.example" << QRect(120, 4320, 3015, 435) << 17.25
                            << QColor(255, 0, 0) << Centred << false;
    QTest::newRow("Label6") << "www.bootsfans.example" << QRect(120, 5160, 3495, 360) << 13.5
                            << QColor(0, 0, 192) << Left << false;
}

void TestLayout::helpLabels() {
    QFETCH(QString, text);
    QFETCH(QRect, twips);
    QFETCH(qreal, points);
    QFETCH(QColor, colour);
    QFETCH(int, alignment);
    QFETCH(bool, border);

    FrmHelp* help = openHelp();
    auto* label = help->findChild<QLabel*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(label);
    QCOMPARE(label->parentWidget()->objectName(), QStringLiteral("Frame1"));
    const bool rich = label->textFormat() == Qt::RichText; // for the line spacing only
    QCOMPARE(rich ? QTextDocumentFragment::fromHtml(label->text()).toPlainText() : label->text(),
             text);
    QVERIFY(!label->text().contains(QLatin1String("<a")));
    QCOMPARE(label->geometry(), toPixels({twips.x(), twips.y(), twips.width(), twips.height()}));
    QCOMPARE(label->font().pointSizeF(), points);
    QCOMPARE(label->font().weight(), QFont::Normal);
    QVERIFY(!label->font().italic() && !label->font().underline() && !label->font().strikeOut());
    QCOMPARE(label->palette().color(QPalette::WindowText),
             colour.isValid() ? colour : help->palette().color(QPalette::WindowText));
    QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(label->frameShape() == QFrame::Box, border);
    QVERIFY(!label->autoFillBackground());                          // transparent on the page
    QCOMPARE(label->textInteractionFlags(), Qt::NoTextInteraction); // nothing to click
    QVERIFY(!label->openExternalLinks());

    // Every line lies whole within the box: a taller box shows no more of the text.
    const int ink = inkInside(label);
    label->setGeometry(label->geometry().adjusted(0, -10, 0, 10));
    QCOMPARE(inkInside(label), ink);
}

void TestLayout::qtDialogsSpeakTheUsersLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("openButton");
    QTest::newRow("Polish") << "pl"
                            << "&Otwórz";
    QTest::newRow("English") << "en"
                             << "&Open";
}

void TestLayout::qtDialogsSpeakTheUsersLanguage() {
    QFETCH(QString, language);
    QFETCH(QString, openButton);
    QVERIFY(korvane::useLanguage(language));
    const auto asWritten = qScopeGuard([] { korvane::useLanguage(QString()); });
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), openButton);
}

void TestLayout::programEndsWithLastWindow_data() {
    QTest::addColumn<bool>("withHelp");
    QTest::addColumn<bool>("helpFirst");
    QTest::addColumn<int>("quitsAfterFirst");
    QTest::newRow("main window alone") << false << false << 1;
    QTest::newRow("main window closed, help open") << true << false << 0;
    QTest::newRow("help closed, main window open") << true << true << 0;
}

void TestLayout::programEndsWithLastWindow() {
    QFETCH(bool, withHelp);
    QFETCH(bool, helpFirst);
    QFETCH(int, quitsAfterFirst);
    QuitCounter quits;
    qApp->installEventFilter(&quits);
    const std::unique_ptr<QObject> watch(endWithLastWindow());
    main->show();
    QPointer<FrmHelp> help = withHelp ? openHelp() : nullptr;
    int afterFirst = -1;
    int afterLast = -1;
    QTimer::singleShot(0, main.get(), [&] {
        QWidget* first = helpFirst ? static_cast<QWidget*>(help) : main.get();
        QWidget* last = helpFirst ? static_cast<QWidget*>(main.get()) : help;
        first->close();
        afterFirst = quits.count;
        if (last)
            last->close();
        afterLast = quits.count;
        QCoreApplication::quit(); // ends the loop below even when the watch failed
    });
    QCoreApplication::exec();
    QCOMPARE(afterFirst, quitsAfterFirst);
    QCOMPARE(afterLast, 1);
}

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
