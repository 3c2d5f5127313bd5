// Running a command-line tool of the project as a program, and looking at the files it leaves.
#pragma once

#include "files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

using testsupport::readFile;
using testsupport::writeFile;

// The UTF-8 text of a path, which is how the tools take and report names on every system.
std::string u8(const std::filesystem::path& path);

// The wording of an error on Windows, or elsewhere.
const char* onWindows(const char* windows, const char* elsewhere);

// A zlib stream made by zlib itself, independently of the tools.
std::string compressed(const std::string& data, int level = -1 /* Z_DEFAULT_COMPRESSION */);

// Runs `program` with exactly these arguments and `input` on its standard input; on Windows the
// line ends of what it writes to standard error are made "\n". When `failWritesTo` names an
// existing file, writing it fails meanwhile: on POSIX the program runs under a file-size limit of
// 10 bytes, with SIGXFSZ at its default (a program that does not ignore the signal itself is
// killed); on Windows the file is held open with no sharing, so that it cannot be replaced.
Outcome runProgram(const char* program, const std::vector<std::string>& args,
                   const std::string& input = {}, const std::filesystem::path& failWritesTo = {});

// Every entry below `folder` with its contents ("<folder>" for folders), to compare before and
// after a run.
std::map<std::string, std::string> snapshot(const std::filesystem::path& folder);

// A fresh folder under the system's temporary folder, as a test fixture.
class ToolTest : public ::testing::Test {
protected:
    // A fresh folder for one table row.
    std::filesystem::path rowFolder(const std::string& row);

    testsupport::TempFolder folder_;
    const std::filesystem::path dir_ = folder_.path();
};
