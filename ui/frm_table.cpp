// FrmTable, with the cell editor that only its grid uses, private to this file.
#include "ui/frm_table.h"

#include "boots/boot_fields.h"
#include "boots/tab_text.h"
#include "services/message_box.h"
#include "ui/boots_model.h"
#include "ui/boots_order.h"
#include "ui/name_validator.h"
#include "ui/texts.h"
#include "ui/txt_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Cell = BootsModel::Cell;

// Cell editors that take what is typed whole, up to a name's 60 characters (a name only those the
// file can hold), so that Ctrl+Enter can put it into cells of other columns; a cell takes it as
// the model corrects it. A stored value is shown whole.
class CellEditor : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* box = new TxtBox(boots::fieldInfo(boots::BootField::Nazwa).boxLength, parent);
        if (BootsModel::fieldAt(index.column()) == boots::BootField::Nazwa)
            new NameValidator(box);
        editing = box;
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<TxtBox*>(editor)->showWhole(index.data(Qt::EditRole).toString());
    }
    // The editor open now, if any.
    TxtBox* open() const { return editing; }

private:
    mutable QPointer<TxtBox> editing;
};

} // namespace

FrmTable::FrmTable(BootsModel* boots, QUndoStack* history, QWidget* parent)
    : QWidget(parent, Qt::Window), model(boots) {
    setObjectName(QStringLiteral("FrmTable"));
    setAttribute(Qt::WA_DeleteOnClose);

    Filter = new QLineEdit(this);
    Filter->setObjectName(QStringLiteral("Filter"));
    Filter->setClearButtonEnabled(true);
    viewOrder = new BootsOrder(model, this);
    connect(Filter, &QLineEdit::textChanged, viewOrder, &BootsOrder::setNameFilter);

    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setModel(viewOrder);
    Grid->setItemDelegate(new CellEditor(Grid));
    Grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    Grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder); // the table's own order
    Grid->setSortingEnabled(true);
    Status = new QLabel(this);
    Status->setObjectName(QStringLiteral("Status"));

    auto* filterRow = new QHBoxLayout;
    filterLabel = new QLabel(this);
    filterLabel->setBuddy(Filter);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(Filter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(Grid);
    layout->addWidget(Status);
    createActions(history);
    retranslate();
    resize(Grid->horizontalHeader()->length() + 60, 560);
    const auto differences = [this] { showDifferences(); };
    connect(model, &BootsModel::dataChanged, this, differences);
    connect(model, &BootsModel::rowsInserted, this, differences);
    connect(model, &BootsModel::rowsRemoved, this, differences);
    connect(model, &BootsModel::modelReset, this, differences);
    connect(model, &BootsModel::stepShown, this, [this](int row) {
        if (row >= 0)
            Grid->scrollTo(viewOrder->mapFromSource(
                model->index(row, BootsModel::columnOf(boots::BootField::Nazwa))));
    });
    Grid->setFocus();
}

void FrmTable::retranslate() {
    setWindowTitle(tr("Tabela butów"));
    Filter->setPlaceholderText(tr("Szukaj w nazwach"));
    filterLabel->setText(tr("&Filtr nazw:"));
    for (const auto& [action, caption] : captions)
        action->setText(tr(caption));
    // The columns as wide as their captions in this language, the name's as 26 characters.
    const int nameColumn = BootsModel::columnOf(boots::BootField::Nazwa);
    for (int column = 0; column < BootsModel::allColumns; ++column)
        Grid->setColumnWidth(column, column == nameColumn
                                         ? 26 * Grid->fontMetrics().averageCharWidth()
                                         : Grid->horizontalHeader()->sectionSizeHint(column));
    showDifferences();
}

void FrmTable::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void FrmTable::createActions(QUndoStack* history) {
    const auto add = [this](const QString& name, const char* caption,
                            const QList<QKeySequence>& keys, auto handler) {
        auto* action = new QAction(this);
        captions.emplace_back(action, caption);
        action->setObjectName(name);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
        Grid->addAction(action);
        return action;
    };
    QAction* undo = add(QStringLiteral("TableUndo"), QT_TR_NOOP("Cofnij"),
                        {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [history] { history->undo(); });
    QAction* redo =
        add(QStringLiteral("TableRedo"), QT_TR_NOOP("Ponów"),
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
            [history] { history->redo(); });
    undo->setEnabled(history->canUndo());
    redo->setEnabled(history->canRedo());
    connect(history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    add(QStringLiteral("TableFill"), QT_TR_NOOP("Wpisz we wszystkie zaznaczone"),
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
        &FrmTable::fillSelection);
    add(QStringLiteral("TableRaise"), QT_TR_NOOP("Zwiększ o 1"),
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
        [this] { stepSelection(1); });
    add(QStringLiteral("TableLower"), QT_TR_NOOP("Zmniejsz o 1"),
        {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { stepSelection(-1); });
    add(QStringLiteral("TableCopy"), QT_TR_NOOP("Kopiuj"), {QKeySequence::Copy},
        &FrmTable::copySelection);
    add(QStringLiteral("TablePaste"), QT_TR_NOOP("Wklej"), {QKeySequence::Paste}, &FrmTable::Paste);
    Grid->setContextMenuPolicy(Qt::ActionsContextMenu);
}

// The selected cells of `grid`, in view order, as cells of the model.
static std::vector<Cell> selectedCells(const QTableView* grid, const BootsOrder* order) {
    QModelIndexList selected = grid->selectionModel()->selectedIndexes();
    std::sort(selected.begin(), selected.end());
    std::vector<Cell> cells;
    for (const QModelIndex& index : selected) {
        const QModelIndex cell = order->mapToSource(index);
        cells.push_back({cell.row(), cell.column()});
    }
    return cells;
}

void FrmTable::fillSelection() {
    auto* editor = static_cast<CellEditor*>(Grid->itemDelegate());
    TxtBox* typed = editor->open();
    if (!typed)
        return;
    const QString text = typed->text();
    emit editor->closeEditor(typed, QAbstractItemDelegate::RevertModelCache);
    const BootsModel::Filled filled = model->fillCells(selectedCells(Grid, viewOrder), text);
    QString note = tr("Wpisano „%1”: %2").arg(text, cellsCount(std::size_t(filled.set)));
    if (filled.skipped > 0)
        note += tr(", pominięto %1 (pierwsza: %2)")
                    .arg(cellsCount(std::size_t(filled.skipped)), filled.firstSkipped);
    showDifferences(note);
}

void FrmTable::stepSelection(int step) {
    model->stepCells(selectedCells(Grid, viewOrder), step);
}

void FrmTable::copySelection() {
    const QModelIndexList selected = Grid->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    int top = selected[0].row(), bottom = top, left = selected[0].column(), right = left;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    std::string text;
    for (int row = top; row <= bottom; ++row) {
        std::vector<std::string> fields;
        for (int column = left; column <= right; ++column) {
            const QModelIndex index = viewOrder->index(row, column);
            fields.push_back(Grid->selectionModel()->isSelected(index)
                                 ? index.data(Qt::EditRole).toString().toStdString()
                                 : std::string());
        }
        text += boots::tabLine(fields) + '\n';
    }
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void FrmTable::Paste() {
    const std::vector<std::vector<std::string>> rows =
        boots::tabRows(QApplication::clipboard()->text().toStdString());
    const std::vector<Cell> selected = selectedCells(Grid, viewOrder);
    std::vector<std::pair<Cell, QString>> values;
    QString problem;
    if (rows.size() == 1 && rows[0].size() == 1 && selected.size() > 1) {
        for (const Cell& cell : selected) // one value fills the selection
            values.emplace_back(cell, QString::fromStdString(rows[0][0]));
    } else {
        const QModelIndex start = Grid->currentIndex();
        if (!start.isValid())
            return;
        for (std::size_t r = 0; r < rows.size() && problem.isEmpty(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                const QModelIndex at =
                    viewOrder->index(start.row() + int(r), start.column() + int(c));
                if (!at.isValid()) {
                    problem = tr("blok wychodzi poza ostatni wiersz lub kolumnę");
                    break;
                }
                const QModelIndex cell = viewOrder->mapToSource(at);
                values.emplace_back(Cell{cell.row(), cell.column()},
                                    QString::fromStdString(rows[r][c]));
            }
        }
    }
    if (problem.isEmpty())
        problem = model->putCells(values);
    if (!problem.isEmpty())
        korvane::showMessage(this, {tr("Nic nie wklejono: %1").arg(problem), tr("Wklejanie"),
                                    korvane::MessageIcon::Information});
}

void FrmTable::showDifferences(const QString& note) {
    QString text = model->comparedName().isEmpty()
                       ? tr("Buty różne od pliku: %1").arg(model->differingBoots())
                       : tr("Porównanie z plikiem %1: różne buty: %2, różne pola: %3")
                             .arg(model->comparedName(), QString::number(model->differingBoots()),
                                  QString::number(model->differingFields()));
    if (!note.isEmpty())
        text += QStringLiteral(" · ") + note;
    Status->setText(text);
}

void FrmTable::closeEvent(QCloseEvent* event) {
    model->endComparison(); // the marks go back to the table as opened or saved
    QWidget::closeEvent(event);
}
