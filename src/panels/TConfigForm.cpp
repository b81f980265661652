#include "TConfigForm.h"

#include "NvDialogs.h"
#include "NvSNMPRequest2Edits.h"
#include "NvSNMPSession.h"
#include "PanelSupport.h"
#include "TCtrlBtnPanel.h"
#include "TEditsPanel.h"
#include "TListViewPanel.h"
#include "TSNMPEditorPanel.h"
#include "TSNMPListViewPanel.h"
#include "ui_TConfigForm.h"

#include <QApplication>
#include <QEvent>
#include <QTabWidget>
#include <QTimer>
#include <stdexcept>

int TConfigForm::closeGraceMs = 1000;

TConfigForm::TConfigForm(QWidget* owner) : QDialog(owner), m_ui(std::make_unique<Ui::TConfigForm>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    CentreOnMainWindow(this);
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kRefreshMessage)));
}

TConfigForm::~TConfigForm()
{
    // The panels (children, destroyed after this body) never touch a binding once it is gone.
    if (!m_shutDown)
        shutDownBindings();
}

void TConfigForm::takePage(std::unique_ptr<NvSNMPRequest2Edits> binding, int type)
{
    if (formType != NoPage)
        throw std::runtime_error("Can not change Type of a Config Form!");
    formType = type;
    bindings.push_back(std::move(binding));
}

TSNMPEditorPanel* TConfigForm::AddEditorPage(std::unique_ptr<NvSNMPRequest2Edits> binding)
{
    takePage(std::move(binding), EditorPage);
    auto* panel = new TSNMPEditorPanel(this, bindings.back().get());
    panel->AttachToForm(this);
    return panel;
}

TSNMPListViewPanel* TConfigForm::AddListPage(std::unique_ptr<NvSNMPRequest2Edits> binding,
                                             int addColumn, const QString& addValue,
                                             int deleteColumn, const QString& deleteValue)
{
    takePage(std::move(binding), ListPage);
    auto* panel = new TSNMPListViewPanel(this, bindings.back().get());
    panel->AttachToForm(this);
    if (!addValue.isEmpty())
        panel->SetAddStatus(addColumn, addValue);
    if (!deleteValue.isEmpty())
        panel->SetDeleteStatus(deleteColumn, deleteValue);
    return panel;
}

void TConfigForm::Refresh()
{
    if (m_closing || m_shutDown)
        return;
    NvSNMPRequest2Edits* next = nullptr;
    switch (formType) {
    case NoPage:
        return;
    case EditorPage:
    case ListPage:
        if (bindings.empty())
            return;
        next = bindings.front().get();
        break;
    case TabbedPages: {
        if (!pages || pages->count() == 0)
            return;
        const int index = pages->currentIndex();
        if (index < 0 || index >= static_cast<int>(bindings.size()))
            return;
        next = bindings[index].get();
        break;
    }
    default:
        throw std::runtime_error("Refresh a Form with unknown Form Type!");
    }
    // Only the binding in front hears from the device; late answers to the others are dropped.
    for (const auto& binding : bindings)
        binding->request.alive = binding.get() == next;
    activeBinding = next;
    // A blocking read of this binding is running below us (its list view lets messages run):
    // reading again from inside it would tear its walk apart.
    if (next->busy && !next->async)
        return;
    ReportingRaisedErrors(*next, 0, [next] { next->Read(); });
}

bool TConfigForm::event(QEvent* event)
{
    if (event->type() != static_cast<QEvent::Type>(kRefreshMessage))
        return QDialog::event(event);
    try {
        Refresh();
    } catch (const std::exception& error) {
        NvDialogs::Message(this, QString::fromLocal8Bit(error.what()),
                           QCoreApplication::applicationName(), NvDialogs::Buttons::Ok,
                           NvDialogs::Icon::Error);
    }
    return true;
}

bool TConfigForm::operationOnStack() const
{
    for (const auto& binding : bindings) {
        // A blocking operation only lets messages run while it is on the stack.
        if (binding->busy && !binding->async)
            return true;
    }
    // A dialog of the page (editing a row, a question) runs its own loop over the bindings.
    for (const QWidget* w = QApplication::activeModalWidget(); w; w = w->parentWidget()) {
        if (w == this)
            return QApplication::activeModalWidget() != this;
    }
    // The event pump's timer stands still while completions run: the close may come from one of
    // ours, which must not lose its binding under its feet.
    const bool insideCompletion = snmpSession && eventPump && !eventPump->IsActive();
    return insideCompletion && !bindings.empty();
}

void TConfigForm::done(int result)
{
    if (m_shutDown) {
        QDialog::done(result);
        return;
    }
    if (m_closing)
        return;
    if (operationOnStack()) {
        // Walks end after their current row; the close follows once the operation returned.
        for (const auto& binding : bindings)
            binding->request.alive = false;
        if (!m_closeQueued) {
            m_closeQueued = true;
            QTimer::singleShot(SnmpEventProcessor::kPeriodMs, this, [this, result] {
                m_closeQueued = false;
                done(result);
            });
        }
        return;
    }
    shutDownBindings();
    QDialog::done(result);
}

void TConfigForm::shutDownBindings()
{
    m_closing = true;
    // Nothing the user does may start another operation while the requests run out.
    const bool wasEnabled = isEnabled();
    setEnabled(false);
    for (const auto& binding : bindings)
        binding->request.alive = false;
    for (auto& binding : bindings) {
        const NvSNMPRequest& request = binding->request;
        // A completion takes at most the request's time-out per try (hundredths of a second).
        const qint64 limit =
            qint64(qMax(0, request.timeout)) * 10 * (qMax(0, request.retries) + 1) +
            qMax(0, closeGraceMs);
        WaitWhileBusy(*binding, static_cast<int>(qMin<qint64>(limit, INT_MAX)));
        binding.reset();
    }
    bindings.clear();
    activeBinding = nullptr;
    for (TSNMPPanel* panel : findChildren<TSNMPPanel*>())
        panel->binding = nullptr;
    for (TEditsPanel* panel : findChildren<TEditsPanel*>())
        panel->binding = nullptr;
    for (TListViewPanel* panel : findChildren<TListViewPanel*>())
        panel->binding = nullptr;
    m_shutDown = true;
    m_closing = false;
    setEnabled(wasEnabled);
}
