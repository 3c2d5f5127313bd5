#include "ui/name_validator.h"

#include "ui/boots_model.h"

#include <QLineEdit>
#include <QToolTip>

NameValidator::NameValidator(QLineEdit* box) : QValidator(box), Box(box) {
    box->setValidator(this);
}

QValidator::State NameValidator::validate(QString& input, int&) const {
    const QString missing = BootsModel::unstorable(input);
    if (missing.isEmpty())
        return Acceptable;
    QToolTip::showText(
        Box->mapToGlobal(QPoint(0, Box->height())),
        QStringLiteral("Znaku „%1” nie można zapisać w pliku butów (kodowanie Windows-1250).")
            .arg(missing),
        Box);
    return Invalid;
}
