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
            [this, &process] { keepErrorTail(process.readAllStandardError()); });

    forgetLastRun();
    const QPointer<QProcess> outer = std::exchange(running, &process);
    process.start(program, arguments);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // The loop also returns early when the application quits: end the program before leaving.
    if (process.state() != QProcess::NotRunning)
        stop();
    running = outer;
    keepErrorTail(process.readAllStandardError());
    if (process.error() == QProcess::FailedToStart) {
        whyNotStarted = process.errorString();
        return;
    }
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    code = normal ? process.exitCode() : 0;
    didCrash = !wasStopped && !normal;
    didSucceed = !wasStopped && normal && code == 0;
}

void Qel_Process::forgetLastRun() {
    wasStopped = didSucceed = didCrash = false;
    code = 0;
    whyNotStarted.clear();
    errorTail.clear();
}

void Qel_Process::keepErrorTail(const QByteArray& bytes) {
    constexpr qsizetype kept = 4096;
    errorTail += bytes;
    if (errorTail.size() > kept)
        errorTail.remove(0, errorTail.size() - kept);
}

void Qel_Process::Run_Process(const QString& Path, int WindowStyle) {
    QStringList arguments = QProcess::splitCommand(Path);
    if (arguments.isEmpty()) {
        forgetLastRun();
        whyNotStarted = tr("pusty wiersz polecenia");
        return;
    }
    const QString program = arguments.takeFirst();
    Run_Process(program, arguments, WindowStyle);
}

void Qel_Process::stop() {
    if (!running)
        return;
    wasStopped = true;
#ifndef Q_OS_WIN
    if (const qint64 pid = running->processId(); pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
#endif
    running->kill();
    running->waitForFinished();
}

bool Qel_Process::isRunning() const {
    return !running.isNull();
}

bool Qel_Process::stopped() const {
    return wasStopped;
}

bool Qel_Process::succeeded() const {
    return didSucceed;
}

QString Qel_Process::startError() const {
    return whyNotStarted;
}

bool Qel_Process::crashed() const {
    return didCrash;
}

int Qel_Process::exitCode() const {
    return code;
}

QString Qel_Process::errorLine() const {
    constexpr qsizetype longest = 300;
    const QList<QByteArray> lines = errorTail.split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QString text = QString::fromUtf8(line->trimmed());
        if (text.size() > longest)
            return QStringLiteral("…") + text.right(longest - 1);
        if (!text.isEmpty())
            return text;
    }
    return QString();
}
