// The boots table as CSV text (RFC 4180) for spreadsheet programs: one header row
// position,id,group,name,shot_power,shot_accuracy,acceleration,top_speed,swerve, then one row per
// boot in table order. Pure functions over text, shared by the tool, the tests and the fuzzer.
#pragma once

#include "boots/boots_format.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boots {

// Where and why a CSV text was refused.
struct CsvError {
    std::size_t line = 0; // counted from 1, as an editor shows it
    std::string column;   // the column's header name (its number past the ninth), or empty
    std::string problem;

    // "line L, column NAME: problem", or "line L: problem" for a whole row.
    std::string message() const;
};

// The outcome of decodeCsv: the records, or the first error and no records.
struct CsvTable {
    std::vector<BootRecord> records;
    std::optional<CsvError> error;
};

// The CSV text of `records`: a UTF-8 byte-order mark, the header row, one row per boot, every
// row ended by CRLF, separated by commas. Names holding a comma, semicolon, quote or line end are
// quoted, quotes doubled.
std::string encodeCsv(const std::vector<BootRecord>& records);

// The same text handed to `write` in order, a few tens of kilobytes at a time, so that it need
// never be held whole. Stops and returns false as soon as `write` returns false.
bool encodeCsv(const std::vector<BootRecord>& records,
               const std::function<bool(std::string_view)>& write);

// Reads a CSV text with or without a byte-order mark, separated by ',' or ';' (whichever the
// header row uses), rows ended by CRLF or LF. Every field is checked and nothing is clamped or
// replaced: numbers must be 0 to 255, names valid UTF-8 that Windows-1250 holds in at most 64
// bytes, and the position column must count the rows from 0. The first fault found, in reading
// order, is returned as the error; so is a text without rows or with more than a boots data file
// can hold.
CsvTable decodeCsv(std::string_view text);

} // namespace boots
