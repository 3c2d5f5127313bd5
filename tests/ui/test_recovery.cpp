// Unsaved edits kept in a recovery file and offered back after the program ended without saving
// or dropping them: killed with SIGKILL, or (everywhere) a window destroyed without being closed,
// which leaves the same files behind.
#include "boots/qel_baza.h"
#include "boots/table_patch.h"
#include "test_support.h"
#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const Boots Sample = {
    {1, 3, "Alpha", 1, 2, 3, 4, 5},
    {2, 7, "Beta", 2, 2, 2, 2, 2},
    {3, 25, "Gamma", 5, 4, 3, 2, 1},
};

Boots changed(Boots base, const std::function<void(Boots&)>& change) {
    change(base);
    return base;
}

} // namespace

Q_DECLARE_METATYPE(korvane::RestoreAnswer)

class TestRecovery : public QObject, public WindowControls {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void offeredBackAfterACrash_data();
    void offeredBackAfterACrash();
    void killedWithSigkill();
    void aRunningCopysEditsAreNotOffered();
    void aDamagedRecoveryFileIsMovedAside();
    void aRecoveryFileThatCannotBeWrittenIsSaidOnce();

private:
    QWidget* controlled() const override { return window.get(); }
    // A new window in the program folder, shown, as at a start.
    void start();
    // Opens the user's file in the window through File, Open.
    void open();
    // Runs one user's step: "name" types x after the first boot's name, "stats" sets the
    // second boot's swerve to 4 in the table window, "add" adds a boot, "import" imports a CSV,
    // "undo" takes back the last step, "save" saves.
    void act(const QString& step);
    // The recovery files in the program's folder for them, by name.
    QStringList recoveryFiles() const;
    // Waits until the window has written its recovery file (or, `none`, long enough to have).
    void waitForJournal(bool none = false);

    std::unique_ptr<AppFolder> app;
    std::unique_ptr<TempDir> user;
    std::unique_ptr<FrmMain> window;
    std::unique_ptr<Hooks> hooks;
    QString path;
};

void TestRecovery::initTestCase() {
    QApplication::setApplicationName(QStringLiteral("Korvane"));
}

void TestRecovery::init() {
    app = std::make_unique<AppFolder>();
    user = std::make_unique<TempDir>();
    hooks = std::make_unique<Hooks>();
    path = user->filePath(QStringLiteral("a.bin"));
    QVERIFY(writePacked(path, encoded(Sample)));
    start();
    open();
}

void TestRecovery::cleanup() {
    window.reset();
    hooks.reset();
}

void TestRecovery::start() {
    window = std::make_unique<FrmMain>(app->path());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents(); // the start's offer, if any
}

void TestRecovery::open() {
    hooks->answers = QStringList{path};
    action("MnuFileOpen")->trigger();
    QCOMPARE(list()->count(), int(window->table().Count()));
}

void TestRecovery::act(const QString& step) {
    if (step == QLatin1String("name")) {
        list()->setCurrentRow(0);
        box(2)->setFocus();
        QTest::keyClick(box(2), Qt::Key_End);
        QTest::keyClicks(box(2), QStringLiteral("x"));
    } else if (step == QLatin1String("stats")) {
        action("MnuTable")->trigger();
        QWidget* table = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("FrmTable"))
                table = top;
        QVERIFY(table);
        auto* grid = table->findChild<QTableView*>(QStringLiteral("Grid"));
        grid->model()->setData(grid->model()->index(1, grid->model()->columnCount() - 1), 4);
    } else if (step == QLatin1String("add")) {
        button("Cmd_Dodaj")->click();
    } else if (step == QLatin1String("import")) {
        const QString csv = user->filePath(QStringLiteral("in.csv"));
        QVERIFY(writeFile(csv, QByteArray::fromStdString(boots::encodeCsv(
                                   changed(Sample, [](Boots& b) { b[2].Nazwa = "Delta"; })))));
        hooks->answers = QStringList{csv};
        action("MnuImportCsv")->trigger();
    } else if (step == QLatin1String("undo")) {
        action("MnuUndo")->trigger();
    } else if (step == QLatin1String("save")) {
        action("MnuSaveFile")->trigger();
    }
}

QStringList TestRecovery::recoveryFiles() const {
    return QDir(app->path() + QStringLiteral("zlib/recovery"))
        .entryList({QStringLiteral("*.recovery*")}, QDir::Files, QDir::Name);
}

void TestRecovery::waitForJournal(bool none) {
    if (none) {
        QTest::qWait(800);
        QCOMPARE(recoveryFiles(), QStringList());
        return;
    }
    QTRY_COMPARE(recoveryFiles().size(), 1);
}

void TestRecovery::offeredBackAfterACrash_data() {
    using korvane::RestoreAnswer;
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("meanwhile"); // what another program does to the file meanwhile
    QTest::addColumn<RestoreAnswer>("answer");
    QTest::addColumn<Boots>("restored"); // empty: the table stays the file's
    QTest::addColumn<bool>("kept");      // the recovery file is still there afterwards
    const Boots named = changed(Sample, [](Boots& b) { b[0].Nazwa = "Alphax"; });
    QTest::newRow("a name typed") << QStringList{"name"} << "" << RestoreAnswer::Restore << named
                                  << true;
    QTest::newRow("a stat in the table window")
        << QStringList{"stats"} << "" << RestoreAnswer::Restore
        << changed(Sample, [](Boots& b) { b[1].Podkrecanie = 4; }) << true;
    QTest::newRow("a boot added") << QStringList{"add"} << "" << RestoreAnswer::Restore
                                  << changed(Sample,
                                             [](Boots& b) {
                                                 b.push_back({4, 1, "", 1, 1, 1, 1, 1});
                                             })
                                  << true;
    QTest::newRow("a CSV import") << QStringList{"import"} << "" << RestoreAnswer::Restore
                                  << changed(Sample, [](Boots& b) { b[2].Nazwa = "Delta"; })
                                  << true;
    QTest::newRow("later") << QStringList{"name"} << "" << RestoreAnswer::Later << Boots() << true;
    QTest::newRow("discarded") << QStringList{"name"} << "" << RestoreAnswer::Discard << Boots()
                               << false;
    QTest::newRow("a clash: the file changed meanwhile")
        << QStringList{"name"} << "renamed" << RestoreAnswer::Restore << Boots() << false;
    QTest::newRow("the file gone meanwhile")
        << QStringList{"name"} << "removed" << RestoreAnswer::Restore << Boots() << false;
}

void TestRecovery::offeredBackAfterACrash() {
    QFETCH(QStringList, steps);
    QFETCH(QString, meanwhile);
    QFETCH(korvane::RestoreAnswer, answer);
    QFETCH(Boots, restored);
    QFETCH(bool, kept);
    for (const QString& step : steps)
        act(step);
    waitForJournal();
    window.reset(); // ended without a word: its recovery file stays
    const Boots theirs = changed(Sample, [](Boots& b) { b[0].Nazwa = "Theirs"; });
    if (meanwhile == QLatin1String("renamed"))
        QVERIFY(QFile::remove(path) && writePacked(path, encoded(theirs)));
    if (meanwhile == QLatin1String("removed"))
        QVERIFY(QFile::remove(path));
    const QByteArray file = readFile(path);
    const QString patch = user->filePath(QStringLiteral("kept.csv"));
    hooks->restore = answer;
    hooks->keepPatch = !meanwhile.isEmpty();
    hooks->answers = QStringList{patch};

    start();
    QTRY_COMPARE(hooks->restoreAsked, QStringList{"a.bin"});
    QCOMPARE(recoveryFiles().size(), kept ? 1 : 0);
    QCOMPARE(readFile(path), file); // only a save reaches the user's file
    if (!meanwhile.isEmpty()) {     // said why, and kept as a patch that applies to the original
        QCOMPARE(hooks->keepPatchAsked.size(), 1);
        const QString why = hooks->keepPatchAsked[0];
        QVERIFY2(why.contains(meanwhile == QLatin1String("removed")
                                  ? QStringLiteral("już nie ma")
                                  : QStringLiteral("niezgodności: 1")),
                 qPrintable(why));
        const boots::CsvPatch kept = boots::decodePatch(readFile(patch).toStdString());
        QVERIFY(!kept.error);
        QCOMPARE(boots::applyPatch(Sample, kept.changes).records,
                 changed(Sample, [](Boots& b) { b[0].Nazwa = "Alphax"; }));
        return;
    }
    if (restored.empty()) {
        QVERIFY(!window->isWindowModified());
        return;
    }
    // The edits are back as one step, unsaved; the file keeps them until they are saved.
    QCOMPARE(window->chosenFile(), path);
    QCOMPARE(window->table().allBoots(), restored);
    QVERIFY(window->isWindowModified());
    action("MnuUndo")->trigger();
    QCOMPARE(window->table().allBoots(), Sample);
    action("MnuRedo")->trigger();
    act("save");
    QCOMPARE(unpacked(path), encoded(restored));
    QCOMPARE(recoveryFiles(), QStringList());
}

void TestRecovery::killedWithSigkill() {
#ifdef Q_OS_WIN
    QSKIP("no fork on Windows: the rows above leave the same files behind there");
#else
    window.reset();
    const pid_t child = fork();
    if (child == 0) { // the program, edited and killed half a second after the last change
        start();
        open();
        act("name");
        QTest::qWait(700);
        std::raise(SIGKILL);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    hooks->restore = korvane::RestoreAnswer::Restore;
    start();
    QTRY_COMPARE(hooks->restoreAsked, QStringList{"a.bin"});
    QCOMPARE(window->table().allBoots(), changed(Sample, [](Boots& b) { b[0].Nazwa = "Alphax"; }));
#endif
}

void TestRecovery::aRunningCopysEditsAreNotOffered() {
    act("name");
    waitForJournal();
    auto other = std::make_unique<FrmMain>(app->path());
    other->show();
    QVERIFY(QTest::qWaitForWindowExposed(other.get()));
    QTest::qWait(100);
    QCOMPARE(hooks->restoreAsked, QStringList());
    // Undone back to the saved table: nothing is left to offer.
    act("undo");
    waitForJournal(true);
}

void TestRecovery::aDamagedRecoveryFileIsMovedAside() {
    window.reset();
    const QString folder = app->path() + QStringLiteral("zlib/recovery/");
    QVERIFY(writeFile(folder + QStringLiteral("0dd.recovery"), "Korvane recovery 9\n"));
    start();
    QTRY_COMPARE(hooks->messages.size(), 1);
    QVERIFY(hooks->messages[0].text.contains(QDir::toNativeSeparators(folder) +
                                             QStringLiteral("0dd.recovery")));
    QCOMPARE(recoveryFiles(), QStringList{"0dd.recovery.damaged"});
    QCOMPARE(readFile(folder + QStringLiteral("0dd.recovery.damaged")),
             QByteArray("Korvane recovery 9\n"));
    QVERIFY(hooks->restoreAsked.isEmpty());
}

void TestRecovery::aRecoveryFileThatCannotBeWrittenIsSaidOnce() {
    window.reset();
    const QString folder = app->path() + QStringLiteral("zlib/recovery");
    QVERIFY(QDir(folder).removeRecursively() && writeFile(folder, "a file, not a folder"));
    start();
    open();
    act("name");
    QTRY_COMPARE(hooks->messages.size(), 1);
    QVERIFY(hooks->messages[0].text.startsWith(
        QStringLiteral("Niezapisane zmiany nie będą odtworzone po awarii: ")));
    act("name"); // editing goes on, and nothing more is said
    QTest::qWait(800);
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(window->table().allBoots()[0].Nazwa, std::string("Alphaxx"));
}

QTEST_MAIN(TestRecovery)
#include "test_recovery.moc"
