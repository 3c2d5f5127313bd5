#include "zstream/zstream.h"

#include <zlib.h>

namespace {

constexpr unsigned kChunk = 1u << 16;

// Writes what deflate left in `buffer`; false when the write fails.
bool writeOut(const unsigned char* buffer, const z_stream& strm, std::FILE* out) {
    const std::size_t have = kChunk - strm.avail_out;
    return std::fwrite(buffer, 1, have, out) == have;
}

// After the end of the stream: the input must hold nothing more.
ZstreamResult checkEnd(const z_stream& strm, const ZstreamSource& source) {
    unsigned char more = 0;
    return strm.avail_in > 0 || source(&more, 1) > 0 ? ZSTREAM_TRAILING : ZSTREAM_OK;
}

// Reads `in` for the unpacking; a read error ends the input, and its caller reports it.
ZstreamSource fileSource(std::FILE* in) {
    return [in](unsigned char* buffer, std::size_t capacity) {
        const std::size_t n = std::fread(buffer, 1, capacity, in);
        return std::ferror(in) ? 0 : n;
    };
}

} // namespace

ZstreamResult zstream_pack(std::FILE* in, std::FILE* out) {
    const ZstreamResult result = zstream_pack_from(
        [in](unsigned char* buffer, std::size_t capacity) {
            return std::fread(buffer, 1, capacity, in);
        },
        out);
    return result == ZSTREAM_OK && std::ferror(in) ? ZSTREAM_READ_ERROR : result;
}

ZstreamResult zstream_pack_from(const ZstreamSource& source, std::FILE* out) {
    z_stream strm{};
    if (deflateInit(&strm, Z_DEFAULT_COMPRESSION) != Z_OK)
        return ZSTREAM_NO_MEMORY;
    unsigned char inBuf[kChunk];
    unsigned char outBuf[kChunk];
    ZstreamResult result = ZSTREAM_OK;
    int flush = Z_NO_FLUSH;
    while (result == ZSTREAM_OK && flush != Z_FINISH) {
        strm.avail_in = static_cast<uInt>(source(inBuf, kChunk));
        flush = strm.avail_in == 0 ? Z_FINISH : Z_NO_FLUSH;
        strm.next_in = inBuf;
        do {
            strm.avail_out = kChunk;
            strm.next_out = outBuf;
            deflate(&strm, flush); // cannot fail with a valid state and non-null buffers
            if (!writeOut(outBuf, strm, out)) {
                result = ZSTREAM_WRITE_ERROR;
                break;
            }
        } while (strm.avail_out == 0);
    }
    deflateEnd(&strm);
    return result;
}

ZstreamResult zstream_unpack_from(const ZstreamSource& source, const ZstreamSink& sink) {
    z_stream strm{};
    if (inflateInit(&strm) != Z_OK)
        return ZSTREAM_NO_MEMORY;
    unsigned char inBuf[kChunk];
    unsigned char outBuf[kChunk];
    ZstreamResult result = ZSTREAM_OK;
    int ret = Z_OK;
    while (result == ZSTREAM_OK && ret != Z_STREAM_END) {
        strm.avail_in = static_cast<uInt>(source(inBuf, kChunk));
        if (strm.avail_in == 0) {
            result = ZSTREAM_TRUNCATED;
            break;
        }
        strm.next_in = inBuf;
        do {
            strm.avail_out = kChunk;
            strm.next_out = outBuf;
            ret = inflate(&strm, Z_NO_FLUSH);
            if (ret == Z_NEED_DICT || ret == Z_DATA_ERROR || ret == Z_STREAM_ERROR) {
                result = ZSTREAM_CORRUPT;
                break;
            }
            if (ret == Z_MEM_ERROR) {
                result = ZSTREAM_NO_MEMORY;
                break;
            }
            if (!sink(outBuf, kChunk - strm.avail_out)) {
                result = ZSTREAM_WRITE_ERROR;
                break;
            }
        } while (strm.avail_out == 0 && ret != Z_STREAM_END);
    }
    if (result == ZSTREAM_OK)
        result = checkEnd(strm, source);
    inflateEnd(&strm);
    return result;
}

ZstreamResult zstream_unpack_to(std::FILE* in, const ZstreamSink& sink) {
    const ZstreamResult result = zstream_unpack_from(fileSource(in), sink);
    return std::ferror(in) ? ZSTREAM_READ_ERROR : result;
}

ZstreamResult zstream_unpack(std::FILE* in, std::FILE* out) {
    return zstream_unpack_to(in, [out](const unsigned char* bytes, std::size_t size) {
        return std::fwrite(bytes, 1, size, out) == size;
    });
}

const char* zstream_message(ZstreamResult result) {
    switch (result) {
    case ZSTREAM_OK:
        return "success";
    case ZSTREAM_READ_ERROR:
        return "read error";
    case ZSTREAM_WRITE_ERROR:
        return "write error";
    case ZSTREAM_TRUNCATED:
        return "the compressed data is truncated";
    case ZSTREAM_CORRUPT:
        return "the compressed data is corrupt or fails its checksum";
    case ZSTREAM_TRAILING:
        return "bytes follow the end of the compressed data";
    case ZSTREAM_NO_MEMORY:
        return "out of memory";
    }
    return "unknown error";
}
