// The main window: the boots editor, the open and save commands around the compression tool,
// and the table's export to CSV and import from it.
#pragma once

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
    void Open_File(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
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
    // Runs zlibtool hidden with `arguments` and waits. True when it ended normally with exit code
    // 0; otherwise false, after showing "Wystąpił błąd" unless the window was closed meanwhile.
    bool Run_Tool(const QStringList& arguments);
    // True while the tool runs: every command handler then returns without doing anything.
    bool Busy() const;
    // With unsaved changes, asks whether to save them first. True when the caller may go on:
    // nothing unsaved, the changes dropped, or saved. False on Cancel or a failed Save.
    bool Settle_Changes();
    // Copies the user's file to FILE.bak beside it unless that exists (or the file does not).
    // False, with no FILE.bak made, when the copy cannot be written whole.
    bool Backup_Original();

    // Export CSV and Import CSV (frm_main_csv.cpp): both need an open file.
    void MnuExportCsv_Click();
    void MnuImportCsv_Click();

    // Patches (frm_main_patch.cpp): both need an open file, as does the comparison.
    void MnuExportPatch_Click();
    void MnuApplyPatch_Click();
    void MnuCompare_Click();

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
    QPointer<Qel_Process> Running_Tool; // the tool being waited for, if any
    QPointer<FrmHelp> Help_Form;
    QPointer<FrmTable> Table_Form;
};
