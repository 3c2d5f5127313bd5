// Fuzz target for the tool's unpacking: any input is either refused or unpacked to data that
// packs and unpacks back to itself.
#include "zstream/zstream.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A temporary file holding `bytes`, to be read from its start.
std::FILE* fileWith(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        std::abort();
    std::rewind(file);
    return file;
}

// Runs `step` (pack or unpack) from `input` into `output` through temporary files; true when it
// succeeds.
bool transform(ZstreamResult (*step)(std::FILE*, std::FILE*), const std::string& input,
               std::string& output) {
    std::FILE* in = fileWith(input);
    std::FILE* out = fileWith({});
    const ZstreamResult result = step(in, out);
    std::rewind(out);
    output.clear();
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
        output.append(buffer, n);
    std::fclose(in);
    std::fclose(out);
    if (result == ZSTREAM_READ_ERROR || result == ZSTREAM_WRITE_ERROR)
        std::abort(); // temporary files do not fail
    return result == ZSTREAM_OK;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string plain;
    if (!transform(zstream_unpack, input, plain))
        return 0;
    std::string packed;
    std::string again;
    if (!transform(zstream_pack, plain, packed) || !transform(zstream_unpack, packed, again) ||
        again != plain)
        std::abort();
    return 0;
}
