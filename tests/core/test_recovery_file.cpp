// The recovery file of unsaved edits: read back as written, its patch what korvane-table applies,
// and anything else refused whole.
#include "boots/recovery_file.h"

#include "boots/table_patch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

boots::RecoveryFile sample() {
    boots::RecoveryFile recovery;
    recovery.file = "/home/gracz/Gry \xC5\x81\xC3\xB3"
                    "d\xC5\xBA/boots.bin";
    recovery.size = 739;
    recovery.modified = 1765222800123;
    recovery.sha256 = std::string(64, 'a');
    recovery.lastChange = 1765223000456;
    recovery.changes =
        boots::compareTables({{1, 2, "Stary", 1, 1, 1, 1, 1}},
                             {{1, 2, "Nowy", 1, 1, 1, 1, 5}, {2, 1, "", 1, 1, 1, 1, 1}});
    return recovery;
}

} // namespace

TEST(RecoveryFileTest, ReadsBackAsWritten) {
    const boots::RecoveryFile recovery = sample();
    const std::string text = boots::encodeRecovery(recovery);
    const auto back = boots::decodeRecovery(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->file, recovery.file);
    EXPECT_EQ(back->size, recovery.size);
    EXPECT_EQ(back->modified, recovery.modified);
    EXPECT_EQ(back->sha256, recovery.sha256);
    EXPECT_EQ(back->lastChange, recovery.lastChange);
    EXPECT_EQ(boots::encodePatch(back->changes), boots::encodePatch(recovery.changes));
    EXPECT_EQ(boots::recoveryPatch(text), boots::encodePatch(recovery.changes));
}

TEST(RecoveryFileTest, AnythingElseIsRefusedWhole) {
    const std::string text = boots::encodeRecovery(sample());
    const std::size_t patch = text.find("\n\n") + 2;
    const struct Row {
        const char* name;
        std::string text;
    } rows[] = {
        {"empty", ""},
        {"a newer version", "Korvane recovery 2" + text.substr(text.find('\n'))},
        {"cut inside its lines", text.substr(0, text.find("sha256"))},
        {"cut inside its patch", text.substr(0, text.size() - 10)},
        {"a number that is none", std::string(text).replace(text.find("size=739"), 8, "size=7x9")},
        {"a line missing", std::string(text).erase(text.find("modified="), 24)},
        {"a damaged patch", text.substr(0, patch) + "position,id\r\n"},
    };
    for (const Row& row : rows)
        EXPECT_FALSE(boots::decodeRecovery(row.text)) << row.name;
}
