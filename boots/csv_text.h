// What the table's CSV form and the patch's CSV form share: reading the text in its encoding,
// splitting it into rows of fields (RFC 4180), the header row, and the checked values and their
// written forms. Used by boots_csv.cpp and table_patch.cpp only.
#pragma once

#include "boots/boot_fields.h"
#include "boots/boots_csv.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boots::csvtext {

inline constexpr std::string_view kBom = "\xEF\xBB\xBF";
// "position", then each field's column.
inline constexpr std::array<std::string_view, 1 + kBootFieldCount> kTableColumns = [] {
    std::array<std::string_view, 1 + kBootFieldCount> names{"position"};
    for (std::size_t f = 0; f < kBootFieldCount; ++f)
        names[1 + f] = kFields[f].column;
    return names;
}();
inline constexpr std::array<std::string_view, 5> kPatchColumns = {"position", "id", "column",
                                                                  "before", "after"};
// The places of the patch's columns.
enum PatchColumn : std::size_t { kPatchPosition, kPatchId, kPatchField, kPatchBefore, kPatchAfter };

// The header names of a CSV form, in order.
struct Columns {
    const std::string_view* names;
    std::size_t count;
};

// The columns of the form `layout` names.
Columns columnsOf(CsvLayout layout);

// An error of `problem` at `line` and, unless it concerns the whole row, `column`.
CsvError errorAt(CsvProblem problem, std::size_t line,
                 std::optional<std::size_t> column = std::nullopt);

// A fault of one field, without its place yet.
CsvError fault(CsvProblem problem, std::string value = {}, std::size_t number = 0);

// One field of a row: its text without the enclosing quotes, and the line it starts on.
struct Field {
    std::string_view raw;  // the text, when it needs no unescaping
    std::string unescaped; // the text of a quoted field that held doubled quotes
    bool escaped = false;
    std::size_t line = 0;

    std::string_view text() const { return escaped ? std::string_view(unescaped) : raw; }
};

// Splits a CSV text into rows of fields, strictly by RFC 4180 (LF alone also ends a row).
class Reader {
public:
    Reader(std::string_view text, char separator);

    std::string_view text() const { return text_; }
    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t endLine() const { return endLine_; } // the line the last row read ends on
    std::size_t count() const { return count_; }
    const Field& field(std::size_t index) const { return fields_[index]; }
    // True when the row just read is an empty line.
    bool emptyRow() const { return count_ == 1 && fields_[0].text().empty(); }

    // Reads the next row; the error of a malformed field, if any.
    std::optional<CsvError> readRow();

private:
    bool readQuoted(Field& f);
    CsvError error(std::size_t line, CsvProblem problem) const;

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    std::size_t endLine_ = 1;
    char separator_;
    std::array<bool, 256> stops_{};
    std::vector<Field> fields_;
    std::size_t count_ = 0;
};

// Reads `bytes` in `encoding` (the text kept in `converted` when it had to be converted), finds
// the separator (',', ';' or tab, whichever the first line holds first) and reads the header row,
// which must name `columns`; `reader` then stands at the first row after it. Empty lines at the
// end of the text are ignored. The first fault otherwise.
std::optional<CsvError> openCsv(std::string_view bytes, CsvEncoding encoding, Columns columns,
                                std::string& converted, std::optional<Reader>& reader);

// Checks the row just read: each field with `check` (what is wrong with field i, if anything;
// the error is placed at that field), then that it holds exactly the columns of `columns`.
template <typename Check>
std::optional<CsvError> checkRow(const Reader& reader, Columns columns, CsvProblem missing,
                                 CsvProblem extra, Check check) {
    const std::size_t count = std::min(reader.count(), columns.count);
    for (std::size_t i = 0; i < count; ++i) {
        if (std::optional<CsvError> error = check(i, reader.field(i).text())) {
            error->line = reader.field(i).line;
            error->column = i;
            return error;
        }
    }
    if (reader.count() < columns.count)
        return errorAt(missing, reader.endLine(), count);
    if (reader.count() > columns.count)
        return errorAt(extra, reader.field(columns.count).line, columns.count);
    return std::nullopt;
}

// Reads the value of `field` into `boot` as CSV holds it (ValueMode::Exact), after taking off the
// one "'" that the formula guard puts before a name. What is wrong otherwise, without its place,
// with `boot` untouched.
std::optional<CsvError> readValue(std::string_view text, BootField field, BootRecord& boot);

// A position of the position column; PositionNotANumber unless it is decimal digits alone.
std::optional<CsvError> readPosition(std::string_view text, std::size_t& position);

// Appends `value` in decimal.
void appendNumber(std::string& out, std::size_t value);

// Appends `name` as a field: a "'" before a name that a spreadsheet would run as a formula, and
// quotes around one holding a comma, semicolon, quote or line end, quotes doubled.
void appendName(std::string& out, std::string_view name);

} // namespace boots::csvtext
