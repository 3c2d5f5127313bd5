// FrmMain, continued: unsaved edits kept in a recovery file while they last, and offered back
// when the program was ended before they were saved or dropped.
#include "boots/qel_baza.h"
#include "boots/recovery_file.h"
#include "boots/table_patch.h"
#include "fileops/file_ops.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "services/recovery_journal.h"
#include "services/work_folder.h"
#include "ui/boots_model.h"
#include "ui/frm_main.h"
#include "ui/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUndoStack>

namespace {

const char* const kRestoreTitle = QT_TRANSLATE_NOOP("FrmMain", "Przywracanie zmian");

// The number of boots that `changes` touch.
int bootsTouched(const boots::TableChanges& changes) {
    return int(changes.changedBoots + changes.added.size() + changes.removed.size());
}

} // namespace

QString FrmMain::recoveryFolder() const {
    if (work->portable())
        return appFolder + QStringLiteral("zlib/recovery/");
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery/");
#else
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    return (state.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/state") : state) +
           QStringLiteral("/Korvane/recovery/");
#endif
}

void FrmMain::startJournal() {
    journal =
        std::make_unique<RecoveryJournal>(recoveryFolder(), [this] { return recoveryContent(); });
    connect(journal.get(), &RecoveryJournal::failed, this, [this](const QString& why) {
        korvane::showMessage(this,
                             {tr("Niezapisane zmiany nie będą odtworzone po awarii: %1. Można "
                                 "pracować dalej.")
                                  .arg(why),
                              tr(kRestoreTitle), korvane::MessageIcon::Information});
    });
    connect(history, &QUndoStack::indexChanged, this, [this] {
        lastChange = QDateTime::currentDateTimeUtc();
        journal->changed();
    });
    connect(history, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            journal->discard();
    });
}

std::optional<boots::RecoveryFile> FrmMain::recoveryContent() const {
    if (Chosen_File.isEmpty() || history->isClean())
        return std::nullopt;
    boots::RecoveryFile recovery;
    recovery.file = QDir::fromNativeSeparators(Chosen_File).toStdString();
    recovery.size = chosenStamp.bytes();
    recovery.modified = chosenStamp.time().toMSecsSinceEpoch();
    recovery.sha256 = chosenStamp.sha256().toHex().toStdString();
    recovery.lastChange = lastChange.toMSecsSinceEpoch();
    recovery.changes = model->unsavedChanges();
    return recovery;
}

void FrmMain::offerRecovery(const QString& file) {
    for (const RecoveryJournal::Left& left : journal->leftBehind()) {
        QByteArray text;
        { // closed before the file is moved or removed, which Windows refuses for an open file
            QFile in(left.path);
            if (in.open(QIODevice::ReadOnly))
                text = in.readAll();
        }
        const std::optional<boots::RecoveryFile> recovery =
            boots::decodeRecovery(std::string_view(text.constData(), std::size_t(text.size())));
        if (!recovery) {
            RecoveryJournal::moveAside(left);
            korvane::showMessage(
                this, {tr("Pliku odzyskiwania %1 nie można odczytać (jest uszkodzony "
                          "albo pochodzi z nowszej wersji Korvane). Nic z niego nie "
                          "przywrócono; przeniesiono go jako %2.")
                           .arg(QDir::toNativeSeparators(left.path),
                                QFileInfo(left.path).fileName() + QStringLiteral(".damaged")),
                       tr(kRestoreTitle), korvane::MessageIcon::Information});
            continue;
        }
        const QString path = QString::fromStdString(recovery->file);
        if (!file.isEmpty() && !fileops::sameFile(path.toStdString(), file.toStdString()))
            continue;
        const QString when = QDateTime::fromMSecsSinceEpoch(recovery->lastChange)
                                 .toLocalTime()
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        switch (korvane::askRestore(this, QFileInfo(path).fileName(),
                                    bootsTouched(recovery->changes), when)) {
        case korvane::RestoreAnswer::Restore:
            restoreFrom(left, *recovery, text);
            break;
        case korvane::RestoreAnswer::Discard:
            RecoveryJournal::remove(left);
            break;
        case korvane::RestoreAnswer::Later:
            break;
        }
    }
}

void FrmMain::restoreFrom(const RecoveryJournal::Left& left, const boots::RecoveryFile& recovery,
                          const QByteArray& text) {
    const QString path = QString::fromStdString(recovery.file);
    const QString name = QFileInfo(path).fileName();
    const std::string_view patch =
        boots::recoveryPatch(std::string_view(text.constData(), std::size_t(text.size())));
    if (!QFileInfo::exists(path))
        return keepAsPatch(left,
                           tr("Pliku %1 już nie ma, więc niezapisanych zmian "
                              "w nim nie można przywrócić.")
                               .arg(QDir::toNativeSeparators(path)),
                           QString(), patch, QFileInfo(path).absolutePath());
    // The file as it is now, opened as File, Open opens it.
    if (!fileops::sameFile(path.toStdString(), Chosen_File.toStdString()) || !history->isClean()) {
        restoring = true;
        openFile(path);
        restoring = false;
        if (!fileops::sameFile(path.toStdString(), Chosen_File.toStdString()))
            return; // not opened (the user said why not): offered again at the next start
    }
    boots::PatchResult result = boots::applyPatch(table().allBoots(), recovery.changes);
    if (!result.clashes.empty()) {
        QStringList lines;
        for (const boots::PatchClash& clash : result.clashes)
            lines << clashText(clash);
        return keepAsPatch(left,
                           tr("Niezapisanych zmian nie przywrócono: plik %1 zmienił się "
                              "od tamtej pory i nie pasują do niego (niezgodności: %2). "
                              "Tabela się nie zmieniła.")
                               .arg(name, QString::number(result.clashes.size())),
                           lines.join(QLatin1Char('\n')), patch, QFileInfo(path).absolutePath());
    }
    if (boots::compareTables(table().allBoots(), result.records).empty())
        return RecoveryJournal::remove(left); // the file holds them already
    journal->adopt(left);                     // the edits are this window's now, kept in that file
    model->replaceAll(std::move(result.records));
}

void FrmMain::keepAsPatch(const RecoveryJournal::Left& left, const QString& why,
                          const QString& clashes, std::string_view patch, const QString& folder) {
    if (!korvane::askKeepPatch(
            this, why + QStringLiteral("\n\n") + tr("Zachować te zmiany jako plik zmian?"),
            clashes))
        return;
    Qel_Common_Dialog dialog;
    const QString path = dialog.saveFileName(
        this, tr("Zachowaj zmiany"), folder + QLatin1Char('/') + tr("zmiany.csv"),
        tr("Zmiany CSV (*.csv)|*.csv|Wszystkie pliki (*.*)|*.*"), QStringLiteral("csv"));
    if (path == QLatin1String("-1") ||
        !writeExport(path, tr(kRestoreTitle), [patch](const auto& write) { return write(patch); }))
        return;
    RecoveryJournal::remove(left);
    korvane::showMessage(this, {tr("Zapisano niezapisane zmiany w pliku %1; "
                                   "korvane-table apply albo Zastosuj zmiany… "
                                   "przenoszą je do tabeli.")
                                    .arg(QFileInfo(path).fileName()),
                                tr(kRestoreTitle), korvane::MessageIcon::Information});
}
