// Functions, no class of its interface: the look is applied to widgets made elsewhere.
#include "ui/look.h"

#include "ui/twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringList>
#include <QStyleOptionGroupBox>

namespace {

// Frames drawn as a thin line on the page, with the caption set into the top line near its left
// end, instead of the platform's shaded panel.
class PlainFrameStyle : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || !frame) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QFontMetrics& metrics = frame->fontMetrics;
        const QRect caption(6, 0, metrics.horizontalAdvance(frame->text) + 4, metrics.height());
        painter->save();
        painter->setPen(frame->palette.color(QPalette::Mid));
        painter->drawRect(frame->rect.adjusted(0, caption.center().y(), -1, -1));
        painter->restore();
        painter->fillRect(caption, frame->palette.window());
        drawItemText(painter, caption, Qt::AlignCenter, frame->palette,
                     frame->state & State_Enabled, frame->text, QPalette::WindowText);
    }
};

void installSubstitutes() {
    static const bool installed = [] {
        QFont::insertSubstitutions(QStringLiteral("TrashHand"),
                                   {QStringLiteral("Z003"), QStringLiteral("Comic Neue")});
        QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
        return true;
    }();
    (void)installed;
}

} // namespace

QFont makeFont(const QString& family, qreal points, QFont::Weight weight) {
    installSubstitutes();
    QFont font(family);
    font.setPointSizeF(points);
    font.setWeight(weight);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QFont windowFont() {
    return makeFont(QStringLiteral("MS Sans Serif"), 8.25);
}

void applyWindowLook(QWidget* window) {
    window->setFont(windowFont());
    QPalette white = window->palette();
    white.setColor(QPalette::Window, Qt::white);
    window->setPalette(white);
    static QStyle* const frames = [] {
        auto* style = new PlainFrameStyle;
        style->setParent(qApp); // lives as long as the windows can
        return style;
    }();
    for (QGroupBox* frame : window->findChildren<QGroupBox*>())
        frame->setStyle(frames);
}

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
