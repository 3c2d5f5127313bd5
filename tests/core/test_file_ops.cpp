// What a Windows console is given to show: text without a file's byte-order mark, CRLF line ends.
#include "fileops/file_ops.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(ConsoleTextTest, AConsoleShowsTextNotBytes) {
    const struct Row {
        const char* name;
        std::string text;
        std::string shown;
    } rows[] = {
        {"a CSV export", "\xEF\xBB\xBFposition,id\r\n0,1\r\n", "position,id\r\n0,1\r\n"},
        {"help and messages", "usage\nline\n", "usage\r\nline\r\n"},
        {"a mark inside is text", "a\xEF\xBB\xBF\n", "a\xEF\xBB\xBF\r\n"},
        {"a line end first", "\n", "\r\n"},
        {"Polish letters", "\xC5\x9Anie\xC5\xBCka", "\xC5\x9Anie\xC5\xBCka"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(fileops::consoleText(row.text), row.shown) << row.name;
}

TEST(ConsoleTextTest, AFileIsNoConsole) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(fileops::isConsole(file));
    std::fclose(file);
}
