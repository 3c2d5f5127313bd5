// The folder where one running Korvane keeps its working files.
#pragma once

#include <QString>
#include <memory>

class QLockFile;
class QTemporaryDir;

class WorkFolder {
public:
    // Claims a working folder until destroyed, and removes the files left in it by a copy that no
    // longer runs. `beside` is the zlib/temp/ folder beside the program: when a file can be made
    // there it is the one to use (portable use), else the "temp" folder under the user's cache
    // location. A folder held by another running Korvane is not
    // touched: this one then works in a new folder of its own under the cache location, locked
    // like the others, removed with everything in it by the destructor. Such folders left behind
    // by copies that no longer run are removed first. When nothing can be claimed, path() is
    // `beside`.
    explicit WorkFolder(const QString& beside);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // The working folder, ending with '/'.
    const QString& path() const { return folder; }
    // True when the folder beside the program is writable: Korvane runs from its own folder.
    bool portable() const { return isPortable; }
    // True when another running Korvane holds the usual folder, so that this one works in a
    // folder of its own.
    bool anotherCopyRuns() const { return another; }

    // Makes the working folder again when it has disappeared since. False when it is not there
    // and cannot be made.
    bool ensure() const;

private:
    bool claim(const QString& candidate);

    QString folder;
    bool isPortable = false;
    bool another = false;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QTemporaryDir> own;
};
