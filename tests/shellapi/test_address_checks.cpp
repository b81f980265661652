#include "NvAddressChecks.h"

#include <QTest>

class TestAddressChecks : public QObject
{
    Q_OBJECT

private slots:
    void hostAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");

        QTest::newRow("private host") << "192.168.0.50" << true;
        QTest::newRow("lowest") << "1.0.0.1" << true;
        QTest::newRow("highest") << "223.255.255.254" << true;
        QTest::newRow("multicast") << "224.0.0.1" << false;
        QTest::newRow("network") << "10.0.0.0" << false;
        QTest::newRow("broadcast") << "10.0.0.255" << false;
        QTest::newRow("three parts") << "10.0.0" << false;
        QTest::newRow("letter part") << "10.0.0.x" << false;
        QTest::newRow("leading dot") << ".10.0.0" << false;
        QTest::newRow("empty part") << "10..0.1" << false;
        QTest::newRow("zero first") << "0.1.2.3" << false;
        QTest::newRow("part above 255") << "10.256.0.1" << false;
        QTest::newRow("five parts") << "10.0.0.1.1" << false;
        QTest::newRow("sign") << "10.+1.0.1" << false;
        QTest::newRow("blank") << "10. 1.0.1" << false;
        QTest::newRow("huge number") << "10.0.0.99999999999" << false;
        QTest::newRow("empty") << "" << false;
    }

    void hostAddress()
    {
        QFETCH(QString, text);
        QTEST(IsValidHostAddress(text), "valid");
    }

    void subnetMask_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");

        QTest::newRow("/30") << "255.255.255.252" << true;
        QTest::newRow("/24") << "255.255.255.0" << true;
        QTest::newRow("/2") << "192.0.0.0" << true;
        QTest::newRow("/31") << "255.255.255.254" << true;
        QTest::newRow("/8") << "255.0.0.0" << true;
        QTest::newRow("/32") << "255.255.255.255" << false;
        QTest::newRow("/1") << "128.0.0.0" << false;
        QTest::newRow("holes") << "255.0.255.0" << false;
        QTest::newRow("zero") << "0.0.0.0" << false;
        QTest::newRow("not contiguous") << "127.0.0.0" << false;
        QTest::newRow("part is one") << "255.255.255.1" << false;
        QTest::newRow("three parts") << "255.255.0" << false;
        QTest::newRow("leading dot") << ".255.255.0" << false;
        QTest::newRow("letters") << "255.255.x.0" << false;
    }

    void subnetMask()
    {
        QFETCH(QString, text);
        QTEST(IsValidSubnetMask(text), "valid");
    }
};

QTEST_GUILESS_MAIN(TestAddressChecks)
#include "test_address_checks.moc"
