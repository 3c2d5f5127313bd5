// The few file operations whose form differs between platforms; the rest of the tool is
// standard C++.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace korvane_table {

// The path named by a UTF-8 argument.
std::filesystem::path toPath(const std::string& utf8);

// Opens `path` with a C stdio mode, keeping its Unicode name on every platform. Null, with errno
// set, on failure.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// Creates a new file beside `target` under a name no file has yet and opens it for writing.
// Null, with errno set and nothing created, on failure.
std::FILE* createFileBeside(const std::filesystem::path& target, std::filesystem::path& created);

// Writes what `file` buffers and has the system put the file's data on disk. False, with errno
// set, on failure.
bool syncFile(std::FILE* file);

// Renames `from` over `to` in one step, replacing an existing file `to`.
void renameOver(const std::filesystem::path& from, const std::filesystem::path& to,
                std::error_code& ec);

// Puts standard input and output in binary mode, so that no line end is translated.
void useBinaryStdio();

} // namespace korvane_table
