#include "services/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <utility>

namespace korvane {

namespace {
std::function<void(const Message&)>& messageRecorder() {
    static std::function<void(const Message&)> instance;
    return instance;
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
    box.exec();
}

void setMessageRecorder(std::function<void(const Message&)> recorder) {
    messageRecorder() = std::move(recorder);
}

} // namespace korvane
