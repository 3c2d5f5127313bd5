#include "boots/boot_fields.h"

#include "boots/cp1250.h"

#include <algorithm>
#include <charconv>

namespace boots {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

std::string_view trimmed(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The value of plain digits, stopping at 1000 (more than any field holds).
unsigned digitsValue(std::string_view digits) {
    unsigned value = 0;
    for (const char c : digits)
        value = std::min(value * 10 + static_cast<unsigned>(c - '0'), 1000u);
    return value;
}

FieldValue failed(ValueProblem problem) {
    FieldValue value;
    value.problem = problem;
    return value;
}

FieldValue numberValue(unsigned number) {
    FieldValue value;
    value.number = static_cast<std::uint8_t>(number);
    return value;
}

// A number as CSV holds it: 0 to 255 in decimal digits.
FieldValue exactNumber(std::string_view text) {
    if (allDigits(text) && digitsValue(text) <= 255)
        return numberValue(digitsValue(text));
    if (text.empty())
        return failed(ValueProblem::Empty);
    if (allDigits(text) || (text[0] == '-' && allDigits(text.substr(1))))
        return failed(ValueProblem::OutOfRange);
    return failed(ValueProblem::NotANumber);
}

// A whole number in the range of `info`, blanks around it allowed, as a cell takes it.
FieldValue cellNumber(std::string_view text, const FieldInfo& info) {
    const std::string_view number = trimmed(text, " \t\n\r\f\v");
    if (!allDigits(number) || number.size() > 9)
        return failed(ValueProblem::NotANumber);
    const unsigned value = digitsValue(number);
    if (value < unsigned(info.lowest) || value > unsigned(info.highest))
        return failed(ValueProblem::OutOfRange);
    return numberValue(value);
}

// A decimal number rounded half to even and brought into the range of `info`, as the editor
// corrects one: blanks around, an optional sign, digits, and a fraction after '.' or ','.
FieldValue correctedNumber(std::string_view text, const FieldInfo& info) {
    std::string_view number = trimmed(text, " ");
    const bool negative = !number.empty() && number[0] == '-';
    if (!number.empty() && (number[0] == '-' || number[0] == '+'))
        number.remove_prefix(1);
    const std::size_t point = number.find_first_of(".,");
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    FieldValue value = numberValue(unsigned(info.lowest));
    if (!allDigits(whole) || !std::all_of(fraction.begin(), fraction.end(), isDigit)) {
        value.problem = ValueProblem::NotANumber;
        return value;
    }
    unsigned rounded = digitsValue(whole);
    if (!fraction.empty()) {
        const bool aboveHalf =
            fraction[0] > '5' ||
            (fraction[0] == '5' && fraction.find_first_not_of('0', 1) != std::string_view::npos);
        const bool half = fraction[0] == '5' && !aboveHalf;
        rounded += aboveHalf || (half && rounded % 2 == 1) ? 1 : 0;
    }
    if (!negative)
        value.number = static_cast<std::uint8_t>(
            std::clamp(rounded, unsigned(info.lowest), unsigned(info.highest)));
    return value;
}

// A name as `mode` takes it.
FieldValue nameValue(std::string_view text, ValueMode mode, const FieldInfo& info) {
    const Cp1250Fit fit = cp1250Fit(text);
    if (!fit.ok && fit.codePoint == kMalformedUtf8)
        return failed(ValueProblem::InvalidUtf8);
    if (!fit.ok) {
        FieldValue value = failed(ValueProblem::OutsideCodePage);
        value.length = fit.length + 1;
        value.codePoint = fit.codePoint;
        return value;
    }
    if (text.find('\0') != std::string_view::npos)
        return failed(ValueProblem::HoldsNul);
    // Every character is one byte of the file.
    const std::size_t most = mode == ValueMode::Exact ? kNameSize : std::size_t(info.highest);
    if (fit.length > most && mode != ValueMode::Corrected) {
        FieldValue value = failed(ValueProblem::TooLong);
        value.length = fit.length;
        return value;
    }
    FieldValue value;
    value.name = mode == ValueMode::Corrected ? utf8Left(text, most) : std::string(text);
    return value;
}

} // namespace

const std::array<BootField, kBootFieldCount>& displayOrder() {
    static const std::array<BootField, kBootFieldCount> order = [] {
        const auto rank = [](const FieldInfo& f) {
            return !f.editable ? 0 : f.field == BootField::Nazwa ? 1 : 2;
        };
        std::array<BootField, kBootFieldCount> fields{};
        std::size_t next = 0;
        for (int shown = 0; shown <= 2; ++shown)
            for (const FieldInfo& f : kFields)
                if (rank(f) == shown)
                    fields[next++] = f.field;
        return fields;
    }();
    return order;
}

std::uint8_t* numberField(BootRecord& boot, BootField field) {
    std::uint8_t BootRecord::*const number = fieldInfo(field).number;
    return number ? &(boot.*number) : nullptr;
}

const std::uint8_t* numberField(const BootRecord& boot, BootField field) {
    return numberField(const_cast<BootRecord&>(boot), field);
}

std::string fieldText(const BootRecord& boot, BootField field) {
    const std::uint8_t* number = numberField(boot, field);
    return number ? std::to_string(*number) : boot.Nazwa;
}

FieldValue readFieldValue(std::string_view text, BootField field, ValueMode mode) {
    const FieldInfo& info = fieldInfo(field);
    if (mode != ValueMode::Exact && !info.editable)
        return failed(ValueProblem::ReadOnly);
    if (field == BootField::Nazwa)
        return nameValue(text, mode, info);
    switch (mode) {
    case ValueMode::Exact:
        return exactNumber(text);
    case ValueMode::Cell:
        return cellNumber(text, info);
    case ValueMode::Corrected:
        break;
    }
    return correctedNumber(text, info);
}

FieldValue setField(BootRecord& boot, BootField field, std::string_view text, ValueMode mode) {
    FieldValue value = readFieldValue(text, field, mode);
    if (!value.ok())
        return value;
    if (std::uint8_t* number = numberField(boot, field))
        *number = value.number;
    else
        boot.Nazwa = value.name;
    return value;
}

std::optional<std::size_t> readWholeNumber(std::string_view text) {
    std::size_t value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ptr != end || result.ec != std::errc())
        return std::nullopt;
    return value;
}

} // namespace boots
