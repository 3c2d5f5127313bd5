// Running a command-line tool of the project as a program, and looking at the files it leaves.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// A zlib stream made by zlib itself, independently of the tools.
std::string compressed(const std::string& data, int level = -1 /* Z_DEFAULT_COMPRESSION */);

// Runs `program` with exactly these arguments and `input` on its standard input; a file-size
// limit other than RLIM_INFINITY applies to the program only, with SIGXFSZ at its default: a
// program that does not ignore the signal itself is killed by a write past the limit.
Outcome runProgram(const char* program, const std::vector<std::string>& args,
                   rlim_t fileSizeLimit = RLIM_INFINITY, const std::string& input = {});

// Every entry below `folder` with its contents ("<folder>" for folders), to compare before and
// after a run.
std::map<std::string, std::string> snapshot(const std::filesystem::path& folder);

// A fresh folder under the system's temporary folder, as a test fixture.
class ToolTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A fresh folder for one table row.
    std::filesystem::path rowFolder(const std::string& row);

    std::filesystem::path dir_;
};
