// Functions, no class: the translators the program installs, kept between calls.
#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <memory>

namespace korvane {

namespace {

struct Installed {
    QString code;
    QPointer<QTranslator> own; // the program's texts
    QPointer<QTranslator> qt;  // Qt's, where Qt has them for the language
};

Installed& installed() {
    static Installed translators;
    return translators;
}

} // namespace

bool useLanguage(const QString& code) {
    if (!code.isEmpty() && code != QLatin1String("pl") && code != QLatin1String("en"))
        return false;
    std::unique_ptr<QTranslator> own, qt;
    if (!code.isEmpty()) {
        own = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (!own->load(QStringLiteral(":/i18n/korvane_") + code))
            return false;
        qt = std::make_unique<QTranslator>(QCoreApplication::instance());
        // Qt's folder, else the program's own copy (a program built with Qt inside)
        if (!qt->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
            !qt->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QStringLiteral(":/i18n")))
            qt.reset(); // Qt's texts then stay English
    }
    Installed& now = installed();
    delete now.own;
    delete now.qt; // a translator removes itself when deleted
    now.code = code;
    now.qt = qt.release();
    now.own = own.release();
    for (QTranslator* translator : {now.qt.data(), now.own.data()})
        if (translator)
            QCoreApplication::installTranslator(translator);
    if (code.isEmpty()) { // nothing installed: tell the windows all the same
        QEvent changed(QEvent::LanguageChange);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &changed);
    }
    // The windows get the change as posted events: they change before this returns.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return true;
}

QString currentLanguage() {
    return installed().code;
}

QString systemLanguage() {
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QString();
    const QStringList languages = system.uiLanguages();
    return !languages.isEmpty() && languages.first().startsWith(QLatin1String("pl"))
               ? QStringLiteral("pl")
               : QStringLiteral("en");
}

} // namespace korvane
