// zlibtool run as a program: round trips, damaged streams, I/O faults, arguments and file names.
// Every failure must leave the folder exactly as it was.
#include "tool_run.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runs the tool with exactly these arguments; writing `failWritesTo` fails meanwhile.
Outcome runTool(const std::vector<std::string>& args, const fs::path& failWritesTo = {}) {
    return runProgram(ZLIBTOOL_PATH, args, {}, failWritesTo);
}

std::vector<std::string> names(const fs::path& folder) {
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(folder))
        result.push_back(u8(entry.path().filename()));
    std::sort(result.begin(), result.end());
    return result;
}

std::string randomBytes(std::size_t size) {
    std::mt19937 generator(20240601);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator());
    return bytes;
}

std::string repeatedText(std::size_t size) {
    const std::string phrase = "Vortex Strike;Gale Runner;Błyskawica;";
    std::string text;
    while (text.size() < size)
        text += phrase;
    text.resize(size);
    return text;
}

// An uncompressed zlib stream of exactly `size` bytes.
std::string storedStreamOfSize(std::size_t size) {
    for (std::size_t n = size;; --n) {
        const std::string stream = compressed(repeatedText(n), 0);
        if (stream.size() == size)
            return stream;
    }
}

class ZlibTool : public ToolTest {};

TEST_F(ZlibTool, PacksIntoOneStreamAndUnpacksItBack) {
    const struct {
        const char* name;
        std::string data;
    } rows[] = {
        {"empty", ""},
        {"one_byte", "x"},
        {"small", repeatedText(1000)},
        {"exactly_one_chunk", repeatedText(1 << 16)},
        {"incompressible_3MB", randomBytes(3 << 20)},
        {"compressible_5MB", repeatedText(5 << 20)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = rowFolder(row.name);
        const fs::path in = folder / "boots.bin";
        writeFile(in, row.data);
        writeFile(folder / "boots.bin.zlib", "left by an earlier save");

        EXPECT_EQ(runTool({u8(in)}).exitCode, 0);
        const std::string packed = readFile(folder / "boots.bin.zlib");
        std::string plain(row.data.size(), '\0');
        uLongf plainSize = plain.size();
        uLong packedSize = packed.size();
        ASSERT_EQ(uncompress2(reinterpret_cast<Bytef*>(plain.data()), &plainSize,
                              reinterpret_cast<const Bytef*>(packed.data()), &packedSize),
                  Z_OK);
        EXPECT_EQ(packedSize, packed.size()) << "bytes after the stream";
        EXPECT_TRUE(plain == row.data);

        const Outcome unpacked = runTool({u8(folder / "boots.bin.zlib"), "-d"});
        EXPECT_EQ(unpacked.exitCode, 0);
        EXPECT_EQ(unpacked.out + unpacked.err, "") << "silent on success";
        EXPECT_TRUE(readFile(folder / "boots.bin.zlib.unzlib") == row.data);
        EXPECT_EQ(names(folder), (std::vector<std::string>{"boots.bin", "boots.bin.zlib",
                                                           "boots.bin.zlib.unzlib"}));
    }
}

TEST_F(ZlibTool, UnpacksStreamsOfEveryCompressionLevel) {
    const std::string data = repeatedText(200000) + randomBytes(100000);
    const struct {
        const char* name;
        int level;
    } rows[] = {{"stored", 0}, {"fastest", 1}, {"best", 9}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path in = rowFolder(row.name) / "game.bin";
        writeFile(in, compressed(data, row.level));
        EXPECT_EQ(runTool({u8(in), "-d"}).exitCode, 0);
        EXPECT_TRUE(readFile(fs::u8path(u8(in) + ".unzlib")) == data);
    }
}

TEST_F(ZlibTool, RefusesDamagedStreams) {
    const std::string good = compressed(repeatedText(150000) + randomBytes(150000));
    const auto withByte = [&](std::size_t at, char value) {
        std::string bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::string truncated = "the compressed data is truncated";
    const std::string corrupt = "the compressed data is corrupt or fails its checksum";
    const std::string trailing = "bytes follow the end of the compressed data";
    const struct {
        const char* name;
        std::string bytes;
        const std::string& message;
    } rows[] = {
        {"empty_file", "", truncated},
        {"header_only", good.substr(0, 2), truncated},
        {"cut_in_the_middle", good.substr(0, good.size() / 2), truncated},
        {"checksum_cut_short", good.substr(0, good.size() - 1), truncated},
        {"bad_checksum", withByte(good.size() - 1, static_cast<char>(good.back() ^ 1)), corrupt},
        {"corrupt_data", withByte(good.size() / 3, static_cast<char>(good[good.size() / 3] ^ 0x40)),
         corrupt},
        {"bad_header", withByte(0, 0), corrupt},
        {"preset_dictionary", std::string("\x78\xbb\0\0\0\1", 6) + good.substr(2), corrupt},
        {"not_compressed", repeatedText(500), corrupt},
        {"one_trailing_byte", good + '\0', trailing},
        {"a_second_stream", good + compressed("x"), trailing},
        {"trailing_byte_after_a_chunk_sized_stream", storedStreamOfSize(1 << 16) + 'x', trailing},
    };
    for (const auto& row : rows) {
        for (const bool earlierOutput : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (earlierOutput ? " over an earlier output" : ""));
            const fs::path folder = rowFolder(row.name);
            const fs::path in = folder / "boots.bin";
            writeFile(in, row.bytes);
            if (earlierOutput)
                writeFile(folder / "boots.bin.unzlib", "unpacked by an earlier open");
            const auto before = snapshot(folder);

            const Outcome outcome = runTool({u8(in), "-d"});
            EXPECT_EQ(outcome.exitCode, 3); // the input, not a file, is at fault
            EXPECT_EQ(outcome.err, "zlibtool: " + u8(in) + ": " + row.message + "\n");
            EXPECT_EQ(outcome.out, "");
            EXPECT_EQ(snapshot(folder), before);
        }
    }
}

// Where the system's own wording of an error differs, the tool passes it on as it is.
TEST_F(ZlibTool, ReportsInputAndOutputFaults) {
    const std::string big = randomBytes(1 << 20);
    const std::string longName(250, 'b');
    const struct {
        const char* name;
        std::function<void(const fs::path&)> setUp;
        std::string input;
        bool unpack;
        bool failWrites; // writing the reported file fails (runTool)
        std::string reportedFile;
        const char* message;
    } rows[] = {
        {"pack_missing_file", [](const fs::path&) {}, "missing.bin", false, false, "missing.bin",
         "cannot open: No such file or directory"},
        {"unpack_missing_file", [](const fs::path&) {}, "missing.bin", true, false, "missing.bin",
         "cannot open: No such file or directory"},
        {"folder_is_a_regular_file", [](const fs::path& f) { writeFile(f / "file", "x"); },
         "file/boots.bin", false, false, "file/boots.bin",
         onWindows("cannot open: No such file or directory", "cannot open: Not a directory")},
        {"input_is_a_folder", [](const fs::path& f) { fs::create_directory(f / "boots.bin"); },
         "boots.bin", false, false, "boots.bin",
         onWindows("cannot open: Permission denied", "read error: Is a directory")},
        {"output_name_is_a_folder",
         [&](const fs::path& f) {
             writeFile(f / "boots.bin", big);
             fs::create_directory(f / "boots.bin.zlib");
             writeFile(f / "boots.bin.zlib" / "inside", "kept");
         },
         "boots.bin", false, false, "boots.bin.zlib",
         onWindows("write error: Permission denied", "write error: Is a directory")},
        {"output_name_too_long",
         [&](const fs::path& f) { writeFile(f / longName, compressed("boots")); }, longName, true,
         false, longName + ".unzlib",
         onWindows("write error: No such file or directory", "write error: File name too long")},
        {"write_fails_while_packing",
         [&](const fs::path& f) {
             writeFile(f / "boots.bin", big);
             writeFile(f / "boots.bin.zlib", "packed by an earlier save");
         },
         "boots.bin", false, true, "boots.bin.zlib",
         onWindows("write error: Permission denied", "write error: File too large")},
        {"write_fails_while_unpacking",
         [&](const fs::path& f) {
             writeFile(f / "boots.bin", compressed(repeatedText(1 << 20)));
             writeFile(f / "boots.bin.unzlib", "unpacked by an earlier open");
         },
         "boots.bin", true, true, "boots.bin.unzlib",
         onWindows("write error: Permission denied", "write error: File too large")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = rowFolder(row.name);
        row.setUp(folder);
        const auto before = snapshot(folder);
        std::vector<std::string> args{u8(folder / row.input)};
        if (row.unpack)
            args.push_back("-d");

        const Outcome outcome =
            runTool(args, row.failWrites ? folder / row.reportedFile : fs::path());
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err,
                  "zlibtool: " + u8(folder / row.reportedFile) + ": " + row.message + "\n");
        EXPECT_EQ(snapshot(folder), before);
    }
}

TEST_F(ZlibTool, OtherArgumentsGetTheUsageLine) {
    const std::string in = u8(dir_ / "boots.bin");
    writeFile(fs::u8path(in), "data");
    const struct {
        const char* name;
        std::vector<std::string> args;
    } rows[] = {
        {"none", {}},
        {"three", {in, "-d", "-d"}},
        {"unknown_switch", {in, "-x"}},
        {"upper_case_switch", {in, "-D"}},
        {"empty_switch", {in, ""}},
        {"switch_first", {"-d", in}},
    };
    const auto before = snapshot(dir_);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = runTool(row.args);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.err.rfind("usage: zlibtool PATH [-d]", 0), 0u) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(snapshot(dir_), before);
    }
}

TEST_F(ZlibTool, HelpGetsTheUsageLine) {
    for (const char* ask : {"--help", "-h", "/?"}) {
        SCOPED_TRACE(ask);
        const Outcome outcome = runTool({ask});
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_EQ(outcome.out.rfind("usage: zlibtool PATH [-d]", 0), 0u) << outcome.out;
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(ZlibTool, TakesNamesExactlyAsGiven) {
    // Over Windows' classic limit of 260 characters in all, within 255 bytes a name on Linux.
    const std::string longName = "Łódź " + std::string(200, 'a') + ".bin";
    const struct {
        const char* name;
        std::string folder;
        std::string file;
    } rows[] = {
        {"blanks", "My Documents", "my boots file.bin"},
        {"double_quotes", "say \"hi\"", "boots \"2024\".bin"},
        {"polish_letters", "Żółć ąęś", "Błyskawica ŁÓDŹ.bin"},
        {"greek_and_cjk", "Παπούτσια", "靴 データ.bin"},
        {"leading_dash", "-d", "-d"},
        {"all_together", "Gra \"Piłka\" 2", " Śląsk \"buty\" .bin"},
        {"long_path", "Długa ścieżka", longName},
    };
    const std::string data = repeatedText(5000);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (kWindows && (row.folder + row.file).find('"') != std::string::npos)
            continue; // Windows file names cannot hold '"'
        const fs::path folder = rowFolder(row.name) / fs::u8path(row.folder);
        fs::create_directories(folder);
        const std::string in = u8(folder / fs::u8path(row.file));
        writeFile(fs::u8path(in), data);

        EXPECT_EQ(runTool({in}).exitCode, 0);
        EXPECT_EQ(runTool({in + ".zlib", "-d"}).exitCode, 0);
        EXPECT_TRUE(readFile(fs::u8path(in + ".zlib.unzlib")) == data);
        EXPECT_EQ(names(folder), (std::vector<std::string>{row.file, row.file + ".zlib",
                                                           row.file + ".zlib.unzlib"}));
    }
}

// The sample shipped beside the program unpacks to a boots data file of 40 boots.
TEST_F(ZlibTool, SampleUnpacksToFortyBoots) {
    const fs::path sample = dir_ / "boots.bin";
    fs::copy_file(SAMPLE_PATH, sample);
    ASSERT_EQ(runTool({u8(sample), "-d"}).exitCode, 0);
    const std::string table = readFile(fs::u8path(u8(sample) + ".unzlib"));

    const std::size_t count = 40;
    ASSERT_EQ(table.size(), 32 + 76 * count);
    EXPECT_EQ(table.substr(0, 32), std::string("\1\0\0\0\x08\0\0\0\x20\0\0\0\xe0\x0b\0\0"
                                               "\xf0\xff\xff\xff\0\0\0\0\0\0\0\0\0\0\0\0",
                                               32));
    for (std::size_t k = 0; k < count; ++k) {
        SCOPED_TRACE(k);
        const auto field = [&](std::size_t offset) {
            return static_cast<unsigned char>(table[32 + 76 * k + offset]);
        };
        EXPECT_EQ(field(64), k + 1) << "ID";
        EXPECT_GE(field(65), 1);
        EXPECT_LE(field(65), 4);
        for (std::size_t stat = 68; stat < 73; ++stat) {
            EXPECT_GE(field(stat), 1);
            EXPECT_LE(field(stat), 5);
        }
        EXPECT_NE(field(0), 0) << "named";
    }
}

} // namespace
