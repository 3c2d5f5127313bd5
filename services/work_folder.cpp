#include "services/work_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The lock of `folder` (ending with '/'), a file beside it so that emptying the folder never
// removes it; null when a running program holds it or it cannot be made.
std::unique_ptr<QLockFile> lockFolder(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(folder.chopped(1) + QStringLiteral(".lock"));
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}

// Removes the private folders that copies which ended without cleaning up (killed, crashed) left
// under `cache`: those whose lock no running program holds. A folder without a lock is kept: a
// copy starting now has made it and is about to lock it.
void removeStaleFolders(const QString& cache) {
    const QDir dir(cache);
    const QStringList names = dir.entryList({QStringLiteral("temp-??????")},
                                            QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : names) {
        const QString folder = dir.filePath(name) + QLatin1Char('/');
        if (!QFileInfo::exists(folder.chopped(1) + QStringLiteral(".lock")))
            continue;
        const auto lock = lockFolder(folder);
        if (lock)
            QDir(folder).removeRecursively();
    }
}

// True when a file can be made in `folder`: its mode alone may not say (a folder of Windows
// marked read-only, a disk that refuses writes).
bool canWriteIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("probe-XXXXXX"));
    return probe.open();
}

// Removes the files a copy that no longer runs left in `folder`, whose lock this one now holds.
void removeLeftFiles(const QString& folder) {
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
}

} // namespace

WorkFolder::WorkFolder(const QString& beside) : folder(withSlash(beside)) {
    const QFileInfo besideInfo(folder);
    isPortable = besideInfo.isDir() && canWriteIn(folder);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty())
        removeStaleFolders(cache);
    if (isPortable ? claim(folder) : !cache.isEmpty() && claim(cache + QStringLiteral("/temp/")))
        return;
    // Held by another running Korvane, or its lock cannot be made: a folder of this one's own,
    // locked so that a later start can tell whether it is left over.
    another = true;
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return;
    own = std::make_unique<QTemporaryDir>(cache + QStringLiteral("/temp-XXXXXX"));
    if (!own->isValid())
        return;
    folder = withSlash(own->path());
    lock = lockFolder(folder);
}

// The folder goes before its lock (members end in reverse order).
WorkFolder::~WorkFolder() = default;

// Takes `folder` (ending with '/') when it can be made and no running program holds its lock.
bool WorkFolder::claim(const QString& candidate) {
    if (!QDir().mkpath(candidate))
        return false;
    auto held = lockFolder(candidate);
    if (!held)
        return false;
    lock = std::move(held);
    folder = candidate;
    removeLeftFiles(folder);
    return true;
}

bool WorkFolder::ensure() const {
    return QDir().mkpath(folder);
}
