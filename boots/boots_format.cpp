#include "boots/boots_format.h"

#include "boots/cp1250.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>

namespace boots {
namespace {

std::int32_t readInt32(const unsigned char* p) {
    const std::uint32_t u =
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    std::int32_t value;
    std::memcpy(&value, &u, sizeof value);
    return value;
}

void writeInt32(std::int32_t value, unsigned char* p) {
    std::uint32_t u;
    std::memcpy(&u, &value, sizeof u);
    p[0] = static_cast<unsigned char>(u);
    p[1] = static_cast<unsigned char>(u >> 8);
    p[2] = static_cast<unsigned char>(u >> 16);
    p[3] = static_cast<unsigned char>(u >> 24);
}

// Rounds to the nearest integer, halves to the even one, whatever the FPU rounding mode.
double roundHalfEven(double x) {
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

// Records read or written at a time: at most 4096 (311 KB); a read starts with 32 (2.4 KB).
constexpr std::size_t kChunkRecords = 4096;
constexpr std::size_t kFirstChunkRecords = 32;

constexpr std::size_t kMaxRecords =
    static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) / kRecordSize;

// The text before the first NUL of a name field.
std::string_view nameText(const char* field) {
    const void* nul = std::memchr(field, 0, kNameSize);
    return {field,
            nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : kNameSize};
}

} // namespace

bool BootRecord::operator==(const BootRecord& other) const {
    return ID == other.ID && Grupa == other.Grupa && Nazwa == other.Nazwa && Sila == other.Sila &&
           Precyzja == other.Precyzja && Przyspieszenie == other.Przyspieszenie &&
           Szybkosc == other.Szybkosc && Podkrecanie == other.Podkrecanie;
}

BootsFileHeader readHeader(const unsigned char* bytes) {
    BootsFileHeader h;
    h.Fixed_1 = readInt32(bytes);
    h.Fixed_8 = readInt32(bytes + 4);
    h.Header_Length = readInt32(bytes + 8);
    h.Data_Length = readInt32(bytes + 12);
    h.Fixed_Minus16 = readInt32(bytes + 16);
    h.Zero_1 = readInt32(bytes + 20);
    h.Zero_2 = readInt32(bytes + 24);
    h.Zero_3 = readInt32(bytes + 28);
    return h;
}

std::optional<std::size_t> recordCount(const BootsFileHeader& header) {
    if (header.Fixed_1 != 1 || header.Fixed_8 != 8 || header.Header_Length != 32 ||
        header.Data_Length <= 0 || header.Fixed_Minus16 != -16 || header.Zero_1 != 0 ||
        header.Zero_2 != 0 || header.Zero_3 != 0)
        return std::nullopt;
    const double count = roundHalfEven(static_cast<double>(header.Data_Length) / 76.0);
    if (count < 1.0)
        return std::nullopt;
    return static_cast<std::size_t>(count);
}

BootRecord decodeRecord(const unsigned char* bytes) {
    BootRecord r;
    const auto* name = reinterpret_cast<const char*>(bytes);
    const std::string_view text = nameText(name);
    r.Nazwa = cp1250ToUtf8(text);
    if (std::any_of(name + text.size(), name + kNameSize, [](char c) { return c != 0; }))
        r.nameField.assign(name, kNameSize);
    r.ID = bytes[64];
    r.Grupa = bytes[65];
    r.Sila = bytes[68];
    r.Precyzja = bytes[69];
    r.Przyspieszenie = bytes[70];
    r.Szybkosc = bytes[71];
    r.Podkrecanie = bytes[72];
    std::copy(bytes + 66, bytes + 68, r.reserved.begin());
    std::copy(bytes + 73, bytes + 76, r.reserved.begin() + 2);
    return r;
}

void encodeRecord(const BootRecord& record, unsigned char* bytes) {
    std::memset(bytes, 0, kNameSize);
    if (record.nameField.size() == kNameSize &&
        cp1250ToUtf8(nameText(record.nameField.data())) == record.Nazwa)
        std::memcpy(bytes, record.nameField.data(), kNameSize);
    else
        utf8ToCp1250(record.Nazwa, reinterpret_cast<char*>(bytes), kNameSize);
    bytes[64] = record.ID;
    bytes[65] = record.Grupa;
    bytes[68] = record.Sila;
    bytes[69] = record.Precyzja;
    bytes[70] = record.Przyspieszenie;
    bytes[71] = record.Szybkosc;
    bytes[72] = record.Podkrecanie;
    std::copy(record.reserved.begin(), record.reserved.begin() + 2, bytes + 66);
    std::copy(record.reserved.begin() + 2, record.reserved.end(), bytes + 73);
}

bool fitsFile(std::size_t count) {
    return count > 0 && count <= kMaxRecords;
}

std::optional<std::int32_t> FileRest::dataLengthFor(std::size_t records) const {
    if (!fitsFile(records))
        return std::nullopt;
    if (Data_Length > 0 && records == count)
        return Data_Length;
    return static_cast<std::int32_t>(kRecordSize * records);
}

bool encodeHeader(std::size_t count, unsigned char* bytes, const FileRest& rest) {
    const std::optional<std::int32_t> dataLength = rest.dataLengthFor(count);
    if (!dataLength)
        return false;
    const BootsFileHeader h;
    writeInt32(h.Fixed_1, bytes);
    writeInt32(h.Fixed_8, bytes + 4);
    writeInt32(h.Header_Length, bytes + 8);
    writeInt32(*dataLength, bytes + 12);
    writeInt32(h.Fixed_Minus16, bytes + 16);
    writeInt32(h.Zero_1, bytes + 20);
    writeInt32(h.Zero_2, bytes + 24);
    writeInt32(h.Zero_3, bytes + 28);
    return true;
}

std::optional<BootsFile> readBootsFile(const ByteSource& source) {
    unsigned char header[kHeaderSize];
    if (source(header, kHeaderSize) != kHeaderSize)
        return std::nullopt;
    const BootsFileHeader h = readHeader(header);
    const std::optional<std::size_t> count = recordCount(h);
    if (!count)
        return std::nullopt;
    BootsFile file;
    file.rest.Data_Length = h.Data_Length;
    file.rest.count = *count;
    std::vector<BootRecord>& records = file.records;
    std::vector<unsigned char> chunk;
    // The chunk doubles as records arrive, so memory follows what the file really holds.
    std::size_t perChunk = kFirstChunkRecords;
    for (; records.size() < *count; perChunk = std::min(2 * perChunk, kChunkRecords)) {
        const std::size_t n = std::min(*count - records.size(), perChunk);
        chunk.resize(kRecordSize * n);
        if (source(chunk.data(), chunk.size()) != chunk.size())
            return std::nullopt;
        for (std::size_t k = 0; k < n; ++k)
            records.push_back(decodeRecord(chunk.data() + kRecordSize * k));
    }
    std::vector<unsigned char>& trailer = file.rest.trailer;
    for (std::size_t got = chunk.size(); got == chunk.size();) {
        chunk.resize(kRecordSize * perChunk);
        got = source(chunk.data(), chunk.size());
        trailer.insert(trailer.end(), chunk.begin(),
                       chunk.begin() + static_cast<std::ptrdiff_t>(got));
    }
    return file;
}

bool writeBootsFile(const std::vector<BootRecord>& records, const ByteSink& sink,
                    const FileRest& rest) {
    unsigned char header[kHeaderSize];
    if (!encodeHeader(records.size(), header, rest))
        return false;
    const std::size_t perChunk = std::min(records.size(), kChunkRecords);
    std::vector<unsigned char> chunk;
    try {
        chunk.resize(kRecordSize * perChunk);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!sink(header, kHeaderSize))
        return false;
    for (std::size_t done = 0; done < records.size();) {
        const std::size_t n = std::min(records.size() - done, perChunk);
        for (std::size_t k = 0; k < n; ++k)
            encodeRecord(records[done + k], chunk.data() + kRecordSize * k);
        if (!sink(chunk.data(), kRecordSize * n))
            return false;
        done += n;
    }
    return rest.trailer.empty() || sink(rest.trailer.data(), rest.trailer.size());
}

std::optional<BootsFile> decodeFile(const unsigned char* bytes, std::size_t size) {
    return readBootsFile([&bytes, &size](unsigned char* buffer, std::size_t wanted) {
        const std::size_t n = std::min(wanted, size);
        if (n > 0)
            std::memcpy(buffer, bytes, n);
        bytes += n;
        size -= n;
        return n;
    });
}

std::optional<std::vector<unsigned char>> encodeFile(const std::vector<BootRecord>& records,
                                                     const FileRest& rest) {
    std::vector<unsigned char> bytes;
    const auto append = [&bytes](const unsigned char* data, std::size_t size) {
        bytes.insert(bytes.end(), data, data + size);
        return true;
    };
    if (!writeBootsFile(records, append, rest))
        return std::nullopt;
    return bytes;
}

void keepUnmodelled(const std::vector<BootRecord>& from, std::vector<BootRecord>& records) {
    for (std::size_t k = 0; k < std::min(from.size(), records.size()); ++k) {
        records[k].reserved = from[k].reserved;
        records[k].nameField = from[k].nameField;
    }
}

} // namespace boots
