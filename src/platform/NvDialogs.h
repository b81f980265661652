#pragma once

#include <QString>
#include <QVector>
#include <functional>

class QWidget;

// Every message box and file dialog of the module goes through here, so that tests can record
// what would be shown and script the answer without a modal loop.
namespace NvDialogs {

enum class Buttons
{
    Ok,
    OkCancel,
    YesNo
};
enum class Icon
{
    None,
    Information,
    Warning,
    Error,
    Question
};
enum class Answer
{
    Ok,
    Cancel,
    Yes,
    No
};

struct MessageRecord
{
    QString text;
    QString caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    QWidget* owner = nullptr;
};

// Shows a modal message box owned by owner and returns the button the user chose. Closing the
// box counts as Cancel (OkCancel), No (YesNo) or Ok.
Answer Message(QWidget* owner, const QString& text, const QString& caption,
               Buttons buttons = Buttons::Ok, Icon icon = Icon::None);

enum class FileMode
{
    Open,
    Save
};

struct FileDialogRecord
{
    FileMode mode = FileMode::Open;
    QString caption;
    QString directory;
    QString filter;
};

// A file-open or file-save dialog; returns the chosen path, or an empty text when cancelled.
QString FileName(QWidget* owner, FileMode mode, const QString& caption,
                 const QString& directory = QString(), const QString& filter = QString());

// The file name of the running executable, the caption of the module's plain message boxes.
QString ExecutableFileName();

// Test mode: nothing is shown; each message box and file dialog is recorded and answered by the
// scripted function (or Ok / the empty path when none is given).
using MessageScript = std::function<Answer(const MessageRecord&)>;
using FileScript = std::function<QString(const FileDialogRecord&)>;
void SetTestMode(MessageScript messages = {}, FileScript files = {});
void LeaveTestMode();
bool InTestMode();
const QVector<MessageRecord>& RecordedMessages();
const QVector<FileDialogRecord>& RecordedFileDialogs();
void ClearRecorded();

} // namespace NvDialogs
