// Changes as patches: the changes made since the file was opened written out as a patch, a patch
// from someone else applied to the table as one undoable step, and the table compared with
// another file in the table window.
#include "boots/qel_baza.h"
#include "boots/table_diff.h"
#include "boots/table_patch.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "tablefile/table_file.h"
#include "ui/boots_model.h"
#include "ui/frm_main.h"
#include "ui/polish_texts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>
#include <utility>

namespace {

const QString kPatchFilter = QStringLiteral("Zmiany CSV (*.csv)|*.csv|Wszystkie pliki (*.*)|*.*");
constexpr int kClashesShown = 20; // a message lists no more clashes than this

// The table in the packed or unpacked file at `path`, or, in `why`, the reason in Polish.
std::optional<std::vector<boots::BootRecord>> readTable(const QString& path, QString& why) {
    tablefile::TableRead read = tablefile::readTableFile(path.toStdString());
    switch (read.problem) {
    case tablefile::TableProblem::None:
        return std::move(read.records);
    case tablefile::TableProblem::CannotOpen:
        why = QStringLiteral("nie można go otworzyć (%1)")
                  .arg(QString::fromLocal8Bit(std::strerror(read.systemError)));
        break;
    case tablefile::TableProblem::ReadError:
        why = QStringLiteral("błąd odczytu (%1)")
                  .arg(QString::fromLocal8Bit(std::strerror(read.systemError)));
        break;
    case tablefile::TableProblem::NotATable:
        why = QStringLiteral("to nie jest plik tabeli butów");
        break;
    case tablefile::TableProblem::Truncated:
        why = QStringLiteral("tabela urywa się przed ostatnim butem");
        break;
    case tablefile::TableProblem::Damaged:
        why = QStringLiteral("spakowany plik jest uszkodzony");
        break;
    }
    return std::nullopt;
}

// A clash in Polish: "pozycja P (ID I), kolumna C: zmiany zakładają B, a plik ma X".
QString clashText(const boots::PatchClash& clash) {
    const auto value = [&clash](const std::optional<std::string>& text) {
        if (!text)
            return QStringLiteral("brak buta");
        const QString shown = QString::fromStdString(*text);
        if (!clash.field)
            return QStringLiteral("butów: %1").arg(shown);
        return *clash.field == boots::BootField::Nazwa ? QStringLiteral("„%1”").arg(shown) : shown;
    };
    return QStringLiteral("pozycja %1 (ID %2), kolumna %3: zmiany zakładają %4, a plik ma %5")
        .arg(clash.position)
        .arg(clash.id)
        .arg(clash.field ? QString::fromLatin1(boots::fieldName(*clash.field))
                         : QStringLiteral("*"),
             value(clash.expected), value(clash.found));
}

} // namespace

void FrmMain::MnuExportPatch_Click() {
    if (Busy())
        return;
    const QString name = QFileInfo(Chosen_File).fileName();
    QString why;
    const auto disk = readTable(Chosen_File, why);
    if (!disk) {
        korvane::showMessage(this,
                             {QStringLiteral("Nie można odczytać pliku %1: %2.").arg(name, why),
                              QStringLiteral("Eksport zmian"), korvane::MessageIcon::Information});
        return;
    }
    Qel_Common_Dialog dialog;
    const QString path = dialog.SaveFileName(this, QStringLiteral("Eksport zmian"),
                                             QFileInfo(Chosen_File).absolutePath(), kPatchFilter,
                                             QStringLiteral("csv"));
    if (path == QLatin1String("-1") || Busy())
        return;
    const boots::TableChanges changes = boots::compareTables(*disk, Baza().Boots_All());
    QSaveFile file(path);
    const auto write = [&file](std::string_view piece) {
        return file.write(piece.data(), qint64(piece.size())) == qint64(piece.size());
    };
    // Flush before commit(): commit() renames even when its own final flush fails (Qt 6.4).
    if (!file.open(QIODevice::WriteOnly) || !boots::encodePatch(changes, write) || !file.flush() ||
        !file.commit()) {
        korvane::showMessage(this,
                             {QStringLiteral("Nie można zapisać pliku %1: %2.")
                                  .arg(QFileInfo(path).fileName(), file.errorString()),
                              QStringLiteral("Eksport zmian"), korvane::MessageIcon::Information});
        return;
    }
    korvane::showMessage(
        this, {QStringLiteral("Zapisano zmiany względem pliku %1 w pliku %2 "
                              "(zmienione pola: %3).")
                   .arg(name, QFileInfo(path).fileName(),
                        QString::number(changes.changed.size() +
                                        boots::kBootFieldCount *
                                            (changes.added.size() + changes.removed.size()))),
               QStringLiteral("Eksport zmian"), korvane::MessageIcon::None});
}

void FrmMain::MnuApplyPatch_Click() {
    if (Busy())
        return;
    Qel_Common_Dialog dialog;
    const QString path = dialog.OpenFileName(this, QStringLiteral("Zastosuj zmiany"),
                                             QFileInfo(Chosen_File).absolutePath(), kPatchFilter);
    if (path == QLatin1String("-1") || Busy())
        return;
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [this](const QString& text) {
        korvane::showMessage(
            this, {text, QStringLiteral("Zastosuj zmiany"), korvane::MessageIcon::Information});
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(
            QStringLiteral("Nie można otworzyć pliku %1: %2.").arg(name, file.errorString()));
    const QByteArray bytes = file.readAll();
    const boots::CsvPatch patch =
        boots::decodePatch(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (patch.error)
        return refuse(QStringLiteral("Plik %1 nie jest plikiem zmian:\n%2")
                          .arg(name, csvFaultText(*patch.error)));
    boots::PatchResult result = boots::applyPatch(Baza().Boots_All(), patch.changes);
    if (!result.clashes.empty()) {
        QStringList lines;
        for (std::size_t k = 0; k < result.clashes.size() && k < kClashesShown; ++k)
            lines << clashText(result.clashes[k]);
        if (result.clashes.size() > kClashesShown)
            lines << QStringLiteral("… i dalsze: %1").arg(result.clashes.size() - kClashesShown);
        return refuse(
            QStringLiteral("Zmian z pliku %1 nie zastosowano, bo nie pasują do tabeli "
                           "(niezgodności: %2). Tabela się nie zmieniła.\n\n%3")
                .arg(name, QString::number(result.clashes.size()), lines.join(QLatin1Char('\n'))));
    }
    if (result.records == Baza().Boots_All())
        return refuse(QStringLiteral("Tabela zawiera już wszystkie zmiany z pliku %1.").arg(name));
    if (!Boots->replaceAll(std::move(result.records)))
        korvane::showFailure(this);
}

void FrmMain::MnuCompare_Click() {
    if (Busy())
        return;
    Qel_Common_Dialog dialog;
    const QString path = dialog.OpenFileName(
        this, QStringLiteral("Porównaj z plikiem"), QFileInfo(Chosen_File).absolutePath(),
        QStringLiteral("Pliki buttów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*"));
    if (path == QLatin1String("-1") || Busy())
        return;
    QString why;
    auto other = readTable(path, why);
    if (!other) {
        korvane::showMessage(this, {QStringLiteral("Nie można odczytać pliku %1: %2.")
                                        .arg(QFileInfo(path).fileName(), why),
                                    QStringLiteral("Porównaj z plikiem"),
                                    korvane::MessageIcon::Information});
        return;
    }
    Boots->compareWith(std::move(*other), QFileInfo(path).fileName());
    MnuTable_Click();
}
