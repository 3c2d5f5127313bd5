// What a file on disk was like when the program last read or wrote it, to tell whether another
// program has changed it since.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class FileStamp {
public:
    // The stamp of no file.
    FileStamp() = default;

    // The size, modification time and a SHA-256 hash of the contents of the file at `path`, read
    // now. A file that is missing or cannot be read gives a stamp equal to no other file's.
    static FileStamp of(const QString& path);

    // The parts: the size in bytes (-1 for no file), the modification time, the SHA-256 hash.
    qint64 bytes() const { return size; }
    const QDateTime& time() const { return modified; }
    const QByteArray& sha256() const { return hash; }

    // True when both stamps show the same size, modification time and contents.
    bool operator==(const FileStamp& other) const;
    bool operator!=(const FileStamp& other) const { return !(*this == other); }

private:
    qint64 size = -1;
    QDateTime modified;
    QByteArray hash; // empty: no file, or none that could be read
};
