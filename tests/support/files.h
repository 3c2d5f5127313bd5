// Whole files, folder listings and a test's own folder, for every test program.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The bytes of the file at `path`; throws std::runtime_error when it cannot be opened.
std::string readFile(const std::filesystem::path& path);
// Makes the file at `path` hold exactly `bytes`, or adds them at its end when `append`; throws
// std::runtime_error when that fails.
void writeFile(const std::filesystem::path& path, const std::string& bytes, bool append = false);
// The names of the entries of `folder`, as UTF-8, sorted.
std::vector<std::string> listFolder(const std::filesystem::path& folder);

// A fresh folder below `parent`, removed with its contents (read-only ones too) on destruction.
class TempFolder {
public:
    explicit TempFolder(
        const std::filesystem::path& parent = std::filesystem::temp_directory_path());
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The UTF-8 text of path() / name, `name` being UTF-8 too.
    std::string operator/(const std::string& name) const;

private:
    std::filesystem::path path_;
};

} // namespace testsupport
