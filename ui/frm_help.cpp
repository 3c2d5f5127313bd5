#include "ui/frm_help.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace {

const char* const Sans = "MS Sans Serif";
constexpr QRgb Default = 0; // the default text colour
constexpr int Left = Qt::AlignLeft | Qt::AlignTop;
constexpr int Centred = Qt::AlignHCenter | Qt::AlignTop;
// A bordered label sets top-aligned text half an 'x' below its border, which pushes the last line
// of each bordered label past its bottom edge; centred, every line fits.
constexpr int LeftMiddle = Qt::AlignLeft | Qt::AlignVCenter;

struct LabelRow {
    const char* name;
    Twips twips;
    const char* family;
    qreal points;
    QRgb colour;
    int alignment;
    bool border;
    const char* style; // null: plain text; else rich text in a paragraph of this style
    const char* text;
};

// clang-format off
const LabelRow Labels[] = {
    {"Label6", {120, 5160, 3495, 360}, Sans, 13.5, qRgb(0, 0, 192), Left, false, nullptr,
     "www.bootsfans.example"},
    {"Label5", {120, 4320, 3015, 435}, Sans, 17.25, qRgb(255, 0, 0), Centred, false, nullptr,
     "league.example"},
    {"Label4", {120, 4680, 3450, 435}, Sans, 17.25, qRgb(0, 255, 0), Centred, false, nullptr,
     "bootmods.example"},
    {"Label3", {3285, 3960, 2265, 360}, Sans, 13.5, Default, Centred, false, nullptr,
     "I Invite for visiting! "},
    {"Label2", {120, 3120, 8130, 600}, "Arial", 12, Default, LeftMiddle, true, nullptr,
     "To correctly work of all boots,we must do some work with groups\n"
     "I think everyone can handle without a problem"},
    // Six lines fit the box, even in the wider and taller face that stands in for TrashHand.
    {"Label1", {360, 360, 4845, 2580}, "TrashHand", 20.25, qRgb(255, 0, 0), LeftMiddle, true,
     "white-space:pre; line-height:80%; letter-spacing:-1px",
     " Wersja 1.0.0\n-Change name boots\n-Change stats\n-Add boots\n\n"
     "\"Thanks to Brenik and Lumira \"Zlib\""},
};
// clang-format on

} // namespace

FrmHelp::FrmHelp(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FrmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Help"));
    setGeometry(toPixels({7590, 4515, 8400, 5730}));
    setFixedSize(size());

    // The page reaches past the window's right and bottom edges, keeping its border there unseen.
    auto* page = new QGroupBox(QStringLiteral("Help"), this);
    page->setObjectName(QStringLiteral("Frame1"));
    page->setGeometry(toPixels({0, 0, 8415, 5775}));

    auto* picture = new QLabel(page);
    picture->setObjectName(QStringLiteral("Picture2"));
    picture->setPixmap(QPixmap(QStringLiteral(":/boots.jpg")));
    picture->setGeometry(toPixels({5760, 4440, 1995, 1065}));

    for (const LabelRow& row : Labels) {
        const QString text = QString::fromUtf8(row.text);
        auto* label = new QLabel(page);
        label->setObjectName(QString::fromLatin1(row.name));
        if (row.style) {
            label->setTextFormat(Qt::RichText);
            label->setText(
                QStringLiteral("<p style=\"%1\">%2</p>")
                    .arg(QLatin1String(row.style),
                         text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"))));
        } else {
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            label->setWordWrap(true);
        }
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        label->setAlignment(Qt::Alignment(row.alignment));
        label->setFont(makeFont(QString::fromLatin1(row.family), row.points));
        if (row.colour != Default) {
            QPalette coloured = label->palette();
            coloured.setColor(QPalette::WindowText, QColor(row.colour));
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

    applyWindowLook(this);
}
