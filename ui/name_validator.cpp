#include "ui/name_validator.h"

#include "ui/boots_model.h"

#include <QLineEdit>
#include <QToolTip>

NameValidator::NameValidator(QLineEdit* box) : QValidator(box), box(box) {
    box->setValidator(this);
}

QValidator::State NameValidator::validate(QString& input, int&) const {
    const QString missing = BootsModel::unstorable(input);
    if (missing.isEmpty())
        return Acceptable;
    QToolTip::showText(
        box->mapToGlobal(QPoint(0, box->height())),
        tr("Znaku „%1” nie można zapisać w pliku butów (kodowanie Windows-1250).").arg(missing),
        box);
    return Invalid;
}
