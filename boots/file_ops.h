// The file operations that differ between POSIX and Windows, behind one interface. Every path is
// UTF-8 text; on Windows it is handed to the wide-character calls, so any Unicode name works,
// and long paths are given the "\\?\" form. Failures set errno.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace fileops {

// Opens a file with a C stdio mode ("rb", "wb", ...). Null on failure.
std::FILE* openFile(const std::string& path, const char* mode);

// Creates a new, empty file for writing in the folder of `target`, under a short name that no
// other file has, with the permissions a newly created file gets there; its path goes to
// `tempPath`. Null on failure, with nothing created.
std::FILE* createTempBeside(const std::string& target, std::string& tempPath);

// Flushes `file`'s buffer and has the system write it to the disk. False when either fails.
bool flushToDisk(std::FILE* file);

// Flushes `file` to the disk and closes it. False when either fails; the file is closed anyway.
inline bool flushAndClose(std::FILE* file) {
    const bool ok = flushToDisk(file);
    const int error = errno;
    if (std::fclose(file) != 0)
        return false;
    errno = error;
    return ok;
}

// Gives `tempPath` the permission bits of an existing `target` (nothing where there are none),
// then renames it over `target` in one step. False when the rename fails; both are then as they
// were.
bool replaceWith(const std::string& tempPath, const std::string& target);

// Deletes a file; no report.
void removeFile(const std::string& path);

// True when a file or folder exists at `path`.
bool exists(const std::string& path);

// The size of the open `file` in bytes, or -1.
std::int64_t fileSize(std::FILE* file);

// Puts standard input and output in binary mode, so that Windows translates no line end; nothing
// elsewhere.
void binaryStdio();

// The program's arguments after its name, as UTF-8. On Windows they are taken from the wide
// command line, since `argv` there holds them in the ANSI code page.
std::vector<std::string> arguments(int argc, char** argv);

} // namespace fileops
