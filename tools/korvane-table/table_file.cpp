#include "tools/korvane-table/table_file.h"

#include "boots/boots_csv.h"
#include "tools/korvane-table/file_ops.h"
#include "tools/zlibtool/zstream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fs = std::filesystem;
using boots::BootRecord;
using boots::kHeaderSize;
using boots::kRecordSize;

namespace korvane_table {
namespace {

constexpr std::size_t kChunk = 1u << 16;

std::string withError(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// True when `bytes` begin as a zlib stream does (deflate, window and check bits valid).
bool looksPacked(const unsigned char* bytes, std::size_t size) {
    return size >= 2 && (bytes[0] & 0x0F) == 8 && (bytes[0] >> 4) <= 7 &&
           (bytes[0] * 256 + bytes[1]) % 31 == 0;
}

// Decodes a boots data file handed over in pieces, keeping no more than one record's bytes.
class TableDecoder {
public:
    // Takes the next piece; false once the header is rejected.
    bool add(const unsigned char* data, std::size_t size) {
        while (size > 0 && !rejected_) {
            if (headerRead_ && records_.size() == count_)
                return true; // bytes after the last boot
            const std::size_t want = headerRead_ ? kRecordSize : kHeaderSize;
            if (have_ == 0 && size >= want && headerRead_) {
                records_.push_back(boots::decodeRecord(data));
                data += want;
                size -= want;
                continue;
            }
            const std::size_t take = std::min(size, want - have_);
            std::memcpy(partial_ + have_, data, take);
            have_ += take;
            data += take;
            size -= take;
            if (have_ == want) {
                have_ = 0;
                if (headerRead_)
                    records_.push_back(boots::decodeRecord(partial_));
                else
                    takeHeader();
            }
        }
        return !rejected_;
    }

    // The records, once the whole file was handed over, or what is wrong with it.
    TableRead finish() {
        if (rejected_)
            return {{}, "not a boots table: its header is not that of a boots data file"};
        if (!headerRead_)
            return {{}, "not a boots table: it ends inside its header"};
        if (records_.size() < count_)
            return {{},
                    "the table ends after " + std::to_string(records_.size()) + " of its " +
                        std::to_string(count_) + " boots"};
        return {std::move(records_), {}};
    }

private:
    void takeHeader() {
        headerRead_ = true;
        const std::optional<std::size_t> count = boots::recordCount(boots::readHeader(partial_));
        rejected_ = !count;
        count_ = count.value_or(0);
    }

    unsigned char partial_[kRecordSize];
    std::size_t have_ = 0;
    bool headerRead_ = false;
    bool rejected_ = false;
    std::size_t count_ = 0;
    std::vector<BootRecord> records_;
};

// The bytes of the boots data file of `records`, handed out in order.
class TableBytes {
public:
    explicit TableBytes(const std::vector<BootRecord>& records)
        : records_(records), size_(kHeaderSize + kRecordSize * records.size()) {
        boots::encodeHeader(records.size(), header_);
    }

    // Puts the next bytes, at most `capacity`, at `out`; returns how many (0 at the end).
    std::size_t read(unsigned char* out, std::size_t capacity) {
        std::size_t done = 0;
        while (done < capacity && pos_ < size_) {
            std::size_t take;
            if (pos_ < kHeaderSize) {
                take = std::min(kHeaderSize - pos_, capacity - done);
                std::memcpy(out + done, header_ + pos_, take);
            } else {
                const BootRecord& r = records_[(pos_ - kHeaderSize) / kRecordSize];
                const std::size_t offset = (pos_ - kHeaderSize) % kRecordSize;
                take = std::min(kRecordSize - offset, capacity - done);
                if (take == kRecordSize) {
                    boots::encodeRecord(r, out + done);
                } else {
                    unsigned char record[kRecordSize];
                    boots::encodeRecord(r, record);
                    std::memcpy(out + done, record + offset, take);
                }
            }
            done += take;
            pos_ += take;
        }
        return done;
    }

private:
    const std::vector<BootRecord>& records_;
    std::size_t pos_ = 0;
    std::size_t size_;
    unsigned char header_[kHeaderSize];
};

} // namespace

TableRead readTable(std::FILE* file) {
    unsigned char first[kHeaderSize];
    const std::size_t got = std::fread(first, 1, sizeof first, file);
    if (std::ferror(file))
        return {{}, withError("read error", errno)};
    TableDecoder decoder;
    if (got == sizeof first && boots::recordCount(boots::readHeader(first))) {
        decoder.add(first, got);
        std::vector<unsigned char> chunk(kChunk);
        for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0;)
            decoder.add(chunk.data(), n);
        if (std::ferror(file))
            return {{}, withError("read error", errno)};
        return decoder.finish();
    }
    if (!looksPacked(first, got))
        return {{}, "not a boots table: neither a boots data file nor one packed by zlib"};
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return {{}, withError("read error", errno)};
    const ZstreamResult result =
        zstream_unpack_to(file, [&decoder](const unsigned char* data, std::size_t size) {
            return decoder.add(data, size);
        });
    if (result == ZSTREAM_READ_ERROR)
        return {{}, withError("read error", errno)};
    // ZSTREAM_WRITE_ERROR means that the decoder refused the header; finish() says why.
    if (result != ZSTREAM_OK && result != ZSTREAM_WRITE_ERROR)
        return {{}, zstream_message(result)};
    return decoder.finish();
}

bool readAll(std::FILE* file, std::string& text) {
    char chunk[kChunk];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        text.append(chunk, n);
    return !std::ferror(file);
}

std::string replaceFile(const fs::path& target, const std::function<bool(std::FILE*)>& write,
                        const std::function<bool(std::FILE*)>& check) {
    fs::path temp;
    std::FILE* out = createFileBeside(target, temp);
    if (!out)
        return withError("cannot create a file beside it", errno);
    bool ok = write(out) && syncFile(out);
    int error = errno;
    if (std::fclose(out) != 0 && ok) {
        ok = false;
        error = errno;
    }
    std::string failure;
    if (!ok) {
        failure = withError("write error", error);
    } else {
        std::FILE* back = openFile(temp, "rb");
        const bool same = back && check(back);
        if (back)
            std::fclose(back);
        if (!same)
            failure = "the file written does not read back the same";
    }
    std::error_code ec;
    if (failure.empty()) {
        // Keep the replaced file's permission bits, as writing it in place would have.
        const fs::file_status old = fs::status(target, ec);
        if (!ec && fs::is_regular_file(old))
            fs::permissions(temp, old.permissions(), ec);
        renameOver(temp, target, ec);
        if (ec)
            failure = "cannot replace it: " + ec.message();
    }
    if (!failure.empty())
        fs::remove(temp, ec);
    return failure;
}

std::string writePackedTable(const fs::path& target, const std::vector<BootRecord>& records) {
    unsigned char header[kHeaderSize];
    if (!boots::encodeHeader(records.size(), header))
        return "a boots data file cannot hold " + std::to_string(records.size()) + " boots";
    const auto write = [&records](std::FILE* out) {
        TableBytes bytes(records);
        return zstream_pack_from(
                   [&bytes](unsigned char* buffer, std::size_t capacity) {
                       return bytes.read(buffer, capacity);
                   },
                   out) == ZSTREAM_OK;
    };
    const auto check = [&records](std::FILE* in) {
        TableBytes expected(records);
        std::vector<unsigned char> want;
        const auto same = [&](const unsigned char* data, std::size_t size) {
            want.resize(size);
            return expected.read(want.data(), size) == size &&
                   std::equal(data, data + size, want.begin());
        };
        unsigned char more;
        return zstream_unpack_to(in, same) == ZSTREAM_OK && expected.read(&more, 1) == 0;
    };
    return replaceFile(target, write, check);
}

std::string writeCsvFile(const fs::path& target, const std::vector<BootRecord>& records) {
    const auto write = [&records](std::FILE* out) {
        return boots::encodeCsv(records, [out](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
        });
    };
    const auto check = [&records](std::FILE* in) {
        std::string back;
        const auto same = [&](std::string_view piece) {
            back.resize(piece.size());
            return std::fread(back.data(), 1, back.size(), in) == back.size() && back == piece;
        };
        return boots::encodeCsv(records, same) && std::fgetc(in) == EOF && !std::ferror(in);
    };
    return replaceFile(target, write, check);
}

} // namespace korvane_table
