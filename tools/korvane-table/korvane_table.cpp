// korvane-table: the boots table of a .bin file as CSV for spreadsheet programs, and back.
//   korvane-table export BOOTS.bin [OUT.csv]   the table as CSV, to OUT.csv or standard output
//   korvane-table import IN.csv BOOTS.bin      BOOTS.bin replaced by the table of IN.csv
//   korvane-table check BOOTS.bin              the number of boots, or why it is not a table
// "-" names standard input or output. Exit codes: 0 success, 1 bad input or an I/O failure
// (reported on standard error, every file left as it was), 2 wrong arguments.
#include "boots/boots_csv.h"
#include "boots/file_ops.h"
#include "boots/table_diff.h"
#include "tools/korvane-table/table_file.h"

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

int report(const std::string& name, const std::string& what) {
    fileops::writeText(stderr, "korvane-table: " + name + ": " + what + "\n");
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
bool loadTable(const std::string& path, korvane_table::TableRead& table) {
    fileops::FilePtr file;
    std::FILE* in = openInput(path, file);
    if (!in)
        return false;
    table = korvane_table::readTable(in);
    if (!table.error.empty())
        report(nameOf(path, "standard input"), table.error);
    return table.error.empty();
}

// A value as the changes list shows it: names quoted, so that blanks and leading zeros show.
std::string shown(boots::BootField field, const std::string& text) {
    return field == boots::BootField::Nazwa ? "\"" + text + "\"" : text;
}

std::string bootAt(std::size_t position, unsigned id) {
    return "position " + std::to_string(position) + " (ID " + std::to_string(id) + ")";
}

// The changes an import of `records` over the table of `binPath` (none when it is missing or
// "-") makes, one line each, on standard output.
int printChanges(const std::string& binPath, const std::vector<boots::BootRecord>& records) {
    korvane_table::TableRead current;
    if (binPath != kStandardStream && fileops::exists(binPath) && !loadTable(binPath, current))
        return kExitFailure;
    const boots::TableChanges changes = boots::compareTables(current.records, records);
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
    if (!fileops::writeText(stdout, text) || std::fflush(stdout) != 0)
        return report("standard output", errnoText("write error"));
    return 0;
}

int exportTable(const std::string& binPath, const std::string& csvPath) {
    korvane_table::TableRead table;
    if (!loadTable(binPath, table))
        return kExitFailure;
    if (csvPath != kStandardStream) {
        const std::string failure = korvane_table::writeCsvFile(csvPath, table.records);
        return failure.empty() ? 0 : report(csvPath, failure);
    }
    const bool written = boots::encodeCsv(table.records, [](std::string_view piece) {
        return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
    });
    if (!written || std::fflush(stdout) != 0)
        return report("standard output", errnoText("write error"));
    return 0;
}

int importTable(const std::string& csvPath, const std::string& binPath, boots::CsvEncoding encoding,
                bool dryRun) {
    fileops::FilePtr file;
    std::FILE* in = openInput(csvPath, file);
    if (!in)
        return kExitFailure;
    std::string csv;
    if (!korvane_table::readAll(in, csv))
        return report(nameOf(csvPath, "standard input"), errnoText("read error"));
    const boots::CsvTable table = boots::decodeCsv(csv, encoding);
    if (table.error)
        return report(nameOf(csvPath, "standard input"), table.error->message());
    if (dryRun)
        return printChanges(binPath, table.records);
    const std::string failure = binPath == kStandardStream
                                    ? korvane_table::writePackedTable(stdout, table.records)
                                    : korvane_table::writePackedTable(binPath, table.records);
    return failure.empty() ? 0 : report(nameOf(binPath, "standard output"), failure);
}

int checkTable(const std::string& binPath) {
    korvane_table::TableRead table;
    if (!loadTable(binPath, table))
        return kExitFailure;
    const std::string text = std::to_string(table.records.size()) + " boots\n";
    if (!fileops::writeText(stdout, text) || std::fflush(stdout) != 0)
        return report("standard output", errnoText("write error"));
    return 0;
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
                 "puts it back.",
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
        "or tab between columns as the header row has them. - stands for standard input or "
        "output.\n"
        "Exit codes: 0 success, 1 bad input or an I/O failure (every file left as it was), 2 "
        "wrong arguments.\n");

    std::string binPath;
    std::string csvPath = kStandardStream;
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

    std::vector<std::string> args = fileops::arguments(argc, argv);
    const auto isCommand = [&args](CLI::App* command) { return command->get_name() == args[0]; };
    if (!args.empty() && args[0].rfind('-', 0) != 0 && app.get_subcommands(isCommand).empty()) {
        fileops::writeText(stderr, "korvane-table: unknown command \"" + args[0] +
                                       "\"; the commands are export, import and check (see "
                                       "--help)\n");
        return kExitUsage;
    }
    try {
        std::reverse(args.begin(), args.end()); // CLI11 takes them last first
        app.parse(args);
    } catch (const CLI::ParseError& e) {
        return parseOutcome(app, e);
    }
    try {
        if (exportCommand->parsed())
            return exportTable(binPath, csvPath);
        if (importCommand->parsed()) {
            const auto encoding = kEncodings.find(encodingName);
            return importTable(csvPath, binPath,
                               encoding == kEncodings.end() ? boots::CsvEncoding::Detect
                                                            : encoding->second,
                               dryRun);
        }
        return checkTable(binPath);
    } catch (const std::exception& e) { // out of memory
        return report(binPath, e.what());
    }
}
