// The main window's construction, its commands, and Edit and Help.
#include "ui/frm_main.h"

#include "boots/qel_baza.h"
#include "services/work_folder.h"
#include "ui/boot_editor.h"
#include "ui/boots_model.h"
#include "ui/frm_help.h"
#include "ui/frm_table.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QUndoStack>

namespace {

// Shows whether the table holds unsaved changes, the desktop's usual way.
const QString UnsavedMark = QStringLiteral("[*]");

} // namespace

FrmMain::FrmMain(const QString& appFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FrmMain"));
    history = new QUndoStack(this);
    model = new BootsModel(history, this);

    Form_Load(appFolder);
    createActions();
    createControls();
    retranslate();
    applyWindowLook(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();

    connect(history, &QUndoStack::canUndoChanged, this, &FrmMain::updateCommands);
    connect(history, &QUndoStack::canRedoChanged, this, &FrmMain::updateCommands);
    connect(history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    connect(Cmd_Zapisz, &QPushButton::clicked, this, &FrmMain::Cmd_Zapisz_Click);
    editor->setHistoryKeys(MnuUndo->shortcuts() + MnuRedo->shortcuts());

    // A file dropped anywhere on the window opens.
    setAcceptDrops(true);

    Cmd_Zapisz->setFocus();
    // Centred; a second copy a little lower and to the right, so that both show.
    const int offset = work->anotherCopyRuns() ? 2 * fontMetrics().height() : 0;
    move(screen()->availableGeometry().center() - rect().center() + QPoint(offset, offset));
    connect(tool, &ToolRun::busyChanged, this, &FrmMain::showBusy);
    connect(tool, &ToolRun::pending, this, &FrmMain::runPending);
    updateCommands();
}

FrmMain::~FrmMain() {
    disconnect(history, nullptr, this, nullptr); // it clears itself after the actions are gone
    delete helpForm;  // a window of its own, left open when this one closed by its close box
    delete tableForm; // shows this window's model
}

const Qel_Baza& FrmMain::table() const {
    return model->table();
}

void FrmMain::showFileName() {
    const QString caption =
        tr("Korvane version %1  by     \"Vantrel\" & \"Ostrevan\"").arg(KORVANE_VERSION);
    setWindowTitle(Chosen_File.isEmpty() ? caption + UnsavedMark
                                         : QFileInfo(Chosen_File).fileName() + UnsavedMark +
                                               QStringLiteral(" – ") + caption);
}

void FrmMain::retranslate() {
    showFileName();
    MnuFile->setTitle(tr("File"));
    MnuEdit->setTitle(tr("Edit"));
    MnuRecent->setTitle(tr("Ostatnio otwierane"));
    for (const Command& command : commands)
        if (command.caption)
            command.action->setText(tr(command.caption));
    Cmd_Zapisz->setText(tr("save"));
    editor->retranslate();
    showRecentFiles();
}

void FrmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && editor)
        retranslate();
    QMainWindow::changeEvent(event);
}

FrmHelp* FrmMain::helpWindow() const {
    return helpForm;
}

void FrmMain::createActions() {
    // Every command of the menus, in their order: where it goes, its object name, caption and
    // keys, what it needs to be enabled, whether it stays enabled while the tool runs, and its
    // handler. A row without a name is a separator; one without a handler opens a menu.
    enum class Place { File, Edit, Bar };
    const struct Row {
        Place place;
        QAction* FrmMain::*member;
        const char* name;
        const char* caption;
        QList<QKeySequence> keys;
        Needs needs;
        bool runsWithTool;
        void (FrmMain::*handler)();
    } rows[] = {
        {Place::File,
         &FrmMain::MnuFileOpen,
         "MnuFileOpen",
         QT_TR_NOOP("&Open"),
         {Qt::CTRL | Qt::Key_O},
         Needs::Nothing,
         true,
         &FrmMain::MnuFileOpen_Click},
        {Place::File, nullptr, "mnuSep1", nullptr, {}, Needs::Nothing, true, nullptr},
        {Place::File,
         &FrmMain::MnuSaveFile,
         "MnuSaveFile",
         QT_TR_NOOP("&Save"),
         {Qt::CTRL | Qt::Key_S},
         Needs::OpenFile,
         false,
         &FrmMain::MnuSaveFile_Click},
        {Place::File,
         &FrmMain::MnuExportCsv,
         "MnuExportCsv",
         QT_TR_NOOP("Export CSV…"),
         {},
         Needs::OpenFile,
         false,
         &FrmMain::MnuExportCsv_Click},
        {Place::File,
         &FrmMain::MnuImportCsv,
         "MnuImportCsv",
         QT_TR_NOOP("Import CSV…"),
         {},
         Needs::OpenFile,
         false,
         &FrmMain::MnuImportCsv_Click},
        {Place::File,
         &FrmMain::MnuExportPatch,
         "MnuExportPatch",
         QT_TR_NOOP("Eksport zmian…"),
         {},
         Needs::OpenFile,
         false,
         &FrmMain::MnuExportPatch_Click},
        {Place::File,
         &FrmMain::MnuApplyPatch,
         "MnuApplyPatch",
         QT_TR_NOOP("Zastosuj zmiany…"),
         {},
         Needs::OpenFile,
         false,
         &FrmMain::MnuApplyPatch_Click},
        {Place::File,
         &FrmMain::MnuCompare,
         "MnuCompare",
         QT_TR_NOOP("Porównaj z plikiem…"),
         {},
         Needs::OpenFile,
         false,
         &FrmMain::MnuCompare_Click},
        {Place::File, nullptr, "MnuSep2", nullptr, {}, Needs::Nothing, true, nullptr},
        {Place::File,
         &FrmMain::mnuQuit,
         "mnuQuit",
         QT_TR_NOOP("&Exit"),
         {Qt::CTRL | Qt::Key_Q},
         Needs::Nothing,
         true,
         &FrmMain::mnuQuit_Click},
        {Place::Edit,
         &FrmMain::MnuUndo,
         "MnuUndo",
         QT_TR_NOOP("&Undo"),
         {Qt::CTRL | Qt::Key_Z},
         Needs::Undo,
         false,
         &FrmMain::MnuUndo_Click},
        {Place::Edit,
         &FrmMain::MnuRedo,
         "MnuRedo",
         QT_TR_NOOP("&Redo"),
         {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
         Needs::Redo,
         false,
         &FrmMain::MnuRedo_Click},
        {Place::Edit, nullptr, "", nullptr, {}, Needs::Nothing, true, nullptr},
        {Place::Edit,
         &FrmMain::MnuTable,
         "MnuTable",
         QT_TR_NOOP("Tabela butów"),
         {Qt::CTRL | Qt::Key_T},
         Needs::OpenFile,
         false,
         &FrmMain::MnuTable_Click},
        {Place::Bar,
         &FrmMain::Help,
         "Help",
         QT_TR_NOOP("Help"),
         {},
         Needs::Nothing,
         true,
         &FrmMain::Help_Click},
    };
    MnuFile = menuBar()->addMenu(QString());
    MnuFile->setObjectName(QStringLiteral("MnuFile"));
    MnuEdit = menuBar()->addMenu(QString());
    MnuEdit->setObjectName(QStringLiteral("MnuEdit"));
    // The Edit menu as a whole waits while the tool runs.
    commands.push_back({MnuEdit->menuAction(), Needs::Nothing, false, nullptr});
    for (const Row& row : rows) {
        QAction* action = nullptr;
        if (row.place == Place::Bar) {
            action = menuBar()->addAction(QString());
        } else {
            QMenu* menu = row.place == Place::File ? MnuFile : MnuEdit;
            action = row.caption ? menu->addAction(QString()) : menu->addSeparator();
        }
        action->setObjectName(QLatin1String(row.name));
        if (!row.member)
            continue;
        action->setShortcuts(row.keys);
        connect(action, &QAction::triggered, this, row.handler);
        this->*row.member = action;
        commands.push_back({action, row.needs, row.runsWithTool, row.caption});
        if (row.member == &FrmMain::MnuFileOpen)
            createRecentMenu();
        else if (row.member == &FrmMain::MnuTable)
            createLanguageMenu();
    }
}

void FrmMain::updateCommands() {
    const bool busy = tool && tool->busy();
    for (const Command& command : commands) {
        bool enabled = !busy || command.runsWithTool;
        switch (command.needs) {
        case Needs::OpenFile:
            enabled = enabled && !Chosen_File.isEmpty();
            break;
        case Needs::Undo:
            enabled = enabled && history->canUndo();
            break;
        case Needs::Redo:
            enabled = enabled && history->canRedo();
            break;
        case Needs::Nothing:
            break;
        }
        command.action->setEnabled(enabled);
    }
}

void FrmMain::showBusy(bool busy) {
    editor->setBusy(busy);
    centralWidget()->setEnabled(!busy);
    if (tableForm)
        tableForm->setEnabled(!busy);
    updateCommands();
}

void FrmMain::createControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(toPixels({0, 0, 11715, 6750}).size());
    setCentralWidget(client);

    Cmd_Zapisz =
        makeButton(client, QStringLiteral("Cmd_Zapisz"), QString(), {9480, 6120, 2175, 495});
    editor = new BootEditor(model, client);
    QWidget::setTabOrder(Cmd_Zapisz, editor->firstControl());
}

void FrmMain::Help_Click() {
    if (!helpForm)
        helpForm = new FrmHelp;
    helpForm->show();
}

void FrmMain::MnuUndo_Click() {
    if (!tool->busy())
        history->undo();
}

void FrmMain::MnuRedo_Click() {
    if (!tool->busy())
        history->redo();
}

void FrmMain::MnuTable_Click() {
    if (tool->busy())
        return;
    if (!tableForm) {
        tableForm = new FrmTable(model, history);
        // The file commands' keys work there as here.
        tableForm->addActions({MnuFileOpen, MnuSaveFile, mnuQuit});
    }
    tableForm->show();
    tableForm->raise();
    tableForm->activateWindow();
}
