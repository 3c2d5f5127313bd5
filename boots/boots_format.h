// The unpacked boots data file: a 32-byte header and 76-byte records, little-endian.
// The one reader and writer of the format, shared by the table, the tools, the tests and the
// fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace boots {

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kRecordSize = 76;
inline constexpr std::size_t kNameSize = 64;

// One boot as held in memory. Nazwa is UTF-8.
struct BootRecord {
    std::uint8_t ID = 0;
    std::uint8_t Grupa = 0;
    std::string Nazwa;
    std::uint8_t Sila = 0;
    std::uint8_t Precyzja = 0;
    std::uint8_t Przyspieszenie = 0;
    std::uint8_t Szybkosc = 0;
    std::uint8_t Podkrecanie = 0;

    bool operator==(const BootRecord& other) const;
};

// The header's eight signed 32-bit fields.
struct BootsFileHeader {
    std::int32_t Fixed_1 = 1;
    std::int32_t Fixed_8 = 8;
    std::int32_t Header_Length = 32;
    std::int32_t Data_Length = 0;
    std::int32_t Fixed_Minus16 = -16;
    std::int32_t Zero_1 = 0;
    std::int32_t Zero_2 = 0;
    std::int32_t Zero_3 = 0;
};

// Reads the header from the first 32 bytes of `bytes`.
BootsFileHeader readHeader(const unsigned char* bytes);

// Number of records the header declares (Data_Length / 76, halves to even), or nullopt when
// a fixed field is wrong or the count is below 1.
std::optional<std::size_t> recordCount(const BootsFileHeader& header);

// Writes the 32-byte header for `count` records. False, with nothing written, when count is 0
// or 76 * count does not fit Data_Length.
bool encodeHeader(std::size_t count, unsigned char* bytes);

// Decodes one 76-byte record.
BootRecord decodeRecord(const unsigned char* bytes);

// Encodes one record into 76 bytes, supplying the fixed fields.
void encodeRecord(const BootRecord& record, unsigned char* bytes);

// Fills `buffer` with the next bytes of a file, at most `size`, and returns how many it gave;
// fewer than `size` only at the end of the file or when reading fails.
using ByteSource = std::function<std::size_t(unsigned char* buffer, std::size_t size)>;

// Takes the next `size` bytes of a file being written; false when they cannot be written.
using ByteSink = std::function<bool(const unsigned char* bytes, std::size_t size)>;

// Reads a boots data file from `source`, a few records at a time, up to its last declared record
// (bytes after it are not read). nullopt when the header is rejected or the source ends before the
// last declared record. Memory grows with the records actually read, never with the count the
// header declares; std::bad_alloc when it runs out.
std::optional<std::vector<BootRecord>> readBootsFile(const ByteSource& source);

// Writes `records` as a boots data file to `sink`, a few records at a time. False when the table
// is empty, 76 * count does not fit Data_Length or no memory can be had for the chunk (nothing
// written then), or when the sink fails. Throws nothing of its own.
bool writeBootsFile(const std::vector<BootRecord>& records, const ByteSink& sink);

// readBootsFile over bytes in memory.
std::optional<std::vector<BootRecord>> decodeFile(const unsigned char* bytes, std::size_t size);

// writeBootsFile into memory; nullopt where writeBootsFile gives false.
std::optional<std::vector<unsigned char>> encodeFile(const std::vector<BootRecord>& records);

} // namespace boots
