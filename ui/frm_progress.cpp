#include "ui/frm_progress.h"

#include "ui/look.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

FrmProgress::FrmProgress(const QString& task, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("FrmProgress"));
    // The main window keeps the keyboard: its File, Open and File, Exit go on working.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QCoreApplication::applicationName());
    applyWindowLook(this);

    auto* text = new QLabel(task, this);
    text->setObjectName(QStringLiteral("Lbl_Zadanie"));
    auto* bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("Pasek_Pracy"));
    bar->setRange(0, 0); // busy: the tool tells nothing of its progress
    bar->setTextVisible(false);
    auto* stop = new QPushButton(tr("Zatrzymaj"), this);
    stop->setObjectName(QStringLiteral("Cmd_Zatrzymaj"));
    stop->setAutoDefault(false);
    connect(stop, &QPushButton::clicked, this, &FrmProgress::stopRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(bar);
    layout->addWidget(stop, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    bar->setMinimumWidth(text->fontMetrics().averageCharWidth() * 40);
}

void FrmProgress::reject() {
    emit stopRequested(); // the window goes when the tool has ended
}
