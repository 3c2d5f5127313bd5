#include "boots/csv_text.h"

#include "boots/cp1250.h"

#include <charconv>

namespace boots::csvtext {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kSeparators = ",;\t";

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

bool needsQuotes(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char c) {
        return c == ',' || c == ';' || c == '"' || c == '\r' || c == '\n';
    });
}

// The CSV fault for a value `readFieldValue` refused.
CsvError valueFault(std::string_view text, const FieldValue& value) {
    switch (value.problem) {
    case ValueProblem::Empty:
        return fault(CsvProblem::NumberEmpty);
    case ValueProblem::OutOfRange:
        return fault(CsvProblem::NumberOutOfRange, std::string(text));
    case ValueProblem::InvalidUtf8:
        return fault(CsvProblem::NameInvalidUtf8);
    case ValueProblem::OutsideCodePage: {
        CsvError error = fault(CsvProblem::NameOutsideCodePage, {}, value.length);
        error.codePoint = value.codePoint;
        return error;
    }
    case ValueProblem::HoldsNul:
        return fault(CsvProblem::NameHoldsNul);
    case ValueProblem::TooLong:
        return fault(CsvProblem::NameTooLong, {}, value.length);
    case ValueProblem::None:
    case ValueProblem::NotANumber:
    case ValueProblem::ReadOnly:
        break;
    }
    return fault(CsvProblem::NotANumber);
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

} // namespace

Columns columnsOf(CsvLayout layout) {
    return layout == CsvLayout::Patch ? Columns{kPatchColumns.data(), kPatchColumns.size()}
                                      : Columns{kTableColumns.data(), kTableColumns.size()};
}

CsvError errorAt(CsvProblem problem, std::size_t line, std::optional<std::size_t> column) {
    CsvError error;
    error.problem = problem;
    error.line = line;
    error.column = column;
    return error;
}

CsvError fault(CsvProblem problem, std::string value, std::size_t number) {
    CsvError error = errorAt(problem, 0);
    error.value = std::move(value);
    error.number = number;
    return error;
}

Reader::Reader(std::string_view text, char separator) : text_(text), separator_(separator) {
    for (const char c : {separator, '\r', '\n', '"'})
        stops_[static_cast<unsigned char>(c)] = true;
}

std::optional<CsvError> Reader::readRow() {
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

// Reads a field that begins with a quote; false when it has no closing quote.
bool Reader::readQuoted(Field& f) {
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

CsvError Reader::error(std::size_t line, CsvProblem problem) const {
    return errorAt(problem, line, count_ - 1);
}

std::optional<CsvError> openCsv(std::string_view bytes, CsvEncoding encoding, Columns columns,
                                std::string& converted, std::optional<Reader>& reader) {
    std::string_view text;
    if (std::optional<CsvError> error = toUtf8(bytes, encoding, converted, text))
        return error;
    text = withoutTrailingEmptyLines(text);
    if (text.empty())
        return errorAt(CsvProblem::EmptyFile, 1);
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    const std::size_t separator = firstLine.find_first_of(kSeparators);
    if (separator == std::string_view::npos)
        return errorAt(CsvProblem::NoSeparator, 1);
    reader.emplace(text, firstLine[separator]);
    if (std::optional<CsvError> error = reader->readRow())
        return error;
    return checkRow(*reader, columns, CsvProblem::HeaderColumnMissing,
                    CsvProblem::HeaderColumnExtra,
                    [columns](std::size_t i, std::string_view name) -> std::optional<CsvError> {
                        if (name == columns.names[i])
                            return std::nullopt;
                        return fault(CsvProblem::HeaderMismatch);
                    });
}

std::optional<CsvError> readValue(std::string_view text, BootField field, BootRecord& boot) {
    if (field == BootField::Nazwa && !text.empty() && text[0] == '\'' && needsGuard(text.substr(1)))
        text.remove_prefix(1);
    const FieldValue value = setField(boot, field, text, ValueMode::Exact);
    if (value.ok())
        return std::nullopt;
    return valueFault(text, value);
}

std::optional<CsvError> readPosition(std::string_view text, std::size_t& position) {
    const std::optional<std::size_t> number = readWholeNumber(text);
    if (!number)
        return fault(CsvProblem::PositionNotANumber);
    position = *number;
    return std::nullopt;
}

void appendNumber(std::string& out, std::size_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, static_cast<std::size_t>(result.ptr - digits));
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

} // namespace boots::csvtext
