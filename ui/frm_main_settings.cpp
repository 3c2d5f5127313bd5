// FrmMain, continued: what the user's settings keep: the language the program speaks and the
// files opened last.
#include "ui/frm_main.h"
#include "ui/language.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <tuple>

namespace {

const QString kLanguage = QStringLiteral("Language"); // "pl", "en"; none: the system's
const QString kRecentFiles = QStringLiteral("RecentFiles");
constexpr int kRecentCount = 8;

} // namespace

void FrmMain::createRecentMenu() {
    MnuRecent = MnuFile->addMenu(QString());
    MnuRecent->setObjectName(QStringLiteral("MnuRecent"));
    MnuRecent->menuAction()->setObjectName(QStringLiteral("MnuRecent"));
    MnuRecent->setToolTipsVisible(true);
    commands.push_back({MnuRecent->menuAction(), Needs::Nothing, false, nullptr});
}

void FrmMain::showRecentFiles() {
    MnuRecent->clear();
    const QStringList files = settings->value(kRecentFiles).toStringList();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* item = MnuRecent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        item->setObjectName(QStringLiteral("MnuRecent_%1").arg(i + 1));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    MnuRecent->addSeparator();
    QAction* clear = MnuRecent->addAction(tr("Wyczyść listę"));
    clear->setObjectName(QStringLiteral("MnuRecentClear"));
    connect(clear, &QAction::triggered, this, [this] {
        settings->remove(kRecentFiles);
        showRecentFiles();
    });
    clear->setEnabled(!files.isEmpty());
}

void FrmMain::rememberFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = settings->value(kRecentFiles).toStringList();
    files.removeAll(absolute);
    files.prepend(absolute);
    settings->setValue(kRecentFiles, files.mid(0, kRecentCount));
    showRecentFiles();
}

void FrmMain::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QStringList files = settings->value(kRecentFiles).toStringList();
        files.removeAll(path);
        settings->setValue(kRecentFiles, files);
        showRecentFiles();
    }
    openFile(path); // says so when the file is gone
}

void FrmMain::createLanguageMenu() {
    MnuEdit->addSeparator();
    // Named in both languages, so that whoever cannot read the one in use still finds it.
    MnuLanguage = MnuEdit->addMenu(QStringLiteral("Język / Language"));
    MnuLanguage->setObjectName(QStringLiteral("MnuLanguage"));
    auto* group = new QActionGroup(this);
    const QString chosen = settings->value(kLanguage).toString();
    for (const auto& [name, caption, code] :
         {std::tuple{"MnuLanguageSystem", "Systemowy / System", ""},
          std::tuple{"MnuLanguagePolish", "Polski", "pl"},
          std::tuple{"MnuLanguageEnglish", "English", "en"}}) {
        QAction* item = MnuLanguage->addAction(QString::fromUtf8(caption));
        item->setObjectName(QLatin1String(name));
        item->setCheckable(true);
        item->setChecked(chosen == QLatin1String(code));
        group->addAction(item);
        const QString language = QLatin1String(code);
        connect(item, &QAction::triggered, this, [this, language] { chooseLanguage(language); });
    }
}

void FrmMain::followLanguage() {
    const QString chosen = settings->value(kLanguage).toString();
    if (chosen.isEmpty() || !korvane::useLanguage(chosen))
        korvane::useLanguage(korvane::systemLanguage());
}

void FrmMain::chooseLanguage(const QString& code) {
    if (code.isEmpty())
        settings->remove(kLanguage);
    else
        settings->setValue(kLanguage, code);
    followLanguage();
}
