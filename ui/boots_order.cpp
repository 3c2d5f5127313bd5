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

BootsOrder::BootsOrder(BootsModel* model, QObject* parent)
    : QAbstractProxyModel(parent), Model(model) {
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
                Position.resize(static_cast<std::size_t>(Model->rowCount()), -1);
                for (int row = first; row <= last; ++row) {
                    if (!accepts(row))
                        continue;
                    const int at = static_cast<int>(Shown.size());
                    beginInsertRows(QModelIndex(), at, at);
                    Shown.push_back(row);
                    Position[static_cast<std::size_t>(row)] = at;
                    endInsertRows();
                }
            });
    connect(model, &BootsModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                for (int row = last; row >= first; --row) {
                    const int at = Position[static_cast<std::size_t>(row)];
                    if (at < 0)
                        continue;
                    beginRemoveRows(QModelIndex(), at, at);
                    Shown.erase(Shown.begin() + at);
                    indexShown();
                    endRemoveRows();
                }
                Position.resize(static_cast<std::size_t>(first));
            });
    connect(model, &BootsModel::headerDataChanged, this, &BootsOrder::headerDataChanged);
    rebuild();
}

void BootsOrder::setNameFilter(const QString& text) {
    if (text == Name_Filter)
        return;
    beginResetModel();
    Name_Filter = text;
    rebuild();
    endResetModel();
}

void BootsOrder::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rows;
    for (const QModelIndex& index : before)
        rows.push_back(Shown[static_cast<std::size_t>(index.row())]);
    Sort_Column = column;
    Sort_Order = order;
    sortShown();
    indexShown();
    QModelIndexList after;
    for (int k = 0; k < before.size(); ++k)
        after << index(Position[static_cast<std::size_t>(rows[static_cast<std::size_t>(k)])],
                       before[k].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, VerticalSortHint);
}

void BootsOrder::rebuild() {
    Shown.clear();
    for (int row = 0; row < Model->rowCount(); ++row)
        if (accepts(row))
            Shown.push_back(row);
    sortShown();
    indexShown();
}

void BootsOrder::sortShown() {
    const std::optional<boots::BootField> field = BootsModel::fieldAt(Sort_Column);
    const bool descending = Sort_Order == Qt::DescendingOrder && Sort_Column >= 0;
    if (field == boots::BootField::Nazwa) {
        // In table order first, so that the names are read as they lie in memory (several times
        // faster for a large table than in the order of the last sort).
        std::sort(Shown.begin(), Shown.end());
        boots::sortByName(
            Shown, [this](int row) -> const std::string& { return Model->boot(row).Nazwa; },
            descending);
        return;
    }
    // The numbers side by side, however the boots lie in memory; level ones in table order.
    std::vector<Keyed> keyed;
    keyed.reserve(Shown.size());
    for (const int row : Shown)
        keyed.push_back(
            {field ? *boots::numberField(Model->boot(row), *field) : std::uint64_t(row), row});
    std::sort(keyed.begin(), keyed.end(), [descending](const Keyed& a, const Keyed& b) {
        if (a.key != b.key)
            return descending ? a.key > b.key : a.key < b.key;
        return a.row < b.row;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        Shown[i] = keyed[i].row;
}

void BootsOrder::indexShown() {
    Position.assign(static_cast<std::size_t>(Model->rowCount()), -1);
    for (std::size_t at = 0; at < Shown.size(); ++at)
        Position[static_cast<std::size_t>(Shown[at])] = static_cast<int>(at);
}

bool BootsOrder::accepts(int row) const {
    return Name_Filter.isEmpty() || QString::fromStdString(Model->boot(row).Nazwa)
                                        .contains(Name_Filter, Qt::CaseInsensitive);
}

void BootsOrder::forwardChange(const QModelIndex& first, const QModelIndex& last,
                               const QList<int>& roles) {
    // Changed boots stay where they are shown until the next sort or filter.
    int top = rowCount(), bottom = -1;
    for (int row = first.row(); row <= last.row(); ++row) {
        const int at = Position[static_cast<std::size_t>(row)];
        if (at >= 0) {
            top = std::min(top, at);
            bottom = std::max(bottom, at);
        }
    }
    if (bottom >= 0)
        emit dataChanged(index(top, first.column()), index(bottom, last.column()), roles);
}

QModelIndex BootsOrder::mapToSource(const QModelIndex& proxy) const {
    if (!proxy.isValid() || proxy.row() >= static_cast<int>(Shown.size()))
        return {};
    return Model->index(Shown[static_cast<std::size_t>(proxy.row())], proxy.column());
}

QModelIndex BootsOrder::mapFromSource(const QModelIndex& source) const {
    if (!source.isValid() || source.row() >= static_cast<int>(Position.size()))
        return {};
    const int at = Position[static_cast<std::size_t>(source.row())];
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
    return parent.isValid() ? 0 : static_cast<int>(Shown.size());
}

int BootsOrder::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : BootsModel::allColumns;
}
