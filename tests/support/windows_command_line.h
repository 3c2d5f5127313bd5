// Building a Windows command line for the test programs that start other programs.
#pragma once

#include <string>

// `arg` quoted so that the started program's CommandLineToArgvW (or C runtime) gives it back
// unchanged.
inline std::wstring windowsQuoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'"')
            out.append(slashes + 1, L'\\');
        slashes = c == L'\\' ? slashes + 1 : 0;
        out += c;
    }
    out.append(slashes, L'\\');
    return out + L'"';
}
