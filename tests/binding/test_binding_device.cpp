// The binding against the device simulator: reads into controls, writes back, tables into a
// list view, asynchronous operations through the event pump, and status reporting.
#include "NvDialogs.h"
#include "NvOptionList.h"
#include "NvSNMPRequest2Edits.h"
#include "NvSNMPSession.h"
#include "SimulatorProcess.h"

#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using qtr::test::privateOid;
using qtr::test::SimulatorProcess;

namespace {

#define PR QTR_PRIVATE_ROOT
#define ROW(oid, name, syntax, flags, options)                                                     \
    {                                                                                              \
        oid, name, syntax, flags, options, nullptr, nullptr, nullptr, nullptr, nullptr             \
    }
#define END                                                                                        \
    {                                                                                              \
        nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr               \
    }

const NvOptionRow kGetIpRows[] = {{1, "Static (Manual)"}, {2, "Dynamic (DHCP)"}, {0, nullptr}};
const NvOptionList kGetIp(kGetIpRows);

const NvSNMPVarRecord kScalars[] = {
    ROW("1.3.6.1.2.1.1.5", "sysName", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW(PR ".4.1.2.1", "hGetIPFrom", SYN_INTEGER, 0x06, &kGetIp),
    ROW(PR ".4.1.2.2", "hIPAddress", SYN_IPADDRESS, 0x06, nullptr),
    ROW(PR ".4.4.1.1.1", "stFirmwareVersion", SYN_DISPLAYSTRING, 0x02, nullptr),
    END,
};

const NvSNMPVarRecord kName[] = {
    ROW("1.3.6.1.2.1.1.5", "sysName", SYN_DISPLAYSTRING, 0x06, nullptr),
    END,
};

const NvSNMPVarRecord kTestTable[] = {
    ROW(PR ".99.1.1.1", "Index", SYN_INTEGER, 0x01, nullptr),
    ROW(PR ".99.1.1.2", "Name", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW(PR ".99.1.1.3", "Address", SYN_IPADDRESS, 0x06, nullptr),
    ROW(PR ".99.1.1.4", "Number", SYN_INTEGER, 0x06, nullptr),
    END,
};

#undef PR

QJsonObject lastSet(const SimulatorProcess& sim)
{
    const QList<QJsonObject> events = sim.events();
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->value("event").toString() == QLatin1String("set"))
            return *it;
    }
    return {};
}

// OID -> value of a set event's varbinds.
QHash<QString, QString> setValues(const QJsonObject& event)
{
    QHash<QString, QString> values;
    for (const QJsonValue& vb : event.value("varbinds").toArray())
        values.insert(vb.toObject().value("oid").toString(),
                      vb.toObject().value("value").toVariant().toString());
    return values;
}

} // namespace

class TestBindingDevice : public QObject
{
    Q_OBJECT

    QTemporaryDir m_session;
    SimulatorProcess m_sim;
    std::unique_ptr<QWidget> m_form;

    void pointAt(const SimulatorProcess& sim)
    {
        defaultDevice.address = sim.host();
        defaultDevice.port = sim.port();
        defaultSecurity.version = 1;
        defaultSecurity.readCommunity = QStringLiteral("public");
        defaultSecurity.writeCommunity = QStringLiteral("private");
    }

    std::unique_ptr<NvSNMPRequest2Edits> binding(const NvSNMPVarRecord* table, uint8_t kind,
                                                 int keys, bool async = false)
    {
        auto b = std::make_unique<NvSNMPRequest2Edits>(m_form.get());
        b->request.list = NvSNMPVarList(table, kind, keys);
        b->async = async;
        return b;
    }

private slots:
    void initTestCase()
    {
        StartSession(m_session.path());
        NvSNMPRequest::destroyWaitMs = 3000;
        QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
        pointAt(m_sim);
    }

    void init()
    {
        NvDialogs::SetTestMode();
        m_form = std::make_unique<QWidget>();
    }

    void cleanup()
    {
        m_form.reset();
        NvDialogs::LeaveTestMode();
    }

    void scalarsIntoControlsAndBack()
    {
        auto b = binding(kScalars, LIST_SCALAR, 0);
        auto* name = new QLineEdit(m_form.get());
        auto* getIp = new QComboBox(m_form.get());
        auto* address = new QLineEdit(m_form.get());
        auto* firmware = new QLabel(m_form.get());
        b->BindFormat(0, "%s", name);
        b->Bind(1, getIp);
        b->BindFormat(2, "%s", address);
        b->Bind(3, firmware);
        auto* bar = new QStatusBar(m_form.get());
        b->SetStatusTarget(bar);
        b->ReportStatusThroughCallback();
        QVERIFY(b->Read());
        QCOMPARE(b->rowCount, 1);
        QVERIFY(!name->text().isEmpty());
        QCOMPARE(getIp->count(), 2);
        QVERIFY(getIp->currentIndex() >= 0);
        QCOMPARE(address->text(), m_sim.host());
        QCOMPARE(firmware->text(), QStringLiteral("v1.45"));
        QVERIFY2(bar->currentMessage().startsWith("Get: (NvSNMP++) Ok!. Receive at "),
                 qPrintable(bar->currentMessage()));

        name->setText("lab-ap");
        getIp->setCurrentIndex(1);
        QVERIFY(b->Write());
        const QHash<QString, QString> sent = setValues(lastSet(m_sim));
        QCOMPARE(sent.value("1.3.6.1.2.1.1.5.0"), QStringLiteral("lab-ap"));
        QCOMPARE(sent.value(privateOid("4.1.2.1.0")), QStringLiteral("2"));
        // Read-only variables are never written.
        QVERIFY(!sent.contains(privateOid("4.4.1.1.1.0")));
        QVERIFY(bar->currentMessage().startsWith("Set: (NvSNMP++) Ok!."));

        name->clear();
        QVERIFY(b->Read());
        QCOMPARE(name->text(), QStringLiteral("lab-ap"));
        QCOMPARE(getIp->currentText(), QStringLiteral("Dynamic (DHCP)"));
    }

    void tableIntoListViewUntilSelected()
    {
        auto b = binding(kTestTable, LIST_TABLE, 1);
        auto* name = new QLineEdit(m_form.get());
        auto* number = new QLineEdit(m_form.get());
        b->BindFormat(1, "%s", name);
        b->BindFormat(3, "%i", number);
        auto* view = new QTreeWidget(m_form.get());
        b->AttachListView(view, true);
        QVERIFY(b->Read());
        QCOMPARE(view->topLevelItemCount(), 2);
        QCOMPARE(b->rowCount, 2);
        QCOMPARE(view->topLevelItem(1)->text(1), QStringLiteral("beta"));
        QVERIFY(!name->isEnabled());
        QVERIFY(!number->isEnabled());

        view->setCurrentItem(view->topLevelItem(1));
        QVERIFY(name->isEnabled());
        QCOMPARE(name->text(), QStringLiteral("beta"));
        QCOMPARE(number->text(), QStringLiteral("200"));

        // A row write addresses the selected row by its index and re-reads the table.
        name->setText("gamma");
        QVERIFY(b->Write());
        const QHash<QString, QString> sent = setValues(lastSet(m_sim));
        QCOMPARE(sent.value(privateOid("99.1.1.2.2")), QStringLiteral("gamma"));
        QCOMPARE(view->topLevelItemCount(), 2);
        QCOMPARE(view->topLevelItem(1)->text(1), QStringLiteral("gamma"));
    }

    void asynchronousReadAndWriteThroughThePump()
    {
        auto b = binding(kScalars, LIST_SCALAR, 0, true);
        auto* name = new QLineEdit(m_form.get());
        b->BindFormat(0, "%s", name);
        int reads = 0;
        int writes = 0;
        int lastCode = -1;
        b->onReadDone = [&](NvSNMPRequest2Controls*, const NvSNMPError& e) {
            ++reads;
            lastCode = e.code;
        };
        b->onWriteDone = [&](NvSNMPRequest2Controls*, const NvSNMPError& e) {
            ++writes;
            lastCode = e.code;
        };
        QVERIFY(b->Read());
        QVERIFY(b->busy);
        QTRY_COMPARE(reads, 1);
        QCOMPARE(lastCode, 0);
        QVERIFY(!b->busy);
        QVERIFY(!name->text().isEmpty());

        name->setText("async-name");
        QVERIFY(b->Write());
        QTRY_COMPARE(writes, 1);
        QCOMPARE(lastCode, 0);
        QCOMPARE(setValues(lastSet(m_sim)).value("1.3.6.1.2.1.1.5.0"),
                 QStringLiteral("async-name"));
    }

    void asynchronousTableWalk()
    {
        auto b = binding(kTestTable, LIST_TABLE_ROWS, 1, true);
        auto* view = new QTreeWidget(m_form.get());
        b->AttachListView(view, false);
        bool done = false;
        b->onReadDone = [&](NvSNMPRequest2Controls*, const NvSNMPError&) { done = true; };
        b->Read();
        QTRY_VERIFY(done);
        QCOMPARE(view->topLevelItemCount(), 2);
    }

    void goodOutcomeIsAStatusLineNeverABox()
    {
        auto b = binding(kName, LIST_SCALAR, 0);
        auto* name = new QLineEdit(m_form.get());
        b->BindFormat(0, "%s", name);
        b->ReportStatusThroughCallback();
        QVERIFY(b->Read());
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());

        auto* bar = new QStatusBar(m_form.get());
        b->SetStatusTarget(bar);
        QVERIFY(b->Read());
        QVERIFY2(bar->currentMessage().startsWith("Get: (NvSNMP++) Ok!. Receive at "),
                 qPrintable(bar->currentMessage()));
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    }

    void silentDeviceReports()
    {
        SimulatorProcess silent;
        QVERIFY2(silent.start({"--silent"}), qPrintable(silent.errorString()));
        auto b = binding(kScalars, LIST_SCALAR, 0);
        b->request.device.port = silent.port();
        b->request.timeout = 20;
        b->request.retries = 0;
        auto* name = new QLineEdit("kept", m_form.get());
        b->BindFormat(0, "%s", name);
        auto* bar = new QStatusBar(m_form.get());
        b->SetStatusTarget(bar);
        b->ReportStatusThroughCallback();
        QVERIFY(!b->Read());
        QVERIFY2(bar->currentMessage().startsWith(
                     "Get: (SNMPClass) SNMP request timed out!. Receive at"),
                 qPrintable(bar->currentMessage()));
        // A failed read leaves the controls as they were.
        QCOMPARE(name->text(), QStringLiteral("kept"));

        // Without a status target the message goes to a box owned by the form.
        b->SetStatusTarget(nullptr);
        QVERIFY(!b->Read());
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages()[0].text,
                 QStringLiteral("(SNMPClass) SNMP request timed out!"));
    }

    void asynchronousFailureReachesTheStatusCallback()
    {
        SimulatorProcess silent;
        QVERIFY2(silent.start({"--silent"}), qPrintable(silent.errorString()));
        auto b = binding(kName, LIST_SCALAR, 0, true);
        b->request.device.port = silent.port();
        b->request.timeout = 20;
        b->request.retries = 0;
        QList<int> statusCodes;
        int doneCode = 0;
        bool done = false;
        b->request.statusCallback = [&](const NvSNMPError& e) { statusCodes.append(e.code); };
        b->onWriteDone = [&](NvSNMPRequest2Controls*, const NvSNMPError& e) {
            done = true;
            doneCode = e.code;
        };
        auto* name = new QLineEdit("x", m_form.get());
        b->BindFormat(0, "%s", name);
        b->Write();
        QTRY_VERIFY(done);
        QCOMPARE(doneCode, -405);
        QCOMPARE(statusCodes, QList<int>{-405});
        QVERIFY(!b->busy);
    }

    void agentErrorOnWrite()
    {
        SimulatorProcess failing;
        QVERIFY2(failing.start({"--fail", "1.3.6.1.2.1.1.5.0=wrongValue"}),
                 qPrintable(failing.errorString()));
        auto b = binding(kName, LIST_SCALAR, 0);
        b->request.device.port = failing.port();
        auto* name = new QLineEdit(m_form.get());
        b->BindFormat(0, "%s", name);
        auto* bar = new QStatusBar(m_form.get());
        b->SetStatusTarget(bar);
        b->ReportStatusThroughCallback();
        name->setText("refused");
        QVERIFY(!b->Write());
        QVERIFY2(bar->currentMessage().startsWith(
                     "Set: (SNMP) Cannot create/set variable, Wrong Value!"),
                 qPrintable(bar->currentMessage()));
    }
};

QTEST_MAIN(TestBindingDevice)
#include "test_binding_device.moc"
