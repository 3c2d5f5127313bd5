// Message boxes: a single OK button, the icon asked for, the application's name when no title is
// given.
#include "services/message_box.h"
#include "test_support.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(korvane::MessageIcon)

class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Korvane")); }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void shown_data();
    void shown();
};

void TestMessageBox::shown_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<korvane::MessageIcon>("icon");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<int>("shownIcon");
    QTest::newRow("own title, information icon")
        << QStringLiteral("Błąd wczytywania pliku") << korvane::MessageIcon::Information
        << QStringLiteral("Błąd wczytywania pliku") << int(QMessageBox::Information);
    QTest::newRow("no title, no icon") << QString() << korvane::MessageIcon::None
                                       << QStringLiteral("Korvane") << int(QMessageBox::NoIcon);
}

void TestMessageBox::shown() {
    QFETCH(QString, title);
    QFETCH(korvane::MessageIcon, icon);
    QFETCH(QString, shownTitle);
    QFETCH(int, shownIcon);
    QString seenTitle, seenText;
    int seenIcon = -1;
    QMessageBox::StandardButtons seenButtons;
    int room = 0; // the width beside the title, in title heights
    answerNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        QFont bold = box->font();
        bold.setBold(true);
        const QFontMetrics title(bold);
        room = (box->width() - title.horizontalAdvance(box->windowTitle())) / title.height();
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        seenButtons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    korvane::showMessage(nullptr, {QStringLiteral("Wystąpił błąd"), title, icon});
    QCOMPARE(seenText, QStringLiteral("Wystąpił błąd"));
    QCOMPARE(seenTitle, shownTitle);
    QCOMPARE(seenIcon, shownIcon);
    QCOMPARE(seenButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // Room beside the whole title, in a bold face, for a title bar's icon and three buttons.
    QVERIFY2(room >= 6, qPrintable(QString::number(room)));
}

QTEST_MAIN(TestMessageBox)
#include "test_message_box.moc"
