// korvane-table: the boots table of a .bin file as CSV for spreadsheet programs, and back.
//   korvane-table export BOOTS.bin [OUT.csv]   the table as CSV, to OUT.csv or standard output
//   korvane-table import IN.csv BOOTS.bin      BOOTS.bin replaced by the table of IN.csv
//   korvane-table check BOOTS.bin              the number of boots, or why it is not a table
//   korvane-table diff BASE CHANGED [-o PATCH] the patch from one table to another
//   korvane-table apply PATCH TARGET [-o OUT]  TARGET (or OUT) given the patch's changes
// "-" names standard input or output. Exit codes: 0 success, 1 bad input, a patch that clashes or
// an I/O failure (reported on standard error, every file left as it was), 2 wrong arguments.
#include "boots/boots_csv.h"
#include "boots/table_diff.h"
#include "boots/table_patch.h"
#include "fileops/file_ops.h"
#include "tablefile/table_file.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
const std::string kStandardStream = "-";

const std::map<std::string, boots::CsvEncoding> kEncodings = {
    {"utf-8", boots::CsvEncoding::Utf8},
    {"windows-1250", boots::CsvEncoding::Windows1250},
    {"utf-16", boots::CsvEncoding::Utf16}};

// Writes "korvane-table: NAME: WHAT" on standard error, and a line end unless `what` ends with
// one; returns the failure exit code.
int report(const std::string& name, const std::string& what) {
    const char* end = !what.empty() && what.back() == '\n' ? "" : "\n";
    fileops::writeText(stderr, "korvane-table: " + name + ": " + what + end);
    return kExitFailure;
}

std::string errnoText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// The name of `path` in messages: the path, or `stream` for "-".
std::string nameOf(const std::string& path, const char* stream) {
    return path == kStandardStream ? stream : path;
}

// The file at `path` opened for reading into `file`, or standard input for "-"; null, reported,
// when it cannot be opened.
std::FILE* openInput(const std::string& path, fileops::FilePtr& file) {
    if (path == kStandardStream)
        return stdin;
    file.reset(fileops::openFile(path, "rb"));
    if (!file)
        report(path, errnoText("cannot open"));
    return file.get();
}

// Reads the table of the .bin file at `path` (standard input for "-") into `table`; reports and
// returns false on failure.
bool loadTable(const std::string& path, tablefile::TableRead& table) {
    table = path == kStandardStream ? tablefile::readTable(stdin) : tablefile::readTableFile(path);
    if (!table.error.empty())
        report(nameOf(path, "standard input"), table.error);
    return table.error.empty();
}

// A value as the changes list shows it: names quoted, so that blanks and leading zeros show.
std::string shown(boots::BootField field, const std::string& text) {
    return field == boots::BootField::Nazwa ? "\"" + text + "\"" : text;
}

// Writes `text` to standard output: 0, or 1 reported when it cannot be written.
int writeOut(const std::string& text) {
    if (!fileops::writeText(stdout, text) || std::fflush(stdout) != 0)
        return report("standard output", errnoText("write error"));
    return 0;
}

std::string bootAt(std::size_t position, unsigned id) {
    return "position " + std::to_string(position) + " (ID " + std::to_string(id) + ")";
}

// The changes from `before` to `after`, one line each, on standard output.
int printChanges(const std::vector<boots::BootRecord>& before,
                 const std::vector<boots::BootRecord>& after) {
    const boots::TableChanges changes = boots::compareTables(before, after);
    std::string text = std::to_string(changes.changedBoots) +
                       (changes.changedBoots == 1 ? " boot changes, " : " boots change, ") +
                       std::to_string(changes.added.size()) + " added, " +
                       std::to_string(changes.removed.size()) +
                       " removed; nothing written (dry run)\n";
    for (const boots::FieldChange& c : changes.changed)
        text += bootAt(c.position, c.id) + ", " + std::string(boots::fieldName(c.field)) + ": " +
                shown(c.field, c.before) + " -> " + shown(c.field, c.after) + "\n";
    for (const boots::PositionedBoot& b : changes.added)
        text += bootAt(b.position, b.boot.ID) + ": added \"" + b.boot.Nazwa + "\"\n";
    for (const boots::PositionedBoot& b : changes.removed)
        text += bootAt(b.position, b.boot.ID) + ": removed \"" + b.boot.Nazwa + "\"\n";
    return writeOut(text);
}

// The changes an import of `records` over the table of `binPath` (none when it is missing or
// "-") makes, one line each, on standard output.
int printImport(const std::string& binPath, const std::vector<boots::BootRecord>& records) {
    tablefile::TableRead current;
    if (binPath != kStandardStream && fileops::exists(binPath) && !loadTable(binPath, current))
        return kExitFailure;
    return printChanges(current.records, records);
}

// Reads all of the file at `path` (standard input for "-") into `text`; reports and returns false
// on failure.
bool loadText(const std::string& path, std::string& text) {
    fileops::FilePtr file;
    std::FILE* in = openInput(path, file);
    if (!in)
        return false;
    if (!tablefile::readAll(in, text)) {
        report(nameOf(path, "standard input"), errnoText("read error"));
        return false;
    }
    return true;
}

// Writes the text that `encode` gives to the file at `path`, replaced safely, or to standard
// output for "-".
int writeEncoded(const std::string& path, const tablefile::TextEncoder& encode) {
    if (path != kStandardStream) {
        const std::string failure = tablefile::writeTextFile(path, encode);
        return failure.empty() ? 0 : report(path, failure);
    }
    // A console gets the text whole, as it shows text; a file or a pipe the bytes as they come.
    std::string whole;
    const bool console = fileops::isConsole(stdout);
    const bool written = encode([console, &whole](std::string_view piece) {
        if (!console)
            return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
        whole += piece;
        return true;
    });
    if (!written || (console && !fileops::writeText(stdout, whole)) || std::fflush(stdout) != 0)
        return report("standard output", errnoText("write error"));
    return 0;
}

// Writes `records` and `rest` packed to the file at `path`, replaced safely with a backup, or to
// standard output for "-".
int writePacked(const std::string& path, const std::vector<boots::BootRecord>& records,
                const boots::FileRest& rest) {
    const std::string failure = path == kStandardStream
                                    ? tablefile::writePackedTable(stdout, records, rest)
                                    : tablefile::writePackedTable(path, records, rest);
    return failure.empty() ? 0 : report(nameOf(path, "standard output"), failure);
}

// Exit 2, reported, when the output `out` is the file of one of `inputs` ("-" is no file):
// writing it would destroy what the command reads.
int refuseOverInput(const std::string& out, const std::vector<std::string>& inputs) {
    for (const std::string& in : inputs) {
        if (out != kStandardStream && in != kStandardStream && fileops::sameFile(out, in)) {
            report(out, "is the same file as " + in +
                            ", which this command reads; name another file to write");
            return kExitUsage;
        }
    }
    return 0;
}

int exportTable(const std::string& binPath, const std::string& csvPath) {
    tablefile::TableRead table;
    if (!loadTable(binPath, table))
        return kExitFailure;
    return writeEncoded(
        csvPath, [&table](const auto& write) { return boots::encodeCsv(table.records, write); });
}

int importTable(const std::string& csvPath, const std::string& binPath, boots::CsvEncoding encoding,
                bool dryRun) {
    std::string csv;
    if (!loadText(csvPath, csv))
        return kExitFailure;
    boots::CsvTable table = boots::decodeCsv(csv, encoding);
    if (table.error)
        return report(nameOf(csvPath, "standard input"), table.error->message());
    if (dryRun)
        return printImport(binPath, table.records);
    // The table replaced keeps what its file holds besides the fields: each boot's other bytes,
    // and what follows the boots.
    tablefile::TableRead current;
    if (binPath != kStandardStream && fileops::exists(binPath))
        current = tablefile::readTableFile(binPath);
    boots::keepUnmodelled(current.records, table.records);
    return writePacked(binPath, table.records, current.rest);
}

int checkTable(const std::string& binPath) {
    tablefile::TableRead table;
    if (!loadTable(binPath, table))
        return kExitFailure;
    std::string text = std::to_string(table.records.size()) + " boots";
    if (const std::size_t after = table.rest.trailer.size())
        text += "; " + std::to_string(after) + (after == 1 ? " byte follows" : " bytes follow") +
                " them, kept as they are";
    return writeOut(text + "\n");
}

int diffTables(const std::string& basePath, const std::string& changedPath,
               const std::string& patchPath) {
    tablefile::TableRead base;
    tablefile::TableRead changed;
    if (!loadTable(basePath, base) || !loadTable(changedPath, changed))
        return kExitFailure;
    const boots::TableChanges changes = boots::compareTables(base.records, changed.records);
    return writeEncoded(
        patchPath, [&changes](const auto& write) { return boots::encodePatch(changes, write); });
}

// Applies the patch at `patchPath` to the table at `targetPath` and writes the result to `outPath`
// (the target itself when empty). With a clash, lists every one and writes nothing; a target that
// the patch leaves as it is is not written again.
int patchTable(const std::string& patchPath, const std::string& targetPath, std::string outPath,
               boots::CsvEncoding encoding, bool dryRun) {
    std::string text;
    if (!loadText(patchPath, text))
        return kExitFailure;
    const boots::CsvPatch patch = boots::decodePatch(text, encoding);
    if (patch.error)
        return report(nameOf(patchPath, "standard input"), patch.error->message());
    tablefile::TableRead target;
    if (!loadTable(targetPath, target))
        return kExitFailure;
    const boots::PatchResult result = boots::applyPatch(target.records, patch.changes);
    if (!result.clashes.empty()) {
        const std::size_t count = result.clashes.size();
        std::string lines = std::to_string(count) + (count == 1 ? " clash" : " clashes") +
                            " with the patch; nothing written\n";
        for (const boots::PatchClash& clash : result.clashes)
            lines += clash.message() + "\n";
        return report(nameOf(targetPath, "standard input"), lines);
    }
    if (dryRun)
        return printChanges(target.records, result.records);
    if (outPath.empty()) {
        outPath = targetPath;
        if (result.records == target.records && outPath != kStandardStream)
            return 0; // nothing to do
    }
    return writePacked(outPath, result.records, target.rest);
}

// CLI11's answer to a parse error or a help request, written as the tool writes its messages.
int parseOutcome(const CLI::App& app, const CLI::ParseError& e) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = app.exit(e, out, err);
    fileops::writeText(stdout, out.str());
    fileops::writeText(stderr, err.str());
    return code == 0 ? 0 : kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write past the file-size limit then fails like any other write, and is cleaned up.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    fileops::binaryStdio();
    CLI::App app("Takes the boots table of a .bin file out as CSV for spreadsheet programs, and "
                 "puts it back; makes and applies patches of only what changed.",
                 "korvane-table");
    app.set_version_flag("--version", "korvane-table " KORVANE_VERSION);
    app.require_subcommand(1);
    app.footer(
        "BOOTS.bin may be packed as one zlib stream (as the game keeps it) or an unpacked boots "
        "data file; import always writes it packed, and keeps BOOTS.bin.bak of the file it first "
        "replaces. Export writes UTF-8 CSV: one header row, then one row per boot: "
        "position,id,group,name,shot_power,shot_accuracy,acceleration,top_speed,swerve; a name "
        "that a spreadsheet would take for a formula gets a ' in front, which import takes off. "
        "Import reads UTF-8, UTF-16 with a byte-order mark, or else Windows-1250, with ',', ';' "
        "or tab between columns as the header row has them. A patch is CSV in the same forms: "
        "position,id,column,before,after, one row per changed field; apply changes a field that "
        "holds before to after, leaves one that holds after, and refuses the whole patch, naming "
        "every clash, when a field holds anything else. - stands for standard input or output.\n"
        "Exit codes: 0 success, 1 bad input, a patch that clashes or an I/O failure (every file "
        "left as it was), 2 wrong arguments.\n");

    std::string binPath;
    std::string csvPath = kStandardStream;
    std::string otherPath;
    std::string outPath;
    std::string encodingName;
    bool dryRun = false;
    CLI::App* exportCommand =
        app.add_subcommand("export", "Write the table of BOOTS.bin as CSV to OUT.csv, or to "
                                     "standard output when OUT.csv is omitted or -");
    exportCommand->add_option("BOOTS.bin", binPath, "the table to read, - for standard input")
        ->required();
    exportCommand->add_option("OUT.csv", csvPath, "the CSV file to write");
    CLI::App* importCommand = app.add_subcommand(
        "import", "Replace BOOTS.bin (created if missing) by the table of IN.csv, packed; "
                  "nothing is written unless every row is valid");
    importCommand->add_option("IN.csv", csvPath, "the CSV file to read, - for standard input")
        ->required();
    importCommand->add_option("BOOTS.bin", binPath, "the table to replace, - for standard output")
        ->required();
    importCommand
        ->add_option("--encoding", encodingName, "read IN.csv in this encoding, not the one found")
        ->check(CLI::IsMember(kEncodings));
    importCommand->add_flag("--dry-run", dryRun,
                            "list what the import would change in BOOTS.bin, and write nothing");
    CLI::App* checkCommand = app.add_subcommand(
        "check", "Print the number of boots in BOOTS.bin, or why it is not a valid table");
    checkCommand->add_option("BOOTS.bin", binPath, "the table to check, - for standard input")
        ->required();
    CLI::App* diffCommand = app.add_subcommand(
        "diff", "Write the patch from the table of BASE to the table of CHANGED: the header row "
                "alone when they are equal");
    diffCommand->add_option("BASE", binPath, "the table before, - for standard input")->required();
    diffCommand->add_option("CHANGED", otherPath, "the table after, - for standard input")
        ->required();
    diffCommand->add_option("-o", csvPath, "the patch file to write, standard output by default")
        ->type_name("PATCH");
    CLI::App* applyCommand = app.add_subcommand(
        "apply", "Give TARGET the changes of PATCH, packed, keeping TARGET.bak; nothing is "
                 "written when any field clashes");
    applyCommand->add_option("PATCH", csvPath, "the patch to read, - for standard input")
        ->required();
    applyCommand->add_option("TARGET", binPath, "the table to change, - for standard input")
        ->required();
    applyCommand
        ->add_option("-o", outPath,
                     "write the result here (- for standard output), not over TARGET")
        ->type_name("OUT");
    applyCommand
        ->add_option("--encoding", encodingName, "read PATCH in this encoding, not the one found")
        ->check(CLI::IsMember(kEncodings));
    applyCommand->add_flag("--dry-run", dryRun,
                           "list what the patch would change in TARGET, and write nothing");

    std::vector<std::string> args = fileops::arguments(argc, argv);
    const auto isCommand = [&args](CLI::App* command) { return command->get_name() == args[0]; };
    if (!args.empty() && args[0].rfind('-', 0) != 0 && app.get_subcommands(isCommand).empty()) {
        fileops::writeText(stderr, "korvane-table: unknown command \"" + args[0] +
                                       "\"; the commands are export, import, check, diff and "
                                       "apply (see --help)\n");
        return kExitUsage;
    }
    try {
        std::reverse(args.begin(), args.end()); // CLI11 takes them last first
        app.parse(args);
    } catch (const CLI::ParseError& e) {
        return parseOutcome(app, e);
    }
    const auto named = kEncodings.find(encodingName);
    const boots::CsvEncoding encoding =
        named == kEncodings.end() ? boots::CsvEncoding::Detect : named->second;
    // No output may be a file the command reads.
    int refused = 0;
    if (exportCommand->parsed())
        refused = refuseOverInput(csvPath, {binPath});
    else if (importCommand->parsed())
        refused = refuseOverInput(binPath, {csvPath});
    else if (diffCommand->parsed())
        refused = refuseOverInput(csvPath, {binPath, otherPath});
    else if (applyCommand->parsed())
        refused = outPath.empty() ? refuseOverInput(binPath, {csvPath})
                                  : refuseOverInput(outPath, {csvPath, binPath});
    if (refused != 0)
        return refused;
    try {
        if (exportCommand->parsed())
            return exportTable(binPath, csvPath);
        if (importCommand->parsed())
            return importTable(csvPath, binPath, encoding, dryRun);
        if (diffCommand->parsed())
            return diffTables(binPath, otherPath, csvPath);
        if (applyCommand->parsed())
            return patchTable(csvPath, binPath, outPath, encoding, dryRun);
        return checkTable(binPath);
    } catch (const std::exception& e) { // out of memory
        return report(binPath, e.what());
    }
}
