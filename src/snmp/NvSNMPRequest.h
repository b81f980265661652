#pragma once

#include "NvSNMPSession.h"
#include "NvSNMPTypes.h"
#include "NvSNMPVarList.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <functional>
#include <memory>

// Called for every failure a request reports (code != 0); the binding layer also calls it with
// code 0 after a good blocking operation. Runs inside the operation that reports.
using NvSNMPStatusCallback = std::function<void(const NvSNMPError& error)>;

// The completion of GetAsync / SetAsync: runs later, from the event pump, with the outcome and
// the request's list. error.code is 0 on success; error.final says that no further GET-NEXT is
// due (always true for scalar and instance lists and for writes).
using NvSNMPCompletion =
    std::function<void(void* userData, const NvSNMPError& error, NvSNMPVarList& list)>;

// Turns one variable list into SNMP requests to one device and the answers back into the
// items' value texts.
//
// Lists and PDUs. The list kind decides the requests: LIST_SCALAR sends every readable item's
// OID + ".0" in one GET; LIST_INSTANCE sends the OIDs unchanged in one GET (one GET-NEXT when
// nextForInstances is set); LIST_TABLE and LIST_TABLE_ROWS walk the table one row per GET-NEXT,
// the first keyCount items forming the row index (decoded into the key items' values). Readable
// items (VAR_READ without VAR_SKIP) go into read PDUs, writable non-key items into write PDUs,
// in list order; answers are matched to items by position. Values travel as texts in the form of
// the item's syntax, mapped through the item's option list when it has one.
//
// Blocking and asynchronous. Get and Set block the calling (UI) thread for at most timeout ×
// (retries + 1); they never run the completions of other requests. GetAsync and SetAsync return
// at once; their completion runs from the 20 ms event pump, exactly once per call (also when the
// send failed), unless the request was destroyed and its wait ran out, in which case the late
// answer is dropped. pending counts a call until its completion starts, so a completion may
// destroy its own request. The first blocking request to an SNMPv3 agent (per user and target)
// discovers the agent's engine with a probe of its own; an asynchronous one discovers it
// through its own exchange and never blocks. Keys are derived once per password and localised
// once per engine, never per request.
//
// Errors. Operations that cannot be built raise NvError: -509 invalid address or unresolvable
// host name (before anything is sent), -510 read-next of a scalar or instance list, -511
// syntax the engine does not convert (or a value text that is no IpAddress, OID or date),
// -512/-513 expressions, -514 row index shorter than the key items, -515 unknown list kind
// (writes). Outcomes are NvSNMPError records: blocking operations report failures through
// statusCallback (and count them in errorCount); completions carry theirs in the record they
// are given. A GET answered with noSuchObject / noSuchInstance reports -102 ("Variable does not
// exist!") with the index of the first such binding, as an SNMPv1 agent's noSuchName does, and
// still decodes the values that came.
//
// Everything runs on the thread of the Qt event loop that StartSession ran on.
class NvSNMPRequest
{
public:
    // Copies the session defaults (device, scope, security, timeout); retries 1, empty list,
    // alive, nothing pending, no errors.
    NvSNMPRequest();
    // Sets alive false, then waits while operations are pending, at most destroyWaitMs (6 s),
    // letting their completions run (also processing the application's events); completions
    // that arrive later are dropped.
    virtual ~NvSNMPRequest();

    NvSNMPRequest(const NvSNMPRequest&) = delete;
    NvSNMPRequest& operator=(const NvSNMPRequest&) = delete;

    // Blocking read. first: the first request of a read (a GET, or the first GET-NEXT of a
    // walk); false: the next GET-NEXT of a walk. Sets ok to false on any reported error (never
    // to true). Returns true when a table row was read and the walk may go on.
    bool Get(bool first, bool& ok);
    // Asynchronous read; callback(userData, error, list) runs later from the pump.
    void GetAsync(NvSNMPCompletion callback, void* userData, bool first);

    // Blocking write. selection: comma-separated item indexes ("1,3"), empty = the items as
    // their flags say; values: the n-th text becomes the value of the n-th selected item
    // (missing texts leave the values as they are). Flags and values of the whole list are
    // restored afterwards, also when the write fails or raises. A write answered with
    // noSuchName stays an error (-102), also on table lists. decodeResponse: decode the
    // answer into the items as a read does (then the result tells whether a table row was
    // read); otherwise the result is false. Sets ok to false on any reported error.
    bool Set(bool& ok, bool decodeResponse = false, const QString& selection = QString(),
             const QStringList& values = QStringList());
    void SetAsync(NvSNMPCompletion callback, void* userData, bool decodeResponse = false,
                  const QString& selection = QString(), const QStringList& values = QStringList());

    // --- the virtual operations (in slot order) ---
    // Replaces marker + decimal digits n by the value of item n (booleans 1/0, numbers as they
    // are, time-ticks as the tick count, SYN_DATETIME_REAL as the day count; other syntaxes in
    // double quotes when quoteTexts, else -513). "(NULL)" raises -512.
    virtual QString ExpandExpression(const QString& text, bool quoteTexts, QChar marker);
    // Reads key item k's value from the front of a dotted row suffix; returns the rest.
    virtual QString DecodeIndex(int k, const QString& suffix);
    // The row-index arcs of key item k's value, as dotted text.
    virtual QString EncodeIndex(int k);
    // Stores a received binding in item i's value (by syntax, then through its option list).
    virtual void ValueFromVb(int i, const NvSNMPVb& vb);
    // Fills a binding from item i's value (through its option list, then by syntax).
    virtual void ValueToVb(int i, NvSNMPVb& vb);
    // Item i's getExpr (afterRead) or setExpr, evaluated and stored in its value; none: nothing.
    virtual void ApplyExpression(int i, bool afterRead);
    // An empty condition is true; otherwise it is expanded (marker "$", texts quoted) and
    // evaluated (see NvExpression.h).
    virtual bool EvaluateCondition(const QString& text);
    // Whether a walked column has ended: always false for scalar and instance lists; for tables
    // true unless returnedOid lies below base, and then whether it repeats previousOid.
    virtual bool IsColumnFinished(const QString& base, const QString& previousOid,
                                  const QString& returnedOid);

    // The OID an item is addressed by: oid, plus "." + list.instance when that is not empty.
    QString BaseOid(int i) const;
    // The current row index: EncodeIndex of the key items joined with ".".
    QString RowIndex();

    // How long the destructor waits for pending operations; tests shorten it.
    static int destroyWaitMs;

    NvSNMPStatusCallback statusCallback;
    bool nextForInstances = false;
    int32_t timeout; // hundredths of a second
    int32_t retries = 1;
    NvSNMPDevice device;
    NvSNMPScope scope;
    NvSNMPSecurity security;
    NvSNMPVarList list;
    QString rowCondition; // tested by the binding layer for every row read
    bool alive = true;    // false: every operation does nothing (blocking ones set ok false)
    int32_t pending = 0;  // asynchronous operations sent and not yet completed
    uint64_t errorCount = 0;

private:
    struct Guard;
    struct ReadPlan;
    struct DecodeResult;
    enum class Op
    {
        ReadFirst,
        ReadNext,
        Write
    };

    ReadPlan buildPdu(Op op);
    void report(int code, const QString& message, int errorIndex, const NvSNMPDevice& peer,
                bool* ok);
    DecodeResult decode(const QVector<NvSNMPVb>& vbs, const QVector<QString>& sentOids, int code,
                        bool blocking, bool* ok, const NvSNMPDevice& peer);
    void decodeRowIndex(QString suffix);
    bool write(bool blocking, bool& ok, bool decodeResponse, const QString& selection,
               const QStringList& values, NvSNMPCompletion callback, void* userData);
    void sendAsync(const ReadPlan& plan, bool decodeResponse, NvSNMPCompletion callback,
                   void* userData);
    void complete(const ReadPlan& plan, bool decodeResponse, const NvSNMPCompletion& callback,
                  void* userData, int code, int errorIndex, const QVector<NvSNMPVb>& vbs,
                  bool responded, const NvSNMPDevice& peer);

    std::shared_ptr<Guard> m_guard;
};
