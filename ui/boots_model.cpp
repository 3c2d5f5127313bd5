#include "ui/boots_model.h"

#include "boots/cp1250.h"
#include "boots/qel_baza.h"

#include <QRegularExpression>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <utility>

using boots::BootRecord;

namespace {

// The value a group or stat text stands for: a number (digits with an optional sign, blanks
// around and decimal fraction) rounded half to even and capped at `highest`. A text that is not
// a number, and a number below 0, give 1.
std::uint8_t numberIn(const QString& text, int highest) {
    static const QRegularExpression number(QStringLiteral("^ *[+-]?[0-9]+([.,][0-9]*)? *$"));
    if (!number.match(text).hasMatch())
        return 1;
    const double value =
        std::nearbyint(QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
    return value < 0 ? 1 : static_cast<std::uint8_t>(std::min(value, double(highest)));
}

// The stat field of `boot` that `column` stands for; null for other columns.
template <typename Boot> auto statField(Boot& boot, int column) -> decltype(&boot.Sila) {
    switch (column) {
    case BootsModel::ShotPower:
        return &boot.Sila;
    case BootsModel::ShotAccuracy:
        return &boot.Precyzja;
    case BootsModel::Acceleration:
        return &boot.Przyspieszenie;
    case BootsModel::TopSpeed:
        return &boot.Szybkosc;
    case BootsModel::Swerve:
        return &boot.Podkrecanie;
    default:
        return nullptr;
    }
}

} // namespace

// A change of one boot. The first redo, when it is pushed, only stores the change; later ones
// also show the boot.
class BootsModel::BootStep : public QUndoCommand {
public:
    BootStep(BootsModel& model, int row, int merge, BootRecord after)
        : Model(model), Row(row), Merge(merge), Before(model.boot(row)),
          Fresh_Before(model.isFresh(row)), After(std::move(after)) {}
    int id() const override { return Merge < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const BootStep*>(other);
        if (next->Merge != Merge || next->Row != Row)
            return false;
        After = next->After;
        setObsolete(After == Before); // changed back to what was stored
        return true;
    }
    void undo() override {
        Model.store(Row, Before, Fresh_Before);
        emit Model.stepShown(Row);
    }
    void redo() override {
        Model.store(Row, After, false);
        if (Done)
            emit Model.stepShown(Row);
        Done = true;
    }

private:
    BootsModel& Model;
    int Row, Merge;
    BootRecord Before;
    bool Fresh_Before;
    BootRecord After;
    bool Done = false;
};

// A blank boot appended at the end.
class BootsModel::AddStep : public QUndoCommand {
public:
    AddStep(BootsModel& model, int shownBefore) : Model(model), Shown_Before(shownBefore) {}
    void undo() override {
        Model.removeLast();
        emit Model.stepShown(Shown_Before);
    }
    void redo() override {
        Model.appendBlank();
        if (Done)
            emit Model.stepShown(Model.rowCount() - 1);
        Done = true;
    }

private:
    BootsModel& Model;
    int Shown_Before;
    bool Done = false;
};

// Every boot replaced.
class BootsModel::TableStep : public QUndoCommand {
public:
    TableStep(BootsModel& model, std::vector<BootRecord> after)
        : Model(model), Before(model.table().Boots_All()), After(std::move(after)) {}
    void undo() override { Model.resetTo(Before); }
    void redo() override { Model.resetTo(After); }

private:
    BootsModel& Model;
    std::vector<BootRecord> Before, After;
};

BootsModel::BootsModel(QUndoStack* history, QObject* parent)
    : QAbstractTableModel(parent), History(history), Table(std::make_unique<Qel_Baza>()) {}

BootsModel::~BootsModel() = default;

void BootsModel::setTable(std::unique_ptr<Qel_Baza> table) {
    beginResetModel();
    Table = std::move(table);
    Fresh.assign(Table->Boots_All().size(), false);
    endResetModel();
}

const BootRecord& BootsModel::boot(int row) const {
    return Table->Boots_All()[static_cast<std::size_t>(row)];
}

bool BootsModel::isFresh(int row) const {
    return Fresh[static_cast<std::size_t>(row)];
}

int BootsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Table->Count();
}

int BootsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
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
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const BootRecord& b = boot(index.row());
    switch (index.column()) {
    case Position:
        return index.row();
    case Id:
        return b.ID;
    case Name:
        return role == Qt::DisplayRole ? visibleName(b.Nazwa) : QString::fromStdString(b.Nazwa);
    case Group:
        return b.Grupa;
    default: {
        const std::uint8_t* stat = statField(b, index.column());
        return stat ? QVariant(*stat) : QVariant();
    }
    }
}

QVariant BootsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const captions[ColumnCount] = {
        "#",         "ID",    "Name", "Group", "Shot power", "Shot accuracy", "Acceleration",
        "Top speed", "Swerve"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(captions[section])
                                                 : QVariant();
}

Qt::ItemFlags BootsModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() > Id ? flags | Qt::ItemIsEditable : flags;
}

bool BootsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    return index.isValid() && role == Qt::EditRole &&
           changeField(index.row(), index.column(), value.toString());
}

bool BootsModel::changeField(int row, int column, const QString& text, int merge) {
    if (row < 0 || row >= rowCount())
        return false;
    BootRecord changed = boot(row);
    if (column == Name) {
        if (!unstorable(text).isEmpty())
            return false;
        changed.Nazwa = Qel_Baza::Clamp_Name(text.toStdString());
    } else if (column == Group) {
        changed.Grupa = Qel_Baza::Clamp_Group(numberIn(text, Qel_Baza::Group_Highest));
    } else if (std::uint8_t* stat = statField(changed, column)) {
        *stat = Qel_Baza::Clamp_Stat(numberIn(text, Qel_Baza::Stat_Highest));
    } else {
        return false;
    }
    return changeBoot(row, changed, merge);
}

bool BootsModel::changeBoot(int row, const BootRecord& record, int merge) {
    if (row < 0 || row >= rowCount() || boot(row) == record)
        return false;
    History->push(new BootStep(*this, row, merge, record));
    return true;
}

std::uint8_t BootsModel::addBoot(int shownBefore) {
    const std::uint8_t id = Table->Nastepne_ID();
    if (id != 0)
        History->push(new AddStep(*this, shownBefore));
    return id;
}

bool BootsModel::replaceAll(std::vector<BootRecord> records) {
    unsigned char header[boots::kHeaderSize];
    if (Table->Count() <= 0 || !boots::encodeHeader(records.size(), header))
        return false;
    History->push(new TableStep(*this, std::move(records)));
    return true;
}

void BootsModel::store(int row, const BootRecord& record, bool fresh) {
    Table->Set_Boot(static_cast<std::size_t>(row), record);
    Fresh[static_cast<std::size_t>(row)] = fresh;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void BootsModel::appendBlank() {
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    Table->Dodaj_Nowy();
    Fresh.push_back(true);
    endInsertRows();
}

void BootsModel::removeLast() {
    const int row = rowCount() - 1;
    beginRemoveRows(QModelIndex(), row, row);
    Table->Usun_Ostatni();
    Fresh.pop_back();
    endRemoveRows();
}

void BootsModel::resetTo(const std::vector<BootRecord>& records) {
    beginResetModel();
    Table->Zastap(records);
    Fresh.assign(records.size(), false);
    endResetModel();
}
