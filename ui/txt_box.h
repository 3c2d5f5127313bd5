// A single-line text box whose length limit binds what the user types or pastes, but never cuts
// the text the program puts into it.
#pragma once

#include <QLineEdit>

class TxtBox : public QLineEdit {
    Q_OBJECT
public:
    // A box that refuses typed or pasted characters beyond `limit` characters.
    TxtBox(int limit, QWidget* parent = nullptr);

    // Shows `text` whole, even when it is longer than the limit (QLineEdit::setText would cut it).
    // The user may then shorten such a text but never lengthen it again, until it is back within
    // the limit. Emits textChanged when the text differs, never textEdited.
    void showWhole(const QString& text);

private:
    void shrinkToText();

    int limit;
};
