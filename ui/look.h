// The look both windows share: white pages, frames drawn as a thin line with the caption on it,
// and the typefaces the windows ask for, with stand-ins where the machine lacks them.
#pragma once

#include <QFont>

class QWidget;

// A font of the given face, point size and weight, not italic, underlined or struck out. Faces
// the machine lacks ("TrashHand", "MS Sans Serif", "Arial") fall back to an installed
// handwriting-like or sans face at the same point size.
QFont makeFont(const QString& family, qreal points, QFont::Weight weight = QFont::Normal);

// The windows' default font, used by every control that names no font of its own.
QFont windowFont();

// Gives a top-level window the shared look: white background, the default font, and frames
// drawn as a plain line. Call it once the window's frames exist.
void applyWindowLook(QWidget* window);
