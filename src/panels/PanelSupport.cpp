#include "PanelSupport.h"

#include "NvError.h"
#include "NvMainWindowApi.h"
#include "NvSNMPRequest2Controls.h"
#include "NvSNMPSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreOnMainWindow(QWidget* window)
{
    if (!window)
        return;
    const QWidget* centre = MainWindow() ? MainWindow()->Window() : nullptr;
    if (!centre || centre == window)
        centre = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    QRect area;
    if (centre && centre != window) {
        area = centre->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

bool WaitWhileBusy(const NvSNMPRequest2Controls& binding, int limitMs)
{
    const QDeadlineTimer deadline(qMax(0, limitMs));
    // Without a session no answer can come any more.
    while (binding.busy && snmpSession && !deadline.hasExpired()) {
        const int left = static_cast<int>(deadline.remainingTime());
        SnmpEventProcessor::ProcessPendingEvents(qBound(0, left, SnmpEventProcessor::kPeriodMs));
        if (binding.busy)
            QCoreApplication::processEvents();
    }
    return !binding.busy;
}

void ReportingRaisedErrors(NvSNMPRequest2Controls& binding, int operation,
                           const std::function<void()>& action)
{
    QString message;
    try {
        action();
        return;
    } catch (const NvError& error) {
        message = error.message();
    } catch (const std::exception& error) {
        message = QString::fromLocal8Bit(error.what());
    }
    binding.lastOperation = operation;
    binding.ReportMessage(message);
}
