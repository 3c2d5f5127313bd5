// The comparison of two boots tables, position by position: what an import would change, and
// what a patch between two tables holds.
#pragma once

#include "boots/boots_csv.h"
#include "boots/boots_format.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace boots {

// One field that differs between two boots at the same position.
struct FieldChange {
    std::size_t position = 0; // the boot's position in both tables
    std::uint8_t id = 0;      // the boot's identifier in the table before
    BootField field = BootField::ID;
    std::string before; // the values as fieldText gives them: numbers in decimal, names in full
    std::string after;
};

// A boot that only one of the two tables holds, at its position there.
struct PositionedBoot {
    std::size_t position = 0;
    BootRecord boot;
};

// Everything that differs between two tables.
struct TableChanges {
    std::vector<FieldChange> changed;    // in position order, then in column order
    std::size_t changedBoots = 0;        // boots with at least one field in `changed`
    std::vector<PositionedBoot> added;   // boots of the table after, past the end of the one before
    std::vector<PositionedBoot> removed; // boots of the table before, past the end of the one after

    // True when the two tables are equal.
    bool empty() const { return changed.empty() && added.empty() && removed.empty(); }
};

// Adds to `changes` every field that differs between `before` and `after`, the boots at
// `position`; counts the boot among the changed ones when any does.
void compareBoots(std::size_t position, const BootRecord& before, const BootRecord& after,
                  TableChanges& changes);

// Compares `before` with `after` position by position: every field that differs at a position
// both hold, then the boots at the positions only one of them holds. Equal tables give empty
// changes.
TableChanges compareTables(const std::vector<BootRecord>& before,
                           const std::vector<BootRecord>& after);

} // namespace boots
