// Shared helpers for the window tests.
#pragma once

#include "boots/boots_format.h"
#include "files.h"
#include "services/message_box.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

using Boots = std::vector<boots::BootRecord>;

// A fresh folder under Qt's temporary folder, removed with its contents on destruction.
class TempDir : private testsupport::TempFolder {
public:
    TempDir();
    QString path() const; // with '/' between names, none at the end
    QString filePath(const QString& name) const { return path() + QLatin1Char('/') + name; }
};

// A temporary program folder laid out as the build lays it out: zlib/zlibtool and zlib/temp/.
class AppFolder {
public:
    // withTool false leaves zlib/zlibtool out, as on a machine where the tool is missing.
    explicit AppFolder(bool withTool = true);
    ~AppFolder();
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;
    QString path() const;          // ends with '/'
    QString tempDir() const;       // the working folder, ends with '/'
    QStringList tempFiles() const; // names of the files in the working folder
    QString toolPath() const;      // zlib/zlibtool, zlib/zlibtool.exe on Windows
    // Puts the stand-in tool in place of the tool, following `steps`; false on failure.
    bool standInTool(const QString& steps) const;

private:
    TempDir dir;
};

// Puts a copy of the stand-in tool (tests/support/standin_tool.cpp) at `program`, following
// `steps`, in which "{zlibtool}" stands for the real tool; false on failure.
bool putStandIn(const QString& program, const QString& steps);

// Runs `save` while writing `path` fails (see testsupport::runWhileWritesFail), the POSIX limit of
// `limit` bytes starting once the event loop runs, so that the tool a Save starts runs unlimited.
// Returns 0 when `save` returned true.
int saveWhileWritesFail(const QString& path, int limit, bool readable,
                        const std::function<bool()>& save);

// Runs `step` while the file at `path` cannot be replaced, though it can be copied (see
// testsupport::runWhileReplacingFails). Returns 0 when `step` returned true, -1 when the file
// could not be made so.
int whileReplacingFails(const QString& path, const std::function<bool()>& step);

// Runs the real zlibtool on `path` with `args`; returns its exit code.
int runZlibtool(const QStringList& args);
// Writes `raw` packed by the real zlibtool to `target`; false when that fails.
bool writePacked(const QString& target, const QByteArray& raw);
// The unpacked contents of the packed file at `packed`, by the real zlibtool; empty on failure.
QByteArray unpacked(const QString& packed);

// The bytes of the file at `path`, empty when it cannot be read.
QByteArray readFile(const QString& path);
// Makes the file at `path` hold exactly `bytes`; false when that fails.
bool writeFile(const QString& path, const QByteArray& bytes);

// Waits, from a timer, for the next visible modal dialog and hands it to `answer` through a queued
// call, so that `answer` may close it and then meet the next modal dialog the same way.
void answerNextModal(std::function<void(QWidget*)> answer);

// `boots` as the bytes of an unpacked boots data file; empty when no such file holds them.
QByteArray encoded(const Boots& boots);
// The boots of an unpacked boots data file; none when `raw` is not one.
Boots decoded(const QByteArray& raw);
// The list items that show `boots`, at most `limit` of them.
QStringList itemTexts(const Boots& boots, std::size_t limit = 256);

// True when `message` is the window's message for a failure at `stage`: "Wystąpił błąd" as its
// first line, no title or icon of its own, the stage named and, for a Save (`saving`), the
// sentence that the user's file was not changed.
bool failureSays(const korvane::Message& message, const QString& stage, bool saving);

// The test hooks of a window test, set while it lives and reset when it goes: messages are
// recorded instead of shown, and the questions, the import preview and the file dialogs take their
// answers from here.
class Hooks {
public:
    Hooks();
    ~Hooks();
    Hooks(const Hooks&) = delete;
    Hooks& operator=(const Hooks&) = delete;

    QList<korvane::Message> messages;
    korvane::SaveAnswer answer = korvane::SaveAnswer::Discard; // to the unsaved-changes question
    QStringList asked;                                         // the file names that question named
    // To the question before a file changed on disk is replaced.
    korvane::ReplaceAnswer replace = korvane::ReplaceAnswer::Replace;
    QStringList replaceAsked; // the file names that question named
    // To the question which changes a patch holds, asked when the open file has a backup.
    korvane::PatchBase patchBase = korvane::PatchBase::Saved;
    QStringList patchBaseAsked; // the file names that question named
    // To the question whether to restore what a copy that was killed kept.
    korvane::RestoreAnswer restore = korvane::RestoreAnswer::Later;
    QStringList restoreAsked; // the file names that question named
    bool keepPatch = false;   // to the question whether to keep edits that cannot be restored
    QStringList keepPatchAsked;
    korvane::StopAnswer stop = korvane::StopAnswer::Stop; // to the question while the tool runs
    QStringList stopAsked;                                // the file names that question named
    bool importAnswer = true; // to the import preview: true for "Importuj"
    // What the last import preview showed: its sentence, then each row's cells joined by '|'.
    QStringList preview;
    QStringList answers; // the file dialogs' next answers; an empty one, or none left: cancel
    int dialogs = 0;     // file dialogs asked, and what the last one showed
    QString dialogTitle, dialogFolder;
    QStringList dialogFilters;
};

// The controls of the main window a test drives, by their object names.
class WindowControls {
public:
    virtual ~WindowControls() = default;
    QLineEdit* box(int index) const;
    QListWidget* list() const;
    QStringList listTexts() const;
    QAction* action(const char* name) const;
    QPushButton* button(const char* name) const;

protected:
    // The window whose controls these are.
    virtual QWidget* controlled() const = 0;
};

namespace boots {
// How QCOMPARE prints a boot.
char* toString(const BootRecord& boot);
} // namespace boots
