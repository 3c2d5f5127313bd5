// Export and import of the table as CSV, beside a plain read and write of the same CSV bytes
// (the limit that the codec can approach).
#include "boots/boots_csv.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool readWhole(const std::string& path, std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    bytes.resize(fs::file_size(path));
    const bool ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    std::fclose(f);
    return ok;
}

bool writeWhole(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// A folder for the benchmark's files, removed at exit.
const fs::path& folder() {
    static const struct Folder {
        Folder()
            : path(fs::temp_directory_path() /
                   ("korvane-bench-csv-" + std::to_string(std::random_device{}()))) {
            fs::create_directories(path);
        }
        ~Folder() {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
        fs::path path;
    } folder;
    return folder.path;
}

std::string outPath() {
    return (folder() / "out.csv").string();
}

struct Table {
    std::vector<boots::BootRecord> records;
    std::string csvPath;
    std::size_t csvSize = 0;
};

// A table of `count` boots and its CSV file, made on first use.
const Table& table(std::size_t count) {
    static std::map<std::size_t, Table> tables;
    auto it = tables.find(count);
    if (it != tables.end())
        return it->second;
    Table t;
    t.records.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        boots::BootRecord& r = t.records[k];
        r.ID = static_cast<std::uint8_t>(k);
        r.Grupa = static_cast<std::uint8_t>(1 + k % 4);
        // Every tenth name needs quotes.
        r.Nazwa = (k % 10 ? u8"Z\u0142oty but " : u8"\"Z\u0142oty\", but ") + std::to_string(k);
        r.Sila = r.Precyzja = r.Przyspieszenie = r.Szybkosc = r.Podkrecanie =
            static_cast<std::uint8_t>(1 + k % 5);
    }
    const std::string csv = boots::encodeCsv(t.records);
    t.csvPath = (folder() / ("boots-" + std::to_string(count) + ".csv")).string();
    t.csvSize = csv.size();
    if (!writeWhole(t.csvPath, csv))
        std::abort();
    return tables.emplace(count, std::move(t)).first->second;
}

// The limit: read the CSV file's bytes whole and write them out again.
void BM_CsvPlainReadWrite(benchmark::State& state) {
    const Table& t = table(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string bytes;
        if (!readWhole(t.csvPath, bytes) || !writeWhole(outPath(), bytes))
            state.SkipWithError("plain read or write failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * t.csvSize));
}

// Reads the CSV file at `path` and decodes it into `records`; false on any failure.
bool importFile(const std::string& path, std::vector<boots::BootRecord>& records) {
    std::string bytes;
    if (!readWhole(path, bytes))
        return false;
    boots::CsvTable decoded = boots::decodeCsv(bytes);
    records = std::move(decoded.records);
    return !decoded.error;
}

// Encodes `records` and writes the text to the file at `path` piece by piece, as the tool does.
bool exportFile(const std::vector<boots::BootRecord>& records, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = boots::encodeCsv(records, [f](std::string_view piece) {
        return std::fwrite(piece.data(), 1, piece.size(), f) == piece.size();
    });
    return std::fclose(f) == 0 && ok;
}

// Import the CSV file, then export the table again.
void BM_CsvImportExport(benchmark::State& state) {
    const Table& t = table(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<boots::BootRecord> records;
        if (!importFile(t.csvPath, records) || !exportFile(records, outPath()))
            state.SkipWithError("import or export failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * t.csvSize));
}

void BM_CsvImport(benchmark::State& state) {
    const Table& t = table(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<boots::BootRecord> records;
        if (!importFile(t.csvPath, records))
            state.SkipWithError("import failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.csvSize));
}

void BM_CsvExport(benchmark::State& state) {
    const Table& t = table(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        if (!exportFile(t.records, outPath()))
            state.SkipWithError("export failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.csvSize));
}

} // namespace

BENCHMARK(BM_CsvPlainReadWrite)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportExport)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExport)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
