#include "boots/table_diff.h"

#include <algorithm>

namespace boots {

void compareBoots(std::size_t position, const BootRecord& before, const BootRecord& after,
                  TableChanges& changes) {
    if (before == after)
        return;
    ++changes.changedBoots;
    for (std::size_t f = 0; f < kBootFieldCount; ++f) {
        const auto field = static_cast<BootField>(f);
        std::string was = fieldText(before, field);
        std::string is = fieldText(after, field);
        if (was != is)
            changes.changed.push_back({position, before.ID, field, std::move(was), std::move(is)});
    }
}

TableChanges compareTables(const std::vector<BootRecord>& before,
                           const std::vector<BootRecord>& after) {
    TableChanges changes;
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t position = 0; position < common; ++position)
        compareBoots(position, before[position], after[position], changes);
    for (std::size_t position = common; position < after.size(); ++position)
        changes.added.push_back({position, after[position]});
    for (std::size_t position = common; position < before.size(); ++position)
        changes.removed.push_back({position, before[position]});
    return changes;
}

} // namespace boots
