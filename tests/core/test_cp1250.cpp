// Windows-1250 names: every byte survives, unrepresentable and malformed text becomes '?',
// limits count characters.
#include "boots/cp1250.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Cp1250Test, EveryByteValueRoundTrips) {
    std::string all;
    for (int b = 1; b <= 255; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = boots::cp1250ToUtf8(all);
    EXPECT_EQ(boots::utf8ToCp1250(utf8), all);
    EXPECT_EQ(boots::utf8Left(utf8, 255), utf8);
    EXPECT_EQ(boots::utf8Left(utf8, 254).size() + 2, utf8.size()); // U+02D9 is two bytes
}

TEST(Cp1250Test, DecodedCharacters) {
    struct Row {
        const char* name;
        std::string bytes;
        std::string utf8;
    };
    const std::vector<Row> rows = {
        {"ASCII", "Boot 12", "Boot 12"},
        {"Polish lower case", "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF",
         u8"\u0105\u0107\u0119\u0142\u0144\u00F3\u015B\u017A\u017C"},
        {"Polish upper case", "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF",
         u8"\u0104\u0106\u0118\u0141\u0143\u00D3\u015A\u0179\u017B"},
        {"euro, quotes, dash", "\x80\x84\x93\x96", u8"\u20AC\u201E\u201C\u2013"},
        {"undefined bytes keep their value", "\x81\x83\x88\x90\x98",
         u8"\u0081\u0083\u0088\u0090\u0098"},
        {"last byte", "\xFF", u8"\u02D9"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(boots::cp1250ToUtf8(row.bytes), row.utf8) << row.name;
        EXPECT_EQ(boots::utf8ToCp1250(row.utf8), row.bytes) << row.name;
    }
}

TEST(Cp1250Test, UnrepresentableOrMalformedBecomesQuestionMark) {
    struct Row {
        const char* name;
        std::string utf8;
        std::string bytes;
    };
    const std::vector<Row> rows = {
        {"CJK", u8"\u65E5\u672C", "??"},
        {"emoji", u8"a\U0001F600b", "a?b"},
        {"German sharp s is in the code page", u8"\u00DF", "\xDF"},
        {"French e grave is not", u8"\u00E8", "?"},
        {"Cyrillic", u8"\u0416", "?"},
        {"C1 control without a Windows-1250 slot", u8"\u0085", "?"},
        {"stray continuation byte",
         "a\x80"
         "b",
         "a?b"},
        {"invalid lead byte", "\xFF", "?"},
        {"truncated two-byte sequence at the end", "a\xC5", "a?"},
        {"truncated three-byte sequence",
         "\xE2\x82"
         "x",
         "?x"},
        {"overlong slash", "\xC0\xAF", "??"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", "????"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(boots::utf8ToCp1250(row.utf8), row.bytes) << row.name;
}

TEST(Cp1250Test, LeftCountsCharactersNotBytes) {
    const std::string phrase = u8"Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105"; // 12 chars
    struct Row {
        std::size_t count;
        std::string left;
    };
    const std::vector<Row> rows = {
        {0, ""}, {3, u8"Za\u017C"}, {6, u8"Za\u017C\u00F3\u0142\u0107"}, {12, phrase}, {60, phrase},
    };
    for (const Row& row : rows)
        EXPECT_EQ(boots::utf8Left(phrase, row.count), row.left) << "count " << row.count;
    EXPECT_EQ(boots::utf8Left(u8"\U0001F600\U0001F600", 1), u8"\U0001F600");
    EXPECT_EQ(boots::utf8Left("\xFF\xFF"
                              "a",
                              2),
              "\xFF\xFF");
}
