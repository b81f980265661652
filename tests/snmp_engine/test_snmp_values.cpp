// The request's conversions without an agent: values by syntax, row-index arcs, the end of a
// walked column, and expressions.

#include "NvError.h"
#include "NvExpression.h"
#include "NvOptionList.h"
#include "NvSNMPRequest.h"
#include "NvSNMPValueCodec.h"
#include "NvSyntax.h"

#include <QTest>
#include <cstring>
#include <vector>

Q_DECLARE_METATYPE(NvSNMPVb)

namespace {

const NvOptionRow kEnableRows[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
const NvOptionList kEnable(kEnableRows);

NvSNMPVb number(uint8_t type, int64_t value)
{
    NvSNMPVb vb;
    vb.type = type;
    vb.integer = value;
    return vb;
}

NvSNMPVb octets(const QByteArray& bytes, uint8_t type = VB_OCTETS)
{
    NvSNMPVb vb;
    vb.type = type;
    vb.octets = bytes;
    return vb;
}

NvSNMPVb ofType(uint8_t type)
{
    NvSNMPVb vb;
    vb.type = type;
    return vb;
}

QByteArray doubleBytes(double value)
{
    QByteArray bytes(sizeof(double), '\0');
    std::memcpy(bytes.data(), &value, sizeof(double));
    return bytes;
}

// A request whose list holds one item of the syntax, optionally with an option list.
struct OneItem
{
    NvSNMPRequest request;

    OneItem(uint32_t syntax, const NvOptionList* options = nullptr, uint8_t kind = LIST_SCALAR,
            uint32_t flags = VAR_READWRITE)
    {
        const NvSNMPVarRecord table[] = {
            {"1.3.6.1.4.1.32473.9000.1", "item", syntax, flags, options, nullptr, nullptr, nullptr,
             nullptr, nullptr},
            {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
        };
        request.list = NvSNMPVarList(table, kind, kind >= LIST_TABLE ? 1 : 0);
    }
    NvSNMPVarItem& item() { return request.list.Item(0); }
};

} // namespace

class TestSnmpValues : public QObject
{
    Q_OBJECT

private slots:
    void valueFromVb_data();
    void valueFromVb();
    void valueToVb_data();
    void valueToVb();
    void valueToVbRefusesWhatCannotBeSent_data();
    void valueToVbRefusesWhatCannotBeSent();
    void encodeIndex_data();
    void encodeIndex();
    void decodeIndex_data();
    void decodeIndex();
    void indexGoesThroughOptions();
    void columnFinished_data();
    void columnFinished();
    void expressions_data();
    void expressions();
    void malformedExpressionsRaise_data();
    void malformedExpressionsRaise();
    void expandExpression();
    void applyExpressionStoresBySyntax();
    void conditions();
    void dayCountText_data();
    void dayCountText();
};

void TestSnmpValues::valueFromVb_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<NvSNMPVb>("vb");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << uint(SYN_INTEGER) << number(VB_INTEGER, -5) << "-5";
    // Counters read into an integer item stay unsigned above 2^31.
    QTest::newRow("integer from Counter32")
        << uint(SYN_INTEGER) << number(VB_COUNTER32, 3000000000) << "3000000000";
    QTest::newRow("integer from Gauge32")
        << uint(SYN_INTEGER) << number(VB_GAUGE32, 4294967295) << "4294967295";
    QTest::newRow("integer from TimeTicks")
        << uint(SYN_INTEGER) << number(VB_TIMETICKS, 2147483648) << "2147483648";
    QTest::newRow("integer, noSuchInstance")
        << uint(SYN_INTEGER) << ofType(VB_NOSUCHINSTANCE) << "(NULL)";
    QTest::newRow("boolean") << uint(SYN_BOOLEAN) << number(VB_INTEGER, 2) << "true";
    QTest::newRow("boolean false") << uint(SYN_BOOLEAN) << number(VB_INTEGER, 0) << "false";
    QTest::newRow("gauge") << uint(SYN_GAUGE32) << number(VB_GAUGE32, 4000000000) << "4000000000";
    QTest::newRow("time-ticks") << uint(SYN_TIMETICKS) << number(VB_TIMETICKS, 8640000)
                                << "1 day 0:00:00.00";
    NvSNMPVb big;
    big.type = VB_COUNTER64;
    big.counter64 = 18446744073709551615ull;
    QTest::newRow("counter64") << uint(SYN_COUNTER64) << big << "18446744073709551615";
    QTest::newRow("display string up to NUL")
        << uint(SYN_DISPLAYSTRING) << octets(QByteArray("ab\0cd", 5)) << "ab";
    QTest::newRow("display string UTF-8")
        << uint(SYN_DISPLAYSTRING) << octets(QByteArray("B\xC3\xBCro"))
        << QString::fromUtf8("Büro");
    QTest::newRow("display string, noSuchObject")
        << uint(SYN_DISPLAYSTRING) << ofType(VB_NOSUCHOBJECT) << "";
    QTest::newRow("octets, empty") << uint(SYN_OCTETS) << octets(QByteArray()) << "";
    QTest::newRow("mac address") << uint(SYN_MACADDRESS)
                                 << octets(QByteArray::fromHex("0011aabbccdd")) << "0011AABBCCDD";
    QTest::newRow("ip address") << uint(SYN_IPADDRESS)
                                << octets(QByteArray::fromHex("c0a80101"), VB_IPADDRESS)
                                << "192.168.1.1";
    NvSNMPVb oid;
    oid.type = VB_OID;
    oid.objectId = QStringLiteral("1.3.6.1.4.1.8072");
    QTest::newRow("oid") << uint(SYN_OID) << oid << "1.3.6.1.4.1.8072";
    QTest::newRow("null") << uint(SYN_NULL) << number(VB_INTEGER, 1) << "(NULL)";
    QTest::newRow("double") << uint(SYN_DOUBLE) << octets(doubleBytes(2.5)) << "2.5";
    QTest::newRow("double, too short") << uint(SYN_DOUBLE) << octets("1234") << "(NULL)";
    QTest::newRow("date and time") << uint(SYN_DATEANDTIME)
                                   << octets(QByteArray::fromHex("07d80b0d0a050000"
                                                                 "2b0800"))
                                   << "2008-11-13,10:5:0.0,+8:0";
    QTest::newRow("date and time, 8 octets")
        << uint(SYN_DATEANDTIME) << octets(QByteArray::fromHex("07d80b0d0a050000"))
        << "2008-11-13,10:5:0.0";
    QTest::newRow("day count") << uint(SYN_DATETIME_REAL) << octets(doubleBytes(39765.5))
                               << "2008/11/13 12:00:00 pm";
}

void TestSnmpValues::valueFromVb()
{
    QFETCH(uint, syntax);
    QFETCH(NvSNMPVb, vb);
    QFETCH(QString, expected);
    OneItem one(syntax);
    one.request.ValueFromVb(0, vb);
    QCOMPARE(one.item().value, expected);
}

void TestSnmpValues::valueToVb_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<QString>("text");
    QTest::addColumn<NvSNMPVb>("expected");
    QTest::newRow("integer") << uint(SYN_INTEGER) << "-12" << number(VB_INTEGER, -12);
    QTest::newRow("integer saturates")
        << uint(SYN_INTEGER) << "99999999999" << number(VB_INTEGER, 2147483647);
    QTest::newRow("boolean") << uint(SYN_BOOLEAN) << "true" << number(VB_INTEGER, 1);
    QTest::newRow("boolean, other text") << uint(SYN_BOOLEAN) << "yes" << number(VB_INTEGER, 0);
    QTest::newRow("counter goes out as Gauge32")
        << uint(SYN_COUNTER32) << "4000000000" << number(VB_GAUGE32, 4000000000);
    QTest::newRow("time-ticks") << uint(SYN_TIMETICKS) << "1 day 0:00:01.00"
                                << number(VB_TIMETICKS, 8640100);
    QTest::newRow("null text") << uint(SYN_INTEGER) << "(NULL)" << ofType(VB_NULL);
    QTest::newRow("octets") << uint(SYN_OCTETS) << "00 a0 c5"
                            << octets(QByteArray::fromHex("00a0c5"));
    QTest::newRow("display string") << uint(SYN_DISPLAYSTRING) << QString::fromUtf8("Büro")
                                    << octets(QByteArray("B\xC3\xBCro"));
    QTest::newRow("nsap goes out as IpAddress")
        << uint(SYN_NSAP) << "10.0.0.1" << octets(QByteArray::fromHex("0a000001"), VB_IPADDRESS);
    QTest::newRow("double") << uint(SYN_DOUBLE) << "2.5" << octets(doubleBytes(2.5));
    QTest::newRow("date and time") << uint(SYN_DATEANDTIME) << "2008-11-13,10:5:0.0,-8:0"
                                   << octets(QByteArray::fromHex("07d80b0d0a0500002d0800"));
    NvSNMPVb c64;
    c64.type = VB_COUNTER64;
    c64.counter64 = 5000000000ull;
    QTest::newRow("counter64") << uint(SYN_COUNTER64) << "5000000000" << c64;
}

void TestSnmpValues::valueToVb()
{
    QFETCH(uint, syntax);
    QFETCH(QString, text);
    QFETCH(NvSNMPVb, expected);
    OneItem one(syntax);
    one.item().value = text;
    NvSNMPVb vb;
    one.request.ValueToVb(0, vb);
    QCOMPARE(vb.type, expected.type);
    QCOMPARE(vb.integer, expected.integer);
    QCOMPARE(vb.counter64, expected.counter64);
    QCOMPARE(vb.octets.toHex(), expected.octets.toHex());
}

void TestSnmpValues::valueToVbRefusesWhatCannotBeSent_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<QString>("text");
    QTest::newRow("partial-data syntax") << uint(SYN_INT8) << "1";
    QTest::newRow("unknown syntax") << 0x99u << "1";
    QTest::newRow("ip address of three numbers") << uint(SYN_IPADDRESS) << "10.1.2";
    QTest::newRow("ip address out of range") << uint(SYN_IPADDRESS) << "10.1.2.300";
    QTest::newRow("oid with letters") << uint(SYN_OID) << "1.3.x";
    QTest::newRow("day count of no date") << uint(SYN_DATETIME_REAL) << "yesterday";
}

void TestSnmpValues::valueToVbRefusesWhatCannotBeSent()
{
    QFETCH(uint, syntax);
    QFETCH(QString, text);
    OneItem one(syntax);
    one.item().value = text;
    NvSNMPVb vb;
    try {
        one.request.ValueToVb(0, vb);
        QFAIL("no error raised");
    } catch (const NvError& e) {
        QCOMPARE(e.code(), -511);
    }
}

void TestSnmpValues::encodeIndex_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("implied");
    QTest::addColumn<QString>("arcs");
    QTest::newRow("display string") << uint(SYN_DISPLAYSTRING) << "ab" << false << "2.97.98";
    QTest::newRow("display string, implied") << uint(SYN_DISPLAYSTRING) << "ab" << true << "97.98";
    QTest::newRow("octets") << uint(SYN_OCTETS) << "0A0B" << false << "2.10.11";
    QTest::newRow("integer") << uint(SYN_INTEGER) << "7" << false << "7";
    QTest::newRow("negative integer") << uint(SYN_INTEGER) << "-1" << false << "4294967295";
    QTest::newRow("boolean") << uint(SYN_BOOLEAN) << "true" << false << "1";
    QTest::newRow("ip address") << uint(SYN_IPADDRESS) << "192.168.0.254" << false
                                << "192.168.0.254";
    QTest::newRow("oid") << uint(SYN_OID) << "1.3.6" << false << "3.1.3.6";
    QTest::newRow("oid, implied") << uint(SYN_OID) << "1.3.6" << true << "1.3.6";
    QTest::newRow("mac address") << uint(SYN_MACADDRESS) << "0011223344FF" << false
                                 << "0.17.34.51.68.255";
    QTest::newRow("short mac address") << uint(SYN_MACADDRESS) << "0011" << false << "";
    QTest::newRow("time-ticks") << uint(SYN_TIMETICKS) << "0:00:01.00" << false << "100";
    QTest::newRow("counter64") << uint(SYN_COUNTER64) << "4294967298" << false << "1.2";
    QTest::newRow("date and time")
        << uint(SYN_DATEANDTIME) << "2008-11-13,10:5:0.0" << false << "7.216.11.13.10.5.0.0.43.0.0";
}

void TestSnmpValues::encodeIndex()
{
    QFETCH(uint, syntax);
    QFETCH(QString, value);
    QFETCH(bool, implied);
    QFETCH(QString, arcs);
    OneItem one(syntax, nullptr, LIST_TABLE, VAR_KEY | (implied ? uint32_t(VAR_IMPLIED) : 0u));
    one.item().value = value;
    QCOMPARE(one.request.EncodeIndex(0), arcs);
    if (implied || arcs.isEmpty())
        return;
    // The arcs decode to the same value, leaving what follows them.
    one.item().value.clear();
    QCOMPARE(one.request.DecodeIndex(0, arcs + QStringLiteral(".9")), QStringLiteral("9"));
    QCOMPARE(one.item().value, value);
}

void TestSnmpValues::decodeIndex_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("implied");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("rest");
    QTest::newRow("display string with rest")
        << uint(SYN_DISPLAYSTRING) << "2.97.98.5" << false << "ab"
        << "5";
    QTest::newRow("implied takes everything")
        << uint(SYN_DISPLAYSTRING) << "97.98.99" << true << "abc"
        << "";
    QTest::newRow("signed integer") << uint(SYN_INTEGER) << "4294967295.3" << false << "-1"
                                    << "3";
    QTest::newRow("unsigned gauge") << uint(SYN_GAUGE32) << "4294967295" << false << "4294967295"
                                    << "";
    QTest::newRow("ip address") << uint(SYN_IPADDRESS) << "10.0.0.1.7" << false << "10.0.0.1"
                                << "7";
    QTest::newRow("null takes no arcs") << uint(SYN_NULL) << "4.5" << false << "(NULL)"
                                        << "4.5";
}

void TestSnmpValues::decodeIndex()
{
    QFETCH(uint, syntax);
    QFETCH(QString, suffix);
    QFETCH(bool, implied);
    QFETCH(QString, value);
    QFETCH(QString, rest);
    OneItem one(syntax, nullptr, LIST_TABLE, VAR_KEY | (implied ? uint32_t(VAR_IMPLIED) : 0u));
    QCOMPARE(one.request.DecodeIndex(0, suffix), rest);
    QCOMPARE(one.item().value, value);
}

void TestSnmpValues::indexGoesThroughOptions()
{
    OneItem one(SYN_INTEGER, &kEnable, LIST_TABLE, VAR_KEY);
    QCOMPARE(one.request.DecodeIndex(0, QStringLiteral("1.4")), QStringLiteral("4"));
    QCOMPARE(one.item().value, QStringLiteral("Enable"));
    QCOMPARE(one.request.EncodeIndex(0), QStringLiteral("1"));
    // Values and writes go through the same list.
    one.request.ValueFromVb(0, number(VB_INTEGER, 0));
    QCOMPARE(one.item().value, QStringLiteral("Disable"));
    one.item().value = QStringLiteral("enable");
    NvSNMPVb vb;
    one.request.ValueToVb(0, vb);
    QCOMPARE(vb.integer, 1);
}

void TestSnmpValues::columnFinished_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<bool>("finished");
    const int table = LIST_TABLE;
    QTest::newRow("next row") << table << "1.3.6.1.2.1.2.2.1.1.1"
                              << "1.3.6.1.2.1.2.2.1.1.2" << false;
    QTest::newRow("first row") << table << ""
                               << "1.3.6.1.2.1.2.2.1.1.1" << false;
    QTest::newRow("next column") << table << "1.3.6.1.2.1.2.2.1.1.9"
                                 << "1.3.6.1.2.1.2.2.1.2.1" << true;
    QTest::newRow("same OID again") << table << "1.3.6.1.2.1.2.2.1.1.9"
                                    << "1.3.6.1.2.1.2.2.1.1.9" << true;
    QTest::newRow("backwards") << table << "1.3.6.1.2.1.2.2.1.1.9"
                               << "1.3.6.1.2.1.2.2.1.1.3" << true;
    QTest::newRow("row 10 after row 9") << table << "1.3.6.1.2.1.2.2.1.1.9"
                                        << "1.3.6.1.2.1.2.2.1.1.10" << false;
    // Column 1's base is a text prefix of column 10's OIDs.
    QTest::newRow("column 10 is not column 1") << table << "1.3.6.1.2.1.2.2.1.1.9"
                                               << "1.3.6.1.2.1.2.2.1.10.1" << true;
    QTest::newRow("the base itself") << table << ""
                                     << "1.3.6.1.2.1.2.2.1.1" << true;
    QTest::newRow("scalar lists never finish") << int(LIST_SCALAR) << ""
                                               << "1.3.6.1.2.1.4" << false;
    QTest::newRow("instance lists never finish") << int(LIST_INSTANCE) << "1.3.6.1.2.1.2.2.1.1.9"
                                                 << "1.3.6.1.2.1.2.2.1.1.9" << false;
}

void TestSnmpValues::columnFinished()
{
    QFETCH(int, kind);
    QFETCH(QString, previous);
    QFETCH(QString, returned);
    QFETCH(bool, finished);
    OneItem one(SYN_INTEGER, nullptr, uint8_t(kind));
    QCOMPARE(
        one.request.IsColumnFinished(QStringLiteral("1.3.6.1.2.1.2.2.1.1"), previous, returned),
        finished);
}

void TestSnmpValues::expressions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("precedence") << "1 + 2 * 3" << 7.0;
    QTest::newRow("parentheses") << "(1 + 2) * 3" << 9.0;
    QTest::newRow("unary minus") << "-2 * -3" << 6.0;
    QTest::newRow("division") << "7 / 2" << 3.5;
    QTest::newRow("div and mod") << "7 div 2 + 7 mod 4 + 9 % 5" << 10.0;
    QTest::newRow("comparison") << "3 >= 3" << 1.0;
    QTest::newRow("not equal") << "3 <> 3" << 0.0;
    QTest::newRow("logic") << "2 < 3 and (3 > 4 or true)" << 1.0;
    QTest::newRow("not") << "not false && !0" << 1.0;
    QTest::newRow("texts") << "\"a\"\"b\" = \"a\"\"b\"" << 1.0;
    QTest::newRow("exponent") << "1.5e2" << 150.0;
}

void TestSnmpValues::expressions()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(NvExpression::Evaluate(text), value);
}

void TestSnmpValues::malformedExpressionsRaise_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("dangling operator") << "1 +";
    QTest::newRow("unbalanced") << "(1 + 2";
    QTest::newRow("division by zero") << "1 / 0";
    QTest::newRow("text arithmetic") << "\"a\" + 1";
    QTest::newRow("text result") << "\"a\"";
    QTest::newRow("text against number") << "\"1\" = 1";
    QTest::newRow("trailing garbage") << "1 2";
    QTest::newRow("unterminated text") << "\"abc";
}

void TestSnmpValues::malformedExpressionsRaise()
{
    QFETCH(QString, text);
    try {
        NvExpression::Evaluate(text);
        QFAIL("no error raised");
    } catch (const NvError& e) {
        QCOMPARE(e.code(), -513);
    }
}

void TestSnmpValues::expandExpression()
{
    NvSNMPRequest request;
    const NvSNMPVarRecord table[] = {
        {"1.1", "", SYN_INTEGER, VAR_READ, nullptr, nullptr, nullptr, nullptr, "12", nullptr},
        {"1.2", "", SYN_BOOLEAN, VAR_READ, nullptr, nullptr, nullptr, nullptr, "true", nullptr},
        {"1.3", "", SYN_TIMETICKS, VAR_READ, nullptr, nullptr, nullptr, nullptr, "0:00:01.50",
         nullptr},
        {"1.4", "", SYN_DISPLAYSTRING, VAR_READ, nullptr, nullptr, nullptr, nullptr, "say \"hi\"",
         nullptr},
        {"1.5", "", SYN_INTEGER, VAR_READ, &kEnable, nullptr, nullptr, nullptr, "Enable", nullptr},
        {"1.6", "", SYN_INTEGER, VAR_READ, nullptr, nullptr, nullptr, nullptr, "(NULL)", nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    request.list = NvSNMPVarList(table, LIST_SCALAR, 0);
    QCOMPARE(request.ExpandExpression(QStringLiteral("$0+$1*$2-$4"), false, QLatin1Char('$')),
             QStringLiteral("12+1*150-1"));
    QCOMPARE(request.ExpandExpression(QStringLiteral("$3 = x"), true, QLatin1Char('$')),
             QStringLiteral("\"say \"\"hi\"\"\" = x"));
    QCOMPARE(request.ExpandExpression(QStringLiteral("$ 5$"), false, QLatin1Char('$')),
             QStringLiteral("$ 5$"));
    const struct
    {
        const char* text;
        int code;
    } failures[] = {{"$3", -513}, {"$5", -512}, {"$9", -513}};
    for (const auto& failure : failures) {
        try {
            request.ExpandExpression(QLatin1String(failure.text), false, QLatin1Char('$'));
            QFAIL(failure.text);
        } catch (const NvError& e) {
            QCOMPARE(e.code(), failure.code);
        }
    }
}

void TestSnmpValues::applyExpressionStoresBySyntax()
{
    NvSNMPRequest request;
    const NvSNMPVarRecord table[] = {
        {"1.1", "", SYN_INTEGER, VAR_READ, nullptr, "$0 * 2 + 0.9", "$0 - 1", nullptr, "21",
         nullptr},
        {"1.2", "", SYN_TIMETICKS, VAR_READ, nullptr, "$0 * 100", nullptr, nullptr, "", nullptr},
        {"1.3", "", SYN_BOOLEAN, VAR_READ, &kEnable, "$0 > 40", nullptr, nullptr, "", nullptr},
        {"1.4", "", SYN_DISPLAYSTRING, VAR_READ, nullptr, "1", nullptr, nullptr, "", nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    request.list = NvSNMPVarList(table, LIST_SCALAR, 0);
    request.ApplyExpression(0, true);
    QCOMPARE(request.list.Item(0).value, QStringLiteral("42"));
    request.ApplyExpression(1, true);
    QCOMPARE(request.list.Item(1).value, QStringLiteral("0:00:42.00"));
    request.ApplyExpression(2, true);
    QCOMPARE(request.list.Item(2).value, QStringLiteral("true"));
    request.ApplyExpression(0, false);
    QCOMPARE(request.list.Item(0).value, QStringLiteral("41"));
    try {
        request.ApplyExpression(3, true);
        QFAIL("no error raised");
    } catch (const NvError& e) {
        QCOMPARE(e.code(), -513);
    }
}

void TestSnmpValues::conditions()
{
    NvSNMPRequest request;
    const NvSNMPVarRecord table[] = {
        {"1.1", "", SYN_DISPLAYSTRING, VAR_READ, nullptr, nullptr, nullptr, nullptr, "guest",
         nullptr},
        {"1.2", "", SYN_INTEGER, VAR_READ, nullptr, nullptr, nullptr, nullptr, "3", nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    request.list = NvSNMPVarList(table, LIST_TABLE, 0);
    QVERIFY(request.EvaluateCondition(QString()));
    QVERIFY(request.EvaluateCondition(QStringLiteral("$0 = \"guest\" and $1 < 4")));
    QVERIFY(!request.EvaluateCondition(QStringLiteral("$0 <> \"guest\"")));
}

void TestSnmpValues::dayCountText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("dayCount");
    QTest::newRow("epoch") << "1899/12/30 12:00:00 am" << 0.0;
    QTest::newRow("noon") << "1899/12/30 12:00:00 pm" << 0.5;
    QTest::newRow("morning") << "2008/11/13 06:00:00 am" << 39765.25;
    QTest::newRow("before the epoch") << "1899/12/29 06:00:00 am" << -1.25;
}

void TestSnmpValues::dayCountText()
{
    QFETCH(QString, text);
    QFETCH(double, dayCount);
    QCOMPARE(NvSNMPValueCodec::TextToDayCount(text), dayCount);
    QCOMPARE(NvSNMPValueCodec::DayCountToText(dayCount), text);
}

QTEST_GUILESS_MAIN(TestSnmpValues)
#include "test_snmp_values.moc"
