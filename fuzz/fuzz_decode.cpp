// libFuzzer target for the boots file loader and writer that the table uses (decodeFile and
// encodeFile run them over bytes in memory): whatever the loader accepts, the writer gives back
// byte for byte.
#include "boots/boots_format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoded = boots::decodeFile(data, size);
    if (!decoded)
        return 0;
    const auto encoded = boots::encodeFile(decoded->records, decoded->rest);
    if (!encoded) {
        std::fprintf(stderr, "accepted %zu records that could not be encoded\n",
                     decoded->records.size());
        std::abort();
    }
    if (encoded->size() != size || !std::equal(encoded->begin(), encoded->end(), data)) {
        std::fprintf(stderr, "encode(decode(x)) differs from x\n");
        std::abort();
    }
    return 0;
}
