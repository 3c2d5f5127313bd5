// Message boxes with a single OK button, the way every window of the program shows them, and the
// questions asked before unsaved changes are dropped, before a file changed by another program is
// replaced, and when the user closes or opens while the compression tool runs.
#pragma once

#include <QString>
#include <functional>
#include <utility>

class QWidget;

namespace korvane {

enum class MessageIcon { None, Information };

struct Message {
    Message(QString text = {}, QString title = {}, MessageIcon icon = MessageIcon::None,
            QString details = {})
        : text(std::move(text)), title(std::move(title)), icon(icon), details(std::move(details)) {}

    QString text;
    QString title; // empty: the application's title
    MessageIcon icon = MessageIcon::None;
    QString details; // when given, the box's "Show Details..." text, one item a line
};

// Shows `message` modally over `parent` and returns when the user has pressed OK.
void showMessage(QWidget* parent, const Message& message);

// Shows the program's message for a failed operation: "Wystąpił błąd", then, after a blank line,
// `details` (what failed and why) when given.
// `more`, when given, goes into the box's details (what a tool wrote, say).
void showFailure(QWidget* parent, const QString& details = QString(),
                 const QString& more = QString());

// Test seam: when set, showMessage hands each message to `recorder` instead of showing it.
void setMessageRecorder(std::function<void(const Message&)> recorder);

enum class SaveAnswer { Save, Discard, Cancel };

// Asks modally over `parent` "Zapisać zmiany w pliku FILENAME?" with Save, Discard and Cancel, and
// returns the answer; closing the box without an answer is Cancel.
SaveAnswer askSaveChanges(QWidget* parent, const QString& fileName);

// Test seam: when set, askSaveChanges returns what `answerer` gives for the file name instead of
// showing the question.
void setSaveAnswerer(std::function<SaveAnswer(const QString& fileName)> answerer);

enum class ReplaceAnswer { Replace, Compare, Cancel };

// Asks modally over `parent` "Plik FILENAME został zmieniony na dysku przez inny program. Zastąpić
// go?" with Zastąp, Porównaj (look at the differences first) and Anuluj, and returns the answer.
// Escape or closing the box is Cancel.
ReplaceAnswer askReplaceChanged(QWidget* parent, const QString& fileName);

// Test seam: when set, askReplaceChanged returns what `answerer` gives for the file name.
void setReplaceAnswerer(std::function<ReplaceAnswer(const QString& fileName)> answerer);

enum class PatchBase { Original, Saved, Cancel };

// Asks modally over `parent` which changes a patch of the file FILENAME holds: those since the
// game's original kept in BACKUPNAME (Original, the default), or those since the last save
// (Saved). Escape or closing the box is Cancel.
PatchBase askPatchBase(QWidget* parent, const QString& fileName, const QString& backupName);

// Test seam: when set, askPatchBase returns what `answerer` gives for the file name.
void setPatchBaseAnswerer(std::function<PatchBase(const QString& fileName)> answerer);

enum class RestoreAnswer { Restore, Discard, Later };

// Asks modally over `parent` "Korvane został zamknięty bez zapisania zmian w pliku FILENAME
// (zmienione buty: BOOTS, ostatnia zmiana: WHEN). Przywrócić te zmiany?" with Przywróć (the
// default), Odrzuć and Później; Escape or closing the box is Później.
RestoreAnswer askRestore(QWidget* parent, const QString& fileName, int boots, const QString& when);

// Test seam: when set, askRestore returns what `answerer` gives for the file name.
void setRestoreAnswerer(std::function<RestoreAnswer(const QString& fileName)> answerer);

// Asks modally over `parent` `text` (why the edits could not be restored), with the clashes under
// the details, and whether to keep the edits as a patch file: true for "Zapisz jako plik zmian…",
// false for "Nie zapisuj" (the default; Escape, closing the box).
bool askKeepPatch(QWidget* parent, const QString& text, const QString& details);

// Test seam: when set, askKeepPatch returns what `answerer` gives for the text.
void setKeepPatchAnswerer(std::function<bool(const QString& text)> answerer);

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
