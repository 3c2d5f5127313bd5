// Functions, no class: the language the program's texts, and the texts of Qt's own dialogs, are
// shown in.
#pragma once

#include <QString>

namespace korvane {

// Shows the program's texts, and Qt's, in the language `code`: "pl" for Polish, "en" for English,
// or an empty code for the texts as the program is written. Every window then gets a
// LanguageChange event. False, with nothing changed, for a code the program has no translation
// for.
bool useLanguage(const QString& code);

// The code of the language in use: "pl", "en", or empty for the texts as written.
QString currentLanguage();

// The language the system's user interface asks for (on Windows, the user's display language):
// "pl" for Polish, empty for the C or POSIX locale, "en" for any other.
QString systemLanguage();

} // namespace korvane
