#include "services/message_box.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStringList>
#include <utility>

namespace {
// The context of the boxes' texts.
struct MessageBoxes {
    Q_DECLARE_TR_FUNCTIONS(MessageBoxes)
};
} // namespace

namespace korvane {

namespace {
// The test seam of type `Seam`: each seam has a type of its own.
template <typename Seam> Seam& seam() {
    static Seam instance;
    return instance;
}

using MessageRecorder = std::function<void(const Message&)>;
using SaveAnswerer = std::function<SaveAnswer(const QString&)>;
using ReplaceAnswerer = std::function<ReplaceAnswer(const QString&)>;
using PatchBaseAnswerer = std::function<PatchBase(const QString&)>;
using StopAnswerer = std::function<StopAnswer(ToolJob, const QString&)>;
using RestoreAnswerer = std::function<RestoreAnswer(const QString&)>;
using KeepPatchAnswerer = std::function<bool(const QString&)>;

// Widens `box` so that a title bar, with its icon and buttons beside the title in a bold face,
// shows the whole title; a message box on its own is only as wide as its text and buttons.
void fitTitle(QMessageBox& box) {
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics title(bold);
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid)
        grid->addItem(
            new QSpacerItem(title.horizontalAdvance(box.windowTitle()) + 8 * title.height(), 0,
                            QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
}
// Shows `box` modally, widened to show its whole title.
void showModal(QMessageBox& box) {
    fitTitle(box);
    box.exec();
}

// Asks `text` modally over `parent` with one button for each of `buttons`, left to right, and
// returns the index of the one pressed. The last is the answer to Escape or closing the box;
// `preferred` is the default. `details`, when given, go under the box's details.
int ask(QWidget* parent, const QString& text, const QStringList& buttons, int preferred,
        const QString& details = QString()) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::NoButton, parent);
    box.setDetailedText(details);
    QList<QPushButton*> pushed;
    for (qsizetype i = 0; i < buttons.size(); ++i)
        pushed << box.addButton(buttons[i], i + 1 < buttons.size() ? QMessageBox::AcceptRole
                                                                   : QMessageBox::RejectRole);
    box.setDefaultButton(pushed[preferred]);
    box.setEscapeButton(pushed.back());
    showModal(box);
    const qsizetype answer = pushed.indexOf(static_cast<QPushButton*>(box.clickedButton()));
    return answer < 0 ? int(buttons.size() - 1) : int(answer);
}

// Asks `text` modally over `parent` with the buttons `yes` and `no`; true for `yes`. `no` is the
// default, and Escape or closing the box answers it.
bool askYesNo(QWidget* parent, const QString& text, const QString& yes, const QString& no) {
    return ask(parent, text, {yes, no}, 1) == 0;
}
} // namespace

void showMessage(QWidget* parent, const Message& message) {
    if (seam<MessageRecorder>()) {
        seam<MessageRecorder>()(message);
        return;
    }
    QMessageBox box(message.icon == MessageIcon::Information ? QMessageBox::Information
                                                             : QMessageBox::NoIcon,
                    message.title.isEmpty() ? QCoreApplication::applicationName() : message.title,
                    message.text, QMessageBox::Ok, parent);
    box.setDetailedText(message.details);
    showModal(box);
}

void showFailure(QWidget* parent, const QString& details, const QString& more) {
    const QString failed = MessageBoxes::tr("Wystąpił błąd");
    showMessage(parent, {details.isEmpty() ? failed : failed + QStringLiteral("\n\n") + details,
                         {},
                         MessageIcon::None,
                         more});
}

void setMessageRecorder(std::function<void(const Message&)> recorder) {
    seam<MessageRecorder>() = std::move(recorder);
}

SaveAnswer askSaveChanges(QWidget* parent, const QString& fileName) {
    if (seam<SaveAnswerer>())
        return seam<SaveAnswerer>()(fileName);
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                    MessageBoxes::tr("Zapisać zmiany w pliku %1?").arg(fileName),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    showModal(box);
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

void setSaveAnswerer(std::function<SaveAnswer(const QString& fileName)> answerer) {
    seam<SaveAnswerer>() = std::move(answerer);
}

ReplaceAnswer askReplaceChanged(QWidget* parent, const QString& fileName) {
    if (seam<ReplaceAnswerer>())
        return seam<ReplaceAnswerer>()(fileName);
    const int answer = ask(
        parent,
        MessageBoxes::tr("Plik %1 został zmieniony na dysku przez inny program. Zastąpić go?")
            .arg(fileName),
        {MessageBoxes::tr("Zastąp"), MessageBoxes::tr("Porównaj"), MessageBoxes::tr("Anuluj")}, 2);
    return static_cast<ReplaceAnswer>(answer);
}

void setReplaceAnswerer(std::function<ReplaceAnswer(const QString& fileName)> answerer) {
    seam<ReplaceAnswerer>() = std::move(answerer);
}

PatchBase askPatchBase(QWidget* parent, const QString& fileName, const QString& backupName) {
    if (seam<PatchBaseAnswerer>())
        return seam<PatchBaseAnswerer>()(fileName);
    const int answer =
        ask(parent,
            MessageBoxes::tr("Które zmiany pliku %1 zapisać?\n\nOd oryginału gry: wszystkie zmiany "
                             "względem kopii %2, którą Korvane zrobił przed pierwszym zapisem.\nOd "
                             "ostatniego zapisu: tylko zmiany względem pliku %1 na dysku.")
                .arg(fileName, backupName),
            {MessageBoxes::tr("Od oryginału"), MessageBoxes::tr("Od ostatniego zapisu"),
             MessageBoxes::tr("Anuluj")},
            0);
    return static_cast<PatchBase>(answer);
}

void setPatchBaseAnswerer(std::function<PatchBase(const QString& fileName)> answerer) {
    seam<PatchBaseAnswerer>() = std::move(answerer);
}

RestoreAnswer askRestore(QWidget* parent, const QString& fileName, int boots, const QString& when) {
    if (seam<RestoreAnswerer>())
        return seam<RestoreAnswerer>()(fileName);
    const int answer = ask(
        parent,
        MessageBoxes::tr("Korvane został zamknięty bez zapisania zmian w pliku %1 "
                         "(zmienione buty: %2, ostatnia zmiana: %3). Przywrócić "
                         "te zmiany?")
            .arg(fileName, QString::number(boots), when),
        {MessageBoxes::tr("Przywróć"), MessageBoxes::tr("Odrzuć"), MessageBoxes::tr("Później")}, 0);
    return static_cast<RestoreAnswer>(answer);
}

void setRestoreAnswerer(std::function<RestoreAnswer(const QString& fileName)> answerer) {
    seam<RestoreAnswerer>() = std::move(answerer);
}

bool askKeepPatch(QWidget* parent, const QString& text, const QString& details) {
    if (seam<KeepPatchAnswerer>())
        return seam<KeepPatchAnswerer>()(text);
    return ask(parent, text,
               {MessageBoxes::tr("Zapisz jako plik zmian…"), MessageBoxes::tr("Nie zapisuj")}, 1,
               details) == 0;
}

void setKeepPatchAnswerer(std::function<bool(const QString& text)> answerer) {
    seam<KeepPatchAnswerer>() = std::move(answerer);
}

StopAnswer askStopTool(QWidget* parent, ToolJob job, const QString& fileName) {
    if (seam<StopAnswerer>())
        return seam<StopAnswerer>()(job, fileName);
    const QString text =
        job == ToolJob::Pack
            ? MessageBoxes::tr("Trwa zapisywanie pliku %1.\n\nZatrzymać je? Plik %1 zostanie taki, "
                               "jaki był, a niezapisane zmiany zostaną utracone.\nMożna też "
                               "zaczekać, aż zapisywanie się skończy.")
            : MessageBoxes::tr("Trwa otwieranie pliku %1.\n\nZatrzymać je? Plik %1 nie zostanie "
                               "otwarty.\nMożna też zaczekać, aż otwieranie się skończy.");
    return askYesNo(parent, text.arg(fileName), MessageBoxes::tr("Zatrzymaj"),
                    MessageBoxes::tr("Zaczekaj"))
               ? StopAnswer::Stop
               : StopAnswer::Wait;
}

void setStopAnswerer(std::function<StopAnswer(ToolJob job, const QString& fileName)> answerer) {
    seam<StopAnswerer>() = std::move(answerer);
}

} // namespace korvane
