// The boots table as CSV text (RFC 4180) for spreadsheet programs: one header row
// position,id,group,name,shot_power,shot_accuracy,acceleration,top_speed,swerve, then one row per
// boot in table order. Pure functions over text, shared by the tools, the window, the tests and
// the fuzzer.
#pragma once

#include "boots/boot_fields.h"
#include "boots/boots_format.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boots {

// The encoding decodeCsv and decodePatch read a text in.
enum class CsvEncoding {
    Detect,      // UTF-8 or UTF-16 by a byte-order mark; without one UTF-8 if valid, else
                 // Windows-1250
    Utf8,        // with or without a byte-order mark
    Windows1250, // every byte one character
    Utf16,       // little- or big-endian by its byte-order mark, little-endian without one
};

// The CSV form a text is read as: the table (decodeCsv) or a patch (decodePatch).
enum class CsvLayout { Table, Patch };

// The kinds of fault decodeCsv and decodePatch report; CsvError::message words each in English.
enum class CsvProblem {
    EmptyFile,           // the text holds nothing but a byte-order mark and empty lines
    InvalidUtf16,        // an unpaired surrogate, or half a character at the end
    NoSeparator,         // the header row holds neither ',', ';' nor a tab
    HeaderMismatch,      // a header column is not named as it must be
    HeaderColumnMissing, // the header row ends early
    HeaderColumnExtra,   // the header row has a column past the last
    NoBoots,             // no row after the header row
    TooManyBoots,        // more rows than a boots data file can hold
    EmptyLine,           // an empty line between rows
    ColumnMissing,       // a row ends early
    ColumnExtra,         // a row has a column past the last
    UnclosedQuote,       // a quoted field has no closing quote
    QuoteInsideField,    // a quote inside a field that does not begin with one
    TextAfterQuote,      // text between a closing quote and the separator
    LoneCarriageReturn,  // a carriage return without a line feed
    NumberEmpty,         // an empty number field
    NumberOutOfRange,    // a whole number outside 0 to 255; `value` holds it
    NotANumber,          // a number field that is not a whole number
    PositionNotANumber,  // the position is not a whole number
    PositionOutOfOrder,  // the position is not the row's; `value` holds it, `number` the expected
    NameInvalidUtf8,     // a name that is not valid UTF-8
    NameOutsideCodePage, // a character Windows-1250 lacks: `number` is its place, from 1, and
                         // `codePoint` the character
    NameHoldsNul,        // a NUL character inside a name
    NameTooLong,         // more than 64 Windows-1250 bytes: `number` is the name's length
    // A patch only:
    UnknownColumn,     // the column is not one of the boot's eight
    PositionBackwards, // a position below the row before's; `value` holds it, `number` that one
    ColumnOutOfOrder,  // a column not after the one of the row before at the same position;
                       // `number` is that one's BootField
    IdDiffers,         // not the id of the boot's first row; `value` holds it, `number` that one
    IdValueDiffers,    // the id column's value is not the row's id; `value` holds it, `number` that
    ValueNotEmpty,     // a before of an added boot, or an after of a removed one, is not empty
    BootIncomplete,    // an added or removed boot lacks a column's row; `value` names the column,
                       // `number` is the position
    BootOutOfPlace,    // an added or removed boot not past every changed one, not at the position
                       // after the one before, or both kinds in one patch
};

// Where and why a CSV text was refused: the kind, the line and the column, and the details that
// the kind names. The window and the command line each word it in their own language.
struct CsvError {
    CsvProblem problem = CsvProblem::EmptyFile;
    CsvLayout layout = CsvLayout::Table; // whose columns `column` counts
    std::size_t line = 0;                // counted from 1, as an editor shows it
    std::optional<std::size_t> column;   // counted from 0; none for a whole row
    std::string value;
    std::size_t number = 0;
    std::uint32_t codePoint = 0;

    // The column's header name, its number from 1 past the last, or empty for a whole row.
    std::string columnName() const;

    // "line L, column NAME: problem", or "line L: problem" for a whole row, in English.
    std::string message() const;
};

// The outcome of decodeCsv: the records, or the first error and no records.
struct CsvTable {
    std::vector<BootRecord> records;
    std::optional<CsvError> error;
};

// The CSV text of `records`: a UTF-8 byte-order mark, the header row, one row per boot, every
// row ended by CRLF, separated by commas. A name that a spreadsheet would run as a formula (one
// that starts with '=', '+', '-', '@', a tab or a carriage return, after any number of "'") gets
// one "'" in front. Names holding a comma, semicolon, quote or line end are quoted, quotes
// doubled.
std::string encodeCsv(const std::vector<BootRecord>& records);

// The same text handed to `write` in order, a few tens of kilobytes at a time, so that it need
// never be held whole. Stops and returns false as soon as `write` returns false.
bool encodeCsv(const std::vector<BootRecord>& records,
               const std::function<bool(std::string_view)>& write);

// Reads a CSV text in `encoding`, separated by ',', ';' or tab (whichever the header row uses
// first), rows ended by CRLF or LF; empty lines at its end are ignored. Every field is checked and
// nothing is clamped or replaced: numbers must be 0 to 255, names text that Windows-1250 holds in
// at most 64 bytes (after the one "'" that export puts before a formula-like name is taken off),
// and the position column must count the rows from 0. The first fault found, in reading order, is
// returned as the error; so is a text without rows or with more than a boots data file can hold.
CsvTable decodeCsv(std::string_view text, CsvEncoding encoding = CsvEncoding::Detect);

} // namespace boots
