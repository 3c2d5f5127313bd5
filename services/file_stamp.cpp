#include "services/file_stamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

FileStamp FileStamp::Of(const QString& path) {
    FileStamp stamp;
    const QFileInfo info(path);
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return stamp;
    stamp.Size = info.size();
    stamp.Modified = info.lastModified();
    stamp.Hash = hash.result();
    return stamp;
}

bool FileStamp::operator==(const FileStamp& other) const {
    return !Hash.isEmpty() && Size == other.Size && Modified == other.Modified &&
           Hash == other.Hash;
}
