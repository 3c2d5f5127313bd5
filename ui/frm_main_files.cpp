// Placeholder bodies until the open and save commands are written.
#include "boots/qel_baza.h"
#include "ui/frm_main.h"

#include <QCloseEvent>

void FrmMain::Form_Load(const QString& appFolder) {
    Table = std::make_unique<Qel_Baza>();
    App_Folder = appFolder;
}
void FrmMain::Form_Unload() {}
void FrmMain::MnuFileOpen_Click() {}
void FrmMain::Cmd_Zapisz_Click() {}
void FrmMain::MnuSaveFile_Click() {}
void FrmMain::mnuQuit_Click() {}
void FrmMain::Clear_Temp() {}
void FrmMain::closeEvent(QCloseEvent* event) { QMainWindow::closeEvent(event); }
