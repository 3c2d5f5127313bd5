#include "tools/korvane-table/file_ops.h"

#include <cerrno>
#include <random>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace korvane_table {

fs::path toPath(const std::string& utf8) {
    return fs::u8path(utf8);
}

std::FILE* openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

namespace {

// Creates `path` only if no file has that name, and opens it for writing bytes.
std::FILE* createNew(const fs::path& path) {
#ifdef _WIN32
    const int fd =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
    const auto closeFd = _close;
#else
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
    const auto closeFd = close;
#endif
    if (fd >= 0 && !file) {
        const int error = errno;
        closeFd(fd);
        std::error_code ec;
        fs::remove(path, ec);
        errno = error;
    }
    return file;
}

} // namespace

std::FILE* createFileBeside(const fs::path& target, fs::path& created) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = target;
        created += ".korvane-table-" + std::to_string(random()) + ".tmp";
        if (std::FILE* file = createNew(created))
            return file;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

bool syncFile(std::FILE* file) {
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

void renameOver(const fs::path& from, const fs::path& to, std::error_code& ec) {
    fs::rename(from, to, ec); // MoveFileExW with MOVEFILE_REPLACE_EXISTING on Windows
}

void useBinaryStdio() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

} // namespace korvane_table
