// Message boxes with a single OK button, the way every window of the program shows them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace korvane {

enum class MessageIcon { None, Information };

struct Message {
    QString text;
    QString title; // empty: the application's title
    MessageIcon icon = MessageIcon::None;
};

// Shows `message` modally over `parent` and returns when the user has pressed OK.
void showMessage(QWidget* parent, const Message& message);

// Test seam: when set, showMessage hands each message to `recorder` instead of showing it.
void setMessageRecorder(std::function<void(const Message&)> recorder);

} // namespace korvane
