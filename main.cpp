#include "ui/frm_main.h"
#include "ui/last_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the football boots table of a game's compressed .bin file."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The boots file to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);
    if (parser.positionalArguments().size() > 1)
        parser.showHelp(2);
    // Taken whole now: the window makes its own folder the current one.
    const QString file =
        parser.positionalArguments().isEmpty()
            ? QString()
            : QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();

    QIcon icon(QStringLiteral(":/korvane.ico"));
    icon.addFile(QStringLiteral(":/korvane.png"));
    QApplication::setWindowIcon(icon);
    endWithLastWindow();
    FrmMain window;
    window.show();
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, &file] { window.Open_File(file); });
    return app.exec();
}
