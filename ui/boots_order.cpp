#include "ui/boots_order.h"

#include "boots/boot_fields.h"
#include "boots/name_order.h"
#include "ui/boots_model.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// A row and the number it sorts by.
struct Keyed {
    std::uint64_t key;
    int row;
};

} // namespace

BootsOrder::BootsOrder(BootsModel* source, QObject* parent)
    : QAbstractProxyModel(parent), model(source) {
    QAbstractProxyModel::setSourceModel(model);
    connect(model, &BootsModel::modelAboutToBeReset, this, &BootsOrder::beginResetModel);
    connect(model, &BootsModel::modelReset, this, [this] {
        rebuild();
        endResetModel();
    });
    connect(model, &BootsModel::dataChanged, this, &BootsOrder::forwardChange);
    // Boots come and go only at the end of the table; a new boot shows at the end of the view
    // until the next sort.
    connect(model, &BootsModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                positions.resize(static_cast<std::size_t>(model->rowCount()), -1);
                for (int row = first; row <= last; ++row) {
                    if (!accepts(row))
                        continue;
                    const int at = static_cast<int>(shown.size());
                    beginInsertRows(QModelIndex(), at, at);
                    shown.push_back(row);
                    positions[static_cast<std::size_t>(row)] = at;
                    endInsertRows();
                }
            });
    connect(model, &BootsModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                for (int row = last; row >= first; --row) {
                    const int at = positions[static_cast<std::size_t>(row)];
                    if (at < 0)
                        continue;
                    beginRemoveRows(QModelIndex(), at, at);
                    shown.erase(shown.begin() + at);
                    indexShown();
                    endRemoveRows();
                }
                positions.resize(static_cast<std::size_t>(first));
            });
    connect(model, &BootsModel::headerDataChanged, this, &BootsOrder::headerDataChanged);
    rebuild();
}

void BootsOrder::setNameFilter(const QString& text) {
    if (text == nameFilter)
        return;
    beginResetModel();
    nameFilter = text;
    rebuild();
    endResetModel();
}

void BootsOrder::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rows;
    for (const QModelIndex& index : before)
        rows.push_back(shown[static_cast<std::size_t>(index.row())]);
    sortColumn = column;
    sortOrder = order;
    sortShown();
    indexShown();
    QModelIndexList after;
    for (int k = 0; k < before.size(); ++k)
        after << index(positions[static_cast<std::size_t>(rows[static_cast<std::size_t>(k)])],
                       before[k].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, VerticalSortHint);
}

void BootsOrder::rebuild() {
    shown.clear();
    for (int row = 0; row < model->rowCount(); ++row)
        if (accepts(row))
            shown.push_back(row);
    sortShown();
    indexShown();
}

void BootsOrder::sortShown() {
    const std::optional<boots::BootField> field = BootsModel::fieldAt(sortColumn);
    const bool descending = sortOrder == Qt::DescendingOrder && sortColumn >= 0;
    if (field == boots::BootField::Nazwa) {
        // In table order first, so that the names are read as they lie in memory (several times
        // faster for a large table than in the order of the last sort).
        std::sort(shown.begin(), shown.end());
        boots::sortByName(
            shown, [this](int row) -> const std::string& { return model->boot(row).Nazwa; },
            descending);
        return;
    }
    // The numbers side by side, however the boots lie in memory; level ones in table order.
    std::vector<Keyed> keyed;
    keyed.reserve(shown.size());
    for (const int row : shown)
        keyed.push_back(
            {field ? *boots::numberField(model->boot(row), *field) : std::uint64_t(row), row});
    std::sort(keyed.begin(), keyed.end(), [descending](const Keyed& a, const Keyed& b) {
        if (a.key != b.key)
            return descending ? a.key > b.key : a.key < b.key;
        return a.row < b.row;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        shown[i] = keyed[i].row;
}

void BootsOrder::indexShown() {
    positions.assign(static_cast<std::size_t>(model->rowCount()), -1);
    for (std::size_t at = 0; at < shown.size(); ++at)
        positions[static_cast<std::size_t>(shown[at])] = static_cast<int>(at);
}

bool BootsOrder::accepts(int row) const {
    return nameFilter.isEmpty() ||
           QString::fromStdString(model->boot(row).Nazwa).contains(nameFilter, Qt::CaseInsensitive);
}

void BootsOrder::forwardChange(const QModelIndex& first, const QModelIndex& last,
                               const QList<int>& roles) {
    // Changed boots stay where they are shown until the next sort or filter.
    int top = rowCount(), bottom = -1;
    for (int row = first.row(); row <= last.row(); ++row) {
        const int at = positions[static_cast<std::size_t>(row)];
        if (at >= 0) {
            top = std::min(top, at);
            bottom = std::max(bottom, at);
        }
    }
    if (bottom >= 0)
        emit dataChanged(index(top, first.column()), index(bottom, last.column()), roles);
}

QModelIndex BootsOrder::mapToSource(const QModelIndex& proxy) const {
    if (!proxy.isValid() || proxy.row() >= static_cast<int>(shown.size()))
        return {};
    return model->index(shown[static_cast<std::size_t>(proxy.row())], proxy.column());
}

QModelIndex BootsOrder::mapFromSource(const QModelIndex& source) const {
    if (!source.isValid() || source.row() >= static_cast<int>(positions.size()))
        return {};
    const int at = positions[static_cast<std::size_t>(source.row())];
    return at < 0 ? QModelIndex() : index(at, source.column());
}

QModelIndex BootsOrder::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 ||
        column >= BootsModel::allColumns)
        return {};
    return createIndex(row, column);
}

QModelIndex BootsOrder::parent(const QModelIndex&) const {
    return {};
}

int BootsOrder::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown.size());
}

int BootsOrder::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : BootsModel::allColumns;
}
