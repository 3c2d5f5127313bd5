#include "services/qel_common_dialog.h"

#include <QFileDialog>
#include <algorithm>
#include <utility>

namespace {

Qel_Common_Dialog::Answerer& currentAnswerer() {
    static Qel_Common_Dialog::Answerer instance;
    return instance;
}

// Turns "description|pattern|..." pairs into Qt name filters "description (patterns)". A
// Windows pattern list is separated by ';'; "*.*" means every file, names without a dot included.
QStringList nameFilters(const QString& Filter) {
    const QStringList pieces = Filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
        QStringList patterns = pieces[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << pieces[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

// An empty saveSuffix asks for a file to open, else for a file to write.
QString askUser(QWidget* owner, const QString& title, const QString& dir,
                const QStringList& filters, const QString& saveSuffix) {
    QFileDialog dialog(owner, title, dir);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(saveSuffix.isEmpty() ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(saveSuffix);
    // The descriptions already name their patterns; show them as given.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString Qel_Common_Dialog::OpenFileName(QWidget* FrmName, const QString& DialogTitle,
                                        const QString& DirPath, const QString& Filter) {
    return choose(FrmName, DialogTitle, DirPath, Filter, QString());
}

QString Qel_Common_Dialog::saveFileName(QWidget* FrmName, const QString& DialogTitle,
                                        const QString& DirPath, const QString& Filter,
                                        const QString& DefaultSuffix) {
    return choose(FrmName, DialogTitle, DirPath, Filter, DefaultSuffix);
}

QString Qel_Common_Dialog::choose(QWidget* owner, const QString& title, const QString& dir,
                                  const QString& Filter, const QString& saveSuffix) {
    const QStringList filters = nameFilters(Filter);
    const QString chosen = currentAnswerer() ? currentAnswerer()(title, dir, filters)
                                             : askUser(owner, title, dir, filters, saveSuffix);
    if (chosen.isEmpty())
        return QStringLiteral("-1");
    chosenPath = chosen;
    return chosenPath;
}

QString Qel_Common_Dialog::TitleName() const {
#ifdef Q_OS_WIN
    const qsizetype cut = std::max(chosenPath.lastIndexOf(QLatin1Char('/')),
                                   chosenPath.lastIndexOf(QLatin1Char('\\')));
#else
    const qsizetype cut = chosenPath.lastIndexOf(QLatin1Char('/'));
#endif
    return chosenPath.mid(cut + 1);
}

void Qel_Common_Dialog::setAnswerer(Answerer answerer) {
    currentAnswerer() = std::move(answerer);
}
