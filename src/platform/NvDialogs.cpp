#include "NvDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace NvDialogs {
namespace {

struct TestState
{
    bool active = false;
    MessageScript messages;
    FileScript files;
    QVector<MessageRecord> recordedMessages;
    QVector<FileDialogRecord> recordedFiles;
};

TestState& state()
{
    static TestState s;
    return s;
}

QMessageBox::Icon toQtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

Answer defaultAnswer(Buttons buttons)
{
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

} // namespace

Answer Message(QWidget* owner, const QString& text, const QString& caption, Buttons buttons,
               Icon icon)
{
    TestState& s = state();
    if (s.active) {
        const MessageRecord record{text, caption, buttons, icon, owner};
        s.recordedMessages.append(record);
        return s.messages ? s.messages(record) : defaultAnswer(buttons);
    }
    QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::NoButton, owner);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return buttons == Buttons::Ok ? Answer::Ok
                                      : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
    }
}

QString FileName(QWidget* owner, FileMode mode, const QString& caption, const QString& directory,
                 const QString& filter)
{
    TestState& s = state();
    if (s.active) {
        const FileDialogRecord record{mode, caption, directory, filter};
        s.recordedFiles.append(record);
        return s.files ? s.files(record) : QString();
    }
    if (mode == FileMode::Open)
        return QFileDialog::getOpenFileName(owner, caption, directory, filter);
    return QFileDialog::getSaveFileName(owner, caption, directory, filter);
}

QString ExecutableFileName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

void SetTestMode(MessageScript messages, FileScript files)
{
    TestState& s = state();
    s.active = true;
    s.messages = std::move(messages);
    s.files = std::move(files);
    s.recordedMessages.clear();
    s.recordedFiles.clear();
}

void LeaveTestMode()
{
    state() = TestState();
}

bool InTestMode()
{
    return state().active;
}

const QVector<MessageRecord>& RecordedMessages()
{
    return state().recordedMessages;
}

const QVector<FileDialogRecord>& RecordedFileDialogs()
{
    return state().recordedFiles;
}

void ClearRecorded()
{
    state().recordedMessages.clear();
    state().recordedFiles.clear();
}

} // namespace NvDialogs
