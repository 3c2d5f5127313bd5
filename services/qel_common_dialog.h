// The open-file and save-file dialogs: ask the user for one file and remember the path chosen
// last.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

class Qel_Common_Dialog {
public:
    // Shows a modal open-file dialog over FrmName with the caption DialogTitle, starting in
    // DirPath and offering the "description|pattern|..." pairs of Filter. A typed name that does
    // not exist is accepted. Returns the chosen full path, or "-1" when the user cancels (the
    // chosen path then stays as it was).
    QString OpenFileName(QWidget* FrmName, const QString& DialogTitle, const QString& DirPath,
                         const QString& Filter = QStringLiteral("Wszystkie Pliki (*.*)|*.*"));

    // As OpenFileName, for a file to write: a name typed without a suffix gets ".DefaultSuffix",
    // and the user confirms replacing a file that exists.
    QString saveFileName(QWidget* FrmName, const QString& DialogTitle, const QString& DirPath,
                         const QString& Filter, const QString& DefaultSuffix);

    // The file name part of the chosen path; empty when nothing was chosen.
    QString TitleName() const;

    // Test seam: when set, both dialogs ask this instead of showing a dialog. It receives the
    // title, folder and Qt name filters and returns a path, or an empty text for cancel.
    using Answerer = std::function<QString(const QString& title, const QString& dir,
                                           const QStringList& nameFilters)>;
    static void setAnswerer(Answerer answerer);

private:
    QString choose(QWidget* owner, const QString& title, const QString& dir, const QString& Filter,
                   const QString& saveSuffix);

    QString chosenPath;
};
