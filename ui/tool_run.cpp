#include "ui/tool_run.h"

#include "services/qel_process.h"
#include "ui/frm_progress.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <memory>
#include <utility>

ToolRun::ToolRun(QWidget* window, QString program)
    : QObject(window), window(window), programPath(std::move(program)) {}

bool ToolRun::busy() const {
    return !running.isNull();
}

void ToolRun::run(Qel_Process& tool, korvane::ToolJob job, const QString& name,
                  const QStringList& arguments) {
    // The small window is made only once the tool has run for half a second.
    std::unique_ptr<FrmProgress> progress;
    QTimer later;
    later.setSingleShot(true);
    connect(&later, &QTimer::timeout, this, [&] {
        progress = std::make_unique<FrmProgress>((job == korvane::ToolJob::Pack
                                                      ? tr("Pakowanie pliku %1…")
                                                      : tr("Rozpakowywanie pliku %1…"))
                                                     .arg(name),
                                                 window);
        connect(progress.get(), &FrmProgress::stopRequested, &tool, &Qel_Process::stop);
        progress->show();
    });
    later.start(std::chrono::milliseconds(500));
    running = &tool;
    this->job = job;
    fileName = name;
    focusBefore = window->focusWidget();
    window->setCursor(Qt::BusyCursor);
    emit busyChanged(true);
    tool.Run_Process(programPath, arguments, 0);
    later.stop();
    if (progress && progress->isActiveWindow()) { // clicked, or activated by the platform
        progress->hide();
        window->activateWindow();
        // The keyboard is back in the window before the command goes on; it is still blocked.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    running = nullptr;
    window->unsetCursor();
    emit busyChanged(false);
    if (focusBefore)
        focusBefore->setFocus();
}

bool ToolRun::settle(Then then) {
    if (!busy())
        return true;
    if (korvane::askStopTool(window, job, fileName) == korvane::StopAnswer::Stop && running) {
        stopChosen = true;
        running->stop();
    }
    kept = then;
    return false;
}

ToolRun::Command::Command(ToolRun& run) : run(run) {
    ++run.commands;
}

ToolRun::Command::~Command() {
    run.endCommand();
}

void ToolRun::endCommand() {
    if (--commands > 0 || kept == Then::Nothing)
        return;
    // Queued: by then the command's callers, a nested event loop among them, have all returned.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const Then then = std::exchange(kept, Then::Nothing);
            emit pending(then, std::exchange(stopChosen, false));
        },
        Qt::QueuedConnection);
}
