// Message boxes: a single OK button, the icon asked for, the application's name when no title is
// given; the questions before dropping changes and before an import.
#include "ui/import_preview.h"
#include "services/message_box.h"
#include "test_support.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

Q_DECLARE_METATYPE(korvane::MessageIcon)
Q_DECLARE_METATYPE(korvane::SaveAnswer)

class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Korvane")); }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void shown_data();
    void shown();
    void saveQuestion_data();
    void saveQuestion();
    void buttonQuestions_data();
    void buttonQuestions();
    void importPreview_data();
    void importPreview();
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

void TestMessageBox::saveQuestion_data() {
    QTest::addColumn<int>("button"); // 0: the Escape key
    QTest::addColumn<korvane::SaveAnswer>("answer");
    QTest::newRow("save") << int(QMessageBox::Save) << korvane::SaveAnswer::Save;
    QTest::newRow("discard") << int(QMessageBox::Discard) << korvane::SaveAnswer::Discard;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << korvane::SaveAnswer::Cancel;
    QTest::newRow("escape") << 0 << korvane::SaveAnswer::Cancel;
}

void TestMessageBox::saveQuestion() {
    QFETCH(int, button);
    QFETCH(korvane::SaveAnswer, answer);
    QString seenTitle, seenText;
    answerNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        seenTitle = box->windowTitle();
        seenText = box->text();
        if (button == 0)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(QMessageBox::StandardButton(button))->click();
    });
    QCOMPARE(korvane::askSaveChanges(nullptr, QStringLiteral("łódź 1.bin")), answer);
    QCOMPARE(seenText, QStringLiteral("Zapisać zmiany w pliku łódź 1.bin?"));
    QCOMPARE(seenTitle, QStringLiteral("Korvane"));
}

void TestMessageBox::buttonQuestions_data() {
    QTest::addColumn<QString>("question"); // "replace", "patch base", or "stop" while packing
    QTest::addColumn<QString>("how");      // the button's text, "Escape" or "close"
    QTest::addColumn<int>("answer");       // ReplaceAnswer, PatchBase or StopAnswer
    using korvane::PatchBase;
    using korvane::ReplaceAnswer;
    QTest::newRow("replace: Zastąp") << "replace"
                                     << "Zastąp" << int(ReplaceAnswer::Replace);
    QTest::newRow("replace: Porównaj") << "replace"
                                       << "Porównaj" << int(ReplaceAnswer::Compare);
    QTest::newRow("replace: Anuluj") << "replace"
                                     << "Anuluj" << int(ReplaceAnswer::Cancel);
    QTest::newRow("replace: Escape") << "replace"
                                     << "Escape" << int(ReplaceAnswer::Cancel);
    QTest::newRow("patch base: Od oryginału") << "patch base"
                                              << "Od oryginału" << int(PatchBase::Original);
    QTest::newRow("patch base: Od ostatniego zapisu")
        << "patch base"
        << "Od ostatniego zapisu" << int(PatchBase::Saved);
    QTest::newRow("patch base: box closed") << "patch base"
                                            << "close" << int(PatchBase::Cancel);
    QTest::newRow("stop: Zatrzymaj") << "stop"
                                     << "Zatrzymaj" << 0;
    QTest::newRow("stop: Zaczekaj") << "stop"
                                    << "Zaczekaj" << 1;
    QTest::newRow("stop: Escape") << "stop"
                                  << "Escape" << 1;
    QTest::newRow("stop: box closed") << "stop"
                                      << "close" << 1;
}

void TestMessageBox::buttonQuestions() {
    QFETCH(QString, question);
    QFETCH(QString, how);
    QFETCH(int, answer);
    QString seenText;
    answerNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        seenText = box->text();
        if (how == QLatin1String("Escape"))
            return QTest::keyClick(box, Qt::Key_Escape);
        if (how == QLatin1String("close"))
            return void(box->close());
        for (QAbstractButton* button : box->buttons())
            if (button->text() == how)
                button->click();
    });
    const QString name = QStringLiteral("łódź 1.bin");
    if (question == QLatin1String("replace")) {
        QCOMPARE(int(korvane::askReplaceChanged(nullptr, name)), answer);
        QCOMPARE(seenText, QStringLiteral("Plik łódź 1.bin został zmieniony na dysku przez inny "
                                          "program. Zastąpić go?"));
    } else if (question == QLatin1String("patch base")) {
        QCOMPARE(int(korvane::askPatchBase(nullptr, name, name + QStringLiteral(".bak"))), answer);
        QVERIFY(seenText.contains(QStringLiteral("kopii łódź 1.bin.bak")));
    } else {
        QCOMPARE(int(korvane::askStopTool(nullptr, korvane::ToolJob::Pack, name)), answer);
        QVERIFY(seenText.contains(QStringLiteral("Plik łódź 1.bin zostanie taki, jaki był, a "
                                                 "niezapisane zmiany zostaną utracone.")));
    }
}

void TestMessageBox::importPreview_data() {
    QTest::addColumn<QString>("press"); // a button's objectName, or a key
    QTest::addColumn<bool>("answer");
    QTest::newRow("import") << "Cmd_Importuj" << true;
    QTest::newRow("cancel") << "Cmd_Anuluj" << false;
    QTest::newRow("enter") << "Enter" << true;
    QTest::newRow("escape") << "Escape" << false;
}

void TestMessageBox::importPreview() {
    QFETCH(QString, press);
    QFETCH(bool, answer);
    QStandardItemModel changes(10000, 5); // as many rows as a large import shows
    QString seenTitle, seenSummary, buttons;
    const QAbstractItemModel* seenModel = nullptr;
    answerNextModal([&](QWidget* modal) {
        seenTitle = modal->windowTitle();
        seenSummary = modal->findChild<QLabel*>(QStringLiteral("LblSummary"))->text();
        seenModel = modal->findChild<QTableView*>(QStringLiteral("TblChanges"))->model();
        for (const char* name : {"Cmd_Importuj", "Cmd_Anuluj"})
            buttons += modal->findChild<QPushButton*>(QLatin1String(name))->text() + '|';
        if (press.startsWith(QLatin1String("Cmd_")))
            modal->findChild<QPushButton*>(press)->click();
        else
            QTest::keyClick(modal,
                            press == QLatin1String("Enter") ? Qt::Key_Enter : Qt::Key_Escape);
    });
    const QString summary = QStringLiteral("Import zmieni 1 but, doda 0 butów i usunie 0 butów.");
    QCOMPARE(korvane::confirmImport(nullptr, summary, changes), answer);
    QCOMPARE(seenTitle, QStringLiteral("Import CSV"));
    QCOMPARE(seenSummary, summary);
    QCOMPARE(seenModel, &changes);
    QCOMPARE(buttons, QStringLiteral("Importuj|Anuluj|"));
}

QTEST_MAIN(TestMessageBox)
#include "test_message_box.moc"
