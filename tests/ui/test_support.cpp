#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWidget>

AppFolder::AppFolder(bool withTool) {
    QDir root(dir.path());
    root.mkpath(QStringLiteral("zlib/temp"));
    if (withTool)
        QFile::copy(QStringLiteral(KORVANE_ZLIBTOOL),
                    root.filePath(QStringLiteral("zlib/zlibtool")));
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

bool AppFolder::standInTool(const QByteArray& script) const {
    const QString tool = path() + QStringLiteral("zlib/zlibtool");
    QFile::remove(tool);
    return writeFile(tool, script) &&
           QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

int runZlibtool(const QStringList& args) {
    QProcess tool;
    tool.start(QStringLiteral(KORVANE_ZLIBTOOL), args);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return -1;
    return tool.exitCode();
}

bool writePacked(const QString& target, const QByteArray& raw) {
    QTemporaryDir work;
    const QString plain = work.filePath(QStringLiteral("t"));
    return writeFile(plain, raw) && runZlibtool({plain}) == 0 &&
           QFile::rename(plain + QStringLiteral(".zlib"), target);
}

QByteArray unpacked(const QString& packed) {
    QTemporaryDir work;
    const QString copy = work.filePath(QStringLiteral("t"));
    if (!QFile::copy(packed, copy) || runZlibtool({copy, QStringLiteral("-d")}) != 0)
        return QByteArray();
    return readFile(copy + QStringLiteral(".unzlib"));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
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
