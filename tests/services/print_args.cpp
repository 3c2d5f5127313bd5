// Test helper: writes every argument after the first, each followed by a NUL byte, into the file
// named by the first argument. Exit code 0 on success, 1 on a usage or write error.
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: print_args OUTPUT [ARGUMENT...]\n");
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out)
        return 1;
    bool ok = true;
    for (int i = 2; i < argc; ++i)
        ok = ok &&
             std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, out) == std::strlen(argv[i]) + 1;
    return std::fclose(out) == 0 && ok ? 0 : 1;
}
