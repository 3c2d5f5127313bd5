// libFuzzer target for the CSV importer: what it accepts, in any encoding, must export and import
// back unchanged, its errors must point at a line of the text, and the input taken as 76-byte
// records must survive an export and an import whatever their name bytes.
#include "boots/boots_csv.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void expectRoundTrip(const std::vector<boots::BootRecord>& records) {
    const boots::CsvTable again = boots::decodeCsv(boots::encodeCsv(records));
    if (again.error)
        fail(("an exported table is refused: " + again.error->message()).c_str());
    if (again.records != records)
        fail("import(export(x)) differs from x");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    for (const boots::CsvEncoding encoding :
         {boots::CsvEncoding::Detect, boots::CsvEncoding::Utf8, boots::CsvEncoding::Windows1250,
          boots::CsvEncoding::Utf16}) {
        const boots::CsvTable table = boots::decodeCsv(text, encoding);
        if (!table.error)
            expectRoundTrip(table.records);
        else if (table.error->line < 1 || table.error->line > lines + 2 || !table.records.empty())
            fail(("an error outside the text: " + table.error->message()).c_str());
    }
    std::vector<boots::BootRecord> records;
    for (std::size_t at = 0; at + boots::kRecordSize <= size; at += boots::kRecordSize)
        records.push_back(boots::decodeRecord(data + at));
    if (!records.empty())
        expectRoundTrip(records);
    return 0;
}
