#include "ui/boots_model.h"

#include "boots/qel_baza.h"

#include <QUndoStack>
#include <utility>

using boots::BootRecord;

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
        return QString::fromStdString(b.Nazwa);
    case Group:
        return b.Grupa;
    case ShotPower:
        return b.Sila;
    case ShotAccuracy:
        return b.Precyzja;
    case Acceleration:
        return b.Przyspieszenie;
    case TopSpeed:
        return b.Szybkosc;
    case Swerve:
        return b.Podkrecanie;
    default:
        return {};
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
