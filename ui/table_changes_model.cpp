#include "ui/table_changes_model.h"

#include "ui/boots_model.h"

#include <climits>
#include <utility>

namespace {

QString quotedName(const std::string& name) {
    return TableChangesModel::tr("„%1”").arg(BootsModel::visibleName(name));
}

} // namespace

TableChangesModel::TableChangesModel(boots::TableChanges changes, QObject* parent)
    : QAbstractTableModel(parent), tableChanges(std::move(changes)) {}

int TableChangesModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    const std::size_t rows =
        tableChanges.changed.size() + tableChanges.added.size() + tableChanges.removed.size();
    return rows < INT_MAX ? static_cast<int>(rows) : INT_MAX;
}

int TableChangesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TableChangesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    std::size_t row = static_cast<std::size_t>(index.row());
    std::size_t position = 0;
    unsigned id = 0;
    QString field, before, after;
    if (row < tableChanges.changed.size()) {
        const boots::FieldChange& c = tableChanges.changed[row];
        position = c.position;
        id = c.id;
        field = QString::fromLatin1(boots::fieldName(c.field));
        const bool name = c.field == boots::BootField::Nazwa;
        before = name ? quotedName(c.before) : QString::fromStdString(c.before);
        after = name ? quotedName(c.after) : QString::fromStdString(c.after);
    } else {
        row -= tableChanges.changed.size();
        const bool added = row < tableChanges.added.size();
        const boots::PositionedBoot& b =
            added ? tableChanges.added[row] : tableChanges.removed[row - tableChanges.added.size()];
        position = b.position;
        id = b.boot.ID;
        field = added ? tr("nowy but") : tr("usunięty but");
        (added ? after : before) = quotedName(b.boot.Nazwa);
    }
    switch (index.column()) {
    case Position:
        return QString::number(position);
    case Id:
        return QString::number(id);
    case Field:
        return field;
    case Before:
        return before;
    default:
        return after;
    }
}

QVariant TableChangesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const captions[ColumnCount] = {"#", "ID", QT_TR_NOOP("Kolumna"),
                                                      QT_TR_NOOP("Było"), QT_TR_NOOP("Będzie")};
    return section >= 0 && section < ColumnCount ? tr(captions[section]) : QVariant();
}
