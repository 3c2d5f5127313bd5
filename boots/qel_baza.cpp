#include "boots/qel_baza.h"

#include "boots/cp1250.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunkRecords = 4096; // records read or written at a time (311 KB)

fs::path toPath(const std::string& utf8) {
    return fs::u8path(utf8);
}

// Opens a file with a C stdio mode; the path keeps its Unicode name on every platform.
std::FILE* openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Reads and decodes a boots data file; nullopt when it cannot be read, its header is rejected or
// it ends before its last declared record. Nothing is allocated for the records before the
// file's real size is known to hold them.
std::optional<std::vector<boots::BootRecord>> readBootsFile(const fs::path& path) {
    const FilePtr file(openFile(path, "rb"), &std::fclose);
    if (!file)
        return std::nullopt;
    std::FILE* raw = file.get();
    unsigned char header[boots::kHeaderSize];
    if (std::fread(header, 1, sizeof header, raw) != sizeof header)
        return std::nullopt;
    const std::optional<std::size_t> count = boots::recordCount(boots::readHeader(header));
    if (!count)
        return std::nullopt;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size < boots::kHeaderSize ||
        (size - boots::kHeaderSize) / boots::kRecordSize < *count)
        return std::nullopt;
    // Decode in chunks: the file's bytes are never all held at once.
    std::vector<boots::BootRecord> records;
    records.reserve(*count);
    std::vector<unsigned char> chunk(boots::kRecordSize * std::min(*count, kChunkRecords));
    while (records.size() < *count) {
        const std::size_t n = std::min(*count - records.size(), kChunkRecords);
        if (std::fread(chunk.data(), boots::kRecordSize, n, raw) != n)
            return std::nullopt;
        for (std::size_t k = 0; k < n; ++k)
            records.push_back(boots::decodeRecord(chunk.data() + boots::kRecordSize * k));
    }
    return records;
}

// Creates a new, empty file beside `target` under a name no other file has, or returns null.
std::FILE* createTempBeside(const fs::path& target, fs::path& tempPath) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%llx-%x.tmp", stamp,
                      counter.fetch_add(1, std::memory_order_relaxed));
        tempPath = target;
        tempPath += suffix;
        if (std::FILE* f = openFile(tempPath, "wbx"))
            return f;
        std::error_code ec;
        if (!fs::exists(tempPath, ec))
            return nullptr; // the folder refuses new files: trying other names will not help
    }
    return nullptr;
}

// Writes the header and the records to `file`, encoding them `chunk.size() / 76` records at a
// time; false when a write fails.
bool writeBootsFile(std::FILE* file, const std::vector<boots::BootRecord>& records,
                    std::vector<unsigned char>& chunk) {
    unsigned char header[boots::kHeaderSize];
    if (!boots::encodeHeader(records.size(), header) ||
        std::fwrite(header, 1, sizeof header, file) != sizeof header)
        return false;
    const std::size_t perChunk = chunk.size() / boots::kRecordSize;
    for (std::size_t done = 0; done < records.size();) {
        const std::size_t n = std::min(records.size() - done, perChunk);
        for (std::size_t k = 0; k < n; ++k)
            boots::encodeRecord(records[done + k], chunk.data() + boots::kRecordSize * k);
        if (std::fwrite(chunk.data(), boots::kRecordSize, n, file) != n)
            return false;
        done += n;
    }
    return true;
}

// Writes the records to a temporary file beside `target`, then renames it over `target`. On any
// failure the temporary file is removed and `target` is left as it was.
bool replaceFile(const fs::path& target, const std::vector<boots::BootRecord>& records) {
    // Allocated before the temporary file exists, so that nothing after it can throw.
    std::vector<unsigned char> chunk(boots::kRecordSize * std::min(records.size(), kChunkRecords));
    fs::path tempPath;
    std::FILE* f = createTempBeside(target, tempPath);
    if (!f)
        return false;
    bool ok = writeBootsFile(f, records, chunk);
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) {
        // Keep the old file's permission bits, as an in-place write would have.
        const fs::file_status old = fs::status(target, ec);
        if (!ec && fs::is_regular_file(old))
            fs::permissions(tempPath, old.permissions(), ec);
        ec.clear();
        fs::rename(tempPath, target, ec);
        ok = !ec;
    }
    if (!ok)
        fs::remove(tempPath, ec);
    return ok;
}

} // namespace

std::uint8_t Qel_Baza::Dodaj_Nowy() {
    if (Count() <= 0 || !Is_Loaded || Boots.size() >= Max_Boots)
        return 0;
    const std::int32_t lastId = Get_ID(static_cast<std::uint8_t>(Boots.size() - 1));
    if (lastId >= 255)
        return 0;
    boots::BootRecord added;
    added.ID = static_cast<std::uint8_t>(lastId + 1);
    Boots.push_back(added);
    return added.ID;
}

bool Qel_Baza::Zmien_Dane(std::uint8_t Index, const std::string& Nazwa, std::uint8_t Grupa,
                          std::uint8_t Sila, std::uint8_t Precyzja, std::uint8_t Przyspieszenie,
                          std::uint8_t Szybkosc, std::uint8_t Podkrecanie) {
    if (Count() <= 0 || !Is_Loaded)
        return false;
    const std::int32_t position = Clamp_Index(Index);
    if (position < 0)
        return false;
    boots::BootRecord& r = Boots[static_cast<std::size_t>(position)];
    r.Nazwa = boots::utf8Left(Nazwa, Name_Limit);
    r.Grupa = Grupa == 0 ? 1 : Grupa;
    r.Sila = Clamp_Stat(Sila);
    r.Precyzja = Clamp_Stat(Precyzja);
    r.Przyspieszenie = Clamp_Stat(Przyspieszenie);
    r.Szybkosc = Clamp_Stat(Szybkosc);
    r.Podkrecanie = Clamp_Stat(Podkrecanie);
    return true;
}

const std::string& Qel_Baza::Path() const {
    return Path_;
}

void Qel_Baza::Path(const std::string& Str_Path) {
    Path_ = Str_Path;
}

std::string Qel_Baza::Get_Nazwa(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Nazwa : std::string();
}

std::int32_t Qel_Baza::Get_ID(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->ID : 0;
}

std::int32_t Qel_Baza::Get_Grupa(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Grupa : 0;
}

std::uint8_t Qel_Baza::Get_Sila(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Sila : 0;
}

std::uint8_t Qel_Baza::Get_Precyzja(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Precyzja : 0;
}

std::uint8_t Qel_Baza::Get_Przyspieszenie(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Przyspieszenie : 0;
}

std::uint8_t Qel_Baza::Get_Szybkosc(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Szybkosc : 0;
}

std::uint8_t Qel_Baza::Get_Podkrecanie(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Podkrecanie : 0;
}

bool Qel_Baza::Wczytaj(const std::string& Str_Path) {
    if (!Str_Path.empty())
        Path_ = Str_Path;
    if (!File_Exists(Path_))
        return false;
    Boots.clear();
    Boots.shrink_to_fit();
    Is_Loaded = true;
    try {
        std::optional<std::vector<boots::BootRecord>> records = readBootsFile(toPath(Path_));
        if (!records)
            return false;
        Boots = std::move(*records);
        return true;
    } catch (const std::exception&) { // memory for the records, or a path that cannot convert
        return false;
    }
}

bool Qel_Baza::Zapisz(const std::string& Str_Path) const {
    if (!Is_Loaded)
        return false;
    const std::string& target = Str_Path.empty() ? Path_ : Str_Path;
    if (Boots.empty() || target.empty())
        return false;
    try {
        return replaceFile(toPath(target), Boots);
    } catch (const std::exception&) { // memory for the write buffer, or a path that cannot convert
        return false;
    }
}

bool Qel_Baza::File_Exists(const std::string& Str_Path) {
    if (Str_Path.empty())
        return false;
    std::error_code ec;
    return fs::exists(toPath(Str_Path), ec);
}

std::int32_t Qel_Baza::Count() const {
    return static_cast<std::int32_t>(Boots.size());
}

bool Qel_Baza::Zastap(std::vector<boots::BootRecord> records) {
    unsigned char header[boots::kHeaderSize];
    if (!Is_Loaded || !boots::encodeHeader(records.size(), header))
        return false;
    Boots = std::move(records);
    return true;
}

std::uint8_t Qel_Baza::Clamp_Stat(std::uint8_t value) {
    if (value < 1)
        return 1;
    return value > 5 ? 5 : value;
}

std::int32_t Qel_Baza::Clamp_Index(std::uint8_t Index) const {
    if (!Is_Loaded || Boots.empty())
        return -1;
    const std::size_t last = Boots.size() - 1;
    return static_cast<std::int32_t>(Index < last ? Index : last);
}

const boots::BootRecord* Qel_Baza::At(std::uint8_t Index) const {
    const std::int32_t p = Clamp_Index(Index);
    return p < 0 ? nullptr : &Boots[static_cast<std::size_t>(p)];
}

boots::BootRecord Qel_Baza::Get_Boot(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? *r : boots::BootRecord();
}

bool Qel_Baza::Set_Boot(std::uint8_t Index, const boots::BootRecord& Boot) {
    if (!Is_Loaded || Index >= Boots.size())
        return false;
    Boots[Index] = Boot;
    return true;
}

bool Qel_Baza::Usun_Ostatni() {
    if (!Is_Loaded || Boots.size() < 2)
        return false;
    Boots.pop_back();
    return true;
}

const std::vector<boots::BootRecord>& Qel_Baza::Boots_All() const {
    return Boots;
}
