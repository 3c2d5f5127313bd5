// korvane-table run as a program: the sample through CSV and back, by files and by the standard
// streams, what an import would change, its backup, patches between copies, and failures that
// leave every file as it was.
#include "failing_writes.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <filesystem>
#include <functional>

using namespace std::string_literals;
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kHeader =
    "position,id,group,name,shot_power,shot_accuracy,acceleration,top_speed,swerve\r\n";

Outcome runTable(const std::vector<std::string>& args, const std::string& input = {},
                 const fs::path& failWritesTo = {}) {
    return runProgram(KORVANE_TABLE_PATH, args, input, failWritesTo);
}

// What one zlib stream unpacks to, or a marker when it is not exactly one stream.
std::string unpacked(const std::string& stream) {
    std::string out(1 << 20, '\0');
    uLongf size = out.size();
    uLong used = stream.size();
    if (uncompress2(reinterpret_cast<Bytef*>(out.data()), &size,
                    reinterpret_cast<const Bytef*>(stream.data()), &used) != Z_OK ||
        used != stream.size())
        return "<not one zlib stream>";
    out.resize(size);
    return out;
}

// `text` with every "%/" standing for the folder.
std::string inFolder(std::string text, const fs::path& folder) {
    for (std::size_t at; (at = text.find("%/")) != std::string::npos;)
        text.replace(at, 2, u8(folder) + "/");
    return text;
}

class KorvaneTable : public ToolTest {};

TEST_F(KorvaneTable, SampleRoundTripsThroughFilesAndStandardStreams) {
    const std::string packed = readFile(SAMPLE_PATH);
    const std::string table = unpacked(packed);
    const std::string bin = (dir_ / "boots.bin").string();
    const std::string plainBin = (dir_ / "plain.bin").string();
    const std::string csv = u8(dir_ / fs::u8path("buty Łódź.csv"));
    writeFile(bin, packed);
    writeFile(plainBin, table);

    const Outcome exported = runTable({"export", bin, csv});
    EXPECT_EQ(exported.exitCode, 0);
    EXPECT_EQ(exported.out + exported.err, "");
    const Outcome toStdout = runTable({"export", plainBin});
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out, readFile(fs::u8path(csv))) << "an unpacked table gives the same CSV";

    const std::string fromFile = u8(dir_ / fs::u8path("z pliku Żółć.bin"));
    const std::string fromStdin = (dir_ / "from stdin.bin").string();
    const Outcome imported = runTable({"import", csv, fromFile});
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_EQ(imported.out + imported.err, "");
    EXPECT_EQ(runTable({"import", "-", fromStdin}, toStdout.out).exitCode, 0);
    EXPECT_EQ(unpacked(readFile(fs::u8path(fromFile))), table);
    EXPECT_EQ(unpacked(readFile(fromStdin)), table);
    EXPECT_EQ(runTable({"check", fromFile}).out, "40 boots\n");
}

TEST_F(KorvaneTable, ImportsASpreadsheetSavedWithSemicolons) {
    const std::string packed = readFile(SAMPLE_PATH);
    const std::string bin = (dir_ / "boots.bin").string();
    writeFile(bin, packed);
    std::string csv = runTable({"export", bin}).out;
    ASSERT_EQ(csv.find(';'), std::string::npos);
    for (char& c : csv)
        c = c == ',' ? ';' : c;
    const std::string row = "\r\n2;3;3;B\xC5\x82yskawica;2;";
    ASSERT_NE(csv.find(row), std::string::npos);
    csv.replace(csv.find(row) + row.size() - 2, 1, "5"); // shot power of position 2

    ASSERT_EQ(runTable({"import", "-", bin}, csv).exitCode, 0);
    std::string expected = unpacked(packed);
    expected[32 + 76 * 2 + 68] = 5;
    EXPECT_EQ(unpacked(readFile(bin)), expected);
}

// "-" for either file, and --dry-run: the answer on standard output, no file written.
TEST_F(KorvaneTable, StandardStreamsAndDryRunWriteNoFile) {
    const std::string sample = readFile(SAMPLE_PATH);
    writeFile(dir_ / "boots.bin", sample);
    const std::string csv = runTable({"export", "-"}, sample).out;
    std::string edited = csv;
    edited.replace(edited.find("Vortex Strike"), 13, "007");
    edited.replace(edited.find("\r\n2,3,3,B\xC5\x82yskawica,2,") + 20, 1, "5");
    edited += "40,41,1,=A,1,1,1,1,1\r\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        std::string out; // for a packed output, what it unpacks to
        bool packed = false;
    } rows[] = {
        {"check_standard_input", {"check", "-"}, sample, "40 boots\n"},
        {"export_from_standard_input", {"export", "-", "-"}, sample, csv},
        {"import_to_standard_output", {"import", "-", "-"}, csv, unpacked(sample), true},
        {"dry_run",
         {"import", "--dry-run", "-", "%/boots.bin"},
         edited,
         "2 boots change, 1 added, 0 removed; nothing written (dry run)\n"
         "position 0 (ID 1), name: \"Vortex Strike\" -> \"007\"\n"
         "position 2 (ID 3), shot_power: 2 -> 5\n"
         "position 40 (ID 41): added \"=A\"\n"},
        {"dry_run_equal",
         {"import", "--dry-run", "-", "%/boots.bin"},
         csv,
         "0 boots change, 0 added, 0 removed; nothing written (dry run)\n"},
        {"dry_run_new_file_encoding_named",
         {"import", "--dry-run", "--encoding", "windows-1250", "-", "%/new.bin"},
         kHeader + "0,1,1,\xC5\x81,1,2,3,4,5\r\n",
         "0 boots change, 1 added, 0 removed; nothing written (dry run)\n"
         "position 0 (ID 1): added \"\xC4\xB9\xC2\x81\"\n"},
    };
    const auto before = snapshot(dir_);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> args;
        for (const std::string& arg : row.args)
            args.push_back(inFolder(arg, dir_));
        const Outcome outcome = runTable(args, row.input);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(row.packed ? unpacked(outcome.out) : outcome.out, row.out);
        EXPECT_EQ(snapshot(dir_), before);
    }
}

// Every command keeps the file it first replaces as FILE.bak, and never overwrites that backup.
TEST_F(KorvaneTable, CommandsKeepTheFirstBackup) {
    const std::string sample = readFile(SAMPLE_PATH);
    const fs::path bin = dir_ / fs::u8path("buty Łódź.bin");
    const fs::path backup = dir_ / fs::u8path("buty Łódź.bin.bak");
    writeFile(bin, sample);
    const std::string one = kHeader + "0,1,1,A,1,2,3,4,5\r\n";
    const std::string two = kHeader + "0,1,1,B,1,2,3,4,5\r\n";

    ASSERT_EQ(runTable({"import", "-", u8(bin)}, one).exitCode, 0);
    EXPECT_EQ(readFile(backup), sample);
    ASSERT_EQ(runTable({"import", "-", u8(bin)}, two).exitCode, 0);
    EXPECT_EQ(readFile(backup), sample);
    EXPECT_EQ(runTable({"export", u8(bin)}).out, "\xEF\xBB\xBF" + two);

    ASSERT_EQ(runTable({"import", "-", u8(dir_ / "new.bin")}, one).exitCode, 0);
    EXPECT_FALSE(fs::exists(dir_ / "new.bin.bak")) << "no backup of a file that was not there";

    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"export", u8(bin), u8(dir_ / "out.csv")},
          {"diff", u8(bin), u8(dir_ / "new.bin"), "-o", u8(dir_ / "out.csv")}}) {
        SCOPED_TRACE(command[0]);
        fs::remove(dir_ / "out.csv.bak");
        writeFile(dir_ / "out.csv", "earlier");
        ASSERT_EQ(runTable(command).exitCode, 0);
        EXPECT_EQ(readFile(dir_ / "out.csv.bak"), "earlier");
    }
}

// What a file holds that no field stands for comes back as it was through import and apply: the
// bytes of a record no field stands for, what follows a name's NUL and the bytes after the table.
TEST_F(KorvaneTable, ImportAndApplyChangeOnlyWhatTheyChange) {
    std::string table = unpacked(readFile(SAMPLE_PATH));
    table[32 + 66] = 7;                         // Fixed_3 of the first boot
    table[32 + 76 + 75] = '\x42';               // Zero_Word of the second
    table.replace(32 + 76 * 2 + 10, 2, "\0t"s); // a tail after the third one's name
    const std::string original = table + std::string(104, '\xA5');
    const fs::path bin = dir_ / "boots.bin";
    writeFile(bin, compressed(original));
    EXPECT_EQ(runTable({"check", u8(bin)}).out,
              "40 boots; 104 bytes follow them, kept as they are\n");

    std::string csv = runTable({"export", u8(bin)}).out;
    csv.replace(csv.find("\r\n1,2,") + 6, 1, "9"); // the second boot's group
    ASSERT_EQ(runTable({"import", "-", u8(bin)}, csv).exitCode, 0);
    std::string expected = original;
    expected[32 + 76 + 65] = 9;
    EXPECT_EQ(unpacked(readFile(bin)), expected);

    writeFile(dir_ / "x.patch", "position,id,column,before,after\n39,40,swerve,"s +
                                    std::to_string(int(expected[32 + 76 * 39 + 72])) + ",1\n");
    ASSERT_EQ(runTable({"apply", u8(dir_ / "x.patch"), u8(bin)}).exitCode, 0);
    expected[32 + 76 * 39 + 72] = 1;
    EXPECT_EQ(unpacked(readFile(bin)), expected);
}

// Two modders change different boots of the same original and exchange patches: both end with
// both changes, a patch applied twice changes nothing, and --dry-run and -o write nothing else.
TEST_F(KorvaneTable, PatchesCarryChangesBetweenCopies) {
    const auto path = [this](const char* name) { return u8(dir_ / fs::u8path(name)); };
    writeFile(fs::u8path(path("original.bin")), readFile(SAMPLE_PATH));
    const std::string csv = runTable({"export", path("original.bin")}).out;
    std::string csvA = csv;
    csvA.replace(csvA.find("Vortex Strike"), 13, "Vortex Strike II");
    std::string csvB = csv;
    csvB.replace(csvB.find("\r\n2,3,3,B\xC5\x82yskawica,2,") + 20, 1, "5");
    csvB += "40,41,1,New,1,1,1,1,1\r\n";
    ASSERT_EQ(runTable({"import", "-", path("modder Ą.bin")}, csvA).exitCode, 0);
    ASSERT_EQ(runTable({"import", "-", path("b.bin")}, csvB).exitCode, 0);

    const std::string patchA = "\xEF\xBB\xBFposition,id,column,before,after\r\n"
                               "0,1,name,Vortex Strike,Vortex Strike II\r\n";
    const Outcome diffA = runTable({"diff", path("original.bin"), path("modder Ą.bin")});
    EXPECT_EQ(diffA.exitCode, 0);
    EXPECT_EQ(diffA.err, "");
    EXPECT_EQ(diffA.out, patchA);
    writeFile(dir_ / "a.patch", diffA.out);
    const Outcome diffB =
        runTable({"diff", path("original.bin"), path("b.bin"), "-o", path("b.patch")});
    EXPECT_EQ(diffB.exitCode, 0);
    EXPECT_EQ(diffB.out + diffB.err, "");
    EXPECT_EQ(readFile(dir_ / "b.patch"),
              "\xEF\xBB\xBFposition,id,column,before,after\r\n2,3,shot_power,2,5\r\n"
              "40,41,id,,41\r\n40,41,group,,1\r\n40,41,name,,New\r\n40,41,shot_power,,1\r\n"
              "40,41,shot_accuracy,,1\r\n40,41,acceleration,,1\r\n40,41,top_speed,,1\r\n"
              "40,41,swerve,,1\r\n");
    EXPECT_EQ(runTable({"diff", path("original.bin"), "-"}, readFile(SAMPLE_PATH)).out,
              "\xEF\xBB\xBFposition,id,column,before,after\r\n");

    const std::string oldB = readFile(dir_ / "b.bin");
    const auto before = snapshot(dir_);
    const Outcome dryRun = runTable({"apply", "--dry-run", path("a.patch"), path("b.bin")});
    EXPECT_EQ(dryRun.exitCode, 0);
    EXPECT_EQ(dryRun.out, "1 boot changes, 0 added, 0 removed; nothing written (dry run)\n"
                          "position 0 (ID 1), name: \"Vortex Strike\" -> \"Vortex Strike II\"\n");
    EXPECT_EQ(snapshot(dir_), before);

    const Outcome applyA = runTable({"apply", path("a.patch"), path("b.bin")});
    EXPECT_EQ(applyA.exitCode, 0);
    EXPECT_EQ(applyA.out + applyA.err, "");
    EXPECT_EQ(readFile(dir_ / "b.bin.bak"), oldB);
    EXPECT_EQ(runTable({"apply", "-", path("modder Ą.bin")}, readFile(dir_ / "b.patch")).exitCode,
              0);
    std::string both = csvB;
    both.replace(both.find("Vortex Strike"), 13, "Vortex Strike II");
    EXPECT_EQ(runTable({"export", path("b.bin")}).out, both);
    EXPECT_EQ(runTable({"export", path("modder Ą.bin")}).out, both);

    const auto applied = snapshot(dir_);
    const Outcome again = runTable({"apply", path("a.patch"), path("b.bin")});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out + again.err, "");
    EXPECT_EQ(snapshot(dir_), applied) << "applied twice, the second time writes nothing";

    EXPECT_EQ(
        runTable({"apply", path("a.patch"), path("original.bin"), "-o", path("out.bin")}).exitCode,
        0);
    EXPECT_EQ(readFile(dir_ / "original.bin"), readFile(SAMPLE_PATH));
    EXPECT_EQ(runTable({"export", path("out.bin")}).out, csvA);
}

TEST_F(KorvaneTable, FailuresLeaveEveryFileAsItWas) {
    const std::string sample = readFile(SAMPLE_PATH);
    const std::string table = unpacked(sample);
    const std::string good = kHeader + "0,1,1,A,1,2,3,4,5\r\n";
    const auto withSample = [&](const fs::path& f) {
        writeFile(f / "boots.bin", sample);
        writeFile(f / "good.csv", good);
    };
    const struct {
        const char* name;
        std::function<void(const fs::path&)> setUp;
        std::vector<std::string> args;
        std::string input;
        const char* failWrites; // the file whose writing fails, or null
        std::string message;
    } rows[] = {
        {"value_out_of_range",
         [&](const fs::path& f) {
             withSample(f);
             writeFile(f / "in.csv", good + "1,2,300,B,1,2,3,4,5\r\n");
         },
         {"import", "%/in.csv", "%/boots.bin"},
         "",
         nullptr,
         "%/in.csv: line 3, column group: 300 is outside 0 to 255"},
        {"invalid_utf8_on_standard_input",
         withSample,
         {"import", "-", "%/boots.bin"},
         "\xEF\xBB\xBF" + kHeader + "0,1,1,\xC5,1,2,3,4,5\r\n",
         nullptr,
         "standard input: line 2, column name: not valid UTF-8"},
        {"invalid_utf8_named_encoding",
         withSample,
         {"import", "--encoding", "utf-8", "-", "%/boots.bin"},
         kHeader + "0,1,1,\xC5,1,2,3,4,5\r\n",
         nullptr,
         "standard input: line 2, column name: not valid UTF-8"},
        {"read_only_target",
         [&](const fs::path& f) {
             withSample(f);
             fs::permissions(f / "boots.bin",
                             fs::perms::owner_write | fs::perms::group_write |
                                 fs::perms::others_write,
                             fs::perm_options::remove);
         },
         {"import", "%/good.csv", "%/boots.bin"},
         "",
         nullptr,
         "%/boots.bin: cannot replace it: the file is read-only"},
        {"csv_missing",
         withSample,
         {"import", "%/missing.csv", "%/boots.bin"},
         "",
         nullptr,
         "%/missing.csv: cannot open: No such file or directory"},
        {"target_folder_missing",
         withSample,
         {"import", "%/good.csv", "%/none/boots.bin"},
         "",
         nullptr,
         "%/none/boots.bin: cannot create a file beside it: No such file or directory"},
        {"target_is_a_folder",
         [&](const fs::path& f) {
             writeFile(f / "good.csv", good);
             fs::create_directory(f / "boots.bin");
             writeFile(f / "boots.bin" / "inside", "kept");
         },
         {"import", "%/good.csv", "%/boots.bin"},
         "",
         nullptr,
         std::string("%/boots.bin: cannot replace it: ") +
             onWindows("Permission denied", "Is a directory")},
        {"import_write_fails",
         withSample,
         {"import", "%/good.csv", "%/boots.bin"},
         "",
         "boots.bin",
         std::string("%/boots.bin: ") + // held open on Windows: the backup is the first to fail
             onWindows("cannot keep a backup in %/boots.bin.bak: Permission denied",
                       "write error: File too large")},
        {"export_write_fails",
         [&](const fs::path& f) {
             withSample(f);
             writeFile(f / "out.csv", "an earlier export");
         },
         {"export", "%/boots.bin", "%/out.csv"},
         "",
         "out.csv",
         std::string("%/out.csv: ") + // held open on Windows: the backup is the first to fail
             onWindows("cannot keep a backup in %/out.csv.bak: Permission denied",
                       "write error: File too large")},
        {"neither_packed_nor_a_table",
         [](const fs::path& f) { writeFile(f / "x.bin", "hello"); },
         {"export", "%/x.bin"},
         "",
         nullptr,
         "%/x.bin: not a boots table: neither a boots data file nor one packed by zlib"},
        {"packed_text",
         [](const fs::path& f) { writeFile(f / "x.bin", compressed("hello")); },
         {"check", "%/x.bin"},
         "",
         nullptr,
         "%/x.bin: not a boots table: it ends inside its header"},
        {"packed_bad_header",
         [](const fs::path& f) { writeFile(f / "x.bin", compressed(std::string(100, 'x'))); },
         {"export", "%/x.bin"},
         "",
         nullptr,
         "%/x.bin: not a boots table: its header is not that of a boots data file"},
        {"packed_table_cut_short",
         [&](const fs::path& f) {
             writeFile(f / "x.bin", compressed(table.substr(0, table.size() - 1)));
         },
         {"export", "%/x.bin"},
         "",
         nullptr,
         "%/x.bin: the table ends after 39 of its 40 boots"},
        {"unpacked_table_cut_short",
         [&](const fs::path& f) { writeFile(f / "x.bin", table.substr(0, 32 + 76 * 3 + 10)); },
         {"check", "%/x.bin"},
         "",
         nullptr,
         "%/x.bin: the table ends after 3 of its 40 boots"},
        {"apply_clash",
         [&](const fs::path& f) {
             withSample(f);
             writeFile(f / "x.patch", "position,id,column,before,after\n"
                                      "0,1,name,Nope,X\n0,1,swerve,2,1\n7,9,group,1,2\n");
         },
         {"apply", "%/x.patch", "%/boots.bin", "-o", "%/out.bin"},
         "",
         nullptr,
         "%/boots.bin: 2 clashes with the patch; nothing written\n"
         "position 0 (ID 1), column name: the patch expects \"Nope\", the file has \"Vortex "
         "Strike\"\n"
         "position 7 (ID 9), column id: the patch expects 9, the file has 8"},
        {"apply_malformed_patch",
         [&](const fs::path& f) {
             withSample(f);
             writeFile(f / "x.patch", "position;id;column;before;after\r\n0;1;colour;A;B\r\n");
         },
         {"apply", "%/x.patch", "%/boots.bin"},
         "",
         nullptr,
         "%/x.patch: line 2, column column: \"colour\" is not the name of a boot's column"},
        {"apply_to_read_only",
         [&](const fs::path& f) {
             withSample(f);
             writeFile(f / "x.patch", "position,id,column,before,after\n0,1,group,1,2\n");
             fs::permissions(f / "boots.bin",
                             fs::perms::owner_write | fs::perms::group_write |
                                 fs::perms::others_write,
                             fs::perm_options::remove);
         },
         {"apply", "%/x.patch", "%/boots.bin"},
         "",
         nullptr,
         "%/boots.bin: cannot replace it: the file is read-only"},
        {"diff_table_missing",
         withSample,
         {"diff", "%/boots.bin", "%/missing.bin", "-o", "%/x.patch"},
         "",
         nullptr,
         "%/missing.bin: cannot open: No such file or directory"},
        {"truncated_stream",
         [&](const fs::path& f) { writeFile(f / "x.bin", sample.substr(0, sample.size() / 2)); },
         {"export", "%/x.bin"},
         "",
         nullptr,
         "%/x.bin: the compressed data is truncated"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = rowFolder(row.name);
        row.setUp(folder);
        const auto before = snapshot(folder);
        std::vector<std::string> args;
        for (const std::string& arg : row.args)
            args.push_back(inFolder(arg, folder));

        const Outcome outcome =
            runTable(args, row.input, row.failWrites ? folder / row.failWrites : fs::path());
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err, "korvane-table: " + inFolder(row.message, folder) + "\n");
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(snapshot(folder), before);
    }
}

// A replace whose backup was made but whose rename then fails leaves the file as it was, and no
// new backup beside it.
TEST_F(KorvaneTable, AReplaceThatFailsAfterItsBackupLeavesNoBackup) {
    const std::string sample = readFile(SAMPLE_PATH);
    const std::string csv = runTable({"export", "-"}, sample).out;
    fs::permissions(dir_, fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add);
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* target;
    } rows[] = {
        {"import", {"import", "%/in.csv", "%/boots.bin"}, "boots.bin"},
        {"export", {"export", "%/boots.bin", "%/in.csv"}, "in.csv"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = rowFolder(row.name);
        writeFile(folder / "boots.bin", sample);
        writeFile(folder / "in.csv", csv);
        std::vector<std::string> args;
        for (const std::string& arg : row.args)
            args.push_back(inFolder(arg, folder));
        const auto before = snapshot(folder);
        const int exitCode = testsupport::runWhileReplacingFails(
            folder / row.target, [&args] { return runTable(args).exitCode; });
        if (exitCode == -1)
            GTEST_SKIP() << "a file that cannot be replaced needs root here";
        EXPECT_EQ(exitCode, 1);
        EXPECT_EQ(snapshot(folder), before);
    }
}

TEST_F(KorvaneTable, WrongArgumentsAreUsageErrors) {
    writeFile(dir_ / "boots.bin", readFile(SAMPLE_PATH));
    const std::string bin = (dir_ / "boots.bin").string();
    const std::string link = u8(dir_ / "link.bin"); // another name of boots.bin
    fs::create_hard_link(dir_ / "boots.bin", dir_ / "link.bin");
    writeFile(dir_ / "x.csv", "position,id,column,before,after\n");
    const std::string other = u8(dir_ / "x.csv");
    fs::create_directory(dir_ / "sub");
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string says = {}; // part of the message, where it matters
    } rows[] = {
        {"none", {}},
        {"unknown_command", {"list", bin}, "korvane-table: unknown command \"list\""},
        {"unknown_encoding", {"import", "--encoding", "latin-2", bin, bin}},
        {"export_without_a_table", {"export"}},
        {"import_with_one_file", {"import", bin}},
        {"check_with_two_files", {"check", bin, bin}},
        {"diff_with_one_table", {"diff", bin}},
        {"apply_without_a_target", {"apply", bin}},
        {"unknown_option", {"export", "--quiet", bin}},
        // No output may be a file the command reads, by whatever path.
        {"export_over_its_table", {"export", bin, bin}, "is the same file as"},
        {"export_over_a_link", {"export", bin, link}, "is the same file as"},
        {"import_over_its_csv",
         {"import", other, u8(dir_ / "sub" / ".." / "x.csv")},
         "is the same"},
        {"diff_over_its_base", {"diff", bin, other, "-o", link}, "is the same file as"},
        {"apply_over_its_patch", {"apply", other, u8(dir_ / "x.csv")}, "is the same file as"},
        {"apply_out_over_its_target", {"apply", other, bin, "-o", link}, "is the same file as"},
    };
    const auto before = snapshot(dir_);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = runTable(row.args);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_NE(outcome.err, "");
        EXPECT_NE(outcome.err.find(row.says), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(snapshot(dir_), before);
    }
}

TEST_F(KorvaneTable, HelpAndVersion) {
    const Outcome help = runTable({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* word : {"export", "import", "check", "diff", "apply", "packed", "Exit codes"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    const Outcome version = runTable({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "korvane-table " KORVANE_VERSION "\n");
}

} // namespace
