// Functions, no class: wording with no state of its own.
#include "ui/polish_texts.h"

#include "boots/boots_csv.h"
#include "boots/table_patch.h"
#include "fileops/file_ops.h"

#include <QDir>

#include <algorithm>

namespace {

// A value from the file as a message shows it: at most 20 characters.
QString shortened(const std::string& value) {
    const QString text = QString::fromStdString(value);
    return text.size() > 20 ? text.left(20) + QStringLiteral("…") : text;
}

// The character itself, when it can be shown, and its code: "„ф”, U+0444".
QString character(std::uint32_t codePoint) {
    const QString code = QStringLiteral("U+%1").arg(codePoint, 4, 16, QLatin1Char('0')).toUpper();
    const auto c = static_cast<char32_t>(codePoint);
    return QChar::isPrint(c) ? QStringLiteral("„%1”, %2").arg(QString::fromUcs4(&c, 1), code)
                             : code;
}

QString problemText(const boots::CsvError& error) {
    using boots::CsvProblem;
    switch (error.problem) {
    case CsvProblem::EmptyFile:
        return QStringLiteral("plik jest pusty");
    case CsvProblem::InvalidUtf16:
        return QStringLiteral("niepoprawny tekst UTF-16");
    case CsvProblem::NoSeparator:
        return QStringLiteral("kolumny wiersza nagłówka nie są rozdzielone przecinkiem, średnikiem "
                              "ani tabulatorem");
    case CsvProblem::HeaderMismatch:
        return QStringLiteral("w wierszu nagłówka musi tu być „%1”")
            .arg(QString::fromStdString(error.columnName()));
    case CsvProblem::HeaderColumnMissing:
        return QStringLiteral("tej kolumny brakuje w wierszu nagłówka");
    case CsvProblem::HeaderColumnExtra:
        return QStringLiteral("nadmiarowa kolumna w wierszu nagłówka");
    case CsvProblem::NoBoots:
        return QStringLiteral("po wierszu nagłówka nie ma żadnego buta");
    case CsvProblem::TooManyBoots:
        return QStringLiteral("więcej butów, niż zmieści plik danych butów");
    case CsvProblem::EmptyLine:
        return QStringLiteral("pusty wiersz");
    case CsvProblem::ColumnMissing:
        return QStringLiteral("wiersz kończy się przed tą kolumną");
    case CsvProblem::ColumnExtra:
        return QStringLiteral("nadmiarowa kolumna za ostatnią");
    case CsvProblem::UnclosedQuote:
        return QStringLiteral("pole otwarte cudzysłowem nie ma cudzysłowu zamykającego");
    case CsvProblem::QuoteInsideField:
        return QStringLiteral("cudzysłów wewnątrz pola, które nie zaczyna się od cudzysłowu");
    case CsvProblem::TextAfterQuote:
        return QStringLiteral("tekst po cudzysłowie zamykającym pole");
    case CsvProblem::LoneCarriageReturn:
        return QStringLiteral("znak powrotu karetki (CR) bez znaku nowego wiersza (LF) po nim");
    case CsvProblem::NumberEmpty:
        return QStringLiteral("puste pole, a musi tu być liczba od 0 do 255");
    case CsvProblem::NumberOutOfRange:
        return QStringLiteral("liczba %1 jest spoza zakresu od 0 do 255")
            .arg(shortened(error.value));
    case CsvProblem::NotANumber:
        return QStringLiteral("to nie jest liczba całkowita od 0 do 255");
    case CsvProblem::PositionNotANumber:
        return QStringLiteral("to nie jest liczba całkowita");
    case CsvProblem::PositionOutOfOrder:
        return QStringLiteral("jest %1 zamiast %2; wiersze muszą zachować kolejność tabeli")
            .arg(shortened(error.value), QString::number(error.number));
    case CsvProblem::NameInvalidUtf8:
        return QStringLiteral("nazwa nie jest poprawnym tekstem UTF-8");
    case CsvProblem::NameOutsideCodePage:
        return QStringLiteral("znaku nr %1 nazwy (%2) nie ma w kodowaniu Windows-1250")
            .arg(error.number)
            .arg(character(error.codePoint));
    case CsvProblem::NameHoldsNul:
        return QStringLiteral("nazwa zawiera znak NUL, który by ją zakończył");
    case CsvProblem::NameTooLong:
        return QStringLiteral("nazwa ma %1, a pole nazwy mieści najwyżej %2")
            .arg(countOf(error.number, QStringLiteral("znak"), QStringLiteral("znaki"),
                         QStringLiteral("znaków")))
            .arg(boots::kNameSize);
    case CsvProblem::UnknownColumn:
        return QStringLiteral("„%1” to nie jest nazwa żadnej kolumny buta")
            .arg(shortened(error.value));
    case CsvProblem::PositionBackwards:
        return QStringLiteral("pozycja %1 po %2; wiersze muszą iść według pozycji")
            .arg(shortened(error.value), QString::number(error.number));
    case CsvProblem::ColumnOutOfOrder:
        return QStringLiteral("„%1” po „%2”; wiersze jednego buta muszą iść w kolejności kolumn, "
                              "każda kolumna raz")
            .arg(shortened(error.value), QString::fromLatin1(boots::fieldName(
                                             static_cast<boots::BootField>(error.number))));
    case CsvProblem::IdDiffers:
        return QStringLiteral("jest %1 zamiast %2; wszystkie wiersze buta mają to samo id")
            .arg(shortened(error.value), QString::number(error.number));
    case CsvProblem::IdValueDiffers:
        return QStringLiteral("jest %1, a id wiersza to %2")
            .arg(shortened(error.value), QString::number(error.number));
    case CsvProblem::ValueNotEmpty:
        return error.columnName() == "before"
                   ? QStringLiteral("musi być puste, bo but jest dodawany")
                   : QStringLiteral("musi być puste, bo but jest usuwany");
    case CsvProblem::BootIncomplete:
        return QStringLiteral("but dodawany lub usuwany na pozycji %1 nie ma wiersza kolumny „%2”")
            .arg(error.number)
            .arg(shortened(error.value));
    case CsvProblem::BootOutOfPlace:
        return QStringLiteral("buty dodawane lub usuwane idą po wszystkich zmienianych, pozycja po "
                              "pozycji, a jedna łatka nie może zarazem dodawać i usuwać");
    }
    return QStringLiteral("nieznany błąd");
}

} // namespace

QString countOf(std::size_t count, const QString& one, const QString& few, const QString& many) {
    const std::size_t tens = count % 100, units = count % 10;
    const QString& noun = count == 1                                             ? one
                          : units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? few
                                                                                 : many;
    return QString::number(count) + QLatin1Char(' ') + noun;
}

QString csvFaultText(const boots::CsvError& error) {
    QString text = QStringLiteral("Wiersz %1").arg(error.line);
    if (error.column) {
        // A column past the last has no name, only its number.
        const std::string name = error.columnName();
        const bool numbered =
            std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
        text += (numbered ? QStringLiteral(", kolumna %1") : QStringLiteral(", kolumna „%1”"))
                    .arg(QString::fromStdString(name));
    }
    return text + QStringLiteral(": ") + problemText(error) + QLatin1Char('.');
}

QString systemReason(int error) {
    const QString reason = qt_error_string(error);
    return reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.');
}

QString replaceReason(const fileops::ReplaceResult& result, const QString& folder) {
    switch (result.step) {
    case fileops::ReplaceStep::Check:
        return QStringLiteral("plik zapisany w folderze %1 nie odczytuje się tak, jak go zapisano.")
            .arg(QDir::toNativeSeparators(folder));
    case fileops::ReplaceStep::Create:
        return QStringLiteral("nie można utworzyć pliku w folderze %1: %2")
            .arg(QDir::toNativeSeparators(folder), systemReason(result.error));
    default:
        return systemReason(result.error);
    }
}

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
