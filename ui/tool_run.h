// A run of the compression tool for a window: the tool started hidden and waited for while the
// window stays live, its commands blocked, a small window saying what the tool does after half a
// second, and the question whether to stop the tool or wait when the user asks for Open, Close or
// Exit meanwhile; that command runs once the command running the tool has finished.
#pragma once

#include "services/message_box.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class Qel_Process;
class QWidget;

class ToolRun : public QObject {
    Q_OBJECT
public:
    // What the user asked for while the tool ran, to run once the command running it has ended.
    enum class Then { Nothing, Open, Close, Exit };

    // Runs `program` for `window`, which it blocks and gives the keyboard back to.
    ToolRun(QWidget* window, QString program);

    // True while the tool runs.
    bool busy() const;
    // The tool's program file.
    const QString& program() const { return programPath; }

    // Runs the tool hidden with `arguments` through `tool` and returns when it has ended; `tool`
    // then tells how. Meanwhile busyChanged(true) and, after half a second, a small window says
    // what the tool does for the file `name`, with a button that stops it; the window has the
    // keyboard again before this returns.
    void run(Qel_Process& tool, korvane::ToolJob job, const QString& name,
             const QStringList& arguments);

    // True when the tool is not running: the caller goes on. Otherwise asks whether to stop the
    // tool or wait, keeps `then` for when the commands running the tool have ended, and returns
    // false.
    bool settle(Then then);

    // A command that may run the tool (Open, Save), while it lives: a command kept by settle waits
    // until the last of them has ended.
    class Command {
    public:
        explicit Command(ToolRun& run);
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        ToolRun& run;
    };

signals:
    void busyChanged(bool busy);
    // The command kept by settle, to run now, once the callers of the command that ran the tool
    // have all returned; `stopped`: the user stopped the tool for it.
    void pending(ToolRun::Then then, bool stopped);

private:
    void endCommand();

    QWidget* window;
    QString programPath;
    QPointer<Qel_Process> running; // the tool being waited for, if any
    korvane::ToolJob job = korvane::ToolJob::Unpack;
    QString fileName;              // the file the tool works on
    QPointer<QWidget> focusBefore; // the control that had the focus when the tool started
    int commands = 0;              // commands in progress, nested ones included
    Then kept = Then::Nothing;
    bool stopChosen = false; // the user stopped the tool for the kept command
};
