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

std::function<SaveAnswer(const QString&)>& saveAnswerer() {
    static std::function<SaveAnswer(const QString&)> instance;
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

void showFailure(QWidget* parent) {
    showMessage(parent, {QStringLiteral("Wystąpił błąd"), {}, MessageIcon::None});
}

void setMessageRecorder(std::function<void(const Message&)> recorder) {
    messageRecorder() = std::move(recorder);
}

SaveAnswer askSaveChanges(QWidget* parent, const QString& fileName) {
    if (saveAnswerer())
        return saveAnswerer()(fileName);
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                    QStringLiteral("Zapisać zmiany w pliku %1?").arg(fileName),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    fitTitle(box);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

void setSaveAnswerer(std::function<SaveAnswer(const QString& fileName)> answerer) {
    saveAnswerer() = std::move(answerer);
}

} // namespace korvane
