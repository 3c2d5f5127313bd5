#include "test_files.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

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

void writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

Bytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> listFolder(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().u8string());
    std::sort(names.begin(), names.end());
    return names;
}

TempFolder::TempFolder() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("korvane-core-" + std::to_string(rd()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::operator/(const std::string& name) const {
    return (path_ / fs::u8path(name)).u8string();
}

} // namespace testfiles
