// Boots tables in .bin files, packed as one zlib stream or unpacked, and files replaced in one
// step. Paths are UTF-8.
#pragma once

#include "boots/boots_format.h"

#include <cstdio>
#include <string>
#include <vector>

namespace korvane_table {

// A table read from a file, or why it could not be: `error` is empty on success.
struct TableRead {
    std::vector<boots::BootRecord> records;
    std::string error;
};

// Reads the table in `file`, told apart by its first bytes: a boots data file header means an
// unpacked table, anything else must be one zlib stream holding one. Bytes after the last boot
// of the table are ignored, as the editor ignores them. `file` is read once, from where it
// stands (standard input will do).
TableRead readTable(std::FILE* file);

// Reads everything from `file` into `text`; false, with errno set, on a read error.
bool readAll(std::FILE* file, std::string& text);

// Replaces `target` (created if missing) with the boots data file of `records`, packed as one
// zlib stream, checked by unpacking it again, and keeps TARGET.bak of the file it replaces unless
// one exists (fileops::replaceFile). A read-only `target` is refused. An empty result on success;
// otherwise what failed, with `target` untouched.
std::string writePackedTable(const std::string& target,
                             const std::vector<boots::BootRecord>& records);

// Writes the boots data file of `records`, packed as one zlib stream, to `out` and flushes it.
// Results as writePackedTable.
std::string writePackedTable(std::FILE* out, const std::vector<boots::BootRecord>& records);

// Replaces `target` with the CSV text of `records`, checked by reading it back; no backup.
// Results as writePackedTable.
std::string writeCsvFile(const std::string& target, const std::vector<boots::BootRecord>& records);

} // namespace korvane_table
