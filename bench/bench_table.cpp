// Loading and saving the boots table, beside a plain read and write of the same bytes (the
// limit that Wczytaj + Zapisz can approach).
#include "boots/boots_format.h"
#include "boots/qel_baza.h"

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

// A folder of boots files of several sizes, made once and removed at exit.
class Files {
public:
    static Files& instance() {
        static Files files;
        return files;
    }
    ~Files() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // A boots data file of `count` boots, created on first use.
    const std::string& source(std::size_t count) {
        auto it = sources_.find(count);
        if (it != sources_.end())
            return it->second;
        std::vector<boots::BootRecord> records(count);
        for (std::size_t k = 0; k < count; ++k) {
            boots::BootRecord& r = records[k];
            r.ID = static_cast<std::uint8_t>(k);
            r.Grupa = static_cast<std::uint8_t>(1 + k % 4);
            r.Nazwa = u8"Z\u0142oty but " + std::to_string(k);
            r.Sila = r.Precyzja = r.Przyspieszenie = r.Szybkosc = r.Podkrecanie =
                static_cast<std::uint8_t>(1 + k % 5);
        }
        const std::string path = (folder_ / ("boots-" + std::to_string(count) + ".bin")).string();
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f ||
            !boots::writeBootsFile(records,
                                   [f](const unsigned char* bytes, std::size_t size) {
                                       return std::fwrite(bytes, 1, size, f) == size;
                                   }) ||
            std::fclose(f) != 0)
            std::abort();
        return sources_.emplace(count, path).first->second;
    }

    std::string target(std::size_t count) const {
        return (folder_ / ("saved-" + std::to_string(count) + ".bin")).string();
    }

private:
    Files() {
        folder_ =
            fs::temp_directory_path() / ("korvane-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    fs::path folder_;
    std::map<std::size_t, std::string> sources_;
};

std::size_t fileSize(std::size_t count) {
    return boots::kHeaderSize + boots::kRecordSize * count;
}

void BM_TableLoadSave(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string source = Files::instance().source(count);
    const std::string target = Files::instance().target(count);
    for (auto _ : state) {
        Qel_Baza table;
        if (!table.Wczytaj(source) || !table.Zapisz(target))
            state.SkipWithError("load or save failed");
        benchmark::DoNotOptimize(table.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * fileSize(count)));
}

void BM_TableLoad(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string source = Files::instance().source(count);
    for (auto _ : state) {
        Qel_Baza table;
        if (!table.Wczytaj(source))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(table.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileSize(count)));
}

void BM_TableSave(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    Qel_Baza table;
    if (!table.Wczytaj(Files::instance().source(count)))
        state.SkipWithError("load failed");
    const std::string target = Files::instance().target(count);
    for (auto _ : state) {
        if (!table.Zapisz(target))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileSize(count)));
}

// The limit: read the file's bytes whole and write them out again, with no decoding.
void BM_PlainReadWrite(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string source = Files::instance().source(count);
    const std::string target = Files::instance().target(count);
    for (auto _ : state) {
        std::vector<unsigned char> bytes(fs::file_size(source));
        std::FILE* in = std::fopen(source.c_str(), "rb");
        bool ok = in && std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size();
        if (in)
            std::fclose(in);
        std::FILE* out = std::fopen(target.c_str(), "wb");
        ok = ok && out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
        if (out)
            ok = std::fclose(out) == 0 && ok;
        if (!ok)
            state.SkipWithError("plain read or write failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * fileSize(count)));
}

// A stricter limit: copy the bytes through one fixed buffer of the size the table uses.
void BM_PlainCopyChunked(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string source = Files::instance().source(count);
    const std::string target = Files::instance().target(count);
    std::vector<unsigned char> buffer(4096 * boots::kRecordSize);
    for (auto _ : state) {
        std::FILE* in = std::fopen(source.c_str(), "rb");
        std::FILE* out = std::fopen(target.c_str(), "wb");
        bool ok = in && out;
        while (ok) {
            const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
            ok = std::fwrite(buffer.data(), 1, n, out) == n;
            if (n < buffer.size())
                break;
        }
        if (in)
            std::fclose(in);
        if (out)
            ok = std::fclose(out) == 0 && ok;
        if (!ok)
            state.SkipWithError("plain copy failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * fileSize(count)));
}

} // namespace

BENCHMARK(BM_PlainCopyChunked)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadWrite)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableLoadSave)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableLoad)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableSave)->Arg(256)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
