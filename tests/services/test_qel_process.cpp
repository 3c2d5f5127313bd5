// Qel_Process: waits for the program's end while events go on, passes arguments untouched,
// returns at once when nothing starts, and ends the program on Stop or when the application quits.
#include "services/qel_process.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QtTest>

namespace {

const QString kPrintArgs = QStringLiteral(KORVANE_PRINT_ARGS);
#ifdef Q_OS_WIN
const bool kWindows = true;
#else
const bool kWindows = false;
#endif

QStringList printedArgs(const QString& path) {
    QStringList args = QString::fromUtf8(readFile(path)).split(QLatin1Char('\0'));
    args.removeLast(); // after the last NUL
    return args;
}

} // namespace

class TestQelProcess : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void waitsForTheEndWhileEventsRun();
    void argumentsArriveUntouched_data();
    void argumentsArriveUntouched();
    void commandLineSplitByQtRules_data();
    void commandLineSplitByQtRules();
    void succeedsOnlyOnANormalEndWithCodeZero_data();
    void succeedsOnlyOnANormalEndWithCodeZero();
    void programThatCannotStartReturnsAtOnce_data();
    void programThatCannotStartReturnsAtOnce();
    void stopEndsTheProgram();
    void quittingEndsTheProgram();

private:
    // The stand-in tool in the test's folder, following `steps`; empty when it cannot be put there.
    QString standIn(const QString& steps);

    TempDir dir;
};

QString TestQelProcess::standIn(const QString& steps) {
    const QString program = dir.filePath(kWindows ? QStringLiteral("standin/tool.exe")
                                                  : QStringLiteral("standin/tool"));
    return QDir(dir.path()).mkpath(QStringLiteral("standin")) && putStandIn(program, steps)
               ? program
               : QString();
}

void TestQelProcess::cleanup() {
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestQelProcess::waitsForTheEndWhileEventsRun() {
    // The program ends only once an event handler has made the flag file: it can end only if
    // events are processed, and the wait must last until it has.
    const QString flag = dir.filePath(QStringLiteral("flag"));
    const QString done = dir.filePath(QStringLiteral("done"));
    Qel_Process process;
    bool runningSeen = false;
    QTimer::singleShot(0, &process, [&] {
        runningSeen = process.isRunning();
        QVERIFY(writeFile(flag, "x"));
    });
    process.Run_Process(standIn(QStringLiteral("wait %1\ntouch %2").arg(flag, done)), {}, 0);
    QVERIFY(runningSeen);
    QVERIFY(QFile::exists(done));
    QVERIFY(!process.isRunning());
    QVERIFY(!process.stopped());
}

void TestQelProcess::argumentsArriveUntouched_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("blanks") << QStringList{QStringLiteral("a b"), QStringLiteral(" lead"),
                                           QStringLiteral("trail ")};
    QTest::newRow("double quotes")
        << QStringList{QStringLiteral("\"q\""), QStringLiteral("a\"b"), QStringLiteral("\"\"\"")};
    QTest::newRow("polish letters")
        << QStringList{QStringLiteral("zażółć gęślą jaźń"), QStringLiteral("Pliki buttów.bin")};
    QTest::newRow("backslashes") << QStringList{QStringLiteral("C:\\x\\"), QStringLiteral("\\\"")};
    QTest::newRow("shell characters")
        << QStringList{QStringLiteral("$HOME"), QStringLiteral("`id`"), QStringLiteral("*"),
                       QStringLiteral(";|&"), QStringLiteral("'")};
    QTest::newRow("empty argument") << QStringList{QString(), QStringLiteral("-d")};
}

void TestQelProcess::argumentsArriveUntouched() {
    QFETCH(QStringList, arguments);
    // Windows names cannot hold '"'.
    const QString out = dir.filePath(kWindows ? QStringLiteral("zażółć out 1")
                                              : QStringLiteral("zażółć out \"1\""));
    Qel_Process process;
    process.Run_Process(kPrintArgs, QStringList{out} + arguments, 0);
    QCOMPARE(printedArgs(out), arguments);
}

void TestQelProcess::commandLineSplitByQtRules_data() {
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("plain") << QStringLiteral("a -d") << QStringList{"a", "-d"};
    QTest::newRow("quoted blanks")
        << QStringLiteral("\"/a b/zażółć.bin\" -d") << QStringList{"/a b/zażółć.bin", "-d"};
    QTest::newRow("tripled quote")
        << QStringLiteral("\"say \"\"\"hi\"\"\"\"") << QStringList{"say \"hi\""};
}

void TestQelProcess::commandLineSplitByQtRules() {
    QFETCH(QString, tail);
    QFETCH(QStringList, expected);
    const QString out = dir.filePath(QStringLiteral("line out"));
    Qel_Process process;
    process.Run_Process(QLatin1Char('"') + kPrintArgs + QStringLiteral("\" \"") + out +
                            QStringLiteral("\" ") + tail,
                        0);
    QCOMPARE(printedArgs(out), expected);
}

void TestQelProcess::succeedsOnlyOnANormalEndWithCodeZero_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<bool>("crashed");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errorLine"); // the last line written to standard error
    QTest::newRow("exit 0") << QStringLiteral("exit 0") << true << false << 0 << QString();
    QTest::newRow("exit 1") << QStringLiteral("exit 1") << false << false << 1 << QString();
    QTest::newRow("crash") << QStringLiteral("say last words\ncrash") << false << true << 0
                           << QStringLiteral("last words");
    QTest::newRow("exit 3 after two lines and a blank one")
        << QStringLiteral("say first\nsay   zażółć: no space \nsay \nexit 3") << false << false << 3
        << QStringLiteral("zażółć: no space");
    // More than a pipe holds, on one line: the program must not block on a full pipe, and only
    // the line's end is kept.
    QTest::newRow("a line of a megabyte")
        << QStringLiteral("scribble 1000000\nsay end\nexit 2") << false << false << 2
        << QStringLiteral("…") + QString(296, QLatin1Char('x')) + "end";
}

void TestQelProcess::succeedsOnlyOnANormalEndWithCodeZero() {
    QFETCH(QString, steps);
    QFETCH(bool, succeeded);
    QFETCH(bool, crashed);
    QFETCH(int, exitCode);
    QFETCH(QString, errorLine);
    Qel_Process process;
    process.Run_Process(standIn(steps), {}, 0);
    QCOMPARE(process.succeeded(), succeeded);
    QCOMPARE(process.crashed(), crashed);
    QCOMPARE(process.exitCode(), exitCode);
    QCOMPARE(process.errorLine(), errorLine);
    QVERIFY(process.startError().isEmpty());
}

void TestQelProcess::programThatCannotStartReturnsAtOnce_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("missing program") << QStringLiteral("/nonexistent/zlibtool -d");
    QTest::newRow("folder") << dir.path();
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QVERIFY(writeFile(plain, "x"));
    QTest::newRow("not executable") << plain;
    QTest::newRow("empty command line") << QString();
}

void TestQelProcess::programThatCannotStartReturnsAtOnce() {
    QFETCH(QString, commandLine);
    // A wait for a signal that never comes would hang here until the test times out.
    Qel_Process process;
    process.Run_Process(commandLine, 0);
    QVERIFY(!process.isRunning());
    QVERIFY(!process.stopped());
    QVERIFY(!process.succeeded());
    QVERIFY(!process.crashed());
    QVERIFY(!process.startError().isEmpty());
}

void TestQelProcess::stopEndsTheProgram() {
    Qel_Process process;
    QTimer::singleShot(0, &process, [&] { process.stop(); });
    process.Run_Process(standIn(QStringLiteral("hang")), {});
    QVERIFY(process.stopped());
    QVERIFY(!process.crashed()); // stopped, not crashed
    QVERIFY(!process.isRunning());
}

void TestQelProcess::quittingEndsTheProgram() {
    Qel_Process process;
    bool returned = false;
    QTimer::singleShot(0, &process, [&] {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        process.Run_Process(standIn(QStringLiteral("hang")), {});
        returned = true;
    });
    QCoreApplication::exec();
    QVERIFY(returned);
    QVERIFY(process.stopped());
}

QTEST_MAIN(TestQelProcess)
#include "test_qel_process.moc"
