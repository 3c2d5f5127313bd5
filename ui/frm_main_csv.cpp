// Export CSV and Import CSV: the whole table out to a spreadsheet and back. An import replaces the
// table in the editor as one undoable step; the user's file changes only when it is saved.
#include "boots/boots_csv.h"
#include "boots/qel_baza.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "ui/boots_model.h"
#include "ui/frm_main.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace {

using Records = std::vector<boots::BootRecord>;

const QString kCsvFilter = QStringLiteral("CSV (*.csv)|*.csv");

// Reads and decodes the CSV file at `path` into `records`. Returns the reason when it cannot be
// read or decoded (records then untouched), else an empty text.
QString readCsv(const QString& path, Records& records) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    boots::CsvTable table = boots::decodeCsv(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (table.error)
        return QString::fromStdString(table.error->message());
    records = std::move(table.records);
    return QString();
}

} // namespace

void FrmMain::MnuExportCsv_Click() {
    if (Busy())
        return;
    Qel_Common_Dialog dialog;
    const QString path = dialog.SaveFileName(this, QStringLiteral("Eksport CSV"),
                                             QFileInfo(Chosen_File).absolutePath(), kCsvFilter,
                                             QStringLiteral("csv"));
    if (path == QLatin1String("-1") || Busy())
        return;
    QSaveFile file(path);
    const auto write = [&file](std::string_view piece) {
        return file.write(piece.data(), static_cast<qint64>(piece.size())) ==
               static_cast<qint64>(piece.size());
    };
    // Flush before commit(): commit() renames even when its own final flush fails (Qt 6.4).
    if (!file.open(QIODevice::WriteOnly) || !boots::encodeCsv(Baza().Boots_All(), write) ||
        !file.flush() || !file.commit())
        korvane::showFailure(this);
}

void FrmMain::MnuImportCsv_Click() {
    if (Busy())
        return;
    Qel_Common_Dialog dialog;
    const QString path = dialog.OpenFileName(this, QStringLiteral("Import CSV"),
                                             QFileInfo(Chosen_File).absolutePath(), kCsvFilter);
    if (path == QLatin1String("-1") || Busy())
        return;
    Records records;
    const QString problem = readCsv(path, records);
    if (!problem.isEmpty()) {
        korvane::showMessage(this,
                             {QStringLiteral("Nie można wczytać pliku CSV:\n") + problem,
                              QStringLiteral("Import CSV"), korvane::MessageIcon::Information});
        return;
    }
    if (!Boots->replaceAll(std::move(records)))
        korvane::showFailure(this);
}
