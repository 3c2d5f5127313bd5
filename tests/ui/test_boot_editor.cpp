// The editor over a table in memory: an edit changes only the field of the box edited, the boxes
// come back to what is stored when left, the name box takes only what the file can hold.
#include "boots/qel_baza.h"
#include "test_support.h"
#include "ui/boot_editor.h"
#include "ui/boots_model.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QToolTip>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using boots::BootRecord;

namespace {

// The second boot holds values outside the editor's limits, as a file or a CSV import may.
const std::string LongName = std::string(58, 'a') + "ąęśćźż"; // 64 characters
const Boots Sample = {
    {1, 3, "Alpha", 1, 2, 3, 4, 5},
    {2, 0, LongName, 9, 0, 7, 0, 255},
    {3, 25, "a\nb\tc\x7f", 5, 4, 3, 2, 1},
};

// Types `keys` into `box`: '<' is Backspace, '\r' Enter; any other character is typed as it is.
void type(QLineEdit* box, const QString& keys) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    for (const QChar key : keys) {
        if (key == QLatin1Char('<'))
            QTest::keyClick(box, Qt::Key_Backspace);
        else if (key == QLatin1Char('\r'))
            QTest::keyClick(box, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(key), {});
    }
}

} // namespace

class TestBootEditor : public QObject, public WindowControls {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void editChangesOnlyItsField_data();
    void editChangesOnlyItsField();
    void boxShowsStoredValueWhenLeft_data();
    void boxShowsStoredValueWhenLeft();
    void nameTakesOnlyWhatTheFileHolds_data();
    void nameTakesOnlyWhatTheFileHolds();
    void controlCharactersShowAsMarks();

private:
    QWidget* controlled() const override { return host.get(); }
    const BootRecord& stored(int row) const { return model->boot(row); }

    std::unique_ptr<QWidget> host;
    QUndoStack* history = nullptr;
    BootsModel* model = nullptr;
};

void TestBootEditor::init() {
    host = std::make_unique<QWidget>();
    history = new QUndoStack(host.get());
    model = new BootsModel(history, host.get());
    new BootEditor(model, host.get());
    model->setTable(std::make_unique<Qel_Baza>(Sample));
    host->resize(800, 500);
    host->show();
    QVERIFY(QTest::qWaitForWindowActive(host.get()));
}

void TestBootEditor::cleanup() {
    host.reset();
}

void TestBootEditor::editChangesOnlyItsField_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<BootRecord>("expected");
    BootRecord boot = Sample[1];
    const auto with = [&boot](auto field, auto value) {
        BootRecord changed = boot;
        changed.*field = value;
        return changed;
    };
    QTest::newRow("group 0 typed to 07") << 1 << "7" << with(&BootRecord::Grupa, 7);
    QTest::newRow("64-character name, one letter less")
        << 2 << "<" << with(&BootRecord::Nazwa, LongName.substr(0, 58) + "ąę");
    QTest::newRow("shot power 9 typed to 3") << 3 << "<3" << with(&BootRecord::Sila, 3);
    QTest::newRow("shot accuracy 0 emptied") << 4 << "<" << with(&BootRecord::Precyzja, 1);
    QTest::newRow("swerve 255 typed over") << 7 << "<<<5" << with(&BootRecord::Podkrecanie, 5);
}

void TestBootEditor::editChangesOnlyItsField() {
    QFETCH(int, box);
    QFETCH(QString, keys);
    QFETCH(BootRecord, expected);
    list()->setCurrentRow(1);
    type(this->box(box), QString()); // choosing a box and leaving others writes nothing
    type(this->box(3), QStringLiteral("\r"));
    list()->setCurrentRow(0);
    list()->setCurrentRow(1);
    QCOMPARE(history->count(), 0);

    type(this->box(box), keys);
    QCOMPARE(stored(1), expected);
    QCOMPARE(stored(0), Sample[0]);
    QCOMPARE(history->count(), 1);
    history->undo();
    QCOMPARE(stored(1), Sample[1]);
}

void TestBootEditor::boxShowsStoredValueWhenLeft_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");  // pasted into the box
    QTest::addColumn<QString>("leave"); // "tab", "enter", "select" another boot and back, "undo"
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("group 300, tab")        << 1 << "300" << "tab"    << "255";
    QTest::newRow("group 0, enter")        << 1 << "0"   << "enter"  << "1";
    QTest::newRow("group 4x, another boot") << 1 << "4x" << "select" << "1";
    QTest::newRow("stat 9, tab")           << 5 << "9"   << "tab"    << "5";
    QTest::newRow("group typed, undone")   << 1 << "12"  << "undo"   << "3";
    // clang-format on
}

void TestBootEditor::boxShowsStoredValueWhenLeft() {
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, leave);
    QFETCH(QString, shown);
    list()->setCurrentRow(0);
    QLineEdit* target = this->box(box);
    target->setFocus();
    target->selectAll();
    QApplication::clipboard()->setText(text);
    target->paste();                // what the context menu's Paste does
    QCOMPARE(target->text(), text); // the typed text stays while the box is being edited

    if (leave == QLatin1String("tab")) {
        QTest::keyClick(target, Qt::Key_Tab);
    } else if (leave == QLatin1String("enter")) {
        QTest::keyClick(target, Qt::Key_Return);
    } else if (leave == QLatin1String("select")) {
        list()->setCurrentRow(1);
        list()->setCurrentRow(0);
    } else {
        history->undo();
    }
    QCOMPARE(target->text(), shown);
}

void TestBootEditor::nameTakesOnlyWhatTheFileHolds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("refused"); // the character the note names; empty: no note
    // clang-format off
    QTest::newRow("Polish letters typed") << "Żółw" << false << "AlphaŻółw" << "";
    QTest::newRow("Cyrillic typed")       << "Ж"    << false << "Alpha"     << "Ж";
    QTest::newRow("CJK pasted")           << "靴x"  << true  << "Alpha"     << "靴";
    QTest::newRow("emoji pasted")         << "a👟"  << true  << "Alpha"     << "👟";
    // clang-format on
}

void TestBootEditor::nameTakesOnlyWhatTheFileHolds() {
    QFETCH(QString, text);
    QFETCH(bool, paste);
    QFETCH(QString, stored);
    QFETCH(QString, refused);
    list()->setCurrentRow(0);
    QLineEdit* name = box(2);
    if (paste) {
        name->setFocus();
        name->end(false);
        QApplication::clipboard()->setText(text);
        name->paste();
    } else {
        type(name, text);
    }
    QCOMPARE(name->text(), stored);
    QCOMPARE(QString::fromStdString(this->stored(0).Nazwa), stored);
    QCOMPARE(listTexts()[0], QStringLiteral("1:") + stored);
    if (refused.isEmpty())
        return;
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().contains(refused), qPrintable(QToolTip::text()));
    QVERIFY(QToolTip::text().contains(QStringLiteral("Windows-1250")));
}

void TestBootEditor::controlCharactersShowAsMarks() {
    QCOMPARE(listTexts()[2], QStringLiteral("3:a\u240Ab\u2409c\u2421"));
    list()->setCurrentRow(2);
    QCOMPARE(box(2)->text(), QString::fromStdString(Sample[2].Nazwa)); // edited as stored
}

QTEST_MAIN(TestBootEditor)
#include "test_boot_editor.moc"
