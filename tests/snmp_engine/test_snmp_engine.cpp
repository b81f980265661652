// The request engine against net-snmp's snmpd: reads, writes and walks in every version and
// security level, the errors the engine raises and reports, and the asynchronous life cycle.

#include "NvCatalog.h"
#include "NvError.h"
#include "NvSNMPRequest.h"
#include "NvSyntax.h"
#include "SnmpdFixture.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>
#include <vector>

Q_DECLARE_METATYPE(NvSNMPSecurity)

namespace {

const char kSysDescr[] = "1.3.6.1.2.1.1.1";
const char kSysObjectId[] = "1.3.6.1.2.1.1.2";
const char kSysUpTime[] = "1.3.6.1.2.1.1.3";
const char kSysContact[] = "1.3.6.1.2.1.1.4";
const char kSysName[] = "1.3.6.1.2.1.1.5";
const char kSysLocation[] = "1.3.6.1.2.1.1.6";
const char kMissing[] = "1.3.6.1.2.1.1.99";
const char kSysOrId[] = "1.3.6.1.2.1.1.9.1.2";
const char kSysOrUpTime[] = "1.3.6.1.2.1.1.9.1.4";

struct Item
{
    const char* oid;
    uint32_t syntax;
    uint32_t flags;
};

// A variable list as a page builds it from its table.
NvSNMPVarList makeList(std::initializer_list<Item> items, uint8_t kind, int keyCount = 0)
{
    std::vector<NvSNMPVarRecord> table;
    for (const Item& item : items)
        table.push_back({item.oid, "", item.syntax, item.flags, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr});
    table.push_back({nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr});
    return NvSNMPVarList(table.data(), kind, keyCount);
}

NvSNMPVarList systemList()
{
    return makeList({{kSysDescr, SYN_DISPLAYSTRING, VAR_READ},
                     {kSysObjectId, SYN_OID, VAR_READ},
                     {kSysUpTime, SYN_TIMETICKS, VAR_READ},
                     {kSysName, SYN_DISPLAYSTRING, VAR_READWRITE}},
                    LIST_SCALAR);
}

// sysORTable: the index comes from the row, two columns are read.
NvSNMPVarList sysOrTable(int keyCount = 1)
{
    return makeList({{" ", SYN_INTEGER, VAR_KEY},
                     {kSysOrId, SYN_OID, VAR_READ},
                     {kSysOrUpTime, SYN_TIMETICKS, VAR_READ}},
                    LIST_TABLE, keyCount);
}

struct Snapshot
{
    QVector<uint32_t> flags;
    QStringList values;
    QStringList instanceOids;

    explicit Snapshot(const NvSNMPVarList& list)
    {
        for (int i = 0; i < list.Count(); ++i) {
            flags.append(list.Item(i).flags);
            values.append(list.Item(i).value);
            instanceOids.append(list.Item(i).instanceOid);
        }
    }
    bool operator==(const Snapshot& o) const
    {
        return flags == o.flags && values == o.values && instanceOids == o.instanceOids;
    }
};

// Records what a request reports and what its completions deliver.
struct Recorder
{
    QVector<NvSNMPError> reports;
    QVector<NvSNMPError> completions;

    void Attach(NvSNMPRequest& request)
    {
        request.statusCallback = [this](const NvSNMPError& e) { reports.append(e); };
    }
    NvSNMPCompletion Completion()
    {
        return [this](void*, const NvSNMPError& e, NvSNMPVarList&) { completions.append(e); };
    }
};

} // namespace

class TestSnmpEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void read_data();
    void read();
    void write_data();
    void write();
    void writeSelectionLeavesListAsBefore();
    void failedTableWriteIsNoSuccess();
    void walk_data();
    void walk();
    void asyncWalk_data();
    void asyncWalk();
    void missingVariableInGet_data();
    void missingVariableInGet();
    void missingVariableInAsyncGet();
    void wrongCredentials_data();
    void wrongCredentials();
    void changedPasswordIsNotIgnored_data();
    void changedPasswordIsNotIgnored();
    void timeoutAgainstSilentPort_data();
    void timeoutAgainstSilentPort();
    void invalidAddressRaisesBeforeSending_data();
    void invalidAddressRaisesBeforeSending();
    void readNextOfSingleValueListRaises_data();
    void readNextOfSingleValueListRaises();
    void rowIndexShorterThanKeysRaises();
    void unknownListKind();
    void asyncCompletionRunsFromPump();
    void requestMayBeDestroyedInItsCompletion();
    void blockingGetDoesNotRunOtherCompletions();
    void failedAsyncSendCompletesThroughPump();
    void destructionWaitsForOutstandingRead();
    void destructionDropsLateCompletion();
    void exceptionInCompletionStaysInEngine();

private:
    void target(NvSNMPRequest& request, const NvSNMPSecurity& security) const;
    // A variable's value as net-snmp's snmpget shows it (numeric OIDs, strings unquoted).
    QString peerValue(const char* oid) const;
    static NvSNMPSecurity access(const QString& name);

    SnmpdFixture m_snmpd;
    QTemporaryDir m_state;
    QString m_sysDescr;
    QString m_sysObjectId;
};

void TestSnmpEngine::initTestCase()
{
    QString error;
    QVERIFY2(m_snmpd.Start(&error), qPrintable(error));
    QVERIFY(m_state.isValid());
    StartSession(m_state.path());
    // What net-snmp's own client reads, to compare the engine's decoding with.
    m_sysDescr = peerValue("1.3.6.1.2.1.1.1.0");
    m_sysObjectId = peerValue("1.3.6.1.2.1.1.2.0");
    if (m_sysObjectId.startsWith(QLatin1Char('.')))
        m_sysObjectId = m_sysObjectId.mid(1);
    QVERIFY(!m_sysDescr.isEmpty());
    QVERIFY(m_sysObjectId.startsWith(QLatin1String("1.3.6.1.4.1.")));
}

void TestSnmpEngine::cleanupTestCase()
{
    StopSession();
    m_snmpd.Stop();
}

void TestSnmpEngine::init()
{
    NvSNMPRequest::destroyWaitMs = 6000;
}

QString TestSnmpEngine::peerValue(const char* oid) const
{
    QString value = m_snmpd
                        .RunTool(QStringLiteral("snmpget"), {"-v2c", "-cpublic", "-On", "-Oqv"},
                                 {QLatin1String(oid)})
                        .trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1).chopped(1);
    return value;
}

void TestSnmpEngine::target(NvSNMPRequest& request, const NvSNMPSecurity& security) const
{
    request.device = m_snmpd.device();
    request.security = security;
    request.timeout = 100;
    request.retries = 1;
}

NvSNMPSecurity TestSnmpEngine::access(const QString& name)
{
    if (name == QLatin1String("v1"))
        return SnmpdFixture::Community(SNMP_VERSION_CODE_1, QStringLiteral("public"));
    if (name == QLatin1String("v2c"))
        return SnmpdFixture::Community(SNMP_VERSION_CODE_2C, QStringLiteral("public"));
    if (name == QLatin1String("v2 (command line /v2)"))
        return SnmpdFixture::Community(SNMP_VERSION_CODE_2, QStringLiteral("public"));
    if (name == QLatin1String("v1 private"))
        return SnmpdFixture::Community(SNMP_VERSION_CODE_1, QStringLiteral("private"));
    if (name == QLatin1String("v2c private"))
        return SnmpdFixture::Community(SNMP_VERSION_CODE_2C, QStringLiteral("private"));
    if (name == QLatin1String("v3 MD5 authNoPriv"))
        return SnmpdFixture::User("md5user", AUTH_PROTOCOL_MD5, SnmpdFixture::kMd5Password,
                                  PRIV_PROTOCOL_NONE, QString(), SECURITY_LEVEL_AUTH_NOPRIV);
    if (name == QLatin1String("v3 SHA+DES authPriv"))
        return SnmpdFixture::User("desuser", AUTH_PROTOCOL_SHA, SnmpdFixture::kAuthPassword,
                                  PRIV_PROTOCOL_DES, SnmpdFixture::kDesPassword,
                                  SECURITY_LEVEL_AUTH_PRIV);
    if (name == QLatin1String("v3 SHA+AES authPriv"))
        return SnmpdFixture::User("aesuser", AUTH_PROTOCOL_SHA, SnmpdFixture::kAuthPassword,
                                  PRIV_PROTOCOL_AES, SnmpdFixture::kAesPassword,
                                  SECURITY_LEVEL_AUTH_PRIV);
    if (name == QLatin1String("v3 SHA-256+AES authPriv"))
        return SnmpdFixture::User("sha256user", AUTH_PROTOCOL_SHA256, SnmpdFixture::kSha256Password,
                                  PRIV_PROTOCOL_AES, SnmpdFixture::kAesPassword,
                                  SECURITY_LEVEL_AUTH_PRIV);
    qFatal("unknown access %s", qPrintable(name));
}

void TestSnmpEngine::read_data()
{
    QTest::addColumn<QString>("access");
    for (const char* name :
         {"v1", "v2c", "v2 (command line /v2)", "v3 MD5 authNoPriv", "v3 SHA+DES authPriv",
          "v3 SHA+AES authPriv", "v3 SHA-256+AES authPriv"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSnmpEngine::read()
{
    QFETCH(QString, access);
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    target(request, this->access(access));
    request.list = systemList();

    bool ok = true;
    QVERIFY(!request.Get(true, ok)); // a scalar list has no further rows
    QVERIFY2(ok, recorder.reports.isEmpty() ? "" : qPrintable(recorder.reports[0].message));
    QCOMPARE(request.errorCount, 0u);
    QCOMPARE(request.list.Item(0).value, m_sysDescr);
    QCOMPARE(request.list.Item(0).instanceOid, QStringLiteral("1.3.6.1.2.1.1.1.0"));
    QCOMPARE(request.list.Item(1).value, m_sysObjectId);
    QVERIFY2(QRegularExpression(QStringLiteral("^(\\d+ days?,? )?\\d+:\\d\\d:\\d\\d\\.\\d\\d$"))
                 .match(request.list.Item(2).value)
                 .hasMatch(),
             qPrintable(request.list.Item(2).value));
    QVERIFY(!request.list.Item(3).value.isEmpty());
}

void TestSnmpEngine::write_data()
{
    QTest::addColumn<QString>("access");
    for (const char* name : {"v1 private", "v2c private", "v3 SHA+DES authPriv",
                             "v3 SHA+AES authPriv", "v3 SHA-256+AES authPriv"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSnmpEngine::write()
{
    QFETCH(QString, access);
    static int serial = 0;
    const QString text = QStringLiteral("rack %1 (%2)").arg(++serial).arg(access);
    NvSNMPRequest writer;
    Recorder recorder;
    recorder.Attach(writer);
    target(writer, this->access(access));
    writer.list = makeList({{kSysLocation, SYN_DISPLAYSTRING, VAR_READWRITE}}, LIST_SCALAR);
    writer.list.Item(0).value = text;
    bool ok = true;
    QVERIFY(!writer.Set(ok));
    QVERIFY2(ok, recorder.reports.isEmpty() ? "" : qPrintable(recorder.reports[0].message));
    QCOMPARE(writer.list.Item(0).value, text);

    NvSNMPRequest reader;
    target(reader, this->access(QStringLiteral("v2c")));
    reader.list = makeList({{kSysLocation, SYN_DISPLAYSTRING, VAR_READ}}, LIST_SCALAR);
    reader.Get(true, ok);
    QVERIFY(ok);
    QCOMPARE(reader.list.Item(0).value, text);
}

void TestSnmpEngine::writeSelectionLeavesListAsBefore()
{
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    target(request, access(QStringLiteral("v2c private")));
    request.list = makeList({{kSysContact, SYN_DISPLAYSTRING, VAR_READWRITE},
                             {kSysName, SYN_DISPLAYSTRING, VAR_READWRITE},
                             {kSysDescr, SYN_DISPLAYSTRING, VAR_READ},
                             {kSysLocation, SYN_DISPLAYSTRING, VAR_READWRITE | VAR_SKIP}},
                            LIST_SCALAR);
    // Item 0 would change sysContact if it went out; item 3 is skipped until selected.
    request.list.Item(0).value = QStringLiteral("must not be written");
    request.list.Item(1).value = QStringLiteral("old name");
    request.list.Item(3).value = QStringLiteral("old location");
    const Snapshot before(request.list);
    const QString contactBefore = peerValue("1.3.6.1.2.1.1.4.0");

    bool ok = true;
    request.Set(ok, false, QStringLiteral("1,3"),
                {QStringLiteral("node-7"), QStringLiteral("hall B")});
    QVERIFY2(ok, recorder.reports.isEmpty() ? "" : qPrintable(recorder.reports[0].message));
    QVERIFY(Snapshot(request.list) == before);

    QCOMPARE(peerValue("1.3.6.1.2.1.1.5.0"), QStringLiteral("node-7"));
    QCOMPARE(peerValue("1.3.6.1.2.1.1.6.0"), QStringLiteral("hall B"));
    QCOMPARE(peerValue("1.3.6.1.2.1.1.4.0"), contactBefore);

    // A write that raises while it is built still puts the list back.
    request.device.address = QStringLiteral("999.1.1.1");
    QVERIFY_THROWS_EXCEPTION(NvError, request.Set(ok, false, QStringLiteral("1"), {"x"}));
    QVERIFY(Snapshot(request.list) == before);
}

void TestSnmpEngine::failedTableWriteIsNoSuccess()
{
    // An SNMPv1 agent refuses the write with noSuchName and echoes the OID, which is the one the
    // item's last read left behind: that must not pass for the end of a walk.
    NvSNMPRequest request;
    target(request, access(QStringLiteral("v1 private")));
    request.list = makeList(
        {{" ", SYN_INTEGER, VAR_KEY}, {"1.3.6.1.2.1.1.9.1.3", SYN_DISPLAYSTRING, VAR_READWRITE}},
        LIST_TABLE, 1);
    request.list.Item(0).value = QStringLiteral("1");
    request.list.Item(1).value = QStringLiteral("x");
    request.list.Item(1).instanceOid = QStringLiteral("1.3.6.1.2.1.1.9.1.3.1");
    Recorder recorder;
    request.SetAsync(recorder.Completion(), nullptr);
    QTRY_COMPARE(recorder.completions.size(), 1);
    QCOMPARE(recorder.completions[0].code, -102);
    QVERIFY(recorder.completions[0].final);

    Recorder blocking;
    blocking.Attach(request);
    bool ok = true;
    request.Set(ok);
    QVERIFY(!ok);
    QCOMPARE(blocking.reports.value(0).code, -102);
}

void TestSnmpEngine::walk_data()
{
    QTest::addColumn<QString>("access");
    QTest::addColumn<bool>("endOfView");
    // sysORUpTime is the last column of the last table of the "sysonly" view, so the request
    // after the last row runs out of the view.
    QTest::newRow("v1 ends on noSuchName") << QStringLiteral("v1") << false;
    QTest::newRow("v2c ends on endOfMibView") << QStringLiteral("v2c") << true;
    QTest::newRow("v3 SHA+AES") << QStringLiteral("v3 SHA+AES authPriv") << false;
}

void TestSnmpEngine::walk()
{
    QFETCH(QString, access);
    QFETCH(bool, endOfView);
    NvSNMPSecurity security = this->access(access);
    if (security.version != SNMP_VERSION_CODE_3)
        security.readCommunity = QStringLiteral("sysonly");
    const QStringList expected =
        m_snmpd.RunTool(QStringLiteral("snmpwalk"), {"-v2c", "-cpublic", "-On", "-Oq"}, {kSysOrId})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(expected.size() >= 2);

    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    target(request, security);
    request.list = sysOrTable();
    QStringList rows;
    bool ok = true;
    for (bool more = request.Get(true, ok); more; more = request.Get(false, ok)) {
        QVERIFY(rows.size() < expected.size());
        rows.append(QStringLiteral(".%1.%2 %3")
                        .arg(QLatin1String(kSysOrId), request.list.Item(0).value,
                             QStringLiteral(".") + request.list.Item(1).value));
        QCOMPARE(request.list.Item(1).instanceOid,
                 QStringLiteral("%1.%2").arg(QLatin1String(kSysOrId), request.list.Item(0).value));
    }
    QVERIFY2(ok, recorder.reports.isEmpty() ? "" : qPrintable(recorder.reports[0].message));
    QCOMPARE(request.errorCount, 0u);
    QCOMPARE(rows, expected);
    if (endOfView) {
        QCOMPARE(request.list.Item(1).value, QStringLiteral("(NOTDONE)"));
        QCOMPARE(request.list.Item(2).value, QStringLiteral("(NOTDONE)"));
    }
}

void TestSnmpEngine::asyncWalk_data()
{
    walk_data();
}

void TestSnmpEngine::asyncWalk()
{
    QFETCH(QString, access);
    NvSNMPSecurity security = this->access(access);
    if (security.version != SNMP_VERSION_CODE_3)
        security.readCommunity = QStringLiteral("sysonly");
    const int expectedRows =
        m_snmpd.RunTool(QStringLiteral("snmpwalk"), {"-v2c", "-cpublic", "-On"}, {kSysOrId})
            .count(QLatin1Char('\n'));

    NvSNMPRequest request;
    target(request, security);
    request.list = sysOrTable();
    int rows = 0;
    bool done = false;
    NvSNMPError last;
    NvSNMPCompletion next;
    next = [&](void* userData, const NvSNMPError& error, NvSNMPVarList&) {
        QCOMPARE(userData, static_cast<void*>(&rows));
        last = error;
        if (error.code != 0 || error.final) {
            done = true;
            return;
        }
        ++rows;
        request.GetAsync(next, &rows, false);
    };
    request.GetAsync(next, &rows, true);
    QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
    QCOMPARE(last.code, 0);
    QCOMPARE(last.message, NvCatalog::TextOfCode(0));
    QVERIFY(last.final);
    QCOMPARE(rows, expectedRows);
    QCOMPARE(request.pending, 0);
}

void TestSnmpEngine::missingVariableInGet_data()
{
    QTest::addColumn<QString>("access");
    QTest::addColumn<bool>("valuesKept");
    // SNMPv1 agents refuse the whole request; later versions answer the others.
    QTest::newRow("v1 noSuchName") << QStringLiteral("v1") << false;
    QTest::newRow("v2c noSuchObject") << QStringLiteral("v2c") << true;
    QTest::newRow("v3 noSuchObject") << QStringLiteral("v3 SHA+DES authPriv") << true;
}

void TestSnmpEngine::missingVariableInGet()
{
    QFETCH(QString, access);
    QFETCH(bool, valuesKept);
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    target(request, this->access(access));
    request.list = makeList({{kSysDescr, SYN_DISPLAYSTRING, VAR_READ},
                             {kMissing, SYN_INTEGER, VAR_READ},
                             {kSysObjectId, SYN_OID, VAR_READ}},
                            LIST_SCALAR);
    bool ok = true;
    request.Get(true, ok);
    QVERIFY(!ok);
    QCOMPARE(recorder.reports.size(), 1);
    QCOMPARE(recorder.reports[0].code, -102);
    QCOMPARE(recorder.reports[0].message, QStringLiteral("(SNMP) Variable does not exist!"));
    QCOMPARE(recorder.reports[0].errorIndex, 2);
    QCOMPARE(request.list.Item(1).value, QStringLiteral("(NULL)"));
    if (valuesKept) {
        QCOMPARE(request.list.Item(0).value, m_sysDescr);
        QCOMPARE(request.list.Item(2).value, m_sysObjectId);
    }
}

void TestSnmpEngine::missingVariableInAsyncGet()
{
    NvSNMPRequest request;
    Recorder recorder;
    target(request, access(QStringLiteral("v2c")));
    request.list = makeList(
        {{kMissing, SYN_DISPLAYSTRING, VAR_READ}, {kSysDescr, SYN_DISPLAYSTRING, VAR_READ}},
        LIST_INSTANCE);
    request.list.Item(0).oid += QStringLiteral(".0");
    request.list.Item(1).oid += QStringLiteral(".0");
    request.GetAsync(recorder.Completion(), nullptr, true);
    QTRY_COMPARE(recorder.completions.size(), 1);
    QCOMPARE(recorder.completions[0].code, -102);
    QCOMPARE(recorder.completions[0].errorIndex, 1);
    QVERIFY(recorder.completions[0].final);
    QCOMPARE(request.list.Item(0).value, QString());
    QCOMPARE(request.list.Item(1).value, m_sysDescr);
}

void TestSnmpEngine::wrongCredentials_data()
{
    QTest::addColumn<NvSNMPSecurity>("security");
    QTest::addColumn<bool>("async");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    const NvSNMPSecurity wrongPassword =
        SnmpdFixture::User("aesuser", AUTH_PROTOCOL_SHA, QStringLiteral("not the password"),
                           PRIV_PROTOCOL_AES, SnmpdFixture::kAesPassword, SECURITY_LEVEL_AUTH_PRIV);
    const NvSNMPSecurity unknownUser =
        SnmpdFixture::User("nobody", AUTH_PROTOCOL_SHA, SnmpdFixture::kAuthPassword,
                           PRIV_PROTOCOL_NONE, QString(), SECURITY_LEVEL_AUTH_NOPRIV);
    const QString authFailure = QStringLiteral("(SNMPv3USM) Authentication failure!");
    const QString unknownName = QStringLiteral("(SNMPv3USM) Unknown SecurityName!");
    QTest::newRow("wrong auth password") << wrongPassword << false << -308 << authFailure;
    QTest::newRow("wrong auth password, async") << wrongPassword << true << -308 << authFailure;
    QTest::newRow("unknown user") << unknownUser << false << -304 << unknownName;
    QTest::newRow("unknown user, async") << unknownUser << true << -304 << unknownName;
}

void TestSnmpEngine::wrongCredentials()
{
    QFETCH(NvSNMPSecurity, security);
    QFETCH(bool, async);
    QFETCH(int, code);
    QFETCH(QString, message);
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    target(request, security);
    request.list = systemList();
    NvSNMPError error;
    if (async) {
        request.GetAsync(recorder.Completion(), nullptr, true);
        QTRY_COMPARE(recorder.completions.size(), 1);
        error = recorder.completions[0];
        QCOMPARE(error.sequence, 0u);
    } else {
        bool ok = true;
        request.Get(true, ok);
        QVERIFY(!ok);
        QCOMPARE(recorder.reports.size(), 1);
        error = recorder.reports[0];
        QCOMPARE(error.sequence, 1u);
        QCOMPARE(request.errorCount, 1u);
    }
    QCOMPARE(error.code, code);
    QCOMPARE(error.message, message);
}

void TestSnmpEngine::changedPasswordIsNotIgnored_data()
{
    QTest::addColumn<bool>("async");
    QTest::newRow("blocking") << false;
    QTest::newRow("async") << true;
}

void TestSnmpEngine::changedPasswordIsNotIgnored()
{
    // net-snmp keeps one user entry per engine and name for the whole process: a second
    // request for the same user with a wrong password must not borrow the first one's keys,
    // also when its session starts with the engine ID already known.
    QFETCH(bool, async);
    const NvSNMPSecurity right = access(QStringLiteral("v3 SHA+DES authPriv"));
    NvSNMPSecurity wrong = right;
    wrong.authPassword = QStringLiteral("an old password");
    for (const NvSNMPSecurity& security : {right, wrong, right}) {
        NvSNMPRequest request;
        Recorder recorder;
        recorder.Attach(request);
        target(request, security);
        request.list = systemList();
        int code = 0;
        if (async) {
            request.GetAsync(recorder.Completion(), nullptr, true);
            QTRY_COMPARE(recorder.completions.size(), 1);
            code = recorder.completions[0].code;
        } else {
            bool ok = true;
            request.Get(true, ok);
            code = ok ? 0 : recorder.reports.value(0).code;
        }
        const bool isRight = security.authPassword == right.authPassword;
        QCOMPARE(code, isRight ? 0 : -308);
    }
}

void TestSnmpEngine::timeoutAgainstSilentPort_data()
{
    QTest::addColumn<NvSNMPSecurity>("security");
    QTest::addColumn<bool>("async");
    const NvSNMPSecurity v2c = access(QStringLiteral("v2c"));
    // SNMPv3 first has to discover the engine, which times out the same way.
    const NvSNMPSecurity v3 = access(QStringLiteral("v3 SHA+AES authPriv"));
    QTest::newRow("v2c") << v2c << false;
    QTest::newRow("v2c async") << v2c << true;
    QTest::newRow("v3") << v3 << false;
    QTest::newRow("v3 async") << v3 << true;
}

void TestSnmpEngine::timeoutAgainstSilentPort()
{
    QFETCH(NvSNMPSecurity, security);
    QFETCH(bool, async);
    SilentPeer silent;
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    request.device = silent.device();
    request.security = security;
    request.timeout = 20;
    request.retries = 2;
    request.list = systemList();
    NvSNMPError error;
    int received = 0;
    if (async) {
        request.GetAsync(recorder.Completion(), nullptr, true);
        // An asynchronous call returns before any retry: it never waits for the agent, not
        // even to discover an SNMPv3 engine.
        received = silent.TakeReceived();
        QVERIFY2(received <= 1, qPrintable(QString::number(received)));
        QTRY_COMPARE(recorder.completions.size(), 1);
        error = recorder.completions[0];
        QVERIFY(error.final);
    } else {
        bool ok = true;
        request.Get(true, ok);
        QVERIFY(!ok);
        QCOMPARE(recorder.reports.size(), 1);
        error = recorder.reports[0];
        // A failed read leaves the scalars without values.
        QCOMPARE(request.list.Item(1).value, QStringLiteral("(NULL)"));
        QCOMPARE(request.list.Item(0).value, QString());
    }
    QCOMPARE(error.code, -405);
    QCOMPARE(error.message, QStringLiteral("(SNMPClass) SNMP request timed out!"));
    // The first try and every retry reached the port, no more.
    QCOMPARE(received + silent.TakeReceived(), request.retries + 1);
}

void TestSnmpEngine::invalidAddressRaisesBeforeSending_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("out of range") << QStringLiteral("999.1.1.1");
    QTest::newRow("three numbers") << QStringLiteral("10.1.2");
    QTest::newRow("unresolvable name") << QStringLiteral("no-such-host.invalid");
    QTest::newRow("empty") << QString();
}

void TestSnmpEngine::invalidAddressRaisesBeforeSending()
{
    QFETCH(QString, address);
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    target(request, access(QStringLiteral("v2c")));
    request.device.address = address;
    request.list = systemList();
    const int outstanding = NvSNMPOutstandingCount();
    bool ok = true;
    for (int operation = 0; operation < 3; ++operation) {
        try {
            if (operation == 0)
                request.Get(true, ok);
            else if (operation == 1)
                request.GetAsync(recorder.Completion(), nullptr, true);
            else
                request.Set(ok);
            QFAIL("no error raised");
        } catch (const NvError& e) {
            QCOMPARE(e.code(), -509);
            QCOMPARE(e.message(), QStringLiteral("(NvSNMP++) Invalid IP Address or DNS name!"));
        }
    }
    QVERIFY(ok);
    QVERIFY(recorder.reports.isEmpty());
    QCOMPARE(request.errorCount, 0u);
    QCOMPARE(request.pending, 0);
    QCOMPARE(NvSNMPOutstandingCount(), outstanding);
}

void TestSnmpEngine::readNextOfSingleValueListRaises_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("scalar") << int(LIST_SCALAR);
    QTest::newRow("instance") << int(LIST_INSTANCE);
}

void TestSnmpEngine::readNextOfSingleValueListRaises()
{
    QFETCH(int, kind);
    NvSNMPRequest request;
    target(request, access(QStringLiteral("v2c")));
    request.list = systemList();
    request.list.kind = uint8_t(kind);
    bool ok = true;
    try {
        request.Get(false, ok);
        QFAIL("no error raised");
    } catch (const NvError& e) {
        QCOMPARE(e.code(), -510);
    }
}

void TestSnmpEngine::rowIndexShorterThanKeysRaises()
{
    // sysORTable has one index arc; a list that expects two keys cannot decode its rows.
    NvSNMPRequest request;
    target(request, access(QStringLiteral("v2c")));
    request.list = makeList(
        {{" ", SYN_INTEGER, VAR_KEY}, {" ", SYN_INTEGER, VAR_KEY}, {kSysOrId, SYN_OID, VAR_READ}},
        LIST_TABLE, 2);
    bool ok = true;
    try {
        request.Get(true, ok);
        QFAIL("no error raised");
    } catch (const NvError& e) {
        QCOMPARE(e.code(), -514);
    }
    // In a completion the same error is the completion's outcome.
    Recorder recorder;
    request.GetAsync(recorder.Completion(), nullptr, true);
    QTRY_COMPARE(recorder.completions.size(), 1);
    QCOMPARE(recorder.completions[0].code, -514);
    QCOMPARE(recorder.completions[0].message,
             QStringLiteral("(NvSNMP++) Bad key count of SNMP variable list!"));
    QVERIFY(recorder.completions[0].final);
}

void TestSnmpEngine::unknownListKind()
{
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    target(request, access(QStringLiteral("v2c private")));
    request.list = systemList();
    request.list.kind = 7;
    bool ok = true;
    QVERIFY(!request.Get(true, ok));
    QVERIFY(!ok);
    QCOMPARE(recorder.reports.size(), 1);
    QCOMPARE(recorder.reports[0].code, -515);

    const Snapshot before(request.list);
    try {
        request.Set(ok, false, QStringLiteral("3"), {QStringLiteral("x")});
        QFAIL("no error raised");
    } catch (const NvError& e) {
        QCOMPARE(e.code(), -515);
    }
    QVERIFY(Snapshot(request.list) == before);

    request.GetAsync(recorder.Completion(), nullptr, true);
    QVERIFY(recorder.completions.isEmpty());
    QTRY_COMPARE(recorder.completions.size(), 1);
    QCOMPARE(recorder.completions[0].code, -515);
    QCOMPARE(request.pending, 0);
}

void TestSnmpEngine::asyncCompletionRunsFromPump()
{
    NvSNMPRequest request;
    target(request, access(QStringLiteral("v3 SHA+AES authPriv")));
    request.list = systemList();
    int marker = 0;
    QVector<NvSNMPError> completions;
    NvSNMPVarList* delivered = nullptr;
    request.GetAsync(
        [&](void* userData, const NvSNMPError& e, NvSNMPVarList& list) {
            QCOMPARE(userData, static_cast<void*>(&marker));
            completions.append(e);
            delivered = &list;
        },
        &marker, true);
    QVERIFY(completions.isEmpty());
    QCOMPARE(request.pending, 1);
    QTRY_COMPARE(completions.size(), 1);
    QCOMPARE(request.pending, 0);
    QCOMPARE(completions[0].code, 0);
    QCOMPARE(completions[0].message, QStringLiteral("(NvSNMP++) Ok!"));
    QVERIFY(completions[0].final);
    QCOMPARE(completions[0].sequence, 0u);
    QCOMPARE(completions[0].peer, m_snmpd.device());
    QCOMPARE(delivered, &request.list);
    QCOMPARE(request.list.Item(0).value, m_sysDescr);
}

void TestSnmpEngine::requestMayBeDestroyedInItsCompletion()
{
    // A page closed from its completion handler: the request must not wait for the very
    // completion that is running.
    auto* request = new NvSNMPRequest;
    target(*request, access(QStringLiteral("v2c")));
    request->list = systemList();
    bool destroyed = false;
    request->GetAsync(
        [&](void*, const NvSNMPError& e, NvSNMPVarList&) {
            QCOMPARE(e.code, 0);
            QCOMPARE(request->pending, 0);
            delete request;
            destroyed = true;
        },
        nullptr, true);
    QTRY_VERIFY(destroyed);
}

void TestSnmpEngine::blockingGetDoesNotRunOtherCompletions()
{
    NvSNMPRequest background;
    target(background, access(QStringLiteral("v2c")));
    background.list = systemList();
    Recorder recorder;
    background.GetAsync(recorder.Completion(), nullptr, true);

    // The blocking read goes out after the asynchronous one, so that one's answer is in by the
    // time it returns; still it must not have run inside the blocking call.
    NvSNMPRequest blocking;
    target(blocking, access(QStringLiteral("v2c")));
    blocking.list = systemList();
    bool ok = true;
    blocking.Get(true, ok);
    QVERIFY(ok);
    blocking.Get(true, ok);
    QVERIFY(recorder.completions.isEmpty());
    QTRY_COMPARE(recorder.completions.size(), 1);
    QCOMPARE(recorder.completions[0].code, 0);
}

void TestSnmpEngine::failedAsyncSendCompletesThroughPump()
{
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    NvSNMPSecurity security = access(QStringLiteral("v3 SHA+AES authPriv"));
    security.authProtocol = 42;
    target(request, security);
    request.list = systemList();
    request.GetAsync(recorder.Completion(), nullptr, true);
    QCOMPARE(recorder.reports.size(), 1);
    QCOMPARE(recorder.reports[0].code, -312);
    QVERIFY(recorder.completions.isEmpty());
    QCOMPARE(request.pending, 1);
    QTRY_COMPARE(recorder.completions.size(), 1);
    QCOMPARE(recorder.completions[0].code, -312);
    QCOMPARE(recorder.completions[0].message,
             QStringLiteral("(SNMPv3USM) Unsupported AuthProtocol!"));
    QVERIFY(recorder.completions[0].final);
    QCOMPARE(request.pending, 0);
}

void TestSnmpEngine::destructionWaitsForOutstandingRead()
{
    SilentPeer silent;
    Recorder recorder;
    auto request = std::make_unique<NvSNMPRequest>();
    request->device = silent.device();
    request->security = access(QStringLiteral("v2c"));
    request->timeout = 30;
    request->retries = 0;
    request->list = systemList();
    bool aliveInCompletion = true;
    NvSNMPRequest* destroyed = request.get();
    request->GetAsync(
        [&](void*, const NvSNMPError& e, NvSNMPVarList&) {
            recorder.completions.append(e);
            aliveInCompletion = destroyed->alive;
        },
        nullptr, true);
    request.reset();
    QCOMPARE(recorder.completions.size(), 1);
    QCOMPARE(recorder.completions[0].code, -405);
    QVERIFY(!aliveInCompletion);
    QCOMPARE(NvSNMPOutstandingCount(), 0);
}

void TestSnmpEngine::destructionDropsLateCompletion()
{
    NvSNMPRequest::destroyWaitMs = 0;
    SilentPeer silent;
    Recorder recorder;
    auto request = std::make_unique<NvSNMPRequest>();
    request->device = silent.device();
    request->security = access(QStringLiteral("v2c"));
    request->timeout = 30;
    request->retries = 0;
    request->list = systemList();
    request->GetAsync(recorder.Completion(), nullptr, true);
    request.reset();
    // The time-out still comes; it must find no request (ASan watches the freed memory).
    QTRY_COMPARE(NvSNMPOutstandingCount(), 0);
    QVERIFY(recorder.completions.isEmpty());
}

void TestSnmpEngine::exceptionInCompletionStaysInEngine()
{
    NvSNMPRequest request;
    Recorder recorder;
    recorder.Attach(request);
    target(request, access(QStringLiteral("v2c")));
    request.list = systemList();
    int calls = 0;
    request.GetAsync(
        [&](void*, const NvSNMPError&, NvSNMPVarList&) {
            ++calls;
            throw NvError(-105, QStringLiteral("page failed"));
        },
        nullptr, true);
    request.GetAsync(
        [&](void*, const NvSNMPError&, NvSNMPVarList&) {
            ++calls;
            throw std::runtime_error("not an engine error");
        },
        nullptr, true);
    QTest::ignoreMessage(QtWarningMsg, "exception in an SNMP completion: not an engine error");
    QTRY_COMPARE(calls, 2);
    QCOMPARE(recorder.reports.size(), 1);
    QCOMPARE(recorder.reports[0].message, QStringLiteral("page failed"));
    // The pump goes on delivering.
    request.GetAsync(recorder.Completion(), nullptr, true);
    QTRY_COMPARE(recorder.completions.size(), 1);
    QCOMPARE(recorder.completions[0].code, 0);
}

QTEST_GUILESS_MAIN(TestSnmpEngine)
#include "test_snmp_engine.moc"
