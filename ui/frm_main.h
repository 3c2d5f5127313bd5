// The main window: the boots editor, its menu commands, and the file side around the compression
// tool (open, save, exit and closing; the exchange commands with CSV and patches).
#pragma once

#include "services/file_stamp.h"
#include "services/message_box.h"
#include "services/recovery_journal.h"
#include "tablefile/table_file.h"
#include "ui/tool_run.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class BootEditor;
class BootsModel;
class FrmHelp;
class FrmTable;
class QAction;
class QMenu;
class QPushButton;
class QSettings;
class QUndoStack;
class Qel_Baza;
class WorkFolder;

class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs its start-up. appFolder is the program's folder, which holds
    // zlib/zlibtool, and zlib/temp/ when Korvane runs portably; empty means the folder of the
    // running program.
    explicit FrmMain(const QString& appFolder = QString(), QWidget* parent = nullptr);
    ~FrmMain() override;

    // The boots table shown and edited.
    const Qel_Baza& table() const;

    // The user's compressed file that Save replaces; empty before the first Open.
    const QString& chosenFile() const { return Chosen_File; }

    // The help window while it is open, else null.
    FrmHelp* helpWindow() const;

    // The folder holding this window's working files, ending with '/'; no other running Korvane
    // uses it at the same time.
    const QString& workFolder() const;

    // Opens the compressed boots file at `path` as File, Open does with the path chosen in its
    // dialog: the same checks, messages and working files. Does nothing while the tool runs.
    // A file that does not exist: "Nie znaleziono pliku N"; a table of more than 256 boots is
    // opened, and the user told that the list shows its first 256.
    void openFile(const QString& path);

    // Shows the program in the language the user chose in Edit > "Język / Language", else in the
    // system's.
    void followLanguage();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The close box while the tool runs asks as closeEvent does; Qt would otherwise take a close
    // that comes during closeEvent (while its Save runs) as done, and hide the window at once.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A single local file dropped on the window is opened with openFile.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What a command needs to be enabled.
    enum class Needs { Nothing, OpenFile, Undo, Redo };
    // One menu command: its action, and when it is enabled.
    struct Command {
        QAction* action;
        Needs needs;
        bool runsWithTool;   // enabled while the tool runs (it asks whether to stop it first)
        const char* caption; // as written; null for one that has no caption of its own
    };

    // Construction (frm_main.cpp).
    void createActions();
    void createControls();
    // Enables every command as the state allows: a file open, the history, the tool not running.
    void updateCommands();
    // The caption: the open file's name, the unsaved mark, then the program's caption.
    void showFileName();
    // Blocks the window's controls while the tool runs, or frees them again.
    void showBusy(bool busy);
    // Sets every text of the window in the language in use.
    void retranslate();

    // The user's settings: the language and the files opened last (frm_main_settings.cpp).
    // File > "Ostatnio otwierane", after Open, and Edit > "Język / Language".
    void createRecentMenu();
    void createLanguageMenu();
    // Lists the files opened last in their menu, newest first.
    void showRecentFiles();
    // Puts the file at `path` first among the files opened last.
    void rememberFile(const QString& path);
    // Opens a file of the list as File, Open does; one that is gone leaves the list.
    void openRecent(const QString& path);
    // Shows the program in `code` ("pl", "en"; empty for the system's language) and keeps the
    // choice.
    void chooseLanguage(const QString& code);

    // Start, open, save, exit, close (frm_main_files.cpp).
    void Form_Load(const QString& appFolder);
    void Form_Unload();
    void MnuFileOpen_Click();
    void Cmd_Zapisz_Click();
    void MnuSaveFile_Click();
    void mnuQuit_Click();
    void Clear_Temp();
    // The folder the open dialog starts in.
    QString openFolder() const;
    // Runs the command kept while the tool ran; after a stop, without the unsaved-changes
    // question.
    void runPending(ToolRun::Then then, bool stopped);
    // With unsaved changes, asks whether to save them first. True when the caller may go on:
    // nothing unsaved, the changes dropped, or saved. False on Cancel or a failed Save.
    bool settleChanges();

    // The exchange commands (frm_main_exchange.cpp), which need an open file: Export CSV and
    // Import CSV, patches, and the comparison with another file.
    void MnuExportCsv_Click();
    void MnuImportCsv_Click();
    void MnuExportPatch_Click();
    void MnuApplyPatch_Click();
    void MnuCompare_Click();
    // Asks for a file to read in a dialog titled `title` showing `filter`, in the open file's
    // folder; or, with an `ending`, for a file to write, offering the open file's name with its
    // suffix replaced by `ending`. Empty when the user cancels, or the tool runs meanwhile.
    QString chooseExchangeFile(const QString& title, const QString& filter,
                               const QString& ending = QString());
    // Replaces the file at `path` with the text of `encode`, read back and checked. Refuses the
    // open file and its backup, and a read-only file; false, after a message titled `title` that
    // says why, when nothing was written.
    bool writeExport(const QString& path, const QString& title,
                     const tablefile::TextEncoder& encode);
    // Opens the table window with the cells that differ from the table in the file at `path`
    // marked, or says why that file cannot be read.
    void compareWith(const QString& path);

    // Recovery of unsaved edits (frm_main_recovery.cpp). Where the recovery files are: beside the
    // working folder when Korvane runs portably, else in the user's state folder.
    QString recoveryFolder() const;
    // Keeps the unsaved edits in this window's recovery file, written after each change.
    void startJournal();
    // What the recovery file holds now; none when nothing is unsaved.
    std::optional<boots::RecoveryFile> recoveryContent() const;
    // Offers back every recovery file that a Korvane no longer running left, newest first (only
    // those of `file`, when given), one question each.
    void offerRecovery(const QString& file);
    // Opens the file of `recovery` and applies its edits to it, as one step; or says why not.
    void restoreFrom(const RecoveryJournal::Left& left, const boots::RecoveryFile& recovery,
                     const QByteArray& text);
    // Says `why` the edits of `left` were not restored, with `clashes` under the details, and
    // offers to keep them as the patch file `patch`, in a file the user picks (from `folder`);
    // `left` goes once that file is written.
    void keepAsPatch(const RecoveryJournal::Left& left, const QString& why, const QString& clashes,
                     std::string_view patch, const QString& folder);

    // Edit and Help (frm_main.cpp).
    void MnuUndo_Click();
    void MnuRedo_Click();
    // Opens the table window, or brings the open one to the front.
    void MnuTable_Click();
    void Help_Click();

    // Controls, named as their objectName.
    QPushButton* Cmd_Zapisz = nullptr;
    QMenu* MnuFile = nullptr;
    QAction* MnuFileOpen = nullptr;
    QAction* MnuSaveFile = nullptr;
    QAction* MnuExportCsv = nullptr;
    QAction* MnuImportCsv = nullptr;
    QAction* MnuExportPatch = nullptr;
    QAction* MnuApplyPatch = nullptr;
    QAction* MnuCompare = nullptr;
    QAction* mnuQuit = nullptr;
    QMenu* MnuEdit = nullptr;
    QAction* MnuUndo = nullptr;
    QAction* MnuRedo = nullptr;
    QAction* MnuTable = nullptr;
    QMenu* MnuRecent = nullptr;
    QMenu* MnuLanguage = nullptr;
    QAction* Help = nullptr;
    std::vector<Command> commands; // every command above, as createActions made it

    // Window state.
    QUndoStack* history = nullptr; // clean: the table as last opened or saved
    BootsModel* model = nullptr;
    BootEditor* editor = nullptr;
    QString appFolder; // ends with a separator
    std::unique_ptr<WorkFolder> work;
    std::unique_ptr<QSettings> settings; // in the program's folder when it runs portably
    ToolRun* tool = nullptr;
    QString Chosen_File;
    FileStamp chosenStamp;     // Chosen_File as last opened or saved
    bool skipQuestion = false; // the next unsaved-changes question is answered Discard
    std::unique_ptr<RecoveryJournal> journal;
    QDateTime lastChange;   // of the table, for the recovery file
    bool restoring = false; // an Open that restores edits: it offers nothing itself
    bool shownOnce = false;
    QPointer<FrmHelp> helpForm;
    QPointer<FrmTable> tableForm;
};
