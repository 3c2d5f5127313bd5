// A boot's eight fields, described once: the name of each in CSV and patches, its caption on
// screen, the values an edit may store in it, how long its box is, and what a text stands for in
// it. CSV, patches, the windows and the command line take all of that from here.
#pragma once

#include "boots/boots_format.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Marks a text shown on screen for the windows' translations, in `context`; it stays as written.
#define KORVANE_TEXT(context, text) text

namespace boots {

// The fields, in the order of their CSV columns and of the editor's boxes.
enum class BootField { ID, Grupa, Nazwa, Sila, Precyzja, Przyspieszenie, Szybkosc, Podkrecanie };
inline constexpr std::size_t kBootFieldCount = 8;

struct FieldInfo {
    BootField field;
    std::uint8_t BootRecord::*number; // the member that holds it; null for the name
    std::string_view column;          // its column in CSV and patches
    std::string_view caption; // its caption on screen, as written (the windows translate it)
    bool editable;            // false: shown, never changed by an edit (the identifier)
    int lowest;               // an edit stores lowest to highest; for the name, highest is the
    int highest;              // most characters it keeps
    int boxLength;            // the characters its box takes when typed into
};

// clang-format off
inline constexpr std::array<FieldInfo, kBootFieldCount> kFields = {{
    {BootField::ID,             &BootRecord::ID,             "id",            KORVANE_TEXT("BootField", "ID"),            false, 0, 255, 3},
    {BootField::Grupa,          &BootRecord::Grupa,          "group",         KORVANE_TEXT("BootField", "Group"),         true,  1, 255, 3},
    {BootField::Nazwa,          nullptr,                     "name",          KORVANE_TEXT("BootField", "Name"),          true,  0, 60,  60},
    {BootField::Sila,           &BootRecord::Sila,           "shot_power",    KORVANE_TEXT("BootField", "Shot power"),    true,  1, 5,   1},
    {BootField::Precyzja,       &BootRecord::Precyzja,       "shot_accuracy", KORVANE_TEXT("BootField", "Shot accuracy"), true,  1, 5,   1},
    {BootField::Przyspieszenie, &BootRecord::Przyspieszenie, "acceleration",  KORVANE_TEXT("BootField", "Acceleration"),  true,  1, 5,   1},
    {BootField::Szybkosc,       &BootRecord::Szybkosc,       "top_speed",     KORVANE_TEXT("BootField", "Top speed"),     true,  1, 5,   1},
    {BootField::Podkrecanie,    &BootRecord::Podkrecanie,    "swerve",        KORVANE_TEXT("BootField", "Swerve"),        true,  1, 5,   1},
}};
// clang-format on

constexpr const FieldInfo& fieldInfo(BootField field) {
    return kFields[static_cast<std::size_t>(field)];
}

// The fields in the order a table shows them, derived from kFields: what no edit changes, then
// the name, then the numbers, each group in kFields' order.
const std::array<BootField, kBootFieldCount>& displayOrder();

// The CSV column name of `field`: "id", "group", "name", "shot_power", ...
constexpr std::string_view fieldName(BootField field) {
    return fieldInfo(field).column;
}

// The numeric field of `boot` that `field` names; null for the name.
const std::uint8_t* numberField(const BootRecord& boot, BootField field);
std::uint8_t* numberField(BootRecord& boot, BootField field);

// The value of `field` as CSV holds it: the number in decimal, or the name as it is (before
// quoting and the formula guard).
std::string fieldText(const BootRecord& boot, BootField field);

// How a text is read as a value of a field.
enum class ValueMode {
    // As CSV and patches hold it: a number of 0 to 255 in decimal digits alone; a name that
    // Windows-1250 holds in at most 64 bytes, with no NUL.
    Exact,
    // As a table cell takes a value as it is: the digits of a whole number, blanks around them
    // allowed, within the range an edit stores; a name of at most the characters an edit keeps,
    // which the file can hold. The identifier is refused.
    Cell,
    // As the editor corrects what is typed or pasted: a decimal number with an optional sign,
    // blanks around and a fraction ('.' or ','), rounded half to even and brought into the range
    // an edit stores; a text that is no number gives the lowest value (and says NotANumber); a
    // name cut to the characters an edit keeps, refused when the file cannot hold it. The
    // identifier is refused.
    Corrected,
};

// Why a text stands for no value of a field.
enum class ValueProblem {
    None,
    Empty,           // no digits at all (Exact)
    NotANumber,      // not a number as the mode reads one
    OutOfRange,      // a number outside what the mode takes
    ReadOnly,        // the field takes no edit
    InvalidUtf8,     // a name that is not valid UTF-8
    OutsideCodePage, // a name holding a character Windows-1250 lacks
    HoldsNul,        // a name holding a NUL character
    TooLong,         // a name longer than the mode takes
};

// What a text stands for: a number, or a name, or why neither.
struct FieldValue {
    ValueProblem problem = ValueProblem::None;
    std::uint8_t number = 0;     // a number field's value; for Corrected and NotANumber, its lowest
    std::string name;            // the name's text
    std::size_t length = 0;      // TooLong: the name's length in characters; OutsideCodePage: the
                                 // place of the character, from 1
    std::uint32_t codePoint = 0; // OutsideCodePage: the character

    bool ok() const { return problem == ValueProblem::None; }
};

// What `text` stands for in `field`, read as `mode` says.
FieldValue readFieldValue(std::string_view text, BootField field, ValueMode mode);

// Reads `text` as `mode` says into `field` of `boot`. Returns what readFieldValue found; `boot`
// is changed only when that is ok.
FieldValue setField(BootRecord& boot, BootField field, std::string_view text, ValueMode mode);

// A position or a count written in decimal digits alone; nullopt for anything else.
std::optional<std::size_t> readWholeNumber(std::string_view text);

} // namespace boots
