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
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using boots::BootRecord;

namespace {

const QString kSaved = QStringLiteral("Zapisano plik");
const QString kFailed = QStringLiteral("Wystąpił błąd");
const QString kNotChosen = QStringLiteral("Nie wybrano pliku !!");

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
    void fileThatCannotBeReplacedStaysIntact();
    void misbehavingToolsLeaveTheUsersFiles_data();
    void misbehavingToolsLeaveTheUsersFiles();
    void closingWhileTheToolRunsStopsIt_data();
    void closingWhileTheToolRunsStopsIt();
    void exitWithHelpOpenEndsEverything();
    void closeBoxWithHelpOpenLeavesItRunning();
    void endToEndWithRealDialogs();
    void droppedFileOpens_data();
    void droppedFileOpens();
    void secondWindowKeepsToItsOwnWorkingFolder();
    void leftoverWorkingFolderGoesAtStart_data();
    void leftoverWorkingFolderGoesAtStart();
    void withoutAFolderBesideTheProgramEachUserHasOne();

private:
    // Opens `path` through the window's Open command, the dialog answering `path`.
    void open(const QString& path);
    // Opens a three-boot file, shows the window and opens the help window beside it.
    QPointer<FrmHelp> openWithHelp();
    QWidget* controlled() const override { return window.get(); }
    // Drags `urls` onto the window and drops them; true when the window took the drag.
    bool drop(const QList<QUrl>& urls);

    QTemporaryDir home; // the user's cache and settings
    QString userCache;  // the user's folder for working files, ends with '/'
    std::unique_ptr<AppFolder> app;
    std::unique_ptr<QTemporaryDir> user;
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
#endif
    userCache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QLatin1Char('/');
}

void TestWorkflow::init() {
    app = std::make_unique<AppFolder>();
    user = std::make_unique<QTemporaryDir>();
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
    return window->Help_Window();
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
    QCOMPARE(window->Chosen(), path);
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
    QCOMPARE(window->Chosen(), other);
}

void TestWorkflow::longTableListsItsFirst256AndSavesAll() {
    const Boots boots = table(300, 0);
    const QString path = user->filePath(QStringLiteral("long.bin"));
    QVERIFY(writePacked(path, encoded(boots)));
    open(path);
    QCOMPARE(listTexts(), itemTexts(boots, 256));
    button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), 1);
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
    // Junk in the fields a save rewrites shows that the file really went through the table.
    const Boots boots = table(7, 10, "Łódź \"7\"");
    QByteArray raw = encoded(boots);
    raw[32 + 66] = 9;
    raw[32 + 73] = 9;
    QVERIFY(writePacked(path, raw));
    open(path);
    QCOMPARE(listTexts(), itemTexts(boots));

    for (int i = 0; i < saves; ++i)
        button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), saves);
    for (const korvane::Message& message : hooks->messages) {
        QCOMPARE(message.text, kSaved);
        QVERIFY(message.title.isEmpty());
        QVERIFY(message.icon == korvane::MessageIcon::None);
    }
    QCOMPARE(unpacked(path), encoded(boots));
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
    QCOMPARE(window->Chosen(), path);
    QCOMPARE(app->tempFiles(), temp);
}

void TestWorkflow::failedOpenChangesNothing_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing tool") << QStringLiteral("missing tool") << kFailed;
    QTest::newRow("corrupt file") << QStringLiteral("corrupt") << kFailed;
    QTest::newRow("not a boots table") << QStringLiteral("not a table") << kFailed;
    QTest::newRow("empty file") << QStringLiteral("empty") << kFailed;
    QTest::newRow("cut short") << QStringLiteral("cut short") << kFailed;
    QTest::newRow("stale unpacked file, same name") << QStringLiteral("same name") << kFailed;
    QTest::newRow("a folder") << QStringLiteral("folder") << kFailed;
    QTest::newRow("file in the working folder") << QStringLiteral("in working folder") << kFailed;
    QTest::newRow("link to a file in the working folder") << QStringLiteral("link") << kFailed;
    QTest::newRow("missing file") << QStringLiteral("missing") << kNotChosen;
}

void TestWorkflow::failedOpenChangesNothing() {
    QFETCH(QString, fault);
    QFETCH(QString, message);
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

    open(bad);
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, message);
    if (message == kNotChosen) {
        QCOMPARE(hooks->messages[0].title, QStringLiteral("Błąd wczytywania pliku"));
        QVERIFY(hooks->messages[0].icon == korvane::MessageIcon::Information);
    } else {
        QVERIFY(hooks->messages[0].title.isEmpty());
        QVERIFY(hooks->messages[0].icon == korvane::MessageIcon::None);
    }
    QCOMPARE(listTexts(), itemTexts(good));
    QCOMPARE(window->Chosen(), goodPath);
    QCOMPARE(readFile(bad), badBytes);
    QCOMPARE(QFileInfo::exists(bad), badExists);
    QCOMPARE(window->Baza().Path(),
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
    if (fault != QLatin1String("in working folder") && fault != QLatin1String("link"))
        QCOMPARE(readFile(bad), badBytes);
}

void TestWorkflow::saveBeforeAnyOpenFails() {
    button("Cmd_Zapisz")->click();
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, kFailed);
    QVERIFY(!action("MnuSaveFile")->isEnabled());
}

void TestWorkflow::saveFailuresLeaveTheUsersFile_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("missing tool") << QStringLiteral("missing tool");
    QTest::newRow("tool leaves no output") << QStringLiteral("silent tool");
    QTest::newRow("working folder gone") << QStringLiteral("no working folder");
    QTest::newRow("user's folder now a file") << QStringLiteral("folder is a file");
}

void TestWorkflow::saveFailuresLeaveTheUsersFile() {
    QFETCH(QString, fault);
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
    if (fault == QLatin1String("no working folder"))
        QVERIFY(QDir(app->tempDir()).removeRecursively());
    if (fault == QLatin1String("folder is a file")) {
        QVERIFY(QDir(user->path()).rename(QStringLiteral("games"), QStringLiteral("games moved")));
        QVERIFY(writeFile(user->filePath(QStringLiteral("games")), "a file"));
    }

    action("MnuSaveFile")->trigger();
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, kFailed);
    QCOMPARE(readFile(fault == QLatin1String("folder is a file")
                          ? moved + QStringLiteral("/boots.bin")
                          : path),
             before);
}

void TestWorkflow::fileThatCannotBeReplacedStaysIntact() {
    // The write into the user's folder fails: on POSIX midway, by a file-size limit set while the
    // tool runs (so the tool itself is not limited) in a child process that runs the save; on
    // Windows, the user's file is held open with no sharing while the save runs.
    const QString path = user->filePath(QStringLiteral("boots.bin"));
    QVERIFY(writePacked(path, encoded(table(200))));
    open(path);
    const QByteArray before = readFile(path);
    QVERIFY(before.size() > 200);
    QVERIFY(writeFile(path + QStringLiteral(".bak"), "kept")); // no backup to write first

    // The packed file is still there: the tool ran and only the replace failed.
    const auto saveFails = [this] {
        button("Cmd_Zapisz")->click();
        return QFileInfo::exists(app->tempDir() + QStringLiteral("boots.bin.unzlib.zlib")) &&
               hooks->messages.size() == 1 && hooks->messages[0].text == kFailed;
    };
#ifdef Q_OS_WIN
    {
        const HeldOpen held(path);
        QVERIFY(held.held());
        QVERIFY(saveFails());
    }
#else
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        QTimer::singleShot(0, [] {
            const rlimit limit{100, 100};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        _exit(saveFails() ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
#endif
    QCOMPARE(readFile(path), before);
    QCOMPARE(QDir(user->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{"boots.bin", "boots.bin.bak"}));
}

void TestWorkflow::misbehavingToolsLeaveTheUsersFiles_data() {
    // The stand-in's steps (tests/support/standin_tool.cpp): {1} is the file to pack (or, with -d
    // after it, to unpack), {zlibtool} the real tool. Each first adds its pid to a file that
    // collects the pids of the stand-in and its children.
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("stale");      // a packed table from an earlier failed save is present
    QTest::addColumn<QString>("message"); // empty: the tool hangs until the window is closed
    QTest::newRow("save: half the output, then a crash")
        << "save"
        << "run {zlibtool}\nhalve {1}.zlib\ncrash" << false << kFailed;
    QTest::newRow("save: all the output, then exit 1")
        << "save"
        << "run {zlibtool}\nexit 1" << false << kFailed;
    QTest::newRow("save: the table with one byte changed, exit 0")
        << "save"
        << "repack byte40 {zlibtool}" << false << kFailed;
    QTest::newRow("save: the table less its last byte, exit 0")
        << "save"
        << "repack shorter {zlibtool}" << false << kFailed;
    QTest::newRow("save: the table and a NUL byte more, exit 0")
        << "save"
        << "repack longer {zlibtool}" << false << kFailed;
    QTest::newRow("save: nothing written, stale packed table present")
        << "save"
        << "exit 0" << true << kFailed;
    QTest::newRow("save: a child, then hangs") << "save"
                                               << "child {pids}\nhang" << false << QString();
    QTest::newRow("open: all the output, then exit 1")
        << "open"
        << "run {zlibtool}\nexit 1" << false << kFailed;
    QTest::newRow("open: all the output, then a crash")
        << "open"
        << "run {zlibtool}\ncrash" << false << kFailed;
}

void TestWorkflow::misbehavingToolsLeaveTheUsersFiles() {
    QFETCH(QString, command);
    QFETCH(QString, steps);
    QFETCH(bool, stale);
    QFETCH(QString, message);
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

    QTimer closer; // closes the window once the hanging tool has started its child
    connect(&closer, &QTimer::timeout, window.get(), [&] {
        if (readFile(pids).count('\n') == 2)
            window->close();
    });
    if (message.isEmpty())
        closer.start(10);
    if (command == QLatin1String("open"))
        open(other);
    else
        button("Cmd_Zapisz")->click();
    closer.stop();

    QCOMPARE(hooks->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(hooks->messages[0].text, message);
    QCOMPARE(filesOf(user->path()), before);
    QCOMPARE(listTexts(), itemTexts(boots));
    QCOMPARE(window->Chosen(), path);
    window->close();
    QCOMPARE(app->tempFiles(), QStringList());
    const QStringList started = QString::fromUtf8(readFile(pids)).split('\n', Qt::SkipEmptyParts);
    QVERIFY(!started.isEmpty());
    for (const QString& pid : started)
        QTRY_VERIFY2(processEnded(pid), qPrintable(pid));
}

void TestWorkflow::closingWhileTheToolRunsStopsIt_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << QStringLiteral("close");
    QTest::newRow("File, Exit") << QStringLiteral("exit");
}

void TestWorkflow::closingWhileTheToolRunsStopsIt() {
    QFETCH(QString, how);
    const QString earlier = user->filePath(QStringLiteral("a.bin"));
    QVERIFY(writePacked(earlier, encoded(table(3))));
    open(earlier);
    hooks->messages.clear();

    // A tool that leaves a partial output behind and never ends.
    QVERIFY(app->standInTool(QStringLiteral("touch {1}.part\ntouch {dir}/.partial\nhang")));
    const QString next = user->filePath(QStringLiteral("b.bin"));
    QVERIFY(writePacked(next, encoded(table(5))));

    window->show();
    bool openReturned = false;
    QTimer::singleShot(0, window.get(), [&] {
        QTimer::singleShot(0, window.get(), [&] {
            QTRY_VERIFY(QFileInfo::exists(app->tempDir() + QStringLiteral(".partial")));
            // While the tool runs, no command starts new work.
            hooks->answers << next;
            QVERIFY(!drop({QUrl::fromLocalFile(next)}));
            action("MnuFileOpen")->trigger();
            action("MnuSaveFile")->trigger();
            action("MnuExportCsv")->trigger();
            action("MnuImportCsv")->trigger();
            button("Cmd_Zapisz")->click();
            QCOMPARE(hooks->dialogs, 2);
            QVERIFY(hooks->messages.isEmpty());
            if (how == QLatin1String("exit"))
                action("mnuQuit")->trigger();
            else
                window->close();
        });
        open(next);
        openReturned = true;
        if (how == QLatin1String("close"))
            QCoreApplication::quit();
    });
    QCoreApplication::exec();
    QVERIFY(openReturned);
    QVERIFY(!window->isVisible());
    QVERIFY(hooks->messages.isEmpty());
    QCOMPARE(listTexts(), itemTexts(table(3)));
    QCOMPARE(window->Chosen(), earlier);
    QCOMPARE(app->tempFiles(), QStringList());
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
    QCOMPARE(missing.text, kNotChosen);
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
    QTest::newRow("missing file") << QStringList{"nie ma.bin"} << true << kNotChosen;
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
    QCOMPARE(window->Chosen(), opens ? path : QString());
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
    QCOMPARE(window->Temp_Dir(), app->tempDir());

    auto other = std::make_unique<FrmMain>(app->path());
    const QString otherDir = other->Temp_Dir();
    QVERIFY(otherDir != app->tempDir());
    QVERIFY(otherDir.startsWith(userCache));
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

void TestWorkflow::withoutAFolderBesideTheProgramEachUserHasOne() {
    // Installed for every user: no working folder beside the program.
    QVERIFY(QDir(app->tempDir()).removeRecursively());
    QVERIFY(QDir(user->path()).mkpath(QStringLiteral("gry")));
    const QString path = user->filePath(QStringLiteral("gry/boots.bin"));
    QVERIFY(writePacked(path, encoded(table(3))));
    window = std::make_unique<FrmMain>(app->path());
    const QString cache = userCache + QStringLiteral("temp/");
    QCOMPARE(window->Temp_Dir(), cache);

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
