#include "boots/boots_csv.h"

#include "boots/cp1250.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace boots {
namespace {

constexpr std::size_t kColumnCount = 1 + kBootFieldCount;
constexpr std::array<std::string_view, kColumnCount> kColumns = {
    "position",      "id",           "group",     "name",  "shot_power",
    "shot_accuracy", "acceleration", "top_speed", "swerve"};
constexpr std::size_t kPositionColumn = 0;
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kSeparators = ",;\t";

std::string columnName(std::size_t index) {
    return index < kColumnCount ? std::string(kColumns[index]) : std::to_string(index + 1);
}

// An error of `problem` at `line` and, unless it concerns the whole row, `column`.
CsvError errorAt(CsvProblem problem, std::size_t line,
                 std::optional<std::size_t> column = std::nullopt) {
    CsvError error;
    error.problem = problem;
    error.line = line;
    error.column = column;
    return error;
}

// The numeric field of `boot` that `field` names; null for the name.
template <typename Boot> auto* numberField(Boot& boot, BootField field) {
    switch (field) {
    case BootField::ID:
        return &boot.ID;
    case BootField::Grupa:
        return &boot.Grupa;
    case BootField::Sila:
        return &boot.Sila;
    case BootField::Precyzja:
        return &boot.Precyzja;
    case BootField::Przyspieszenie:
        return &boot.Przyspieszenie;
    case BootField::Szybkosc:
        return &boot.Szybkosc;
    case BootField::Podkrecanie:
        return &boot.Podkrecanie;
    case BootField::Nazwa:
        break;
    }
    return static_cast<decltype(&boot.ID)>(nullptr);
}

// A spreadsheet runs a cell that starts with one of these as a formula.
bool startsFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// True when export puts a "'" before `name`: it starts, after any "'"s, as a formula does. Taking
// one "'" off such a name gives another such name or a formula, never an unguarded plain name, so
// that the guard always comes off exactly.
bool needsGuard(std::string_view name) {
    const std::size_t first = name.find_first_not_of('\'');
    return first != std::string_view::npos && startsFormula(name[first]);
}

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
    Reader(std::string_view text, char separator) : text_(text), separator_(separator) {
        for (const char c : {separator, '\r', '\n', '"'})
            stops_[static_cast<unsigned char>(c)] = true;
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t endLine() const { return endLine_; } // the line the last row read ends on
    std::size_t count() const { return count_; }
    const Field& field(std::size_t index) const { return fields_[index]; }

    // Reads the next row; the error of a malformed field, if any.
    std::optional<CsvError> readRow() {
        count_ = 0;
        for (;;) {
            if (count_ == fields_.size())
                fields_.emplace_back();
            Field& f = fields_[count_++];
            f.line = line_;
            f.escaped = false;
            if (!atEnd() && text_[pos_] == '"') {
                if (!readQuoted(f))
                    return error(f.line, CsvProblem::UnclosedQuote);
            } else {
                const std::size_t begin = pos_;
                while (!atEnd() && !stops_[static_cast<unsigned char>(text_[pos_])])
                    ++pos_;
                f.raw = text_.substr(begin, pos_ - begin);
                if (!atEnd() && text_[pos_] == '"')
                    return error(line_, CsvProblem::QuoteInsideField);
            }
            endLine_ = line_;
            if (atEnd())
                return std::nullopt;
            const char c = text_[pos_++];
            if (c == separator_)
                continue;
            if (c == '\n' || (c == '\r' && !atEnd() && text_[pos_] == '\n')) {
                pos_ += c == '\r';
                ++line_;
                return std::nullopt;
            }
            return error(line_,
                         c == '\r' ? CsvProblem::LoneCarriageReturn : CsvProblem::TextAfterQuote);
        }
    }

private:
    // Reads a field that begins with a quote; false when it has no closing quote.
    bool readQuoted(Field& f) {
        ++pos_;
        for (;;) {
            const std::size_t quote = text_.find('"', pos_);
            if (quote == std::string_view::npos)
                return false;
            line_ += static_cast<std::size_t>(
                std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                           text_.begin() + static_cast<std::ptrdiff_t>(quote), '\n'));
            const bool doubled = quote + 1 < text_.size() && text_[quote + 1] == '"';
            const std::string_view part = text_.substr(pos_, quote - pos_ + doubled);
            if (doubled && !f.escaped) {
                f.unescaped.clear();
                f.escaped = true;
            }
            if (f.escaped)
                f.unescaped += part;
            else
                f.raw = part;
            pos_ = quote + 1 + doubled;
            if (!doubled)
                return true;
        }
    }

    CsvError error(std::size_t line, CsvProblem problem) const {
        return errorAt(problem, line, count_ - 1);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    std::size_t endLine_ = 1;
    char separator_;
    std::array<bool, 256> stops_{};
    std::vector<Field> fields_;
    std::size_t count_ = 0;
};

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A fault of one field; checkRow adds its line and column.
CsvError fault(CsvProblem problem, std::string value = {}, std::size_t number = 0) {
    CsvError error = errorAt(problem, 0);
    error.value = std::move(value);
    error.number = number;
    return error;
}

// Reads a number of 0 to 255 into `value`; what is wrong otherwise.
std::optional<CsvError> readByte(std::string_view text, std::uint8_t& value) {
    unsigned number = 0;
    bool digits = !text.empty();
    for (const char c : text) {
        if (c < '0' || c > '9') {
            digits = false;
            break;
        }
        number = std::min(number * 10 + static_cast<unsigned>(c - '0'), 256u);
    }
    if (digits && number <= 255) {
        value = static_cast<std::uint8_t>(number);
        return std::nullopt;
    }
    if (text.empty())
        return fault(CsvProblem::NumberEmpty);
    if (digits || (text[0] == '-' && allDigits(text.substr(1))))
        return fault(CsvProblem::NumberOutOfRange, std::string(text));
    return fault(CsvProblem::NotANumber);
}

// Checks that the position column counts the rows from 0.
std::optional<CsvError> checkPosition(std::string_view text, std::size_t position) {
    std::size_t number = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    if (result.ptr != end || result.ec == std::errc::invalid_argument)
        return fault(CsvProblem::PositionNotANumber);
    if (result.ec == std::errc() && number == position)
        return std::nullopt;
    return fault(CsvProblem::PositionOutOfOrder, std::string(text), position);
}

// Takes a name that Windows-1250 holds, unchanged but for export's formula guard, into `name`;
// what is wrong otherwise.
std::optional<CsvError> readName(std::string_view text, std::string& name) {
    if (!text.empty() && text[0] == '\'' && needsGuard(text.substr(1)))
        text.remove_prefix(1);
    const Cp1250Fit fit = cp1250Fit(text);
    if (!fit.ok && fit.codePoint == kMalformedUtf8)
        return fault(CsvProblem::NameInvalidUtf8);
    if (!fit.ok) {
        CsvError error = fault(CsvProblem::NameOutsideCodePage, {}, fit.length + 1);
        error.codePoint = fit.codePoint;
        return error;
    }
    if (text.find('\0') != std::string_view::npos)
        return fault(CsvProblem::NameHoldsNul);
    if (fit.length > kNameSize)
        return fault(CsvProblem::NameTooLong, {}, fit.length);
    name.assign(text);
    return std::nullopt;
}

// Checks the row just read: each field with `check` (what is wrong with field i, if anything),
// then that it holds exactly the nine columns.
template <typename Check>
std::optional<CsvError> checkRow(const Reader& reader, CsvProblem missing, CsvProblem extra,
                                 Check check) {
    const std::size_t count = std::min(reader.count(), kColumnCount);
    for (std::size_t i = 0; i < count; ++i) {
        if (std::optional<CsvError> error = check(i, reader.field(i).text())) {
            error->line = reader.field(i).line;
            error->column = i;
            return error;
        }
    }
    if (reader.count() < kColumnCount)
        return errorAt(missing, reader.endLine(), count);
    if (reader.count() > kColumnCount)
        return errorAt(extra, reader.field(kColumnCount).line, kColumnCount);
    return std::nullopt;
}

std::optional<CsvError> checkHeader(const Reader& reader) {
    return checkRow(reader, CsvProblem::HeaderColumnMissing, CsvProblem::HeaderColumnExtra,
                    [](std::size_t i, std::string_view text) -> std::optional<CsvError> {
                        if (text == kColumns[i])
                            return std::nullopt;
                        return fault(CsvProblem::HeaderMismatch);
                    });
}

// Decodes the row just read as the boot at `position` into `r`.
std::optional<CsvError> decodeRow(const Reader& reader, std::size_t position, BootRecord& r) {
    if (reader.count() == 1 && reader.field(0).text().empty())
        return errorAt(CsvProblem::EmptyLine, reader.field(0).line);
    return checkRow(reader, CsvProblem::ColumnMissing, CsvProblem::ColumnExtra,
                    [&](std::size_t i, std::string_view text) {
                        if (i == kPositionColumn)
                            return checkPosition(text, position);
                        const auto field = static_cast<BootField>(i - 1);
                        return field == BootField::Nazwa ? readName(text, r.Nazwa)
                                                         : readByte(text, *numberField(r, field));
                    });
}

CsvTable failure(CsvError error) {
    CsvTable table;
    table.error = std::move(error);
    return table;
}

void appendNumber(std::string& out, std::size_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, static_cast<std::size_t>(result.ptr - digits));
}

bool needsQuotes(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char c) {
        return c == ',' || c == ';' || c == '"' || c == '\r' || c == '\n';
    });
}

void appendName(std::string& out, std::string_view name) {
    const std::string_view guard = needsGuard(name) ? "'" : "";
    if (!needsQuotes(name)) {
        out += guard;
        out += name;
        return;
    }
    out += '"';
    out += guard;
    for (const char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// The UTF-8 text of `bytes` read in `encoding`, in `converted` unless it is `bytes` itself (less
// a byte-order mark); the error when it is not valid UTF-16.
std::optional<CsvError> toUtf8(std::string_view bytes, CsvEncoding encoding, std::string& converted,
                               std::string_view& text) {
    const auto startsWith = [bytes](std::string_view bom) {
        return bytes.substr(0, bom.size()) == bom;
    };
    if (encoding == CsvEncoding::Detect) {
        if (startsWith(kUtf16LeBom) || startsWith(kUtf16BeBom))
            encoding = CsvEncoding::Utf16;
        else if (startsWith(kBom) || isValidUtf8(bytes))
            encoding = CsvEncoding::Utf8;
        else
            encoding = CsvEncoding::Windows1250;
    }
    switch (encoding) {
    case CsvEncoding::Windows1250:
        converted = cp1250ToUtf8(bytes);
        text = converted;
        return std::nullopt;
    case CsvEncoding::Utf16: {
        const bool bigEndian = startsWith(kUtf16BeBom);
        if (bigEndian || startsWith(kUtf16LeBom))
            bytes.remove_prefix(kUtf16LeBom.size());
        const bool valid = utf16ToUtf8(bytes, bigEndian, converted);
        text = converted;
        if (valid)
            return std::nullopt;
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        return errorAt(CsvProblem::InvalidUtf16, lines + 1);
    }
    case CsvEncoding::Detect:
    case CsvEncoding::Utf8:
        break;
    }
    text = startsWith(kBom) ? bytes.substr(kBom.size()) : bytes;
    return std::nullopt;
}

// `text` without the empty lines at its end.
std::string_view withoutTrailingEmptyLines(std::string_view text) {
    while (!text.empty() && text.back() == '\n') {
        text.remove_suffix(1);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
    }
    return text;
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
        return "extra column (a row holds 9)";
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
    }
    return "unknown fault";
}

} // namespace

std::string_view fieldName(BootField field) {
    return kColumns[1 + static_cast<std::size_t>(field)];
}

std::string fieldText(const BootRecord& boot, BootField field) {
    const std::uint8_t* number = numberField(boot, field);
    return number ? std::to_string(*number) : boot.Nazwa;
}

std::string CsvError::columnName() const {
    return column ? boots::columnName(*column) : std::string();
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
        out += kColumns[i];
        out += i + 1 < kColumnCount ? "," : "\r\n";
    }
    for (std::size_t k = 0; k < records.size(); ++k) {
        const BootRecord& r = records[k];
        appendNumber(out, k);
        for (const std::uint8_t value : {r.ID, r.Grupa}) {
            out += ',';
            appendNumber(out, value);
        }
        out += ',';
        appendName(out, r.Nazwa);
        for (const std::uint8_t value :
             {r.Sila, r.Precyzja, r.Przyspieszenie, r.Szybkosc, r.Podkrecanie}) {
            out += ',';
            appendNumber(out, value);
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
    std::string_view text;
    if (std::optional<CsvError> error = toUtf8(bytes, encoding, converted, text))
        return failure(std::move(*error));
    text = withoutTrailingEmptyLines(text);
    if (text.empty())
        return failure(errorAt(CsvProblem::EmptyFile, 1));
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    const std::size_t separator = firstLine.find_first_of(kSeparators);
    if (separator == std::string_view::npos)
        return failure(errorAt(CsvProblem::NoSeparator, 1));
    Reader reader(text, firstLine[separator]);
    std::optional<CsvError> error = reader.readRow();
    if (!error)
        error = checkHeader(reader);
    if (error)
        return failure(std::move(*error));
    if (reader.atEnd())
        return failure(errorAt(CsvProblem::NoBoots, reader.endLine() + 1));
    CsvTable table;
    // Room for one boot a line, but no more than the shortest rows could fill.
    const auto lineEnds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    table.records.reserve(std::min(lineEnds, text.size() / 17));
    while (!reader.atEnd()) {
        const std::size_t position = table.records.size();
        error = reader.readRow();
        if (!error)
            error = decodeRow(reader, position, table.records.emplace_back());
        if (error)
            return failure(std::move(*error));
    }
    unsigned char header[kHeaderSize];
    if (!encodeHeader(table.records.size(), header))
        return failure(errorAt(CsvProblem::TooManyBoots, reader.endLine()));
    return table;
}

} // namespace boots
