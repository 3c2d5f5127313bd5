// The table window over a table in memory: many cells at once, paste from spreadsheets, sorting
// and filtering in the view only, and one history shared with the editor.
#include "boots/qel_baza.h"
#include "test_support.h"
#include "ui/boot_editor.h"
#include "ui/boots_model.h"
#include "ui/frm_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using boots::BootRecord;
// The table window's columns, by the field each shows.
namespace Column {
const int ID = BootsModel::columnOf(boots::BootField::ID);
const int Nazwa = BootsModel::columnOf(boots::BootField::Nazwa);
const int Grupa = BootsModel::columnOf(boots::BootField::Grupa);
const int Sila = BootsModel::columnOf(boots::BootField::Sila);
const int Precyzja = BootsModel::columnOf(boots::BootField::Precyzja);
const int Szybkosc = BootsModel::columnOf(boots::BootField::Szybkosc);
const int Podkrecanie = BootsModel::columnOf(boots::BootField::Podkrecanie);
} // namespace Column

namespace {

// The second boot holds values outside the editor's limits.
const Boots Sample = {
    {1, 3, "Alpha", 1, 2, 3, 4, 5},
    {2, 0, "Beta", 9, 0, 5, 1, 2},
    {3, 255, "gamma", 5, 5, 5, 5, 5},
    {4, 10, "Łódź", 2, 2, 2, 2, 2},
};

// A rectangle of view cells: rows top to bottom, columns left to right.
struct Area {
    int top, bottom, left, right;
};

// Types `text` into the current cell of `grid`: its first key opens the cell's editor.
void typeInCell(QTableView* grid, const QString& text) {
    QTest::keyClicks(grid, text.left(1));
    QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
}

// `base` with `change` made to it.
Boots changed(Boots base, const std::function<void(Boots&)>& change) {
    change(base);
    return base;
}

} // namespace

Q_DECLARE_METATYPE(Area)

class TestFrmTable : public QObject, public WindowControls {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void manyCellsAtOnce_data();
    void manyCellsAtOnce();
    void fillTakesTheTextWholeOrSkips_data();
    void fillTakesTheTextWholeOrSkips();
    void paste_data();
    void paste();
    void copyGivesTabSeparatedRows();
    void sortAndFilterChangeOnlyTheView();
    void namesSortInPolishOrder();
    void editsShowAndUndoInBothWindows();
    void differencesMarked();

private:
    QWidget* controlled() const override { return host.get(); }
    void select(const Area& area);
    QModelIndex at(int row, int column) const { return grid->model()->index(row, column); }

    std::unique_ptr<QWidget> host; // the editor's window
    std::unique_ptr<FrmTable> table;
    QTableView* grid = nullptr;
    QUndoStack* history = nullptr;
    BootsModel* model = nullptr;
    std::unique_ptr<Hooks> hooks;
};

void TestFrmTable::init() {
    hooks = std::make_unique<Hooks>();
    host = std::make_unique<QWidget>();
    history = new QUndoStack(host.get());
    model = new BootsModel(history, host.get());
    new BootEditor(model, host.get());
    model->setTable(std::make_unique<Qel_Baza>(Sample));
    table = std::make_unique<FrmTable>(model, history);
    table->setAttribute(Qt::WA_DeleteOnClose, false);
    grid = table->findChild<QTableView*>(QStringLiteral("Grid"));
    table->show();
    QVERIFY(QTest::qWaitForWindowActive(table.get()));
}

void TestFrmTable::cleanup() {
    table.reset();
    host.reset();
    hooks.reset();
}

void TestFrmTable::select(const Area& area) {
    grid->setCurrentIndex(at(area.top, area.left));
    grid->selectionModel()->select(
        QItemSelection(at(area.top, area.left), at(area.bottom, area.right)),
        QItemSelectionModel::ClearAndSelect);
}

void TestFrmTable::manyCellsAtOnce_data() {
    QTest::addColumn<Area>("area");
    QTest::addColumn<QString>("typed"); // then Ctrl+Enter; empty: no typing
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<Boots>("expected");
    const QKeySequence fill(QStringLiteral("Ctrl+Return")), raise(QStringLiteral("Ctrl++")),
        lower(QStringLiteral("Ctrl+-"));
    QTest::newRow("3 into a stat column")
        << Area{0, 3, Column::Sila, Column::Sila} << "3" << fill << changed(Sample, [](Boots& b) {
               for (BootRecord& boot : b)
                   boot.Sila = 3;
           });
    QTest::newRow("7 into names and groups, the group's rule")
        << Area{0, 1, Column::Nazwa, Column::Grupa} << "7" << fill << changed(Sample, [](Boots& b) {
               b[0].Nazwa = b[1].Nazwa = "7";
               b[0].Grupa = b[1].Grupa = 7;
           });
    QTest::newRow("a word goes only into the name")
        << Area{0, 0, Column::Nazwa, Column::Sila} << "x" << fill
        << changed(Sample, [](Boots& b) { b[0].Nazwa = "x"; });
    QTest::newRow("stats raised within 1 to 5")
        << Area{0, 3, Column::Sila, Column::Precyzja} << "" << raise
        << changed(Sample, [](Boots& b) {
               b[0].Sila = 2, b[0].Precyzja = 3, b[1].Sila = 5, b[1].Precyzja = 1;
               b[3].Sila = b[3].Precyzja = 3;
           });
    QTest::newRow("groups lowered within 1 to 255")
        << Area{0, 3, Column::Grupa, Column::Grupa} << "" << lower << changed(Sample, [](Boots& b) {
               b[0].Grupa = 2, b[1].Grupa = 1, b[2].Grupa = 254, b[3].Grupa = 9;
           });
}

void TestFrmTable::manyCellsAtOnce() {
    QFETCH(Area, area);
    QFETCH(QString, typed);
    QFETCH(QKeySequence, keys);
    QFETCH(Boots, expected);
    select(area);
    grid->setFocus();
    if (!typed.isEmpty())
        typeInCell(grid, typed);
    QTest::keySequence(QApplication::focusWidget(), keys);
    QCOMPARE(model->table().allBoots(), expected);
    QCOMPARE(history->count(), 1);
    history->undo();
    QCOMPARE(model->table().allBoots(), Sample);
}

void TestFrmTable::fillTakesTheTextWholeOrSkips_data() {
    QTest::addColumn<Area>("area");
    QTest::addColumn<int>("current"); // the column of the cell typed in, on the area's top row
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Boots>("expected");
    QTest::addColumn<QString>("note"); // how the status line ends
    const Boots groups200 = changed(Sample, [](Boots& b) {
        for (BootRecord& boot : b)
            boot.Grupa = 200;
    });
    const QString skipped200 = QStringLiteral(
        "Wpisano „200”: 4 komórki, pominięto 20 komórek (pierwsza: wiersz 0 (ID 1), kolumna "
        "„Shot power”: „200” jest poza zakresem 1–5)");
    QTest::newRow("200 in a group cell: the groups take it, no stat does")
        << Area{0, 3, Column::Grupa, Column::Podkrecanie} << int(Column::Grupa) << "200"
        << groups200 << skipped200;
    QTest::newRow("200 in a stat cell: kept whole")
        << Area{0, 3, Column::Grupa, Column::Podkrecanie} << int(Column::Sila) << "200" << groups200
        << skipped200;
    QTest::newRow("3 into a name, a group and stats")
        << Area{0, 0, Column::Nazwa, Column::Podkrecanie} << int(Column::Nazwa) << "3"
        << changed(Sample, [](Boots& b) { b[0] = {1, 3, "3", 3, 3, 3, 3, 3}; })
        << QStringLiteral("Wpisano „3”: 7 komórek");
}

void TestFrmTable::fillTakesTheTextWholeOrSkips() {
    QFETCH(Area, area);
    QFETCH(int, current);
    QFETCH(QString, typed);
    QFETCH(Boots, expected);
    QFETCH(QString, note);
    select(area);
    grid->selectionModel()->setCurrentIndex(at(area.top, current), QItemSelectionModel::NoUpdate);
    grid->setFocus();
    typeInCell(grid, typed);
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(QStringLiteral("Ctrl+Return")));
    QCOMPARE(model->table().allBoots(), expected);
    QCOMPARE(history->count(), 1);
    const QString status = table->findChild<QLabel*>(QStringLiteral("Status"))->text();
    QVERIFY2(status.endsWith(note), qPrintable(status));
}

void TestFrmTable::paste_data() {
    QTest::addColumn<Area>("area"); // the current cell is its top left
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<Boots>("expected"); // empty: nothing changes
    QTest::addColumn<QString>("message");
    const int power = Column::Sila;
    QTest::newRow("a block that fits")
        << Area{1, 1, power, power} << "1\t2\r\n3\t4\r\n"
        << changed(
               Sample,
               [](Boots& b) { b[1].Sila = 1, b[1].Precyzja = 2, b[2].Sila = 3, b[2].Precyzja = 4; })
        << "";
    QTest::newRow("a value fills the selection")
        << Area{0, 3, Column::Podkrecanie, Column::Podkrecanie} << "4\n"
        << changed(Sample,
                   [](Boots& b) {
                       for (BootRecord& boot : b)
                           boot.Podkrecanie = 4;
                   })
        << "";
    QTest::newRow("a quoted name with a tab")
        << Area{2, 2, Column::Nazwa, Column::Nazwa} << "\"a\tb \"\"c\"\"\"\n"
        << changed(Sample, [](Boots& b) { b[2].Nazwa = "a\tb \"c\""; }) << "";
    QTest::newRow("too wide") << Area{0, 0, Column::Szybkosc, Column::Szybkosc} << "1\t2\t3"
                              << Boots() << "poza ostatni wiersz lub kolumnę";
    QTest::newRow("too long") << Area{3, 3, power, power} << "1\n2" << Boots()
                              << "poza ostatni wiersz lub kolumnę";
    QTest::newRow("a stat out of range")
        << Area{0, 0, power, power} << "1\t9" << Boots()
        << "wiersz 0 (ID 1), kolumna „Shot accuracy”: „9” jest poza zakresem 1–5";
    QTest::newRow("a group that is no whole number")
        << Area{0, 0, Column::Grupa, Column::Grupa} << "2.5" << Boots()
        << "wiersz 0 (ID 1), kolumna „Group”: „2.5” nie jest liczbą całkowitą";
    QTest::newRow("a name the file cannot hold")
        << Area{1, 1, Column::Nazwa, Column::Nazwa} << "Жук" << Boots()
        << "wiersz 1 (ID 2), kolumna „Name”: znaku „Ж” nie można zapisać w pliku butów";
    QTest::newRow("into the identifier") << Area{0, 0, Column::ID, Column::ID} << "9" << Boots()
                                         << "kolumna „ID”: tej kolumny nie można zmieniać";
}

void TestFrmTable::paste() {
    QFETCH(Area, area);
    QFETCH(QString, clipboard);
    QFETCH(Boots, expected);
    QFETCH(QString, message);
    select(area);
    QApplication::clipboard()->setText(clipboard);
    QTest::keySequence(grid, QKeySequence::Paste);
    if (message.isEmpty()) {
        QVERIFY(hooks->messages.isEmpty());
        QCOMPARE(model->table().allBoots(), expected);
        QCOMPARE(history->count(), 1);
        return;
    }
    QCOMPARE(hooks->messages.size(), 1);
    QVERIFY2(hooks->messages[0].text.startsWith(QStringLiteral("Nic nie wklejono: ")) &&
                 hooks->messages[0].text.contains(message),
             qPrintable(hooks->messages[0].text));
    QCOMPARE(model->table().allBoots(), Sample);
    QCOMPARE(history->count(), 0);
}

void TestFrmTable::copyGivesTabSeparatedRows() {
    model->changeField(0, boots::BootField::Nazwa, QStringLiteral("a\tb"));
    select({0, 1, Column::Nazwa, Column::Sila});
    grid->selectionModel()->select(at(1, Column::Grupa), QItemSelectionModel::Deselect);
    QTest::keySequence(grid, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\"a\tb\"\t3\t1\nBeta\t\t9\n"));
}

void TestFrmTable::sortAndFilterChangeOnlyTheView() {
    const auto column = [this](int c) {
        QStringList cells;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            cells << at(row, c).data().toString();
        return cells;
    };
    grid->horizontalHeader()->setSortIndicator(Column::Sila, Qt::DescendingOrder);
    QCOMPARE(column(Column::Sila), (QStringList{"9", "5", "2", "1"}));
    grid->sortByColumn(Column::Nazwa, Qt::AscendingOrder);
    QCOMPARE(column(Column::Nazwa), (QStringList{"Alpha", "Beta", "gamma", "Łódź"}));

    // The top two as shown get 4, and the table keeps its own order.
    select({0, 1, Column::Grupa, Column::Grupa});
    typeInCell(grid, QStringLiteral("4"));
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(QStringLiteral("Ctrl+Return")));
    auto* filter = table->findChild<QLineEdit*>(QStringLiteral("Filter"));
    for (const QChar letter : QStringLiteral("łÓ")) // keyClicks types ASCII only
        QTest::sendKeyEvent(QTest::Click, filter, Qt::Key_unknown, QString(letter), {});
    QCOMPARE(column(Column::Nazwa), QStringList{"Łódź"});
    filter->clear();
    QCOMPARE(model->table().allBoots(),
             changed(Sample, [](Boots& b) { b[0].Grupa = b[1].Grupa = 4; }));
}

void TestFrmTable::namesSortInPolishOrder() {
    // Level for more than sixteen characters, one the start of another, Polish letters, any case.
    const QStringList ascending = {"Boot",
                                   "Boot A",
                                   "lato",
                                   "Łata",
                                   "Łódź Boot Premium Alpha",
                                   "Łódź Boot Premium Beta",
                                   "Łódź Boot Premium Beta 2",
                                   "Mata"};
    Boots boots;
    for (const int k : {6, 3, 0, 7, 5, 1, 4, 2})
        boots.push_back({std::uint8_t(k + 1), 1, ascending[k].toStdString(), 1, 1, 1, 1, 1});
    model->setTable(std::make_unique<Qel_Baza>(boots));
    const QStringList descending(ascending.rbegin(), ascending.rend());
    for (const auto& [order, expected] :
         {std::pair{Qt::AscendingOrder, ascending}, std::pair{Qt::DescendingOrder, descending}}) {
        grid->sortByColumn(Column::Nazwa, order);
        QStringList names;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            names << at(row, Column::Nazwa).data().toString();
        QCOMPARE(names, expected);
    }
}

void TestFrmTable::editsShowAndUndoInBothWindows() {
    list()->setCurrentRow(1);
    select({1, 1, Column::Grupa, Column::Grupa});
    typeInCell(grid, QStringLiteral("42"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(at(1, Column::Grupa).data().toInt(), 42); // committed once Enter is handled
    QCOMPARE(box(1)->text(), QStringLiteral("42"));

    host->show();
    QVERIFY(QTest::qWaitForWindowActive(host.get()));
    box(2)->setFocus();
    QTest::keyClicks(box(2), QStringLiteral("!"));
    QCOMPARE(at(1, Column::Nazwa).data().toString(), QStringLiteral("Beta!"));
    QCOMPARE(listTexts()[1], QStringLiteral("2:Beta!"));

    table->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(table.get()));
    QTest::keySequence(grid, QKeySequence(QStringLiteral("Ctrl+Z"))); // the editor's change
    QCOMPARE(box(2)->text(), QStringLiteral("Beta"));
    QCOMPARE(listTexts()[1], QStringLiteral("2:Beta"));
    history->undo(); // the table's, as Edit, Undo does it
    QCOMPARE(at(1, Column::Grupa).data().toInt(), 0);
    QCOMPARE(box(1)->text(), QStringLiteral("0"));
    QCOMPARE(model->table().allBoots(), Sample);
}

void TestFrmTable::differencesMarked() {
    auto* status = table->findChild<QLabel*>(QStringLiteral("Status"));
    QCOMPARE(status->text(), QStringLiteral("Buty różne od pliku: 0"));
    model->changeField(2, boots::BootField::Podkrecanie, QStringLiteral("1"));
    model->changeField(2, boots::BootField::Podkrecanie, QStringLiteral("5")); // back as it was
    model->changeField(3, boots::BootField::Nazwa, QStringLiteral("Nowy"));
    QVERIFY(model->differs(3, Column::Nazwa));
    QVERIFY(!model->differs(3, Column::Grupa));
    QVERIFY(!model->differs(2, Column::Podkrecanie));
    QVERIFY(at(3, Column::Nazwa).data(Qt::BackgroundRole).isValid());
    QCOMPARE(status->text(), QStringLiteral("Buty różne od pliku: 1"));
    model->markSaved();
    QCOMPARE(status->text(), QStringLiteral("Buty różne od pliku: 0"));
    QVERIFY(!at(3, Column::Nazwa).data(Qt::BackgroundRole).isValid());
}

QTEST_MAIN(TestFrmTable)
#include "test_frm_table.moc"
