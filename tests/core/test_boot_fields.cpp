// What a text stands for in a field, by the three readers of values; the order names sort in; and
// tab-separated text as spreadsheets copy it.
#include "boots/boot_fields.h"
#include "boots/name_order.h"
#include "boots/tab_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using boots::BootField;
using boots::ValueMode;
using boots::ValueProblem;

TEST(FieldValueTest, EachModeReadsAsItsCallersNeed) {
    const struct Row {
        const char* text;
        BootField field;
        ValueMode mode;
        ValueProblem problem;
        int number; // or the name's length for TooLong
    } rows[] = {
        // CSV and patches: plain digits, 0 to 255, whatever the field's editing range.
        {"0", BootField::Sila, ValueMode::Exact, ValueProblem::None, 0},
        {"255", BootField::ID, ValueMode::Exact, ValueProblem::None, 255},
        {"256", BootField::Grupa, ValueMode::Exact, ValueProblem::OutOfRange, 0},
        {"-1", BootField::Grupa, ValueMode::Exact, ValueProblem::OutOfRange, 0},
        {"", BootField::Grupa, ValueMode::Exact, ValueProblem::Empty, 0},
        {" 7", BootField::Grupa, ValueMode::Exact, ValueProblem::NotANumber, 0},
        {"7.0", BootField::Grupa, ValueMode::Exact, ValueProblem::NotANumber, 0},
        // A cell: whole numbers within the editing range, blanks around allowed.
        {" 42 ", BootField::Grupa, ValueMode::Cell, ValueProblem::None, 42},
        {"0", BootField::Grupa, ValueMode::Cell, ValueProblem::OutOfRange, 0},
        {"6", BootField::Szybkosc, ValueMode::Cell, ValueProblem::OutOfRange, 0},
        {"2.5", BootField::Grupa, ValueMode::Cell, ValueProblem::NotANumber, 0},
        {"1", BootField::ID, ValueMode::Cell, ValueProblem::ReadOnly, 0},
        // The editor: any decimal number, rounded half to even, brought into the range.
        {"300", BootField::Grupa, ValueMode::Corrected, ValueProblem::None, 255},
        {"0", BootField::Grupa, ValueMode::Corrected, ValueProblem::None, 1},
        {"9", BootField::Sila, ValueMode::Corrected, ValueProblem::None, 5},
        {" +7 ", BootField::Grupa, ValueMode::Corrected, ValueProblem::None, 7},
        {"2.5", BootField::Grupa, ValueMode::Corrected, ValueProblem::None, 2},
        {"3,5", BootField::Grupa, ValueMode::Corrected, ValueProblem::None, 4},
        {"2.51", BootField::Grupa, ValueMode::Corrected, ValueProblem::None, 3},
        {"5.", BootField::Grupa, ValueMode::Corrected, ValueProblem::None, 5},
        {"-5", BootField::Grupa, ValueMode::Corrected, ValueProblem::None, 1},
        {".5", BootField::Grupa, ValueMode::Corrected, ValueProblem::NotANumber, 1},
        {"1e2", BootField::Podkrecanie, ValueMode::Corrected, ValueProblem::NotANumber, 1},
        {"", BootField::Precyzja, ValueMode::Corrected, ValueProblem::NotANumber, 1},
        {"3", BootField::ID, ValueMode::Corrected, ValueProblem::ReadOnly, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " as " + std::string(boots::fieldName(row.field)));
        const boots::FieldValue value = boots::readFieldValue(row.text, row.field, row.mode);
        EXPECT_EQ(value.problem, row.problem);
        EXPECT_EQ(value.number, row.number);
    }
}

TEST(FieldValueTest, NamesByMode) {
    const std::string sixtyOne(61, 'n');
    const struct Row {
        std::string text;
        ValueMode mode;
        ValueProblem problem;
        std::string name;
    } rows[] = {
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA", ValueMode::Cell, ValueProblem::None, "Łódź"},
        {sixtyOne, ValueMode::Exact, ValueProblem::None, sixtyOne},
        {sixtyOne, ValueMode::Cell, ValueProblem::TooLong, ""},
        {sixtyOne, ValueMode::Corrected, ValueProblem::None, sixtyOne.substr(0, 60)},
        {std::string(65, 'n'), ValueMode::Exact, ValueProblem::TooLong, ""},
        {"a\xD0\x96", ValueMode::Corrected, ValueProblem::OutsideCodePage, ""}, // Ж
        {"a\xFF", ValueMode::Exact, ValueProblem::InvalidUtf8, ""},
        {std::string("a\0b", 3), ValueMode::Exact, ValueProblem::HoldsNul, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const boots::FieldValue value = boots::readFieldValue(row.text, BootField::Nazwa, row.mode);
        EXPECT_EQ(value.problem, row.problem);
        EXPECT_EQ(value.name, row.name);
    }
}

TEST(FieldsTest, TablesShowTheIdentifierThenTheNameThenTheNumbers) {
    const std::vector<BootField> shown(boots::displayOrder().begin(), boots::displayOrder().end());
    EXPECT_EQ(shown, (std::vector<BootField>{BootField::ID, BootField::Nazwa, BootField::Grupa,
                                             BootField::Sila, BootField::Precyzja,
                                             BootField::Przyspieszenie, BootField::Szybkosc,
                                             BootField::Podkrecanie}));
}

TEST(NameOrderTest, PolishLettersFollowTheirBaseLetterCaseAside) {
    // Level for more than sixteen characters, one the start of another, any case, a digit.
    const std::vector<std::string> ascending = {"1 Boot",
                                                "Boot",
                                                "Boot A",
                                                "lato",
                                                "\xC5\x81"
                                                "ata",
                                                "\xC5\x81\xC3\xB3"
                                                "d\xC5\xBA Boot Premium Alpha",
                                                "\xC5\x81\xC3\xB3"
                                                "d\xC5\xBA Boot Premium Beta",
                                                "Mata",
                                                "\xC5\xB9"
                                                "le",
                                                "\xC5\xBB"
                                                "ar"};
    for (const bool descending : {false, true}) {
        std::vector<int> rows = {7, 3, 0, 9, 5, 1, 8, 4, 6, 2};
        boots::sortByName(
            rows, [&](int row) -> const std::string& { return ascending[std::size_t(row)]; },
            descending);
        std::vector<int> expected = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        if (descending)
            std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(rows, expected) << (descending ? "descending" : "ascending");
    }
}

TEST(TabTextTest, FieldsRoundTripAsSpreadsheetsWriteThem) {
    using Rows = std::vector<std::vector<std::string>>;
    const struct Row {
        const char* name;
        std::string text;
        Rows rows;
    } rows[] = {
        {"a block, CRLF", "1\t2\r\n3\t4\r\n", {{"1", "2"}, {"3", "4"}}},
        {"one value", "x", {{"x"}}},
        {"empty", "", {{""}}},
        {"quoted tab, line end and quotes", "\"a\tb\n\"\"c\"\"\"\tz\n", {{"a\tb\n\"c\"", "z"}}},
        {"a quote inside a field is kept", "a\"b\tc", {{"a\"b", "c"}}},
        {"CR alone ends a row", "1\r2", {{"1"}, {"2"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(boots::tabRows(row.text), row.rows);
    }
    const std::vector<std::string> fields = {"plain", "tab\there", "quote\"", "line\nend", ""};
    EXPECT_EQ(boots::tabLine(fields), "plain\t\"tab\there\"\t\"quote\"\"\"\t\"line\nend\"\t");
    EXPECT_EQ(boots::tabRows(boots::tabLine(fields)), Rows{fields});
}
