#include "NvSNMPRequest.h"

#include "NvCatalog.h"
#include "NvDateTime.h"
#include "NvError.h"
#include "NvExpression.h"
#include "NvNumList.h"
#include "NvOptionList.h"
#include "NvSNMPTransport.h"
#include "NvSNMPValueCodec.h"
#include "NvSyntax.h"
#include "NvValueText.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <cmath>

using NvSNMPTransport::Command;
using NvSNMPTransport::Outcome;

namespace {

const QString kNull = QStringLiteral("(NULL)");
const QString kNotDone = QStringLiteral("(NOTDONE)");

QByteArray contextEngineOctets(const QString& text)
{
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return QByteArray::fromHex(text.mid(2).toLatin1());
    return text.toUtf8();
}

// Position (1-based) of the first binding that says the variable does not exist; 0 for none.
int firstMissing(const QVector<NvSNMPVb>& vbs)
{
    for (int j = 0; j < vbs.size(); ++j) {
        if (vbs[j].type == VB_NOSUCHOBJECT || vbs[j].type == VB_NOSUCHINSTANCE)
            return j + 1;
    }
    return 0;
}

// Numeric comparison of two dotted OIDs: <0, 0, >0.
int compareOids(const QString& a, const QString& b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        uint64_t x = 0;
        uint64_t y = 0;
        for (; i < a.size() && a[i] != QLatin1Char('.'); ++i)
            x = x * 10 + uint64_t(a[i].unicode() - '0');
        for (; j < b.size() && b[j] != QLatin1Char('.'); ++j)
            y = y * 10 + uint64_t(b[j].unicode() - '0');
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i >= a.size() && j >= b.size())
        return 0;
    return i >= a.size() ? -1 : 1;
}

bool isBooleanSyntax(uint32_t syntax)
{
    return syntax == SYN_BOOLEAN || syntax == SYN_BOOL8 || syntax == SYN_BOOL16;
}

bool isNumericSyntax(uint32_t syntax)
{
    switch (syntax) {
    case SYN_INTEGER:
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_COUNTER64:
    case SYN_UINTEGER32:
    case SYN_DOUBLE:
    case SYN_INT8:
    case SYN_UINT8:
    case SYN_INT16:
    case SYN_UINT16:
        return true;
    default:
        return false;
    }
}

QString truncatedText(double value, double low, double high)
{
    const double t = std::trunc(value);
    const double clamped = t < low ? low : (t > high ? high : t);
    return QString::number(static_cast<long long>(clamped));
}

// A day count as a DateAndTime text (no offset from UTC).
QString dayCountToDateAndTime(double dayCount)
{
    NvDateTime value;
    const double whole = std::trunc(dayCount);
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
    const int64_t deciseconds = std::llround(std::fabs(dayCount - whole) * 864000.0);
    value.year = static_cast<uint16_t>(date.year());
    value.month = static_cast<uint8_t>(date.month());
    value.day = static_cast<uint8_t>(date.day());
    value.hour = static_cast<uint8_t>(deciseconds / 36000 % 24);
    value.minutes = static_cast<uint8_t>(deciseconds / 600 % 60);
    value.seconds = static_cast<uint8_t>(deciseconds / 10 % 60);
    value.deciSeconds = static_cast<uint8_t>(deciseconds % 10);
    return value.Format();
}

} // namespace

struct NvSNMPRequest::Guard
{
    NvSNMPRequest* request;
};

// One request as it goes out: where to, which call, the bindings as sent.
struct NvSNMPRequest::ReadPlan
{
    Op op = Op::ReadFirst;
    NvSNMPTransport::Target target;
    Command command = Command::Get;
    QVector<NvSNMPVb> vbs;
    QVector<QString> sentOids;
    bool unknownKind = false; // nothing is sent for a list kind outside 0..3
};

struct NvSNMPRequest::DecodeResult
{
    bool rowRead = false;
    bool final = true;
    int code = 0;
};

int NvSNMPRequest::destroyWaitMs = 6000;

NvSNMPRequest::NvSNMPRequest()
    : timeout(defaultTimeout), device(defaultDevice), scope(defaultScope),
      security(defaultSecurity), m_guard(std::make_shared<Guard>(Guard{this}))
{}

NvSNMPRequest::~NvSNMPRequest()
{
    alive = false;
    QElapsedTimer clock;
    clock.start();
    while (pending > 0 && snmpSession && clock.elapsed() < destroyWaitMs) {
        const int left = int(destroyWaitMs - clock.elapsed());
        SnmpEventProcessor::ProcessPendingEvents(qBound(0, left, SnmpEventProcessor::kPeriodMs));
        if (pending > 0 && QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
    // Completions of operations still outstanding find no request and are dropped.
    m_guard->request = nullptr;
}

QString NvSNMPRequest::BaseOid(int i) const
{
    const QString& oid = list.Item(i).oid;
    return list.instance.isEmpty() ? oid : oid + QLatin1Char('.') + list.instance;
}

QString NvSNMPRequest::RowIndex()
{
    QStringList parts;
    for (int k = 0; k < list.keyCount && k < list.Count(); ++k) {
        const QString arcs = EncodeIndex(k);
        if (!arcs.isEmpty())
            parts.append(arcs);
    }
    return parts.join(QLatin1Char('.'));
}

void NvSNMPRequest::report(int code, const QString& message, int errorIndex,
                           const NvSNMPDevice& peer, bool* ok)
{
    if (code == 0)
        return;
    if (ok)
        *ok = false;
    ++errorCount;
    NvSNMPError error;
    error.code = code;
    error.errorIndex = errorIndex;
    error.message = message;
    error.peer = peer;
    error.sequence = errorCount;
    if (statusCallback)
        statusCallback(error);
}

NvSNMPRequest::ReadPlan NvSNMPRequest::buildPdu(Op op)
{
    ReadPlan plan;
    plan.op = op;

    // The target first: an address that is no address raises before anything else happens.
    NvSNMPTransport::Target& t = plan.target;
    if (!NvSNMPTransport::ResolveIPv4(device.address, t.address))
        throw NvError::FromCode(-509);
    t.port = device.port;
    t.version = security.version;
    t.timeout = timeout;
    t.retries = retries;
    if (security.version == SNMP_VERSION_CODE_3) {
        t.securityModel = security.securityModel;
        t.securityLevel = security.securityLevel;
        t.securityName = security.securityName;
        t.authProtocol = security.authProtocol;
        t.authPassword = security.authPassword;
        t.privProtocol = security.privProtocol;
        t.privPassword = security.privPassword;
        t.contextName = scope.contextName;
        t.contextEngineId = contextEngineOctets(scope.contextEngineId);
    } else {
        t.community = op == Op::Write ? security.writeCommunity : security.readCommunity;
    }

    const bool table = list.IsTable();
    if (op == Op::Write) {
        if (list.kind > LIST_TABLE_ROWS)
            throw NvError::FromCode(-515);
        plan.command = Command::Set;
        QString row;
        bool haveRow = false;
        for (int i = 0; i < list.Count(); ++i) {
            if ((table && i < list.keyCount) || !list.IsWritable(i))
                continue;
            NvSNMPVb vb;
            vb.oid = BaseOid(i);
            if (list.kind == LIST_SCALAR) {
                vb.oid += QStringLiteral(".0");
            } else if (table) {
                if (!haveRow) {
                    row = RowIndex();
                    haveRow = true;
                }
                if (!row.isEmpty())
                    vb.oid += QLatin1Char('.') + row;
            }
            vb.type = NvSNMPValueCodec::WireTypeOf(list.Item(i).syntax);
            ValueToVb(i, vb);
            plan.sentOids.append(vb.oid);
            plan.vbs.append(vb);
        }
        return plan;
    }

    if (op == Op::ReadNext && (list.kind == LIST_SCALAR || list.kind == LIST_INSTANCE))
        throw NvError::FromCode(-510);
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsReadable(i))
            continue;
        NvSNMPVarItem& item = list.Item(i);
        NvSNMPVb vb;
        if (op == Op::ReadFirst) {
            item.instanceOid.clear();
            vb.oid = BaseOid(i);
            if (list.kind == LIST_SCALAR)
                vb.oid += QStringLiteral(".0");
        } else {
            vb.oid = item.instanceOid;
        }
        plan.sentOids.append(vb.oid);
        plan.vbs.append(vb);
    }
    switch (list.kind) {
    case LIST_SCALAR:
        plan.command = Command::Get;
        break;
    case LIST_INSTANCE:
        plan.command = nextForInstances ? Command::GetNext : Command::Get;
        break;
    case LIST_TABLE:
    case LIST_TABLE_ROWS:
        plan.command = Command::GetNext;
        break;
    default:
        plan.unknownKind = true;
        break;
    }
    return plan;
}

NvSNMPRequest::DecodeResult NvSNMPRequest::decode(const QVector<NvSNMPVb>& vbs,
                                                  const QVector<QString>& sentOids, int code,
                                                  bool blocking, bool* ok, const NvSNMPDevice& peer)
{
    DecodeResult result;
    result.code = code;
    const bool table = list.IsTable();
    // SNMPv1 agents end a walk with noSuchName for the OIDs they were sent.
    const bool walkEndedByAgent = table && code == -102;
    int j = 0;
    int readCount = 0;
    int finishedCount = 0;
    QString suffix;
    bool haveSuffix = false;
    QString row;
    bool haveRow = false;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsReadable(i))
            continue;
        NvSNMPVb vb;
        if (j < vbs.size()) {
            vb = vbs[j];
        } else {
            // An answer with fewer bindings than were sent: the rest made no progress.
            vb.oid = j < sentOids.size() ? sentOids[j] : QString();
        }
        ++j;
        NvSNMPVarItem& item = list.Item(i);
        const QString base = BaseOid(i);
        if (walkEndedByAgent) {
            if (item.instanceOid == vb.oid) {
                result.rowRead = false;
                result.final = true;
                result.code = 0;
                return result;
            }
            if (!blocking) {
                result.final = true;
                return result;
            }
            report(-102, NvCatalog::TextOfCode(-102), j, peer, ok);
        }
        if (IsColumnFinished(base, item.instanceOid, vb.oid)) {
            ++finishedCount;
            item.value = kNotDone;
            if (!haveRow) {
                row = RowIndex();
                haveRow = true;
            }
            // Without key items there is no row to come back to: the column stays where the
            // agent left it, which only leads further out.
            item.instanceOid = row.isEmpty() ? vb.oid : base + QLatin1Char('.') + row;
        } else {
            ValueFromVb(i, vb);
            item.instanceOid = vb.oid;
            // Only a column that is still inside its table tells the row; one that has run into
            // the next column would give that column's index.
            if (!haveSuffix && vb.oid.size() > base.size()) {
                suffix = vb.oid.mid(base.size() + 1);
                haveSuffix = true;
            }
        }
        ++readCount;
    }
    if (finishedCount < readCount) {
        if (table)
            decodeRowIndex(suffix);
        for (int i = 0; i < list.Count(); ++i)
            ApplyExpression(i, true);
        result.rowRead = table;
        result.final = !table;
    } else {
        result.rowRead = false;
        result.final = true;
    }
    return result;
}

void NvSNMPRequest::decodeRowIndex(QString suffix)
{
    for (int k = 0; k < list.keyCount; ++k) {
        if (suffix.isEmpty() || k >= list.Count())
            throw NvError::FromCode(-514);
        if (!list.IsReadable(k))
            list.Item(k).instanceOid = BaseOid(k) + QLatin1Char('.') + suffix;
        suffix = DecodeIndex(k, suffix);
    }
}

bool NvSNMPRequest::Get(bool first, bool& ok)
{
    if (!alive) {
        ok = false;
        return false;
    }
    const ReadPlan plan = buildPdu(first ? Op::ReadFirst : Op::ReadNext);
    if (plan.unknownKind) {
        report(-515, NvCatalog::TextOfCode(-515), 0, NvSNMPDevice(), &ok);
        return false;
    }
    const Outcome out = NvSNMPTransport::SendBlocking(plan.target, plan.command, plan.vbs);
    const NvCodeText mapped = NvCatalog::MapResult(out.result);
    int code = mapped.code;
    QString message = mapped.text;
    int errorIndex = out.errorIndex;
    if (code == 0 && out.responded && plan.command == Command::Get) {
        if (const int missing = firstMissing(out.vbs)) {
            code = -102;
            message = NvCatalog::TextOfCode(-102);
            errorIndex = missing;
        }
    }
    if (!(list.IsTable() && code == -102))
        report(code, message, errorIndex, out.peer, &ok);
    return decode(out.responded ? out.vbs : plan.vbs, plan.sentOids, code, true, &ok, out.peer)
        .rowRead;
}

void NvSNMPRequest::GetAsync(NvSNMPCompletion callback, void* userData, bool first)
{
    if (!alive)
        return;
    const ReadPlan plan = buildPdu(first ? Op::ReadFirst : Op::ReadNext);
    sendAsync(plan, true, std::move(callback), userData);
}

bool NvSNMPRequest::Set(bool& ok, bool decodeResponse, const QString& selection,
                        const QStringList& values)
{
    return write(true, ok, decodeResponse, selection, values, NvSNMPCompletion(), nullptr);
}

void NvSNMPRequest::SetAsync(NvSNMPCompletion callback, void* userData, bool decodeResponse,
                             const QString& selection, const QStringList& values)
{
    bool unused = true;
    write(false, unused, decodeResponse, selection, values, std::move(callback), userData);
}

bool NvSNMPRequest::write(bool blocking, bool& ok, bool decodeResponse, const QString& selection,
                          const QStringList& values, NvSNMPCompletion callback, void* userData)
{
    if (!alive) {
        if (blocking)
            ok = false;
        return false;
    }
    // The selection and the values change the list for this one write only; whatever happens,
    // also when building raises, the list is put back as it was.
    const NvSNMPVarList saved(list);
    struct Restore
    {
        NvSNMPVarList& list;
        const NvSNMPVarList& saved;
        ~Restore() { list.Assign(saved); }
    };
    ReadPlan plan;
    Outcome out;
    {
        Restore restore{list, saved};
        if (!selection.isEmpty()) {
            NvNumList<int> selected(QLatin1Char(','));
            selected.Parse(selection);
            for (int i = 0; i < list.Count(); ++i) {
                NvSNMPVarItem& item = list.Item(i);
                const int position = selected.IndexOf(i);
                if (position < 0) {
                    item.flags |= VAR_SKIP;
                } else {
                    item.flags &= ~uint32_t(VAR_SKIP);
                    if (position < values.size())
                        item.value = values[position];
                }
            }
        }
        for (int i = 0; i < list.Count(); ++i)
            ApplyExpression(i, false);
        plan = buildPdu(Op::Write);
        if (!blocking) {
            list.Assign(saved);
            sendAsync(plan, decodeResponse, std::move(callback), userData);
            return false;
        }
        out = NvSNMPTransport::SendBlocking(plan.target, plan.command, plan.vbs);
    }
    const NvCodeText mapped = NvCatalog::MapResult(out.result);
    report(mapped.code, mapped.text, out.errorIndex, out.peer, &ok);
    if (decodeResponse && mapped.code == 0 && out.responded)
        return decode(out.vbs, plan.sentOids, 0, true, &ok, out.peer).rowRead;
    return false;
}

void NvSNMPRequest::sendAsync(const ReadPlan& plan, bool decodeResponse, NvSNMPCompletion callback,
                              void* userData)
{
    const std::shared_ptr<Guard> guard = m_guard;
    auto done = [guard, plan, decodeResponse, callback, userData](int fixedCode) {
        return [guard, plan, decodeResponse, callback, userData, fixedCode](const Outcome& o) {
            NvSNMPRequest* request = guard->request;
            if (!request)
                return; // destroyed: the late answer is dropped
            if (o.sessionClosed) {
                --request->pending; // the session went away: nothing to tell
                return;
            }
            const int code = fixedCode ? fixedCode : NvCatalog::MapResult(o.result).code;
            request->complete(plan, decodeResponse, callback, userData, code, o.errorIndex, o.vbs,
                              o.responded, o.peer);
        };
    };
    // Counted before sending: the completion comes in every case, also after a failed send.
    ++pending;
    if (eventPump)
        eventPump->Wake();
    if (plan.unknownKind) {
        NvSNMPTransport::Defer(done(-515), Outcome());
        report(-515, NvCatalog::TextOfCode(-515), 0, NvSNMPDevice(), nullptr);
        return;
    }
    const int result = NvSNMPTransport::SendAsync(plan.target, plan.command, plan.vbs, done(0));
    if (result != 0) {
        const NvCodeText mapped = NvCatalog::MapResult(result);
        report(mapped.code, mapped.text, 0, NvSNMPDevice(), nullptr);
    }
}

void NvSNMPRequest::complete(const ReadPlan& plan, bool decodeResponse,
                             const NvSNMPCompletion& callback, void* userData, int code,
                             int errorIndex, const QVector<NvSNMPVb>& vbs, bool responded,
                             const NvSNMPDevice& peer)
{
    // Before the callback: a request destroyed inside its own completion must not wait for it.
    --pending;
    NvSNMPError error;
    error.errorIndex = errorIndex;
    error.peer = responded ? peer : NvSNMPDevice();
    error.final = true;
    const bool read = plan.op != Op::Write;
    bool missing = false;
    if (code == 0 && responded && plan.command == Command::Get) {
        if (const int index = firstMissing(vbs)) {
            code = -102;
            error.errorIndex = index;
            missing = true;
        }
    }
    QString message;
    try {
        // A write that failed with noSuchName is a failure, whatever the items' last read said.
        const bool walkEnd = read && code == -102 && list.IsTable();
        if ((code == 0 && decodeResponse) || walkEnd || missing) {
            const DecodeResult decoded =
                decode(responded ? vbs : plan.vbs, plan.sentOids, code, false, nullptr, peer);
            error.final = decoded.final;
            code = decoded.code;
        }
        message = NvCatalog::TextOfCode(code);
    } catch (const NvError& e) {
        code = e.code();
        message = e.message();
        error.final = true;
    } catch (...) {
        code = -528;
        message = NvCatalog::TextOfCode(code);
        error.final = true;
    }
    error.code = code;
    error.message = message;
    if (!callback)
        return;
    const std::shared_ptr<Guard> guard = m_guard;
    try {
        callback(userData, error, list);
    } catch (const NvError& e) {
        if (NvSNMPRequest* request = guard->request)
            request->report(e.code(), e.message(), 0, NvSNMPDevice(), nullptr);
    }
}

QString NvSNMPRequest::ExpandExpression(const QString& text, bool quoteTexts, QChar marker)
{
    QString out;
    out.reserve(text.size());
    for (int pos = 0; pos < text.size();) {
        if (text[pos] != marker || pos + 1 >= text.size() || !text[pos + 1].isDigit()) {
            out += text[pos++];
            continue;
        }
        int end = pos + 1;
        while (end < text.size() && text[end].isDigit())
            ++end;
        bool fits = false;
        const int n = text.mid(pos + 1, end - pos - 1).toInt(&fits);
        if (!fits || n >= list.Count())
            throw NvError::FromCode(-513);
        const NvSNMPVarItem& item = list.Item(n);
        const QString value = item.options ? item.options->TextToValue(item.value) : item.value;
        if (value == kNull)
            throw NvError::FromCode(-512);
        if (isBooleanSyntax(item.syntax))
            out += value == QLatin1String("true") ? QLatin1Char('1') : QLatin1Char('0');
        else if (isNumericSyntax(item.syntax))
            out += value;
        else if (item.syntax == SYN_TIMETICKS)
            out += QString::number(TextToTimeTicks(value));
        else if (item.syntax == SYN_DATETIME_REAL)
            out += RealToText(NvSNMPValueCodec::TextToDayCount(value));
        else if (quoteTexts)
            out += QLatin1Char('"') +
                   QString(value).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                   QLatin1Char('"');
        else
            throw NvError::FromCode(-513);
        pos = end;
    }
    return out;
}

QString NvSNMPRequest::DecodeIndex(int k, const QString& suffix)
{
    NvSNMPVarItem& item = list.Item(k);
    const bool lastImplied = k == list.keyCount - 1 && list.IsImplied(k);
    QString value;
    const QString rest = NvSNMPValueCodec::DecodeIndex(item.syntax, suffix, lastImplied, value);
    item.value = item.options ? item.options->ValueToText(value) : value;
    return rest;
}

QString NvSNMPRequest::EncodeIndex(int k)
{
    const NvSNMPVarItem& item = list.Item(k);
    const bool lastImplied = k == list.keyCount - 1 && list.IsImplied(k);
    const QString value = item.options ? item.options->TextToValue(item.value) : item.value;
    return NvSNMPValueCodec::EncodeIndex(item.syntax, value, lastImplied);
}

void NvSNMPRequest::ValueFromVb(int i, const NvSNMPVb& vb)
{
    NvSNMPVarItem& item = list.Item(i);
    const QString text = NvSNMPValueCodec::ValueText(item.syntax, vb);
    item.value = item.options ? item.options->ValueToText(text) : text;
}

void NvSNMPRequest::ValueToVb(int i, NvSNMPVb& vb)
{
    const NvSNMPVarItem& item = list.Item(i);
    const QString text = item.options ? item.options->TextToValue(item.value) : item.value;
    NvSNMPValueCodec::FillVb(item.syntax, text, vb);
}

void NvSNMPRequest::ApplyExpression(int i, bool afterRead)
{
    NvSNMPVarItem& item = list.Item(i);
    const std::optional<QString>& expression = afterRead ? item.getExpr : item.setExpr;
    if (!expression || expression->isEmpty())
        return;
    const double value = NvExpression::Evaluate(ExpandExpression(*expression, false, '$'));
    QString text;
    switch (item.syntax) {
    case SYN_BOOLEAN:
    case SYN_BOOL8:
    case SYN_BOOL16:
        text = value != 0 ? QStringLiteral("true") : QStringLiteral("false");
        break;
    case SYN_INTEGER:
    case SYN_INT8:
    case SYN_INT16:
        text = truncatedText(value, -2147483648.0, 2147483647.0);
        break;
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
    case SYN_UINT8:
    case SYN_UINT16:
        text = truncatedText(value, 0, 4294967295.0);
        break;
    case SYN_TIMETICKS:
        text = TimeTicksToText(static_cast<uint32_t>(
            std::trunc(value < 0 ? 0 : (value > 4294967295.0 ? 4294967295.0 : value))));
        break;
    case SYN_COUNTER64:
        text =
            QString::number(value > 0 ? static_cast<unsigned long long>(std::trunc(value)) : 0ull);
        break;
    case SYN_DOUBLE:
        text = RealToText(value);
        break;
    case SYN_DATETIME_REAL:
        text = NvSNMPValueCodec::DayCountToText(value);
        break;
    case SYN_DATEANDTIME:
        text = dayCountToDateAndTime(value);
        break;
    default:
        throw NvError::FromCode(-513);
    }
    item.value = item.options ? item.options->ValueToText(text) : text;
}

bool NvSNMPRequest::EvaluateCondition(const QString& text)
{
    if (text.isEmpty())
        return true;
    return NvExpression::Evaluate(ExpandExpression(text, true, '$')) != 0;
}

bool NvSNMPRequest::IsColumnFinished(const QString& base, const QString& previousOid,
                                     const QString& returnedOid)
{
    if (list.kind == LIST_SCALAR || list.kind == LIST_INSTANCE)
        return false;
    // Below base means base followed by a dot: column 1's base must not claim column 10.
    const bool below = returnedOid.size() > base.size() + 1 && returnedOid.startsWith(base) &&
                       returnedOid[base.size()] == QLatin1Char('.');
    if (!below)
        return true;
    // An agent that makes no progress, or goes backwards, ends the column: a walk can never
    // go round in circles.
    return !previousOid.isEmpty() && compareOids(returnedOid, previousOid) <= 0;
}
