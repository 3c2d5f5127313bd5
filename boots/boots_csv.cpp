#include "boots/boots_csv.h"

#include "boots/cp1250.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace boots {
namespace {

constexpr std::size_t kColumnCount = 9;
constexpr std::array<std::string_view, kColumnCount> kColumns = {
    "position",      "id",           "group",     "name",  "shot_power",
    "shot_accuracy", "acceleration", "top_speed", "swerve"};
constexpr std::size_t kPositionColumn = 0;
constexpr std::size_t kNameColumn = 3;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string columnName(std::size_t index) {
    return index < kColumnCount ? std::string(kColumns[index]) : std::to_string(index + 1);
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
    Reader(std::string_view text, std::size_t start, char separator)
        : text_(text), pos_(start), separator_(separator) {
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
                    return error(f.line, "the quoted field has no closing quote");
            } else {
                const std::size_t begin = pos_;
                while (!atEnd() && !stops_[static_cast<unsigned char>(text_[pos_])])
                    ++pos_;
                f.raw = text_.substr(begin, pos_ - begin);
                if (!atEnd() && text_[pos_] == '"')
                    return error(line_, "a quote inside a field that does not begin with one");
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
            return error(line_, c == '\r' ? "a carriage return without a line feed"
                                          : "text after the closing quote");
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

    CsvError error(std::size_t line, const char* problem) const {
        return {line, columnName(count_ - 1), problem};
    }

    std::string_view text_;
    std::size_t pos_;
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

// Reads a number of 0 to 255 into `value`; what is wrong otherwise.
std::optional<std::string> readByte(std::string_view text, std::uint8_t& value) {
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
        return "empty, expected a number from 0 to 255";
    if (digits || (text[0] == '-' && allDigits(text.substr(1))))
        return std::string(text) + " is outside 0 to 255";
    return "not a whole number from 0 to 255";
}

// Checks that the position column counts the rows from 0.
std::optional<std::string> checkPosition(std::string_view text, std::size_t position) {
    std::size_t number = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    if (result.ptr != end || result.ec == std::errc::invalid_argument)
        return "not a whole number";
    if (result.ec == std::errc() && number == position)
        return std::nullopt;
    return std::string(text) + ", expected " + std::to_string(position) +
           ": the rows must stay in table order";
}

// Takes a name that Windows-1250 holds, unchanged, into `name`; what is wrong otherwise.
std::optional<std::string> readName(std::string_view text, std::string& name) {
    const Cp1250Fit fit = cp1250Fit(text);
    if (!fit.ok && fit.codePoint == kMalformedUtf8)
        return std::string("not valid UTF-8");
    if (!fit.ok) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(fit.codePoint));
        return "character " + std::to_string(fit.length + 1) + " (" + code +
               ") has no Windows-1250 form";
    }
    if (text.find('\0') != std::string_view::npos)
        return std::string("holds a NUL character, which would end the name");
    if (fit.length > kNameSize)
        return std::to_string(fit.length) + " characters, more than the " +
               std::to_string(kNameSize) + " the name field holds";
    name.assign(text);
    return std::nullopt;
}

// Checks the row just read: each field with `check` (what is wrong with field i, if anything),
// then that it holds exactly the nine columns.
template <typename Check>
std::optional<CsvError> checkRow(const Reader& reader, const char* missing, const char* extra,
                                 Check check) {
    const std::size_t count = std::min(reader.count(), kColumnCount);
    for (std::size_t i = 0; i < count; ++i)
        if (std::optional<std::string> problem = check(i, reader.field(i).text()))
            return CsvError{reader.field(i).line, columnName(i), std::move(*problem)};
    if (reader.count() < kColumnCount)
        return CsvError{reader.endLine(), columnName(count), missing};
    if (reader.count() > kColumnCount)
        return CsvError{reader.field(kColumnCount).line, columnName(kColumnCount), extra};
    return std::nullopt;
}

std::optional<CsvError> checkHeader(const Reader& reader) {
    return checkRow(reader, "missing from the header row", "extra column in the header row",
                    [](std::size_t i, std::string_view text) -> std::optional<std::string> {
                        if (text == kColumns[i])
                            return std::nullopt;
                        return "the header row must read \"" + columnName(i) + "\" here";
                    });
}

// Decodes the row just read as the boot at `position` into `r`.
std::optional<CsvError> decodeRow(const Reader& reader, std::size_t position, BootRecord& r) {
    if (reader.count() == 1 && reader.field(0).text().empty())
        return CsvError{reader.field(0).line, "", "empty line"};
    std::uint8_t* const bytes[kColumnCount] = {nullptr,           &r.ID,       &r.Grupa,
                                               nullptr,           &r.Sila,     &r.Precyzja,
                                               &r.Przyspieszenie, &r.Szybkosc, &r.Podkrecanie};
    return checkRow(reader, "missing", "extra column (a row holds 9)",
                    [&](std::size_t i, std::string_view text) {
                        return i == kPositionColumn ? checkPosition(text, position)
                               : i == kNameColumn   ? readName(text, r.Nazwa)
                                                    : readByte(text, *bytes[i]);
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
    if (!needsQuotes(name)) {
        out += name;
        return;
    }
    out += '"';
    for (const char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

std::string CsvError::message() const {
    std::string text = "line " + std::to_string(line);
    if (!column.empty())
        text += ", column " + column;
    return text + ": " + problem;
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

CsvTable decodeCsv(std::string_view text) {
    const std::size_t start = text.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
    if (start == text.size())
        return failure({1, "", "the file is empty"});
    const std::string_view firstLine = text.substr(start, text.find('\n', start) - start);
    const std::size_t separator = firstLine.find_first_of(",;");
    if (separator == std::string_view::npos)
        return failure({1, "", "the header row has no , or ; between its columns"});
    Reader reader(text, start, firstLine[separator]);
    std::optional<CsvError> error = reader.readRow();
    if (!error)
        error = checkHeader(reader);
    if (error)
        return failure(std::move(*error));
    if (reader.atEnd())
        return failure({reader.endLine() + 1, "", "no boots after the header row"});
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
        return failure({reader.endLine(), "", "more boots than a boots data file can hold"});
    return table;
}

} // namespace boots
