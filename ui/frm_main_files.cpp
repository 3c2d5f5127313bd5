// FrmMain, continued: start, Open, Save, Exit and closing, the file side around zlibtool.
#include "boots/qel_baza.h"
#include "fileops/file_ops.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "services/qel_process.h"
#include "services/work_folder.h"
#include "ui/boot_editor.h"
#include "ui/boots_model.h"
#include "ui/frm_help.h"
#include "ui/frm_main.h"
#include "ui/frm_table.h"
#include "ui/texts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUndoStack>
#include <QWindow>

#include <cerrno>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif
#include <utility>

namespace {

// The folder of the file opened last, kept for a Korvane installed for every user.
const QString kLastFolder = QStringLiteral("LastFolder");

// The one local file that `data` names, else empty.
QString droppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return urls.size() == 1 && urls[0].isLocalFile() ? urls[0].toLocalFile() : QString();
}

// Deletes a working file left by an earlier command; false when it is still there.
bool removeStale(const QString& path) {
    QFile::remove(path);
    return !QFileInfo::exists(path);
}

// True when the file at `path`, symbolic links resolved, lies inside `folder`.
bool liesInside(const QString& path, const QString& folder) {
    const QString file = QFileInfo(path).canonicalFilePath();
    const QString root = QDir(folder).canonicalPath();
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    return !file.isEmpty() && !root.isEmpty() && file.startsWith(root + QLatin1Char('/'), cs);
}

// What failed, as the stages of Open and Save name it in a message.
const char* const kCopying = QT_TRANSLATE_NOOP("FrmMain", "Kopiowanie pliku do folderu roboczego");
const char* const kUnpacking = QT_TRANSLATE_NOOP("FrmMain", "Rozpakowywanie pliku");
const char* const kLoading = QT_TRANSLATE_NOOP("FrmMain", "Wczytywanie tabeli butów");
const char* const kWriting = QT_TRANSLATE_NOOP("FrmMain", "Zapisywanie tabeli butów");
const char* const kPacking = QT_TRANSLATE_NOOP("FrmMain", "Pakowanie tabeli butów");
const char* const kChecking = QT_TRANSLATE_NOOP("FrmMain", "Sprawdzanie spakowanego pliku");
const char* const kBackup = QT_TRANSLATE_NOOP("FrmMain", "Tworzenie kopii zapasowej");
const char* const kReplacing = QT_TRANSLATE_NOOP("FrmMain", "Zastępowanie pliku");

// The details of a failure message: the user's file at `path` as the system writes it, the
// `stage` that failed and why; after a failed Save, that the file was not changed.
QString failureText(const QString& path, const char* stage, const QString& reason, bool saving) {
    QString text = FrmMain::tr("Plik: %1\n%2 nie powiodło się: %3")
                       .arg(QDir::toNativeSeparators(path), FrmMain::tr(stage), reason);
    if (saving)
        text += QLatin1Char('\n') +
                FrmMain::tr("Plik %1 nie został zmieniony.").arg(QFileInfo(path).fileName());
    return text;
}

// A system's error text as a sentence of a message.
QString sentence(const QString& reason) {
    return reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.');
}

// True when the packed file at `packed` unpacks to exactly the bytes of the file at `plain`.
bool unpacksTo(const QString& packed, const QString& plain) {
    const fileops::FilePtr in(fileops::openFile(packed.toStdString(), "rb"));
    const fileops::FilePtr expected(fileops::openFile(plain.toStdString(), "rb"));
    std::FILE* raw = expected.get();
    return in && expected &&
           tablefile::unpacksTo(in.get(), [raw](unsigned char* buffer, std::size_t size) {
               return std::fread(buffer, 1, size, raw);
           });
}

// Why the user's file at `path` is no packed table that the tool can unpack, read from its first
// bytes: it is empty, or an unpacked table; empty when it may be one.
QString notPacked(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray first = file.read(qint64(boots::kHeaderSize));
    if (first.isEmpty() && file.atEnd())
        return FrmMain::tr("plik jest pusty (0 bajtów).");
    if (first.size() == qsizetype(boots::kHeaderSize) &&
        boots::recordCount(
            boots::readHeader(reinterpret_cast<const unsigned char*>(first.constData()))))
        return FrmMain::tr("plik to rozpakowana tabela butów, a nie spakowany plik gry; "
                           "Korvane otwiera pliki spakowane tak, jak trzyma je gra.");
    return QString();
}

// Why the unpacked file at `path` did not load as a boots table. The file is closed again on
// return: Windows removes no open file.
QString loadFailure(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return FrmMain::tr("narzędzie zlibtool nie utworzyło rozpakowanego pliku.");
    if (!file.open(QIODevice::ReadOnly))
        return sentence(file.errorString());
    return FrmMain::tr("plik nie zawiera tabeli butów.");
}

// The exit code of zlibtool for an input that is no zlib stream.
constexpr int kToolBadInput = 3;

// Why the compression tool `program`, run through `tool`, did not do its work, in the user's
// words: it is missing, it did not start, crashed, found the file damaged or failed otherwise.
QString toolFailure(const Qel_Process& tool, const QString& program, const QString& appFolder) {
    if (!tool.startError().isEmpty()) {
        if (!QFileInfo::exists(program))
            return FrmMain::tr("w folderze programu %1 brak narzędzia %2: folder programu jest "
                               "niekompletny (rozpakuj program jeszcze raz).")
                .arg(QDir::toNativeSeparators(appFolder),
                     QDir::toNativeSeparators(QDir(appFolder).relativeFilePath(program)));
#ifdef Q_OS_WIN
        if (program.size() >= MAX_PATH)
            return FrmMain::tr("ścieżka narzędzia %1 ma %2 znaków, a Windows uruchamia programy "
                               "ze ścieżek do %3 znaków: przenieś folder programu wyżej.")
                .arg(QDir::toNativeSeparators(program), QString::number(program.size()),
                     QString::number(MAX_PATH - 1));
#endif
        return FrmMain::tr("nie można uruchomić narzędzia zlibtool (%1).").arg(tool.startError());
    }
    if (tool.crashed())
        return FrmMain::tr("narzędzie zlibtool przerwało pracę awaryjnie.");
    if (tool.exitCode() == kToolBadInput)
        return FrmMain::tr("plik nie jest poprawnie spakowaną tabelą butów (uszkodzony lub "
                           "obcięty).");
    return FrmMain::tr("narzędzie zlibtool zakończyło pracę z kodem %1.").arg(tool.exitCode());
}

// What the tool wrote, for a message's details; empty when it wrote nothing.
QString toolLine(const Qel_Process& tool) {
    return tool.errorLine().isEmpty()
               ? QString()
               : FrmMain::tr("Komunikat narzędzia: %1").arg(tool.errorLine());
}

} // namespace

void FrmMain::Form_Load(const QString& folder) {
    appFolder = QDir::fromNativeSeparators(folder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                            : folder);
    if (!appFolder.endsWith(QLatin1Char('/')))
        appFolder += QLatin1Char('/');
    QDir::setCurrent(appFolder);
    work = std::make_unique<WorkFolder>(appFolder + QStringLiteral("zlib/temp/"));
    settings =
        work->portable()
            ? std::make_unique<QSettings>(appFolder + QStringLiteral("korvane.ini"),
                                          QSettings::IniFormat)
            : std::make_unique<QSettings>(QStringLiteral("Korvane"), QStringLiteral("Korvane"));
#ifdef Q_OS_WIN
    tool = new ToolRun(this, appFolder + QStringLiteral("zlib/zlibtool.exe"));
#else
    tool = new ToolRun(this, appFolder + QStringLiteral("zlib/zlibtool"));
#endif
    startJournal();
}

const QString& FrmMain::workFolder() const {
    return work->path();
}

QString FrmMain::openFolder() const {
    if (work->portable())
        return appFolder;
    const QString last = settings->value(kLastFolder).toString();
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath();
}

void FrmMain::Form_Unload() {
    if (tableForm)
        tableForm->close();
    Clear_Temp();
}

void FrmMain::closeEvent(QCloseEvent* event) {
    if (!tool->settle(ToolRun::Then::Close) || !settleChanges()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void FrmMain::showEvent(QShowEvent* event) {
    windowHandle()->installEventFilter(this); // once: a filter installed again only moves up
    QMainWindow::showEvent(event);
    // Edits a copy that was killed did not save are offered back once the window shows.
    if (!std::exchange(shownOnce, true))
        QMetaObject::invokeMethod(
            this, [this] { offerRecovery(QString()); }, Qt::QueuedConnection);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Close || watched != windowHandle() || !tool->busy())
        return QMainWindow::eventFilter(watched, event);
    tool->settle(ToolRun::Then::Close);
    event->ignore();
    return true;
}

void FrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!tool->busy() && !droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path);
}

void FrmMain::runPending(ToolRun::Then then, bool stopped) {
    skipQuestion = stopped;
    switch (then) {
    case ToolRun::Then::Open:
        MnuFileOpen_Click();
        break;
    case ToolRun::Then::Close:
        close();
        break;
    case ToolRun::Then::Exit:
        mnuQuit_Click();
        break;
    case ToolRun::Then::Nothing:
        break;
    }
    skipQuestion = false;
}

void FrmMain::MnuFileOpen_Click() {
    if (!tool->settle(ToolRun::Then::Open))
        return;
    Qel_Common_Dialog dialog;
    const QString path =
        dialog.OpenFileName(this, tr("Otwórz plik buttów"), openFolder(),
                            tr("Pliki buttów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*"));
    if (path == QLatin1String("-1"))
        return;
    openFile(path);
}

void FrmMain::openFile(const QString& path) {
    if (tool->busy())
        return;
    const ToolRun::Command command(*tool);
    const QString name = QFileInfo(path).fileName();
    if (!Qel_Baza::File_Exists(path.toStdString())) {
        korvane::showMessage(this,
                             {tr("Nie znaleziono pliku %1").arg(name), tr("Błąd wczytywania pliku"),
                              korvane::MessageIcon::Information});
        return;
    }
    if (!settleChanges())
        return;
    const auto fail = [this, &path](const char* stage, const QString& reason,
                                    const QString& more = QString()) {
        Clear_Temp();
        korvane::showFailure(this, failureText(path, stage, reason, false), more);
    };

    // A file inside the working folder would be deleted by the next save or close.
    const QString tempDir = workFolder();
    if (liesInside(path, tempDir)) {
        korvane::showFailure(
            this,
            failureText(path, kCopying, tr("plik leży w folderze roboczym programu."), false));
        return;
    }
    const QString copy = tempDir + name;
    const QString unpacked = copy + QStringLiteral(".unzlib");
    if (!work->ensure())
        return fail(
            kCopying,
            tr("nie można utworzyć folderu roboczego %1.").arg(QDir::toNativeSeparators(tempDir)));
    if (!removeStale(unpacked))
        return fail(kCopying,
                    tr("nie można usunąć pliku %1.").arg(QDir::toNativeSeparators(unpacked)));
    if (const QString why = notPacked(path); !why.isEmpty())
        return fail(kUnpacking, why);
    const FileStamp stamp = FileStamp::of(path);
    if (const fileops::ReplaceResult copied =
            fileops::copyOver(path.toStdString(), copy.toStdString(), fileops::Backup::None,
                              fileops::Durability::Scratch);
        !copied.ok())
        return fail(kCopying, replaceReason(copied, tempDir));
    Qel_Process unpacker;
    tool->run(unpacker, korvane::ToolJob::Unpack, name, {copy, QStringLiteral("-d")});
    if (unpacker.stopped())
        return Clear_Temp();
    if (!unpacker.succeeded())
        return fail(kUnpacking, toolFailure(unpacker, tool->program(), appFolder),
                    toolLine(unpacker));

    // The earlier file stays open, boots and all, unless the new one loads.
    auto loaded = std::make_unique<Qel_Baza>();
    if (!loaded->Wczytaj(unpacked.toStdString()))
        return fail(kLoading, loadFailure(unpacked));
    Chosen_File = path;
    chosenStamp = stamp;
    showFileName();
    if (!work->portable())
        settings->setValue(kLastFolder, QFileInfo(path).absolutePath());
    rememberFile(path);
    updateCommands();
    model->setTable(std::move(loaded));
    history->clear();
    QStringList notes;
    if (table().Count() > Qel_Baza::maxBoots)
        notes << tr("Liczba butów w pliku %1: %2.\nLista pokazuje pierwsze %3 butów; "
                    "okno „Tabela butów” (Ctrl+T) pokazuje i zmienia wszystkie.")
                     .arg(name, QString::number(table().Count()),
                          QString::number(Qel_Baza::maxBoots));
    if (const std::size_t after = table().rest().trailer.size())
        notes << tr("Po butach plik %1 zawiera jeszcze %2; zostaną zachowane bez "
                    "zmian.")
                     .arg(name, bytesCount(after));
    if (!notes.isEmpty())
        korvane::showMessage(
            this, {notes.join(QStringLiteral("\n\n")), {}, korvane::MessageIcon::Information});
    if (!restoring && shownOnce) // edits of this file that a copy that was killed kept
        QMetaObject::invokeMethod(
            this, [this, path] { offerRecovery(path); }, Qt::QueuedConnection);
}

void FrmMain::Cmd_Zapisz_Click() {
    if (tool->busy())
        return;
    const ToolRun::Command command(*tool);
    editor->showStored();
    if (Chosen_File.isEmpty()) {
        korvane::showFailure(this, tr("Nie otwarto żadnego pliku."));
        return;
    }
    const QString name = QFileInfo(Chosen_File).fileName();
    const auto fail = [this](const char* stage, const QString& reason,
                             const QString& more = QString()) {
        Clear_Temp();
        korvane::showFailure(this, failureText(Chosen_File, stage, reason, true), more);
    };
    if (!work->ensure())
        return fail(kWriting, tr("nie można utworzyć folderu roboczego %1.")
                                  .arg(QDir::toNativeSeparators(workFolder())));
    errno = 0;
    if (!table().Zapisz()) {
        const int error = errno;
        return fail(kWriting, error != 0 ? systemReason(error) : tr("nie można zapisać pliku."));
    }
    const QString unpacked = QString::fromStdString(table().Path());
    const QString packed = unpacked + QStringLiteral(".zlib");
    if (!removeStale(packed))
        return fail(kPacking,
                    tr("nie można usunąć pliku %1.").arg(QDir::toNativeSeparators(packed)));
    Qel_Process packer;
    tool->run(packer, korvane::ToolJob::Pack, name, {unpacked});
    if (packer.stopped())
        return Clear_Temp();
    if (!packer.succeeded())
        return fail(kPacking, toolFailure(packer, tool->program(), appFolder), toolLine(packer));
    // Only a packed file that gives back exactly the table just written may replace the user's.
    if (!unpacksTo(packed, unpacked))
        return fail(kChecking, QFileInfo::exists(packed)
                                   ? tr("spakowany plik nie odpowiada zapisanej tabeli.")
                                   : tr("narzędzie zlibtool nie utworzyło spakowanego pliku."));
    if (fileops::isReadOnly(Chosen_File.toStdString()))
        return fail(kReplacing, tr("plik jest tylko do odczytu."));
    if (FileStamp::of(Chosen_File) != chosenStamp) {
        switch (korvane::askReplaceChanged(this, name)) {
        case korvane::ReplaceAnswer::Replace:
            break;
        case korvane::ReplaceAnswer::Compare:
            Clear_Temp();
            return compareWith(Chosen_File);
        case korvane::ReplaceAnswer::Cancel:
            return Clear_Temp();
        }
    }
    // The first replace keeps the file as it was in FILE.bak.
    if (const fileops::ReplaceResult replaced = fileops::copyOver(
            packed.toStdString(), Chosen_File.toStdString(), fileops::Backup::KeepFirst);
        !replaced.ok()) {
        return fail(replaced.step == fileops::ReplaceStep::Backup ? kBackup : kReplacing,
                    replaceReason(replaced, QFileInfo(Chosen_File).absolutePath()));
    }
    chosenStamp = FileStamp::of(Chosen_File);
    rememberFile(Chosen_File);
    Clear_Temp();
    history->setClean();
    model->markSaved();
    korvane::showMessage(this, {tr("Zapisano plik"), {}, korvane::MessageIcon::None});
}

void FrmMain::MnuSaveFile_Click() {
    Cmd_Zapisz_Click();
}

void FrmMain::mnuQuit_Click() {
    if (!tool->settle(ToolRun::Then::Exit) || !close())
        return;
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void FrmMain::Clear_Temp() {
    QDir temp(workFolder());
    // Hidden files included: a tool stopped mid-run leaves its hidden partial output behind.
    for (const QString& name : temp.entryList(QDir::Files | QDir::Hidden))
        temp.remove(name);
}

bool FrmMain::settleChanges() {
    const bool skip = std::exchange(skipQuestion, false);
    if (history->isClean())
        return true;
    if (skip) { // the tool was stopped for it: dropped
        journal->discard();
        return true;
    }
    switch (korvane::askSaveChanges(this, QFileInfo(Chosen_File).fileName())) {
    case korvane::SaveAnswer::Save:
        Cmd_Zapisz_Click();
        return history->isClean();
    case korvane::SaveAnswer::Discard:
        journal->discard();
        return true;
    case korvane::SaveAnswer::Cancel:
        break;
    }
    return false;
}
