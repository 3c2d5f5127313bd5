#include "boots/table_diff.h"

#include <algorithm>

namespace boots {

TableChanges compareTables(const std::vector<BootRecord>& before,
                           const std::vector<BootRecord>& after) {
    TableChanges changes;
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t position = 0; position < common; ++position) {
        const BootRecord& old = before[position];
        const BootRecord& now = after[position];
        if (old == now)
            continue;
        ++changes.changedBoots;
        for (std::size_t f = 0; f < kBootFieldCount; ++f) {
            const auto field = static_cast<BootField>(f);
            std::string was = fieldText(old, field);
            std::string is = fieldText(now, field);
            if (was != is)
                changes.changed.push_back({position, old.ID, field, std::move(was), std::move(is)});
        }
    }
    for (std::size_t position = common; position < after.size(); ++position)
        changes.added.push_back({position, after[position]});
    for (std::size_t position = common; position < before.size(); ++position)
        changes.removed.push_back({position, before[position]});
    return changes;
}

} // namespace boots
