// The main window's construction and its Help command.
#include "ui/frm_main.h"

#include "boots/qel_baza.h"
#include "ui/frm_help.h"
#include "ui/look.h"
#include "ui/twips.h"
#include "ui/work_folder.h"

#include <QAction>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QUndoStack>
#include <iterator>

namespace {

// [*] shows whether the table holds unsaved changes, the desktop's usual way.
const QString Caption = QStringLiteral("Korvane version 1.0  by     \"Vantrel\" & \"Ostrevan\"[*]");

// The editing boxes by index, each in its captioned frame.
struct BoxRow {
    const char* caption;
    bool inStats; // inside Frame4, else directly on Picture1
    Twips frame;
    int boxWidth; // twips; every box sits at (120, 240) in its frame, 285 high
    int maxLength;
};

const BoxRow Boxes[8] = {
    {"ID", false, {120, 120, 735, 615}, 495, 3},
    {"Group", false, {960, 120, 735, 615}, 495, 3},
    {"Name", false, {120, 840, 5655, 615}, 5415, Qel_Baza::Name_Limit},
    {"Shot power", true, {120, 240, 5415, 615}, 5175, 1},
    {"Shot accuracy", true, {120, 960, 5415, 615}, 5175, 1},
    {"Acceleration", true, {120, 1680, 5415, 615}, 5175, 1},
    {"Top speed", true, {120, 2400, 5415, 615}, 5175, 1},
    {"Swerve", true, {120, 3120, 5415, 615}, 5175, 1},
};

// Places a control, measuring from its container's client area: inside the border of a picture
// box, from the corner of a frame or the window.
void place(QWidget* control, const Twips& twips) {
    const auto* box = qobject_cast<const QFrame*>(control->parentWidget());
    const int border = box ? box->frameWidth() : 0;
    control->setGeometry(toPixels(twips).translated(border, border));
}

QGroupBox* makeFrame(QWidget* container, const QString& name, const QString& caption,
                     const Twips& twips) {
    auto* frame = new QGroupBox(caption, container);
    frame->setObjectName(name);
    place(frame, twips);
    return frame;
}

QPushButton* makeButton(QWidget* container, const QString& name, const QString& caption,
                        const Twips& twips) {
    auto* button = new QPushButton(caption, container);
    button->setObjectName(name);
    button->setFont(makeFont(QStringLiteral("TrashHand"), 20.25));
    QPalette face = button->palette();
    face.setColor(QPalette::Button, Qt::white);
    button->setPalette(face);
    place(button, twips);
    return button;
}

} // namespace

FrmMain::FrmMain(const QString& appFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(Caption);
    Undo_Stack = new QUndoStack(this);

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
    connect(mnuQuit, &QAction::triggered, this, &FrmMain::mnuQuit_Click);
    connect(Help, &QAction::triggered, this, &FrmMain::Help_Click);
    connect(MnuUndo, &QAction::triggered, this, &FrmMain::MnuUndo_Click);
    connect(MnuRedo, &QAction::triggered, this, &FrmMain::MnuRedo_Click);
    connect(Undo_Stack, &QUndoStack::canUndoChanged, MnuUndo, &QAction::setEnabled);
    connect(Undo_Stack, &QUndoStack::canRedoChanged, MnuRedo, &QAction::setEnabled);
    connect(Undo_Stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    connect(Cmd_Zapisz, &QPushButton::clicked, this, &FrmMain::Cmd_Zapisz_Click);
    connect(Cmd_Dodaj, &QPushButton::clicked, this, &FrmMain::Cmd_Dodaj_Click);
    connect(List1, &QListWidget::itemSelectionChanged, this, &FrmMain::List1_Click);
    List1->installEventFilter(this);
    for (int i = 0; i < static_cast<int>(Txt.size()); ++i) {
        connect(Txt[i], &QLineEdit::textChanged, this, [this, i] { Txt_Change(i); });
        Txt[i]->installEventFilter(this);
    }

    // A file dropped anywhere on the window opens, the boxes included, which would take its name.
    setAcceptDrops(true);
    for (TxtBox* box : Txt)
        box->setAcceptDrops(false);

    Cmd_Zapisz->setFocus();
    Form_Load(appFolder);
}

FrmMain::~FrmMain() {
    delete Help_Form; // a window of its own, left open when this one closed by its close box
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
    MnuSep2 = MnuFile->addSeparator();
    MnuSep2->setObjectName(QStringLiteral("MnuSep2"));
    MnuFile->addAction(mnuQuit);
    MnuEdit = menuBar()->addMenu(QStringLiteral("Edit"));
    MnuEdit->setObjectName(QStringLiteral("MnuEdit"));
    MnuEdit->addAction(MnuUndo);
    MnuEdit->addAction(MnuRedo);
    menuBar()->addAction(Help);
}

void FrmMain::createControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(toPixels({0, 0, 11715, 6750}).size());
    setCentralWidget(client);

    Cmd_Dodaj = makeButton(client, QStringLiteral("Cmd_Dodaj"), QStringLiteral("Add BootS"),
                           {120, 6120, 2175, 495});
    Cmd_Zapisz = makeButton(client, QStringLiteral("Cmd_Zapisz"), QStringLiteral("save"),
                            {9480, 6120, 2175, 495});

    Frame1 =
        makeFrame(client, QStringLiteral("Frame1"), QStringLiteral("Buty"), {120, 120, 5295, 5895});
    List1 = new QListWidget(Frame1);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    place(List1, {120, 240, 5055, 5520});

    Frame2 = makeFrame(client, QStringLiteral("Frame2"), QStringLiteral("Stats"),
                       {5520, 120, 6135, 5895});
    Picture1 = new QFrame(Frame2);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(2);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    place(Picture1, {120, 240, 5895, 5535});
    Frame4 = makeFrame(Picture1, QStringLiteral("Frame4"), QStringLiteral("Stats"),
                       {120, 1560, 5655, 3855});

    const QFont captionFont = makeFont(QStringLiteral("MS Sans Serif"), 8.25, QFont::Bold);
    for (int i = 0; i < static_cast<int>(std::size(Boxes)); ++i) {
        const BoxRow& row = Boxes[i];
        Frame3[i] = makeFrame(row.inStats ? static_cast<QWidget*>(Frame4) : Picture1,
                              QStringLiteral("Frame3_%1").arg(i), QString::fromLatin1(row.caption),
                              row.frame);
        Frame3[i]->setFont(captionFont);
        Txt[i] = new TxtBox(row.maxLength, Frame3[i]);
        Txt[i]->setObjectName(QStringLiteral("Txt_%1").arg(i));
        Txt[i]->setFont(windowFont()); // not the frame's bold caption font
        Txt[i]->setAlignment(i == Name_Box ? Qt::AlignLeft : Qt::AlignHCenter);
        place(Txt[i], {120, 240, row.boxWidth, 285});
    }
    Txt[0]->setReadOnly(true);
    Reset_Editor(); // the boxes' initial texts, the stats frame hidden

    QWidget* tabOrder[] = {Cmd_Zapisz, List1,  Picture1, Txt[0], Txt[1], Txt[2],
                           Txt[3],     Txt[4], Txt[5],   Txt[6], Txt[7], Cmd_Dodaj};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void FrmMain::Help_Click() {
    if (!Help_Form)
        Help_Form = new FrmHelp;
    Help_Form->show();
}
