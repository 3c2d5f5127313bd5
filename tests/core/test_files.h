// Boots data files built byte by byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

using Bytes = std::vector<unsigned char>;

struct HeaderFields {
    std::int32_t Fixed_1 = 1;
    std::int32_t Fixed_8 = 8;
    std::int32_t Header_Length = 32;
    std::int32_t Data_Length = 76;
    std::int32_t Fixed_Minus16 = -16;
    std::int32_t Zero_1 = 0;
    std::int32_t Zero_2 = 0;
    std::int32_t Zero_3 = 0;
};

// One record as it lies on disk, every byte under the test's control.
struct RawRecord {
    std::string name; // raw bytes, padded with NUL to 64 (or cut to 64)
    std::uint8_t id = 1;
    std::uint8_t grupa = 1;
    std::uint8_t stats[5] = {1, 2, 3, 4, 5};
    std::uint8_t fixed3[2] = {3, 0};
    std::uint8_t zeroByte = 0;
    std::uint8_t zeroWord[2] = {0, 0};
};

Bytes header(const HeaderFields& h);
Bytes record(const RawRecord& r);
// A whole file: the standard header for records.size() records, then the records.
Bytes file(const std::vector<RawRecord>& records);
// A file of n records with IDs taken from ids (cycled) and names "B<k>".
Bytes fileWithIds(const std::vector<std::uint8_t>& ids, std::size_t n = 0);

} // namespace testfiles
