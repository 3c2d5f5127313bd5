// Message boxes with a single OK button, the way every window of the program shows them, and the
// question asked before unsaved changes are dropped.
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

// Shows the program's one message for a failed operation, "Wystąpił błąd".
void showFailure(QWidget* parent);

// Test seam: when set, showMessage hands each message to `recorder` instead of showing it.
void setMessageRecorder(std::function<void(const Message&)> recorder);

enum class SaveAnswer { Save, Discard, Cancel };

// Asks modally over `parent` "Zapisać zmiany w pliku FILENAME?" with Save, Discard and Cancel, and
// returns the answer; closing the box without an answer is Cancel.
SaveAnswer askSaveChanges(QWidget* parent, const QString& fileName);

// Test seam: when set, askSaveChanges returns what `answerer` gives for the file name instead of
// showing the question.
void setSaveAnswerer(std::function<SaveAnswer(const QString& fileName)> answerer);

} // namespace korvane
