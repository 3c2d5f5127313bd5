#include "ui/boots_order.h"

#include "boots/boots_format.h"
#include "boots/cp1250.h"
#include "ui/boots_model.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace {

// The next character of the UTF-8 text at `at`, which moves past it.
char32_t nextCharacter(const std::string& text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t c = lead & (0x3F >> more);
    for (int i = 0; i < more && at < text.size(); ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    return c;
}

// Where a character goes in name order: letters by their lower-case form, each Polish letter
// right after its base letter; anything else by its code after every letter.
std::uint32_t nameWeight(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        c += 'a' - 'A';
    if (c >= 'a' && c <= 'z')
        return c * 4;
    switch (c) {
    case U'ą':
    case U'Ą':
        return 'a' * 4 + 1;
    case U'ć':
    case U'Ć':
        return 'c' * 4 + 1;
    case U'ę':
    case U'Ę':
        return 'e' * 4 + 1;
    case U'ł':
    case U'Ł':
        return 'l' * 4 + 1;
    case U'ń':
    case U'Ń':
        return 'n' * 4 + 1;
    case U'ó':
    case U'Ó':
        return 'o' * 4 + 1;
    case U'ś':
    case U'Ś':
        return 's' * 4 + 1;
    case U'ź':
    case U'Ź':
        return 'z' * 4 + 1;
    case U'ż':
    case U'Ż':
        return 'z' * 4 + 2;
    default:
        return c < 0x80 ? c : 0x1000 + c;
    }
}

// A row with the part of its sort key at hand: `key`, then `more` when the keys are level.
struct Keyed {
    std::uint64_t key;
    std::uint64_t more;
    int row;
};

// Sorts `keyed` by key and more, rows of equal keys in table order; highest key first when
// `descending`.
void sortKeyed(std::vector<Keyed>& keyed, bool descending) {
    std::sort(keyed.begin(), keyed.end(), [descending](const Keyed& a, const Keyed& b) {
        if (a.key != b.key)
            return descending ? a.key > b.key : a.key < b.key;
        if (a.more != b.more)
            return descending ? a.more > b.more : a.more < b.more;
        return a.row < b.row;
    });
}

// The place of each Windows-1250 byte in name order, from 1 (0 stands for the end of a name).
const std::array<std::uint8_t, 256>& byteRanks() {
    static const std::array<std::uint8_t, 256> ranks = [] {
        std::array<std::uint32_t, 256> weights{};
        for (int b = 0; b < 256; ++b) {
            const std::string utf8 = boots::cp1250ToUtf8(std::string(1, char(b)));
            std::size_t at = 0;
            weights[static_cast<std::size_t>(b)] = nameWeight(nextCharacter(utf8, at));
        }
        std::array<std::uint32_t, 256> sorted = weights;
        std::sort(sorted.begin(), sorted.end());
        const auto last = std::unique(sorted.begin(), sorted.end());
        std::array<std::uint8_t, 256> rank{};
        for (std::size_t b = 0; b < 256; ++b)
            rank[b] = static_cast<std::uint8_t>(
                1 + (std::lower_bound(sorted.begin(), last, weights[b]) - sorted.begin()));
        return rank;
    }();
    return ranks;
}

// Characters `16 * chunk` to `16 * chunk + 15` of `name` for `row`, as two numbers of eight
// characters: their places in name order, a byte each, the first highest; 0 past the end of the
// name. A name holds only what Windows-1250 holds, so a byte a character is enough.
Keyed nameChunk(const std::string& name, std::size_t chunk, int row) {
    char bytes[boots::kNameSize + 16];
    const std::size_t from = 16 * chunk;
    const std::size_t length = boots::utf8ToCp1250(name, bytes, std::min(from + 16, sizeof bytes));
    const auto eight = [&](std::size_t start) {
        std::uint64_t key = 0;
        for (std::size_t at = start; at < start + 8; ++at)
            key = key << 8 | (at < length ? byteRanks()[static_cast<unsigned char>(bytes[at])]
                                          : std::uint64_t(0));
        return key;
    };
    return {eight(from), eight(from + 8), row};
}

// Sorts rows[first, last) by name, sixteen characters a pass: each pass sorts numbers held side
// by side (fast however the boots lie in memory), and only boots still level pass on to the next.
void sortByName(std::vector<int>& rows, std::size_t first, std::size_t last, std::size_t chunk,
                const BootsModel& model, bool descending) {
    if (last - first < 2)
        return;
    std::vector<Keyed> keyed;
    keyed.reserve(last - first);
    for (std::size_t i = first; i < last; ++i)
        keyed.push_back(nameChunk(model.boot(rows[i]).Nazwa, chunk, rows[i]));
    sortKeyed(keyed, descending);
    for (std::size_t i = first; i < last; ++i)
        rows[i] = keyed[i - first].row;
    for (std::size_t begin = 0; begin < keyed.size();) {
        std::size_t end = begin + 1;
        while (end < keyed.size() && keyed[end].key == keyed[begin].key &&
               keyed[end].more == keyed[begin].more)
            ++end;
        if ((keyed[begin].more & 0xFF) != 0) // the names go on past these sixteen characters
            sortByName(rows, first + begin, first + end, chunk + 1, model, descending);
        begin = end;
    }
}

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
    const bool descending = Sort_Order == Qt::DescendingOrder;
    if (Sort_Column == BootsModel::Name) {
        // In table order first, so that the names are read as they lie in memory (several times
        // faster for a large table than in the order of the last sort).
        std::sort(Shown.begin(), Shown.end());
        sortByName(Shown, 0, Shown.size(), 0, *Model, descending);
        return;
    }
    std::vector<Keyed> keyed;
    keyed.reserve(Shown.size());
    for (const int row : Shown)
        keyed.push_back({Sort_Column > BootsModel::Position
                             ? std::uint64_t(BootsModel::fieldNumber(Model->boot(row), Sort_Column))
                             : std::uint64_t(row),
                         0, row});
    sortKeyed(keyed, descending && Sort_Column >= 0);
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
        column >= BootsModel::ColumnCount)
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
    return parent.isValid() ? 0 : BootsModel::ColumnCount;
}
