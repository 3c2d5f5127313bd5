#include "files.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace testsupport {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.u8string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes, bool append) {
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.u8string());
}

std::vector<std::string> listFolder(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().u8string());
    std::sort(names.begin(), names.end());
    return names;
}

TempFolder::TempFolder(const fs::path& parent) {
    std::random_device random;
    std::error_code error;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt)
        if (const fs::path candidate = parent / ("korvane-test-" + std::to_string(random()));
            fs::create_directory(candidate, error))
            path_ = candidate;
    if (path_.empty())
        throw std::runtime_error("cannot create a folder in " + parent.u8string());
}

TempFolder::~TempFolder() {
    // Windows removes no read-only file, and under Wine a program that has just ended holds its
    // files a moment longer.
    std::error_code error, ignored;
    for (fs::recursive_directory_iterator it(path_, error), end; !error && it != end;
         it.increment(error))
        fs::permissions(it->path(), fs::perms::owner_write,
                        fs::perm_options::add | fs::perm_options::nofollow, ignored);
    for (int tries = 1; (fs::remove_all(path_, error), error) && tries < 100; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

std::string TempFolder::operator/(const std::string& name) const {
    return (path_ / fs::u8path(name)).u8string();
}

} // namespace testsupport
