// Choosing the PC address the device is told to use.
#include "GetLocalInterfaces.h"
#include "NetworkAddressText.h"
#include "SelectServerAddress.h"

#include <QTest>

namespace {

LocalInterface Interface(const QString& address, const QString& netmask)
{
    LocalInterface local;
    local.address = address;
    local.netmask = netmask;
    return local;
}

} // namespace

class TestTFTPAddresses : public QObject
{
    Q_OBJECT

private slots:
    void networkAddressText_data();
    void networkAddressText();
    void selectServerAddress_data();
    void selectServerAddress();
    void localInterfacesIncludeLoopback();
};

void TestTFTPAddresses::networkAddressText_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("network");
    QTest::newRow("class C") << "192.168.0.50"
                             << "255.255.255.0"
                             << "192.168.0.0";
    QTest::newRow("class B mask") << "10.1.2.3"
                                  << "255.255.0.0"
                                  << "10.1.0.0";
    QTest::newRow("mask inside an octet") << "172.16.77.200"
                                          << "255.255.240.0"
                                          << "172.16.64.0";
    QTest::newRow("octet not a number") << "10.x.2.3"
                                        << "255.255.255.0"
                                        << "10.0.2.0";
    QTest::newRow("missing octets") << "10.1"
                                    << "255.255.255.255"
                                    << "10.1.0.0";
    QTest::newRow("empty field") << ""
                                 << "255.255.255.0"
                                 << "0.0.0.0";
}

void TestTFTPAddresses::networkAddressText()
{
    QFETCH(QString, address);
    QFETCH(QString, mask);
    QFETCH(QString, network);
    QCOMPARE(NetworkAddressText(address, mask), network);
}

void TestTFTPAddresses::selectServerAddress_data()
{
    QTest::addColumn<QString>("deviceAddress");
    QTest::addColumn<QString>("deviceMask");
    QTest::addColumn<QString>("chosen"); // empty: none, with the warning

    QTest::newRow("first matching interface") << "10.1.2.3"
                                              << "255.255.0.0"
                                              << "10.1.200.9";
    QTest::newRow("another host of the same network") << "192.168.7.1"
                                                      << "255.255.0.0"
                                                      << "192.168.1.20";
    QTest::newRow("no interface in the device's network") << "172.20.0.5"
                                                          << "255.255.0.0"
                                                          << "";
    QTest::newRow("device fields still empty") << ""
                                               << ""
                                               << "";
}

void TestTFTPAddresses::selectServerAddress()
{
    QFETCH(QString, deviceAddress);
    QFETCH(QString, deviceMask);
    QFETCH(QString, chosen);
    const QVector<LocalInterface> interfaces = {
        Interface("127.0.0.1", "255.0.0.0"),
        Interface("192.168.1.20", "255.255.0.0"),
        Interface("10.1.200.9", "255.255.0.0"),
        Interface("10.1.3.4", "255.255.0.0"),
    };
    QStringList warnings;
    QString edit;
    const bool found =
        SelectServerAddress(edit, DeviceAddressFields{deviceAddress, deviceMask}, interfaces,
                            [&](const QString& text) { warnings.append(text); });
    QCOMPARE(found, !chosen.isEmpty());
    QCOMPARE(edit, chosen);
    QCOMPARE(warnings, chosen.isEmpty()
                           ? QStringList{"Invalid Server IP Address or SNMP timed out!"}
                           : QStringList());
}

void TestTFTPAddresses::localInterfacesIncludeLoopback()
{
    QVector<LocalInterface> interfaces;
    const int count = GetLocalInterfaces(interfaces);
    QCOMPARE(count, interfaces.size());
    QVERIFY(count <= kMaxLocalInterfaces);
    bool loopback = false;
    for (const LocalInterface& local : interfaces)
        loopback |= local.address == "127.0.0.1" && local.netmask == "255.0.0.0" && local.loopback;
    QVERIFY(loopback);

    // A device on the loopback network (the simulator) is served from there.
    QString edit;
    QVERIFY(SelectServerAddress(edit, DeviceAddressFields{"127.0.0.1", "255.0.0.0"}, {}));
    QCOMPARE(edit, QStringLiteral("127.0.0.1"));
}

QTEST_GUILESS_MAIN(TestTFTPAddresses)
#include "test_tftp_addresses.moc"
