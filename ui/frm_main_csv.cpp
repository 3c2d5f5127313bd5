// Export CSV and Import CSV: the whole table out to a spreadsheet and back. An import shows what it
// will change first, then replaces the table in the editor as one undoable step; the user's file
// changes only when it is saved.
#include "boots/boots_csv.h"
#include "boots/qel_baza.h"
#include "boots/table_diff.h"
#include "services/import_preview.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "ui/boots_model.h"
#include "ui/frm_main.h"
#include "ui/polish_texts.h"
#include "ui/table_changes_model.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace {

using Records = std::vector<boots::BootRecord>;

const QString kCsvFilter = QStringLiteral("CSV (*.csv)|*.csv");
const QString kExportTitle = QStringLiteral("Eksport CSV");
const QString kImportTitle = QStringLiteral("Import CSV");

QString bootsCount(std::size_t count) {
    return countOf(count, QStringLiteral("but"), QStringLiteral("buty"), QStringLiteral("butów"));
}

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
        return csvFaultText(*table.error);
    records = std::move(table.records);
    return QString();
}

} // namespace

void FrmMain::MnuExportCsv_Click() {
    if (Busy())
        return;
    Qel_Common_Dialog dialog;
    const QString path =
        dialog.SaveFileName(this, kExportTitle, QFileInfo(Chosen_File).absolutePath(), kCsvFilter,
                            QStringLiteral("csv"));
    if (path == QLatin1String("-1") || Busy())
        return;
    QSaveFile file(path);
    const auto write = [&file](std::string_view piece) {
        return file.write(piece.data(), static_cast<qint64>(piece.size())) ==
               static_cast<qint64>(piece.size());
    };
    // Flush before commit(): commit() renames even when its own final flush fails (Qt 6.4).
    const std::vector<boots::BootRecord>& records = Baza().Boots_All();
    if (!file.open(QIODevice::WriteOnly) || !boots::encodeCsv(records, write) || !file.flush() ||
        !file.commit()) {
        korvane::showFailure(this);
        return;
    }
    korvane::showMessage(this, {QStringLiteral("Wyeksportowano %1 do pliku %2.")
                                    .arg(bootsCount(records.size()), dialog.TitleName()),
                                kExportTitle, korvane::MessageIcon::Information});
}

void FrmMain::MnuImportCsv_Click() {
    if (Busy())
        return;
    Qel_Common_Dialog dialog;
    const QString path =
        dialog.OpenFileName(this, kImportTitle, QFileInfo(Chosen_File).absolutePath(), kCsvFilter);
    if (path == QLatin1String("-1") || Busy())
        return;
    Records records;
    const QString problem = readCsv(path, records);
    if (!problem.isEmpty()) {
        korvane::showMessage(this, {QStringLiteral("Nie można wczytać pliku CSV:\n") + problem,
                                    kImportTitle, korvane::MessageIcon::Information});
        return;
    }
    TableChangesModel changes(boots::compareTables(Baza().Boots_All(), records));
    const boots::TableChanges& found = changes.changes();
    if (found.empty()) {
        korvane::showMessage(
            this,
            {QStringLiteral("Plik %1 nie zmienia niczego w tabeli butów.").arg(dialog.TitleName()),
             kImportTitle, korvane::MessageIcon::Information});
        return;
    }
    const QString summary = QStringLiteral("Import zmieni %1, doda %2 i usunie %3.")
                                .arg(bootsCount(found.changedBoots), bootsCount(found.added.size()),
                                     bootsCount(found.removed.size()));
    if (!korvane::confirmImport(this, summary, changes) || Busy())
        return;
    const std::size_t count = records.size();
    if (!Boots->replaceAll(std::move(records))) {
        korvane::showFailure(this);
        return;
    }
    korvane::showMessage(
        this,
        {QStringLiteral("Zaimportowano %1 z pliku %2.").arg(bootsCount(count), dialog.TitleName()),
         kImportTitle, korvane::MessageIcon::Information});
}
