// Start, Open, Save, Exit and closing: the file side of the main window around zlibtool.
#include "boots/qel_baza.h"
#include "services/message_box.h"
#include "services/packed_file.h"
#include "services/qel_common_dialog.h"
#include "services/qel_process.h"
#include "ui/boot_editor.h"
#include "ui/boots_model.h"
#include "ui/frm_help.h"
#include "ui/frm_table.h"
#include "ui/frm_main.h"
#include "ui/work_folder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSaveFile>
#include <QSettings>
#include <QUndoStack>

namespace {

const QString kLastFolder = QStringLiteral("LastFolder");

// Where the folder of the file opened last is kept, for a Korvane installed for every user.
QSettings settings() {
    return QSettings(QStringLiteral("Korvane"), QStringLiteral("Korvane"));
}

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

// Replaces `target` with the bytes of `source` in one step (a temporary file beside it is
// renamed over it). False, with `target` as it was, when any read or write fails.
bool copyFileOver(const QString& source, const QString& target) {
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = input.readAll();
    QSaveFile output(target);
    // Flush before commit(): commit() renames the file into place even when its own final
    // flush fails (Qt 6.4), which would leave the user a truncated file.
    return bytes.size() == input.size() && output.open(QIODevice::WriteOnly) &&
           output.write(bytes) == bytes.size() && output.flush() && output.commit();
}

// Shows the wait cursor over the program's windows for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void FrmMain::Form_Load(const QString& appFolder) {
    App_Folder = QDir::fromNativeSeparators(
        appFolder.isEmpty() ? QCoreApplication::applicationDirPath() : appFolder);
    if (!App_Folder.endsWith(QLatin1Char('/')))
        App_Folder += QLatin1Char('/');
    QDir::setCurrent(App_Folder);
    Work = std::make_unique<WorkFolder>(App_Folder + QStringLiteral("zlib/temp/"));
}

const QString& FrmMain::Temp_Dir() const {
    return Work->path();
}

QString FrmMain::Open_Folder() const {
    if (Work->portable())
        return App_Folder;
    const QString last = settings().value(kLastFolder).toString();
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath();
}

void FrmMain::Form_Unload() {
    if (Running_Tool)
        Running_Tool->Stop();
    if (Table_Form)
        Table_Form->close();
    Clear_Temp();
}

void FrmMain::closeEvent(QCloseEvent* event) {
    // While the tool runs nothing can be saved: closing then stops it, as it always has.
    if (!Busy() && !Settle_Changes()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void FrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!Busy() && !droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    Open_File(path);
}

bool FrmMain::Busy() const {
    return !Running_Tool.isNull();
}

bool FrmMain::Run_Tool(const QStringList& arguments) {
#ifdef Q_OS_WIN
    const QString program = App_Folder + QStringLiteral("zlib/zlibtool.exe");
#else
    const QString program = App_Folder + QStringLiteral("zlib/zlibtool");
#endif
    Qel_Process tool;
    {
        const WaitCursor waiting; // gone before any message
        Running_Tool = &tool;
        Editor->setBusy(true);
        if (Table_Form)
            Table_Form->setEnabled(false);
        tool.Run_Process(program, arguments, 0);
        Editor->setBusy(false);
        if (Table_Form)
            Table_Form->setEnabled(true);
        Running_Tool = nullptr;
    }
    if (!tool.Succeeded() && !tool.Stopped())
        korvane::showFailure(this);
    return tool.Succeeded();
}

void FrmMain::MnuFileOpen_Click() {
    if (Busy())
        return;
    Qel_Common_Dialog dialog;
    const QString path =
        dialog.OpenFileName(this, QStringLiteral("Otwórz plik buttów"), Open_Folder(),
                            QStringLiteral("Pliki buttów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*"));
    if (path == QLatin1String("-1"))
        return;
    Open_File(path);
}

void FrmMain::Open_File(const QString& path) {
    if (Busy())
        return;
    const QString name = QFileInfo(path).fileName();
    if (!Qel_Baza::File_Exists(path.toStdString())) {
        korvane::showMessage(this, {QStringLiteral("Nie wybrano pliku !!"),
                                    QStringLiteral("Błąd wczytywania pliku"),
                                    korvane::MessageIcon::Information});
        return;
    }
    if (!Settle_Changes())
        return;

    // A file inside the working folder would be deleted by the next save or close.
    const QString tempDir = Temp_Dir();
    const QString copy = tempDir + name;
    const QString unpacked = copy + QStringLiteral(".unzlib");
    if (liesInside(path, tempDir) || !removeStale(copy) || !removeStale(unpacked) ||
        !QFile::copy(path, copy)) {
        korvane::showFailure(this);
        return;
    }
    if (!Run_Tool({copy, QStringLiteral("-d")}))
        return;

    // The earlier file stays open, boots and all, unless the new one loads.
    auto loaded = std::make_unique<Qel_Baza>();
    if (!loaded->Wczytaj(unpacked.toStdString())) {
        korvane::showFailure(this);
        return;
    }
    Chosen_File = path;
    if (!Work->portable())
        settings().setValue(kLastFolder, QFileInfo(path).absolutePath());
    for (QAction* command : {MnuSaveFile, MnuExportCsv, MnuImportCsv, MnuExportPatch,
                             MnuApplyPatch, MnuCompare, MnuTable})
        command->setEnabled(true);
    Boots->setTable(std::move(loaded));
    Undo_Stack->clear();
}

void FrmMain::Cmd_Zapisz_Click() {
    if (Busy())
        return;
    if (!Baza().Zapisz()) {
        korvane::showFailure(this);
        return;
    }
    const QString unpacked = QString::fromStdString(Baza().Path());
    const QString packed = unpacked + QStringLiteral(".zlib");
    if (!removeStale(packed)) {
        korvane::showFailure(this);
        return;
    }
    if (!Run_Tool({unpacked}))
        return;
    // Only a packed file that gives back exactly the table just written may replace the user's.
    if (!korvane::unpacksTo(packed, unpacked) || !Backup_Original() ||
        !copyFileOver(packed, Chosen_File)) {
        korvane::showFailure(this);
        return;
    }
    Clear_Temp();
    Undo_Stack->setClean();
    Boots->markSaved();
    korvane::showMessage(this, {QStringLiteral("Zapisano plik"), {}, korvane::MessageIcon::None});
}

void FrmMain::MnuSaveFile_Click() {
    Cmd_Zapisz_Click();
}

void FrmMain::mnuQuit_Click() {
    if (!close())
        return;
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void FrmMain::Clear_Temp() {
    QDir temp(Temp_Dir());
    // Hidden files included: a tool stopped mid-run leaves its hidden partial output behind.
    for (const QString& name : temp.entryList(QDir::Files | QDir::Hidden))
        temp.remove(name);
}

bool FrmMain::Settle_Changes() {
    if (Undo_Stack->isClean())
        return true;
    switch (korvane::askSaveChanges(this, QFileInfo(Chosen_File).fileName())) {
    case korvane::SaveAnswer::Save:
        Cmd_Zapisz_Click();
        return Undo_Stack->isClean();
    case korvane::SaveAnswer::Discard:
        return true;
    case korvane::SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool FrmMain::Backup_Original() {
    const QString backup = Chosen_File + QStringLiteral(".bak");
    return !QFileInfo::exists(Chosen_File) || QFileInfo::exists(backup) ||
           copyFileOver(Chosen_File, backup);
}
