// Placeholder bodies until the editor is written.
#include "ui/frm_main.h"

void FrmMain::List1_Click() {}
void FrmMain::Txt_Change(int) {}
void FrmMain::Txt_KeyPress(int, int&) {}
void FrmMain::Cmd_Dodaj_Click() {}
void FrmMain::Reset_Editor() {}
bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    return QMainWindow::eventFilter(watched, event);
}
