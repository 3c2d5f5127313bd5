// Boots tables in .bin files, packed as one zlib stream or unpacked, and files replaced in one
// step. Paths are UTF-8. Results are values; messages are English.
#pragma once

#include "boots/boots_format.h"
#include "fileops/file_ops.h"

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tablefile {

// Why a table could not be read.
enum class TableProblem {
    None,
    CannotOpen, // with systemError
    ReadError,  // with systemError
    Empty,      // the file holds no byte
    NotATable,  // neither a boots data file nor one packed by zlib, or its header is not one
    Truncated,  // it ends before its last boot
    Damaged,    // a packed file whose stream is damaged
};

// A table read from a file, or why it could not be: `error` is empty on success.
struct TableRead {
    std::vector<boots::BootRecord> records;
    std::string error;
    TableProblem problem = TableProblem::None;
    int systemError = 0;  // errno, where the problem comes from the system
    bool packed = false;  // the file is packed as one zlib stream, not an unpacked table
    boots::FileRest rest; // what the table's file holds besides its boots
};

// Reads the table in `file`, told apart by its first bytes: a boots data file header means an
// unpacked table, anything else must be one zlib stream holding one. What the file holds after
// the last boot is kept in `rest`. `file` is read once, from where it stands (standard input will
// do).
TableRead readTable(std::FILE* file);

// readTable of the file at `path`; "cannot open: REASON" when it cannot be opened.
TableRead readTableFile(const std::string& path);

// True when `packed` holds, from where it stands, exactly one zlib stream that unpacks to exactly
// the bytes that `expected` gives, length included: the check of every packed file that is to
// replace a user's file. Reads both a chunk at a time.
bool unpacksTo(std::FILE* packed, const boots::ByteSource& expected);

// Reads everything from `file` into `text`; false, with errno set, on a read error.
bool readAll(std::FILE* file, std::string& text);

// Replaces `target` (created if missing) with the boots data file of `records` and `rest`, packed
// as one zlib stream, checked by unpacking it again, and keeps TARGET.bak of the file it replaces
// unless one exists (fileops::replaceFile). A read-only `target` is refused. An empty result on
// success; otherwise what failed, with `target` untouched.
std::string writePackedTable(const std::string& target,
                             const std::vector<boots::BootRecord>& records,
                             const boots::FileRest& rest = {});

// Writes the boots data file of `records` and `rest`, packed as one zlib stream, to `out` and
// flushes it. Results as writePackedTable.
std::string writePackedTable(std::FILE* out, const std::vector<boots::BootRecord>& records,
                             const boots::FileRest& rest = {});

// Hands a text to its writer in pieces, as boots::encodeCsv and boots::encodePatch do; false when
// the writer refused a piece.
using TextEncoder = std::function<bool(const std::function<bool(std::string_view)>& write)>;

// Replaces `target` with the text that `encode` gives, checked by reading it back (`encode` runs
// twice), keeping TARGET.bak of a file it replaces unless one exists (fileops::replaceFile).
fileops::ReplaceResult replaceWithText(const std::string& target, const TextEncoder& encode);

// replaceWithText, refusing a read-only `target`. Results as writePackedTable.
std::string writeTextFile(const std::string& target, const TextEncoder& encode);

} // namespace tablefile
