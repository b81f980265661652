#include "NvApplication.h"

#include "NvDialogs.h"
#include "NvError.h"

NvApplication::NvApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("QTR-9000KX"));
}

bool NvApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const NvError& error) {
        ShowException(error.message());
    } catch (const std::exception& error) {
        ShowException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error."));
    }
    return false;
}

void NvApplication::ShowException(const QString& message)
{
    NvDialogs::Message(activeWindow(), message, applicationName(), NvDialogs::Buttons::Ok,
                       NvDialogs::Icon::Error);
}
