// libFuzzer target for patches. The input is two tables of 76-byte records, the first byte giving
// the first one's number of boots: applying the patch between them, written out and read back, to
// the first gives the second byte for byte (but for the bytes no field stands for, which stay the
// first one's), and applying it again changes nothing. The input read
// as a patch text must be refused at a line of the text, or written out and read back unchanged.
#include "boots/table_patch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void fail(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

std::vector<boots::BootRecord> records(const std::uint8_t* data, std::size_t count) {
    std::vector<boots::BootRecord> table;
    for (std::size_t k = 0; k < count; ++k)
        table.push_back(boots::decodeRecord(data + boots::kRecordSize * k));
    return table;
}

// Reads `text` as a patch, failing unless that gives `changes` again; returns them.
boots::TableChanges readBack(const std::string& text) {
    const boots::CsvPatch patch = boots::decodePatch(text);
    if (patch.error)
        fail("a written patch is refused: " + patch.error->message());
    if (boots::encodePatch(patch.changes) != text)
        fail("write(read(patch)) differs from the patch");
    return patch.changes;
}

void expectApplied(const std::vector<boots::BootRecord>& table, const boots::TableChanges& changes,
                   std::vector<boots::BootRecord> want, const char* what) {
    const boots::PatchResult result = boots::applyPatch(table, changes);
    if (!result.clashes.empty())
        fail(std::string(what) + " clashes: " + result.clashes.front().message());
    for (std::size_t k = table.size(); k < want.size(); ++k) { // added boots: as made in memory
        want[k].reserved = boots::BootRecord().reserved;
        want[k].nameField.clear();
    }
    boots::keepUnmodelled(table, want);
    if (boots::encodeFile(result.records) != boots::encodeFile(want))
        fail(std::string(what) + " does not give the changed table byte for byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const boots::CsvPatch patch = boots::decodePatch(text);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (!patch.error)
        readBack(boots::encodePatch(patch.changes));
    else if (patch.error->line < 1 || patch.error->line > lines + 2)
        fail("an error outside the text: " + patch.error->message());

    if (size == 0)
        return 0;
    const std::size_t all = (size - 1) / boots::kRecordSize;
    const std::size_t first = std::min<std::size_t>(data[0], all);
    const std::vector<boots::BootRecord> base = records(data + 1, first);
    const std::vector<boots::BootRecord> changed =
        records(data + 1 + boots::kRecordSize * first, all - first);
    if (base.empty() || changed.empty())
        return 0;
    const boots::TableChanges changes =
        readBack(boots::encodePatch(boots::compareTables(base, changed)));
    expectApplied(base, changes, changed, "the patch applied to its base");
    expectApplied(changed, changes, changed, "the patch applied a second time");
    return 0;
}
