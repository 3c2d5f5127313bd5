#include "services/message_box.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <utility>

namespace korvane {

namespace {
std::function<void(const Message&)>& messageRecorder() {
    static std::function<void(const Message&)> instance;
    return instance;
}

// Widens `box` so that a title bar, with its icon and buttons beside the title in a bold face,
// shows the whole title; a message box on its own is only as wide as its text and buttons.
void fitTitle(QMessageBox& box) {
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics title(bold);
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid)
        grid->addItem(
            new QSpacerItem(title.horizontalAdvance(box.windowTitle()) + 8 * title.height(), 0,
                            QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
}
} // namespace

void showMessage(QWidget* parent, const Message& message) {
    if (messageRecorder()) {
        messageRecorder()(message);
        return;
    }
    QMessageBox box(message.icon == MessageIcon::Information ? QMessageBox::Information
                                                             : QMessageBox::NoIcon,
                    message.title.isEmpty() ? QCoreApplication::applicationName() : message.title,
                    message.text, QMessageBox::Ok, parent);
    fitTitle(box);
    box.exec();
}

void setMessageRecorder(std::function<void(const Message&)> recorder) {
    messageRecorder() = std::move(recorder);
}

} // namespace korvane
