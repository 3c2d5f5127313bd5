#include "ui/txt_box.h"

#include <algorithm>

TxtBox::TxtBox(int limit, QWidget* parent) : QLineEdit(parent), limit(limit) {
    setMaxLength(limit);
    connect(this, &QLineEdit::textEdited, this, &TxtBox::shrinkToText);
}

void TxtBox::showWhole(const QString& text) {
    // Raising the length limit keeps the old text; lowering it to the new text's length cuts none.
    if (text.size() > maxLength())
        setMaxLength(static_cast<int>(text.size()));
    QLineEdit::setText(text);
    setMaxLength(std::max(limit, static_cast<int>(text.size())));
}

void TxtBox::shrinkToText() {
    const int length = static_cast<int>(text().size());
    if (maxLength() <= std::max(limit, length))
        return;
    const int cursor = cursorPosition();
    setMaxLength(std::max(limit, length));
    setCursorPosition(cursor);
}
