// zlibtool: packs a file into one zlib stream, or unpacks such a stream again.
//   zlibtool PATH      writes PATH.zlib
//   zlibtool PATH -d   writes PATH.unzlib
//   zlibtool --help    (or -h, or /?) the usage line on standard output
// Silent on success (exit 0). On failure it reports on stderr and exits 1 (a file cannot be read or
// written) or 3 (the input to unpack is no zlib stream: corrupt, truncated or followed by more),
// leaving no output file and any earlier file of the output's name untouched; wrong arguments
// exit 2.
#include "fileops/file_ops.h"
#include "zstream/zstream.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitBadInput = 3;
constexpr const char* kUsage = "usage: zlibtool PATH [-d]  (pack PATH into PATH.zlib, or with -d "
                               "unpack it into PATH.unzlib)\n";

int report(const std::string& path, const char* what, int error = 0, int code = kExitFailure) {
    std::string text = "zlibtool: " + path + ": " + what;
    if (error != 0)
        text += std::string(": ") + std::strerror(error);
    fileops::writeText(stderr, text + "\n");
    return code;
}

int run(const std::string& inPath, bool unpack) {
    const std::string outPath = inPath + (unpack ? ".unzlib" : ".zlib");
    const fileops::FilePtr in(fileops::openFile(inPath, "rb"));
    if (!in)
        return report(inPath, "cannot open", errno);
    ZstreamResult result = ZSTREAM_OK;
    const auto write = [&](std::FILE* out) {
        result = unpack ? zstream_unpack(in.get(), out) : zstream_pack(in.get(), out);
        return result == ZSTREAM_OK;
    };
    // Not synced to the disk: the output is a new file beside the input, which its caller checks
    // before anything of it goes further.
    const fileops::ReplaceResult replaced = fileops::replaceFile(
        outPath, write, {}, fileops::Backup::None, fileops::Durability::Scratch);
    if (replaced.step == fileops::ReplaceStep::Create)
        return report(outPath, "cannot create", replaced.error);
    if (result != ZSTREAM_OK) {
        const bool io = result == ZSTREAM_READ_ERROR || result == ZSTREAM_WRITE_ERROR;
        const bool badInput = !io && result != ZSTREAM_NO_MEMORY;
        return report(result == ZSTREAM_WRITE_ERROR ? outPath : inPath, zstream_message(result),
                      io ? replaced.error : 0, badInput ? kExitBadInput : kExitFailure);
    }
    if (!replaced.ok())
        return report(outPath, zstream_message(ZSTREAM_WRITE_ERROR), replaced.error);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write past the file-size limit then fails like any other write, and is cleaned up.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    fileops::binaryStdio();
    const std::vector<std::string> args = fileops::arguments(argc, argv);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "/?"))
        return fileops::writeText(stdout, kUsage) && std::fflush(stdout) == 0 ? 0 : kExitFailure;
    if (args.size() == 1)
        return run(args[0], false);
    if (args.size() == 2 && args[1] == "-d")
        return run(args[0], true);
    fileops::writeText(stderr, kUsage);
    return kExitUsage;
}
