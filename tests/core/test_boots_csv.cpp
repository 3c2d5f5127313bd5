// The table as CSV: what a spreadsheet may hand back is read exactly, in any of the encodings and
// with any of the separators spreadsheets write, every fault is reported at its line and column,
// and export followed by import gives back the very same boots file. Also the comparison of two
// tables that an import shows first.
#include "boots/boots_csv.h"
#include "boots/table_diff.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

using boots::BootField;
using boots::BootRecord;
using boots::CsvEncoding;
using boots::CsvProblem;

namespace {

const std::string kHeader =
    "position,id,group,name,shot_power,shot_accuracy,acceleration,top_speed,swerve";

std::string lines(const std::vector<std::string>& rows, const std::string& end = "\r\n") {
    std::string text;
    for (const std::string& row : rows)
        text += row + end;
    return text;
}

BootRecord boot(std::uint8_t id, std::uint8_t group, std::string name,
                std::array<std::uint8_t, 5> stats = {1, 2, 3, 4, 5}) {
    return {id, group, std::move(name), stats[0], stats[1], stats[2], stats[3], stats[4]};
}

// `text` as UTF-16 with its byte-order mark.
std::string utf16(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::vector<BootRecord> decodeTable(const testfiles::Bytes& file) {
    std::vector<BootRecord> records;
    for (std::size_t at = boots::kHeaderSize; at < file.size(); at += boots::kRecordSize)
        records.push_back(boots::decodeRecord(file.data() + at));
    return records;
}

testfiles::Bytes encodeTable(const std::vector<BootRecord>& records) {
    testfiles::Bytes file(boots::kHeaderSize + boots::kRecordSize * records.size());
    EXPECT_TRUE(boots::encodeHeader(records.size(), file.data()));
    for (std::size_t k = 0; k < records.size(); ++k)
        boots::encodeRecord(records[k], file.data() + boots::kHeaderSize + boots::kRecordSize * k);
    return file;
}

} // namespace

TEST(CsvTest, ExportedForm) {
    const std::vector<BootRecord> records = {boot(7, 2, u8"Z\u0142ota strza\u0142a"),
                                             boot(8, 0, "Say \"hi\", ok;", {0, 9, 255, 1, 1}),
                                             boot(9, 1, "two\r\nlines"), boot(10, 1, "")};
    EXPECT_EQ(boots::encodeCsv(records),
              "\xEF\xBB\xBF" + lines({kHeader, u8"0,7,2,Z\u0142ota strza\u0142a,1,2,3,4,5",
                                      "1,8,0,\"Say \"\"hi\"\", ok;\",0,9,255,1,1",
                                      "2,9,1,\"two\r\nlines\",1,2,3,4,5", "3,10,1,,1,2,3,4,5"}));
}

// A name a spreadsheet would run as a formula is written with one "'" in front, which import takes
// off again: every name round-trips.
TEST(CsvTest, FormulaNamesAreGuardedAndComeBackUnchanged) {
    const struct {
        const char* name;
        std::string boot;
        std::string field; // as the exported row holds it
    } rows[] = {
        {"equals", "=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"plus", "+48 600", "'+48 600"},
        {"minus", "-5", "'-5"},
        {"at", "@SUM(1)", "'@SUM(1)"},
        {"tab", "\tx", "'\tx"},
        {"carriage_return", "\rx", "\"'\rx\""},
        {"quote_then_formula", "'=x", "''=x"},
        {"quotes_then_formula", "''-x", "'''-x"},
        {"quote_then_plain", "'x", "'x"},
        {"quote_alone", "'", "'"},
        {"formula_sign_inside", "a=b-c", "a=b-c"},
        {"64_characters_behind_the_guard", "=" + std::string(63, 'a'), "'=" + std::string(63, 'a')},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string csv = boots::encodeCsv({boot(3, 1, row.boot)});
        EXPECT_EQ(csv, "\xEF\xBB\xBF" + lines({kHeader, "0,3,1," + row.field + ",1,2,3,4,5"}));
        const boots::CsvTable table = boots::decodeCsv(csv);
        ASSERT_FALSE(table.error) << table.error->message();
        EXPECT_EQ(table.records, std::vector<BootRecord>{boot(3, 1, row.boot)});
    }
}

TEST(CsvTest, AcceptedForms) {
    const std::string semicolons =
        "position;id;group;name;shot_power;shot_accuracy;acceleration;top_speed;swerve";
    std::string name64(32, 'a');
    for (int i = 0; i < 32; ++i)
        name64 += u8"\u0142";          // two bytes in UTF-8, one in Windows-1250
    const std::u16string unicodeText = // a spreadsheet's "Unicode text": UTF-16 and tabs
        u"position\tid\tgroup\tname\tshot_power\tshot_accuracy\tacceleration\ttop_speed\tswerve\r\n"
        u"0\t3\t1\tB\u0142yskawica \u017B\u00F3\u0142\u0107\t1\t2\t3\t4\t5\r\n";
    const BootRecord unicodeBoot = boot(3, 1, u8"B\u0142yskawica \u017B\u00F3\u0142\u0107");
    const struct {
        const char* name;
        std::string text;
        std::vector<BootRecord> records;
        CsvEncoding encoding = CsvEncoding::Detect;
    } rows[] = {
        {"byte_order_mark_and_crlf",
         "\xEF\xBB\xBF" + lines({kHeader, "0,3,1,Gale,1,2,3,4,5"}),
         {boot(3, 1, "Gale")}},
        {"no_byte_order_mark_and_lf",
         lines({kHeader, "0,3,1,Gale,1,2,3,4,5"}, "\n"),
         {boot(3, 1, "Gale")}},
        {"last_row_without_line_end", kHeader + "\r\n0,3,1,Gale,1,2,3,4,5", {boot(3, 1, "Gale")}},
        {"mixed_line_ends",
         kHeader + "\r\n0,3,1,A,1,2,3,4,5\n1,4,1,B,1,2,3,4,5\r\n",
         {boot(3, 1, "A"), boot(4, 1, "B")}},
        {"semicolons_with_commas_in_a_name",
         lines({semicolons, "0;3;1;Gale, Runner;1;2;3;4;5"}),
         {boot(3, 1, "Gale, Runner")}},
        {"semicolons_with_a_quoted_semicolon",
         lines({semicolons, "0;3;1;\"Gale; \"\"R\"\"\";1;2;3;4;5"}),
         {boot(3, 1, "Gale; \"R\"")}},
        {"every_field_quoted",
         lines({kHeader, R"("0","3","1","Gale","1","2","3","4","5")"}),
         {boot(3, 1, "Gale")}},
        {"quoted_line_ends_kept_as_they_are",
         lines({kHeader, "0,3,1,\"a\r\nb\nc\",1,2,3,4,5"}, "\n"),
         {boot(3, 1, "a\r\nb\nc")}},
        {"values_the_editor_would_clamp",
         lines({kHeader, "0,255,0,x,0,9,255,0,6"}),
         {boot(255, 0, "x", {0, 9, 255, 0, 6})}},
        {"leading_zeros", lines({kHeader, "000,007,01,x,1,2,3,4,005"}), {boot(7, 1, "x")}},
        {"empty_name", lines({kHeader, "0,3,1,,1,2,3,4,5"}), {boot(3, 1, "")}},
        {"64_characters", lines({kHeader, "0,3,1," + name64 + ",1,2,3,4,5"}), {boot(3, 1, name64)}},
        {"tabs",
         lines({"position\tid\tgroup\tname\tshot_power\tshot_accuracy\tacceleration\t"
                "top_speed\tswerve",
                "0\t3\t1\t\"Gale, Runner; \"\"1\"\"\"\t1\t2\t3\t4\t5"}),
         {boot(3, 1, "Gale, Runner; \"1\"")}},
        {"trailing_empty_lines",
         lines({kHeader, "0,3,1,Gale,1,2,3,4,5", "", "", ""}) + "\n",
         {boot(3, 1, "Gale")}},
        {"utf8_without_byte_order_mark",
         lines({kHeader, u8"0,3,1,B\u0142yskawica,1,2,3,4,5"}),
         {boot(3, 1, u8"B\u0142yskawica")}},
        {"windows_1250_with_semicolons",
         lines({semicolons, "0;3;1;B\xB3yskawica \x8C\xE6;1;2;3;4;5"}),
         {boot(3, 1, u8"B\u0142yskawica \u015A\u0107")}},
        {"utf16_little_endian", utf16(unicodeText), {unicodeBoot}},
        {"utf16_big_endian_and_trailing_empty_lines",
         utf16(unicodeText + u"\r\n", true),
         {unicodeBoot}},
        {"utf16_named_without_byte_order_mark",
         utf16(u"position,id,group,name,shot_power,"
               u"shot_accuracy,acceleration,top_speed,"
               u"swerve\n0,3,1,\u017B,1,2,3,4,5")
             .substr(2),
         {boot(3, 1, u8"\u017B")},
         CsvEncoding::Utf16},
        {"windows_1250_named_though_valid_utf8",
         lines({kHeader, "0,3,1,\xC5\x81,1,2,3,4,5"}),
         {boot(3, 1, u8"\u0139\u0081")},
         CsvEncoding::Windows1250},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const boots::CsvTable table = boots::decodeCsv(row.text, row.encoding);
        ASSERT_FALSE(table.error) << table.error->message();
        EXPECT_EQ(table.records, row.records);
    }
}

TEST(CsvTest, FirstFaultIsReportedAtItsLineAndColumn) {
    const auto one = [](const std::string& row) { return lines({kHeader, row}); };
    const std::string ok = "0,3,1,Gale,1,2,3,4,5";
    const std::u16string header16 = u"position,id,group,name,shot_power,shot_accuracy,"
                                    u"acceleration,top_speed,swerve\r\n";
    const struct {
        const char* name;
        std::string text;
        std::string message;
        CsvEncoding encoding = CsvEncoding::Detect;
    } rows[] = {
        {"empty_file", "", "line 1: the file is empty"},
        {"byte_order_mark_only", "\xEF\xBB\xBF", "line 1: the file is empty"},
        {"only_empty_lines", "\xEF\xBB\xBF\r\n\n", "line 1: the file is empty"},
        {"header_without_separator", "position\r\n",
         "line 1: the header row has no , ; or tab between its columns"},
        {"header_misnamed", lines({"position,id,grupa,name", ok}),
         "line 1, column group: the header row must read \"group\" here"},
        {"header_short",
         lines({"position,id,group,name,shot_power,shot_accuracy,acceleration,"
                "top_speed",
                ok}),
         "line 1, column swerve: missing from the header row"},
        {"header_long", lines({kHeader + ",notes", ok}),
         "line 1, column 10: extra column in the header row"},
        {"no_rows", lines({kHeader}), "line 2: no boots after the header row"},
        {"no_rows_nor_line_end", kHeader, "line 2: no boots after the header row"},
        {"above_255", one("0,3,1,Gale,256,2,3,4,5"),
         "line 2, column shot_power: 256 is outside 0 to 255"},
        {"negative", one("0,3,-1,Gale,1,2,3,4,5"), "line 2, column group: -1 is outside 0 to 255"},
        {"huge", one("0,99999999999999999999,1,Gale,1,2,3,4,5"),
         "line 2, column id: 99999999999999999999 is outside 0 to 255"},
        {"decimal", one("0,3,1,Gale,1,2,3.0,4,5"),
         "line 2, column acceleration: not a whole number from 0 to 255"},
        {"blank_around_number", one("0,3,1,Gale,1,2,3, 4,5"),
         "line 2, column top_speed: not a whole number from 0 to 255"},
        {"empty_number", one("0,,1,Gale,1,2,3,4,5"),
         "line 2, column id: empty, expected a number from 0 to 255"},
        {"position_out_of_order", lines({kHeader, ok, "2,4,1,B,1,2,3,4,5"}),
         "line 3, column position: 2, expected 1: the rows must stay in table order"},
        {"position_not_a_number", one("x,3,1,Gale,1,2,3,4,5"),
         "line 2, column position: not a whole number"},
        {"name_of_65_characters", one("0,3,1," + std::string(65, 'a') + ",1,2,3,4,5"),
         "line 2, column name: 65 characters, more than the 64 the name field holds"},
        {"character_outside_windows_1250", one(u8"0,3,1,Cr\u00E8me,1,2,3,4,5"),
         "line 2, column name: character 3 (U+00E8) has no Windows-1250 form"},
        {"emoji", one(u8"0,3,1,\U0001F600,1,2,3,4,5"),
         "line 2, column name: character 1 (U+1F600) has no Windows-1250 form"},
        {"invalid_utf8_after_byte_order_mark", "\xEF\xBB\xBF" + one("0,3,1,G\xC5,1,2,3,4,5"),
         "line 2, column name: not valid UTF-8"},
        {"invalid_utf8_named", one("0,3,1,G\xC5,1,2,3,4,5"), "line 2, column name: not valid UTF-8",
         CsvEncoding::Utf8},
        {"utf16_unpaired_surrogate", utf16(header16 + u"0,3,1,\xD800x,1,2,3,4,5"),
         "line 2: not valid UTF-16"},
        {"utf16_half_a_character_at_the_end", utf16(header16) + "x", "line 2: not valid UTF-16"},
        {"utf16_character_outside_windows_1250", utf16(header16 + u"0,3,1,\U0001F600,1,2,3,4,5"),
         "line 2, column name: character 1 (U+1F600) has no Windows-1250 form"},
        {"nul_in_name", one(std::string("0,3,1,G\0x,1,2,3,4,5", 19)),
         "line 2, column name: holds a NUL character, which would end the name"},
        {"missing_column", one("0,3,1,Gale,1,2,3,4"), "line 2, column swerve: missing"},
        {"extra_column", one(ok + ",6"), "line 2, column 10: extra column (a row holds 9)"},
        {"rows_use_the_header_separator", lines({kHeader, "0;3;1;Gale;1;2;3;4;5"}),
         "line 2, column position: not a whole number"},
        {"unclosed_quote", one("0,3,1,\"Gale,1,2,3,4,5"),
         "line 2, column name: the quoted field has no closing quote"},
        {"quote_inside_unquoted_field", one("0,3,1,Ga\"le,1,2,3,4,5"),
         "line 2, column name: a quote inside a field that does not begin with one"},
        {"text_after_closing_quote", one("0,3,1,\"Ga\"le,1,2,3,4,5"),
         "line 2, column name: text after the closing quote"},
        {"carriage_return_alone", kHeader + "\r\n0,3,1,Gale,1,2,3,4,5\r1,4,1,B,1,2,3,4,5",
         "line 2, column swerve: a carriage return without a line feed"},
        {"empty_line", lines({kHeader, ok, "", "1,4,1,B,1,2,3,4,5"}), "line 3: empty line"},
        {"empty_line_before_trailing_ones", lines({kHeader, ok, "", "1,4,1,B,1,2,3,4,5", "", ""}),
         "line 3: empty line"},
        {"lines_counted_inside_quotes",
         lines({kHeader, "0,3,1,\"two\r\nlines\",1,2,3,4,5", "1,4,1,B,1,2,3,4,x"}),
         "line 4, column swerve: not a whole number from 0 to 255"},
        {"leftmost_fault_first", one("0,3,1,G\xC5,1,2,300,4"),
         "line 2, column name: not valid UTF-8", CsvEncoding::Utf8},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const boots::CsvTable table = boots::decodeCsv(row.text, row.encoding);
        ASSERT_TRUE(table.error);
        EXPECT_EQ(table.error->message(), row.message);
        EXPECT_TRUE(table.records.empty());
    }
}

// 300 boots, every byte value in some name, names of every length up to 64 with no NUL, and
// values the editor never writes: the boots file comes back byte for byte.
TEST(CsvTest, ExportThenImportGivesBackTheSameFile) {
    std::vector<testfiles::RawRecord> raw(300);
    int next = 1;
    for (std::size_t k = 0; k < raw.size(); ++k) {
        for (std::size_t n = k % 65; n > 0; --n, next = next % 255 + 1)
            raw[k].name += static_cast<char>(next);
        raw[k].id = static_cast<std::uint8_t>(k);
        raw[k].grupa = static_cast<std::uint8_t>(k * 7);
        for (std::size_t s = 0; s < 5; ++s)
            raw[k].stats[s] = static_cast<std::uint8_t>(k * 31 + s * 50);
    }
    const testfiles::Bytes file = testfiles::file(raw);
    const std::string csv = boots::encodeCsv(decodeTable(file));
    const boots::CsvTable table = boots::decodeCsv(csv);
    ASSERT_FALSE(table.error) << table.error->message();
    EXPECT_EQ(encodeTable(table.records), file);
    EXPECT_EQ(boots::encodeCsv(table.records), csv);
}

// What an import shows before it replaces a table: every changed field with its old and new text,
// and the boots added at the end or gone from it.
TEST(TableDiffTest, ComparesPositionByPosition) {
    const std::vector<BootRecord> base = {boot(1, 1, "A"), boot(2, 2, "B"), boot(3, 3, "C")};
    const auto with = [&base](std::size_t position, const BootRecord& changed) {
        std::vector<BootRecord> table = base;
        table[position] = changed;
        return table;
    };
    using Change = std::tuple<std::size_t, int, BootField, std::string, std::string>;
    const struct {
        const char* name;
        std::vector<BootRecord> after;
        std::vector<Change> changed; // position, ID before, field, before, after
        std::size_t changedBoots;
        std::vector<std::size_t> added;   // positions
        std::vector<std::size_t> removed; // positions
    } rows[] = {
        {"equal", base, {}, 0, {}, {}},
        {"name_in_full",
         with(1, boot(2, 2, "007")),
         {{1, 2, BootField::Nazwa, "B", "007"}},
         1,
         {},
         {}},
        {"group_and_stats",
         with(2, boot(3, 9, "C", {1, 2, 5, 4, 0})),
         {{2, 3, BootField::Grupa, "3", "9"},
          {2, 3, BootField::Przyspieszenie, "3", "5"},
          {2, 3, BootField::Podkrecanie, "5", "0"}},
         1,
         {},
         {}},
        {"identifier", with(0, boot(7, 1, "A")), {{0, 1, BootField::ID, "1", "7"}}, 1, {}, {}},
        {"two_boots",
         {boot(1, 1, "A", {5, 2, 3, 4, 5}), boot(2, 2, "B"), boot(3, 3, "c")},
         {{0, 1, BootField::Sila, "1", "5"}, {2, 3, BootField::Nazwa, "C", "c"}},
         2,
         {},
         {}},
        {"added", {base[0], base[1], base[2], boot(4, 0, ""), boot(5, 0, "E")}, {}, 0, {3, 4}, {}},
        {"removed_and_changed",
         {base[0], boot(2, 2, "b")},
         {{1, 2, BootField::Nazwa, "B", "b"}},
         1,
         {},
         {2}},
        {"all_removed", {}, {}, 0, {}, {0, 1, 2}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const boots::TableChanges changes = boots::compareTables(base, row.after);
        std::vector<Change> changed;
        for (const boots::FieldChange& c : changes.changed)
            changed.emplace_back(c.position, c.id, c.field, c.before, c.after);
        EXPECT_EQ(changed, row.changed);
        EXPECT_EQ(changes.changedBoots, row.changedBoots);
        std::vector<std::size_t> added;
        for (const boots::PositionedBoot& b : changes.added) {
            added.push_back(b.position);
            EXPECT_EQ(b.boot, row.after[b.position]);
        }
        EXPECT_EQ(added, row.added);
        std::vector<std::size_t> removed;
        for (const boots::PositionedBoot& b : changes.removed) {
            removed.push_back(b.position);
            EXPECT_EQ(b.boot, base[b.position]);
        }
        EXPECT_EQ(removed, row.removed);
        EXPECT_EQ(changes.empty(), row.after == base);
    }
}
