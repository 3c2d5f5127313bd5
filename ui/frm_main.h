// The main window: the boots editor, the open and save commands around the compression tool,
// and the table's export to CSV and import from it.
#pragma once

#include "services/file_stamp.h"
#include "services/message_box.h"
#include "tablefile/table_file.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

class BootEditor;
class BootsModel;
class FrmTable;
class QAction;
class QMenu;
class QPushButton;
class QUndoStack;
class Qel_Baza;
class Qel_Process;
class FrmHelp;
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
    const Qel_Baza& Baza() const;

    // The user's compressed file that Save replaces; empty before the first Open.
    const QString& Chosen() const { return Chosen_File; }

    // The help window while it is open, else null.
    FrmHelp* Help_Window() const;

    // The folder holding this window's working files, ending with '/'; no other running Korvane
    // uses it at the same time.
    const QString& Temp_Dir() const;

    // Opens the compressed boots file at `path` as File, Open does with the path chosen in its
    // dialog: the same checks, messages and working files. Does nothing while the tool runs.
    // A file that does not exist: "Nie znaleziono pliku N"; a table of more than 256 boots is
    // opened, and the user told once that only its first 256 can be edited.
    void Open_File(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The close box while the tool runs asks as closeEvent does; Qt would otherwise take a close
    // that comes during closeEvent (while its Save runs) as done, and hide the window at once.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A single local file dropped on the window is opened with Open_File.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Construction (frm_main.cpp).
    void createControls();
    void createActions();
    void createMenus();

    // Start, open, save, exit, close (frm_main_files.cpp).
    void Form_Load(const QString& appFolder);
    void Form_Unload();
    void MnuFileOpen_Click();
    void Cmd_Zapisz_Click();
    void MnuSaveFile_Click();
    void mnuQuit_Click();
    void Clear_Temp();
    // The folder the open dialog starts in.
    QString Open_Folder() const;
    // Runs zlibtool hidden with `arguments` through `tool` and waits; `tool` then tells how it
    // ended. Meanwhile the commands are disabled (File, Open and File, Exit ask first) and, after
    // half a second, a small window says what the tool does for the file `name`, with a button
    // that stops it.
    void Run_Tool(Qel_Process& tool, korvane::ToolJob job, const QString& name,
                  const QStringList& arguments);
    // True while the tool runs: every command handler then returns without doing anything.
    bool Busy() const;
    // Disables the commands that cannot run while the tool does, or enables them again.
    void Show_Busy(bool busy);
    // The commands that need an open file.
    QList<QAction*> File_Commands() const;
    // A command asked for while the tool ran, run once the command running it has finished.
    enum class After_Tool { Nothing, Open, Close, Exit };
    // True when the tool is not running: the caller goes on. Otherwise asks whether to stop the
    // tool or wait, keeps `then` for when the command running the tool has finished, and returns
    // false. After a stop, `then` drops unsaved changes without asking.
    bool Settle_Tool(After_Tool then);
    // Counts the end of Open or Save; when none is left, the command kept by Settle_Tool runs.
    void End_Command();
    // Runs the command kept by Settle_Tool.
    void Run_Pending();
    // With unsaved changes, asks whether to save them first. True when the caller may go on:
    // nothing unsaved, the changes dropped, or saved. False on Cancel or a failed Save.
    bool Settle_Changes();
    // The exchange commands (frm_main_exchange.cpp), which need an open file: Export CSV and
    // Import CSV, patches, and the comparison with another file.
    void MnuExportCsv_Click();
    void MnuImportCsv_Click();
    void MnuExportPatch_Click();
    void MnuApplyPatch_Click();
    void MnuCompare_Click();
    // The path that an export's dialog offers: the open file's, its suffix replaced by `ending`.
    QString Export_Name(const QString& ending) const;
    // Replaces the file at `path` with the text of `encode`, read back and checked. Refuses the
    // open file and its backup, and a read-only file; false, after a message titled `title` that
    // says why, when nothing was written.
    bool Write_Export(const QString& path, const QString& title,
                      const tablefile::TextEncoder& encode);
    // Opens the table window with the cells that differ from the table in the file at `path`
    // marked, or says why that file cannot be read.
    void Compare_With(const QString& path);

    void MnuUndo_Click();
    void MnuRedo_Click();
    // Opens the table window, or brings the open one to the front.
    void MnuTable_Click();

    // Help (frm_main.cpp).
    void Help_Click();

    // Controls, named as their objectName.
    QPushButton* Cmd_Zapisz = nullptr;
    QMenu* MnuFile = nullptr;
    QAction* MnuFileOpen = nullptr;
    QAction* mnuSep1 = nullptr;
    QAction* MnuSaveFile = nullptr;
    QAction* MnuExportCsv = nullptr;
    QAction* MnuImportCsv = nullptr;
    QAction* MnuExportPatch = nullptr;
    QAction* MnuApplyPatch = nullptr;
    QAction* MnuCompare = nullptr;
    QAction* MnuSep2 = nullptr;
    QAction* mnuQuit = nullptr;
    QMenu* MnuEdit = nullptr;
    QAction* MnuUndo = nullptr;
    QAction* MnuRedo = nullptr;
    QAction* MnuTable = nullptr;
    QAction* Help = nullptr;

    // Window state.
    QUndoStack* Undo_Stack = nullptr; // clean: the table as last opened or saved
    BootsModel* Boots = nullptr;
    BootEditor* Editor = nullptr;
    QString App_Folder; // ends with a separator
    std::unique_ptr<WorkFolder> Work;
    QString Chosen_File;
    FileStamp Chosen_Stamp;             // Chosen_File as last opened or saved
    QPointer<Qel_Process> Running_Tool; // the tool being waited for, if any
    korvane::ToolJob Running_Job = korvane::ToolJob::Unpack;
    QString Running_Name;           // the name of the file the tool works on
    QPointer<QWidget> Focus_Before; // the control that had the focus when the tool started
    int Commands_Running = 0;       // Open and Save in progress, nested ones included
    After_Tool Pending = After_Tool::Nothing;
    bool Stop_Chosen = false;   // the user stopped the tool for the pending command
    bool Skip_Question = false; // the next unsaved-changes question is answered Discard
    QPointer<FrmHelp> Help_Form;
    QPointer<FrmTable> Table_Form;
};
