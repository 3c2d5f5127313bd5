// A patch: what changed between two boots tables (compareTables), as CSV text to share, and
// applied field by field to another copy of the table, refused where it would clash. Pure
// functions over text and records, shared by korvane-table, the window, the tests and the fuzzer.
//
// The text: a UTF-8 byte-order mark, the header row position,id,column,before,after, then one row
// per changed field in position order and then column order, every row ended by CRLF. `id` is
// the boot's identifier in the table before; `column` one of the table's CSV column names; before
// and after the field's values written as export writes them. A boot that the changed table adds
// past the end of the other is eight rows, one per column, each with an empty `before` and `id`
// its new identifier; a boot that it no longer has, eight rows each with an empty `after`. Added
// or removed boots come after every changed one, one position after another.
#pragma once

#include "boots/boots_csv.h"
#include "boots/table_diff.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boots {

// The patch text of `changes` (compareTables(before, after)): the header row alone when they are
// empty.
std::string encodePatch(const TableChanges& changes);

// The same text handed to `write` in order, a few tens of kilobytes at a time. Stops and returns
// false as soon as `write` returns false.
bool encodePatch(const TableChanges& changes, const std::function<bool(std::string_view)>& write);

// The outcome of decodePatch: the changes, or the first error (its layout Patch) and no changes.
struct CsvPatch {
    TableChanges changes;
    std::optional<CsvError> error;
};

// Reads a patch text as decodeCsv reads a table: in `encoding`, separated by ',', ';' or tab as
// its header row is, rows ended by CRLF or LF, empty lines at the end ignored, values checked as
// import checks them (numbers in any decimal form are kept as fieldText gives them). Refuses,
// with its line and column, a row out of position and column order, a column name that is not a
// boot's, a boot whose rows carry different ids or whose id row disagrees with them, an added or
// removed boot lacking a column or placed anywhere but after the changed ones, one position after
// another. A header row alone is a valid, empty patch.
CsvPatch decodePatch(std::string_view text, CsvEncoding encoding = CsvEncoding::Detect);

// A place where a patch does not fit the table it is applied to.
struct PatchClash {
    std::size_t position = 0;
    std::uint8_t id = 0;                 // the boot's identifier as the patch has it
    std::optional<BootField> field;      // none (column "*"): the number of boots in the table
    std::optional<std::string> expected; // the field's text that the patch expects (its before),
                                         // none for no boot; for "*" a number of boots
    std::optional<std::string> found;    // the field's text in the table, none for no boot; for
                                         // "*" the table's number of boots

    // "position P (ID I), column C: the patch expects B, the file has X" in English, names in
    // quotes, "no boot" for none, "N boots" for column "*".
    std::string message() const;
};

// The outcome of applyPatch: the patched table, or every clash and no records.
struct PatchResult {
    std::vector<BootRecord> records;
    std::vector<PatchClash> clashes;
};

// Applies `patch` (as decodePatch or compareTables give it) to `table`, field by field: a field
// holding the patch's before gets its after, one holding the after already stays as it is, and
// anything else clashes. So does a changed boot whose position the table lacks or that carries an
// identifier other than the patch's (column id), added boots that would leave a gap after the
// table's last boot, and removed boots followed by boots the patch does not remove (column "*").
// Applying a patch to the table it was made from gives the table it was made to; applying it again
// to that gives it unchanged. `table` itself is never changed.
PatchResult applyPatch(const std::vector<BootRecord>& table, const TableChanges& patch);

} // namespace boots
