#include "boots/boots_csv.h"

#include "boots/csv_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace boots {
namespace {

using namespace csvtext;

constexpr std::size_t kColumnCount = kTableColumns.size();
constexpr std::size_t kPositionColumn = 0;
const Columns kColumns = columnsOf(CsvLayout::Table);

// Checks that the position column counts the rows from 0.
std::optional<CsvError> checkPosition(std::string_view text, std::size_t position) {
    if (readWholeNumber(text) == position)
        return std::nullopt;
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return fault(CsvProblem::PositionNotANumber);
    return fault(CsvProblem::PositionOutOfOrder, std::string(text), position);
}

// Decodes the row just read as the boot at `position` into `r`.
std::optional<CsvError> decodeRow(const Reader& reader, std::size_t position, BootRecord& r) {
    if (reader.emptyRow())
        return errorAt(CsvProblem::EmptyLine, reader.field(0).line);
    return checkRow(reader, kColumns, CsvProblem::ColumnMissing, CsvProblem::ColumnExtra,
                    [&](std::size_t i, std::string_view text) {
                        if (i == kPositionColumn)
                            return checkPosition(text, position);
                        return readValue(text, static_cast<BootField>(i - 1), r);
                    });
}

CsvTable failure(CsvError error) {
    CsvTable table;
    table.error = std::move(error);
    return table;
}

// The English wording of `error`'s problem.
std::string describe(const CsvError& error) {
    switch (error.problem) {
    case CsvProblem::EmptyFile:
        return "the file is empty";
    case CsvProblem::InvalidUtf16:
        return "not valid UTF-16";
    case CsvProblem::NoSeparator:
        return "the header row has no , ; or tab between its columns";
    case CsvProblem::HeaderMismatch:
        return "the header row must read \"" + error.columnName() + "\" here";
    case CsvProblem::HeaderColumnMissing:
        return "missing from the header row";
    case CsvProblem::HeaderColumnExtra:
        return "extra column in the header row";
    case CsvProblem::NoBoots:
        return "no boots after the header row";
    case CsvProblem::TooManyBoots:
        return "more boots than a boots data file can hold";
    case CsvProblem::EmptyLine:
        return "empty line";
    case CsvProblem::ColumnMissing:
        return "missing";
    case CsvProblem::ColumnExtra:
        return "extra column (a row holds " + std::to_string(columnsOf(error.layout).count) + ")";
    case CsvProblem::UnclosedQuote:
        return "the quoted field has no closing quote";
    case CsvProblem::QuoteInsideField:
        return "a quote inside a field that does not begin with one";
    case CsvProblem::TextAfterQuote:
        return "text after the closing quote";
    case CsvProblem::LoneCarriageReturn:
        return "a carriage return without a line feed";
    case CsvProblem::NumberEmpty:
        return "empty, expected a number from 0 to 255";
    case CsvProblem::NumberOutOfRange:
        return error.value + " is outside 0 to 255";
    case CsvProblem::NotANumber:
        return "not a whole number from 0 to 255";
    case CsvProblem::PositionNotANumber:
        return "not a whole number";
    case CsvProblem::PositionOutOfOrder:
        return error.value + ", expected " + std::to_string(error.number) +
               ": the rows must stay in table order";
    case CsvProblem::NameInvalidUtf8:
        return "not valid UTF-8";
    case CsvProblem::NameOutsideCodePage: {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(error.codePoint));
        return "character " + std::to_string(error.number) + " (" + code +
               ") has no Windows-1250 form";
    }
    case CsvProblem::NameHoldsNul:
        return "holds a NUL character, which would end the name";
    case CsvProblem::NameTooLong:
        return std::to_string(error.number) + " characters, more than the " +
               std::to_string(kNameSize) + " the name field holds";
    case CsvProblem::UnknownColumn:
        return "\"" + error.value + "\" is not the name of a boot's column";
    case CsvProblem::PositionBackwards:
        return error.value + " after " + std::to_string(error.number) +
               ": the rows must be in position order";
    case CsvProblem::ColumnOutOfOrder:
        return error.value + " after " +
               std::string(fieldName(static_cast<BootField>(error.number))) +
               ": a boot's rows must be in column order, each column once";
    case CsvProblem::IdDiffers:
        return error.value + ", expected " + std::to_string(error.number) +
               ": every row of a boot carries the same id";
    case CsvProblem::IdValueDiffers:
        return error.value + " is not the row's id " + std::to_string(error.number);
    case CsvProblem::ValueNotEmpty:
        return error.column == kPatchBefore ? "must be empty, as the boot is added"
                                            : "must be empty, as the boot is removed";
    case CsvProblem::BootIncomplete:
        return "the boot added or removed at position " + std::to_string(error.number) +
               " has no " + error.value + " row";
    case CsvProblem::BootOutOfPlace:
        return "added or removed boots follow every changed one, one position after another, "
               "and a patch does not both add and remove";
    }
    return "unknown fault";
}

} // namespace

std::string CsvError::columnName() const {
    if (!column)
        return {};
    const Columns columns = columnsOf(layout);
    return *column < columns.count ? std::string(columns.names[*column])
                                   : std::to_string(*column + 1);
}

std::string CsvError::message() const {
    std::string text = "line " + std::to_string(line);
    if (column)
        text += ", column " + columnName();
    return text + ": " + describe(*this);
}

bool encodeCsv(const std::vector<BootRecord>& records,
               const std::function<bool(std::string_view)>& write) {
    constexpr std::size_t kPiece = 1 << 16;
    std::string out(kBom);
    out.reserve(kPiece + 1024);
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        out += kTableColumns[i];
        out += i + 1 < kColumnCount ? "," : "\r\n";
    }
    for (std::size_t k = 0; k < records.size(); ++k) {
        appendNumber(out, k);
        for (const FieldInfo& info : kFields) {
            out += ',';
            if (const std::uint8_t* number = numberField(records[k], info.field))
                appendNumber(out, *number);
            else
                appendName(out, records[k].Nazwa);
        }
        out += "\r\n";
        if (out.size() >= kPiece) {
            if (!write(out))
                return false;
            out.clear();
        }
    }
    return write(out);
}

std::string encodeCsv(const std::vector<BootRecord>& records) {
    std::string text;
    encodeCsv(records, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    return text;
}

CsvTable decodeCsv(std::string_view bytes, CsvEncoding encoding) {
    std::string converted;
    std::optional<Reader> opened;
    if (std::optional<CsvError> error = openCsv(bytes, encoding, kColumns, converted, opened))
        return failure(std::move(*error));
    Reader& reader = *opened;
    if (reader.atEnd())
        return failure(errorAt(CsvProblem::NoBoots, reader.endLine() + 1));
    CsvTable table;
    // Room for one boot a line, but no more than the shortest rows could fill.
    const std::string_view text = reader.text();
    const auto lineEnds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    table.records.reserve(std::min(lineEnds, text.size() / 17));
    while (!reader.atEnd()) {
        const std::size_t position = table.records.size();
        std::optional<CsvError> error = reader.readRow();
        if (!error)
            error = decodeRow(reader, position, table.records.emplace_back());
        if (error)
            return failure(std::move(*error));
    }
    if (!fitsFile(table.records.size()))
        return failure(errorAt(CsvProblem::TooManyBoots, reader.endLine()));
    return table;
}

} // namespace boots
