// Shared helpers for the window tests.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

class QWidget;

// A temporary program folder laid out as the build lays it out: zlib/zlibtool and zlib/temp/.
class AppFolder {
public:
    // withTool false leaves zlib/zlibtool out, as on a machine where the tool is missing.
    explicit AppFolder(bool withTool = true);
    QString path() const;          // ends with '/'
    QString tempDir() const;       // the working folder, ends with '/'
    QStringList tempFiles() const; // names of the files in the working folder
    // Puts the shell script `script` at zlib/zlibtool in place of the tool; false on failure.
    bool standInTool(const QByteArray& script) const;

private:
    QTemporaryDir dir;
};

// Runs the real zlibtool on `path` with `args`; returns its exit code.
int runZlibtool(const QStringList& args);
// Writes `raw` packed by the real zlibtool to `target`; false when that fails.
bool writePacked(const QString& target, const QByteArray& raw);
// The unpacked contents of the packed file at `packed`, by the real zlibtool; empty on failure.
QByteArray unpacked(const QString& packed);

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// Waits, from a timer, for the next visible modal dialog and hands it to `answer` through a queued
// call, so that `answer` may close it and then meet the next modal dialog the same way.
void answerNextModal(std::function<void(QWidget*)> answer);
