#pragma once

#include "NvSNMPRequest.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

class NvSNMPRequest2Controls;

// Called as (sender binding, completion record) when an asynchronous read or write ends.
using NvBindingDoneHandler = std::function<void(NvSNMPRequest2Controls*, const NvSNMPError&)>;

// The binding of one variable list to a window's controls. It owns the request over the list,
// reads the list and fills the controls, gathers the controls into the values before a write,
// and reports outcomes as status lines (or message boxes when it has no status target).
//
// Blocking mode (async = false, what almost every page uses): Read and Write return when done;
// an NvError raised inside them clears busy and reaches the caller. Asynchronous mode: they
// return at once and complete through the request engine's event pump; errors inside a
// completion are reported and go no further.
class NvSNMPRequest2Controls
{
public:
    explicit NvSNMPRequest2Controls(QWidget* form);
    virtual ~NvSNMPRequest2Controls();
    NvSNMPRequest2Controls(const NvSNMPRequest2Controls&) = delete;
    NvSNMPRequest2Controls& operator=(const NvSNMPRequest2Controls&) = delete;

    NvSNMPRequest request;
    NvBindingDoneHandler onReadDone;
    NvBindingDoneHandler onWriteDone;
    bool async = true;
    bool busy = false;
    QPointer<QWidget> form;
    int32_t rowCount = 0;
    QPointer<QWidget> statusTarget;
    int lastOperation = 0; // 0 after a read ("Get"), 1 after a write ("Set")
    bool rereadAfterWrite = true;

    void SetStatusTarget(QWidget* target) { statusTarget = target; }

    // Makes the request's status callback report the outcomes of this binding: failures to the
    // status target or a message box, the "Ok" record after a good operation to the status
    // target only.
    void ReportStatusThroughCallback();

    bool Read();
    bool Write(bool rereadAfter = true, bool fromControls = true,
               const QString& selection = QString(), const QStringList* formatter = nullptr);

    virtual void BeforeRead() {}
    virtual void BeforeWrite() {}
    virtual void RowRead() = 0;
    virtual void GatherValues() {}
    virtual void ReportReadError(const NvSNMPError& error);
    virtual void ReportWriteError(const NvSNMPError& error);
    virtual void AfterRead() {}
    virtual void AfterWrite() {}

    // Reports a message as a status line of lastOperation's template, or in a message box
    // captioned with the executable's file name when there is no status target.
    void ReportMessage(const QString& message);

    // The time as status lines show it: "hh:nn:ss AM".
    static QString StatusTime();

protected:
    // Variables a write leaves out although their flags would send them (a combo box or radio
    // group without a selection); the write restores their flags and values afterwards.
    struct HeldBack
    {
        int varIndex;
        uint32_t flags;
        QString value;
    };
    std::vector<HeldBack> m_heldBack;

private:
    void reportOk();
    bool passesRowCondition();
    bool readBlocking();
    void readCompleted(const NvSNMPError& error);
    void startAsyncRead(bool first);
    void finishAsyncRead();
    bool writeBlocking(const QString& selection, const QStringList* formatter);
    void writeCompleted(const NvSNMPError& error);
    QString selectionWithoutHeldBack(const QString& selection, const QStringList* formatter,
                                     QStringList& values) const;
    void restoreHeldBack();

    // Cleared on destruction, so that a completion arriving late never touches this binding.
    std::shared_ptr<bool> m_liveToken = std::make_shared<bool>(true);
};
