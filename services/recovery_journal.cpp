#include "services/recovery_journal.h"

#include "fileops/file_ops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kPauseMs = 500; // a change is kept at most this long after the last of a run
const QString kSuffix = QStringLiteral(".recovery");

QString lockPath(const QString& recovery) {
    return recovery.chopped(kSuffix.size()) + QStringLiteral(".lock");
}

} // namespace

RecoveryJournal::RecoveryJournal(const QString& folder,
                                 std::function<std::optional<boots::RecoveryFile>()> content,
                                 QObject* parent)
    : QObject(parent), folderPath(QDir(folder).absolutePath() + QLatin1Char('/')),
      content(std::move(content)), timer(new QTimer(this)) {
    QDir().mkpath(folderPath);
    // A name no other file has; when no lock can be made there, writing its file fails too, and
    // says so.
    for (int attempt = 0; attempt < 16; ++attempt) {
        id = QString::number(QRandomGenerator::global()->generate64(), 36);
        lock = std::make_unique<QLockFile>(folderPath + id + QStringLiteral(".lock"));
        if (!QFileInfo::exists(folderPath + id + kSuffix) && lock->tryLock(0))
            break;
    }
    target = (folderPath + id + kSuffix).toStdString();
    timer->setSingleShot(true);
    timer->setInterval(kPauseMs);
    connect(timer, &QTimer::timeout, this, [this] { schedule(this->content()); });
    worker = std::thread([this] { work(); });
}

RecoveryJournal::~RecoveryJournal() {
    {
        const std::lock_guard<std::mutex> guard(mutex);
        stopping = true;
    }
    wake.notify_all();
    worker.join();
}

QString RecoveryJournal::path() const {
    return QString::fromStdString(target);
}

void RecoveryJournal::changed() {
    timer->start();
}

void RecoveryJournal::discard() {
    timer->stop();
    schedule(std::nullopt);
}

void RecoveryJournal::settle() {
    if (timer->isActive()) {
        timer->stop();
        schedule(content());
    }
    std::unique_lock<std::mutex> guard(mutex);
    wake.wait(guard, [this] { return !next && !busy; });
}

void RecoveryJournal::schedule(std::optional<boots::RecoveryFile> recovery) {
    {
        const std::lock_guard<std::mutex> guard(mutex);
        next = std::move(recovery); // a later state replaces one not yet written
    }
    wake.notify_all();
}

void RecoveryJournal::work() {
    std::unique_lock<std::mutex> guard(mutex);
    for (;;) {
        wake.wait(guard, [this] { return next || stopping; });
        if (!next)
            return; // stopping, nothing left to do
        const std::optional<boots::RecoveryFile> recovery = std::move(*next);
        next.reset();
        busy = true;
        const std::string file = target;
        guard.unlock();

        QString why;
        if (recovery) {
            const std::string text = boots::encodeRecovery(*recovery);
            const auto write = [&text](std::FILE* out) {
                return std::fwrite(text.data(), 1, text.size(), out) == text.size();
            };
            const fileops::ReplaceResult result = fileops::replaceFile(file, write);
            if (!result.ok())
                why = RecoveryJournal::tr("nie można zapisać pliku %1 (%2)")
                          .arg(QDir::toNativeSeparators(QString::fromStdString(file)),
                               qt_error_string(result.error));
        } else {
            std::error_code error;
            std::filesystem::remove(std::filesystem::u8path(file), error);
            if (error)
                why = RecoveryJournal::tr("nie można usunąć pliku %1 (%2)")
                          .arg(QDir::toNativeSeparators(QString::fromStdString(file)),
                               QString::fromStdString(error.message()));
        }
        if (!why.isEmpty())
            QMetaObject::invokeMethod(
                this,
                [this, why] {
                    if (!std::exchange(saidFailure, true))
                        emit failed(why);
                },
                Qt::QueuedConnection);

        guard.lock();
        busy = false;
        wake.notify_all();
    }
}

std::vector<RecoveryJournal::Left> RecoveryJournal::leftBehind() const {
    std::vector<Left> left;
    const QFileInfoList files =
        QDir(folderPath).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files);
    for (const QFileInfo& file : files) {
        if (file.absoluteFilePath() == path())
            continue;
        auto held = std::make_shared<QLockFile>(lockPath(file.absoluteFilePath()));
        if (held->tryLock(0)) // no running copy holds it
            left.push_back({file.absoluteFilePath(), std::move(held), file.lastModified()});
    }
    std::sort(left.begin(), left.end(),
              [](const Left& a, const Left& b) { return a.changed > b.changed; });
    return left;
}

void RecoveryJournal::adopt(const Left& left) {
    settle();
    QFile::remove(path());
    const std::lock_guard<std::mutex> guard(mutex);
    target = left.path.toStdString();
    adopted = left.lock;
}

void RecoveryJournal::remove(const Left& left) {
    QFile::remove(left.path);
}

void RecoveryJournal::moveAside(const Left& left) {
    const QString aside = left.path + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile::rename(left.path, aside);
}
