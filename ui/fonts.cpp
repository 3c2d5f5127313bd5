#include "ui/fonts.h"

#include <QStringList>

namespace {

void installSubstitutes() {
    static const bool installed = [] {
        QFont::insertSubstitutions(QStringLiteral("TrashHand"),
                                   {QStringLiteral("Comic Neue"), QStringLiteral("Z003")});
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
