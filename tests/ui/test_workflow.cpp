// Open, Save, Exit and closing through the real zlibtool: what the list shows, what reaches the
// user's file, and that no failure changes the open file or damages a user's file.
#include "boots/boots_format.h"
#include "boots/qel_baza.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "test_support.h"
#include "ui/frm_help.h"
#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

using boots::BootRecord;

Q_DECLARE_METATYPE(korvane::StopAnswer)

namespace {

const QString kSaved = QStringLiteral("Zapisano plik");
const QString kNotFound = QStringLiteral("Nie znaleziono pliku ");
// The stages a failure message names.
const QString kCopying = QStringLiteral("Kopiowanie pliku do folderu roboczego");
const QString kUnpacking = QStringLiteral("Rozpakowywanie pliku");
const QString kLoading = QStringLiteral("Wczytywanie tabeli butów");
const QString kPacking = QStringLiteral("Pakowanie tabeli butów");
const QString kChecking = QStringLiteral("Sprawdzanie spakowanego pliku");
const QString kReplacing = QStringLiteral("Zastępowanie pliku");

BootRecord boot(int id, const std::string& name) {
    BootRecord record;
    record.ID = static_cast<std::uint8_t>(id);
    record.Grupa = 2;
    record.Nazwa = name;
    record.Sila = 1;
    record.Precyzja = 2;
    record.Przyspieszenie = 3;
    record.Szybkosc = 4;
    record.Podkrecanie = 5;
    return record;
}

// A table of `count` boots with IDs first, first + 1, ... (kept in a byte).
Boots table(int count, int first = 1, const std::string& prefix = "But") {
    Boots boots;
    for (int i = 0; i < count; ++i)
        boots.push_back(boot((first + i) % 256, prefix + " " + std::to_string(i)));
    return boots;
}

// Every file of `folder` with its bytes.
QMap<QString, QByteArray> filesOf(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files[name] = readFile(folder + QLatin1Char('/') + name);
    return files;
}

// True when process `pid` has ended (a zombie waiting to be reaped counts as ended).
bool processEnded(const QString& pid) {
#ifdef Q_OS_WIN
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid.toULong());
    if (!process)
        return true;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
#else
    const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.isEmpty() || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
#endif
}

} // namespace

class TestWorkflow : public QObject, public WindowControls {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openListsEveryBoot();
    void secondOpenReplacesListAndAddButton_data();
    void secondOpenReplacesListAndAddButton();
    void longTableListsItsFirst256AndSavesAll();
    void saveWritesTheTableIntoTheUsersFile_data();
    void saveWritesTheTableIntoTheUsersFile();
    void cancelChangesNothing();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void saveBeforeAnyOpenFails();
    void saveFailuresLeaveTheUsersFile_data();
    void saveFailuresLeaveTheUsersFile();
    void fileThatCannotBeReplacedStaysIntact_data();
    void fileThatCannotBeReplacedStaysIntact();
    void misbehavingToolsLeaveTheUsersFiles_data();
    void misbehavingToolsLeaveTheUsersFiles();
    void commandsWhileTheToolRun_data();
    void commandsWhileTheToolRun();
    void progressWindowStopsTheTool_data();
    void progressWindowStopsTheTool();
    void deletedWorkingFolderIsMadeAgain_data();
    void deletedWorkingFolderIsMadeAgain();
    void exitWithHelpOpenEndsEverything();
    void closeBoxWithHelpOpenLeavesItRunning();
    void endToEndWithRealDialogs();
    void droppedFileOpens_data();
    void droppedFileOpens();
    void secondWindowKeepsToItsOwnWorkingFolder();
    void leftoverWorkingFolderGoesAtStart_data();
    void leftoverWorkingFolderGoesAtStart();
    void filesLeftInTheWorkingFolderGoAtStart();
    void withoutAFolderBesideTheProgramEachUserHasOne();

private:
    // Opens `path` through the window's Open command, the dialog answering `path`.
    void open(const QString& path);
    // Opens a three-boot file, shows the window and opens the help window beside it.
    QPointer<FrmHelp> openWithHelp();
    // Writes a.bin of three boots and b.bin of five into the user's folder, opens a.bin, shows
    // the window and types "x" after the first boot's name; returns the table so edited, empty
    // when a step failed.
    Boots openAndEdit();
    QWidget* controlled() const override { return window.get(); }
    // Drags `urls` onto the window and drops them; true when the window took the drag.
    bool drop(const QList<QUrl>& urls);

    TempDir home;      // the user's cache and settings
    QString userCache; // the user's folder for working files, ends with '/'
    std::unique_ptr<AppFolder> app;
    std::unique_ptr<TempDir> user;
    std::unique_ptr<FrmMain> window;
    std::unique_ptr<Hooks> hooks;
};

void TestWorkflow::initTestCase() {
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    // The user's folders under `home`; Windows reads no variables for them, so there Qt's test
    // folders stand in for the user's own.
#ifdef Q_OS_WIN
    QStandardPaths::setTestModeEnabled(true);
#else
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toLocal8Bit());
#endif
    userCache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QLatin1Char('/');
}

void TestWorkflow::init() {
    app = std::make_unique<AppFolder>();
    user = std::make_unique<TempDir>();
    hooks = std::make_unique<Hooks>();
    window = std::make_unique<FrmMain>(app->path());
}

void TestWorkflow::cleanup() {
    window.reset();
    hooks.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestWorkflow::open(const QString& path) {
    hooks->answers << path;
    action("MnuFileOpen")->trigger();
}

QPointer<FrmHelp> TestWorkflow::openWithHelp() {
    const QString path = user->filePath(QStringLiteral("boots.bin"));
    if (!writePacked(path, encoded(table(3))))
        return nullptr;
    open(path);
    window->show();
    action("Help")->trigger();
    return window->helpWindow();
}

Boots TestWorkflow::openAndEdit() {
    const QString path = user->filePath(QStringLiteral("a.bin"));
    if (!writePacked(path, encoded(table(3))) ||
        !writePacked(user->filePath(QStringLiteral("b.bin")), encoded(table(5))))
        return Boots();
    open(path);
    window->show();
    list()->setCurrentRow(0);
    box(2)->setFocus();
    QTest::keyClick(box(2), Qt::Key_End);
    QTest::keyClicks(box(2), QStringLiteral("x"));
    Boots edited = table(3);
    edited[0].Nazwa += "x";
    return window->table().allBoots() == edited && window->isWindowModified() ? edited : Boots();
}

bool TestWorkflow::drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &dropped);
    return enter.isAccepted();
}

void TestWorkflow::openListsEveryBoot() {
    const QString path = user->filePath(QStringLiteral("boots.bin"));
    QVERIFY(QFile::copy(QStringLiteral(KORVANE_SAMPLE), path));
    open(path);

    QVERIFY(hooks->messages.isEmpty());
    const Boots sample = decoded(unpacked(path));
    QVERIFY(!sample.empty());
    QCOMPARE(listTexts(), itemTexts(sample));
    QCOMPARE(window->findChild<QListWidget*>(QStringLiteral("List1"))->selectedItems().size(), 0);
    QCOMPARE(window->chosenFile(), path);
    QVERIFY(action("MnuSaveFile")->isEnabled());
    QCOMPARE(hooks->dialogTitle, QStringLiteral("Otwórz plik buttów"));
    QCOMPARE(hooks->dialogFolder, app->path());
    QCOMPARE(hooks->dialogFilters,
             (QStringList{"Pliki buttów (*.bin) (*.bin)", "Wszystkie pliki (*.*) (*)"}));
    QCOMPARE(QDir::currentPath() + QLatin1Char('/'), app->path());
}

void TestWorkflow::secondOpenReplacesListAndAddButton_data() {
    QTest::addColumn<int>("lastId");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("last id 255") << 255 << false;
    QTest::newRow("last id 254") << 254 << true;
}

void TestWorkflow::secondOpenReplacesListAndAddButton() {
    QFETCH(int, lastId);
    QFETCH(bool, enabled);
    // Every open sets the button and replaces the list, whatever the earlier one left.
    const QString full = user->filePath(QStringLiteral("full.bin"));
    const QString other = user->filePath(QStringLiteral("other.bin"));
    QVERIFY(writePacked(full, encoded(table(4, 252))));
    QVERIFY(writePacked(other, encoded(table(2, lastId - 1))));
    open(full);
    QVERIFY(!button("Cmd_Dodaj")->isEnabled());
    open(other);
    QCOMPARE(button("Cmd_Dodaj")->isEnabled(), enabled);
    QCOMPARE(listTexts(), itemTexts(table(2, lastId - 1)));
    QCOMPARE(window->chosenFile(), other);
}

void TestWorkflow::longTableListsItsFirst256AndSavesAll() {
    const Boots boots = table(300, 1); // the 256th boot has the identifier 0
    const QString path = user->filePath(QStringLiteral("long.bin"));
    QVERIFY(writePacked(path, encoded(boots)));
    open(path);
    QCOMPARE(listTexts(), itemTexts(boots, 256));
    // Said once, at the open.
    QCOMPARE(hooks->messages.size(), 1);
    QVERIFY(hooks->messages[0].icon == korvane::MessageIcon::Information);
    QVERIFY(hooks->messages[0].text.contains(QStringLiteral("long.bin: 300.")));
    QVERIFY(hooks->messages[0].text.contains(QStringLiteral(" 256 ")));
    QVERIFY(!button("Cmd_Dodaj")->isEnabled()); // no table of 256 boots or more takes one
    button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), 2);
    QCOMPARE(hooks->messages[1].text, kSaved);
    QCOMPARE(unpacked(path), encoded(boots));
}

void TestWorkflow::saveWritesTheTableIntoTheUsersFile_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("saves");
    QTest::newRow("plain name") << QString() << QStringLiteral("boots.bin") << 1;
    QTest::newRow("second save without a new open")
        << QString() << QStringLiteral("boots.bin") << 2;
#ifdef Q_OS_WIN // Windows names hold no '"'
    QTest::newRow("blanks, apostrophes, polish letters")
        << QStringLiteral("a b 'c' zażółć") << QStringLiteral("buty 'x' ąę ł.bin") << 1;
#else
    QTest::newRow("blanks, quotes, polish letters")
        << QStringLiteral("a b \"c\" zażółć") << QStringLiteral("buty \"x\" ąę ł.bin") << 1;
#endif
    QTest::newRow("no extension") << QStringLiteral("dir") << QStringLiteral("buty") << 1;
}

void TestWorkflow::saveWritesTheTableIntoTheUsersFile() {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(int, saves);
    QVERIFY(QDir(user->path()).mkpath(folder.isEmpty() ? QStringLiteral(".") : folder));
    const QString path = QDir(user->filePath(folder)).filePath(name);
    // Bytes that no field stands for come back as they were; the edited group shows that the
    // file really went through the table.
    const Boots boots = table(7, 10, "Łódź \"7\"");
    QByteArray raw = encoded(boots);
    raw[32 + 66] = 9;
    raw[32 + 73] = 9;
    raw.append("tail");
    QVERIFY(writePacked(path, raw));
    open(path);
    QCOMPARE(listTexts(), itemTexts(boots));
    QCOMPARE(hooks->messages.size(), 1); // what follows the boots is kept
    QVERIFY(hooks->messages[0].text.contains(QStringLiteral("zawiera jeszcze 4 bajty;")));
    hooks->messages.clear();
    list()->setCurrentRow(0);
    box(1)->setFocus();
    QTest::keyClicks(box(1), QStringLiteral("3"));
    raw[32 + 65] = 23;

    for (int i = 0; i < saves; ++i)
        button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), saves);
    for (const korvane::Message& message : hooks->messages) {
        QCOMPARE(message.text, kSaved);
        QVERIFY(message.title.isEmpty());
        QVERIFY(message.icon == korvane::MessageIcon::None);
    }
    QCOMPARE(unpacked(path), raw);
    QCOMPARE(app->tempFiles(), QStringList());
    QCOMPARE(QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{name, name + QStringLiteral(".bak")}));
}

void TestWorkflow::cancelChangesNothing() {
    const QString path = user->filePath(QStringLiteral("boots.bin"));
    QVERIFY(writePacked(path, encoded(table(3))));
    open(path);
    const QStringList temp = app->tempFiles();
    open(QString());
    QCOMPARE(hooks->dialogs, 2);
    QVERIFY(hooks->messages.isEmpty());
    QCOMPARE(listTexts(), itemTexts(table(3)));
    QCOMPARE(window->chosenFile(), path);
    QCOMPARE(app->tempFiles(), temp);
}

void TestWorkflow::failedOpenChangesNothing_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("stage"); // empty: the file does not exist
    QTest::addColumn<QString>("says");  // what the message says of the file, if anything
    QTest::newRow("missing tool") << QStringLiteral("missing tool") << kUnpacking
                                  << QStringLiteral(" brak narzędzia ") +
                                         QDir::toNativeSeparators(QStringLiteral("zlib/zlibtool"));
    QTest::newRow("corrupt file")
        << QStringLiteral("corrupt") << kUnpacking
        << QStringLiteral(
               "plik nie jest poprawnie spakowaną tabelą butów (uszkodzony lub obcięty).");
    QTest::newRow("not a boots table") << QStringLiteral("not a table") << kLoading << QString();
    QTest::newRow("empty file") << QStringLiteral("empty") << kUnpacking
                                << QStringLiteral("plik jest pusty (0 bajtów).");
    QTest::newRow("an unpacked table") << QStringLiteral("unpacked") << kUnpacking
                                       << QStringLiteral("plik to rozpakowana tabela butów");
    QTest::newRow("cut short") << QStringLiteral("cut short") << kUnpacking << QString();
    QTest::newRow("stale unpacked file, same name")
        << QStringLiteral("same name") << kUnpacking << QString();
    QTest::newRow("a folder") << QStringLiteral("folder") << kCopying << QString();
    QTest::newRow("file in the working folder")
        << QStringLiteral("in working folder") << kCopying << QString();
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, a file of its own, not a link
    QTest::newRow("link to a file in the working folder")
        << QStringLiteral("link") << kCopying << QString();
#endif
#ifdef Q_OS_WIN
    QTest::newRow("held open by another program")
        << QStringLiteral("held open") << kCopying
        << QStringLiteral("Inny program (na przykład gra) może mieć ten plik otwarty");
#endif
    QTest::newRow("missing file") << QStringLiteral("missing") << QString() << QString();
}

void TestWorkflow::failedOpenChangesNothing() {
    QFETCH(QString, fault);
    QFETCH(QString, stage);
    QFETCH(QString, says);
    const Boots good = table(4, 1, "Dobry");
    const QString goodPath = user->filePath(QStringLiteral("good/boots.bin"));
    QVERIFY(QDir(user->path()).mkpath(QStringLiteral("good")));
    QVERIFY(writePacked(goodPath, encoded(good)));
    open(goodPath);
    QCOMPARE(listTexts(), itemTexts(good));

    QString bad = user->filePath(fault == QLatin1String("same name") ? QStringLiteral("boots.bin")
                                                                     : QStringLiteral("bad.bin"));
    const QByteArray packedTable = readFile(goodPath);
    if (fault == QLatin1String("missing tool"))
        QVERIFY(QFile::rename(app->toolPath(), user->filePath(QStringLiteral("zlibtool"))));
    if (fault == QLatin1String("missing tool") || fault == QLatin1String("same name"))
        QVERIFY(writeFile(bad, "x\234 not zlib"));
    if (fault == QLatin1String("corrupt"))
        QVERIFY(writeFile(bad, "\x78\x9c garbage that is not a stream"));
    if (fault == QLatin1String("not a table"))
        QVERIFY(writePacked(bad, QByteArray("Just some text, not boots.").repeated(10)));
    if (fault == QLatin1String("empty"))
        QVERIFY(writeFile(bad, QByteArray()));
    if (fault == QLatin1String("unpacked"))
        QVERIFY(writeFile(bad, encoded(good)));
    if (fault == QLatin1String("held open"))
        QVERIFY(writePacked(bad, encoded(table(2))));
    if (fault == QLatin1String("cut short"))
        QVERIFY(writeFile(bad, packedTable.left(packedTable.size() / 2)));
    if (fault == QLatin1String("folder")) {
        bad = user->filePath(QStringLiteral("folder.bin"));
        QVERIFY(QDir(user->path()).mkdir(QStringLiteral("folder.bin")));
    }
    if (fault == QLatin1String("in working folder") || fault == QLatin1String("link")) {
        bad = app->tempDir() + QStringLiteral("mine.bin");
        QVERIFY(writePacked(bad, encoded(table(2))));
    }
    if (fault == QLatin1String("link")) {
        QVERIFY(QFile::link(bad, user->filePath(QStringLiteral("link.bin"))));
        bad = user->filePath(QStringLiteral("link.bin"));
    }
    const QByteArray badBytes = readFile(bad);
    const bool badExists = QFileInfo::exists(bad);

    const bool inWorkingFolder =
        fault == QLatin1String("in working folder") || fault == QLatin1String("link");
    if (fault == QLatin1String("held open")) { // by the game, say: Windows lets nobody read it
        QCOMPARE(saveWhileWritesFail(bad, 0, false, [&] { return open(bad), true; }), 0);
    } else {
        open(bad);
    }
    QCOMPARE(hooks->messages.size(), 1);
    if (stage.isEmpty()) {
        QCOMPARE(hooks->messages[0].text, kNotFound + QStringLiteral("bad.bin"));
        QCOMPARE(hooks->messages[0].title, QStringLiteral("Błąd wczytywania pliku"));
        QVERIFY(hooks->messages[0].icon == korvane::MessageIcon::Information);
    } else {
        QVERIFY2(failureSays(hooks->messages[0], stage, false),
                 qPrintable(hooks->messages[0].text));
        // The user's file as the system writes it, never the working copy; what the tool wrote
        // only under the details.
        QVERIFY(hooks->messages[0].text.contains(QStringLiteral("Plik: ") +
                                                 QDir::toNativeSeparators(bad)));
        QVERIFY(!hooks->messages[0].text.contains(QDir::toNativeSeparators(app->tempDir())) ||
                inWorkingFolder);
        QVERIFY(!hooks->messages[0].text.contains(QStringLiteral("Komunikat narzędzia")));
        QVERIFY2(hooks->messages[0].text.contains(says), qPrintable(hooks->messages[0].text));
        if (fault == QLatin1String("corrupt"))
            QVERIFY(hooks->messages[0].details.startsWith(QStringLiteral("Komunikat narzędzia: ")));
        // Emptied, unless the open stopped before it wrote there.
        if (!inWorkingFolder)
            QCOMPARE(app->tempFiles(), QStringList());
    }
    QCOMPARE(listTexts(), itemTexts(good));
    QCOMPARE(window->chosenFile(), goodPath);
    QCOMPARE(readFile(bad), badBytes);
    QCOMPARE(QFileInfo::exists(bad), badExists);
    QCOMPARE(window->table().Path(),
             (app->tempDir() + QStringLiteral("boots.bin.unzlib")).toStdString());

    // Save puts the earlier boots into the earlier file, never into the one that failed.
    if (fault == QLatin1String("missing tool"))
        QVERIFY(QFile::rename(user->filePath(QStringLiteral("zlibtool")), app->toolPath()));
    hooks->messages.clear();
    button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, kSaved);
    QCOMPARE(unpacked(goodPath), encoded(good));
    // The working folder is emptied on save.
    if (!inWorkingFolder)
        QCOMPARE(readFile(bad), badBytes);
}

void TestWorkflow::saveBeforeAnyOpenFails() {
    button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text,
             QStringLiteral("Wystąpił błąd\n\nNie otwarto żadnego pliku."));
    QVERIFY(!action("MnuSaveFile")->isEnabled());
}

void TestWorkflow::saveFailuresLeaveTheUsersFile_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("stage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing tool") << QStringLiteral("missing tool") << kPacking
                                  << QStringLiteral("folder programu jest niekompletny");
    QTest::newRow("tool leaves no output")
        << QStringLiteral("silent tool") << kChecking
        << QStringLiteral("narzędzie zlibtool nie utworzyło spakowanego pliku.");
    QTest::newRow("user's folder now a file")
        << QStringLiteral("folder is a file") << kReplacing << QString();
    QTest::newRow("read-only file") << QStringLiteral("read-only") << kReplacing
                                    << QStringLiteral("plik jest tylko do odczytu.");
}

void TestWorkflow::saveFailuresLeaveTheUsersFile() {
    QFETCH(QString, fault);
    QFETCH(QString, stage);
    QFETCH(QString, reason);
    QVERIFY(QDir(user->path()).mkpath(QStringLiteral("games")));
    const QString path = user->filePath(QStringLiteral("games/boots.bin"));
    QVERIFY(writePacked(path, encoded(table(3))));
    open(path);
    const QByteArray before = readFile(path);
    const QString tool = app->toolPath();
    const QString moved = user->filePath(QStringLiteral("games moved"));

    if (fault == QLatin1String("missing tool"))
        QVERIFY(QFile::remove(tool));
    if (fault == QLatin1String("silent tool"))
        QVERIFY(app->standInTool(QStringLiteral("exit 0")));
    // Mode 0444: root, who may write any file, must be refused too.
    if (fault == QLatin1String("read-only"))
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (fault == QLatin1String("folder is a file")) {
        QVERIFY(QDir(user->path()).rename(QStringLiteral("games"), QStringLiteral("games moved")));
        QVERIFY(writeFile(user->filePath(QStringLiteral("games")), "a file"));
    }

    action("MnuSaveFile")->trigger();
    QCOMPARE(hooks->messages.size(), 1);
    QVERIFY2(failureSays(hooks->messages[0], stage, true), qPrintable(hooks->messages[0].text));
    QVERIFY(hooks->messages[0].text.contains(reason));
    const QString folder =
        fault == QLatin1String("folder is a file") ? moved : user->filePath("games");
    QCOMPARE(readFile(folder + QStringLiteral("/boots.bin")), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"boots.bin"});
    QCOMPARE(app->tempFiles(), QStringList());
}

void TestWorkflow::fileThatCannotBeReplacedStaysIntact_data() {
    QTest::addColumn<bool>("backupThere"); // else this save makes it, from a small file
    QTest::newRow("backup already there") << true;
    QTest::newRow("backup made by this save") << false;
}

void TestWorkflow::fileThatCannotBeReplacedStaysIntact() {
    QFETCH(bool, backupThere);
    // The write into the user's folder fails: on POSIX midway, by a file-size limit set while the
    // tool runs (so the tool itself is not limited) in a child process that runs the save; on
    // Windows, the user's file is held open, for reading only, while the save runs.
    const QString path = user->filePath(QStringLiteral("boots.bin"));
    QVERIFY(writePacked(path, encoded(table(200))));
    open(path);
    if (backupThere)
        QVERIFY(writeFile(path + QStringLiteral(".bak"), "kept"));
    else // changed on disk to what fits under the limit: the backup succeeds, the replace fails
        QVERIFY(writeFile(path, "small"));
    const QByteArray before = readFile(path);

    // The save fails only at the replace, and the working folder's files go with it.
    const auto saveFails = [this] {
        button("Cmd_Zapisz")->click();
        return hooks->messages.size() == 1 && failureSays(hooks->messages[0], kReplacing, true) &&
               app->tempFiles().isEmpty();
    };
    QCOMPARE(saveWhileWritesFail(path, 100, true, saveFails), 0);
    QCOMPARE(readFile(path), before);
    QCOMPARE(QDir(user->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (backupThere ? QStringList{"boots.bin", "boots.bin.bak"} : QStringList{"boots.bin"}));
}

void TestWorkflow::misbehavingToolsLeaveTheUsersFiles_data() {
    // The stand-in's steps (tests/support/standin_tool.cpp): {1} is the file to pack (or, with -d
    // after it, to unpack), {zlibtool} the real tool. Each first adds its pid to a file that
    // collects the pids of the stand-in and its children.
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("stale");    // a packed table from an earlier failed save is present
    QTest::addColumn<QString>("stage"); // empty: the tool hangs until the window is closed
    QTest::newRow("save: half the output, then a crash")
        << "save"
        << "run {zlibtool}\nhalve {1}.zlib\ncrash" << false << kPacking;
    QTest::newRow("save: all the output, then exit 1")
        << "save"
        << "run {zlibtool}\nexit 1" << false << kPacking;
    QTest::newRow("save: the table with one byte changed, exit 0")
        << "save"
        << "repack byte40 {zlibtool}" << false << kChecking;
    QTest::newRow("save: the table less its last byte, exit 0")
        << "save"
        << "repack shorter {zlibtool}" << false << kChecking;
    QTest::newRow("save: the table and a NUL byte more, exit 0")
        << "save"
        << "repack longer {zlibtool}" << false << kChecking;
    QTest::newRow("save: nothing written, stale packed table present")
        << "save"
        << "exit 0" << true << kChecking;
    QTest::newRow("save: a child, then hangs") << "save"
                                               << "child {pids}\nhang" << false << QString();
    QTest::newRow("open: all the output, then exit 1")
        << "open"
        << "run {zlibtool}\nexit 1" << false << kUnpacking;
    QTest::newRow("open: all the output, then a crash")
        << "open"
        << "run {zlibtool}\ncrash" << false << kUnpacking;
}

void TestWorkflow::misbehavingToolsLeaveTheUsersFiles() {
    QFETCH(QString, command);
    QFETCH(QString, steps);
    QFETCH(bool, stale);
    QFETCH(QString, stage);
#ifdef Q_OS_WIN
    if (steps.startsWith(QLatin1String("child")))
        QSKIP("Windows has no process groups: stopping the tool ends the tool alone (zlibtool "
              "starts no programs of its own)");
#endif
    // Junk in a field the save rewrites: the user's file differs from any pack of the table.
    const Boots boots = table(3);
    QByteArray raw = encoded(boots);
    raw[32 + 66] = 9;
    const QString path = user->filePath(QStringLiteral("boots.bin"));
    const QString other = user->filePath(QStringLiteral("other.bin"));
    QVERIFY(writePacked(path, raw));
    QVERIFY(writePacked(other, encoded(table(5))));
    open(path);
    QCOMPARE(listTexts(), itemTexts(boots));
    if (stale) // what the save will write, packed: only its removal stops it being copied over
        QVERIFY(
            writePacked(app->tempDir() + QStringLiteral("boots.bin.unzlib.zlib"), encoded(boots)));

    const QString pids = app->path() + QStringLiteral("pids");
    QVERIFY(app->standInTool(
        QString(QStringLiteral("pid {pids}\n") + steps).replace(QLatin1String("{pids}"), pids)));
    const QMap<QString, QByteArray> before = filesOf(user->path());
    hooks->messages.clear();

    QTimer closer; // closes the window, stopping the tool, once the hanging tool has its child
    connect(&closer, &QTimer::timeout, window.get(), [&] {
        if (readFile(pids).count('\n') == 2)
            window->close();
    });
    if (stage.isEmpty())
        closer.start(10);
    if (command == QLatin1String("open"))
        open(other);
    else
        button("Cmd_Zapisz")->click();
    closer.stop();

    QCOMPARE(hooks->messages.size(), stage.isEmpty() ? 0 : 1);
    if (!stage.isEmpty())
        QVERIFY2(failureSays(hooks->messages[0], stage, command == QLatin1String("save")),
                 qPrintable(hooks->messages[0].text));
    QCOMPARE(filesOf(user->path()), before);
    QCOMPARE(listTexts(), itemTexts(boots));
    QCOMPARE(window->chosenFile(), path);
    window->close();
    QCOMPARE(app->tempFiles(), QStringList());
    const QStringList started = QString::fromUtf8(readFile(pids)).split('\n', Qt::SkipEmptyParts);
    QVERIFY(!started.isEmpty());
    for (const QString& pid : started)
        QTRY_VERIFY2(processEnded(pid), qPrintable(pid));
}

void TestWorkflow::commandsWhileTheToolRun_data() {
    // The command that runs the tool: "save", "open", or "close" answered Save.
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("command"); // asked for meanwhile: "close", "exit" or "open"
    QTest::addColumn<korvane::StopAnswer>("answer");
    using korvane::StopAnswer;
    for (const char* command : {"close", "exit", "open"}) {
        QTest::addRow("save, %s, stop", command) << "save" << command << StopAnswer::Stop;
        QTest::addRow("save, %s, wait", command) << "save" << command << StopAnswer::Wait;
    }
    QTest::newRow("open, close, stop") << "open"
                                       << "close" << StopAnswer::Stop;
    QTest::newRow("open, exit, wait") << "open"
                                      << "exit" << StopAnswer::Wait;
    QTest::newRow("close's save, close, stop") << "close"
                                               << "close" << StopAnswer::Stop;
    QTest::newRow("close's save, close, wait") << "close"
                                               << "close" << StopAnswer::Wait;
}

void TestWorkflow::commandsWhileTheToolRun() {
    QFETCH(QString, running);
    QFETCH(QString, command);
    QFETCH(korvane::StopAnswer, answer);
    const bool waits = answer == korvane::StopAnswer::Wait;
    const QString path = user->filePath(QStringLiteral("a.bin"));
    const QString next = user->filePath(QStringLiteral("b.bin"));
    const Boots edited = openAndEdit();
    QVERIFY(!edited.empty());
    const QByteArray original = readFile(path);
    action("Help")->trigger();
    const QPointer<FrmHelp> help = window->helpWindow();

    // A tool that says it has started, then waits for a go-ahead file before doing its work.
    const QString pids = app->path() + QStringLiteral("pids");
    const QString go = app->path() + QStringLiteral("go");
    QVERIFY(app->standInTool(QStringLiteral("pid %1\nwait %2\nrun {zlibtool}").arg(pids, go)));
    hooks->stop = answer;
    if (running == QLatin1String("close")) // the close box asks about the edit
        hooks->answer = korvane::SaveAnswer::Save;
    hooks->answers << next << next; // the running open's dialog, and the pending open's
    // As the close box does: to the window, past the closing that may be in progress.
    const auto closeBox = [this] {
        QCloseEvent event;
        QApplication::sendEvent(window->windowHandle(), &event);
        return event.isAccepted();
    };

    QTimer asker; // asks for the command once the tool runs, then lets the tool go on
    connect(&asker, &QTimer::timeout, window.get(), [&] {
        if (!QFileInfo::exists(pids))
            return;
        asker.stop();
        if (command == QLatin1String("close"))
            QVERIFY(!closeBox());
        else
            action(command == QLatin1String("exit") ? "mnuQuit" : "MnuFileOpen")->trigger();
        QCOMPARE(hooks->stopAsked,
                 QStringList{running == QLatin1String("open") ? "b.bin" : "a.bin"});
        QVERIFY(window->isVisible()); // nothing more until the running command has ended
        QVERIFY(writeFile(go, QByteArray()));
    });
    asker.start(10);
    if (running == QLatin1String("open"))
        action("MnuFileOpen")->trigger();
    else if (running == QLatin1String("close"))
        closeBox();
    else
        button("Cmd_Zapisz")->click();

    // A stopped save leaves the user's file as it was; after a stop the command asks nothing.
    if (running != QLatin1String("open")) {
        QCOMPARE(hooks->messages.size(), waits ? 1 : 0);
        if (waits)
            QCOMPARE(hooks->messages[0].text, kSaved);
        QCOMPARE(unpacked(path), encoded(waits ? edited : table(3)));
        if (!waits)
            QCOMPARE(readFile(path), original);
    }
    if (command == QLatin1String("open")) {
        QTRY_COMPARE(listTexts(), itemTexts(table(5)));
        QCOMPARE(window->chosenFile(), next);
    } else {
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(!help.isNull(), command == QLatin1String("close"));
    }
    // Only the command that ran the tool asked about the unsaved edit, not the one that waited.
    QCOMPARE(hooks->asked.size(), running == QLatin1String("save") ? 0 : 1);
    if (running == QLatin1String("open") && !waits)
        QCOMPARE(window->chosenFile(), path);
    if (command != QLatin1String("open"))
        QCOMPARE(app->tempFiles(), QStringList());
    for (const QString& pid : QString::fromUtf8(readFile(pids)).split('\n', Qt::SkipEmptyParts))
        QTRY_VERIFY2(processEnded(pid), qPrintable(pid));
}

void TestWorkflow::progressWindowStopsTheTool_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("task");
    QTest::addColumn<bool>("closed"); // the window's close button instead of "Zatrzymaj"
    QTest::newRow("save") << QStringLiteral("save") << QStringLiteral("Pakowanie pliku a.bin…")
                          << false;
    QTest::newRow("open") << QStringLiteral("open") << QStringLiteral("Rozpakowywanie pliku b.bin…")
                          << false;
    QTest::newRow("save, window closed")
        << QStringLiteral("save") << QStringLiteral("Pakowanie pliku a.bin…") << true;
}

void TestWorkflow::progressWindowStopsTheTool() {
    QFETCH(QString, command);
    QFETCH(QString, task);
    QFETCH(bool, closed);
    const QString path = user->filePath(QStringLiteral("a.bin"));
    const QString next = user->filePath(QStringLiteral("b.bin"));
    const Boots edited = openAndEdit();
    QVERIFY(!edited.empty());
    const QMap<QString, QByteArray> before = filesOf(user->path());

    const QString pids = app->path() + QStringLiteral("pids");
    QVERIFY(app->standInTool(QStringLiteral("pid %1\nhang").arg(pids)));
    QStringList enabled; // File, Open; File, Exit; Help; Save; Export; Import; Undo; "save"
    QString said;
    QTimer stopper;
    connect(&stopper, &QTimer::timeout, window.get(), [&] {
        auto* progress = window->findChild<QWidget*>(QStringLiteral("FrmProgress"));
        if (!progress || !progress->isVisible())
            return;
        stopper.stop();
        said = progress->findChild<QLabel*>()->text();
        for (const char* name :
             {"MnuFileOpen", "mnuQuit", "Help", "MnuSaveFile", "MnuExportCsv", "MnuImportCsv"})
            if (action(name)->isEnabled())
                enabled << QLatin1String(name);
        if (window->findChild<QMenu*>(QStringLiteral("MnuEdit"))->menuAction()->isEnabled())
            enabled << QStringLiteral("MnuEdit");
        if (button("Cmd_Zapisz")->isEnabled())
            enabled << QStringLiteral("Cmd_Zapisz");
        QVERIFY(!drop({QUrl::fromLocalFile(next)}));
        if (closed)
            progress->close();
        else
            progress->findChild<QPushButton*>(QStringLiteral("Cmd_Zatrzymaj"))->click();
    });
    stopper.start(10);
    if (command == QLatin1String("open"))
        open(next);
    else
        button("Cmd_Zapisz")->click();

    QCOMPARE(said, task);
    QCOMPARE(enabled, (QStringList{"MnuFileOpen", "mnuQuit", "Help"}));
    // Stopped by the user: no message, nothing written, the edit kept and still unsaved.
    QVERIFY(hooks->messages.isEmpty());
    QCOMPARE(filesOf(user->path()), before);
    QCOMPARE(window->chosenFile(), path);
    QCOMPARE(window->table().allBoots(), edited);
    QVERIFY(window->isWindowModified());
    QCOMPARE(app->tempFiles(), QStringList());
    QVERIFY(!window->findChild<QWidget*>(QStringLiteral("FrmProgress")));
    QVERIFY(action("MnuSaveFile")->isEnabled());
    QVERIFY(button("Cmd_Zapisz")->isEnabled());
    for (const QString& pid : QString::fromUtf8(readFile(pids)).split('\n', Qt::SkipEmptyParts))
        QTRY_VERIFY2(processEnded(pid), qPrintable(pid));
}

void TestWorkflow::deletedWorkingFolderIsMadeAgain_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("open") << QStringLiteral("open");
    QTest::newRow("save") << QStringLiteral("save");
}

void TestWorkflow::deletedWorkingFolderIsMadeAgain() {
    QFETCH(QString, command);
    const QString path = user->filePath(QStringLiteral("a.bin"));
    const QString next = user->filePath(QStringLiteral("b.bin"));
    QVERIFY(writePacked(path, encoded(table(3))));
    QVERIFY(writePacked(next, encoded(table(5))));
    open(path);
    QVERIFY(QDir(app->tempDir()).removeRecursively());
    if (command == QLatin1String("open")) {
        open(next);
        QVERIFY(hooks->messages.isEmpty());
        QCOMPARE(listTexts(), itemTexts(table(5)));
    } else {
        button("Cmd_Zapisz")->click();
        QCOMPARE(hooks->messages.size(), 1);
        QCOMPARE(hooks->messages[0].text, kSaved);
        QCOMPARE(unpacked(path), encoded(table(3)));
    }
    QVERIFY(QFileInfo(app->tempDir()).isDir());
}

void TestWorkflow::exitWithHelpOpenEndsEverything() {
    QPointer<FrmHelp> help = openWithHelp();
    QVERIFY(help && help->isVisible());
    QTimer::singleShot(0, window.get(), [this] { action("mnuQuit")->trigger(); });
    QCoreApplication::exec(); // returns only once the program ends
    QVERIFY(!window->isVisible());
    QVERIFY(!help || !help->isVisible());
    QCOMPARE(app->tempFiles(), QStringList());
}

void TestWorkflow::closeBoxWithHelpOpenLeavesItRunning() {
    QPointer<FrmHelp> help = openWithHelp();
    bool helpOpenAfterClose = false;
    QTimer::singleShot(0, window.get(), [&] {
        window->close();
        // Runs only if closing the main window did not end the program.
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                helpOpenAfterClose = help && help->isVisible();
                if (help)
                    help->close();
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    });
    QCoreApplication::exec();
    QVERIFY(helpOpenAfterClose);
    QCOMPARE(app->tempFiles(), QStringList());
}

void TestWorkflow::endToEndWithRealDialogs() {
    hooks.reset(); // the real dialogs and message boxes
    const QString path = user->filePath(QStringLiteral("moje buty.bin"));
    QVERIFY(QFile::copy(QStringLiteral(KORVANE_SAMPLE), path));
    window->show();

    // Answers the open dialog with `typed`, then the message box that follows, if any.
    struct Seen {
        QString title, text;
        int icon = -1;
    };
    const auto answerDialogs = [](const QString& typed, Seen* box) {
        answerNextModal([typed, box](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QTest::keyClicks(name, typed);
            if (box)
                answerNextModal([box](QWidget* next) {
                    auto* message = qobject_cast<QMessageBox*>(next);
                    QVERIFY(message);
                    *box = {message->windowTitle(), message->text(), message->icon()};
                    message->button(QMessageBox::Ok)->click();
                });
            QTest::keyClick(name, Qt::Key_Return);
        });
    };

    Seen missing;
    answerDialogs(user->filePath(QStringLiteral("nie ma.bin")), &missing);
    action("MnuFileOpen")->trigger();
    QCOMPARE(missing.text, kNotFound + QStringLiteral("nie ma.bin"));
    QCOMPARE(missing.title, QStringLiteral("Błąd wczytywania pliku"));
    QCOMPARE(missing.icon, int(QMessageBox::Information));
    QVERIFY(listTexts().isEmpty());

    answerDialogs(path, nullptr);
    action("MnuFileOpen")->trigger();
    const QByteArray before = unpacked(path);
    QCOMPARE(listTexts(), itemTexts(decoded(before)));

    Seen saved;
    answerNextModal([&saved](QWidget* modal) {
        auto* message = qobject_cast<QMessageBox*>(modal);
        QVERIFY(message);
        saved = {message->windowTitle(), message->text(), message->icon()};
        message->button(QMessageBox::Ok)->click();
    });
    button("Cmd_Zapisz")->click();
    QCOMPARE(saved.text, kSaved);
    QCOMPARE(saved.title, QStringLiteral("Korvane"));
    QCOMPARE(saved.icon, int(QMessageBox::NoIcon));
    QCOMPARE(unpacked(path), encoded(decoded(before)));
    QCOMPARE(app->tempFiles(), QStringList());
}

void TestWorkflow::droppedFileOpens_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("message");
    QTest::newRow("one boots file") << QStringList{"boots.bin"} << true << QString();
    QTest::newRow("missing file") << QStringList{"nie ma.bin"} << true
                                  << kNotFound + QStringLiteral("nie ma.bin");
    QTest::newRow("two files") << QStringList{"boots.bin", "boots.bin"} << false << QString();
    QTest::newRow("web address") << QStringList{"https://example.com/boots.bin"} << false
                                 << QString();
}

void TestWorkflow::droppedFileOpens() {
    QFETCH(QStringList, files);
    QFETCH(bool, taken);
    QFETCH(QString, message);
    const QString path = user->filePath(QStringLiteral("boots.bin"));
    QVERIFY(writePacked(path, encoded(table(3))));
    QList<QUrl> urls;
    for (const QString& file : files)
        urls << (file.contains(QLatin1Char(':')) ? QUrl(file)
                                                 : QUrl::fromLocalFile(user->filePath(file)));

    QCOMPARE(drop(urls), taken);
    const bool opens = taken && message.isEmpty();
    QCOMPARE(listTexts(), opens ? itemTexts(table(3)) : QStringList());
    QCOMPARE(window->chosenFile(), opens ? path : QString());
    QCOMPARE(hooks->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(hooks->messages[0].text, message);
    QCOMPARE(hooks->dialogs, 0);
}

void TestWorkflow::secondWindowKeepsToItsOwnWorkingFolder() {
    const QString first = user->filePath(QStringLiteral("first.bin"));
    const QString second = user->filePath(QStringLiteral("second.bin"));
    QVERIFY(writePacked(first, encoded(table(3))));
    QVERIFY(writePacked(second, encoded(table(5))));
    open(first);
    const QStringList working = app->tempFiles();
    QCOMPARE(window->workFolder(), app->tempDir());

    auto other = std::make_unique<FrmMain>(app->path());
    const QString otherDir = other->workFolder();
    QVERIFY(otherDir != app->tempDir());
    QVERIFY(otherDir.startsWith(userCache));
    // Placed below and to the right of the first, so that both show.
    QVERIFY(other->pos().x() > window->pos().x() && other->pos().y() > window->pos().y());
    hooks->answers << second;
    other->findChild<QAction*>(QStringLiteral("MnuFileOpen"))->trigger();
    QVERIFY(QFileInfo::exists(otherDir + QStringLiteral("second.bin.unzlib")));
    other->findChild<QPushButton*>(QStringLiteral("Cmd_Zapisz"))->click();
    other->close();
    other.reset();
    QVERIFY(!QFileInfo::exists(otherDir));
    QVERIFY(!QFileInfo::exists(otherDir.chopped(1) + QStringLiteral(".lock")));
    QCOMPARE(app->tempFiles(), working);

    button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), 2);
    QCOMPARE(hooks->messages[1].text, kSaved);
    QCOMPARE(unpacked(first), encoded(table(3)));
}

void TestWorkflow::leftoverWorkingFolderGoesAtStart_data() {
    QTest::addColumn<QString>("owner"); // what the lock beside the folder says
    QTest::addColumn<bool>("kept");
    QTest::newRow("its copy has ended") << "ended" << false;
    QTest::newRow("its copy still runs") << "running" << true;
    QTest::newRow("no lock yet, its copy is starting") << "none" << true;
}

void TestWorkflow::leftoverWorkingFolderGoesAtStart() {
    QFETCH(QString, owner);
    QFETCH(bool, kept);
    window.reset();
    const QString folder = userCache + QStringLiteral("temp-a1B2c3");
    const QString lockPath = folder + QStringLiteral(".lock");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeFile(folder + QStringLiteral("/boots.bin.unzlib"), "left over"));
    QLockFile running(lockPath);
    if (owner == QLatin1String("running"))
        QVERIFY(running.tryLock(0));
    else if (owner == QLatin1String("ended")) // a process id beyond any the system hands out
        QVERIFY(writeFile(lockPath, "99999999\n\n\n"));

    window = std::make_unique<FrmMain>(app->path());
    QCOMPARE(QFileInfo::exists(folder), kept);
    QCOMPARE(QFileInfo::exists(lockPath), owner == QLatin1String("running"));
    QVERIFY(QDir(folder).removeRecursively());
}

void TestWorkflow::filesLeftInTheWorkingFolderGoAtStart() {
    window.reset();
    const QStringList left = {"boots.bin", "boots.bin.unzlib", ".korvane-Ab12Cd"};
    for (const QString& name : left)
        QVERIFY(writeFile(app->tempDir() + name, "left by a copy that was killed"));
    window = std::make_unique<FrmMain>(app->path());
    QCOMPARE(app->tempFiles(), QStringList());
}

void TestWorkflow::withoutAFolderBesideTheProgramEachUserHasOne() {
    // Installed for every user: no working folder beside the program.
    QVERIFY(QDir(app->tempDir()).removeRecursively());
    QVERIFY(QDir(user->path()).mkpath(QStringLiteral("gry")));
    const QString path = user->filePath(QStringLiteral("gry/boots.bin"));
    QVERIFY(writePacked(path, encoded(table(3))));
    window = std::make_unique<FrmMain>(app->path());
    const QString cache = userCache + QStringLiteral("temp/");
    QCOMPARE(window->workFolder(), cache);

    open(path);
    QCOMPARE(hooks->dialogFolder, QDir::homePath());
    QVERIFY(QFileInfo::exists(cache + QStringLiteral("boots.bin.unzlib")));
    button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, kSaved);
    QCOMPARE(QDir(cache).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(!QFileInfo::exists(app->tempDir()));

    // The next start opens the dialog where the last file came from.
    window = std::make_unique<FrmMain>(app->path());
    open(QString());
    QCOMPARE(hooks->dialogFolder, user->filePath(QStringLiteral("gry")));
}

QTEST_MAIN(TestWorkflow)
#include "test_workflow.moc"
