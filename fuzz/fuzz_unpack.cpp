// Fuzz target for the tool's unpacking: any input is either refused or unpacked to data that
// packs and unpacks back to itself.
#include "tools/zlibtool/zstream.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Runs `step` (pack or unpack) from `input` into `output`, all in memory; true when it succeeds.
bool transform(ZstreamResult (*step)(std::FILE*, std::FILE*), std::string& input,
               std::string& output) {
    std::FILE* in = fmemopen(input.data(), input.size(), "rb");
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    if (!in || !out)
        std::abort();
    const ZstreamResult result = step(in, out);
    std::fclose(in);
    std::fclose(out);
    output.assign(buffer, size);
    std::free(buffer);
    if (result == ZSTREAM_READ_ERROR || result == ZSTREAM_WRITE_ERROR)
        std::abort(); // memory streams do not fail
    return result == ZSTREAM_OK;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
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
