#include "ui/frm_help.h"

#include "ui/fonts.h"
#include "ui/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace {

struct LabelRow {
    const char* name;
    const char* text;
    const char* family;
    qreal points;
    QColor colour; // invalid: the default text colour
    Qt::Alignment alignment;
    bool border;
    Twips twips;
};

const LabelRow Labels[] = {
    {"Label6",
     "www.bootsfans.example",
     "MS Sans Serif",
     13.5,
     QColor(0, 0, 192),
     Qt::AlignLeft,
     false,
     {120, 5160, 3495, 360}},
    {"Label5",
     "league.example",
     "MS Sans Serif",
     17.25,
     QColor(255, 0, 0),
     Qt::AlignHCenter,
     false,
     {120, 4320, 3015, 435}},
    {"Label4",
     "bootmods.example",
     "MS Sans Serif",
     17.25,
     QColor(0, 255, 0),
     Qt::AlignHCenter,
     false,
     {120, 4680, 3450, 435}},
    {"Label3",
     "I Invite for visiting! ",
     "MS Sans Serif",
     13.5,
     QColor(),
     Qt::AlignHCenter,
     false,
     {3285, 3960, 2265, 360}},
    {"Label2",
     "To correctly work of all boots,we must do some work with groups\n"
     "I think everyone can handle without a problem",
     "Arial",
     12,
     QColor(),
     Qt::AlignLeft,
     true,
     {120, 3120, 8130, 600}},
    {"Label1",
     " Wersja 1.0.0\n-Change name boots\n-Change stats\n-Add boots\n\n"
     "\"Thanks to Brenik and Lumira \"Zlib\"",
     "TrashHand",
     20.25,
     QColor(255, 0, 0),
     Qt::AlignLeft,
     true,
     {360, 360, 4845, 2580}},
};

} // namespace

FrmHelp::FrmHelp(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FrmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(
        Qt::WA_QuitOnClose); // a tool window is otherwise left out when Qt looks for the last one
    setWindowTitle(QStringLiteral("Help"));
    setFont(windowFont());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setGeometry(toPixels({7590, 4515, 8400, 5730}));
    setFixedSize(size());

    // The page reaches past the right and bottom edges so that only its caption shows.
    auto* page = new QGroupBox(QStringLiteral("Help"), this);
    page->setObjectName(QStringLiteral("Frame1"));
    page->setGeometry(toPixels({0, 0, 8415, 5775}));

    auto* picture = new QLabel(page);
    picture->setObjectName(QStringLiteral("Picture2"));
    picture->setPixmap(QPixmap(QStringLiteral(":/boots.jpg")));
    picture->setGeometry(toPixels({5760, 4440, 1995, 1065}));

    for (const LabelRow& row : Labels) {
        auto* label = new QLabel(QString::fromUtf8(row.text), page);
        label->setObjectName(QString::fromLatin1(row.name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        label->setAlignment(row.alignment | Qt::AlignTop);
        label->setFont(makeFont(QString::fromLatin1(row.family), row.points));
        if (row.colour.isValid()) {
            QPalette coloured = label->palette();
            coloured.setColor(QPalette::WindowText, row.colour);
            label->setPalette(coloured);
        }
        if (row.border)
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setGeometry(toPixels(row.twips));
    }

    auto* line = new QFrame(page);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setGeometry(toPixels({0, 3000, 8400, 15}));
}
