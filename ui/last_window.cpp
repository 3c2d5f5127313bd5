// One function, no class in its interface: the watch it installs is private to this file.
#include "ui/last_window.h"

#include "ui/frm_help.h"
#include "ui/frm_main.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>

namespace {

class LastWindowWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && isOurs(watched) && !anyOpen()) {
            QCoreApplication::instance()->removeEventFilter(this); // ends once
            QCoreApplication::quit();
        }
        return false;
    }

private:
    static bool isOurs(const QObject* window) {
        return qobject_cast<const FrmMain*>(window) || qobject_cast<const FrmHelp*>(window);
    }
    static bool anyOpen() {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
            return isOurs(window) && window->isVisible();
        });
    }
};

} // namespace

QObject* endWithLastWindow() {
    // Qt's own rule would end the program when a table window, the one window that is not a tool
    // window, closes; this watch decides alone.
    QApplication::setQuitOnLastWindowClosed(false);
    auto* watch = new LastWindowWatch(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watch);
    return watch;
}
