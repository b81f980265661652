#pragma once

#include <QApplication>

// The application object. An exception that escapes an event handler would end the process;
// here it is shown in a message box and the program goes on.
class NvApplication : public QApplication
{
public:
    NvApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an escaped exception's message, as the standard error display does.
    static void ShowException(const QString& message);
};
