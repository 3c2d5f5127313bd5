#include "ui/frm_help.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <iterator>

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
    int lineHeight;    // in percent of the font's line spacing, for rich text
    const char* text;  // as written; `%1` stands for the version
};

// clang-format off
const LabelRow Labels[] = {
    {"Label6", {120, 5160, 3495, 360}, Sans, 13.5, qRgb(0, 0, 192), Left, false, nullptr, 0,
     "www.bootsfans.example"},
    {"Label5", {120, 4320, 3015, 435}, Sans, 17.25, qRgb(255, 0, 0), Centred, false, nullptr, 0,
     "league.example"},
    {"Label4", {120, 4680, 3450, 435}, Sans, 17.25, qRgb(0, 255, 0), Centred, false, nullptr, 0,
     "bootmods.example"},
    {"Label3", {3285, 3960, 2265, 360}, Sans, 13.5, Default, Centred, false, nullptr, 0,
     QT_TRANSLATE_NOOP("FrmHelp", "I Invite for visiting! ")},
    {"Label2", {120, 3120, 8130, 600}, "Arial", 12, Default, LeftMiddle, true, nullptr, 0,
     QT_TRANSLATE_NOOP("FrmHelp", "To correctly work of all boots,we must do some work with groups\n"
                                  "I think everyone can handle without a problem")},
    // Six lines, in the wider and taller face that stands in for TrashHand.
    {"Label1", {360, 360, 4845, 2580}, "TrashHand", 20.25, qRgb(255, 0, 0), LeftMiddle, true,
     "white-space:pre; letter-spacing:-1px", 80,
     QT_TRANSLATE_NOOP("FrmHelp", " Wersja %1\n-Change name boots\n-Change stats\n-Add boots\n\n"
                                  "\"Thanks to Brenik and Lumira \"Zlib\"")},
};
// clang-format on

// Sets `text` as rich text in a paragraph of the row's style, its line height lowered from the
// row's own in steps until every line fits the label's box: fonts' line spacing differs between
// systems (Windows spaces lines wider).
void setFittedText(QLabel* label, const LabelRow& row, const QString& text) {
    label->setTextFormat(Qt::RichText);
    const QString body = text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
    for (int percent = row.lineHeight;; percent -= 5) {
        label->setText(QStringLiteral("<p style=\"%1; line-height:%2%\">%3</p>")
                           .arg(QLatin1String(row.style), QString::number(percent), body));
        // A lowered line height takes the difference off each line's foot, but the last line's
        // letters still reach its font's full depth.
        const int lastLineFoot = (100 - percent) * label->fontMetrics().lineSpacing() / 100;
        if (percent <= 50 || label->sizeHint().height() + lastLineFoot <= label->height())
            return;
    }
}

} // namespace

FrmHelp::FrmHelp(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FrmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Its fixed place, moved in as far as it must to show whole on a screen too small for it
    // there (a high DPI setting makes the screen small in pixels).
    QRect place = toPixels({7590, 4515, 8400, 5730});
    const QRect screenArea = screen()->availableGeometry();
    place.moveLeft(std::max(screenArea.left(),
                            std::min(place.left(), screenArea.right() - place.width() + 1)));
    place.moveTop(std::max(screenArea.top(),
                           std::min(place.top(), screenArea.bottom() - place.height() + 1)));
    setGeometry(place);
    setFixedSize(size());

    // The page reaches past the window's right and bottom edges, keeping its border there unseen.
    page = new QGroupBox(this);
    page->setObjectName(QStringLiteral("Frame1"));
    page->setGeometry(toPixels({0, 0, 8415, 5775}));

    auto* picture = new QLabel(page);
    picture->setObjectName(QStringLiteral("Picture2"));
    picture->setPixmap(QPixmap(QStringLiteral(":/boots.jpg")));
    picture->setGeometry(toPixels({5760, 4440, 1995, 1065}));

    for (const LabelRow& row : Labels) {
        auto* label = new QLabel(page);
        label->setObjectName(QString::fromLatin1(row.name));
        if (!row.style) {
            label->setTextFormat(Qt::PlainText);
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
        labels.push_back(label);
    }

    auto* line = new QFrame(page);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setGeometry(toPixels({0, 3000, 8400, 15}));

    applyWindowLook(this);
    retranslate();
}

void FrmHelp::retranslate() {
    setWindowTitle(tr("Help"));
    page->setTitle(tr("Help"));
    for (std::size_t i = 0; i < std::size(Labels); ++i) {
        const LabelRow& row = Labels[i];
        QString text = tr(row.text);
        if (text.contains(QLatin1String("%1")))
            text = text.arg(QStringLiteral(KORVANE_VERSION));
        if (row.style)
            setFittedText(labels[i], row, text);
        else
            labels[i]->setText(text);
    }
}

void FrmHelp::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
