// The program in the user's language: every window, message and question in Polish or in English
// with nothing left in the other, the texts as written back when no translation is chosen, the
// choice kept; and the files opened last in the File menu.
#include "test_support.h"
#include "ui/frm_main.h"
#include "ui/frm_progress.h"
#include "ui/import_preview.h"
#include "ui/language.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTextEdit>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const Boots Sample = {{1, 3, "Alpha", 1, 2, 3, 4, 5}, {2, 7, "Beta", 2, 2, 2, 2, 2}};

// A text of a translation file: a text the program shows with its arguments (%1, %n) filled in.
struct Template {
    QRegularExpression pattern;
    QString text;
};

Template templateOf(const QString& text) {
    QString pattern = QRegularExpression::escape(text);
    pattern.replace(QRegularExpression(QStringLiteral(R"(\\%L?(\d|n))")), QStringLiteral(".*"));
    return {QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                               QRegularExpression::DotMatchesEverythingOption),
            text};
}

// The translations of a translation file, each message's forms (numerus forms or the one).
struct Translations {
    QStringList sources;
    QList<QStringList> forms; // by source
};

Translations readTranslations(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    Translations read;
    QXmlStreamReader xml(&file);
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source")) {
            read.sources << xml.readElementText();
            read.forms << QStringList();
        } else if (xml.name() == QLatin1String("numerusform") ||
                   (xml.name() == QLatin1String("translation") &&
                    !xml.attributes().hasAttribute(QStringLiteral("numerus")))) {
            const QString form = xml.readElementText(QXmlStreamReader::SkipChildElements);
            if (!form.isEmpty())
                read.forms.last() << form;
        }
    }
    return read;
}

// The texts a user can read in `window`: its caption, labels, buttons, frame captions, menus and
// their commands, tooltips, column captions and text boxes' notes.
QStringList shownTexts(const QWidget* window) {
    QStringList texts;
    const auto add = [&texts](const QString& text) {
        if (!text.trimmed().isEmpty())
            texts << text;
    };
    add(window->windowTitle());
    QList<const QWidget*> widgets{window};
    for (const QWidget* child : window->findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* widget : widgets) {
        add(widget->toolTip());
        for (const QAction* action : widget->actions()) {
            add(action->text());
            add(action->toolTip());
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            add(label->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            add(button->text());
        else if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
            add(frame->title());
        else if (const auto* menu = qobject_cast<const QMenu*>(widget))
            add(menu->title());
        else if (const auto* box = qobject_cast<const QLineEdit*>(widget))
            add(box->placeholderText());
        else if (const auto* text = qobject_cast<const QTextEdit*>(widget))
            add(text->toPlainText());
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget);
                 view && view->model())
            for (int column = 0; column < view->model()->columnCount(); ++column)
                add(view->model()->headerData(column, Qt::Horizontal).toString());
    }
    return texts;
}

QStringList messageTexts(const QList<korvane::Message>& messages) {
    QStringList texts;
    for (const korvane::Message& message : messages)
        texts << message.text << message.title << message.details;
    return texts;
}

} // namespace

class TestLanguage : public QObject, public WindowControls {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyTextInOneLanguage_data();
    void everyTextInOneLanguage();
    void textsAsWrittenWithoutTranslation();
    void recentFilesThroughTheMenu();

private:
    QWidget* controlled() const override { return window.get(); }
    QWidget* topLevel(const char* name) const;
    // Shows the real question or box that `ask` shows and returns its texts; it is closed with
    // Escape.
    QStringList askedTexts(const std::function<void()>& ask);

    std::unique_ptr<AppFolder> app;
    std::unique_ptr<TempDir> user;
    std::unique_ptr<Hooks> hooks;
    std::unique_ptr<FrmMain> window;
    QString path;
};

void TestLanguage::init() {
    app = std::make_unique<AppFolder>();
    user = std::make_unique<TempDir>();
    hooks = std::make_unique<Hooks>();
    path = user->filePath(QStringLiteral("a.bin"));
    QVERIFY(writePacked(path, encoded(Sample)));
    window = std::make_unique<FrmMain>(app->path());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestLanguage::cleanup() {
    window.reset();
    hooks.reset();
    korvane::useLanguage(QString());
}

QWidget* TestLanguage::topLevel(const char* name) const {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name) && top->isVisible())
            return top;
    return nullptr;
}

QStringList TestLanguage::askedTexts(const std::function<void()>& ask) {
    QStringList texts;
    answerNextModal([&texts](QWidget* modal) {
        texts = shownTexts(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            texts << box->detailedText();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    ask();
    return texts;
}

void TestLanguage::everyTextInOneLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("command");
    QTest::newRow("Polish") << "pl"
                            << "MnuLanguagePolish";
    QTest::newRow("English") << "en"
                             << "MnuLanguageEnglish";
}

void TestLanguage::everyTextInOneLanguage() {
    QFETCH(QString, language);
    QFETCH(QString, command);
    // The windows are open before the switch: they change with it, as those opened after it are.
    hooks->answers = QStringList{path};
    action("MnuFileOpen")->trigger();
    action("MnuTable")->trigger();
    action("Help")->trigger();
    action(command.toLatin1().constData())->trigger();
    QCOMPARE(korvane::currentLanguage(), language);

    QStringList shown;
    for (const char* name : {"FrmMain", "FrmHelp", "FrmTable"}) {
        QWidget* top = topLevel(name);
        QVERIFY2(top, name);
        shown << shownTexts(top);
    }
    // The file dialogs, each cancelled.
    for (const char* name : {"MnuFileOpen", "MnuExportCsv", "MnuImportCsv", "MnuExportPatch",
                             "MnuApplyPatch", "MnuCompare"}) {
        action(name)->trigger();
        shown << hooks->dialogTitle << hooks->dialogFilters;
    }
    // Messages: a file not found, a file that is no table, a save, a failure.
    hooks->answers = QStringList{user->filePath(QStringLiteral("none.bin"))};
    action("MnuFileOpen")->trigger();
    const QString notCsv = user->filePath(QStringLiteral("not.csv"));
    QVERIFY(writeFile(notCsv, "\x01\x02"));
    hooks->answers = QStringList{notCsv};
    action("MnuImportCsv")->trigger();
    action("MnuSaveFile")->trigger();
    korvane::showFailure(window.get(), QStringLiteral("x"));
    shown << messageTexts(hooks->messages);
    QVERIFY(hooks->messages.size() >= 3);

    // The import preview and the questions, as the user sees them.
    const QString csv = user->filePath(QStringLiteral("boots.csv"));
    hooks->answers = QStringList{csv};
    action("MnuExportCsv")->trigger();
    QVERIFY(writeFile(csv, readFile(csv).replace("Alpha", "Alphb")));
    hooks->answers = QStringList{csv};
    korvane::setImportAnswerer(nullptr);
    shown << askedTexts([this] { action("MnuImportCsv")->trigger(); });
    korvane::setMessageRecorder(nullptr);
    korvane::setSaveAnswerer(nullptr);
    korvane::setReplaceAnswerer(nullptr);
    korvane::setPatchBaseAnswerer(nullptr);
    korvane::setRestoreAnswerer(nullptr);
    korvane::setKeepPatchAnswerer(nullptr);
    korvane::setStopAnswerer(nullptr);
    const QString name = QStringLiteral("a.bin");
    QWidget* parent = window.get();
    const std::vector<std::function<void()>> questions = {
        [&] {
            korvane::showMessage(parent, {QStringLiteral("x"), {}, {}, QStringLiteral("y")});
        },
        [&] { korvane::askSaveChanges(parent, name); },
        [&] { korvane::askReplaceChanged(parent, name); },
        [&] { korvane::askPatchBase(parent, name, name + QStringLiteral(".bak")); },
        [&] { korvane::askRestore(parent, name, 2, QStringLiteral("2026-12-08 10:00")); },
        [&] { korvane::askKeepPatch(parent, QStringLiteral("x"), QStringLiteral("y")); },
        [&] { korvane::askStopTool(parent, korvane::ToolJob::Unpack, name); },
        [&] { korvane::askStopTool(parent, korvane::ToolJob::Pack, name); },
    };
    for (const auto& ask : questions)
        shown << askedTexts(ask);
    shown << shownTexts(std::make_unique<FrmProgress>(QStringLiteral("x"), parent).get());

    // No text is one of the other language's, or one of the program's own left as written.
    const Translations polish =
        readTranslations(QStringLiteral(KORVANE_TRANSLATIONS "/korvane_pl.ts"));
    const Translations english =
        readTranslations(QStringLiteral(KORVANE_TRANSLATIONS "/korvane_en.ts"));
    const Translations& own = language == QLatin1String("pl") ? polish : english;
    const Translations& other = language == QLatin1String("pl") ? english : polish;
    QList<Template> ours, foreign;
    for (qsizetype i = 0; i < own.sources.size(); ++i) {
        for (const QString& form : own.forms[i])
            ours << templateOf(form);
        for (const QString& text : QStringList{own.sources[i]} + other.forms[i])
            if (!own.forms[i].contains(text))
                foreign << templateOf(text);
    }
    const auto matches = [](const QList<Template>& templates, const QString& text) {
        return std::any_of(templates.begin(), templates.end(),
                           [&text](const Template& t) { return t.pattern.match(text).hasMatch(); });
    };
    // The language menu names itself and its choices for readers of either language.
    const QStringList chooser = {"Język / Language", "Systemowy / System", "Polski"};
    static const QRegularExpression polishLetters(QStringLiteral("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ„”]"));
    for (const QString& text : shown) {
        QStringList lines = text.split(QLatin1Char('\n'));
        lines << text;
        for (const QString& line : lines) {
            const auto left = std::find_if(foreign.begin(), foreign.end(), [&](const Template& t) {
                return t.pattern.match(line).hasMatch();
            });
            if (left != foreign.end() && !matches(ours, line))
                QFAIL(qPrintable(QStringLiteral("\"%1\" is \"%2\"").arg(line, left->text)));
            if (language == QLatin1String("en") && !chooser.contains(line))
                QVERIFY2(!line.contains(polishLetters), qPrintable(line));
        }
    }
    // Qt's own buttons speak the language too.
    QVERIFY(shown.contains(language == QLatin1String("pl") ? QStringLiteral("Pokaż szczegóły...")
                                                           : QStringLiteral("Show Details...")));
    // The texts that are the same in both languages, on purpose.
    QStringList same;
    for (qsizetype i = 0; i < polish.sources.size(); ++i)
        if (polish.forms[i] == english.forms[i])
            same << polish.forms[i];
    same.removeDuplicates();
    QCOMPARE(same, QStringList({"ID", "Import CSV…", "Import CSV"}));

    // Kept: the next start speaks the language chosen.
    window.reset();
    korvane::useLanguage(QString());
    window = std::make_unique<FrmMain>(app->path());
    window->followLanguage();
    QCOMPARE(korvane::currentLanguage(), language);
    QVERIFY(action(command.toLatin1().constData())->isChecked());
}

void TestLanguage::textsAsWrittenWithoutTranslation() {
    hooks->answers = QStringList{path};
    action("MnuFileOpen")->trigger();
    action("MnuTable")->trigger();
    action("Help")->trigger();
    const auto allShown = [this] {
        QStringList texts;
        for (const char* name : {"FrmMain", "FrmHelp", "FrmTable"})
            texts << shownTexts(topLevel(name));
        return texts;
    };
    const QStringList written = allShown();
    QVERIFY(written.contains(QStringLiteral("Add BootS")));
    QVERIFY(korvane::useLanguage(QStringLiteral("pl")));
    QVERIFY(allShown() != written);
    QVERIFY(korvane::useLanguage(QString()));
    QCOMPARE(allShown(), written);
    QVERIFY(!korvane::useLanguage(QStringLiteral("de")));
    QCOMPARE(korvane::currentLanguage(), QString());
}

void TestLanguage::recentFilesThroughTheMenu() {
    auto* recent = window->findChild<QMenu*>(QStringLiteral("MnuRecent"));
    QVERIFY(recent);
    const auto listed = [&recent] {
        QStringList names;
        for (const QAction* item : recent->actions())
            if (!item->isSeparator() && item->objectName() != QLatin1String("MnuRecentClear"))
                names << item->text() + QLatin1Char('|') + item->toolTip();
        return names;
    };
    const auto clear = [&recent] {
        return recent->findChild<QAction*>(QStringLiteral("MnuRecentClear"));
    };
    QCOMPARE(listed(), QStringList());
    QVERIFY(!clear()->isEnabled());

    // Nine files opened, the first again last: newest first, eight kept.
    QStringList paths;
    for (int i = 1; i <= 9; ++i) {
        paths << user->filePath(QStringLiteral("f%1.bin").arg(i));
        QVERIFY(QFile::copy(path, paths.last()));
    }
    for (int i = 1; i <= 9; ++i)
        window->openFile(paths[i % 9]);
    const auto item = [&paths](int place, int file) {
        return QStringLiteral("&%1 f%2.bin|%3")
            .arg(place)
            .arg(file)
            .arg(QDir::toNativeSeparators(paths[file - 1]));
    };
    QCOMPARE(listed(), QStringList({item(1, 1), item(2, 9), item(3, 8), item(4, 7), item(5, 6),
                                    item(6, 5), item(7, 4), item(8, 3)}));

    // Chosen from the menu: opened as File, Open opens it; a file gone leaves the list.
    recent->findChild<QAction*>(QStringLiteral("MnuRecent_3"))->trigger();
    QCOMPARE(window->chosenFile(), paths[7]);
    QVERIFY(QFile::remove(paths[5]));
    hooks->messages.clear();
    recent->findChild<QAction*>(QStringLiteral("MnuRecent_5"))->trigger();
    QCOMPARE(hooks->messages.size(), 1);
    QVERIFY2(hooks->messages[0].text.startsWith(QStringLiteral("Nie znaleziono pliku")),
             qPrintable(hooks->messages[0].text));
    QCOMPARE(listed(), QStringList({item(1, 8), item(2, 1), item(3, 9), item(4, 7), item(5, 5),
                                    item(6, 4), item(7, 3)}));

    // Kept for the next start, and emptied by the last item.
    window.reset();
    window = std::make_unique<FrmMain>(app->path());
    recent = window->findChild<QMenu*>(QStringLiteral("MnuRecent"));
    QCOMPARE(listed().size(), 7);
    clear()->trigger();
    QCOMPARE(listed(), QStringList());
    QVERIFY(!clear()->isEnabled());
}

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
