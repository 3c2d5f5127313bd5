#include "boots/cp1250.h"

#include <array>
#include <cstdint>

namespace boots {
namespace {

// Code points of the bytes 0x80 to 0xFF. The five bytes Windows-1250 leaves undefined keep
// their own value (U+0081, U+0083, U+0088, U+0090, U+0098), as Windows maps them.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // F8
};

constexpr char kUnmappable = '?';

// Byte for each code point below kReverseSize (0 where the code page has none), built from kHigh.
constexpr std::size_t kReverseSize = 0x2200; // past U+2122, the largest code point of kHigh
constexpr std::array<unsigned char, kReverseSize> kReverse = [] {
    std::array<unsigned char, kReverseSize> table{};
    for (std::size_t cp = 0; cp < 0x80; ++cp)
        table[cp] = static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        table[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
    return table;
}();

// The byte for a code point, or kUnmappable.
char toByte(std::uint32_t cp) {
    if (cp == 0)
        return 0;
    const unsigned char b = cp < kReverseSize ? kReverse[cp] : 0;
    return b ? static_cast<char>(b) : kUnmappable;
}

// Writes a code point as UTF-8 at `out`; returns the position after it.
char* writeUtf8(char* out, std::uint32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

struct Decoded {
    std::uint32_t cp;   // the code point, or kInvalid
    std::size_t length; // bytes taken, at least 1
};
constexpr std::uint32_t kInvalid = 0xFFFFFFFF;

// Decodes the character at utf8[pos]. A malformed sequence yields kInvalid and takes its
// maximal ill-formed subpart (Unicode's recommended practice), so that each malformed stretch
// counts as one character both when it is cut and when it becomes '?'.
Decoded nextChar(std::string_view utf8, std::size_t pos) {
    const auto b0 = static_cast<unsigned char>(utf8[pos]);
    if (b0 < 0x80)
        return {b0, 1};
    std::size_t need;
    std::uint32_t cp;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        cp = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0; // no overlong forms
        else if (b0 == 0xED)
            hi = 0x9F; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        cp = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F; // nothing past U+10FFFF
    } else {
        return {kInvalid, 1};
    }
    for (std::size_t i = 1; i <= need; ++i) {
        if (pos + i >= utf8.size())
            return {kInvalid, i};
        const auto b = static_cast<unsigned char>(utf8[pos + i]);
        const unsigned char min = i == 1 ? lo : 0x80;
        const unsigned char max = i == 1 ? hi : 0xBF;
        if (b < min || b > max)
            return {kInvalid, i};
        cp = (cp << 6) | (b & 0x3F);
    }
    return {cp, need + 1};
}

} // namespace

char32_t cp1250Character(unsigned char byte) {
    return byte < 0x80 ? byte : kHigh[byte - 0x80];
}

std::string cp1250ToUtf8(std::string_view bytes) {
    // Names are at most 64 bytes: convert them on the stack and build the string once.
    constexpr std::size_t kStackBytes = 64;
    char stack[kStackBytes * 3];
    std::string heap;
    char* out = stack;
    if (bytes.size() > kStackBytes) {
        heap.resize(bytes.size() * 3);
        out = heap.data();
    }
    char* p = out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            *p++ = c;
        else
            p = writeUtf8(p, kHigh[b - 0x80]);
    }
    if (out == stack)
        return std::string(stack, p);
    heap.resize(static_cast<std::size_t>(p - out));
    return heap;
}

std::size_t utf8ToCp1250(std::string_view utf8, char* out, std::size_t capacity) {
    std::size_t written = 0;
    std::size_t pos = 0;
    while (pos < utf8.size() && written < capacity) {
        const auto b = static_cast<unsigned char>(utf8[pos]);
        if (b < 0x80) {
            out[written++] = utf8[pos++];
            continue;
        }
        const Decoded d = nextChar(utf8, pos);
        out[written++] = d.cp == kInvalid ? kUnmappable : toByte(d.cp);
        pos += d.length;
    }
    return written;
}

std::string utf8ToCp1250(std::string_view utf8) {
    std::string out(utf8.size(), '\0'); // never more bytes than UTF-8 has
    out.resize(utf8ToCp1250(utf8, out.data(), out.size()));
    return out;
}

Cp1250Fit cp1250Fit(std::string_view utf8) {
    Cp1250Fit fit;
    for (std::size_t pos = 0; pos < utf8.size(); ++fit.length) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const Decoded d = nextChar(utf8, pos);
        if (d.cp == kInvalid || toByte(d.cp) == kUnmappable) { // '?' and NUL took the ASCII path
            fit.ok = false;
            fit.codePoint = d.cp == kInvalid ? kMalformedUtf8 : d.cp;
            return fit;
        }
        pos += d.length;
    }
    return fit;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Decoded d = nextChar(text, pos);
        if (d.cp == kInvalid)
            return false;
        pos += d.length;
    }
    return true;
}

bool utf16ToUtf8(std::string_view bytes, bool bigEndian, std::string& utf8) {
    const auto unit = [&](std::size_t at) {
        const auto hi = static_cast<unsigned char>(bytes[at + (bigEndian ? 0 : 1)]);
        const auto lo = static_cast<unsigned char>(bytes[at + (bigEndian ? 1 : 0)]);
        return static_cast<std::uint32_t>(hi << 8 | lo);
    };
    utf8.clear();
    utf8.reserve(bytes.size() / 2 * 3);
    char encoded[4];
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        std::uint32_t cp = unit(at);
        if (cp >= 0xDC00 && cp <= 0xDFFF)
            return false;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            const std::uint32_t low = at + 3 < bytes.size() ? unit(at + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            at += 2;
        }
        utf8.append(encoded, writeUtf8(encoded, cp));
    }
    return at == bytes.size();
}

std::string utf8Left(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < utf8.size(); ++n)
        pos += nextChar(utf8, pos).length;
    return std::string(utf8.substr(0, pos));
}

} // namespace boots
