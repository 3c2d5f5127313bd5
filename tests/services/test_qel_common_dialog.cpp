// Qel_Common_Dialog: name filters, "-1" on cancel, the file name part, and the real dialog taking
// a typed name that does not exist.
#include "services/qel_common_dialog.h"
#include "test_support.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

class TestQelCommonDialog : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void filtersBecomeNameFilters_data();
    void filtersBecomeNameFilters();
    void cancelKeepsTheChosenPath();
    void titleName_data();
    void titleName();
    void realDialogTakesATypedNewName();
    void realDialogCancel();
};

void TestQelCommonDialog::cleanup() {
    Qel_Common_Dialog::setAnswerer({});
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestQelCommonDialog::filtersBecomeNameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default") << QStringLiteral("Wszystkie Pliki (*.*)|*.*")
                             << QStringList{"Wszystkie Pliki (*.*) (*)"};
    QTest::newRow("boots files") << QStringLiteral(
                                        "Pliki buttów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*")
                                 << QStringList{"Pliki buttów (*.bin) (*.bin)",
                                                "Wszystkie pliki (*.*) (*)"};
    QTest::newRow("several patterns")
        << QStringLiteral("Obrazy|*.bmp;*.jpg") << QStringList{"Obrazy (*.bmp *.jpg)"};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("description without pattern") << QStringLiteral("Opis") << QStringList{};
}

void TestQelCommonDialog::filtersBecomeNameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QString title, folder;
    QStringList filters;
    Qel_Common_Dialog::setAnswerer([&](const QString& t, const QString& d, const QStringList& f) {
        title = t;
        folder = d;
        filters = f;
        return QStringLiteral("/x/a.bin");
    });
    Qel_Common_Dialog dialog;
    QCOMPARE(dialog.OpenFileName(nullptr, QStringLiteral("Otwórz"), QStringLiteral("/x/"), filter),
             QStringLiteral("/x/a.bin"));
    QCOMPARE(title, QStringLiteral("Otwórz"));
    QCOMPARE(folder, QStringLiteral("/x/"));
    QCOMPARE(filters, expected);
}

void TestQelCommonDialog::cancelKeepsTheChosenPath() {
    Qel_Common_Dialog dialog;
    Qel_Common_Dialog::setAnswerer([](const QString&, const QString&, const QStringList&) {
        return QStringLiteral("/x/a.bin");
    });
    dialog.OpenFileName(nullptr, QString(), QString());
    Qel_Common_Dialog::setAnswerer(
        [](const QString&, const QString&, const QStringList&) { return QString(); });
    QCOMPARE(dialog.OpenFileName(nullptr, QString(), QString()), QStringLiteral("-1"));
    QCOMPARE(dialog.TitleName(), QStringLiteral("a.bin"));
}

void TestQelCommonDialog::titleName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("nothing chosen") << QString() << QString();
    QTest::newRow("full path") << QStringLiteral("/x/boots.bin") << QStringLiteral("boots.bin");
    QTest::newRow("folder") << QStringLiteral("/x/dir/") << QString();
    QTest::newRow("bare name") << QStringLiteral("boots.bin") << QStringLiteral("boots.bin");
    QTest::newRow("blanks, quotes, polish")
        << QStringLiteral("/a b/zażółć \"q\".bin") << QStringLiteral("zażółć \"q\".bin");
#ifdef Q_OS_WIN
    QTest::newRow("backslashes") << QStringLiteral("C:\\x\\boots.bin")
                                 << QStringLiteral("boots.bin");
#else
    QTest::newRow("backslash is part of the name")
        << QStringLiteral("/x/a\\boots.bin") << QStringLiteral("a\\boots.bin");
#endif
}

void TestQelCommonDialog::titleName() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    Qel_Common_Dialog::setAnswerer(
        [&](const QString&, const QString&, const QStringList&) { return path; });
    Qel_Common_Dialog dialog;
    dialog.OpenFileName(nullptr, QString(), QString());
    QCOMPARE(dialog.TitleName(), name);
}

void TestQelCommonDialog::realDialogTakesATypedNewName() {
    const TempDir dir;
    QString title, folder;
    QStringList filters;
    answerNextModal([&](QWidget* modal) {
        auto* fileDialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(fileDialog);
        title = fileDialog->windowTitle();
        folder = fileDialog->directory().path();
        filters = fileDialog->nameFilters();
        auto* name = fileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        QTest::keyClicks(name, QStringLiteral("nowy plik.bin"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    Qel_Common_Dialog dialog;
    const QString chosen =
        dialog.OpenFileName(nullptr, QStringLiteral("Otwórz plik buttów"), dir.path(),
                            QStringLiteral("Pliki buttów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*"));
    QCOMPARE(chosen, dir.filePath(QStringLiteral("nowy plik.bin")));
    QCOMPARE(dialog.TitleName(), QStringLiteral("nowy plik.bin"));
    QCOMPARE(title, QStringLiteral("Otwórz plik buttów"));
    QCOMPARE(folder, dir.path());
    QCOMPARE(filters, (QStringList{"Pliki buttów (*.bin) (*.bin)", "Wszystkie pliki (*.*) (*)"}));
}

void TestQelCommonDialog::realDialogCancel() {
    answerNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    Qel_Common_Dialog dialog;
    QCOMPARE(dialog.OpenFileName(nullptr, QString(), QDir::tempPath()), QStringLiteral("-1"));
    QCOMPARE(dialog.TitleName(), QString());
}

QTEST_MAIN(TestQelCommonDialog)
#include "test_qel_common_dialog.moc"
