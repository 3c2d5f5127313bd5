// Runs an external program and returns once it has ended, keeping the windows live meanwhile.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QProcess;

class Qel_Process : public QObject {
    Q_OBJECT
public:
    explicit Qel_Process(QObject* parent = nullptr);
    ~Qel_Process() override;

    // Starts `program` with `arguments`, passed to it untouched (no shell, no quoting), and
    // returns when it has ended; window events go on being processed while it runs. Reports
    // nothing itself: a program that cannot be started returns at once, and the accessors below
    // say how the run ended. WindowStyle is the Windows start-up window state (0 hidden ... 6
    // minimised without focus); elsewhere it has no effect.
    void Run_Process(const QString& program, const QStringList& arguments, int WindowStyle = 2);

    // The same for a whole command line, split into program and arguments by Qt's quoting rules.
    void Run_Process(const QString& Path, int WindowStyle = 2);

    // Ends the program being waited for, if any, so that Run_Process returns. On POSIX the
    // program runs in a process group of its own, and the whole group is killed.
    void stop();

    // True while Run_Process is waiting.
    bool isRunning() const;

    // True when the last Run_Process ended early: through stop() or because the application quit.
    bool stopped() const;

    // True when the program of the last Run_Process started, was not stopped, ended normally and
    // returned exit code 0.
    bool succeeded() const;

    // Why the program of the last Run_Process could not be started; empty when it started.
    QString startError() const;

    // True when the program of the last Run_Process ended abnormally (a crash or a signal) without
    // being stopped.
    bool crashed() const;

    // The exit code of the program of the last Run_Process when it ended normally, else 0.
    int exitCode() const;

    // The last line the program of the last Run_Process wrote to its standard error, without its
    // line end and surrounding blanks, read as UTF-8 (as Korvane's tools write it on every
    // system); empty when it wrote none. Only the last 4 KiB of that
    // output are kept, and a line of more than 300 characters is cut to "…" and its last 299.
    QString errorLine() const;

private:
    // Forgets how the last run ended, before a new one.
    void forgetLastRun();
    void keepErrorTail(const QByteArray& bytes);

    QPointer<QProcess> running;
    bool wasStopped = false;
    bool didSucceed = false;
    bool didCrash = false;
    int code = 0;
    QString whyNotStarted;
    QByteArray errorTail;
};
