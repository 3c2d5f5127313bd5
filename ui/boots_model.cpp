// BootsModel, with its undo steps, classes nested in it.
#include "ui/boots_model.h"

#include "boots/cp1250.h"
#include "boots/qel_baza.h"
#include "ui/texts.h"

#include <QColor>
#include <QRegularExpression>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <utility>

using boots::BootRecord;

namespace {

using boots::BootField;
using boots::FieldValue;
using boots::ValueMode;
using boots::ValueProblem;

// Why a cell does not take `text` as it is.
QString cellRefusal(const FieldValue& value, const QString& text, BootField field) {
    const boots::FieldInfo& info = boots::fieldInfo(field);
    switch (value.problem) {
    case ValueProblem::ReadOnly:
        return BootsModel::tr("tej kolumny nie można zmieniać");
    case ValueProblem::OutsideCodePage:
    case ValueProblem::InvalidUtf8:
    case ValueProblem::HoldsNul:
        return BootsModel::tr("znaku „%1” nie można zapisać w pliku butów")
            .arg(BootsModel::unstorable(text));
    case ValueProblem::TooLong:
        return BootsModel::tr("nazwa ma więcej niż %1 znaków").arg(info.highest);
    case ValueProblem::OutOfRange:
        return BootsModel::tr("„%1” jest poza zakresem %2–%3")
            .arg(text, QString::number(info.lowest), QString::number(info.highest));
    case ValueProblem::Empty:
    case ValueProblem::NotANumber:
    case ValueProblem::None:
        break;
    }
    return BootsModel::tr("„%1” nie jest liczbą całkowitą").arg(text);
}

// Puts what `text` stands for into `field` of `boot`, corrected as the editor corrects it. False
// for a field no edit changes, a name the file cannot hold and, where `numbersOnly`, a text that
// is no number.
bool putCorrected(BootRecord& boot, BootField field, const QString& text,
                  bool numbersOnly = false) {
    const std::string utf8 = text.toStdString();
    FieldValue value = boots::readFieldValue(utf8, field, ValueMode::Corrected);
    if (value.problem == ValueProblem::NotANumber && !numbersOnly)
        value.problem = ValueProblem::None; // the editor stores the lowest value then
    if (!value.ok())
        return false;
    if (std::uint8_t* number = boots::numberField(boot, field))
        *number = value.number;
    else
        boot.Nazwa = value.name;
    return true;
}

// Puts `text` into the field of `column` of `boot` exactly as it is. Returns why it cannot be
// (`boot` then unchanged), or an empty text.
QString putExact(BootRecord& boot, int column, const QString& text) {
    const std::optional<BootField> field = BootsModel::fieldAt(column);
    if (!field)
        return BootsModel::tr("tej kolumny nie można zmieniać");
    const FieldValue value = boots::setField(boot, *field, text.toStdString(), ValueMode::Cell);
    return value.ok() ? QString() : cellRefusal(value, text, *field);
}

} // namespace

// A change of one or more boots. The first redo, when it is pushed, only stores the changes;
// later ones also show the first boot changed.
class BootsModel::BootsStep : public QUndoCommand {
public:
    struct Change {
        int row;
        BootRecord before, after;
        bool freshBefore;
    };
    BootsStep(BootsModel& model, std::vector<Change> changes, int merge)
        : model(model), changes(std::move(changes)), merge(merge) {}
    int id() const override { return merge < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const BootsStep*>(other);
        if (next->merge != merge || changes.size() != 1 || next->changes.size() != 1 ||
            next->changes[0].row != changes[0].row)
            return false;
        changes[0].after = next->changes[0].after;
        setObsolete(changes[0].after == changes[0].before); // changed back to what was stored
        return true;
    }
    void undo() override {
        for (const Change& change : changes)
            model.store(change.row, change.before, change.freshBefore);
        emit model.stepShown(changes.front().row);
    }
    void redo() override {
        for (const Change& change : changes)
            model.store(change.row, change.after, false);
        if (done)
            emit model.stepShown(changes.front().row);
        done = true;
    }

private:
    BootsModel& model;
    std::vector<Change> changes;
    int merge;
    bool done = false;
};

// A blank boot appended at the end.
class BootsModel::AddStep : public QUndoCommand {
public:
    AddStep(BootsModel& model, int shownBefore) : model(model), shownBefore(shownBefore) {}
    void undo() override {
        model.removeLast();
        emit model.stepShown(shownBefore);
    }
    void redo() override {
        model.appendBlank();
        if (done)
            emit model.stepShown(model.rowCount() - 1);
        done = true;
    }

private:
    BootsModel& model;
    int shownBefore;
    bool done = false;
};

// Every boot replaced.
class BootsModel::TableStep : public QUndoCommand {
public:
    TableStep(BootsModel& model, std::vector<BootRecord> after)
        : model(model), before(model.table().allBoots()), after(std::move(after)) {}
    void undo() override { model.resetTo(before); }
    void redo() override { model.resetTo(after); }

private:
    BootsModel& model;
    std::vector<BootRecord> before, after;
};

BootsModel::BootsModel(QUndoStack* history, QObject* parent)
    : QAbstractTableModel(parent), history(history), bootsTable(std::make_unique<Qel_Baza>()) {}

BootsModel::~BootsModel() = default;

void BootsModel::setTable(std::unique_ptr<Qel_Baza> table) {
    beginResetModel();
    bootsTable = std::move(table);
    fresh.assign(bootsTable->allBoots().size(), false);
    saved.clear();
    savedCount = rowCount();
    compared.clear();
    comparedFile.clear();
    endResetModel();
}

const BootRecord& BootsModel::boot(int row) const {
    return bootsTable->allBoots()[static_cast<std::size_t>(row)];
}

bool BootsModel::isFresh(int row) const {
    return fresh[static_cast<std::size_t>(row)];
}

int BootsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : bootsTable->Count();
}

int BootsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : allColumns;
}

QString BootsModel::visibleName(const std::string& name) {
    QString shown = QString::fromStdString(name);
    for (QChar& c : shown) {
        if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode()); // the control pictures: U+240A for a line feed
        else if (c.unicode() == 0x7F)
            c = QChar(0x2421);
        else if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
            c = QChar(QChar::ReplacementCharacter);
    }
    return shown;
}

int BootsModel::columnOf(BootField field) {
    const auto& order = boots::displayOrder();
    return 1 + int(std::find(order.begin(), order.end(), field) - order.begin());
}

std::optional<BootField> BootsModel::fieldAt(int column) {
    if (column <= positionColumn || column >= allColumns)
        return std::nullopt;
    return boots::displayOrder()[std::size_t(column - 1)];
}

QString BootsModel::unstorable(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    const boots::Cp1250Fit fit =
        boots::cp1250Fit(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    if (fit.ok)
        return QString();
    const QList<uint> characters = name.toUcs4();
    const char32_t missing = fit.length < static_cast<std::size_t>(characters.size())
                                 ? characters[static_cast<qsizetype>(fit.length)]
                                 : char32_t(QChar::ReplacementCharacter);
    return QString::fromUcs4(&missing, 1);
}

QVariant BootsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const std::optional<BootField> field = fieldAt(index.column());
    if (role == Qt::BackgroundRole && differs(index.row(), index.column()))
        return QColor(255, 236, 160);
    if (role == Qt::TextAlignmentRole && field != BootField::Nazwa)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (!field)
        return index.row();
    const BootRecord& b = boot(index.row());
    if (const std::uint8_t* number = boots::numberField(b, *field))
        return *number;
    return role == Qt::DisplayRole ? visibleName(b.Nazwa) : QString::fromStdString(b.Nazwa);
}

QVariant BootsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == positionColumn)
        return QStringLiteral("#");
    const std::optional<BootField> field = fieldAt(section);
    return field ? fieldCaption(*field) : QVariant();
}

Qt::ItemFlags BootsModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const std::optional<BootField> field = fieldAt(index.column());
    return field && boots::fieldInfo(*field).editable ? flags | Qt::ItemIsEditable : flags;
}

bool BootsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const std::optional<BootField> field = fieldAt(index.column());
    if (!index.isValid() || role != Qt::EditRole || !field)
        return false;
    BootRecord changed = boot(index.row());
    return putCorrected(changed, *field, value.toString(), true) &&
           changeBoot(index.row(), changed);
}

bool BootsModel::changeField(int row, BootField field, const QString& text, int merge) {
    if (row < 0 || row >= rowCount())
        return false;
    BootRecord changed = boot(row);
    return putCorrected(changed, field, text) && changeBoot(row, changed, merge);
}

bool BootsModel::changeBoot(int row, const BootRecord& record, int merge) {
    return row >= 0 && row < rowCount() && changeBoots({{row, record}}, merge);
}

bool BootsModel::changeBoots(const std::vector<std::pair<int, BootRecord>>& changed, int merge) {
    std::vector<BootsStep::Change> changes;
    for (const auto& [row, after] : changed)
        if (!(boot(row) == after))
            changes.push_back({row, boot(row), after, isFresh(row)});
    if (changes.empty())
        return false;
    history->push(new BootsStep(*this, std::move(changes), merge));
    return true;
}

// Cells of one row are applied to one copy of its boot, rows in the order first met.
template <typename Apply>
static std::vector<std::pair<int, BootRecord>>
changedBoots(const BootsModel& model, const std::vector<BootsModel::Cell>& cells, Apply apply) {
    std::vector<std::pair<int, BootRecord>> boots;
    std::unordered_map<int, std::size_t> at;
    for (const BootsModel::Cell& cell : cells) {
        if (cell.row < 0 || cell.row >= model.rowCount())
            continue;
        const auto [slot, added] = at.emplace(cell.row, boots.size());
        if (added)
            boots.emplace_back(cell.row, model.boot(cell.row));
        apply(boots[slot->second].second, cell);
    }
    return boots;
}

BootsModel::Filled BootsModel::fillCells(const std::vector<Cell>& cells, const QString& text) {
    Filled filled;
    const auto boots = changedBoots(*this, cells, [&](BootRecord& boot, const Cell& cell) {
        const QString why = putExact(boot, cell.column, text);
        if (why.isEmpty())
            ++filled.set;
        else if (filled.skipped++ == 0)
            filled.firstSkipped = cellProblem(cell, boot, why);
    });
    changeBoots(boots);
    return filled;
}

bool BootsModel::stepCells(const std::vector<Cell>& cells, int step) {
    return changeBoots(changedBoots(*this, cells, [step](BootRecord& boot, const Cell& cell) {
        const std::optional<BootField> field = fieldAt(cell.column);
        if (!field || !boots::fieldInfo(*field).editable || !boots::numberField(boot, *field))
            return;
        const boots::FieldInfo& info = boots::fieldInfo(*field);
        std::uint8_t& number = *boots::numberField(boot, *field);
        number = static_cast<std::uint8_t>(std::clamp(number + step, info.lowest, info.highest));
    }));
}

QString BootsModel::putCells(const std::vector<std::pair<Cell, QString>>& values) {
    std::vector<Cell> cells;
    for (const auto& value : values)
        cells.push_back(value.first);
    QString problem;
    std::size_t next = 0;
    auto boots = changedBoots(*this, cells, [&](BootRecord& boot, const Cell& cell) {
        const QString& text = values[next++].second;
        const QString why = problem.isEmpty() ? putExact(boot, cell.column, text) : QString();
        if (!why.isEmpty())
            problem = cellProblem(cell, boot, why);
    });
    if (problem.isEmpty())
        changeBoots(boots);
    return problem;
}

QString BootsModel::cellProblem(const Cell& cell, const BootRecord& boot,
                                const QString& why) const {
    return tr("wiersz %1 (ID %2), kolumna „%3”: %4")
        .arg(QString::number(cell.row), QString::number(boot.ID),
             headerData(cell.column, Qt::Horizontal).toString(), why);
}

const BootRecord* BootsModel::baseline(int row) const {
    if (!comparedFile.isEmpty())
        return row < static_cast<int>(compared.size()) ? &compared[static_cast<std::size_t>(row)]
                                                       : nullptr;
    if (row >= savedCount)
        return nullptr;
    const auto kept = saved.find(row);
    return kept == saved.end() ? &boot(row) : &kept->second;
}

bool BootsModel::differs(int row, int column) const {
    const BootRecord* then = baseline(row);
    if (!then)
        return true;
    const std::optional<BootField> field = fieldAt(column);
    return field && boots::fieldText(boot(row), *field) != boots::fieldText(*then, *field);
}

int BootsModel::unmatchedRows() const {
    const int other = comparedFile.isEmpty() ? savedCount : static_cast<int>(compared.size());
    return std::abs(rowCount() - other);
}

int BootsModel::sumOverMatched(const std::function<int(int row)>& count) const {
    int sum = 0;
    if (comparedFile.isEmpty()) {
        for (const auto& changed : saved)
            sum += changed.first < rowCount() ? count(changed.first) : 0;
    } else {
        for (int row = 0; row < std::min(rowCount(), static_cast<int>(compared.size())); ++row)
            sum += count(row);
    }
    return sum;
}

int BootsModel::differingBoots() const {
    return unmatchedRows() + sumOverMatched([this](int row) {
               const BootRecord* then = baseline(row);
               return int(then && !(*then == boot(row)));
           });
}

int BootsModel::differingFields() const {
    return unmatchedRows() * int(boots::kBootFieldCount) + sumOverMatched([this](int row) {
               int differing = 0;
               for (int column = positionColumn + 1; column < allColumns; ++column)
                   differing += differs(row, column);
               return differing;
           });
}

void BootsModel::markSaved() {
    saved.clear();
    savedCount = rowCount();
    marksChanged();
}

boots::TableChanges BootsModel::unsavedChanges() const {
    std::vector<int> rows;
    for (const auto& changed : saved)
        rows.push_back(changed.first);
    std::sort(rows.begin(), rows.end());
    boots::TableChanges changes;
    for (const int row : rows) {
        const auto position = std::size_t(row);
        if (row < rowCount() && row < savedCount)
            boots::compareBoots(position, saved.at(row), boot(row), changes);
        else if (row < savedCount) // taken away since
            changes.removed.push_back({position, saved.at(row)});
    }
    for (int row = savedCount; row < rowCount(); ++row)
        changes.added.push_back({std::size_t(row), boot(row)});
    return changes;
}

void BootsModel::compareWith(std::vector<BootRecord> other, const QString& name) {
    compared = std::move(other);
    comparedFile = name;
    marksChanged();
}

void BootsModel::endComparison() {
    if (comparedFile.isEmpty())
        return;
    compared.clear();
    comparedFile.clear();
    marksChanged();
}

void BootsModel::marksChanged() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, allColumns - 1), {Qt::BackgroundRole});
}

void BootsModel::remember(int row) {
    if (row < savedCount)
        saved.emplace(row, boot(row));
}

std::uint8_t BootsModel::addBoot(int shownBefore) {
    const std::uint8_t id = bootsTable->nextId();
    if (id != 0)
        history->push(new AddStep(*this, shownBefore));
    return id;
}

bool BootsModel::replaceAll(std::vector<BootRecord> records) {
    if (bootsTable->Count() <= 0 || !boots::fitsFile(records.size()))
        return false;
    history->push(new TableStep(*this, std::move(records)));
    return true;
}

void BootsModel::store(int row, const BootRecord& record, bool added) {
    remember(row);
    bootsTable->setBoot(static_cast<std::size_t>(row), record);
    fresh[static_cast<std::size_t>(row)] = added;
    emit dataChanged(index(row, 0), index(row, allColumns - 1));
}

void BootsModel::appendBlank() {
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    bootsTable->Dodaj_Nowy();
    fresh.push_back(true);
    endInsertRows();
}

void BootsModel::removeLast() {
    const int row = rowCount() - 1;
    remember(row);
    beginRemoveRows(QModelIndex(), row, row);
    bootsTable->removeLast();
    fresh.pop_back();
    endRemoveRows();
}

void BootsModel::resetTo(const std::vector<BootRecord>& records) {
    for (int row = 0; row < std::min(rowCount(), savedCount); ++row)
        remember(row);
    beginResetModel();
    bootsTable->replaceAll(records);
    fresh.assign(records.size(), false);
    endResetModel();
}
