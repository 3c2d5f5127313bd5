#include "services/file_stamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

FileStamp FileStamp::of(const QString& path) {
    FileStamp stamp;
    const QFileInfo info(path);
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return stamp;
    stamp.size = info.size();
    stamp.modified = info.lastModified();
    stamp.hash = hash.result();
    return stamp;
}

bool FileStamp::operator==(const FileStamp& other) const {
    return !hash.isEmpty() && size == other.size && modified == other.modified &&
           hash == other.hash;
}
