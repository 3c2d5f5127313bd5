// Functions, no class: wording with no state of its own.
#include "ui/texts.h"

#include "boots/boots_csv.h"
#include "boots/table_patch.h"
#include "fileops/file_ops.h"
#include "ui/language.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cerrno>

namespace {

// The context of the texts below.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Texts)
};

// `count` with a noun: `many` ("%n butów") in the language in use, with its plural forms; with
// the texts as written, in Polish's own: `one` for 1, `few` for 2 to 4 past any tens other than
// the teens ("22 buty"), `many` otherwise ("5 butów", "12 butów", "0 butów").
QString counted(std::size_t count, const char* many, const char* one, const char* few) {
    if (!korvane::currentLanguage().isEmpty())
        return Texts::tr(many, nullptr, int(count));
    const std::size_t tens = count % 100, units = count % 10;
    const char* form = count == 1                                             ? one
                       : units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? few
                                                                              : many;
    return QString::fromUtf8(form).replace(QLatin1String("%n"), QString::number(count));
}

// A value from the file as a message shows it: at most 20 characters.
QString shortened(const std::string& value) {
    const QString text = QString::fromStdString(value);
    return text.size() > 20 ? text.left(20) + QStringLiteral("…") : text;
}

// The character itself, when it can be shown, and its code: "„ф”, U+0444".
QString character(std::uint32_t codePoint) {
    const QString code = QStringLiteral("U+%1").arg(codePoint, 4, 16, QLatin1Char('0')).toUpper();
    const auto c = static_cast<char32_t>(codePoint);
    return QChar::isPrint(c) ? Texts::tr("„%1”, %2").arg(QString::fromUcs4(&c, 1), code) : code;
}

QString problemText(const boots::CsvError& error) {
    using boots::CsvProblem;
    switch (error.problem) {
    case CsvProblem::EmptyFile:
        return Texts::tr("plik jest pusty");
    case CsvProblem::InvalidUtf16:
        return Texts::tr("niepoprawny tekst UTF-16");
    case CsvProblem::NoSeparator:
        return Texts::tr("kolumny wiersza nagłówka nie są rozdzielone przecinkiem, średnikiem "
                         "ani tabulatorem");
    case CsvProblem::HeaderMismatch:
        return Texts::tr("w wierszu nagłówka musi tu być „%1”")
            .arg(QString::fromStdString(error.columnName()));
    case CsvProblem::HeaderColumnMissing:
        return Texts::tr("tej kolumny brakuje w wierszu nagłówka");
    case CsvProblem::HeaderColumnExtra:
        return Texts::tr("nadmiarowa kolumna w wierszu nagłówka");
    case CsvProblem::NoBoots:
        return Texts::tr("po wierszu nagłówka nie ma żadnego buta");
    case CsvProblem::TooManyBoots:
        return Texts::tr("więcej butów, niż zmieści plik danych butów");
    case CsvProblem::EmptyLine:
        return Texts::tr("pusty wiersz");
    case CsvProblem::ColumnMissing:
        return Texts::tr("wiersz kończy się przed tą kolumną");
    case CsvProblem::ColumnExtra:
        return Texts::tr("nadmiarowa kolumna za ostatnią");
    case CsvProblem::UnclosedQuote:
        return Texts::tr("pole otwarte cudzysłowem nie ma cudzysłowu zamykającego");
    case CsvProblem::QuoteInsideField:
        return Texts::tr("cudzysłów wewnątrz pola, które nie zaczyna się od cudzysłowu");
    case CsvProblem::TextAfterQuote:
        return Texts::tr("tekst po cudzysłowie zamykającym pole");
    case CsvProblem::LoneCarriageReturn:
        return Texts::tr("znak powrotu karetki (CR) bez znaku nowego wiersza (LF) po nim");
    case CsvProblem::NumberEmpty:
        return Texts::tr("puste pole, a musi tu być liczba od 0 do 255");
    case CsvProblem::NumberOutOfRange:
        return Texts::tr("liczba %1 jest spoza zakresu od 0 do 255").arg(shortened(error.value));
    case CsvProblem::NotANumber:
        return Texts::tr("to nie jest liczba całkowita od 0 do 255");
    case CsvProblem::PositionNotANumber:
        return Texts::tr("to nie jest liczba całkowita");
    case CsvProblem::PositionOutOfOrder:
        return Texts::tr("jest %1 zamiast %2; wiersze muszą zachować kolejność tabeli")
            .arg(shortened(error.value), QString::number(error.number));
    case CsvProblem::NameInvalidUtf8:
        return Texts::tr("nazwa nie jest poprawnym tekstem UTF-8");
    case CsvProblem::NameOutsideCodePage:
        return Texts::tr("znaku nr %1 nazwy (%2) nie ma w kodowaniu Windows-1250")
            .arg(error.number)
            .arg(character(error.codePoint));
    case CsvProblem::NameHoldsNul:
        return Texts::tr("nazwa zawiera znak NUL, który by ją zakończył");
    case CsvProblem::NameTooLong:
        return Texts::tr("nazwa ma %1, a pole nazwy mieści najwyżej %2")
            .arg(charactersCount(error.number))
            .arg(boots::kNameSize);
    case CsvProblem::UnknownColumn:
        return Texts::tr("„%1” to nie jest nazwa żadnej kolumny buta").arg(shortened(error.value));
    case CsvProblem::PositionBackwards:
        return Texts::tr("pozycja %1 po %2; wiersze muszą iść według pozycji")
            .arg(shortened(error.value), QString::number(error.number));
    case CsvProblem::ColumnOutOfOrder:
        return Texts::tr("„%1” po „%2”; wiersze jednego buta muszą iść w kolejności kolumn, "
                         "każda kolumna raz")
            .arg(shortened(error.value), QString::fromLatin1(boots::fieldName(
                                             static_cast<boots::BootField>(error.number))));
    case CsvProblem::IdDiffers:
        return Texts::tr("jest %1 zamiast %2; wszystkie wiersze buta mają to samo id")
            .arg(shortened(error.value), QString::number(error.number));
    case CsvProblem::IdValueDiffers:
        return Texts::tr("jest %1, a id wiersza to %2")
            .arg(shortened(error.value), QString::number(error.number));
    case CsvProblem::ValueNotEmpty:
        return error.columnName() == "before" ? Texts::tr("musi być puste, bo but jest dodawany")
                                              : Texts::tr("musi być puste, bo but jest usuwany");
    case CsvProblem::BootIncomplete:
        return Texts::tr("but dodawany lub usuwany na pozycji %1 nie ma wiersza kolumny „%2”")
            .arg(error.number)
            .arg(shortened(error.value));
    case CsvProblem::BootOutOfPlace:
        return Texts::tr("buty dodawane lub usuwane idą po wszystkich zmienianych, pozycja po "
                         "pozycji, a jedna łatka nie może zarazem dodawać i usuwać");
    }
    return Texts::tr("nieznany błąd");
}

} // namespace

QString bootsCount(std::size_t count) {
    return counted(count, QT_TRANSLATE_N_NOOP("Texts", "%n butów"), "%n but", "%n buty");
}

QString bytesCount(std::size_t count) {
    return counted(count, QT_TRANSLATE_N_NOOP("Texts", "%n bajtów"), "%n bajt", "%n bajty");
}

QString cellsCount(std::size_t count) {
    return counted(count, QT_TRANSLATE_N_NOOP("Texts", "%n komórek"), "%n komórka", "%n komórki");
}

QString charactersCount(std::size_t count) {
    return counted(count, QT_TRANSLATE_N_NOOP("Texts", "%n znaków"), "%n znak", "%n znaki");
}

QString fieldCaption(boots::BootField field) {
    const std::string caption(boots::fieldInfo(field).caption);
    return QCoreApplication::translate("BootField", caption.c_str());
}

QString csvFaultText(const boots::CsvError& error) {
    QString text = Texts::tr("Wiersz %1").arg(error.line);
    if (error.column) {
        // A column past the last has no name, only its number.
        const std::string name = error.columnName();
        const bool numbered =
            std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
        text += (numbered ? Texts::tr(", kolumna %1") : Texts::tr(", kolumna „%1”"))
                    .arg(QString::fromStdString(name));
    }
    return text + QStringLiteral(": ") + problemText(error) + QLatin1Char('.');
}

QString systemReason(int error) {
    const QString reason = qt_error_string(error);
    return reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.');
}

namespace {

// The system's reason, and on Windows, where a file another program holds open cannot be read
// or replaced, what to do about it.
QString accessReason(int error) {
    QString reason = systemReason(error);
#ifdef Q_OS_WIN
    if (error == EACCES)
        reason += QLatin1Char(' ') +
                  Texts::tr("Inny program (na przykład gra) może mieć ten plik otwarty: "
                            "zamknij go i spróbuj ponownie.");
#endif
    return reason;
}

} // namespace

QString replaceReason(const fileops::ReplaceResult& result, const QString& folder) {
    switch (result.step) {
    case fileops::ReplaceStep::Check:
        return Texts::tr("plik zapisany w folderze %1 nie odczytuje się tak, jak go zapisano.")
            .arg(QDir::toNativeSeparators(folder));
    case fileops::ReplaceStep::Create:
        return Texts::tr("nie można utworzyć pliku w folderze %1: %2")
            .arg(QDir::toNativeSeparators(folder), systemReason(result.error));
    default:
        return accessReason(result.error);
    }
}

QString clashText(const boots::PatchClash& clash) {
    const auto value = [&clash](const std::optional<std::string>& text) {
        if (!text)
            return Texts::tr("brak buta");
        const QString shown = QString::fromStdString(*text);
        if (!clash.field)
            return Texts::tr("butów: %1").arg(shown);
        return *clash.field == boots::BootField::Nazwa ? Texts::tr("„%1”").arg(shown) : shown;
    };
    return Texts::tr("pozycja %1 (ID %2), kolumna %3: zmiany zakładają %4, a plik ma %5")
        .arg(clash.position)
        .arg(clash.id)
        .arg(clash.field ? QString::fromLatin1(boots::fieldName(*clash.field))
                         : QStringLiteral("*"),
             value(clash.expected), value(clash.found));
}
