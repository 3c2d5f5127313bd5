// FrmMain, continued: the exchange commands: the whole table out to a spreadsheet and back (Export
// CSV, Import CSV), the changes as patches (Eksport zmian, Zastosuj zmiany), and the table compared
// with another file. An import or a patch changes the table in the editor as one undoable step;
// the user's file changes only when it is saved. An export never writes over the open file.
#include "boots/boots_csv.h"
#include "boots/qel_baza.h"
#include "boots/table_diff.h"
#include "boots/table_patch.h"
#include "fileops/file_ops.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "tablefile/table_file.h"
#include "ui/boots_model.h"
#include "ui/frm_main.h"
#include "ui/import_preview.h"
#include "ui/table_changes_model.h"
#include "ui/texts.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

using Records = std::vector<boots::BootRecord>;

const QString kCsvFilter = QStringLiteral("CSV (*.csv)|*.csv");
// The exchange commands' dialog and message titles.
const char* const kExportTitle = QT_TRANSLATE_NOOP("FrmMain", "Eksport CSV");
const char* const kImportTitle = QT_TRANSLATE_NOOP("FrmMain", "Import CSV");
const char* const kExportPatchTitle = QT_TRANSLATE_NOOP("FrmMain", "Eksport zmian");
const char* const kApplyTitle = QT_TRANSLATE_NOOP("FrmMain", "Zastosuj zmiany");
const char* const kCompareTitle = QT_TRANSLATE_NOOP("FrmMain", "Porównaj z plikiem");
const char* const kPatchFilter =
    QT_TRANSLATE_NOOP("FrmMain", "Zmiany CSV (*.csv)|*.csv|Wszystkie pliki (*.*)|*.*");
constexpr int kClashesShown = 20; // a message's text lists no more clashes; its details all

// The fields that `changes` holds, every field of a boot added or removed included.
std::size_t fieldsChanged(const boots::TableChanges& changes) {
    return changes.changed.size() +
           boots::kBootFieldCount * (changes.added.size() + changes.removed.size());
}

// Reads all of the file at `path` into `bytes`; the system's reason when it cannot.
QString readBytes(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

// Reads and decodes the CSV file at `path` into `records`. Returns the reason when it cannot be
// read or decoded (records then untouched), else an empty text.
QString readCsv(const QString& path, Records& records) {
    QByteArray bytes;
    if (const QString why = readBytes(path, bytes); !why.isEmpty())
        return why;
    boots::CsvTable table = boots::decodeCsv(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (table.error)
        return csvFaultText(*table.error);
    records = std::move(table.records);
    return QString();
}

// The table in the packed or unpacked file at `path`, or, in `why`, the reason.
std::optional<Records> readTable(const QString& path, QString& why) {
    tablefile::TableRead read = tablefile::readTableFile(path.toStdString());
    switch (read.problem) {
    case tablefile::TableProblem::None:
        return std::move(read.records);
    case tablefile::TableProblem::CannotOpen:
        why = FrmMain::tr("nie można go otworzyć (%1)").arg(qt_error_string(read.systemError));
        break;
    case tablefile::TableProblem::ReadError:
        why = FrmMain::tr("błąd odczytu (%1)").arg(qt_error_string(read.systemError));
        break;
    case tablefile::TableProblem::Empty:
        why = FrmMain::tr("plik jest pusty");
        break;
    case tablefile::TableProblem::NotATable:
        why = FrmMain::tr("to nie jest plik tabeli butów");
        break;
    case tablefile::TableProblem::Truncated:
        why = FrmMain::tr("tabela urywa się przed ostatnim butem");
        break;
    case tablefile::TableProblem::Damaged:
        why = FrmMain::tr("spakowany plik jest uszkodzony");
        break;
    }
    return std::nullopt;
}

} // namespace

QString FrmMain::chooseExchangeFile(const QString& title, const QString& filter,
                                    const QString& ending) {
    Qel_Common_Dialog dialog;
    const QFileInfo open(Chosen_File);
    const QString path = ending.isEmpty()
                             ? dialog.OpenFileName(this, title, open.absolutePath(), filter)
                             : dialog.saveFileName(this, title,
                                                   open.absolutePath() + QLatin1Char('/') +
                                                       open.completeBaseName() + ending,
                                                   filter, QStringLiteral("csv"));
    return path == QLatin1String("-1") || tool->busy() ? QString() : path;
}

bool FrmMain::writeExport(const QString& path, const QString& title,
                          const tablefile::TextEncoder& encode) {
    const QString name = QFileInfo(path).fileName();
    const std::string target = path.toStdString();
    QString why;
    if (fileops::sameFile(target, Chosen_File.toStdString()))
        why = tr("to otwarty plik butów, który eksport by zniszczył.");
    else if (fileops::sameFile(target, (Chosen_File + QStringLiteral(".bak")).toStdString()))
        why = tr("to kopia zapasowa otwartego pliku butów.");
    else if (fileops::isReadOnly(target))
        why = tr("plik jest tylko do odczytu.");
    else if (const fileops::ReplaceResult written = tablefile::replaceWithText(target, encode);
             !written.ok())
        why = replaceReason(written, QFileInfo(path).absolutePath());
    if (why.isEmpty())
        return true;
    korvane::showMessage(this, {tr("Nie zapisano pliku %1: %2").arg(name, why), title,
                                korvane::MessageIcon::Information});
    return false;
}

void FrmMain::MnuExportCsv_Click() {
    if (tool->busy())
        return;
    const QString path = chooseExchangeFile(tr(kExportTitle), kCsvFilter, QStringLiteral(".csv"));
    if (path.isEmpty())
        return;
    const Records& records = table().allBoots();
    if (!writeExport(path, tr(kExportTitle),
                     [&records](const auto& write) { return boots::encodeCsv(records, write); }))
        return;
    korvane::showMessage(this, {tr("Wyeksportowano %1 do pliku %2.")
                                    .arg(bootsCount(records.size()), QFileInfo(path).fileName()),
                                tr(kExportTitle), korvane::MessageIcon::Information});
}

void FrmMain::MnuImportCsv_Click() {
    if (tool->busy())
        return;
    const QString path = chooseExchangeFile(tr(kImportTitle), kCsvFilter);
    if (path.isEmpty())
        return;
    Records records;
    const QString problem = readCsv(path, records);
    if (!problem.isEmpty()) {
        korvane::showMessage(
            this, {tr("Nie można wczytać pliku CSV %1:").arg(QFileInfo(path).fileName()) +
                       QLatin1Char('\n') + problem,
                   tr(kImportTitle), korvane::MessageIcon::Information});
        return;
    }
    TableChangesModel changes(boots::compareTables(table().allBoots(), records));
    const boots::TableChanges& found = changes.changes();
    if (found.empty()) {
        korvane::showMessage(
            this,
            {tr("Plik %1 nie zmienia niczego w tabeli butów.").arg(QFileInfo(path).fileName()),
             tr(kImportTitle), korvane::MessageIcon::Information});
        return;
    }
    const QString summary = tr("Import zmieni %1, doda %2 i usunie %3.")
                                .arg(bootsCount(found.changedBoots), bootsCount(found.added.size()),
                                     bootsCount(found.removed.size()));
    if (!korvane::confirmImport(this, summary, changes) || tool->busy())
        return;
    const std::size_t count = records.size();
    // What the file holds beyond the fields stays, boot by boot.
    boots::keepUnmodelled(table().allBoots(), records);
    if (!model->replaceAll(std::move(records))) {
        korvane::showFailure(this);
        return;
    }
    korvane::showMessage(
        this,
        {tr("Zaimportowano %1 z pliku %2.").arg(bootsCount(count), QFileInfo(path).fileName()),
         tr(kImportTitle), korvane::MessageIcon::Information});
}

void FrmMain::MnuExportPatch_Click() {
    if (tool->busy())
        return;
    // The base: the file as last saved, or the game's original that the first save kept.
    QString base = Chosen_File;
    const QString backup = Chosen_File + QStringLiteral(".bak");
    if (QFileInfo::exists(backup)) {
        switch (korvane::askPatchBase(this, QFileInfo(Chosen_File).fileName(),
                                      QFileInfo(backup).fileName())) {
        case korvane::PatchBase::Original:
            base = backup;
            break;
        case korvane::PatchBase::Saved:
            break;
        case korvane::PatchBase::Cancel:
            return;
        }
    }
    const QString baseName = QFileInfo(base).fileName();
    QString why;
    const auto before = readTable(base, why);
    if (!before) {
        korvane::showMessage(this, {tr("Nie można odczytać pliku %1: %2.").arg(baseName, why),
                                    tr(kExportPatchTitle), korvane::MessageIcon::Information});
        return;
    }
    const QString path =
        chooseExchangeFile(tr(kExportPatchTitle), tr(kPatchFilter), tr("-zmiany.csv"));
    if (path.isEmpty())
        return;
    const boots::TableChanges changes = boots::compareTables(*before, table().allBoots());
    if (!writeExport(path, tr(kExportPatchTitle),
                     [&changes](const auto& write) { return boots::encodePatch(changes, write); }))
        return;
    korvane::showMessage(this, {tr("Zapisano zmiany względem pliku %1 w pliku %2 "
                                   "(zmienione pola: %3).")
                                    .arg(baseName, QFileInfo(path).fileName(),
                                         QString::number(fieldsChanged(changes))),
                                tr(kExportPatchTitle), korvane::MessageIcon::None});
}

void FrmMain::MnuApplyPatch_Click() {
    if (tool->busy())
        return;
    const QString path = chooseExchangeFile(tr(kApplyTitle), tr(kPatchFilter));
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();
    const auto tell = [this](const QString& text, const QString& details = QString()) {
        korvane::showMessage(this,
                             {text, tr(kApplyTitle), korvane::MessageIcon::Information, details});
    };
    QByteArray bytes;
    if (const QString why = readBytes(path, bytes); !why.isEmpty())
        return tell(tr("Nie można otworzyć pliku %1: %2.").arg(name, why));
    const boots::CsvPatch patch =
        boots::decodePatch(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (patch.error)
        return tell(
            tr("Plik %1 nie jest plikiem zmian:\n%2").arg(name, csvFaultText(*patch.error)));
    boots::PatchResult result = boots::applyPatch(table().allBoots(), patch.changes);
    if (!result.clashes.empty()) {
        QStringList lines;
        for (const boots::PatchClash& clash : result.clashes)
            lines << clashText(clash);
        QStringList shown = lines.mid(0, kClashesShown);
        if (lines.size() > kClashesShown)
            shown
                << tr("… i dalsze: %1 (wszystkie w szczegółach)").arg(lines.size() - kClashesShown);
        return tell(
            tr("Zmian z pliku %1 nie zastosowano, bo nie pasują do tabeli "
               "(niezgodności: %2). Tabela się nie zmieniła.\n\n%3")
                .arg(name, QString::number(result.clashes.size()), shown.join(QLatin1Char('\n'))),
            lines.join(QLatin1Char('\n')));
    }
    const boots::TableChanges applied = boots::compareTables(table().allBoots(), result.records);
    if (applied.empty())
        return tell(tr("Tabela zawiera już wszystkie zmiany z pliku %1.").arg(name));
    if (!model->replaceAll(std::move(result.records)))
        return korvane::showFailure(this);
    tell(tr("Zastosowano zmiany z pliku %1: zmienione buty: %2, zmienione pola: %3.")
             .arg(name,
                  QString::number(applied.changedBoots + applied.added.size() +
                                  applied.removed.size()),
                  QString::number(fieldsChanged(applied))));
}

void FrmMain::MnuCompare_Click() {
    if (tool->busy())
        return;
    const QString path = chooseExchangeFile(
        tr(kCompareTitle), tr("Pliki buttów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*"));
    if (!path.isEmpty())
        compareWith(path);
}

void FrmMain::compareWith(const QString& path) {
    QString why;
    auto other = readTable(path, why);
    if (!other) {
        korvane::showMessage(
            this, {tr("Nie można odczytać pliku %1: %2.").arg(QFileInfo(path).fileName(), why),
                   tr(kCompareTitle), korvane::MessageIcon::Information});
        return;
    }
    model->compareWith(std::move(*other), QFileInfo(path).fileName());
    MnuTable_Click();
}
