#include "ui/work_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

WorkFolder::WorkFolder(const QString& beside) : Path(withSlash(beside)) {
    const QFileInfo besideInfo(Path);
    Portable = besideInfo.isDir() && besideInfo.isWritable();
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (Portable ? claim(Path) : !cache.isEmpty() && claim(cache + QStringLiteral("/temp/")))
        return;
    // Held by another running Korvane, or its lock cannot be made: a folder of this one's own.
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return;
    Own = std::make_unique<QTemporaryDir>(cache + QStringLiteral("/temp-XXXXXX"));
    if (Own->isValid())
        Path = withSlash(Own->path());
}

WorkFolder::~WorkFolder() = default;

// Takes `folder` (ending with '/') when it can be made and no running program holds its lock,
// a file beside it: emptying the folder never removes the lock.
bool WorkFolder::claim(const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    auto lock = std::make_unique<QLockFile>(folder.chopped(1) + QStringLiteral(".lock"));
    if (!lock->tryLock(0))
        return false;
    Lock = std::move(lock);
    Path = folder;
    return true;
}

bool WorkFolder::ensure() const {
    return QDir().mkpath(Path);
}
