// Message boxes with a single OK button, the way every window of the program shows them, and the
// questions asked before unsaved changes are dropped, before a file changed by another program is
// replaced, and when the user closes or opens while the compression tool runs.
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

// Shows the program's message for a failed operation: "Wystąpił błąd", then, after a blank line,
// `details` (what failed and why) when given.
void showFailure(QWidget* parent, const QString& details = QString());

// Test seam: when set, showMessage hands each message to `recorder` instead of showing it.
void setMessageRecorder(std::function<void(const Message&)> recorder);

enum class SaveAnswer { Save, Discard, Cancel };

// Asks modally over `parent` "Zapisać zmiany w pliku FILENAME?" with Save, Discard and Cancel, and
// returns the answer; closing the box without an answer is Cancel.
SaveAnswer askSaveChanges(QWidget* parent, const QString& fileName);

// Test seam: when set, askSaveChanges returns what `answerer` gives for the file name instead of
// showing the question.
void setSaveAnswerer(std::function<SaveAnswer(const QString& fileName)> answerer);

// Asks modally over `parent` "Plik FILENAME został zmieniony na dysku przez inny program. Zastąpić
// go?" with Replace and Cancel; true for Replace. Escape or closing the box is Cancel.
bool askReplaceChanged(QWidget* parent, const QString& fileName);

// Test seam: when set, askReplaceChanged returns what `answerer` gives for the file name.
void setReplaceAnswerer(std::function<bool(const QString& fileName)> answerer);

// What the compression tool is doing with the user's file.
enum class ToolJob { Unpack, Pack };
enum class StopAnswer { Stop, Wait };

// Asks modally over `parent`, while the tool does `job` for the file FILENAME, whether to stop it
// or to wait until it has finished; the question says what stopping leaves (for packing: the file
// as it was, and the unsaved changes dropped). Escape or closing the box is Wait.
StopAnswer askStopTool(QWidget* parent, ToolJob job, const QString& fileName);

// Test seam: when set, askStopTool returns what `answerer` gives instead of asking.
void setStopAnswerer(std::function<StopAnswer(ToolJob job, const QString& fileName)> answerer);

} // namespace korvane
