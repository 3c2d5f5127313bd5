#include "services/qel_process.h"

#include <QEventLoop>
#include <QProcess>
#include <utility>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

Qel_Process::Qel_Process(QObject* parent) : QObject(parent) {}

Qel_Process::~Qel_Process() = default;

void Qel_Process::Run_Process(const QString& program, const QStringList& arguments,
                              int WindowStyle) {
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier(
        [WindowStyle](QProcess::CreateProcessArguments* args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = static_cast<WORD>(WindowStyle);
        });
#else
    Q_UNUSED(WindowStyle)
#endif
    QEventLoop loop;
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });

    Was_Stopped = false;
    const QPointer<QProcess> outer = std::exchange(Running, &process);
    process.start(program, arguments);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // The loop also returns early when the application quits: end the program before leaving.
    if (process.state() != QProcess::NotRunning)
        Stop();
    Running = outer;
}

void Qel_Process::Run_Process(const QString& Path, int WindowStyle) {
    QStringList arguments = QProcess::splitCommand(Path);
    if (arguments.isEmpty())
        return;
    const QString program = arguments.takeFirst();
    Run_Process(program, arguments, WindowStyle);
}

void Qel_Process::Stop() {
    if (!Running)
        return;
    Was_Stopped = true;
    Running->kill();
    Running->waitForFinished();
}

bool Qel_Process::Is_Running() const {
    return !Running.isNull();
}

bool Qel_Process::Stopped() const {
    return Was_Stopped;
}
