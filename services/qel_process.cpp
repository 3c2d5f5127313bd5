#include "services/qel_process.h"

#include <QEventLoop>
#include <QProcess>
#include <utility>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <csignal>
#include <unistd.h>
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
    // A group of its own, so that Stop() also ends whatever the program started.
    process.setChildProcessModifier([] { setpgid(0, 0); });
#endif
    QEventLoop loop;
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });

    Was_Stopped = false;
    Did_Succeed = false;
    const QPointer<QProcess> outer = std::exchange(Running, &process);
    process.start(program, arguments);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // The loop also returns early when the application quits: end the program before leaving.
    if (process.state() != QProcess::NotRunning)
        Stop();
    Running = outer;
    Did_Succeed = !Was_Stopped && process.error() != QProcess::FailedToStart &&
                  process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void Qel_Process::Run_Process(const QString& Path, int WindowStyle) {
    QStringList arguments = QProcess::splitCommand(Path);
    if (arguments.isEmpty()) {
        Was_Stopped = Did_Succeed = false;
        return;
    }
    const QString program = arguments.takeFirst();
    Run_Process(program, arguments, WindowStyle);
}

void Qel_Process::Stop() {
    if (!Running)
        return;
    Was_Stopped = true;
#ifndef Q_OS_WIN
    if (const qint64 pid = Running->processId(); pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
#endif
    Running->kill();
    Running->waitForFinished();
}

bool Qel_Process::Is_Running() const {
    return !Running.isNull();
}

bool Qel_Process::Stopped() const {
    return Was_Stopped;
}

bool Qel_Process::Succeeded() const {
    return Did_Succeed;
}
