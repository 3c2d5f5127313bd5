// The unpacked boots data file: a 32-byte header and 76-byte records, little-endian.
// The one reader and writer of the format, shared by the table, the tools, the tests and the
// fuzzer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace boots {

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kRecordSize = 76;
inline constexpr std::size_t kNameSize = 64;

// One boot as held in memory. Nazwa is UTF-8.
struct BootRecord {
    BootRecord() = default;
    // A boot with these fields; the bytes no field stands for as the format writes them.
    BootRecord(std::uint8_t id, std::uint8_t grupa, std::string nazwa, std::uint8_t sila = 0,
               std::uint8_t precyzja = 0, std::uint8_t przyspieszenie = 0,
               std::uint8_t szybkosc = 0, std::uint8_t podkrecanie = 0)
        : ID(id), Grupa(grupa), Nazwa(std::move(nazwa)), Sila(sila), Precyzja(precyzja),
          Przyspieszenie(przyspieszenie), Szybkosc(szybkosc), Podkrecanie(podkrecanie) {}

    std::uint8_t ID = 0;
    std::uint8_t Grupa = 0;
    std::string Nazwa;
    std::uint8_t Sila = 0;
    std::uint8_t Precyzja = 0;
    std::uint8_t Przyspieszenie = 0;
    std::uint8_t Szybkosc = 0;
    std::uint8_t Podkrecanie = 0;
    // The record's bytes that no field stands for (offsets 66-67, 73, 74-75), written back as
    // read; a boot made in memory holds what the format writes there.
    std::array<std::uint8_t, 5> reserved = {3, 0, 0, 0, 0};
    // The name field as read, when bytes other than NUL follow its first NUL; written back whole
    // while Nazwa is still the text before that NUL. Empty otherwise.
    std::string nameField;

    // Equal when the eight fields are: reserved and nameField are not compared, since no edit
    // reaches them.
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

// True when a boots data file can hold `count` records: at least one, and 76 * count fits
// Data_Length.
bool fitsFile(std::size_t count);

// What a boots data file holds besides its records, kept from the file a table was read from so
// that writing the table back gives that file's bytes again.
struct FileRest {
    std::int32_t Data_Length = 0; // the header's as read; 0 for a table never read
    std::size_t count = 0;        // the records read: Data_Length is kept while there are as many
    std::vector<unsigned char> trailer; // every byte after the last record

    // The Data_Length to write for `records` records: as read while they are as many as were
    // read, else 76 * records. nullopt when no file can hold them.
    std::optional<std::int32_t> dataLengthFor(std::size_t records) const;
};

// Writes the 32-byte header for `count` records (Data_Length from `rest`). False, with nothing
// written, when no file can hold `count` records.
bool encodeHeader(std::size_t count, unsigned char* bytes, const FileRest& rest = {});

// Decodes one 76-byte record, keeping the bytes no field stands for.
BootRecord decodeRecord(const unsigned char* bytes);

// Encodes one record into 76 bytes: the name field as read while the name is unchanged, else the
// name followed by NULs; the bytes no field stands for as the record holds them.
void encodeRecord(const BootRecord& record, unsigned char* bytes);

// A boots data file as read: its records and the rest.
struct BootsFile {
    std::vector<BootRecord> records;
    FileRest rest;
};

// Fills `buffer` with the next bytes of a file, at most `size`, and returns how many it gave;
// fewer than `size` only at the end of the file or when reading fails.
using ByteSource = std::function<std::size_t(unsigned char* buffer, std::size_t size)>;

// Takes the next `size` bytes of a file being written; false when they cannot be written.
using ByteSink = std::function<bool(const unsigned char* bytes, std::size_t size)>;

// Reads a boots data file from `source` to its end, a few records at a time: the records its
// header declares, and every byte after them as the trailer. nullopt when the header is rejected
// or the source ends before the last declared record. Memory grows with the bytes actually read,
// never with the count the header declares; std::bad_alloc when it runs out.
std::optional<BootsFile> readBootsFile(const ByteSource& source);

// Writes `records` as a boots data file to `sink`, a few records at a time, then the trailer of
// `rest`. False when no file can hold the records or no memory can be had for the chunk (nothing
// written then), or when the sink fails. Throws nothing of its own.
bool writeBootsFile(const std::vector<BootRecord>& records, const ByteSink& sink,
                    const FileRest& rest = {});

// readBootsFile over bytes in memory.
std::optional<BootsFile> decodeFile(const unsigned char* bytes, std::size_t size);

// writeBootsFile into memory; nullopt where writeBootsFile gives false.
std::optional<std::vector<unsigned char>> encodeFile(const std::vector<BootRecord>& records,
                                                     const FileRest& rest = {});

// Gives each of `records` the bytes no field stands for of the boot at the same position of
// `from` (an import keeps what the file held there); boots past the end of `from` keep theirs.
void keepUnmodelled(const std::vector<BootRecord>& from, std::vector<BootRecord>& records);

} // namespace boots
