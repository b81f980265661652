#include "NvDateTime.h"
#include "NvValueText.h"

#include <QTest>

class TestValueText : public QObject
{
    Q_OBJECT

private slots:
    void hexToOctets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("octets");

        QTest::newRow("odd count: first digit alone") << "ABC" << QByteArray("\x0A\xBC", 2);
        QTest::newRow("blanks removed") << "00 a0 c5" << QByteArray("\x00\xA0\xC5", 3);
        QTest::newRow("odd after blanks") << "1F2" << QByteArray("\x01\xF2", 2);
        QTest::newRow("non-hex counts 0") << "zz" << QByteArray("\x00", 1);
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("mac") << "02001E112233" << QByteArray("\x02\x00\x1E\x11\x22\x33", 6);
    }

    void hexToOctets()
    {
        QFETCH(QString, text);
        QTEST(HexToOctets(text), "octets");
    }

    void octetsToHexIsUpperCaseCompact()
    {
        QCOMPARE(OctetsToHex(QByteArray("\x00\xA0\xC5", 3)), QStringLiteral("00A0C5"));
        QCOMPARE(OctetsToHex(QByteArray()), QString());
    }

    void timeTicks_data()
    {
        QTest::addColumn<uint>("ticks");
        QTest::addColumn<QString>("text");

        QTest::newRow("zero") << 0u << "0:00:00.00";
        QTest::newRow("below a day") << 372304u << "1:02:03.04";
        QTest::newRow("one day") << 8640000u << "1 day 0:00:00.00";
        QTest::newRow("two days") << 17280001u << "2 days, 0:00:00.01";
        QTest::newRow("maximum") << 4294967295u << "497 days, 2:27:52.95";
    }

    void timeTicks()
    {
        QFETCH(uint, ticks);
        QFETCH(QString, text);
        QCOMPARE(TimeTicksToText(ticks), text);
        QCOMPARE(TextToTimeTicks(text), ticks);
    }

    void timeTicksInput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("ticks");

        QTest::newRow("no dot: no seconds") << "1:02:03" << 372000u;
        QTest::newRow("hours only with colon") << "5:" << 1800000u;
        QTest::newRow("plain number has no parts") << "12345" << 0u;
        QTest::newRow("day without comma") << "3 days 0:00:01.00" << 25920100u;
        QTest::newRow("empty") << "" << 0u;
    }

    void timeTicksInput()
    {
        QFETCH(QString, text);
        QTEST(TextToTimeTicks(text), "ticks");
    }

    void reals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("printed");

        QTest::newRow("fraction") << "2.5" << 2.5 << "2.5";
        QTest::newRow("leading number, rest ignored") << "12.25kg" << 12.25 << "12.25";
        QTest::newRow("no number") << "abc" << 0.0 << "0";
        QTest::newRow("exponent") << "1e3" << 1000.0 << "1000";
        QTest::newRow("negative with blanks") << "  -0.5" << -0.5 << "-0.5";
        QTest::newRow("fifteen digits") << "0.1" << 0.1 << "0.1";
    }

    void reals()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(TextToReal(text), value);
        QTEST(RealToText(value), "printed");
    }

    void leadingInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");

        QTest::newRow("plain") << "42" << qint64(42);
        QTest::newRow("sign and blanks") << "  -17abc" << qint64(-17);
        QTest::newRow("none") << "x1" << qint64(0);
        QTest::newRow("saturates")
            << "99999999999999999999999" << std::numeric_limits<qint64>::max();
        QTest::newRow("saturates negative")
            << "-99999999999999999999999" << std::numeric_limits<qint64>::min();
    }

    void leadingInteger()
    {
        QFETCH(QString, text);
        QTEST(qint64(LeadingInteger(text)), "value");
    }

    void dateTimeFormat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<int>("utcHours");

        QTest::newRow("east of UTC") << "2008-11-13,10:5:0.0,+8:0"
                                     << "2008-11-13,10:5:0.0,+8:0"
                                     << "+" << 8;
        QTest::newRow("west of UTC") << "2008-11-13,10:5:0.0,-5:30"
                                     << "2008-11-13,10:5:0.0,-5:30"
                                     << "-" << 5;
        QTest::newRow("plain form: zero offset") << "2008-11-13,10:5:0.0"
                                                 << "2008-11-13,10:5:0.0"
                                                 << "+" << 0;
        QTest::newRow("leading zeros accepted") << "2008-01-02,03:04:05.6"
                                                << "2008-1-2,3:4:5.6"
                                                << "+" << 0;
        QTest::newRow("partial text keeps what matched") << "2008-11"
                                                         << "2008-11-0,0:0:0.0"
                                                         << "+" << 0;
        QTest::newRow("offset hours without minutes") << "2008-11-13,10:5:0.0,+8"
                                                      << "2008-11-13,10:5:0.0,+8:0"
                                                      << "+" << 8;
        QTest::newRow("garbage") << "hello"
                                 << "0-0-0,0:0:0.0"
                                 << "+" << 0;
    }

    void dateTimeFormat()
    {
        QFETCH(QString, text);
        QFETCH(QString, direction);
        NvDateTime value;
        value.Parse(text);
        QTEST(value.Format(), "formatted");
        QCOMPARE(QChar::fromLatin1(value.direction), direction.at(0));
        QTEST(int(value.utcHours), "utcHours");
    }

    void dateTimeOctets()
    {
        NvDateTime value;
        value.Parse(QStringLiteral("2008-11-13,10:5:0.0,+8:0"));
        const QByteArray octets = value.ToOctets();
        QCOMPARE(octets, QByteArray("\x07\xD8\x0B\x0D\x0A\x05\x00\x00+\x08\x00", 11));
        QCOMPARE(NvDateTime::FromOctets(octets).Format(), value.Format());
        // A short value leaves the missing fields 0.
        QCOMPARE(NvDateTime::FromOctets(octets.left(4)).Format(),
                 QStringLiteral("2008-11-13,0:0:0.0"));
    }
};

QTEST_GUILESS_MAIN(TestValueText)
#include "test_valuetext.moc"
