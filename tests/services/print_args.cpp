// Test helper: writes every argument after the first, each followed by a NUL byte, into the file
// named by the first argument, all as UTF-8. Exit code 0 on success, 1 on a usage or write error.
#include "fileops/file_ops.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> args = fileops::arguments(argc, argv);
    if (args.empty()) {
        std::fprintf(stderr, "usage: print_args OUTPUT [ARGUMENT...]\n");
        return 1;
    }
    std::FILE* out = fileops::openFile(args[0], "wb");
    if (!out)
        return 1;
    bool ok = true;
    for (std::size_t i = 1; i < args.size(); ++i)
        ok = ok && std::fwrite(args[i].c_str(), 1, args[i].size() + 1, out) == args[i].size() + 1;
    return std::fclose(out) == 0 && ok ? 0 : 1;
}
