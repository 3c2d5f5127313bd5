// Functions, no class: wording that several windows share, in the language in use: counts with
// the noun in its right form, the faults of a CSV file, why a file was not replaced, a patch's
// clashes.
#pragma once

#include <QString>
#include <cstddef>

namespace boots {
enum class BootField;
struct CsvError;
struct PatchClash;
} // namespace boots
namespace fileops {
struct ReplaceResult;
}

// A count with its noun in the form the language gives it: "1 but", "22 buty", "5 butów".
QString bootsCount(std::size_t count);
QString bytesCount(std::size_t count);
QString cellsCount(std::size_t count);
QString charactersCount(std::size_t count);

// The caption of `field` on screen: "Group", "Name", "Shot power"...
QString fieldCaption(boots::BootField field);

// "Wiersz L, kolumna „NAME”: what is wrong.", or "Wiersz L: what is wrong." for a whole row.
QString csvFaultText(const boots::CsvError& error);

// Why a replace of a file in `folder` failed, as a sentence: the system's reason (on Windows, for
// a file held open, with what to do), or what the step that failed did not do.
QString replaceReason(const fileops::ReplaceResult& result, const QString& folder);

// A system error number's text as a sentence of a message.
QString systemReason(int error);

// A clash: "pozycja P (ID I), kolumna C: zmiany zakładają B, a plik ma X".
QString clashText(const boots::PatchClash& clash);
