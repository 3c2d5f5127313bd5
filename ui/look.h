// Functions, no class: the look both windows share: white pages, frames drawn as a thin line with
// the caption on it, and the typefaces the windows ask for, with stand-ins where the machine lacks
// them.
#pragma once

#include <QFont>

struct Twips;
class QGroupBox;
class QPushButton;
class QString;
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

// Places a control at `twips`, measured from its container's client area: inside the border of a
// picture box, from the corner of a frame or the window.
void place(QWidget* control, const Twips& twips);

// A captioned frame named `name` in `container`, placed at `twips`.
QGroupBox* makeFrame(QWidget* container, const QString& name, const QString& caption,
                     const Twips& twips);

// A command button of the main window: white, captioned in "TrashHand", placed at `twips`.
QPushButton* makeButton(QWidget* container, const QString& name, const QString& caption,
                        const Twips& twips);
