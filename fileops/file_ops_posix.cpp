#include "fileops/file_ops.h"
#include "fileops/file_ops_platform.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileops {

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::FILE* createTempBeside(const std::string& target, std::string& tempPath) {
    const std::string::size_type slash = target.rfind('/');
    tempPath = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
               ".korvane-XXXXXX";
    const int fd = mkstemp(tempPath.data());
    if (fd < 0)
        return nullptr;
    const mode_t mask = umask(0);
    umask(mask);
    std::FILE* file = fchmod(fd, 0666 & ~mask) == 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        const int error = errno;
        close(fd);
        unlink(tempPath.c_str());
        errno = error;
    }
    return file;
}

bool flushToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool replaceWith(const std::string& tempPath, const std::string& target, bool durable) {
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        chmod(tempPath.c_str(), old.st_mode & 07777);
    if (std::rename(tempPath.c_str(), target.c_str()) != 0)
        return false;
    if (durable) { // the folder's new entry on the disk too; nothing else can fail any more
        const std::string::size_type slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            fsync(fd);
            close(fd);
        }
    }
    return true;
}

bool isReadOnly(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ((st.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0);
}

bool isFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool writeText(std::FILE* stream, std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

void removeFile(const std::string& path) {
    unlink(path.c_str());
}

bool exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool isConsole(std::FILE*) {
    return false;
}

void binaryStdio() {}

std::vector<std::string> arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

} // namespace fileops
