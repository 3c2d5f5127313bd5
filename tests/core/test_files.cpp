#include "test_files.h"

#include <algorithm>
#include <cstring>

namespace testfiles {
namespace {

void put32(Bytes& out, std::int32_t v) {
    std::uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(u >> (8 * i)));
}

} // namespace

Bytes header(const HeaderFields& h) {
    Bytes out;
    for (std::int32_t v : {h.Fixed_1, h.Fixed_8, h.Header_Length, h.Data_Length, h.Fixed_Minus16,
                           h.Zero_1, h.Zero_2, h.Zero_3})
        put32(out, v);
    return out;
}

Bytes record(const RawRecord& r) {
    Bytes out(r.name.begin(), r.name.begin() + std::min<std::size_t>(r.name.size(), 64));
    out.resize(64, 0);
    out.push_back(r.id);
    out.push_back(r.grupa);
    out.insert(out.end(), r.fixed3, r.fixed3 + 2);
    out.insert(out.end(), r.stats, r.stats + 5);
    out.push_back(r.zeroByte);
    out.insert(out.end(), r.zeroWord, r.zeroWord + 2);
    return out;
}

Bytes file(const std::vector<RawRecord>& records) {
    HeaderFields h;
    h.Data_Length = static_cast<std::int32_t>(76 * records.size());
    Bytes out = header(h);
    for (const RawRecord& r : records) {
        const Bytes rec = record(r);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    return out;
}

Bytes fileWithIds(const std::vector<std::uint8_t>& ids, std::size_t n) {
    if (n == 0)
        n = ids.size();
    std::vector<RawRecord> records(n);
    for (std::size_t k = 0; k < n; ++k) {
        records[k].id = ids[k % ids.size()];
        records[k].name = "B" + std::to_string(k);
    }
    return file(records);
}

} // namespace testfiles
