#include "ui/frm_main.h"
#include "ui/last_window.h"
#include "ui/qt_translations.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    installQtTranslations(QLocale::system());
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QIcon icon(QStringLiteral(":/korvane.ico"));
    icon.addFile(QStringLiteral(":/korvane.png"));
    QApplication::setWindowIcon(icon);
    endWithLastWindow();
    FrmMain window;
    window.show();
    return app.exec();
}
