#include "tablefile/table_file.h"

#include "fileops/file_ops.h"
#include "zstream/zstream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

using boots::BootRecord;
using boots::kHeaderSize;
using boots::kRecordSize;

namespace tablefile {
namespace {

constexpr std::size_t kChunk = 1u << 16;

std::string withError(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

// True when `bytes` begin as a zlib stream does (deflate, window and check bits valid).
bool looksPacked(const unsigned char* bytes, std::size_t size) {
    return size >= 2 && (bytes[0] & 0x0F) == 8 && (bytes[0] >> 4) <= 7 &&
           (bytes[0] * 256 + bytes[1]) % 31 == 0;
}

// A failed read: the problem and what it says, with the system's error number where it has one.
TableRead failed(TableProblem problem, std::string error, int systemError = 0) {
    TableRead read;
    read.error = std::move(error);
    read.problem = problem;
    read.systemError = systemError;
    return read;
}

TableRead readOf(boots::BootsFile&& file, bool packed) {
    TableRead read;
    read.records = std::move(file.records);
    read.rest = std::move(file.rest);
    read.packed = packed;
    return read;
}

TableRead systemFailure(TableProblem problem, const char* what, int error) {
    return failed(problem, withError(what, error), error);
}

// Why `size` bytes of an unpacked file, starting with `header`, hold no table.
TableRead notATable(const unsigned char* header, std::size_t size) {
    if (size < kHeaderSize)
        return failed(TableProblem::NotATable, "not a boots table: it ends inside its header");
    const std::optional<std::size_t> count = boots::recordCount(boots::readHeader(header));
    if (!count)
        return failed(TableProblem::NotATable,
                      "not a boots table: its header is not that of a boots data file");
    return failed(TableProblem::Truncated, "the table ends after " +
                                               std::to_string((size - kHeaderSize) / kRecordSize) +
                                               " of its " + std::to_string(*count) + " boots");
}

std::string cannotHold(const std::vector<BootRecord>& records) {
    return "a boots data file cannot hold " + std::to_string(records.size()) + " boots";
}

// Packs `table` into one zlib stream written to `out`; false when writing fails.
bool pack(const std::vector<unsigned char>& table, std::FILE* out) {
    std::size_t at = 0;
    const auto source = [&table, &at](unsigned char* buffer, std::size_t capacity) {
        const std::size_t n = std::min(capacity, table.size() - at);
        std::memcpy(buffer, table.data() + at, n);
        at += n;
        return n;
    };
    return zstream_pack_from(source, out) == ZSTREAM_OK;
}

// What a failed replace of `target` did not do, in English; empty when it replaced it.
std::string replaceFailure(const std::string& target, const fileops::ReplaceResult& result) {
    switch (result.step) {
    case fileops::ReplaceStep::Done:
        return {};
    case fileops::ReplaceStep::Read: // copyOver's alone
    case fileops::ReplaceStep::Create:
        return withError("cannot create a file beside it", result.error);
    case fileops::ReplaceStep::Write:
        return withError("write error", result.error);
    case fileops::ReplaceStep::Check:
        return "the file written does not read back the same";
    case fileops::ReplaceStep::Backup:
        return withError("cannot keep a backup in " + target + ".bak", result.error);
    case fileops::ReplaceStep::Rename:
        break;
    }
    return withError("cannot replace it", result.error);
}

const char* const kReadOnly = "cannot replace it: the file is read-only";

} // namespace

TableRead readTable(std::FILE* file) {
    unsigned char first[kHeaderSize];
    const std::size_t got = std::fread(first, 1, sizeof first, file);
    if (std::ferror(file))
        return systemFailure(TableProblem::ReadError, "read error", errno);
    if (got == 0)
        return failed(TableProblem::Empty, "the file is empty");
    // The first bytes again, then the rest of the file; a read error ends it.
    std::size_t replayed = 0;
    const auto source = [&](unsigned char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, got - replayed);
        std::memcpy(buffer, first + replayed, n);
        replayed += n;
        const std::size_t more = n < size ? std::fread(buffer + n, 1, size - n, file) : 0;
        return std::ferror(file) ? 0 : n + more;
    };
    if (got == sizeof first && boots::recordCount(boots::readHeader(first))) {
        std::size_t given = 0;
        auto read = boots::readBootsFile([&](unsigned char* buffer, std::size_t size) {
            const std::size_t n = source(buffer, size);
            given += n;
            return n;
        });
        if (std::ferror(file))
            return systemFailure(TableProblem::ReadError, "read error", errno);
        if (!read)
            return notATable(first, given);
        return readOf(std::move(*read), false);
    }
    if (!looksPacked(first, got))
        return failed(TableProblem::NotATable,
                      "not a boots table: neither a boots data file nor one packed by zlib");
    // Every unpacked byte is kept, unless the header shows that the stream holds no table.
    std::vector<unsigned char> plain;
    const auto sink = [&plain](const unsigned char* data, std::size_t size) {
        const bool hadHeader = plain.size() >= kHeaderSize;
        plain.insert(plain.end(), data, data + size);
        return hadHeader || plain.size() < kHeaderSize ||
               boots::recordCount(boots::readHeader(plain.data())).has_value();
    };
    const ZstreamResult result = zstream_unpack_from(source, sink);
    if (std::ferror(file))
        return systemFailure(TableProblem::ReadError, "read error", errno);
    // ZSTREAM_WRITE_ERROR means that the sink refused the header; notATable says why.
    if (result != ZSTREAM_OK && result != ZSTREAM_WRITE_ERROR)
        return failed(TableProblem::Damaged, zstream_message(result));
    auto read = boots::decodeFile(plain.data(), plain.size());
    if (!read)
        return notATable(plain.data(), plain.size());
    return readOf(std::move(*read), true);
}

TableRead readTableFile(const std::string& path) {
    const fileops::FilePtr file(fileops::openFile(path, "rb"));
    if (!file)
        return systemFailure(TableProblem::CannotOpen, "cannot open", errno);
    return readTable(file.get());
}

bool unpacksTo(std::FILE* packed, const boots::ByteSource& expected) {
    std::vector<unsigned char> chunk;
    const auto same = [&](const unsigned char* data, std::size_t size) {
        chunk.resize(size);
        return expected(chunk.data(), size) == size &&
               std::equal(data, data + size, chunk.begin());
    };
    unsigned char more = 0;
    return zstream_unpack_to(packed, same) == ZSTREAM_OK && expected(&more, 1) == 0;
}

bool readAll(std::FILE* file, std::string& text) {
    char chunk[kChunk];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        text.append(chunk, n);
    return !std::ferror(file);
}

std::string writePackedTable(const std::string& target, const std::vector<BootRecord>& records,
                             const boots::FileRest& rest) {
    const std::optional<std::vector<unsigned char>> table = boots::encodeFile(records, rest);
    if (!table)
        return cannotHold(records);
    const auto write = [&table](std::FILE* out) { return pack(*table, out); };
    const auto check = [&table](std::FILE* in) {
        std::size_t at = 0;
        return unpacksTo(in, [&table, &at](unsigned char* buffer, std::size_t size) {
            const std::size_t n = std::min(size, table->size() - at);
            std::memcpy(buffer, table->data() + at, n);
            at += n;
            return n;
        });
    };
    if (fileops::isReadOnly(target))
        return kReadOnly;
    return replaceFailure(target,
                          fileops::replaceFile(target, write, check, fileops::Backup::KeepFirst));
}

std::string writePackedTable(std::FILE* out, const std::vector<BootRecord>& records,
                             const boots::FileRest& rest) {
    const std::optional<std::vector<unsigned char>> table = boots::encodeFile(records, rest);
    if (!table)
        return cannotHold(records);
    if (!pack(*table, out) || std::fflush(out) != 0)
        return withError("write error", errno);
    return {};
}

fileops::ReplaceResult replaceWithText(const std::string& target, const TextEncoder& encode) {
    const auto write = [&encode](std::FILE* out) {
        return encode([out](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
        });
    };
    const auto check = [&encode](std::FILE* in) {
        std::string back;
        const auto same = [&](std::string_view piece) {
            back.resize(piece.size());
            return std::fread(back.data(), 1, back.size(), in) == back.size() && back == piece;
        };
        return encode(same) && std::fgetc(in) == EOF && !std::ferror(in);
    };
    return fileops::replaceFile(target, write, check, fileops::Backup::KeepFirst);
}

std::string writeTextFile(const std::string& target, const TextEncoder& encode) {
    if (fileops::isReadOnly(target))
        return kReadOnly;
    return replaceFailure(target, replaceWithText(target, encode));
}

} // namespace tablefile
