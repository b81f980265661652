#include "NvSNMPRequest2Controls.h"

#include "NvCatalog.h"
#include "NvControlKind.h"
#include "NvDialogs.h"
#include "NvError.h"
#include "NvNumList.h"

#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QTime>

namespace {

NvSNMPError okRecord()
{
    NvSNMPError ok;
    ok.code = 0;
    ok.message = NvCatalog::TextOfCode(0);
    return ok;
}

} // namespace

NvSNMPRequest2Controls::NvSNMPRequest2Controls(QWidget* form_) : form(form_) {}

NvSNMPRequest2Controls::~NvSNMPRequest2Controls()
{
    *m_liveToken = false;
}

void NvSNMPRequest2Controls::ReportStatusThroughCallback()
{
    request.statusCallback = [this](const NvSNMPError& error) {
        // A good outcome is worth a status line, not a box the user has to click away.
        if (error.code == 0 && !statusTarget)
            return;
        if (lastOperation == 0)
            ReportReadError(error);
        else
            ReportWriteError(error);
    };
}

QString NvSNMPRequest2Controls::StatusTime()
{
    return QLocale::c().toString(QTime::currentTime(), QStringLiteral("hh:mm:ss AP"));
}

void NvSNMPRequest2Controls::ReportMessage(const QString& message)
{
    if (!statusTarget) {
        NvDialogs::Message(form, message, NvDialogs::ExecutableFileName());
        return;
    }
    const QString line =
        NvCatalog::StatusLine(lastOperation == 0 ? 0 : 1, message, request.list.name, StatusTime());
    switch (StatusTargetKindOf(statusTarget)) {
    case NvStatusTargetKind::StatusBar:
        static_cast<QStatusBar*>(statusTarget.data())->showMessage(line);
        break;
    case NvStatusTargetKind::Panel:
        static_cast<QLabel*>(statusTarget.data())->setText(line);
        break;
    case NvStatusTargetKind::MultiLine:
        if (auto* plain = qobject_cast<QPlainTextEdit*>(statusTarget.data()))
            plain->appendPlainText(line);
        else
            static_cast<QTextEdit*>(statusTarget.data())->append(line);
        break;
    case NvStatusTargetKind::Unsupported:
        NvDialogs::Message(form, message, NvDialogs::ExecutableFileName());
        break;
    }
}

void NvSNMPRequest2Controls::ReportReadError(const NvSNMPError& error)
{
    lastOperation = 0;
    ReportMessage(error.message);
}

void NvSNMPRequest2Controls::ReportWriteError(const NvSNMPError& error)
{
    lastOperation = 1;
    ReportMessage(error.message);
}

void NvSNMPRequest2Controls::reportOk()
{
    if (request.statusCallback)
        request.statusCallback(okRecord());
}

bool NvSNMPRequest2Controls::passesRowCondition()
{
    return request.EvaluateCondition(request.rowCondition);
}

// --- reading ---

bool NvSNMPRequest2Controls::Read()
{
    lastOperation = 0;
    BeforeRead();
    rowCount = 0;
    if (!async)
        return readBlocking();
    busy = true;
    if (!request.alive) {
        busy = false;
        return true;
    }
    try {
        startAsyncRead(true);
    } catch (...) {
        busy = false;
        throw;
    }
    return true;
}

bool NvSNMPRequest2Controls::readBlocking()
{
    busy = true;
    bool ok = true;
    try {
        if (request.list.IsTable()) {
            bool first = true;
            while (request.Get(first, ok)) {
                first = false;
                if (passesRowCondition()) {
                    RowRead();
                    ++rowCount;
                }
                if (!request.alive)
                    break;
            }
        } else {
            request.Get(true, ok);
            // A failed read leaves the controls as they were: the engine's "(NULL)" values of a
            // time-out are no values to show, nor to write back on the next Apply.
            if (ok && passesRowCondition()) {
                RowRead();
                ++rowCount;
            }
        }
        AfterRead();
    } catch (...) {
        busy = false;
        throw;
    }
    busy = false;
    if (ok)
        reportOk();
    return ok;
}

void NvSNMPRequest2Controls::startAsyncRead(bool first)
{
    std::weak_ptr<bool> token = m_liveToken;
    request.GetAsync(
        [this, token](void*, const NvSNMPError& error, NvSNMPVarList&) {
            const auto live = token.lock();
            if (live && *live)
                readCompleted(error);
        },
        this, first);
}

void NvSNMPRequest2Controls::readCompleted(const NvSNMPError& error)
{
    try {
        if (error.code != 0) {
            busy = false;
            lastOperation = 0;
            // Pages that follow their operations through the status callback learn of the
            // failure too; bindings without one stay silent.
            if (request.statusCallback)
                request.statusCallback(error);
            if (onReadDone)
                onReadDone(this, error);
            return;
        }
        if (!request.list.IsTable()) {
            if (passesRowCondition()) {
                RowRead();
                ++rowCount;
            }
            finishAsyncRead();
            return;
        }
        if (!error.final) {
            if (passesRowCondition()) {
                RowRead();
                ++rowCount;
            }
            if (request.alive) {
                startAsyncRead(false);
                return;
            }
        }
        finishAsyncRead();
    } catch (const NvError& raised) {
        busy = false;
        lastOperation = 0;
        ReportMessage(raised.message());
    } catch (const std::exception& raised) {
        busy = false;
        lastOperation = 0;
        ReportMessage(QString::fromLocal8Bit(raised.what()));
    }
}

void NvSNMPRequest2Controls::finishAsyncRead()
{
    AfterRead();
    busy = false;
    lastOperation = 0;
    reportOk();
    if (onReadDone)
        onReadDone(this, okRecord());
}

// --- writing ---

QString NvSNMPRequest2Controls::selectionWithoutHeldBack(const QString& selection,
                                                         const QStringList* formatter,
                                                         QStringList& values) const
{
    if (selection.isEmpty() || m_heldBack.empty())
        return selection;
    NvNumList<int> indexes(QLatin1Char(','));
    indexes.Parse(selection);
    QStringList kept;
    for (int p = 0; p < indexes.count(); ++p) {
        const bool heldBack =
            std::any_of(m_heldBack.begin(), m_heldBack.end(),
                        [&](const HeldBack& h) { return h.varIndex == indexes[p]; });
        if (heldBack)
            continue;
        kept.append(QString::number(indexes[p]));
        if (formatter && p < formatter->size())
            values.append(formatter->at(p));
    }
    // Nothing left to send: an index no item has keeps the write from falling back to "all".
    return kept.isEmpty() ? QStringLiteral("-1") : kept.join(QLatin1Char(','));
}

void NvSNMPRequest2Controls::restoreHeldBack()
{
    for (const HeldBack& h : m_heldBack) {
        NvSNMPVarItem& item = request.list.Item(h.varIndex);
        item.flags = h.flags;
        item.value = h.value;
    }
    m_heldBack.clear();
}

bool NvSNMPRequest2Controls::Write(bool rereadAfter, bool fromControls, const QString& selection,
                                   const QStringList* formatter)
{
    lastOperation = 1;
    rereadAfterWrite = rereadAfter;
    m_heldBack.clear();
    BeforeWrite();
    if (fromControls)
        GatherValues();
    for (const HeldBack& h : m_heldBack)
        request.list.Item(h.varIndex).flags |= VAR_SKIP;
    QStringList keptValues;
    const QString effectiveSelection = selectionWithoutHeldBack(selection, formatter, keptValues);
    const QStringList* effectiveValues =
        effectiveSelection == selection ? formatter : (formatter ? &keptValues : nullptr);

    if (!async) {
        const bool ok = [&] {
            try {
                return writeBlocking(effectiveSelection, effectiveValues);
            } catch (...) {
                restoreHeldBack();
                busy = false;
                throw;
            }
        }();
        return ok;
    }
    busy = true;
    if (!request.alive) {
        restoreHeldBack();
        busy = false;
        return true;
    }
    std::weak_ptr<bool> token = m_liveToken;
    try {
        request.SetAsync(
            [this, token](void*, const NvSNMPError& error, NvSNMPVarList&) {
                const auto live = token.lock();
                if (live && *live)
                    writeCompleted(error);
            },
            this, false, effectiveSelection, effectiveValues ? *effectiveValues : QStringList());
    } catch (...) {
        restoreHeldBack();
        busy = false;
        throw;
    }
    restoreHeldBack();
    return true;
}

bool NvSNMPRequest2Controls::writeBlocking(const QString& selection, const QStringList* formatter)
{
    busy = true;
    bool ok = true;
    request.Set(ok, false, selection, formatter ? *formatter : QStringList());
    restoreHeldBack();
    AfterWrite();
    busy = false;
    if (ok)
        reportOk();
    if (request.list.IsTable() && rereadAfterWrite)
        Read();
    return ok;
}

void NvSNMPRequest2Controls::writeCompleted(const NvSNMPError& error)
{
    try {
        if (error.code != 0) {
            busy = false;
            lastOperation = 1;
            if (request.statusCallback)
                request.statusCallback(error);
            if (onWriteDone)
                onWriteDone(this, error);
            return;
        }
        AfterWrite();
        busy = false;
        lastOperation = 1;
        reportOk();
        if (onWriteDone)
            onWriteDone(this, error);
        if (request.list.IsTable() && rereadAfterWrite)
            Read();
    } catch (const NvError& raised) {
        busy = false;
        ReportMessage(raised.message());
    } catch (const std::exception& raised) {
        busy = false;
        ReportMessage(QString::fromLocal8Bit(raised.what()));
    }
}
