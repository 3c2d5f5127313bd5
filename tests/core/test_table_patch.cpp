// Patches: the text a comparison of two tables gives, applied to the table it was made from and to
// other copies of it, every clash named with nothing applied, and every malformed patch refused at
// its line and column.
#include "boots/table_patch.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using boots::BootRecord;

namespace {

using Table = std::vector<BootRecord>;

const std::string kHeader = "position,id,column,before,after";

// A byte-order mark, then `rows` and `more`, each ended by CRLF.
std::string lines(const std::vector<std::string>& rows, const std::vector<std::string>& more = {}) {
    std::string text = "\xEF\xBB\xBF";
    for (const auto* part : {&rows, &more})
        for (const std::string& row : *part)
            text += row + "\r\n";
    return text;
}

BootRecord boot(std::uint8_t id, std::uint8_t group, std::string name,
                std::array<std::uint8_t, 5> stats = {1, 2, 3, 4, 5}) {
    return {id, group, std::move(name), stats[0], stats[1], stats[2], stats[3], stats[4]};
}

const Table kBase = {boot(1, 1, "A"), boot(2, 2, "B"), boot(3, 3, "C")};

// The rows that add boot(4, 0, "D") after kBase, and those that remove kBase's last boot.
const std::vector<std::string> kAddD = {
    "3,4,id,,4",         "3,4,group,,0",         "3,4,name,,D",
    "3,4,shot_power,,1", "3,4,shot_accuracy,,2", "3,4,acceleration,,3",
    "3,4,top_speed,,4",  "3,4,swerve,,5"};
const std::vector<std::string> kRemoveC = {
    "2,3,id,3,",         "2,3,group,3,",         "2,3,name,C,",
    "2,3,shot_power,1,", "2,3,shot_accuracy,2,", "2,3,acceleration,3,",
    "2,3,top_speed,4,",  "2,3,swerve,5,"};

// kBase with the boot at `position` replaced.
Table with(std::size_t position, const BootRecord& changed, Table table = kBase) {
    table[position] = changed;
    return table;
}

boots::TableChanges decoded(const std::string& text) {
    const boots::CsvPatch patch = boots::decodePatch(text);
    EXPECT_FALSE(patch.error) << patch.error->message();
    return patch.changes;
}

std::vector<std::string> messages(const boots::PatchResult& result) {
    std::vector<std::string> texts;
    for (const boots::PatchClash& clash : result.clashes)
        texts.push_back(clash.message());
    return texts;
}

} // namespace

// The patch from kBase to each table, exactly; read back and applied to kBase it gives that
// table, and applied to that table again it changes nothing.
TEST(PatchTest, DiffThenApplyGivesTheChangedTable) {
    const struct {
        const char* name;
        Table changed;
        std::vector<std::string> rows;
    } rows[] = {
        {"equal", kBase, {kHeader}},
        {"name_guarded_and_quoted",
         with(1, boot(2, 2, "=B, the 2nd")),
         {kHeader, "1,2,name,B,\"'=B, the 2nd\""}},
        {"group_and_stats",
         with(2, boot(3, 9, "C", {1, 2, 5, 4, 0})),
         {kHeader, "2,3,group,3,9", "2,3,acceleration,3,5", "2,3,swerve,5,0"}},
        {"identifier_and_name_emptied",
         with(0, boot(7, 1, "")),
         {kHeader, "0,1,id,1,7", "0,1,name,A,"}},
        {"added_boot",
         {kBase[0], with(1, boot(2, 2, "b"))[1], kBase[2], boot(4, 0, "")},
         {kHeader, "1,2,name,B,b", "3,4,id,,4", "3,4,group,,0", "3,4,name,,", "3,4,shot_power,,1",
          "3,4,shot_accuracy,,2", "3,4,acceleration,,3", "3,4,top_speed,,4", "3,4,swerve,,5"}},
        {"removed_boots",
         {kBase[0]},
         {kHeader, "1,2,id,2,", "1,2,group,2,", "1,2,name,B,", "1,2,shot_power,1,",
          "1,2,shot_accuracy,2,", "1,2,acceleration,3,", "1,2,top_speed,4,", "1,2,swerve,5,",
          "2,3,id,3,", "2,3,group,3,", "2,3,name,C,", "2,3,shot_power,1,", "2,3,shot_accuracy,2,",
          "2,3,acceleration,3,", "2,3,top_speed,4,", "2,3,swerve,5,"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = boots::encodePatch(boots::compareTables(kBase, row.changed));
        EXPECT_EQ(text, lines(row.rows));
        const boots::TableChanges patch = decoded(text);
        const boots::PatchResult once = boots::applyPatch(kBase, patch);
        EXPECT_EQ(messages(once), std::vector<std::string>{});
        EXPECT_EQ(once.records, row.changed);
        const boots::PatchResult twice = boots::applyPatch(row.changed, patch);
        EXPECT_EQ(messages(twice), std::vector<std::string>{});
        EXPECT_EQ(twice.records, row.changed);
    }
}

// A patch applied to another copy of its base: fields that hold before change, fields that hold
// after already stay.
TEST(PatchTest, AppliesToOtherCopiesFieldByField) {
    const struct {
        const char* name;
        std::string patch;
        Table target;
        Table result;
    } rows[] = {
        {"another_modders_changes_kept", lines({kHeader, "0,1,shot_power,1,9"}),
         with(2, boot(3, 3, "Mine")),
         with(0, boot(1, 1, "A", {9, 2, 3, 4, 5}), with(2, boot(3, 3, "Mine")))},
        {"half_applied", lines({kHeader, "1,2,group,2,7", "1,2,name,B,Bee"}),
         with(1, boot(2, 7, "B")), with(1, boot(2, 7, "Bee"))},
        {"identifier_changed_already", lines({kHeader, "0,1,id,1,7", "0,1,group,1,4"}),
         with(0, boot(7, 1, "A")), with(0, boot(7, 4, "A"))},
        {"added_to_a_longer_table_already_holding_it",
         lines({kHeader}, kAddD),
         {kBase[0], kBase[1], kBase[2], boot(4, 0, "D"), boot(5, 0, "E")},
         {kBase[0], kBase[1], kBase[2], boot(4, 0, "D"), boot(5, 0, "E")}},
        {"read_with_semicolons_lf_and_leading_zeros",
         "position;id;column;before;after\n0;001;group;01;2\n", kBase, with(0, boot(1, 2, "A"))},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const boots::PatchResult result = boots::applyPatch(row.target, decoded(row.patch));
        EXPECT_EQ(messages(result), std::vector<std::string>{});
        EXPECT_EQ(result.records, row.result);
    }
}

TEST(PatchTest, EveryClashIsNamedAndNothingApplied) {
    const struct {
        const char* name;
        std::string patch;
        Table target;
        std::vector<std::string> clashes;
    } rows[] = {
        {"field_changed_otherwise",
         lines({kHeader, "1,2,name,B,Bee", "1,2,swerve,5,1"}),
         with(1, boot(2, 2, "Bob", {1, 2, 3, 4, 9})),
         {"position 1 (ID 2), column name: the patch expects \"B\", the file has \"Bob\"",
          "position 1 (ID 2), column swerve: the patch expects 5, the file has 9"}},
        {"another_boot_at_the_position",
         lines({kHeader, "1,2,name,B,Bee", "2,3,group,3,4"}),
         with(1, boot(9, 2, "B")),
         {"position 1 (ID 2), column id: the patch expects 2, the file has 9"}},
        {"identifier_changed_otherwise",
         lines({kHeader, "0,1,id,1,7", "0,1,name,A,X"}),
         with(0, boot(5, 1, "A")),
         {"position 0 (ID 1), column id: the patch expects 1, the file has 5"}},
        {"position_missing",
         lines({kHeader, "5,6,group,1,2"}),
         kBase,
         {"position 5 (ID 6), column id: the patch expects 6, the file has no boot"}},
        {"added_where_the_table_holds_another",
         lines({kHeader}, kAddD),
         {kBase[0], kBase[1], kBase[2], boot(4, 0, "Z", {1, 2, 3, 4, 0})},
         {"position 3 (ID 4), column name: the patch expects no boot, the file has \"Z\"",
          "position 3 (ID 4), column swerve: the patch expects no boot, the file has 0"}},
        {"added_after_a_gap",
         lines({kHeader}, kAddD),
         {kBase[0], kBase[1]},
         {"position 3 (ID 4), column *: the patch expects 3 boots, the file has 2 boots"}},
        {"removed_boot_changed",
         lines({kHeader}, kRemoveC),
         with(2, boot(3, 3, "C", {1, 7, 3, 4, 5})),
         {"position 2 (ID 3), column shot_accuracy: the patch expects 2, the file has 7"}},
        {"removed_boot_followed_by_more",
         lines({kHeader}, kRemoveC),
         {kBase[0], kBase[1], kBase[2], boot(4, 0, "D")},
         {"position 2 (ID 3), column *: the patch expects 3 boots, the file has 4 boots"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const boots::PatchResult result = boots::applyPatch(row.target, decoded(row.patch));
        EXPECT_EQ(messages(result), row.clashes);
        EXPECT_TRUE(result.records.empty());
    }
}

TEST(PatchTest, MalformedPatchIsRefusedAtItsLineAndColumn) {
    const auto patch = [](const std::vector<std::string>& rows,
                          const std::vector<std::string>& more = {}) {
        std::vector<std::string> all = {kHeader};
        all.insert(all.end(), rows.begin(), rows.end());
        return lines(all, more);
    };
    const auto addedWith = [](std::size_t at, const std::string& row) {
        std::vector<std::string> rows = kAddD;
        rows[at] = row;
        return rows;
    };
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } rows[] = {
        {"empty", "", "line 1: the file is empty"},
        {"table_instead",
         lines({"position,id,group,name,shot_power,shot_accuracy,acceleration,top_speed,swerve"}),
         "line 1, column column: the header row must read \"column\" here"},
        {"missing_column", patch({"0,1,name,A"}), "line 2, column after: missing"},
        {"extra_column", patch({"0,1,name,A,B,C"}),
         "line 2, column 6: extra column (a row holds 5)"},
        {"position_not_a_number", patch({"x,1,name,A,B"}),
         "line 2, column position: not a whole number"},
        {"unknown_column", patch({"0,1,colour,A,B"}),
         "line 2, column column: \"colour\" is not the name of a boot's column"},
        {"positions_backwards", patch({"2,3,name,C,D", "1,2,name,B,C"}),
         "line 3, column position: 1 after 2: the rows must be in position order"},
        {"columns_out_of_order", patch({"0,1,swerve,5,1", "0,1,group,1,2"}),
         "line 3, column column: group after swerve: a boot's rows must be in column order, each "
         "column once"},
        {"column_twice", patch({"0,1,group,1,2", "0,1,group,2,3"}),
         "line 3, column column: group after group: a boot's rows must be in column order, each "
         "column once"},
        {"ids_differ_within_a_boot", patch({"0,1,group,1,2", "0,2,name,A,B"}),
         "line 3, column id: 2, expected 1: every row of a boot carries the same id"},
        {"id_row_disagrees", patch({"0,1,id,2,7"}),
         "line 2, column before: 2 is not the row's id 1"},
        {"value_out_of_range", patch({"0,1,group,1,256"}),
         "line 2, column after: 256 is outside 0 to 255"},
        {"empty_number_in_a_change", patch({"0,1,group,,2"}),
         "line 2, column before: empty, expected a number from 0 to 255"},
        {"name_too_long", patch({"0,1,name,A," + std::string(65, 'x')}),
         "line 2, column after: 65 characters, more than the 64 the name field holds"},
        {"added_boot_with_a_before", patch(addedWith(2, "3,4,name,A,D")),
         "line 4, column before: must be empty, as the boot is added"},
        {"removed_boot_with_an_after", patch({"1,2,id,2,", "1,2,group,2,5"}),
         "line 3, column after: must be empty, as the boot is removed"},
        {"added_boot_skips_a_column", patch(addedWith(1, "3,4,name,,D")),
         "line 3: the boot added or removed at position 3 has no group row"},
        {"added_boot_cut_short", patch(std::vector<std::string>(kAddD.begin(), kAddD.begin() + 7)),
         "line 9: the boot added or removed at position 3 has no swerve row"},
        {"added_boot_cut_short_by_the_next", patch({kAddD[0], "4,5,id,,5"}),
         "line 3: the boot added or removed at position 3 has no group row"},
        {"change_after_an_added_boot", patch(kAddD, {"5,6,group,1,2"}),
         "line 10, column position: added or removed boots follow every changed one, one "
         "position after another, and a patch does not both add and remove"},
        {"added_boots_not_one_after_another", patch(kAddD, {"5,6,id,,6"}),
         "line 10, column position: added or removed boots follow every changed one, one "
         "position after another, and a patch does not both add and remove"},
        {"line_counted_inside_quotes", patch({"0,1,name,\"two\r\nlines\",B", "0,1,swerve,5,x"}),
         "line 4, column after: not a whole number from 0 to 255"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const boots::CsvPatch read = boots::decodePatch(row.text);
        ASSERT_TRUE(read.error);
        EXPECT_EQ(read.error->message(), row.message);
        EXPECT_TRUE(read.changes.empty());
    }
}
