// The boots table: loading, accessors, clamping, adding, and loads and saves that fail without
// harming the table or the user's file.
#include "boots/qel_baza.h"

#include "alloc_tracker.h"
#include "failing_writes.h"
#include "files.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;
using testfiles::Bytes;
using testfiles::RawRecord;
using testsupport::TempFolder;

namespace {

// The bytes of the file at the UTF-8 `path`, and a file of `bytes` put there.
Bytes onDisk(const std::string& path) {
    const std::string bytes = testsupport::readFile(fs::u8path(path));
    return Bytes(bytes.begin(), bytes.end());
}

void putOnDisk(const std::string& path, const Bytes& bytes) {
    testsupport::writeFile(fs::u8path(path), std::string(bytes.begin(), bytes.end()));
}

std::vector<RawRecord> threeBoots() {
    std::vector<RawRecord> r(3);
    r[0].name = "Alpha";
    r[0].id = 10;
    r[1].name = "Beta";
    r[1].id = 40;
    r[2].name = "Gamma";
    r[2].id = 12;
    r[2].grupa = 3;
    return r;
}

// A table loaded from a file of the given records, kept in its own folder.
struct Loaded {
    TempFolder folder;
    std::string path;
    Qel_Baza table;

    explicit Loaded(const Bytes& bytes, const std::string& name = "boots.bin")
        : path(folder / name) {
        putOnDisk(path, bytes);
        EXPECT_TRUE(table.Wczytaj(path));
    }
};

void expectEmptyAccessors(const Qel_Baza& t, const char* context) {
    for (int index : {0, 1, 7, 255}) {
        const auto i = static_cast<std::uint8_t>(index);
        EXPECT_EQ(t.Get_Nazwa(i), "") << context << " index " << index;
        EXPECT_EQ(t.Get_ID(i), 0) << context;
        EXPECT_EQ(t.Get_Grupa(i), 0) << context;
        EXPECT_EQ(t.Get_Sila(i), 0) << context;
        EXPECT_EQ(t.Get_Precyzja(i), 0) << context;
        EXPECT_EQ(t.Get_Przyspieszenie(i), 0) << context;
        EXPECT_EQ(t.Get_Szybkosc(i), 0) << context;
        EXPECT_EQ(t.Get_Podkrecanie(i), 0) << context;
    }
}

} // namespace

TEST(QelBazaTest, NewTableHoldsNothingAndSavesNothing) {
    TempFolder folder;
    Qel_Baza t;
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.Path(), "");
    expectEmptyAccessors(t, "new table");
    EXPECT_EQ(t.Dodaj_Nowy(), 0);
    EXPECT_FALSE(t.Zmien_Dane(0, "X", 1, 1, 1, 1, 1, 1));
    EXPECT_FALSE(t.Zapisz(folder / "out.bin"));
    EXPECT_FALSE(t.Zapisz());
    EXPECT_TRUE(testsupport::listFolder(folder.path()).empty());
}

TEST(QelBazaTest, LoadsEveryField) {
    RawRecord r;
    r.name = "Zab\xF3jca"; // Zabójca
    r.id = 7;
    r.grupa = 200;
    r.stats[0] = 0;
    r.stats[1] = 9;
    r.stats[2] = 3;
    r.stats[3] = 255;
    r.stats[4] = 5;
    Loaded l(testfiles::file({r}));
    EXPECT_EQ(l.table.Count(), 1);
    EXPECT_EQ(l.table.Path(), l.path);
    EXPECT_EQ(l.table.Get_Nazwa(0), u8"Zab\u00F3jca");
    EXPECT_EQ(l.table.Get_ID(0), 7);
    EXPECT_EQ(l.table.Get_Grupa(0), 200);
    EXPECT_EQ(l.table.Get_Sila(0), 0);
    EXPECT_EQ(l.table.Get_Precyzja(0), 9);
    EXPECT_EQ(l.table.Get_Przyspieszenie(0), 3);
    EXPECT_EQ(l.table.Get_Szybkosc(0), 255);
    EXPECT_EQ(l.table.Get_Podkrecanie(0), 5);
}

TEST(QelBazaTest, DataLength190LoadsTwoBoots) {
    Bytes bytes = testfiles::file({RawRecord{}, RawRecord{}});
    bytes[12] = 190;
    Loaded l(bytes);
    EXPECT_EQ(l.table.Count(), 2);
}

TEST(QelBazaTest, IndexPastTheLastBootAddressesTheLast) {
    Loaded l(testfiles::file(threeBoots()));
    EXPECT_EQ(l.table.Get_Nazwa(7), "Gamma");
    EXPECT_EQ(l.table.Get_ID(255), 12);
    EXPECT_EQ(l.table.Get_Grupa(3), 3);
    EXPECT_TRUE(l.table.Zmien_Dane(7, "Changed", 2, 2, 2, 2, 2, 2));
    EXPECT_EQ(l.table.Get_Nazwa(2), "Changed");
    EXPECT_EQ(l.table.Get_Nazwa(1), "Beta");
}

TEST(QelBazaTest, ZmienDaneClamps) {
    struct Row {
        const char* name;
        std::uint8_t in;
        std::uint8_t stat;  // a stat given `in` stores this
        std::uint8_t group; // a group given `in` stores this
    };
    const Row rows[] = {
        {"0", 0, 1, 1}, {"1", 1, 1, 1}, {"3", 3, 3, 3},       {"5", 5, 5, 5},
        {"6", 6, 5, 6}, {"9", 9, 5, 9}, {"255", 255, 5, 255},
    };
    for (const Row& row : rows) {
        Loaded l(testfiles::file(threeBoots()));
        ASSERT_TRUE(l.table.Zmien_Dane(1, "N", row.in, row.in, row.in, row.in, row.in, row.in))
            << row.name;
        EXPECT_EQ(l.table.Get_Grupa(1), row.group) << row.name;
        EXPECT_EQ(l.table.Get_Sila(1), row.stat) << row.name;
        EXPECT_EQ(l.table.Get_Precyzja(1), row.stat) << row.name;
        EXPECT_EQ(l.table.Get_Przyspieszenie(1), row.stat) << row.name;
        EXPECT_EQ(l.table.Get_Szybkosc(1), row.stat) << row.name;
        EXPECT_EQ(l.table.Get_Podkrecanie(1), row.stat) << row.name;
        EXPECT_EQ(l.table.Get_ID(1), 40) << row.name;
    }
}

TEST(QelBazaTest, ZmienDaneMixedValues) {
    Loaded l(testfiles::file(threeBoots()));
    ASSERT_TRUE(l.table.Zmien_Dane(0, "x", 0, 0, 3, 9, 5, 255));
    EXPECT_EQ(l.table.Get_Grupa(0), 1);
    EXPECT_EQ(l.table.Get_Sila(0), 1);
    EXPECT_EQ(l.table.Get_Precyzja(0), 3);
    EXPECT_EQ(l.table.Get_Przyspieszenie(0), 5);
    EXPECT_EQ(l.table.Get_Szybkosc(0), 5);
    EXPECT_EQ(l.table.Get_Podkrecanie(0), 5);
    EXPECT_EQ(l.table.Get_ID(0), 10);
}

TEST(QelBazaTest, ZmienDaneKeepsSixtyCharacters) {
    std::string polish75, polish60;
    for (int i = 0; i < 75; ++i) {
        const char* letter = i % 2 ? u8"\u0142" : u8"\u017C"; // ł, ż
        polish75 += letter;
        if (i < 60)
            polish60 += letter;
    }
    struct Row {
        const char* name;
        std::string in;
        std::string stored;
    };
    const std::vector<Row> rows = {
        {"75 ASCII characters", std::string(75, 'q'), std::string(60, 'q')},
        {"75 Polish letters", polish75, polish60},
        {"60 characters stay", std::string(60, 'w'), std::string(60, 'w')},
        {"empty name", "", ""},
    };
    for (const Row& row : rows) {
        Loaded l(testfiles::file(threeBoots()));
        ASSERT_TRUE(l.table.Zmien_Dane(0, row.in, 1, 1, 1, 1, 1, 1)) << row.name;
        EXPECT_EQ(l.table.Get_Nazwa(0), row.stored) << row.name;
        ASSERT_TRUE(l.table.Zapisz()) << row.name;
        const Bytes saved = onDisk(l.path);
        const std::size_t nameBytes = row.stored.empty() ? 0 : 60;
        for (std::size_t i = 0; i < 64; ++i)
            EXPECT_EQ(saved[32 + i] == 0, i >= nameBytes) << row.name << " byte " << i;
    }
}

TEST(QelBazaTest, DodajNowyLimits) {
    struct Row {
        const char* name;
        std::vector<std::uint8_t> ids;
        std::size_t boots;
        std::vector<int> results; // successive Dodaj_Nowy results
    };
    const std::vector<Row> rows = {
        {"last ID 254", {254}, 1, {255, 0}}, {"IDs 10, 40, 12", {10, 40, 12}, 3, {13, 14}},
        {"last ID 255", {1, 255}, 2, {0}},   {"last ID 0", {0}, 1, {1, 2}},
        {"255 boots", {1}, 255, {2, 0}},     {"256 boots", {1}, 256, {0}},
        {"300 boots", {1}, 300, {0}},
    };
    for (const Row& row : rows) {
        Loaded l(testfiles::fileWithIds(row.ids, row.boots));
        int expectedCount = static_cast<int>(row.boots);
        for (int expected : row.results) {
            EXPECT_EQ(l.table.Dodaj_Nowy(), expected) << row.name;
            if (expected != 0)
                ++expectedCount;
            EXPECT_EQ(l.table.Count(), expectedCount) << row.name;
            if (expected != 0 && expectedCount <= 256) {
                EXPECT_EQ(l.table.Get_ID(static_cast<std::uint8_t>(expectedCount - 1)), expected)
                    << row.name;
            }
        }
    }
}

TEST(QelBazaTest, AddedBootIsSavedWithTheLowestValuesAChangeStores) {
    Loaded l(testfiles::file(threeBoots()));
    ASSERT_EQ(l.table.Dodaj_Nowy(), 13);
    ASSERT_TRUE(l.table.Zapisz());
    std::vector<RawRecord> expected = threeBoots();
    RawRecord added;
    added.id = 13;
    added.grupa = 1;
    for (auto& s : added.stats)
        s = 1;
    expected.push_back(added);
    EXPECT_EQ(onDisk(l.path), testfiles::file(expected));
}

// A save gives back the file loaded, but for what was changed: the bytes no field stands for,
// what follows a name's NUL, the bytes after the table, and boots past the 256 an Index reaches.
TEST(QelBazaTest, SaveChangesOnlyWhatWasChanged) {
    std::vector<RawRecord> in(300);
    for (std::size_t k = 0; k < in.size(); ++k)
        in[k].name = "B" + std::to_string(k);
    in[0].fixed3[0] = 7;
    in[0].zeroByte = 5;
    in[1].zeroWord[1] = 9;
    in[2].name = std::string("AB\0CD", 5);
    in[299].fixed3[1] = 0xEE;
    in[299].name = std::string("Last\0\xFF", 6);
    Bytes bytes = testfiles::file(in);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    Loaded l(bytes);
    ASSERT_TRUE(l.table.Zapisz());
    EXPECT_EQ(onDisk(l.path), bytes);

    boots::BootRecord last = l.table.allBoots()[299];
    last.Sila = 4;
    ASSERT_TRUE(l.table.setBoot(299, last));
    ASSERT_TRUE(l.table.Zapisz());
    bytes[32 + 76 * 299 + 68] = 4;
    EXPECT_EQ(onDisk(l.path), bytes);
}

TEST(QelBazaTest, EveryNameByteSurvivesLoadAndSave) {
    std::vector<RawRecord> in(4);
    for (int b = 1; b <= 255; ++b)
        in[(b - 1) / 64].name += static_cast<char>(b);
    const Bytes bytes = testfiles::file(in);
    Loaded l(bytes);
    ASSERT_TRUE(l.table.Zapisz());
    EXPECT_EQ(onDisk(l.path), bytes);
}

TEST(QelBazaTest, ManyBootsAreAllLoadedAndSaved) {
    // Sizes around the 4096 records the table reads and writes at a time.
    for (std::size_t n : {4095u, 4096u, 4097u, 10000u}) {
        const Bytes bytes = testfiles::fileWithIds({3, 9, 200}, n);
        Loaded l(bytes);
        EXPECT_EQ(l.table.Count(), static_cast<std::int32_t>(n));
        EXPECT_EQ(l.table.Get_ID(255), 3 /* position 255 holds ids[255 % 3] */);
        ASSERT_TRUE(l.table.Zapisz()) << n;
        EXPECT_EQ(onDisk(l.path), bytes) << n;
        // One record short of the declared count is rejected whatever the chunking.
        const std::string cut = l.folder / "cut.bin";
        putOnDisk(cut, Bytes(bytes.begin(), bytes.end() - 76));
        EXPECT_FALSE(l.table.Wczytaj(cut)) << n;
        EXPECT_EQ(l.table.Count(), 0) << n;
    }
}

TEST(QelBazaTest, SaveOverALongerFileLeavesExactLength) {
    Loaded l(testfiles::file(threeBoots()));
    const std::string target = l.folder / "long.bin";
    putOnDisk(target, Bytes(5000, 0xAB));
    ASSERT_TRUE(l.table.Zapisz(target));
    EXPECT_EQ(fs::file_size(fs::u8path(target)), 32u + 76u * 3);
    EXPECT_EQ(onDisk(target), testfiles::file(threeBoots()));
}

TEST(QelBazaTest, SaveToOtherPathLeavesPathAndNoTempFile) {
    Loaded l(testfiles::file(threeBoots()));
#ifdef _WIN32
    const std::string name = u8"kopia z odst\u0119pem '\u017C'.bin"; // no '"' in Windows names
#else
    const std::string name = u8"kopia z odst\u0119pem \"\u017C\".bin";
#endif
    const std::string other = l.folder / name;
    ASSERT_TRUE(l.table.Zapisz(other));
    EXPECT_EQ(l.table.Path(), l.path);
    EXPECT_EQ(onDisk(other), testfiles::file(threeBoots()));
    EXPECT_EQ(testsupport::listFolder(l.folder.path()),
              (std::vector<std::string>{"boots.bin", name}));
}

TEST(QelBazaTest, SaveKeepsPermissionBits) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permission bits; a Windows file takes its folder's access rules";
#else
    Loaded l(testfiles::file(threeBoots()));
    ASSERT_EQ(chmod(l.path.c_str(), 0640), 0);
    ASSERT_TRUE(l.table.Zapisz());
    struct stat st {};
    ASSERT_EQ(stat(l.path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
#endif
}

// Every path operation (existence, load, a new file, a save over an existing file) takes UTF-8
// names in any script, blanks and paths far over Windows' classic limit of 260 characters.
TEST(QelBazaTest, SavesAndLoadsUnderAnyName) {
    // Over Windows' classic limit of 260 characters in all, within 255 bytes a name on Linux.
    const std::string longName = u8"\u0141\u00F3d\u017A " + std::string(230, 'a') + ".bin";
    struct Row {
        const char* name;
        std::string folder; // below the test's folder, created first
        std::string file;
    };
    const std::vector<Row> rows = {
        {"polish letters and a blank", u8"Krak\u00F3w", u8"\u0141\u00F3d\u017A a.bin"},
        {"greek", u8"\u03A0\u03B1\u03C0\u03BF\u03CD\u03C4\u03C3\u03B9\u03B1", u8"\u03B2.bin"},
        {"chinese and japanese", u8"\u978B", u8"\u30C7\u30FC\u30BF \u978B.bin"},
        {"blanks", "  two  blanks", "  boots file.bin"},
        {"long path", "gra", longName},
    };
    for (const Row& row : rows) {
        Loaded l(testfiles::file(threeBoots()));
        const fs::path folder = l.folder.path() / fs::u8path(row.folder);
        fs::create_directories(folder);
        const std::string target = (folder / fs::u8path(row.file)).u8string();
        EXPECT_FALSE(Qel_Baza::File_Exists(target)) << row.name;
        ASSERT_TRUE(l.table.Zapisz(target)) << row.name;
        EXPECT_TRUE(Qel_Baza::File_Exists(target)) << row.name;
        Qel_Baza copy;
        ASSERT_TRUE(copy.Wczytaj(target)) << row.name;
        EXPECT_EQ(copy.Get_Nazwa(7), "Gamma") << row.name;
        ASSERT_TRUE(copy.Zmien_Dane(0, u8"\u017B\u00F3\u0142w", 2, 2, 2, 2, 2, 2)) << row.name;
        ASSERT_TRUE(copy.Zapisz()) << row.name << ": over the existing file";
        ASSERT_TRUE(l.table.Wczytaj(target)) << row.name;
        EXPECT_EQ(l.table.Get_Nazwa(0), u8"\u017B\u00F3\u0142w") << row.name;
        EXPECT_EQ(testsupport::listFolder(folder), std::vector<std::string>{row.file}) << row.name;
    }
}

TEST(QelBazaTest, FileExists) {
    TempFolder folder;
    const std::string file = folder / u8"\u017C\u00F3\u0142w.bin";
    putOnDisk(file, {1});
    EXPECT_TRUE(Qel_Baza::File_Exists(file));
    EXPECT_TRUE(Qel_Baza::File_Exists(folder.path().u8string()));
    EXPECT_FALSE(Qel_Baza::File_Exists(folder / "absent.bin"));
    EXPECT_FALSE(Qel_Baza::File_Exists(""));
}

// What a failed Wczytaj after a good load leaves behind.
TEST(QelBazaTest, FailedLoadsLeaveTheRightState) {
    enum class Kind { Missing, Bytes, Folder };
    const Bytes good = testfiles::file(threeBoots());
    testfiles::HeaderFields badFixed8;
    badFixed8.Fixed_8 = 9;
    testfiles::HeaderFields huge;
    huge.Data_Length = INT_MAX;
    Bytes hugeFile = testfiles::header(huge);
    hugeFile.resize(100, 0);
    Bytes badHeader = testfiles::header(badFixed8);
    const Bytes rec = testfiles::record(RawRecord{});
    badHeader.insert(badHeader.end(), rec.begin(), rec.end());

    struct Row {
        const char* name;
        Kind kind;
        Bytes bytes;
        int count;      // Count after the failed load
        bool saveWorks; // a following Zapisz() to Path succeeds
    };
    const std::vector<Row> rows = {
        {"missing path", Kind::Missing, {}, 3, true},
        {"rejected header", Kind::Bytes, badHeader, 0, false},
        {"truncated record", Kind::Bytes, Bytes(good.begin(), good.end() - 1), 0, false},
        {"ends inside the header", Kind::Bytes, Bytes(good.begin(), good.begin() + 20), 0, false},
        {"empty file", Kind::Bytes, {}, 0, false},
        {"2 GB declared in 100 bytes", Kind::Bytes, hugeFile, 0, false},
        {"a folder", Kind::Folder, {}, 0, false},
    };
    for (const Row& row : rows) {
        Loaded l(good);
        const std::string second = l.folder / "second.bin";
        if (row.kind == Kind::Bytes)
            putOnDisk(second, row.bytes);
        else if (row.kind == Kind::Folder)
            fs::create_directory(fs::u8path(second));
        alloc_tracker::reset();
        EXPECT_FALSE(l.table.Wczytaj(second)) << row.name;
        EXPECT_LT(alloc_tracker::largest(), 1u << 20) << row.name;
        EXPECT_EQ(l.table.Path(), second) << row.name;
        EXPECT_EQ(l.table.Count(), row.count) << row.name;
        if (row.count == 0) {
            expectEmptyAccessors(l.table, row.name);
            EXPECT_EQ(l.table.Dodaj_Nowy(), 0) << row.name;
            EXPECT_FALSE(l.table.Zmien_Dane(0, "x", 1, 1, 1, 1, 1, 1)) << row.name;
        } else {
            EXPECT_EQ(l.table.Get_Nazwa(0), "Alpha") << row.name;
        }
        EXPECT_EQ(l.table.Zapisz(), row.saveWorks) << row.name;
        if (row.saveWorks) {
            EXPECT_EQ(onDisk(second), good) << row.name;
        } else if (row.kind == Kind::Bytes) {
            EXPECT_EQ(onDisk(second), row.bytes) << row.name;
        }
        // The first file is never touched by a failed load.
        EXPECT_EQ(onDisk(l.path), good) << row.name;
    }
}

TEST(QelBazaTest, LoadWithEmptyPathUsesPath) {
    Loaded l(testfiles::file(threeBoots()));
    Qel_Baza t;
    EXPECT_FALSE(t.Wczytaj());
    t.Path(l.path);
    EXPECT_TRUE(t.Wczytaj());
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t.Path(), l.path);
}

TEST(QelBazaTest, ReloadReplacesRecords) {
    Loaded l(testfiles::file(threeBoots()));
    const std::string other = l.folder / "one.bin";
    putOnDisk(other, testfiles::file({RawRecord{}}));
    EXPECT_TRUE(l.table.Wczytaj(other));
    EXPECT_EQ(l.table.Count(), 1);
}

// Saves that cannot complete must leave the earlier file byte for byte and no temporary file.
TEST(QelBazaTest, FailedSaveLeavesOldFileAndNoTempFile) {
    Loaded l(testfiles::fileWithIds({1, 2, 3}, 200)); // 15,232 bytes to write
    const Bytes old = testfiles::file(threeBoots());
    putOnDisk(l.path, old);

    // On POSIX the writes stop at 4 KB; -1: they could not be made to fail.
    EXPECT_EQ(testsupport::runWhileWritesFail({fs::u8path(l.path), 4096},
                                              [&] { return l.table.Zapisz() ? 1 : 0; }),
              0)
        << "Zapisz must return false when the write fails";
    EXPECT_EQ(onDisk(l.path), old);
    EXPECT_EQ(testsupport::listFolder(l.folder.path()), std::vector<std::string>{"boots.bin"});

    // Without the limit the same save works.
    EXPECT_TRUE(l.table.Zapisz());
    EXPECT_EQ(fs::file_size(fs::u8path(l.path)), 32u + 76u * 200);
}

TEST(QelBazaTest, SaveToUnwritablePlacesFails) {
    struct Row {
        const char* name;
        std::string target; // relative to the folder
    };
    const std::vector<Row> rows = {
        {"folder is a regular file", "boots.bin/inner.bin"},
        {"folder is missing", "absent/inner.bin"},
        {"target is a folder", "sub"},
    };
    for (const Row& row : rows) {
        Loaded l(testfiles::file(threeBoots()));
        fs::create_directory(l.folder.path() / "sub");
        putOnDisk(l.folder / "sub/keep", {42});
        EXPECT_FALSE(l.table.Zapisz(l.folder / row.target)) << row.name;
        EXPECT_EQ(onDisk(l.path), testfiles::file(threeBoots())) << row.name;
        EXPECT_EQ(testsupport::listFolder(l.folder.path()),
                  (std::vector<std::string>{"boots.bin", "sub"}))
            << row.name;
        EXPECT_EQ(testsupport::listFolder(l.folder.path() / "sub"),
                  std::vector<std::string>{"keep"})
            << row.name;
    }
}

TEST(QelBazaTest, ZastapStoresRecordsAsGiven) {
    // Values Zmien_Dane would clamp or cut, and more boots than the 8-bit index reaches.
    const std::vector<RawRecord> raw = [] {
        std::vector<RawRecord> r(300);
        r[0].name = std::string(64, 'N');
        r[0].grupa = 0;
        r[0].stats[0] = 0;
        r[0].stats[1] = 9;
        r[299].id = 255;
        return r;
    }();
    Loaded l(testfiles::file(threeBoots()));
    std::vector<boots::BootRecord> records;
    for (const RawRecord& r : raw)
        records.push_back(boots::decodeRecord(testfiles::record(r).data()));
    ASSERT_TRUE(l.table.replaceAll(records));
    EXPECT_EQ(l.table.Count(), 300);
    ASSERT_TRUE(l.table.Zapisz());
    EXPECT_EQ(onDisk(l.path), testfiles::file(raw));
}

TEST(QelBazaTest, ZastapRefusesWithoutChangingTheTable) {
    Loaded l(testfiles::file(threeBoots()));
    EXPECT_FALSE(l.table.replaceAll({}));
    EXPECT_EQ(l.table.Count(), 3);
    Qel_Baza notLoaded;
    EXPECT_FALSE(notLoaded.replaceAll(std::vector<boots::BootRecord>(1)));
    EXPECT_EQ(notLoaded.Count(), 0);
}

TEST(QelBazaTest, TakingBackChangesRestoresStoredValues) {
    using boots::BootRecord;
    // Values the editor would clamp, as a file may hold them.
    const BootRecord odd{99, 0, std::string(64, 'x'), 0, 9, 0, 200, 6};
    const auto records = [](const Qel_Baza& t) {
        std::vector<BootRecord> all;
        for (int i = 0; i < t.Count(); ++i)
            all.push_back(t.bootAt(static_cast<std::uint8_t>(i)));
        return all;
    };
    struct Row {
        const char* name;
        std::size_t boots; // 0: no table loaded
        std::function<bool(Qel_Baza&)> step;
        bool result;
        std::function<void(std::vector<BootRecord>&)> change; // of the table before the step
    };
    const auto none = [](std::vector<BootRecord>&) {};
    const std::vector<Row> rows = {
        {"set stores as given", 3, [&](Qel_Baza& t) { return t.setBoot(1, odd); }, true,
         [&](std::vector<BootRecord>& b) { b[1] = odd; }},
        {"set past the last boot", 3, [&](Qel_Baza& t) { return t.setBoot(3, odd); }, false, none},
        {"set without a table", 0, [&](Qel_Baza& t) { return t.setBoot(0, odd); }, false, none},
        {"remove the last boot", 3, [](Qel_Baza& t) { return t.removeLast(); }, true,
         [](std::vector<BootRecord>& b) { b.pop_back(); }},
        {"remove takes back an add", 3,
         [](Qel_Baza& t) { return t.Dodaj_Nowy() == 40 && t.removeLast(); }, true, none},
        {"remove keeps a single boot", 1, [](Qel_Baza& t) { return t.removeLast(); }, false, none},
        {"remove without a table", 0, [](Qel_Baza& t) { return t.removeLast(); }, false, none},
    };
    for (const Row& row : rows) {
        TempFolder folder;
        Qel_Baza t;
        if (row.boots > 0) {
            putOnDisk(folder / "b.bin", testfiles::fileWithIds({39}, row.boots));
            ASSERT_TRUE(t.Wczytaj(folder / "b.bin")) << row.name;
        }
        std::vector<BootRecord> expected = records(t);
        row.change(expected);
        EXPECT_EQ(row.step(t), row.result) << row.name;
        EXPECT_EQ(records(t), expected) << row.name;
    }
}
