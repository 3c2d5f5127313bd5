// Edits are never lost by accident: the unsaved mark, the question before unsaved changes are
// dropped, undo and redo, the one backup of the user's original file, and the table's export to
// CSV and its import, shown before it happens, as one undoable step.
#include "boots/boots_csv.h"
#include "boots/boots_format.h"
#include "boots/qel_baza.h"
#include "boots/table_diff.h"
#include "boots/table_patch.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "test_support.h"
#include "ui/frm_help.h"
#include "ui/frm_main.h"
#include "ui/language.h"
#include "ui/texts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <zlib.h>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#endif

using boots::BootRecord;

Q_DECLARE_METATYPE(korvane::SaveAnswer)
Q_DECLARE_METATYPE(korvane::ReplaceAnswer)

namespace {

// The middle boot holds values outside the editor's limits, as a file may.
const Boots Sample = {
    {1, 3, "Alpha", 1, 2, 3, 4, 5},
    {2, 0, "Beta", 0, 0, 9, 0, 0},
    {3, 25, "Gamma", 5, 4, 3, 2, 1},
};

#ifdef Q_OS_WIN
constexpr int kFileNotFound = ERROR_FILE_NOT_FOUND;
#else
constexpr int kFileNotFound = ENOENT;
#endif

} // namespace

class TestEditSafety : public QObject, public WindowControls {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void modifiedAfterEachStep_data();
    void modifiedAfterEachStep();
    void questionBeforeDropping_data();
    void questionBeforeDropping();
    void undoRedoRestoresWhatWasShown_data();
    void undoRedoRestoresWhatWasShown();
    void backupMadeOnceNeverReplaced_data();
    void backupMadeOnceNeverReplaced();
    void failedBackupStopsTheSave();
    void replaceThatFailsAfterItsBackup_data();
    void replaceThatFailsAfterItsBackup();
    void changedOnDiskAsksBeforeReplacing_data();
    void changedOnDiskAsksBeforeReplacing();
    void csvCommands_data();
    void csvCommands();
    void countWords_data();
    void countWords();
    void tableWindowBesideTheMainWindow();
    void patchCommands_data();
    void patchCommands();

private:
    // Runs the File menu command whose dialog is answered with `file` (empty: cancelled).
    void choose(const QString& file, const char* command = "MnuFileOpen");
    // One user action: "select ROW", "type BOX KEYS" ('<' is Backspace), "focus BOX", or the
    // objectName of a button or menu item to press (File, Open opens the user's file again).
    void act(const QString& action);
    // The table, the list, the selection, the boxes and the stats frame, as one text. `stored`:
    // the boxes as selecting the boot fills them, from the table, rather than as they are.
    QString shown(bool stored = false) const;
    QWidget* controlled() const override { return window.get(); }

    std::unique_ptr<AppFolder> app;
    std::unique_ptr<TempDir> user;
    std::unique_ptr<FrmMain> window;
    QString path; // the user's file
    std::unique_ptr<Hooks> hooks;
};

void TestEditSafety::initTestCase() {
    QApplication::setApplicationName(QStringLiteral("Korvane"));
}

void TestEditSafety::init() {
    app = std::make_unique<AppFolder>();
    user = std::make_unique<TempDir>();
    hooks = std::make_unique<Hooks>();
    window = std::make_unique<FrmMain>(app->path());
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    path = user->filePath(QStringLiteral("a.bin"));
    QVERIFY(writePacked(path, encoded(Sample)));
    choose(path);
    QCOMPARE(list()->count(), 3);
}

void TestEditSafety::cleanup() {
    window.reset();
    hooks.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestEditSafety::choose(const QString& file, const char* command) {
    hooks->answers = QStringList{file};
    action(command)->trigger();
}

void TestEditSafety::act(const QString& step) {
    const QStringList words = step.split(QLatin1Char(' '));
    const QString& verb = words[0];
    if (verb == QLatin1String("select")) {
        list()->setCurrentRow(words[1].toInt());
    } else if (verb == QLatin1String("type") || verb == QLatin1String("focus")) {
        QLineEdit* target = box(words[1].toInt());
        target->setFocus();
        QTest::keyClick(target, Qt::Key_End);
        for (const QChar key : words.value(2)) {
            if (key == QLatin1Char('<'))
                QTest::keyClick(target, Qt::Key_Backspace);
            else
                QTest::keyClicks(target, QString(key));
        }
    } else if (auto* pressed = button(verb.toLatin1().constData())) {
        pressed->click();
    } else if (verb == QLatin1String("MnuFileOpen")) {
        choose(path);
    } else {
        action(verb.toLatin1().constData())->trigger();
    }
}

QString TestEditSafety::shown(bool stored) const {
    const Qel_Baza& table = window->table();
    const auto fields = [&table](int position) {
        const BootRecord boot = table.bootAt(static_cast<std::uint8_t>(position));
        QStringList texts{QString::number(boot.ID), QString::number(boot.Grupa),
                          QString::fromStdString(boot.Nazwa)};
        for (const std::uint8_t stat :
             {boot.Sila, boot.Precyzja, boot.Przyspieszenie, boot.Szybkosc, boot.Podkrecanie})
            texts << QString::number(stat);
        return texts;
    };
    QStringList lines, items, boxes;
    for (int i = 0; i < table.Count(); ++i)
        lines << QStringLiteral("boot ") + fields(i).join(QLatin1Char('|'));
    for (int i = 0; i < list()->count(); ++i)
        items << list()->item(i)->text();
    for (int i = 0; i < 8; ++i)
        boxes << box(i)->text();
    if (stored && list()->currentRow() >= 0)
        boxes = fields(list()->currentRow());
    const bool frame = window->findChild<QGroupBox*>(QStringLiteral("Frame2"))->isVisible();
    lines << QStringLiteral("items ") + items.join(QLatin1Char('|'))
          << QStringLiteral("selected %1").arg(list()->currentRow())
          << QStringLiteral("boxes ") + boxes.join(QLatin1Char('|'))
          << QStringLiteral("frame %1").arg(frame);
    return lines.join(QLatin1Char('\n'));
}

void TestEditSafety::modifiedAfterEachStep_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("modified"); // after each step, 1 for unsaved changes
    // clang-format off
    QTest::newRow("selecting a boot") << QStringList{"select 0"} << "0";
    QTest::newRow("typing a name") << QStringList{"select 0", "type 2 x"} << "01";
    QTest::newRow("typing back to the stored name")
        << QStringList{"select 0", "type 2 x", "type 2 <"} << "010";
    QTest::newRow("stat emptied to its stored value")
        << QStringList{"select 0", "type 3 <", "type 3 1"} << "000";
    QTest::newRow("group clamped, then typed back")
        << QStringList{"select 2", "type 1 9", "type 1 <"} << "010";
    QTest::newRow("added boot, undone, redone")
        << QStringList{"Cmd_Dodaj", "MnuUndo", "MnuRedo"} << "101";
    QTest::newRow("undo back to the opened table")
        << QStringList{"select 0", "type 2 x", "type 1 1", "MnuUndo", "MnuUndo"} << "01110";
    QTest::newRow("save is the clean state")
        << QStringList{"select 0", "type 2 x", "MnuSaveFile", "MnuUndo", "MnuRedo"} << "01010";
    QTest::newRow("open clears the history")
        << QStringList{"select 0", "type 2 x", "MnuFileOpen", "MnuUndo"} << "0100";
    // clang-format on
}

void TestEditSafety::modifiedAfterEachStep() {
    QFETCH(QStringList, steps);
    QFETCH(QString, modified);
    // The open file's name, the unsaved mark after it, then the program's caption.
    const QString caption = window->windowTitle();
    QVERIFY(caption.startsWith(QStringLiteral("a.bin[*] – Korvane version ")));
    for (int i = 0; i < steps.size(); ++i) {
        act(steps[i]);
        const bool expected = modified[i] == QLatin1Char('1');
        QVERIFY2(window->isWindowModified() == expected, qPrintable(steps[i]));
        QCOMPARE(window->windowHandle()->title(),
                 QString(caption).replace(QStringLiteral("[*]"), expected ? "*" : ""));
    }
}

void TestEditSafety::questionBeforeDropping_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<korvane::SaveAnswer>("answer");
    QTest::addColumn<bool>("saveFails");
    using korvane::SaveAnswer;
    for (const char* command : {"MnuFileOpen", "exit", "close"}) {
        QTest::addRow("%s, save", command) << command << SaveAnswer::Save << false;
        QTest::addRow("%s, discard", command) << command << SaveAnswer::Discard << false;
        QTest::addRow("%s, cancel", command) << command << SaveAnswer::Cancel << false;
        QTest::addRow("%s, save fails", command) << command << SaveAnswer::Save << true;
    }
}

void TestEditSafety::questionBeforeDropping() {
    QFETCH(QString, command);
    QFETCH(korvane::SaveAnswer, answer);
    QFETCH(bool, saveFails);
    hooks->answer = answer;
    const QByteArray original = readFile(path);
    const QString next = user->filePath(QStringLiteral("b.bin"));
    QVERIFY(writePacked(next, encoded({{9, 1, "Next", 1, 1, 1, 1, 1}})));
    action("Help")->trigger();
    QPointer<FrmHelp> help = window->helpWindow();
    act(QStringLiteral("select 0"));
    act(QStringLiteral("type 2 x"));
    Boots edited = Sample;
    edited[0].Nazwa = "Alphax";
    if (saveFails)
        QVERIFY(QFile::remove(app->toolPath()));

    if (command == QLatin1String("MnuFileOpen")) {
        choose(next);
    } else if (command == QLatin1String("close")) {
        window->close();
    } else {
        QTimer::singleShot(0, window.get(), [this] {
            action("mnuQuit")->trigger();
            if (window->isVisible())      // the program goes on: end this test's loop
                QCoreApplication::exit(); // quit() would ask the window again
        });
        QCoreApplication::exec();
    }

    const bool saved = answer == korvane::SaveAnswer::Save && !saveFails;
    const bool goesOn = answer == korvane::SaveAnswer::Discard || saved;
    QCOMPARE(hooks->asked, QStringList{"a.bin"});
    if (saved)
        QCOMPARE(unpacked(path), encoded(edited));
    else
        QCOMPARE(readFile(path), original);
    QCOMPARE(hooks->messages.size(), answer == korvane::SaveAnswer::Save ? 1 : 0);
    if (command == QLatin1String("MnuFileOpen")) {
        QCOMPARE(list()->item(0)->text(), goesOn ? QStringLiteral("9:Next") : "1:Alphax");
        QCOMPARE(window->isWindowModified(), !goesOn);
    } else {
        QCOMPARE(window->isVisible(), !goesOn);
    }
    QCOMPARE(help && help->isVisible(), command != QLatin1String("exit") || !goesOn);
}

void TestEditSafety::undoRedoRestoresWhatWasShown_data() {
    QTest::addColumn<QStringList>("steps"); // each one undo step of actions joined by ';'
    QTest::addColumn<bool>("keys");         // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z in a box
    const QStringList twoBoots{"select 0;type 1 9", "select 2;type 3 <3", "type 7 <2"};
    QTest::newRow("a typed name is one step") << QStringList{"select 0;type 2 xy"} << false;
    QTest::newRow("group and stats of two boots") << twoBoots << false;
    QTest::newRow("the same, by keys") << twoBoots << true;
    QTest::newRow("values outside the limits come back")
        << QStringList{"select 1;type 2 z"} << false;
    QTest::newRow("added boots and a name for one")
        << QStringList{"Cmd_Dodaj", "type 2 N", "select 0;Cmd_Dodaj"} << false;
    QTest::newRow("same box again after another was chosen")
        << QStringList{"select 0;type 2 a", "focus 1;type 2 b"} << false;
}

void TestEditSafety::undoRedoRestoresWhatWasShown() {
    QFETCH(QStringList, steps);
    QFETCH(bool, keys);
    QStringList before, after; // undo and redo show the boot as the table holds it
    for (const QString& step : steps) {
        const QStringList actions = step.split(QLatin1Char(';'));
        // The step starts with the first change: a selection or a box chosen comes before it.
        const bool chooses = actions[0].startsWith(QLatin1String("select")) ||
                             actions[0].startsWith(QLatin1String("focus"));
        if (chooses)
            act(actions[0]);
        before << shown(true);
        for (qsizetype i = chooses ? 1 : 0; i < actions.size(); ++i)
            act(actions[i]);
        after << shown(true);
    }
    QVERIFY(before.last() != after.last());

    const auto press = [&](bool undo, qsizetype i) {
        if (!keys)
            return action(undo ? "MnuUndo" : "MnuRedo")->trigger();
        QTest::keySequence(box(2), QKeySequence(QLatin1String(undo    ? "Ctrl+Z"
                                                              : i % 2 ? "Ctrl+Shift+Z"
                                                                      : "Ctrl+Y")));
    };
    for (qsizetype i = steps.size() - 1; i >= 0; --i) {
        QVERIFY(action("MnuUndo")->isEnabled());
        press(true, i);
        QCOMPARE(shown(), before[i]);
    }
    QVERIFY(!action("MnuUndo")->isEnabled());
    for (qsizetype i = 0; i < steps.size(); ++i) {
        QVERIFY(action("MnuRedo")->isEnabled());
        press(false, i);
        QCOMPARE(shown(), after[i]);
    }
    QVERIFY(!action("MnuRedo")->isEnabled());
}

void TestEditSafety::backupMadeOnceNeverReplaced_data() {
    QTest::addColumn<bool>("earlier"); // a FILE.bak is already there
    QTest::newRow("no backup yet") << false;
    QTest::newRow("backup already there") << true;
}

void TestEditSafety::backupMadeOnceNeverReplaced() {
    QFETCH(bool, earlier);
    const QString backup = path + QStringLiteral(".bak");
    const QByteArray expected = earlier ? QByteArray("earlier") : readFile(path);
    if (earlier)
        QVERIFY(writeFile(backup, expected));
    Boots edited = Sample;
    for (const char* name : {"x", "y"}) {
        act(QStringLiteral("select 0"));
        act(QStringLiteral("type 2 ") + QLatin1String(name));
        act(QStringLiteral("MnuSaveFile"));
        edited[0].Nazwa += name;
        QCOMPARE(unpacked(path), encoded(edited));
        QCOMPARE(readFile(backup), expected);
    }
    QCOMPARE(QDir(user->path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"a.bin", "a.bin.bak"}));
}

void TestEditSafety::failedBackupStopsTheSave() {
    // The user's file is a zlib stream of stored blocks, larger than the packed table that would
    // replace it. On POSIX a file-size limit between the two, set while the tool runs, fails the
    // backup alone: a save that went on past it would replace the file. On Windows the user's
    // file is held open with no sharing, so that the backup cannot read it (nor the save replace
    // it).
    const QByteArray raw = encoded(Sample);
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    QByteArray stored(static_cast<qsizetype>(size), '\0');
    QCOMPARE(compress2(reinterpret_cast<Bytef*>(stored.data()), &size,
                       reinterpret_cast<const Bytef*>(raw.constData()),
                       static_cast<uLong>(raw.size()), 0),
             Z_OK);
    stored.truncate(static_cast<qsizetype>(size));
    const int limit = 200;
    QVERIFY(stored.size() > limit);
    QVERIFY(readFile(path).size() < limit);
    QVERIFY(writeFile(path, stored));

#ifdef Q_OS_WIN
    const int reason = EACCES; // the file held open
#else
    const int reason = EFBIG;
#endif
    const auto saveFails = [this, reason] { // says why: the system's reason, kept from the call
        act(QStringLiteral("MnuSaveFile"));
        return hooks->messages.size() == 1 &&
               failureSays(hooks->messages[0], QStringLiteral("Tworzenie kopii zapasowej"), true) &&
               hooks->messages[0].text.contains(qt_error_string(reason));
    };
    QCOMPARE(saveWhileWritesFail(path, limit, false, saveFails), 0);
    QCOMPARE(readFile(path), stored);
    QCOMPARE(QDir(user->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.bin"});
}

void TestEditSafety::replaceThatFailsAfterItsBackup_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target"); // the file replaced, in the user's folder
    QTest::addColumn<QString>("says");   // what the message begins with
    QTest::newRow("save") << "MnuSaveFile"
                          << "a.bin"
                          << "Wystąpił błąd";
    QTest::newRow("export") << "MnuExportCsv"
                            << "in.csv"
                            << "Nie zapisano pliku in.csv: ";
}

// A replace that made its backup and then cannot rename over the file leaves the file as it was
// and no new backup beside it.
void TestEditSafety::replaceThatFailsAfterItsBackup() {
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(QString, says);
    QVERIFY(writeFile(user->filePath(QStringLiteral("in.csv")), "earlier"));
    act(QStringLiteral("select 0"));
    act(QStringLiteral("type 2 x"));
    for (const QString& folder : {app->path(), app->tempDir()}) // written by the step too
        QFile::setPermissions(folder, QFile::Permissions(0x7777));
    const QString chosen = user->filePath(target);
    const QByteArray before = readFile(chosen);
    const int result = whileReplacingFails(chosen, [&] {
        choose(chosen, command.toLatin1().constData());
        return hooks->messages.size() == 1 && hooks->messages[0].text.startsWith(says);
    });
    if (result == -1)
        QSKIP("a file that cannot be replaced needs root here");
    QCOMPARE(result, 0);
    QCOMPARE(readFile(chosen), before);
    QCOMPARE(QDir(user->path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"a.bin", "in.csv"}));
}

void TestEditSafety::changedOnDiskAsksBeforeReplacing_data() {
    using korvane::ReplaceAnswer;
    QTest::addColumn<QString>("change");       // by another program, after the open
    QTest::addColumn<ReplaceAnswer>("answer"); // to the question
    QTest::newRow("unchanged: no question") << "none" << ReplaceAnswer::Replace;
    QTest::newRow("rewritten, replace") << "rewritten" << ReplaceAnswer::Replace;
    QTest::newRow("rewritten, cancel") << "rewritten" << ReplaceAnswer::Cancel;
    QTest::newRow("rewritten, compare") << "rewritten" << ReplaceAnswer::Compare;
    QTest::newRow("other bytes, same size and time, cancel")
        << "same size and time" << ReplaceAnswer::Cancel;
    QTest::newRow("deleted, replace") << "deleted" << ReplaceAnswer::Replace;
    QTest::newRow("deleted, cancel") << "deleted" << ReplaceAnswer::Cancel;
}

void TestEditSafety::changedOnDiskAsksBeforeReplacing() {
    QFETCH(QString, change);
    QFETCH(korvane::ReplaceAnswer, answer);
    hooks->replace = answer;
    const bool replace = answer == korvane::ReplaceAnswer::Replace;
    act(QStringLiteral("select 0"));
    act(QStringLiteral("type 2 x"));
    Boots edited = Sample;
    edited[0].Nazwa += "x";
    if (change == QLatin1String("rewritten"))
        QVERIFY(QFile::remove(path) &&
                writePacked(path, encoded({{7, 1, "Theirs", 1, 1, 1, 1, 1}})));
    if (change == QLatin1String("deleted"))
        QVERIFY(QFile::remove(path));
    if (change == QLatin1String("same size and time")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime time = file.fileTime(QFileDevice::FileModificationTime);
        QByteArray bytes = file.readAll();
        bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
        QVERIFY(file.seek(0) && file.write(bytes) == bytes.size() && file.flush());
        QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
    }
    const QByteArray theirs = readFile(path);
    const bool exists = QFileInfo::exists(path);

    act(QStringLiteral("MnuSaveFile"));
    const bool changed = change != QLatin1String("none");
    QCOMPARE(hooks->replaceAsked, changed ? QStringList{"a.bin"} : QStringList());
    QCOMPARE(app->tempFiles(), QStringList());
    if (answer == korvane::ReplaceAnswer::Compare) { // the table window compares theirs
        QWidget* table = nullptr;
        for (QWidget* shown : QApplication::topLevelWidgets())
            if (shown->objectName() == QLatin1String("FrmTable") && shown->isVisible())
                table = shown;
        QVERIFY(table);
        QVERIFY(table->findChild<QLabel*>(QStringLiteral("Status"))
                    ->text()
                    .startsWith(QStringLiteral("Porównanie z plikiem a.bin: ")));
        table->close();
    }
    if (!replace) { // nothing written, the edit kept and still unsaved
        QVERIFY(hooks->messages.isEmpty());
        QCOMPARE(readFile(path), theirs);
        QCOMPARE(QFileInfo::exists(path), exists);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".bak")));
        QVERIFY(window->isWindowModified());
        QCOMPARE(window->table().allBoots(), edited);
        return;
    }
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, QStringLiteral("Zapisano plik"));
    QCOMPARE(unpacked(path), encoded(edited));
    // The saved file is the one remembered now: the next save asks nothing.
    act(QStringLiteral("type 2 y"));
    act(QStringLiteral("MnuSaveFile"));
    QCOMPARE(hooks->replaceAsked.size(), changed ? 1 : 0);
    edited[0].Nazwa += "y";
    QCOMPARE(unpacked(path), encoded(edited));
}

void TestEditSafety::csvCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");   // chosen in the user's folder; empty: cancelled
    QTest::addColumn<QByteArray>("csv"); // in.csv after the command (an export finds "earlier")
    QTest::addColumn<bool>("answer");    // to the import preview
    QTest::addColumn<QStringList>("preview"); // what it showed; ending in "…": what it began with
    QTest::addColumn<Boots>("imported");      // empty: the table stays as it was
    QTest::addColumn<QString>("message");
    const QString exportCsv = QStringLiteral("MnuExportCsv"), importCsv = "MnuImportCsv";
    const QByteArray header = "\xEF\xBB\xBFposition,id,group,name,shot_power,shot_accuracy,"
                              "acceleration,top_speed,swerve\r\n";
    const QByteArray boot = "0,1,1,A,1,1,1,1,1\r\n";
    const QString unreadable = QStringLiteral("Nie można wczytać pliku CSV in.csv:\n");
    QTest::newRow("export, unsaved edit and values outside the limits")
        << exportCsv << "in.csv"
        << header + "0,1,3,Alphax,1,2,3,4,5\r\n1,2,0,Beta,0,0,9,0,0\r\n2,3,25,Gamma,5,4,3,2,1\r\n"
        << true << QStringList() << Boots() << "Wyeksportowano 3 buty do pliku in.csv.";
    QTest::newRow("export cancelled")
        << exportCsv << "" << QByteArray("earlier") << true << QStringList() << Boots() << "";
    QTest::newRow("export into a file")
        << exportCsv << "a.bin/in.csv" << QByteArray("earlier") << true << QStringList() << Boots()
        << "Nie zapisano pliku in.csv: nie można utworzyć pliku "
           "w folderze ";
    QTest::newRow("export over the open file")
        << exportCsv << "a.bin" << QByteArray("earlier") << true << QStringList() << Boots()
        << "Nie zapisano pliku a.bin: to otwarty plik butów, który eksport by zniszczył.";
    Boots many(300); // more boots than the list shows
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = {static_cast<std::uint8_t>(i), 1, "Łódź " + std::to_string(i), 1, 2, 3, 4, 9};
    QTest::newRow("import") << importCsv << "in.csv"
                            << QByteArray::fromStdString(boots::encodeCsv(many)) << true
                            << QStringList{"Import zmieni 3 buty, doda 297 butów i usunie 0 butów.",
                                           "0|1|id|1|0",
                                           "0|1|group|3|1",
                                           "0|1|name|„Alpha”|„Łódź 0”",
                                           "0|1|swerve|5|9",
                                           "…"}
                            << many << "Zaimportowano 300 butów z pliku in.csv.";
    // A spreadsheet made "007" of "Alpha" 7; a swerve changed, the last boot taken away.
    const QByteArray changed = header + "0,1,3,7,1,2,3,4,5\r\n1,2,0,Beta,0,0,9,0,1\r\n";
    const QStringList shownChanges{"Import zmieni 2 buty, doda 0 butów i usunie 1 but.",
                                   "0|1|name|„Alpha”|„7”", "1|2|swerve|0|1",
                                   "2|3|usunięty but|„Gamma”|"};
    QTest::newRow("import previewed, imported")
        << importCsv << "in.csv" << changed << true << shownChanges
        << Boots{{1, 3, "7", 1, 2, 3, 4, 5}, {2, 0, "Beta", 0, 0, 9, 0, 1}}
        << "Zaimportowano 2 buty z pliku in.csv.";
    QTest::newRow("import previewed, cancelled")
        << importCsv << "in.csv" << changed << false << shownChanges << Boots() << "";
    QTest::newRow("import of the same table")
        << importCsv << "in.csv" << QByteArray::fromStdString(boots::encodeCsv(Sample)) << true
        << QStringList() << Boots() << "Plik in.csv nie zmienia niczego w tabeli butów.";
    const struct {
        const char* row;
        QByteArray csv;
        const char* fault;
    } faults[] = {
        {"not a number", header + "0,1,1,A,1,1,1,1,x\r\n",
         "Wiersz 2, kolumna „swerve”: to nie jest liczba całkowita od 0 do 255."},
        {"number too large", header + "0,1,1,A,1,1,1,300,1\r\n",
         "Wiersz 2, kolumna „top_speed”: liczba 300 jest spoza zakresu od 0 do 255."},
        {"rows out of order", header + boot + "2,2,1,B,1,1,1,1,1\r\n",
         "Wiersz 3, kolumna „position”: jest 2 zamiast 1; wiersze muszą zachować kolejność "
         "tabeli."},
        {"letter outside the code page", header + "0,1,1,Aф,1,1,1,1,1\r\n",
         "Wiersz 2, kolumna „name”: znaku nr 2 nazwy („ф”, U+0444) nie ma w kodowaniu "
         "Windows-1250."},
        {"name too long", header + "0,1,1," + QByteArray(72, 'x') + ",1,1,1,1,1\r\n",
         "Wiersz 2, kolumna „name”: nazwa ma 72 znaki, a pole nazwy mieści najwyżej 64."},
        {"tenth column", header + "0,1,1,A,1,1,1,1,1,1\r\n",
         "Wiersz 2, kolumna 10: nadmiarowa kolumna za ostatnią."},
        {"empty line between rows", header + boot + "\r\n" + boot, "Wiersz 3: pusty wiersz."},
    };
    for (const auto& fault : faults)
        QTest::addRow("import, %s", fault.row)
            << importCsv << "in.csv" << fault.csv << true << QStringList() << Boots()
            << unreadable + QString::fromUtf8(fault.fault);
    QTest::newRow("import, missing file")
        << importCsv << "gone.csv" << QByteArray() << true << QStringList() << Boots()
        << QStringLiteral("Nie można wczytać pliku CSV gone.csv:\n") +
               qt_error_string(kFileNotFound); // the system's own text
    QTest::newRow("import cancelled")
        << importCsv << "" << header + boot << true << QStringList() << Boots() << "";
}

void TestEditSafety::csvCommands() {
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QByteArray, csv);
    QFETCH(bool, answer);
    QFETCH(QStringList, preview);
    QFETCH(Boots, imported);
    QFETCH(QString, message);
    const bool exporting = command == QLatin1String("MnuExportCsv");
    const QString in = user->filePath(QStringLiteral("in.csv"));
    QVERIFY(writeFile(in, exporting ? QByteArray("earlier") : csv));
    const QByteArray original = readFile(path);
    const QString opened = shown();
    act(QStringLiteral("select 0"));
    if (exporting)
        act(QStringLiteral("type 2 x"));
    const QString before = shown();
    hooks->importAnswer = answer;
    choose(file.isEmpty() ? QString() : user->filePath(file), command.toLatin1().constData());
    QCOMPARE(readFile(in), csv);
    QCOMPARE(readFile(path), original); // only a save reaches the user's file
    const bool begun = !preview.isEmpty() && preview.constLast() == QStringLiteral("…");
    if (begun)
        preview.removeLast();
    QCOMPARE(begun ? hooks->preview.mid(0, preview.size()) : hooks->preview, preview);
    QCOMPARE(hooks->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) // the message, or what it begins with when it names a folder
        QVERIFY2(hooks->messages[0].text.startsWith(message), qPrintable(hooks->messages[0].text));
    if (imported.empty()) {
        QCOMPARE(shown(), before);
        QCOMPARE(window->isWindowModified(), exporting); // an export is not a save
        return;
    }

    // The whole table replaced, its first 256 boots listed, the editor reset: one undo step.
    QCOMPARE(window->table().allBoots(), imported);
    QCOMPARE(listTexts(), itemTexts(imported));
    const QString after = shown();
    QVERIFY(after.endsWith(QStringLiteral("\nselected -1\nboxes 0|0||0|0|0|0|0\nframe 0")));
    QVERIFY(window->isWindowModified());
    action("MnuUndo")->trigger();
    QCOMPARE(shown(), opened);
    QVERIFY(!window->isWindowModified());
    action("MnuRedo")->trigger();
    QCOMPARE(shown(), after);
    QVERIFY(window->isWindowModified());
    choose(user->filePath(QStringLiteral("out.csv")), "MnuExportCsv"); // every boot, as read
    QCOMPARE(readFile(user->filePath(QStringLiteral("out.csv"))), csv);
}

void TestEditSafety::countWords_data() {
    QTest::addColumn<QString>("words"); // the count, then the noun in its form for that count
    for (const char* words : {"0 butów", "1 but", "2 buty", "4 buty", "5 butów", "12 butów",
                              "14 butów", "21 butów", "22 buty", "112 butów", "1024 buty"})
        QTest::newRow(words) << QString::fromUtf8(words);
}

void TestEditSafety::countWords() {
    QFETCH(QString, words);
    const auto count = words.section(QLatin1Char(' '), 0, 0).toULongLong();
    QCOMPARE(bootsCount(count), words); // as written
    QVERIFY(korvane::useLanguage(QStringLiteral("pl")));
    const QString polish = bootsCount(count);
    korvane::useLanguage(QString());
    QCOMPARE(polish, words);
}

void TestEditSafety::tableWindowBesideTheMainWindow() {
    const auto tables = [] {
        QList<QWidget*> found;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("FrmTable") && top->isVisible())
                found << top;
        return found;
    };
    QVERIFY(action("MnuTable")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
    action("MnuTable")->trigger();
    QCOMPARE(tables().size(), 1);
    QWidget* table = tables()[0];
    QCOMPARE(table->windowTitle(), QStringLiteral("Tabela butów"));

    auto* grid = table->findChild<QTableView*>(QStringLiteral("Grid"));
    grid->model()->setData(grid->model()->index(0, 2), QStringLiteral("Zeta"));
    QCOMPARE(list()->item(0)->text(), QStringLiteral("1:Zeta"));
    QVERIFY(window->isWindowModified());
    action("MnuUndo")->trigger(); // the main window's Undo takes back the table's change
    QCOMPARE(grid->model()->index(0, 2).data().toString(), QStringLiteral("Alpha"));
    QVERIFY(!window->isWindowModified());

    // The main window's file keys work there too: Ctrl+S saves.
    grid->model()->setData(grid->model()->index(0, 2), QStringLiteral("Zeta"));
    table->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(table));
    QTest::keySequence(grid, QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(hooks->messages.size(), 1);
    QCOMPARE(hooks->messages[0].text, QStringLiteral("Zapisano plik"));
    QVERIFY(!window->isWindowModified());

    window->close();
    QTRY_VERIFY(tables().isEmpty());
}

void TestEditSafety::patchCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("base");    // an export after a save: "original" or "saved"
    QTest::addColumn<QByteArray>("file"); // b.bin, the file the command chooses
    QTest::addColumn<Boots>("table");     // the table afterwards
    QTest::addColumn<QString>("message"); // a part of the one message shown
    const auto patch = [](const Boots& from, const Boots& to) {
        return QByteArray::fromStdString(boots::encodePatch(boots::compareTables(from, to)));
    };
    Boots regrouped = Sample, renamed = Sample, renamedAgain = Sample, longer = Sample;
    regrouped[2].Grupa = 7;
    renamed[1].Nazwa = "Zeta";
    renamedAgain[1].Nazwa = "Omega";
    longer.push_back({4, 1, "Delta", 1, 1, 1, 1, 1});
    Boots others = Sample, othersAgain = Sample; // every field but the ids clashes: 21 clashes
    for (std::size_t k = 0; k < Sample.size(); ++k) {
        others[k] = {Sample[k].ID, 200, "Other", 17, 17, 17, 17, 17};
        othersAgain[k] = {Sample[k].ID, 201, "Again", 18, 18, 18, 18, 18};
    }
    QTest::newRow("export after an edit")
        << "MnuExportPatch"
        << "" << QByteArray() << Boots() << "w pliku b.bin (zmienione pola: 1)";
    QTest::newRow("export after a save, since the original")
        << "MnuExportPatch"
        << "original" << QByteArray() << Boots()
        << "względem pliku a.bin.bak w pliku b.bin (zmienione pola: 1)";
    QTest::newRow("export after a save, since the save")
        << "MnuExportPatch"
        << "saved" << QByteArray() << Boots()
        << "względem pliku a.bin w pliku b.bin (zmienione pola: 0)";
    QTest::newRow("apply, fits") << "MnuApplyPatch"
                                 << "" << patch(Sample, regrouped) << regrouped
                                 << "Zastosowano zmiany z pliku b.bin: zmienione buty: 1, "
                                    "zmienione pola: 1.";
    QTest::newRow("apply, clashes")
        << "MnuApplyPatch"
        << "" << patch(renamed, renamedAgain) << Boots()
        << "pozycja 1 (ID 2), kolumna name: zmiany zakładają „Zeta”, a plik ma „Beta”";
    QTest::newRow("apply, more clashes than the text lists")
        << "MnuApplyPatch"
        << "" << patch(others, othersAgain) << Boots() << "(niezgodności: 21)";
    QTest::newRow("apply, malformed")
        << "MnuApplyPatch"
        << "" << QByteArray("position,id,column,before,after\r\n0,1,nope,a,b\r\n") << Boots()
        << "Plik b.bin nie jest plikiem zmian:\nWiersz 2, kolumna „column”: „nope” to nie jest "
           "nazwa żadnej kolumny buta.";
    QTest::newRow("compare") << "MnuCompare"
                             << "" << encoded(longer) << Boots()
                             << "Porównanie z plikiem b.bin: różne buty: 2, różne pola: 9";
}

void TestEditSafety::patchCommands() {
    QFETCH(QString, command);
    QFETCH(QString, base);
    QFETCH(QByteArray, file);
    QFETCH(Boots, table);
    QFETCH(QString, message);
    const QString chosen = user->filePath(QStringLiteral("b.bin"));
    QVERIFY(command == QLatin1String("MnuCompare") ? writePacked(chosen, file)
                                                   : writeFile(chosen, file));
    act(QStringLiteral("select 0"));
    act(QStringLiteral("type 2 x")); // an unsaved change
    Boots edited = Sample;
    edited[0].Nazwa = "Alphax";
    if (!base.isEmpty()) {
        act(QStringLiteral("MnuSaveFile"));
        hooks->messages.clear();
        hooks->patchBase = base == QLatin1String("original") ? korvane::PatchBase::Original
                                                             : korvane::PatchBase::Saved;
    }
    choose(chosen, command.toLatin1().constData());

    if (command == QLatin1String("MnuExportPatch")) {
        QCOMPARE(hooks->patchBaseAsked, base.isEmpty() ? QStringList() : QStringList{"a.bin"});
        const Boots& from = base == QLatin1String("saved") ? edited : Sample;
        QCOMPARE(readFile(chosen),
                 QByteArray::fromStdString(boots::encodePatch(boots::compareTables(from, edited))));
    } else if (command == QLatin1String("MnuCompare")) {
        QLabel* status = nullptr; // the table window's: the edited boot and the added one differ
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("FrmTable"))
                status = top->findChild<QLabel*>(QStringLiteral("Status"));
        QVERIFY(status);
        QCOMPARE(status->text(), message);
        return;
    }
    QCOMPARE(hooks->messages.size(), 1);
    QVERIFY2(hooks->messages[0].text.contains(message), qPrintable(hooks->messages[0].text));
    if (message.startsWith(QStringLiteral("(niezgodności"))) // the details list every clash
        QCOMPARE(hooks->messages[0].details.count(QLatin1Char('\n')), 20);
    if (!table.empty()) { // one undo step on top of the edit
        table[0].Nazwa = "Alphax";
        QCOMPARE(window->table().allBoots(), table);
        action("MnuUndo")->trigger();
        QCOMPARE(window->table().allBoots(), edited);
        return;
    }
    QCOMPARE(window->table().allBoots(), edited);
}

QTEST_MAIN(TestEditSafety)
#include "test_edit_safety.moc"
