// Packing and unpacking of whole files as one zlib stream (RFC 1950), in fixed-size chunks so
// that memory stays small whatever the file size.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>

enum ZstreamResult {
    ZSTREAM_OK = 0,
    ZSTREAM_READ_ERROR,  // reading the input failed
    ZSTREAM_WRITE_ERROR, // writing the output failed
    ZSTREAM_TRUNCATED,   // the input ends before the end of the stream
    ZSTREAM_CORRUPT,     // bad header, bad data or bad checksum
    ZSTREAM_TRAILING,    // bytes follow the end of the stream
    ZSTREAM_NO_MEMORY    // zlib could not allocate its state
};

// Packs everything from `in` up to its end into one zlib stream written to `out`.
// Returns ZSTREAM_OK, ZSTREAM_READ_ERROR, ZSTREAM_WRITE_ERROR or ZSTREAM_NO_MEMORY. Does not
// flush or close either file; after a failure `out` holds an incomplete stream.
ZstreamResult zstream_pack(std::FILE* in, std::FILE* out);

// Puts at most `capacity` bytes of the input at `buffer` and returns how many; 0 ends the input.
using ZstreamSource = std::function<std::size_t(unsigned char* buffer, std::size_t capacity)>;

// Takes the next `size` unpacked bytes; false stops the unpacking.
using ZstreamSink = std::function<bool(const unsigned char* bytes, std::size_t size)>;

// Unpacks the bytes `source` hands over (exactly one complete zlib stream, nothing after it) and
// hands the result to `sink` in order; ZSTREAM_WRITE_ERROR when `sink` returns false. Returns
// ZSTREAM_OK or the first fault found (never ZSTREAM_READ_ERROR: a source that fails ends its
// input); after a failure `sink` has had part of the data.
ZstreamResult zstream_unpack_from(const ZstreamSource& source, const ZstreamSink& sink);

// zstream_unpack_from reading `in`; ZSTREAM_READ_ERROR when reading it fails. Does not close `in`.
ZstreamResult zstream_unpack_to(std::FILE* in, const ZstreamSink& sink);

// zstream_unpack_to writing the bytes to `out`. Does not flush or close either file.
ZstreamResult zstream_unpack(std::FILE* in, std::FILE* out);

// Packs the bytes that `source` hands over into one zlib stream written to `out`. Returns
// ZSTREAM_OK, ZSTREAM_WRITE_ERROR or ZSTREAM_NO_MEMORY; does not flush or close `out`.
ZstreamResult zstream_pack_from(const ZstreamSource& source, std::FILE* out);

// A short English description of `result`, for messages.
const char* zstream_message(ZstreamResult result);
