// The format codec: headers, record counts, name fields and byte-exact round trips.
#include "boots/boots_format.h"

#include "alloc_tracker.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

using testfiles::Bytes;
using testfiles::HeaderFields;
using testfiles::RawRecord;

namespace {

std::optional<std::size_t> countOf(const HeaderFields& h) {
    const Bytes bytes = testfiles::header(h);
    return boots::recordCount(boots::readHeader(bytes.data()));
}

HeaderFields withLength(std::int32_t dataLength) {
    HeaderFields h;
    h.Data_Length = dataLength;
    return h;
}

} // namespace

TEST(HeaderTest, SmallestFileHeaderIsAcceptedWithOneBoot) {
    const Bytes bytes = {0x01, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00,
                         0x00, 0x4C, 0x00, 0x00, 0x00, 0xF0, 0xFF, 0xFF, 0xFF, 0,    0,
                         0,    0,    0,    0,    0,    0,    0,    0,    0,    0};
    const boots::BootsFileHeader h = boots::readHeader(bytes.data());
    EXPECT_EQ(h.Fixed_1, 1);
    EXPECT_EQ(h.Fixed_8, 8);
    EXPECT_EQ(h.Header_Length, 32);
    EXPECT_EQ(h.Data_Length, 76);
    EXPECT_EQ(h.Fixed_Minus16, -16);
    EXPECT_EQ(boots::recordCount(h), std::optional<std::size_t>(1));
}

TEST(HeaderTest, RejectedHeaders) {
    struct Row {
        const char* name;
        void (*spoil)(HeaderFields&);
    };
    const Row rows[] = {
        {"Fixed_1 is 0", [](HeaderFields& h) { h.Fixed_1 = 0; }},
        {"Fixed_1 is 2", [](HeaderFields& h) { h.Fixed_1 = 2; }},
        {"Fixed_8 is 9", [](HeaderFields& h) { h.Fixed_8 = 9; }},
        {"Fixed_8 is -8", [](HeaderFields& h) { h.Fixed_8 = -8; }},
        {"Header_Length is 28", [](HeaderFields& h) { h.Header_Length = 28; }},
        {"Header_Length is 108", [](HeaderFields& h) { h.Header_Length = 108; }},
        {"Fixed_Minus16 is 0", [](HeaderFields& h) { h.Fixed_Minus16 = 0; }},
        {"Fixed_Minus16 is 16", [](HeaderFields& h) { h.Fixed_Minus16 = 16; }},
        {"Zero_1 is 1", [](HeaderFields& h) { h.Zero_1 = 1; }},
        {"Zero_2 is -1", [](HeaderFields& h) { h.Zero_2 = -1; }},
        {"Zero_3 is INT_MIN", [](HeaderFields& h) { h.Zero_3 = INT_MIN; }},
        {"Data_Length is 0", [](HeaderFields& h) { h.Data_Length = 0; }},
        {"Data_Length is -76", [](HeaderFields& h) { h.Data_Length = -76; }},
        {"Data_Length is INT_MIN", [](HeaderFields& h) { h.Data_Length = INT_MIN; }},
    };
    for (const Row& row : rows) {
        HeaderFields h;
        row.spoil(h);
        EXPECT_EQ(countOf(h), std::nullopt) << row.name;
    }
}

TEST(HeaderTest, RecordCountFromDataLengthHalvesToEven) {
    struct Row {
        std::int32_t dataLength;
        std::optional<std::size_t> count;
    };
    const Row rows[] = {
        {1, std::nullopt},
        {37, std::nullopt},
        {38, std::nullopt}, // 0.5 goes to 0
        {39, 1},
        {76, 1},
        {113, 1},
        {114, 2}, // 1.5 goes to 2
        {152, 2},
        {190, 2}, // 2.5 goes to 2
        {191, 3},
        {266, 4}, // 3.5 goes to 4
        {342, 4}, // 4.5 goes to 4
        {418, 6}, // 5.5 goes to 6
        {76 * 1000000, 1000000},
        {INT_MAX, 28256364}, // 28256363.78
    };
    for (const Row& row : rows)
        EXPECT_EQ(countOf(withLength(row.dataLength)), row.count)
            << "Data_Length " << row.dataLength;
}

TEST(DecodeFileTest, AcceptedAndRejectedFiles) {
    const Bytes one = testfiles::file({RawRecord{}});
    Bytes twoDeclared190 = one;
    twoDeclared190[12] = 190; // declares 2.5 records, rounded to 2
    const Bytes secondRecord = testfiles::record(RawRecord{});
    twoDeclared190.insert(twoDeclared190.end(), secondRecord.begin(), secondRecord.end());
    Bytes trailing = one;
    trailing.insert(trailing.end(), {1, 2, 3});

    struct Row {
        const char* name;
        Bytes bytes;
        std::optional<std::size_t> count;
    };
    const std::vector<Row> rows = {
        {"one record", one, 1},
        {"Data_Length 190 with two records", twoDeclared190, 2},
        {"bytes after the last record", trailing, 1},
        {"empty file", {}, std::nullopt},
        {"ends inside the header", Bytes(one.begin(), one.begin() + 31), std::nullopt},
        {"header only", Bytes(one.begin(), one.begin() + 32), std::nullopt},
        {"ends one byte before the record's end", Bytes(one.begin(), one.end() - 1), std::nullopt},
        {"Data_Length 190 with one record",
         Bytes(twoDeclared190.begin(), twoDeclared190.begin() + 108), std::nullopt},
    };
    for (const Row& row : rows) {
        const auto decoded = boots::decodeFile(row.bytes.data(), row.bytes.size());
        if (!row.count) {
            EXPECT_EQ(decoded, std::nullopt) << row.name;
            continue;
        }
        ASSERT_TRUE(decoded) << row.name;
        EXPECT_EQ(decoded->records.size(), *row.count) << row.name;
    }
}

TEST(DecodeFileTest, HugeDeclaredCountInSmallFileIsRejectedWithoutAllocating) {
    HeaderFields h;
    h.Data_Length = INT_MAX; // 28 million records
    Bytes bytes = testfiles::header(h);
    bytes.resize(100, 0);
    alloc_tracker::reset();
    EXPECT_EQ(boots::decodeFile(bytes.data(), bytes.size()), std::nullopt);
    EXPECT_LT(alloc_tracker::largest(), 4096u);
}

TEST(DecodeRecordTest, FieldsAreTakenAsStored) {
    RawRecord raw;
    raw.name = "Boot";
    raw.id = 200;
    raw.grupa = 0;
    raw.stats[0] = 0;
    raw.stats[1] = 9;
    raw.stats[2] = 255;
    raw.stats[3] = 1;
    raw.stats[4] = 77;
    const Bytes bytes = testfiles::record(raw);
    const boots::BootRecord r = boots::decodeRecord(bytes.data());
    EXPECT_EQ(r.Nazwa, "Boot");
    EXPECT_EQ(r.ID, 200);
    EXPECT_EQ(r.Grupa, 0);
    EXPECT_EQ(r.Sila, 0);
    EXPECT_EQ(r.Precyzja, 9);
    EXPECT_EQ(r.Przyspieszenie, 255);
    EXPECT_EQ(r.Szybkosc, 1);
    EXPECT_EQ(r.Podkrecanie, 77);
}

TEST(NameFieldTest, ReadAndWrittenBack) {
    const std::string sixtyFour(64, 'X');
    struct Row {
        const char* name;
        std::string field;   // raw bytes, NUL padded to 64
        std::string decoded; // UTF-8
        std::string written; // raw bytes, NUL padded to 64
    };
    const std::vector<Row> rows = {
        {"Boot and 60 NUL", "Boot", "Boot", "Boot"},
        {"bytes after the first NUL are kept", std::string("AB\0CD", 5), "AB",
         std::string("AB\0CD", 5)},
        {"64 bytes without NUL", sixtyFour, sixtyFour, sixtyFour},
        {"leading NUL is the empty name", std::string("\0Hidden", 7), "",
         std::string("\0Hidden", 7)},
        {"Polish letters", "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF",
         "\xC4\x85\xC4\x87\xC4\x99\xC5\x82\xC5\x84\xC3\xB3\xC5\x9B\xC5\xBA\xC5\xBC",
         "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"},
        {"undefined bytes", "\x81\x83\x88\x90\x98", "\xC2\x81\xC2\x83\xC2\x88\xC2\x90\xC2\x98",
         "\x81\x83\x88\x90\x98"},
    };
    for (const Row& row : rows) {
        RawRecord raw;
        raw.name = row.field;
        const Bytes in = testfiles::record(raw);
        const boots::BootRecord r = boots::decodeRecord(in.data());
        EXPECT_EQ(r.Nazwa, row.decoded) << row.name;
        Bytes out(boots::kRecordSize);
        boots::encodeRecord(r, out.data());
        RawRecord expected = raw;
        expected.name = row.written;
        EXPECT_EQ(out, testfiles::record(expected)) << row.name;
    }
}

TEST(NameFieldTest, AnEditedNameIsWrittenThenNuls) {
    RawRecord raw;
    raw.name = std::string("AB\0CD", 5);
    const Bytes in = testfiles::record(raw);
    boots::BootRecord r = boots::decodeRecord(in.data());
    Bytes out(boots::kRecordSize);
    for (const char* name : {"ABC", "", "A"}) {
        r.Nazwa = name;
        boots::encodeRecord(r, out.data());
        RawRecord expected = raw;
        expected.name = name;
        EXPECT_EQ(out, testfiles::record(expected)) << name;
    }
    r.Nazwa = "AB"; // edited back: the field as read
    boots::encodeRecord(r, out.data());
    EXPECT_EQ(out, in);
}

TEST(NameFieldTest, EveryByteValueRoundTrips) {
    for (int b = 1; b <= 255; ++b) {
        RawRecord raw;
        raw.name = std::string(64, static_cast<char>(b));
        const Bytes in = testfiles::record(raw);
        Bytes out(boots::kRecordSize);
        boots::encodeRecord(boots::decodeRecord(in.data()), out.data());
        EXPECT_EQ(out, in) << "byte " << b;
    }
}

TEST(NameFieldTest, WrittenNamesAreCutAt64Characters) {
    struct Row {
        const char* name;
        std::string nazwa;   // UTF-8 in memory
        std::string written; // raw bytes of the field, before NUL padding
    };
    const std::string ae64 = [] {
        std::string s;
        for (int i = 0; i < 70; ++i)
            s += "\xC4\x85"; // ą, two UTF-8 bytes, one character
        return s;
    }();
    const std::vector<Row> rows = {
        {"70 ASCII characters", std::string(70, 'a'), std::string(64, 'a')},
        {"70 Polish letters", ae64, std::string(64, '\xB9')},
        {"characters outside the code page", "\xE6\x97\xA5\xE6\x9C\xAC-\xF0\x9F\x98\x80",
         "??"
         "-?"},
        {"malformed UTF-8",
         "a\xFF"
         "b\xC3",
         "a?b?"},
    };
    for (const Row& row : rows) {
        boots::BootRecord r;
        r.Nazwa = row.nazwa;
        Bytes out(boots::kRecordSize);
        boots::encodeRecord(r, out.data());
        RawRecord expected;
        expected.name = row.written;
        expected.id = 0;
        expected.grupa = 0;
        for (auto& s : expected.stats)
            s = 0;
        EXPECT_EQ(out, testfiles::record(expected)) << row.name;
    }
}

// Whatever a file holds that no field stands for comes back as read, and an edit changes only the
// bytes of its field.
TEST(EncodeFileTest, FilesRoundTripByteForByte) {
    RawRecord odd;
    odd.name = std::string("Odd\0tail", 8);
    odd.fixed3[0] = 7;
    odd.fixed3[1] = 0x80;
    odd.zeroByte = 5;
    odd.zeroWord[0] = 0x12;
    odd.zeroWord[1] = 0x34;
    RawRecord full;
    full.name = std::string(64, 'F');
    const Bytes plain = testfiles::file({RawRecord{}, odd, full});
    Bytes trailing = plain;
    trailing.insert(trailing.end(), 104, 0xA5);
    Bytes dataLength3050 = testfiles::file(std::vector<RawRecord>(40)); // 40.13 records
    dataLength3050[12] = 3050 & 0xFF;
    dataLength3050[13] = 3050 >> 8;
    dataLength3050.insert(dataLength3050.end(), 10, 7); // the partial 41st record
    const struct Row {
        const char* name;
        Bytes bytes;
    } rows[] = {
        {"odd reserved bytes, a name's tail, a 64-byte name", plain},
        {"104 bytes after the table", trailing},
        {"Data_Length 3050 and a partial record", dataLength3050},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto decoded = boots::decodeFile(row.bytes.data(), row.bytes.size());
        ASSERT_TRUE(decoded);
        EXPECT_EQ(boots::encodeFile(decoded->records, decoded->rest), row.bytes);
        // One group changed: that byte alone differs.
        decoded->records[1].Grupa = 99;
        Bytes edited = row.bytes;
        edited[boots::kHeaderSize + boots::kRecordSize + 65] = 99;
        EXPECT_EQ(boots::encodeFile(decoded->records, decoded->rest), edited);
        // A boot added: Data_Length counts the boots, the trailer still follows them.
        decoded->records.emplace_back();
        const auto grown = boots::encodeFile(decoded->records, decoded->rest);
        ASSERT_TRUE(grown);
        const std::size_t count = decoded->records.size();
        EXPECT_EQ(boots::readHeader(grown->data()).Data_Length, std::int32_t(76 * count));
        EXPECT_TRUE(std::equal(decoded->rest.trailer.rbegin(), decoded->rest.trailer.rend(),
                               grown->rbegin()));
    }
}

TEST(EncodeFileTest, ABootMadeInMemoryHoldsTheWrittenValues) {
    RawRecord written;
    written.name = "New";
    written.id = 9;
    const auto out = boots::encodeFile({boots::BootRecord(9, 1, "New", 1, 2, 3, 4, 5)});
    EXPECT_EQ(out, testfiles::file({written}));
}

TEST(EncodeFileTest, CanonicalFilesRoundTripByteForByte) {
    std::vector<RawRecord> records(300);
    for (std::size_t k = 0; k < records.size(); ++k) {
        records[k].id = static_cast<std::uint8_t>(k);
        records[k].grupa = static_cast<std::uint8_t>(k * 7);
        records[k].name = std::string(k % 65, static_cast<char>(1 + k % 255));
        for (int s = 0; s < 5; ++s)
            records[k].stats[s] = static_cast<std::uint8_t>(k + s);
    }
    const Bytes in = testfiles::file(records);
    const auto decoded = boots::decodeFile(in.data(), in.size());
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->records.size(), 300u);
    const auto out = boots::encodeFile(decoded->records);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, in);
}

TEST(EncodeFileTest, HeaderAndSize) {
    const std::vector<boots::BootRecord> records(3);
    const auto out = boots::encodeFile(records);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->size(), 32u + 76u * 3);
    HeaderFields h;
    h.Data_Length = 228;
    EXPECT_EQ(Bytes(out->begin(), out->begin() + 32), testfiles::header(h));
}

TEST(EncodeFileTest, EmptyTableIsNotEncoded) {
    EXPECT_EQ(boots::encodeFile({}), std::nullopt);
}

TEST(EncodeHeaderTest, CountsAtTheDataLengthLimit) {
    // 28,256,363 records need 2,147,483,588 bytes of Data_Length; one more passes INT32_MAX.
    struct Row {
        std::size_t count;
        bool encoded;
    } const rows[] = {{0, false}, {1, true}, {28256363, true}, {28256364, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.count);
        unsigned char header[boots::kHeaderSize] = {};
        EXPECT_EQ(boots::encodeHeader(row.count, header), row.encoded);
        if (row.encoded) {
            EXPECT_EQ(boots::readHeader(header).Data_Length,
                      static_cast<std::int32_t>(76 * row.count));
        }
    }
}
