#include "boots/name_order.h"

#include "boots/boots_format.h"
#include "boots/cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace boots {
namespace {

// The Polish letters, small and capital, and the letter each comes after (ż after ź, after z).
constexpr struct {
    char32_t small, capital;
    char base;
    int after;
} kPolishLetters[] = {
    {U'ą', U'Ą', 'a', 1}, {U'ć', U'Ć', 'c', 1}, {U'ę', U'Ę', 'e', 1},
    {U'ł', U'Ł', 'l', 1}, {U'ń', U'Ń', 'n', 1}, {U'ó', U'Ó', 'o', 1},
    {U'ś', U'Ś', 's', 1}, {U'ź', U'Ź', 'z', 1}, {U'ż', U'Ż', 'z', 2},
};

// Where a character goes in name order: letters by their lower-case form, each Polish letter
// right after its base letter; anything else by its code after every letter.
std::uint32_t nameWeight(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        c += 'a' - 'A';
    if (c >= 'a' && c <= 'z')
        return c * 4;
    for (const auto& letter : kPolishLetters)
        if (c == letter.small || c == letter.capital)
            return std::uint32_t(letter.base) * 4 + std::uint32_t(letter.after);
    return c < 0x80 ? c : 0x1000 + c;
}

// The place of each Windows-1250 byte in name order, from 1 (0 stands for the end of a name).
const std::array<std::uint8_t, 256>& byteRanks() {
    static const std::array<std::uint8_t, 256> ranks = [] {
        std::array<std::uint32_t, 256> weights{};
        for (std::size_t b = 0; b < 256; ++b)
            weights[b] = nameWeight(cp1250Character(static_cast<unsigned char>(b)));
        std::array<std::uint32_t, 256> sorted = weights;
        std::sort(sorted.begin(), sorted.end());
        const auto last = std::unique(sorted.begin(), sorted.end());
        std::array<std::uint8_t, 256> rank{};
        for (std::size_t b = 0; b < 256; ++b)
            rank[b] = static_cast<std::uint8_t>(
                1 + (std::lower_bound(sorted.begin(), last, weights[b]) - sorted.begin()));
        return rank;
    }();
    return ranks;
}

// Sixteen characters of a row's name: their places in name order, a byte each, the first
// highest, in two numbers of eight; 0 past the end of the name.
struct Chunk {
    std::uint64_t first;
    std::uint64_t second;
    int row;
};

// Characters `16 * chunk` to `16 * chunk + 15` of `name`. A name holds only what Windows-1250
// holds, so a byte a character is enough.
Chunk nameChunk(const std::string& name, std::size_t chunk, int row) {
    char bytes[kNameSize + 16];
    const std::size_t from = 16 * chunk;
    const std::size_t length = utf8ToCp1250(name, bytes, std::min(from + 16, sizeof bytes));
    const auto eight = [&](std::size_t start) {
        std::uint64_t key = 0;
        for (std::size_t at = start; at < start + 8; ++at)
            key = key << 8 | (at < length ? byteRanks()[static_cast<unsigned char>(bytes[at])]
                                          : std::uint64_t(0));
        return key;
    };
    return {eight(from), eight(from + 8), row};
}

// Sorts rows[first, last) by the characters from `16 * chunk` on.
void sortFrom(std::vector<int>& rows, std::size_t first, std::size_t last, std::size_t chunk,
              const std::function<const std::string&(int)>& nameOf, bool descending) {
    if (last - first < 2)
        return;
    std::vector<Chunk> chunks;
    chunks.reserve(last - first);
    for (std::size_t i = first; i < last; ++i)
        chunks.push_back(nameChunk(nameOf(rows[i]), chunk, rows[i]));
    std::sort(chunks.begin(), chunks.end(), [descending](const Chunk& a, const Chunk& b) {
        if (a.first != b.first)
            return descending ? a.first > b.first : a.first < b.first;
        if (a.second != b.second)
            return descending ? a.second > b.second : a.second < b.second;
        return a.row < b.row;
    });
    for (std::size_t i = first; i < last; ++i)
        rows[i] = chunks[i - first].row;
    for (std::size_t begin = 0; begin < chunks.size();) {
        std::size_t end = begin + 1;
        while (end < chunks.size() && chunks[end].first == chunks[begin].first &&
               chunks[end].second == chunks[begin].second)
            ++end;
        if ((chunks[begin].second & 0xFF) != 0) // the names go on past these sixteen characters
            sortFrom(rows, first + begin, first + end, chunk + 1, nameOf, descending);
        begin = end;
    }
}

} // namespace

void sortByName(std::vector<int>& rows, const std::function<const std::string&(int row)>& nameOf,
                bool descending) {
    sortFrom(rows, 0, rows.size(), 0, nameOf, descending);
}

} // namespace boots
