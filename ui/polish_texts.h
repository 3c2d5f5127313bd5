// Functions, no class: Polish wording for what the windows tell the user: counts with the noun in
// its right form, and the faults of a CSV file.
#pragma once

#include <QString>
#include <cstddef>

namespace boots {
struct CsvError;
struct PatchClash;
} // namespace boots
namespace fileops {
struct ReplaceResult;
}

// `count` followed by the noun in the form Polish gives that count: `one` for 1 ("1 but"), `few`
// for 2 to 4 past any tens other than the teens ("2 buty", "22 buty"), `many` otherwise
// ("5 butów", "12 butów", "0 butów").
QString countOf(std::size_t count, const QString& one, const QString& few, const QString& many);

// "Wiersz L, kolumna „NAME”: what is wrong.", or "Wiersz L: what is wrong." for a whole row.
QString csvFaultText(const boots::CsvError& error);

// Why a replace of a file in `folder` failed, as a sentence: the system's reason, or what the step
// that failed did not do.
QString replaceReason(const fileops::ReplaceResult& result, const QString& folder);

// A system error number's text as a sentence of a message.
QString systemReason(int error);

// A clash in Polish: "pozycja P (ID I), kolumna C: zmiany zakładają B, a plik ma X".
QString clashText(const boots::PatchClash& clash);
