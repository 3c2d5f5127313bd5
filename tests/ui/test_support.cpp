#include "test_support.h"

#include "failing_writes.h"
#include "services/qel_common_dialog.h"
#include "ui/import_preview.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <stdexcept>

static std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::u8path(path.toStdString());
}

TempDir::TempDir() : TempFolder(fsPath(QDir::tempPath())) {}

QString TempDir::path() const {
    return QDir::fromNativeSeparators(QString::fromStdString(TempFolder::path().u8string()));
}

AppFolder::AppFolder(bool withTool) {
    QDir(dir.path()).mkpath(QStringLiteral("zlib/temp"));
    if (withTool)
        QFile::copy(QStringLiteral(KORVANE_ZLIBTOOL), toolPath());
}

AppFolder::~AppFolder() {
    // A window makes its program folder the current one, and Windows removes no process's
    // current folder.
    if (QDir::currentPath().startsWith(dir.path()))
        QDir::setCurrent(QDir::tempPath());
}

QString AppFolder::path() const {
    return dir.path() + QLatin1Char('/');
}

QString AppFolder::tempDir() const {
    return path() + QStringLiteral("zlib/temp/");
}

QStringList AppFolder::tempFiles() const {
    return QDir(tempDir()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QString AppFolder::toolPath() const {
#ifdef Q_OS_WIN
    return path() + QStringLiteral("zlib/zlibtool.exe");
#else
    return path() + QStringLiteral("zlib/zlibtool");
#endif
}

bool AppFolder::standInTool(const QString& steps) const {
    return putStandIn(toolPath(), steps);
}

bool putStandIn(const QString& program, const QString& steps) {
    QFile::remove(program);
    return QFile::copy(QStringLiteral(KORVANE_STANDIN_TOOL), program) &&
           writeFile(QFileInfo(program).dir().filePath(QStringLiteral("standin.txt")),
                     QString(steps)
                         .replace(QLatin1String("{zlibtool}"), QStringLiteral(KORVANE_ZLIBTOOL))
                         .toUtf8());
}

int saveWhileWritesFail(const QString& path, int limit, bool readable,
                        const std::function<bool()>& save) {
    testsupport::FailingWrites writes{fsPath(path), static_cast<std::uintmax_t>(limit), readable};
    writes.deferLimit = [](const std::function<void()>& startLimit) {
        QTimer::singleShot(0, startLimit);
    };
    return testsupport::runWhileWritesFail(writes, [&save] { return save() ? 0 : 1; });
}

int whileReplacingFails(const QString& path, const std::function<bool()>& step) {
    return testsupport::runWhileReplacingFails(fsPath(path), [&step] { return step() ? 0 : 1; });
}

int runZlibtool(const QStringList& args) {
    QProcess tool;
    tool.start(QStringLiteral(KORVANE_ZLIBTOOL), args);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return -1;
    return tool.exitCode();
}

bool writePacked(const QString& target, const QByteArray& raw) {
    const TempDir work;
    const QString plain = work.filePath(QStringLiteral("t"));
    return writeFile(plain, raw) && runZlibtool({plain}) == 0 &&
           QFile::rename(plain + QStringLiteral(".zlib"), target);
}

QByteArray unpacked(const QString& packed) {
    const TempDir work;
    const QString copy = work.filePath(QStringLiteral("t"));
    if (!QFile::copy(packed, copy) || runZlibtool({copy, QStringLiteral("-d")}) != 0)
        return QByteArray();
    return readFile(copy + QStringLiteral(".unzlib"));
}

QByteArray readFile(const QString& path) try {
    return QByteArray::fromStdString(testsupport::readFile(fsPath(path)));
} catch (const std::runtime_error&) {
    return QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) try {
    testsupport::writeFile(fsPath(path), bytes.toStdString());
    return true;
} catch (const std::runtime_error&) {
    return false;
}

void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        QMetaObject::invokeMethod(
            modal, [modal, answer] { answer(modal); }, Qt::QueuedConnection);
        timer->deleteLater();
    });
    timer->start();
}

QByteArray encoded(const Boots& boots) {
    const auto bytes = boots::encodeFile(boots);
    return bytes ? QByteArray(reinterpret_cast<const char*>(bytes->data()),
                              static_cast<qsizetype>(bytes->size()))
                 : QByteArray();
}

Boots decoded(const QByteArray& raw) {
    const auto boots = boots::decodeFile(reinterpret_cast<const unsigned char*>(raw.constData()),
                                         static_cast<std::size_t>(raw.size()));
    return boots ? boots->records : Boots();
}

QStringList itemTexts(const Boots& boots, std::size_t limit) {
    QStringList items;
    for (std::size_t i = 0; i < std::min(boots.size(), limit); ++i)
        items << QString::number(boots[i].ID) + QLatin1Char(':') +
                     QString::fromStdString(boots[i].Nazwa);
    return items;
}

bool failureSays(const korvane::Message& message, const QString& stage, bool saving) {
    return message.text.startsWith(QStringLiteral("Wystąpił błąd\n")) && message.title.isEmpty() &&
           message.icon == korvane::MessageIcon::None &&
           message.text.contains(stage + QStringLiteral(" nie powiodło się: ")) &&
           message.text.contains(QStringLiteral(" nie został zmieniony.")) == saving;
}

Hooks::Hooks() {
    korvane::setMessageRecorder([this](const korvane::Message& message) { messages << message; });
    korvane::setSaveAnswerer([this](const QString& name) {
        asked << name;
        return answer;
    });
    korvane::setReplaceAnswerer([this](const QString& name) {
        replaceAsked << name;
        return replace;
    });
    korvane::setPatchBaseAnswerer([this](const QString& name) {
        patchBaseAsked << name;
        return patchBase;
    });
    korvane::setRestoreAnswerer([this](const QString& name) {
        restoreAsked << name;
        return restore;
    });
    korvane::setKeepPatchAnswerer([this](const QString& text) {
        keepPatchAsked << text;
        return keepPatch;
    });
    korvane::setStopAnswerer([this](korvane::ToolJob, const QString& name) {
        stopAsked << name;
        return stop;
    });
    korvane::setImportAnswerer([this](const QString& summary, const QAbstractItemModel& changes) {
        preview = QStringList{summary};
        for (int row = 0; row < changes.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < changes.columnCount(); ++column)
                cells << changes.index(row, column).data().toString();
            preview << cells.join(QLatin1Char('|'));
        }
        return importAnswer;
    });
    Qel_Common_Dialog::setAnswerer(
        [this](const QString& title, const QString& folder, const QStringList& filters) {
            ++dialogs;
            dialogTitle = title;
            dialogFolder = folder;
            dialogFilters = filters;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
}

Hooks::~Hooks() {
    korvane::setMessageRecorder({});
    korvane::setSaveAnswerer({});
    korvane::setReplaceAnswerer({});
    korvane::setPatchBaseAnswerer({});
    korvane::setRestoreAnswerer({});
    korvane::setKeepPatchAnswerer({});
    korvane::setStopAnswerer({});
    korvane::setImportAnswerer({});
    Qel_Common_Dialog::setAnswerer({});
}

QLineEdit* WindowControls::box(int index) const {
    return controlled()->findChild<QLineEdit*>(QStringLiteral("Txt_%1").arg(index));
}

QListWidget* WindowControls::list() const {
    return controlled()->findChild<QListWidget*>(QStringLiteral("List1"));
}

QStringList WindowControls::listTexts() const {
    QStringList texts;
    for (int i = 0; i < list()->count(); ++i)
        texts << list()->item(i)->text();
    return texts;
}

QAction* WindowControls::action(const char* name) const {
    return controlled()->findChild<QAction*>(QLatin1String(name));
}

QPushButton* WindowControls::button(const char* name) const {
    return controlled()->findChild<QPushButton*>(QLatin1String(name));
}

namespace boots {
char* toString(const BootRecord& boot) {
    return QTest::toString(QStringLiteral("{%1, %2, \"%3\", %4, %5, %6, %7, %8}")
                               .arg(boot.ID)
                               .arg(boot.Grupa)
                               .arg(QString::fromStdString(boot.Nazwa))
                               .arg(boot.Sila)
                               .arg(boot.Precyzja)
                               .arg(boot.Przyspieszenie)
                               .arg(boot.Szybkosc)
                               .arg(boot.Podkrecanie));
}
} // namespace boots
