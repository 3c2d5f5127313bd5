// Names on disk are single-byte Windows-1250 text; in memory they are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace boots {

// Converts Windows-1250 bytes to UTF-8. Every byte maps to one character, the five bytes the
// code page leaves undefined to U+0081, U+0083, U+0088, U+0090 and U+0098, so that
// utf8ToCp1250 gives every byte back.
std::string cp1250ToUtf8(std::string_view bytes);

// The character a Windows-1250 byte stands for (the undefined five stand for themselves).
char32_t cp1250Character(unsigned char byte);

// Converts UTF-8 to Windows-1250; a character the code page lacks, or a malformed sequence,
// becomes '?'.
std::string utf8ToCp1250(std::string_view utf8);

// As utf8ToCp1250, writing at most `capacity` bytes (the first `capacity` characters) to `out`.
// Returns the number of bytes written.
std::size_t utf8ToCp1250(std::string_view utf8, char* out, std::size_t capacity);

// How a UTF-8 text fits Windows-1250, from cp1250Fit.
inline constexpr std::uint32_t kMalformedUtf8 = 0xFFFFFFFF; // stands for a malformed sequence
struct Cp1250Fit {
    bool ok = true;
    std::size_t length = 0;      // characters before the first failure; all of them when ok
    std::uint32_t codePoint = 0; // when not ok: the missing character, or kMalformedUtf8
};

// Checks, replacing nothing, that `utf8` is well-formed and that Windows-1250 holds every one of
// its characters. When ok, `length` is the text's length in Windows-1250 bytes.
Cp1250Fit cp1250Fit(std::string_view utf8);

// True when `text` is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// Converts UTF-16 bytes (big-endian when `bigEndian`, no byte-order mark) to UTF-8 in `utf8`.
// False at the first unpaired surrogate or an odd last byte, with `utf8` holding the text before
// it.
bool utf16ToUtf8(std::string_view bytes, bool bigEndian, std::string& utf8);

// The first `count` characters (not bytes) of a UTF-8 text.
std::string utf8Left(std::string_view utf8, std::size_t count);

} // namespace boots
