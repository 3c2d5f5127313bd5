// A boot name box that refuses, when typed or pasted, any character the boots file cannot hold
// (Windows-1250), and tells the user which with a note beside the box.
#pragma once

#include <QValidator>

class QLineEdit;

class NameValidator : public QValidator {
    Q_OBJECT
public:
    // Guards `box`, which owns the validator.
    explicit NameValidator(QLineEdit* box);

    State validate(QString& input, int& position) const override;

private:
    QLineEdit* box;
};
