// The recovery files of unsaved edits: one per running Korvane, in one folder, written a short
// while after each change (on a thread of its own, so that typing never waits for the disk),
// removed once the edits are saved or dropped; and those that copies no longer running left
// behind, found at the next start.
#pragma once

#include "boots/recovery_file.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QLockFile;
class QTimer;

class RecoveryJournal : public QObject {
    Q_OBJECT
public:
    // The journal of this running copy in `folder` (made when missing), locked as this copy's own.
    // `content` gives, when asked, what to keep, or nullopt when nothing is unsaved; its text is
    // made on the journal's thread.
    RecoveryJournal(const QString& folder,
                    std::function<std::optional<boots::RecoveryFile>()> content,
                    QObject* parent = nullptr);
    // Finishes the write under way; leaves the file as it is (a crash leaves it so too).
    ~RecoveryJournal() override;

    // The file this copy keeps its edits in; it may not exist.
    QString path() const;

    // A change was made: the file is written half a second after the last of a run of changes.
    void changed();
    // The edits are saved or dropped: the file goes, and nothing pending is written.
    void discard();
    // Returns once every write and removal asked for so far is done (for tests and for taking a
    // file over).
    void settle();

    // A recovery file left by a copy that no longer runs, kept from other copies while this lives.
    struct Left {
        QString path;
        std::shared_ptr<QLockFile> lock;
        QDateTime changed; // when its file was last written
    };
    // Every recovery file in this journal's folder that no running copy holds, newest first; each
    // locked while it is held here.
    std::vector<Left> leftBehind() const;
    // Takes `left` as this copy's own file: its edits are this copy's table's now. The file this
    // copy had goes.
    void adopt(const Left& left);
    // Removes `left`'s file.
    static void remove(const Left& left);
    // Moves `left`'s file aside, as NAME.damaged, so that it is neither offered again nor lost.
    static void moveAside(const Left& left);

signals:
    // A write or a removal failed: `why` says what and why. Said once.
    void failed(const QString& why);

private:
    // Hands the worker what to do next: write `recovery`, or remove the file (nullopt).
    void schedule(std::optional<boots::RecoveryFile> recovery);
    void work();

    QString folderPath;
    QString id; // this copy's: its file is ID.recovery, its lock ID.lock
    std::unique_ptr<QLockFile> lock;
    std::shared_ptr<QLockFile> adopted; // the lock of a file taken over from a copy gone
    std::function<std::optional<boots::RecoveryFile>()> content;
    QTimer* timer;
    bool saidFailure = false;

    // The worker and what it has to do.
    std::mutex mutex;
    std::condition_variable wake;
    // Set: a task; its value: what to write, or none for a removal.
    std::optional<std::optional<boots::RecoveryFile>> next;
    bool busy = false;
    bool stopping = false;
    std::string target; // the file the worker writes
    std::thread worker;
};
