// libFuzzer target for the boots file loader and writer that the table uses (decodeFile and
// encodeFile run them over bytes in memory): whatever the loader accepts must survive the writer
// and a second load unchanged.
#include "boots/boots_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoded = boots::decodeFile(data, size);
    if (!decoded)
        return 0;
    const auto encoded = boots::encodeFile(*decoded);
    if (!encoded) {
        std::fprintf(stderr, "accepted %zu records that could not be encoded\n", decoded->size());
        std::abort();
    }
    if (encoded->size() != boots::kHeaderSize + boots::kRecordSize * decoded->size()) {
        std::fprintf(stderr, "encoded size %zu for %zu records\n", encoded->size(),
                     decoded->size());
        std::abort();
    }
    const auto again = boots::decodeFile(encoded->data(), encoded->size());
    if (!again || *again != *decoded) {
        std::fprintf(stderr, "decode(encode(x)) differs from x\n");
        std::abort();
    }
    return 0;
}
