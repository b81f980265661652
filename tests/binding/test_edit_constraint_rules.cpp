// The rules of the edit constraints without any edit: the specifier grammar, the characters
// each kind lets through and the checks on leaving.
#include "NvEditConstraint.h"
#include "NvError.h"
#include "NvNumList.h"

#include <QtTest>
#include <limits>

namespace {

const QString kLinePrefix =
    QStringLiteral("(NvCommon) Please enter a delimited number string with delimiter ");

} // namespace

class TestEditConstraintRules : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void malformed_data();
    void malformed();
    void splitFormat_data();
    void splitFormat();
    void firstOffending_data();
    void firstOffending();
    void leave_data();
    void leave();
    void unsignedList_data();
    void unsignedList();
};

void TestEditConstraintRules::parse_data()
{
    QTest::addColumn<QString>("specifier");
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<QChar>("delimiter");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QChar>("nextChar");
    QTest::addColumn<int>("width");

    const double dmax = std::numeric_limits<double>::max();
    const QChar none;
    QTest::newRow("text") << "%s" << QChar('s') << none << 0.0 << 0.0 << 0 << 0 << none << 0;
    QTest::newRow("hex") << "%h" << QChar('h') << none << 0.0 << 0.0 << 0 << 0 << none << 0;
    QTest::newRow("unsigned defaults")
        << "%u" << QChar('u') << none << 0.0 << 4294967295.0 << 0 << 0 << none << 0;
    QTest::newRow("signed defaults")
        << "%i" << QChar('i') << none << -2147483648.0 << 2147483647.0 << 0 << 0 << none << 0;
    QTest::newRow("real defaults")
        << "%f" << QChar('f') << none << -dmax << dmax << 0 << 0 << none << 0;
    QTest::newRow("list without upper limit")
        << "%n," << QChar('n') << QChar(',') << 0.0 << 4294967295.0 << 0 << 0 << none << 0;
    QTest::newRow("page range") << "%u{n1x4095}" << QChar('u') << none << 1.0 << 4095.0 << 0 << 0
                                << none << 0;
    QTest::newRow("large range") << "%u{n300x9999999}" << QChar('u') << none << 300.0 << 9999999.0
                                 << 0 << 0 << none << 0;
    QTest::newRow("options in any order")
        << "%i{x-1n-5.5}" << QChar('i') << none << -5.5 << -1.0 << 0 << 0 << none << 0;
    QTest::newRow("length with all three flags")
        << "%s{l8afn}" << QChar('s') << none << 0.0 << 0.0 << 8
        << int(CF_AUTO_NEXT | CF_FIXED | CF_NOT_EMPTY) << none << 0;
    QTest::newRow("dotted list of four") << "%n.{n0x255l4f}" << QChar('n') << QChar('.') << 0.0
                                         << 255.0 << 4 << int(CF_FIXED) << none << 0;
    QTest::newRow("width and next character")
        << "%h{w120e:}" << QChar('h') << none << 0.0 << 0.0 << 0 << 0 << QChar(':') << 120;
    QTest::newRow("next character may be a brace")
        << "%u{e}}" << QChar('u') << none << 0.0 << 4294967295.0 << 0 << 0 << QChar('}') << 0;
    QTest::newRow("list delimiter may be a percent sign")
        << "%n%" << QChar('n') << QChar('%') << 0.0 << 4294967295.0 << 0 << 0 << none << 0;
    QTest::newRow("empty options")
        << "%s{}" << QChar('s') << none << 0.0 << 0.0 << 0 << 0 << none << 0;
}

void TestEditConstraintRules::parse()
{
    QFETCH(QString, specifier);
    const EditConstraint_s c = NvEditConstraint::Parse(specifier);
    QTEST(c.letter, "letter");
    QTEST(c.delimiter, "delimiter");
    QTEST(c.minimum, "minimum");
    QTEST(c.maximum, "maximum");
    QTEST(c.length, "length");
    QTEST(int(c.flags), "flags");
    QTEST(c.nextChar, "nextChar");
    QTEST(c.width, "width");
}

void TestEditConstraintRules::malformed_data()
{
    QTest::addColumn<QString>("specifier");
    QTest::newRow("empty") << "";
    QTest::newRow("percent alone") << "%";
    QTest::newRow("no leading percent") << "u{n1}";
    QTest::newRow("unknown kind") << "%d";
    QTest::newRow("upper-case kind") << "%U";
    QTest::newRow("list without delimiter") << "%n";
    QTest::newRow("text after the kind") << "%ux";
    QTest::newRow("unclosed options") << "%u{n1";
    QTest::newRow("open brace alone") << "%u{";
    QTest::newRow("text after the options") << "%u{n1}x";
    QTest::newRow("unknown option") << "%u{q1}";
    QTest::newRow("minimum without number") << "%u{nx5}";
    QTest::newRow("maximum without number") << "%u{x}";
    QTest::newRow("length without digits") << "%s{la}";
    QTest::newRow("width without digits") << "%s{w}";
    QTest::newRow("next character missing") << "%s{e}";
    QTest::newRow("blank in the options") << "%u{n1 x5}";
    QTest::newRow("a fourth length flag is an option") << "%s{l4afnn}";
}

void TestEditConstraintRules::malformed()
{
    QFETCH(QString, specifier);
    try {
        NvEditConstraint::Parse(specifier);
        QFAIL("accepted");
    } catch (const NvError& error) {
        QCOMPARE(error.code(), -2);
        QCOMPARE(error.message(),
                 QStringLiteral("(NvCommon) Bad format specifier of edit's constraint!"));
    }
}

void TestEditConstraintRules::splitFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("specifiers");
    QTest::newRow("one") << "%u{n1x4095}" << QStringList{"%u{n1x4095}"};
    QTest::newRow("three") << "%s%h{l12}%u" << QStringList{"%s", "%h{l12}", "%u"};
    QTest::newRow("percent delimiter") << "%n%%u" << QStringList{"%n%", "%u"};
    QTest::newRow("leading text is a specifier") << "ab%u" << QStringList{"ab", "%u"};
    QTest::newRow("empty") << "" << QStringList{""};
}

void TestEditConstraintRules::splitFormat()
{
    QFETCH(QString, format);
    QTEST(NvEditConstraint::SplitFormat(format), "specifiers");
}

void TestEditConstraintRules::firstOffending_data()
{
    QTest::addColumn<QString>("specifier");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");

    QTest::newRow("u digits") << "%u"
                              << "0123456789" << -1;
    QTest::newRow("u letter") << "%u{n1x4095}"
                              << "12a" << 2;
    QTest::newRow("u minus") << "%u"
                             << "-1" << 0;
    QTest::newRow("u non-ASCII digit") << "%u" << QString::fromUtf8("1\u0663") << 1;
    QTest::newRow("i leading minus") << "%i"
                                     << "-12" << -1;
    QTest::newRow("i minus later") << "%i"
                                   << "1-2" << 1;
    QTest::newRow("i second minus") << "%i"
                                    << "--" << 1;
    QTest::newRow("f one dot") << "%f"
                               << "-1.5" << -1;
    QTest::newRow("f second dot") << "%f"
                                  << "1.5.2" << 3;
    QTest::newRow("f leading dot") << "%f"
                                   << ".5" << -1;
    QTest::newRow("f exponent") << "%f"
                                << "1e5" << 1;
    QTest::newRow("h 0x prefix") << "%h"
                                 << "0x1F" << 1;
    QTest::newRow("h space") << "%h"
                             << "1F 2" << 2;
    QTest::newRow("h both cases") << "%h"
                                  << "aBcDeF09" << -1;
    QTest::newRow("n dotted") << "%n."
                              << "10.0.0.1" << -1;
    QTest::newRow("n leading delimiter") << "%n."
                                         << ".1" << 0;
    QTest::newRow("n double delimiter") << "%n."
                                        << "1..2" << 2;
    QTest::newRow("n trailing delimiter") << "%n,"
                                          << "1," << -1;
    QTest::newRow("n other delimiter") << "%n,"
                                       << "1.2" << 1;
    QTest::newRow("s anything") << "%s"
                                << "a b-\t%" << -1;
}

void TestEditConstraintRules::firstOffending()
{
    QFETCH(QString, specifier);
    QFETCH(QString, text);
    QTEST(NvEditConstraint::FirstOffending(NvEditConstraint::Parse(specifier), text), "position");
}

void TestEditConstraintRules::leave_data()
{
    QTest::addColumn<QString>("specifier");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");

    const int alone = LeaveVerdict::LeftAlone;
    const int accepted = LeaveVerdict::Accepted;
    const int refused = LeaveVerdict::Refused;
    const QString range1to4095 =
        QStringLiteral("(NvCommon) Please enter a number between 1 and 4095!");

    QTest::newRow("NULL left alone") << "%u{n1x4095}"
                                     << "(NULL)" << alone << "";
    QTest::newRow("NOTDONE left alone") << "%s{l2f}"
                                        << "(NOTDONE)" << alone << "";
    QTest::newRow("empty left alone") << "%u{n1x4095}"
                                      << "" << alone << "";
    QTest::newRow("empty refused when not empty")
        << "%s{l4n}"
        << "" << refused << "(NvCommon) Empty value is not allowed!";

    QTest::newRow("u in range") << "%u{n1x4095}"
                                << "4095" << accepted << "";
    QTest::newRow("u below range") << "%u{n1x4095}"
                                   << "0" << refused << range1to4095;
    QTest::newRow("u above range") << "%u{n1x4095}"
                                   << "4096" << refused << range1to4095;
    QTest::newRow("u default range upper end") << "%u"
                                               << "4294967295" << accepted << "";
    QTest::newRow("u default range beyond")
        << "%u"
        << "4294967296" << refused << "(NvCommon) Please enter a number between 0 and 4294967295!";
    QTest::newRow("u too long for a double is out of range")
        << "%u" << QString(400, QLatin1Char('9')) << refused
        << "(NvCommon) Please enter a number between 0 and 4294967295!";
    QTest::newRow("u large bounds")
        << "%u{n300x9999999}"
        << "299" << refused << "(NvCommon) Please enter a number between 300 and 9999999!";
    QTest::newRow("i default lower end") << "%i"
                                         << "-2147483648" << accepted << "";
    QTest::newRow("i below default")
        << "%i"
        << "-2147483649" << refused
        << "(NvCommon) Please enter a number between -2147483648 and 2147483647!";
    QTest::newRow("i minus alone reads 0")
        << "%i{n1x5}"
        << "-" << refused << "(NvCommon) Please enter a number between 1 and 5!";
    QTest::newRow("f fraction bound")
        << "%f{n0.5x1.25}"
        << "1.26" << refused << "(NvCommon) Please enter a number between 0.5 and 1.25!";
    QTest::newRow("f within") << "%f{n0.5x1.25}"
                              << "0.5" << accepted << "";
    QTest::newRow("f default bounds")
        << "%f{n-1}"
        << "-2" << refused
        << "(NvCommon) Please enter a number between -1 and 1.79769313486232e+308!";

    QTest::newRow("s without length takes anything")
        << "%s" << QString(5000, 'x') << accepted << "";
    QTest::newRow("s at most") << "%s{l4}"
                               << "abcd" << accepted << "";
    QTest::newRow("s too long") << "%s{l4}"
                                << "abcde" << refused
                                << "(NvCommon) Please enter a string whose length is less than 4!";
    QTest::newRow("s fixed") << "%s{l4f}"
                             << "abc" << refused
                             << "(NvCommon) Please enter a string whose length is 4!";
    QTest::newRow("h too long")
        << "%h{l12}"
        << "0123456789ABC" << refused
        << "(NvCommon) Please enter a hex string whose length is less than 12!";
    QTest::newRow("h fixed") << "%h{l12f}"
                             << "0123" << refused
                             << "(NvCommon) Please enter a hex string whose length is 12!";
    QTest::newRow("h fixed exact") << "%h{l12f}"
                                   << "0123456789AB" << accepted << "";

    QTest::newRow("n dotted address") << "%n.{n0x255l4f}"
                                      << "10.0.0.1" << accepted << "";
    QTest::newRow("n count short")
        << "%n.{n0x255l4f}"
        << "10.0.1" << refused << kLinePrefix + "'.'.\nHere,the count of the number is equal to 4!";
    QTest::newRow("n number too big")
        << "%n.{n0x255l4f}"
        << "10.0.0.300" << refused << kLinePrefix + "'.'.\nHere,each number is between 0 and 255!";
    QTest::newRow("n too many") << "%n,{l2}"
                                << "1,2,3" << refused
                                << kLinePrefix +
                                       "','.\nHere,the count of the number is less than 2!";
    QTest::newRow("n trailing delimiter counts a 0")
        << "%n,{n1l2}"
        << "4," << refused << kLinePrefix + "','.\nHere,each number is between 1 and 4294967295!";
    QTest::newRow("n beyond 32 bits without upper limit") << "%n,"
                                                          << "99999999999" << accepted << "";
    QTest::newRow("n negative minimum is 0") << "%n,{n-5x3}"
                                             << "0,3" << accepted << "";
}

void TestEditConstraintRules::leave()
{
    QFETCH(QString, specifier);
    QFETCH(QString, text);
    const LeaveVerdict verdict =
        NvEditConstraint::CheckLeave(NvEditConstraint::Parse(specifier), text);
    QTEST(int(verdict.kind), "kind");
    QTEST(verdict.message, "message");
}

// The lists that the "n" kind checks: unsigned numbers between the delimiters.
void TestEditConstraintRules::unsignedList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVector<unsigned int>>("values");
    QTest::newRow("empty") << "" << QVector<unsigned int>{};
    QTest::newRow("dotted") << "192.168.0.1" << QVector<unsigned int>{192, 168, 0, 1};
    QTest::newRow("saturates, never wraps")
        << "4294967296.1" << QVector<unsigned int>{4294967295u, 1};
    QTest::newRow("empty numbers are 0") << ".." << QVector<unsigned int>{0, 0, 0};
}

void TestEditConstraintRules::unsignedList()
{
    QFETCH(QString, text);
    NvNumList<unsigned int> list;
    list.Parse(text);
    QTEST(list.values, "values");
}

QTEST_GUILESS_MAIN(TestEditConstraintRules)
#include "test_edit_constraint_rules.moc"
