// The main window's construction and its Help command.
#include "ui/frm_main.h"

#include "boots/qel_baza.h"
#include "ui/boot_editor.h"
#include "ui/boots_model.h"
#include "ui/frm_help.h"
#include "ui/frm_table.h"
#include "ui/look.h"
#include "ui/twips.h"
#include "services/work_folder.h"

#include <QAction>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QUndoStack>

namespace {

// [*] shows whether the table holds unsaved changes, the desktop's usual way.
const QString Caption =
    QStringLiteral("Korvane version " KORVANE_VERSION "  by     \"Vantrel\" & \"Ostrevan\"[*]");

} // namespace

FrmMain::FrmMain(const QString& appFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(Caption);
    Undo_Stack = new QUndoStack(this);
    Boots = new BootsModel(Undo_Stack, this);

    createActions();
    createMenus();
    createControls();
    applyWindowLook(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());

    connect(MnuFileOpen, &QAction::triggered, this, &FrmMain::MnuFileOpen_Click);
    connect(MnuSaveFile, &QAction::triggered, this, &FrmMain::MnuSaveFile_Click);
    connect(MnuExportCsv, &QAction::triggered, this, &FrmMain::MnuExportCsv_Click);
    connect(MnuImportCsv, &QAction::triggered, this, &FrmMain::MnuImportCsv_Click);
    connect(MnuExportPatch, &QAction::triggered, this, &FrmMain::MnuExportPatch_Click);
    connect(MnuApplyPatch, &QAction::triggered, this, &FrmMain::MnuApplyPatch_Click);
    connect(MnuCompare, &QAction::triggered, this, &FrmMain::MnuCompare_Click);
    connect(mnuQuit, &QAction::triggered, this, &FrmMain::mnuQuit_Click);
    connect(Help, &QAction::triggered, this, &FrmMain::Help_Click);
    connect(MnuUndo, &QAction::triggered, this, &FrmMain::MnuUndo_Click);
    connect(MnuRedo, &QAction::triggered, this, &FrmMain::MnuRedo_Click);
    connect(MnuTable, &QAction::triggered, this, &FrmMain::MnuTable_Click);
    connect(Undo_Stack, &QUndoStack::canUndoChanged, MnuUndo, &QAction::setEnabled);
    connect(Undo_Stack, &QUndoStack::canRedoChanged, MnuRedo, &QAction::setEnabled);
    connect(Undo_Stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    connect(Cmd_Zapisz, &QPushButton::clicked, this, &FrmMain::Cmd_Zapisz_Click);
    Editor->setHistoryKeys(MnuUndo->shortcuts() + MnuRedo->shortcuts());

    // A file dropped anywhere on the window opens.
    setAcceptDrops(true);

    Cmd_Zapisz->setFocus();
    Form_Load(appFolder);
}

FrmMain::~FrmMain() {
    delete Help_Form;  // a window of its own, left open when this one closed by its close box
    delete Table_Form; // shows this window's model
}

const Qel_Baza& FrmMain::Baza() const {
    return Boots->table();
}

FrmHelp* FrmMain::Help_Window() const {
    return Help_Form;
}

void FrmMain::createActions() {
    const auto makeAction = [this](const QString& name, const QString& caption,
                                   const QKeySequence& shortcut) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        return action;
    };
    MnuFileOpen = makeAction(QStringLiteral("MnuFileOpen"), QStringLiteral("&Open"),
                             QKeySequence(Qt::CTRL | Qt::Key_O));
    MnuSaveFile = makeAction(QStringLiteral("MnuSaveFile"), QStringLiteral("&Save"),
                             QKeySequence(Qt::CTRL | Qt::Key_S));
    MnuSaveFile->setEnabled(false);
    MnuExportCsv =
        makeAction(QStringLiteral("MnuExportCsv"), QStringLiteral("Export CSV…"), QKeySequence());
    MnuExportCsv->setEnabled(false);
    MnuImportCsv =
        makeAction(QStringLiteral("MnuImportCsv"), QStringLiteral("Import CSV…"), QKeySequence());
    MnuImportCsv->setEnabled(false);
    MnuExportPatch = makeAction(QStringLiteral("MnuExportPatch"), QStringLiteral("Eksport zmian…"),
                                QKeySequence());
    MnuApplyPatch = makeAction(QStringLiteral("MnuApplyPatch"), QStringLiteral("Zastosuj zmiany…"),
                               QKeySequence());
    MnuCompare = makeAction(QStringLiteral("MnuCompare"), QStringLiteral("Porównaj z plikiem…"),
                            QKeySequence());
    for (QAction* needsFile : {MnuExportPatch, MnuApplyPatch, MnuCompare})
        needsFile->setEnabled(false);
    mnuQuit = makeAction(QStringLiteral("mnuQuit"), QStringLiteral("&Exit"),
                         QKeySequence(Qt::CTRL | Qt::Key_Q));
    Help = makeAction(QStringLiteral("Help"), QStringLiteral("Help"), QKeySequence());
    MnuUndo = makeAction(QStringLiteral("MnuUndo"), QStringLiteral("&Undo"),
                         QKeySequence(Qt::CTRL | Qt::Key_Z));
    MnuUndo->setEnabled(false);
    MnuRedo = makeAction(QStringLiteral("MnuRedo"), QStringLiteral("&Redo"), QKeySequence());
    MnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    MnuRedo->setEnabled(false);
    MnuTable = makeAction(QStringLiteral("MnuTable"), QStringLiteral("Tabela butów"),
                          QKeySequence(Qt::CTRL | Qt::Key_T));
    MnuTable->setEnabled(false);
}

void FrmMain::createMenus() {
    MnuFile = menuBar()->addMenu(QStringLiteral("File"));
    MnuFile->setObjectName(QStringLiteral("MnuFile"));
    MnuFile->addAction(MnuFileOpen);
    mnuSep1 = MnuFile->addSeparator();
    mnuSep1->setObjectName(QStringLiteral("mnuSep1"));
    MnuFile->addAction(MnuSaveFile);
    MnuFile->addAction(MnuExportCsv);
    MnuFile->addAction(MnuImportCsv);
    MnuFile->addAction(MnuExportPatch);
    MnuFile->addAction(MnuApplyPatch);
    MnuFile->addAction(MnuCompare);
    MnuSep2 = MnuFile->addSeparator();
    MnuSep2->setObjectName(QStringLiteral("MnuSep2"));
    MnuFile->addAction(mnuQuit);
    MnuEdit = menuBar()->addMenu(QStringLiteral("Edit"));
    MnuEdit->setObjectName(QStringLiteral("MnuEdit"));
    MnuEdit->addAction(MnuUndo);
    MnuEdit->addAction(MnuRedo);
    MnuEdit->addSeparator();
    MnuEdit->addAction(MnuTable);
    menuBar()->addAction(Help);
}

void FrmMain::createControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(toPixels({0, 0, 11715, 6750}).size());
    setCentralWidget(client);

    Cmd_Zapisz = makeButton(client, QStringLiteral("Cmd_Zapisz"), QStringLiteral("save"),
                            {9480, 6120, 2175, 495});
    Editor = new BootEditor(Boots, client);
    QWidget::setTabOrder(Cmd_Zapisz, Editor->firstControl());
}

void FrmMain::Help_Click() {
    if (!Help_Form)
        Help_Form = new FrmHelp;
    Help_Form->show();
}

void FrmMain::MnuUndo_Click() {
    if (!Busy())
        Undo_Stack->undo();
}

void FrmMain::MnuRedo_Click() {
    if (!Busy())
        Undo_Stack->redo();
}

void FrmMain::MnuTable_Click() {
    if (Busy())
        return;
    if (!Table_Form) {
        Table_Form = new FrmTable(Boots, Undo_Stack);
        // The file commands' keys work there as here.
        Table_Form->addActions({MnuFileOpen, MnuSaveFile, mnuQuit});
    }
    Table_Form->show();
    Table_Form->raise();
    Table_Form->activateWindow();
}
