// korvane-table: the boots table of a .bin file as CSV for spreadsheet programs, and back.
//   korvane-table export BOOTS.bin [OUT.csv]   the table as CSV, to OUT.csv or standard output
//   korvane-table import IN.csv BOOTS.bin      BOOTS.bin replaced by the table of IN.csv
//   korvane-table check BOOTS.bin              the number of boots, or why it is not a table
// Exit codes: 0 success, 1 bad input or an I/O failure (reported on standard error, every file
// left as it was), 2 wrong arguments.
#include "boots/boots_csv.h"
#include "boots/file_ops.h"
#include "tools/korvane-table/table_file.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
const std::string kStandardStream = "-";

int report(const std::string& name, const std::string& what) {
    std::fprintf(stderr, "korvane-table: %s: %s\n", name.c_str(), what.c_str());
    return kExitFailure;
}

std::string errnoText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Reads the table of the .bin file at `path` into `table`; reports and returns false on failure.
bool loadTable(const std::string& path, korvane_table::TableRead& table) {
    const fileops::FilePtr file(fileops::openFile(path, "rb"));
    if (!file) {
        report(path, errnoText("cannot open"));
        return false;
    }
    table = korvane_table::readTable(file.get());
    if (!table.error.empty())
        report(path, table.error);
    return table.error.empty();
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

int importTable(const std::string& csvPath, const std::string& binPath) {
    std::string csv;
    const bool fromStdin = csvPath == kStandardStream;
    const std::string csvName = fromStdin ? "standard input" : csvPath;
    const fileops::FilePtr file(fromStdin ? nullptr : fileops::openFile(csvPath, "rb"));
    if (!fromStdin && !file)
        return report(csvName, errnoText("cannot open"));
    if (!korvane_table::readAll(fromStdin ? stdin : file.get(), csv))
        return report(csvName, errnoText("read error"));
    const boots::CsvTable table = boots::decodeCsv(csv);
    if (table.error)
        return report(csvName, table.error->message());
    const std::string failure = korvane_table::writePackedTable(binPath, table.records);
    return failure.empty() ? 0 : report(binPath, failure);
}

int checkTable(const std::string& binPath) {
    korvane_table::TableRead table;
    if (!loadTable(binPath, table))
        return kExitFailure;
    std::printf("%zu boots\n", table.records.size());
    return std::fflush(stdout) == 0 ? 0 : report("standard output", errnoText("write error"));
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
        "data file; import always writes it packed. The CSV is UTF-8, one header row, then one "
        "row per boot: position,id,group,name,shot_power,shot_accuracy,acceleration,top_speed,"
        "swerve. Import takes ',' or ';' as the header row does.\n"
        "Exit codes: 0 success, 1 bad input or an I/O failure (every file left as it was), 2 "
        "wrong arguments.\n");

    std::string binPath;
    std::string csvPath = kStandardStream;
    CLI::App* exportCommand =
        app.add_subcommand("export", "Write the table of BOOTS.bin as CSV to OUT.csv, or to "
                                     "standard output when OUT.csv is omitted or -");
    exportCommand->add_option("BOOTS.bin", binPath, "the table to read")->required();
    exportCommand->add_option("OUT.csv", csvPath, "the CSV file to write");
    CLI::App* importCommand = app.add_subcommand(
        "import", "Replace BOOTS.bin (created if missing) by the table of IN.csv, packed; "
                  "nothing is written unless every row is valid");
    importCommand->add_option("IN.csv", csvPath, "the CSV file to read, - for standard input")
        ->required();
    importCommand->add_option("BOOTS.bin", binPath, "the table to replace")->required();
    CLI::App* checkCommand = app.add_subcommand(
        "check", "Print the number of boots in BOOTS.bin, or why it is not a valid table");
    checkCommand->add_option("BOOTS.bin", binPath, "the table to check")->required();

    try {
        std::vector<std::string> args = fileops::arguments(argc, argv);
        std::reverse(args.begin(), args.end()); // CLI11 takes them last first
        app.parse(args);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : kExitUsage;
    }
    try {
        if (exportCommand->parsed())
            return exportTable(binPath, csvPath);
        if (importCommand->parsed())
            return importTable(csvPath, binPath);
        return checkTable(binPath);
    } catch (const std::exception& e) { // out of memory
        return report(binPath, e.what());
    }
}
