#include "ui/frm_main.h"
#include "ui/last_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <csignal>
#include <memory>

namespace {

// True when the command line asks for --help or --version, which need no display. Windows always
// has one, and shows the answer in a message box.
bool asksForText(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    return false;
#else
    for (int i = 1; i < argc && qstrcmp(argv[i], "--") != 0; ++i)
        for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            if (qstrcmp(argv[i], option) == 0)
                return true;
    return false;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // A write past the file-size limit then fails like any other write, with its message.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const std::unique_ptr<QCoreApplication> instance(
        asksForText(argc, argv) ? new QCoreApplication(argc, argv) : new QApplication(argc, argv));
    QCoreApplication& app = *instance;
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the football boots table of a game's compressed .bin file."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The boots file to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        parser.showHelp(2);
    // Made absolute now: the window makes its own folder the current one.
    const QString file = files.isEmpty() ? QString() : QFileInfo(files[0]).absoluteFilePath();

    QIcon icon(QStringLiteral(":/korvane.ico"));
    icon.addFile(QStringLiteral(":/korvane.png"));
    QApplication::setWindowIcon(icon);
    endWithLastWindow();
    FrmMain window;
    window.followLanguage();
    window.show();
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, &file] { window.openFile(file); });
    return app.exec();
}
