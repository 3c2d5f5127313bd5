// The file operations that differ between POSIX and Windows, behind one interface. Every path is
// UTF-8 text; on Windows it is handed to the wide-character calls, so any Unicode name works,
// and long paths are given the "\\?\" form. Failures set errno.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fileops {

// Closes its file with fclose.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// An open file, closed when it goes out of scope.
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file with a C stdio mode ("rb", "wb", ...). Null on failure.
std::FILE* openFile(const std::string& path, const char* mode);

// The step at which replaceFile stopped: Done when the target was replaced. Read: copyOver could
// not open its source.
enum class ReplaceStep { Done, Read, Create, Write, Check, Backup, Rename };

// Whether replaceFile keeps a copy of the file it replaces: KeepFirst copies it to TARGET.bak
// unless that exists already, so the backup holds the file as it was before the first change.
enum class Backup { None, KeepFirst };

// Whether a file replaceFile puts in place must last through a power cut: Durable syncs it to the
// disk before the rename and, on POSIX, its folder after it (a file of the user's); Scratch does
// neither (a working file, thrown away later and checked wherever it is used).
enum class Durability { Durable, Scratch };

// What replaceFile did; `error` is the errno of a failed Create, Write, Backup or Rename step.
struct ReplaceResult {
    ReplaceStep step = ReplaceStep::Done;
    int error = 0;

    bool ok() const { return step == ReplaceStep::Done; }
};

// Replaces `target` (created if missing) safely: `write` fills a new file created beside it, which
// is flushed (to the disk, when Durable); `check`, when given, reads that file back from its start
// and approves it; then the backup that `backup` asks for is made (always durable); only then is
// the new file renamed over `target` in one step, with the permission bits of the file it
// replaces. A false from `write` or `check`, or a failed step, leaves `target` untouched and
// nothing new beside it (a backup made for a rename that then fails is removed again), and names
// the step; `error` is the errno of the failing call.
ReplaceResult replaceFile(const std::string& target, const std::function<bool(std::FILE*)>& write,
                          const std::function<bool(std::FILE*)>& check = {},
                          Backup backup = Backup::None,
                          Durability durability = Durability::Durable);

// replaceFile with a copy of the file `source`, checked by reading the copy back against it.
ReplaceResult copyOver(const std::string& source, const std::string& target,
                       Backup backup = Backup::None, Durability durability = Durability::Durable);

// True when `path` is a file that the user may not write: its read-only attribute on Windows;
// elsewhere no write permission, or no write bit at all (which root would ignore).
bool isReadOnly(const std::string& path);

// Writes the UTF-8 `text` to `stream` (standard output or error). On a Windows console it goes
// through the console's wide-character call as consoleText gives it, so that every letter shows;
// everywhere else, and when redirected, as the bytes given. False when the write fails.
bool writeText(std::FILE* stream, std::string_view text);

// True when `stream` is a Windows console; never elsewhere.
bool isConsole(std::FILE* stream);

// `text` as a console shows it: without a byte-order mark at its start (a file's mark, not text),
// every line ended by CRLF.
std::string consoleText(std::string_view text);

// True when a file or folder exists at `path`.
bool exists(const std::string& path);

// True when `a` and `b` name one existing file, whatever the paths (links, another spelling of
// the folder, letter case where the file system ignores it).
bool sameFile(const std::string& a, const std::string& b);

// Puts the standard streams in binary mode, so that Windows translates no line end of what is read
// or redirected; nothing elsewhere.
void binaryStdio();

// The program's arguments after its name, as UTF-8. On Windows they are taken from the wide
// command line, since `argv` there holds them in the ANSI code page.
std::vector<std::string> arguments(int argc, char** argv);

} // namespace fileops
