// zlibtool: packs a file into one zlib stream, or unpacks such a stream again.
//   zlibtool PATH      writes PATH.zlib
//   zlibtool PATH -d   writes PATH.unzlib
// Silent on success (exit 0). On failure it reports on stderr and exits 1, leaving no output
// file and any earlier file of the output's name untouched; wrong arguments exit 2.
#include "tools/zlibtool/zstream.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int report(const std::string& path, const char* what, int error = 0) {
    if (error != 0)
        std::fprintf(stderr, "zlibtool: %s: %s: %s\n", path.c_str(), what, std::strerror(error));
    else
        std::fprintf(stderr, "zlibtool: %s: %s\n", path.c_str(), what);
    return kExitFailure;
}

// Creates a new temporary file in the folder of `target`, with the permissions a newly created
// file gets there. Returns nullptr (errno set, nothing created) on failure.
std::FILE* openTemp(const std::string& target, std::string& tempPath) {
    tempPath = (std::filesystem::path(target).parent_path() / ".zlibtool-XXXXXX").string();
    const int fd = mkstemp(tempPath.data());
    if (fd < 0)
        return nullptr;
    const mode_t mask = umask(0);
    umask(mask);
    std::FILE* file = fchmod(fd, 0666 & ~mask) == 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        const int error = errno;
        close(fd);
        std::remove(tempPath.c_str());
        errno = error;
    }
    return file;
}

// Flushes and closes the temporary file and renames it to `target`. Returns false (errno set,
// temporary removed) on failure.
bool commit(std::FILE* file, const std::string& tempPath, const std::string& target) {
    bool ok = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    int error = errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        std::remove(tempPath.c_str());
        errno = error;
    }
    return ok;
}

int run(const std::string& inPath, bool unpack) {
    const std::string outPath = inPath + (unpack ? ".unzlib" : ".zlib");
    std::FILE* in = std::fopen(inPath.c_str(), "rb");
    if (!in)
        return report(inPath, "cannot open", errno);
    std::string tempPath;
    std::FILE* out = openTemp(outPath, tempPath);
    if (!out) {
        const int error = errno;
        std::fclose(in);
        return report(outPath, "cannot create", error);
    }
    const ZstreamResult result = unpack ? zstream_unpack(in, out) : zstream_pack(in, out);
    const int error = errno;
    std::fclose(in);
    if (result != ZSTREAM_OK) {
        std::fclose(out);
        std::remove(tempPath.c_str());
        const bool io = result == ZSTREAM_READ_ERROR || result == ZSTREAM_WRITE_ERROR;
        return report(result == ZSTREAM_WRITE_ERROR ? outPath : inPath, zstream_message(result),
                      io ? error : 0);
    }
    if (!commit(out, tempPath, outPath))
        return report(outPath, zstream_message(ZSTREAM_WRITE_ERROR), errno);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write past the file-size limit then fails like any other write, and is cleaned up.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    if (argc == 2)
        return run(argv[1], false);
    if (argc == 3 && std::strcmp(argv[2], "-d") == 0)
        return run(argv[1], true);
    std::fprintf(stderr, "usage: zlibtool PATH [-d]  (pack PATH into PATH.zlib, or with -d "
                         "unpack it into PATH.unzlib)\n");
    return kExitUsage;
}
