// The steps of fileops::replaceFile that differ between POSIX and Windows; used only inside
// korvane_file_ops. Paths are UTF-8; failures set errno.
#pragma once

#include <cstdio>
#include <string>

namespace fileops {

// Creates a new, empty file for writing in the folder of `target`, under a short name that no
// other file has, with the permissions a newly created file gets there; its path goes to
// `tempPath`. Null on failure, with nothing created.
std::FILE* createTempBeside(const std::string& target, std::string& tempPath);

// Flushes `file`'s buffer and has the system write it to the disk. False when either fails.
bool flushToDisk(std::FILE* file);

// Gives `tempPath` the permission bits of an existing `target` (nothing where there are none),
// then renames it over `target` in one step; when `durable`, the rename itself is made to last
// through a power cut. False when the rename fails; both are then as they were.
bool replaceWith(const std::string& tempPath, const std::string& target, bool durable);

// True when `path` is a regular file.
bool isFile(const std::string& path);

// Deletes a file; no report.
void removeFile(const std::string& path);

} // namespace fileops
