// The small window shown while the compression tool runs: what it does, a busy bar, and a button
// that stops it.
#pragma once

#include <QDialog>

class FrmProgress : public QDialog {
    Q_OBJECT
public:
    // Builds the window over `parent`, hidden and not modal, saying `task`.
    FrmProgress(const QString& task, QWidget* parent);

signals:
    // The user pressed "Zatrzymaj".
    void stopRequested();

protected:
    // Escape and the window's own close button ask to stop the tool, as "Zatrzymaj" does.
    void reject() override;
};
