// One function, no class: Qt's own texts (the buttons and labels of its dialogs) in the user's
// language.
#pragma once

class QLocale;
class QTranslator;

// Installs Qt's translations for `locale`, found in Qt's translations folder. Returns the
// installed translator, owned by the application, or null when Qt has none for that locale
// (Qt's texts then stay English).
QTranslator* installQtTranslations(const QLocale& locale);
