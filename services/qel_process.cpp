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
    connect(&process, &QProcess::readyReadStandardError, this,
            [this, &process] { Keep_Error_Tail(process.readAllStandardError()); });

    Forget_Last_Run();
    const QPointer<QProcess> outer = std::exchange(Running, &process);
    process.start(program, arguments);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // The loop also returns early when the application quits: end the program before leaving.
    if (process.state() != QProcess::NotRunning)
        Stop();
    Running = outer;
    Keep_Error_Tail(process.readAllStandardError());
    if (process.error() == QProcess::FailedToStart) {
        Why_Not_Started = process.errorString();
        return;
    }
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    Code = normal ? process.exitCode() : 0;
    Did_Crash = !Was_Stopped && !normal;
    Did_Succeed = !Was_Stopped && normal && Code == 0;
}

void Qel_Process::Forget_Last_Run() {
    Was_Stopped = Did_Succeed = Did_Crash = false;
    Code = 0;
    Why_Not_Started.clear();
    Error_Tail.clear();
}

void Qel_Process::Keep_Error_Tail(const QByteArray& bytes) {
    constexpr qsizetype kept = 4096;
    Error_Tail += bytes;
    if (Error_Tail.size() > kept)
        Error_Tail.remove(0, Error_Tail.size() - kept);
}

void Qel_Process::Run_Process(const QString& Path, int WindowStyle) {
    QStringList arguments = QProcess::splitCommand(Path);
    if (arguments.isEmpty()) {
        Forget_Last_Run();
        Why_Not_Started = QStringLiteral("pusty wiersz polecenia");
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

QString Qel_Process::Start_Error() const {
    return Why_Not_Started;
}

bool Qel_Process::Crashed() const {
    return Did_Crash;
}

int Qel_Process::Exit_Code() const {
    return Code;
}

QString Qel_Process::Error_Line() const {
    constexpr qsizetype longest = 300;
    const QList<QByteArray> lines = Error_Tail.split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QString text = QString::fromUtf8(line->trimmed());
        if (text.size() > longest)
            return QStringLiteral("…") + text.right(longest - 1);
        if (!text.isEmpty())
            return text;
    }
    return QString();
}
