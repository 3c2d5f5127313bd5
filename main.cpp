#include "ui/frm_main.h"
#include "ui/last_window.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
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
