#include "services/packed_file.h"

#include "fileops/file_ops.h"
#include "zstream/zstream.h"

#include <QFile>
#include <QString>
#include <cstdio>
#include <cstring>
#include <vector>

bool korvane::unpacksTo(const QString& packed, const QString& plain) {
    QFile expected(plain);
    const fileops::FilePtr in(fileops::openFile(packed.toStdString(), "rb"));
    if (!in || !expected.open(QIODevice::ReadOnly))
        return false;
    std::vector<char> chunk;
    const ZstreamResult result =
        zstream_unpack_to(in.get(), [&](const unsigned char* bytes, std::size_t size) {
            if (chunk.size() < size)
                chunk.resize(size);
            const auto wanted = static_cast<qint64>(size);
            return expected.read(chunk.data(), wanted) == wanted &&
                   std::memcmp(chunk.data(), bytes, size) == 0;
        });
    char more = 0;
    return result == ZSTREAM_OK && expected.read(&more, 1) == 0;
}
