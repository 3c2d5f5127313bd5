// Functions, no class: the import preview is a plain dialog built and shown in one call.
#include "ui/import_preview.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace korvane {

namespace {
ImportAnswerer& importAnswerer() {
    static ImportAnswerer instance;
    return instance;
}
// The context of the dialog's texts.
struct ImportPreview {
    Q_DECLARE_TR_FUNCTIONS(ImportPreview)
};
} // namespace

bool confirmImport(QWidget* parent, const QString& summary, QAbstractItemModel& changes) {
    if (importAnswerer())
        return importAnswerer()(summary, changes);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("DlgImport"));
    dialog.setWindowTitle(ImportPreview::tr("Import CSV"));
    auto* label = new QLabel(summary, &dialog);
    label->setObjectName(QStringLiteral("LblSummary"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);

    // Only the rows in sight are asked for: any number of changes shows at once. Values are
    // never shortened; a long one widens its column.
    auto* view = new QTableView(&dialog);
    view->setObjectName(QStringLiteral("TblChanges"));
    view->setModel(&changes);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideNone);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->resizeColumnsToContents(); // from the first thousand rows
    view->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* import =
        buttons->addButton(ImportPreview::tr("Importuj"), QDialogButtonBox::AcceptRole);
    import->setObjectName(QStringLiteral("Cmd_Importuj"));
    import->setDefault(true);
    buttons->addButton(ImportPreview::tr("Anuluj"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Cmd_Anuluj"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(view);
    layout->addWidget(buttons);

    // Wide enough for every column, within most of the screen.
    const QMargins margins = layout->contentsMargins();
    const int wanted = view->horizontalHeader()->length() + 2 * view->frameWidth() +
                       view->verticalScrollBar()->sizeHint().width() + margins.left() +
                       margins.right();
    const int room = (dialog.screen()->availableGeometry().width() * 4) / 5;
    dialog.resize(std::clamp(wanted, std::min(480, room), room), 420);
    return dialog.exec() == QDialog::Accepted;
}

void setImportAnswerer(ImportAnswerer answerer) {
    importAnswerer() = std::move(answerer);
}

} // namespace korvane
