// The binding's conversions between variable values and controls, without a device.
#include "NvDialogs.h"
#include "NvEditConstraint.h"
#include "NvError.h"
#include "NvOptionList.h"
#include "NvRadioGroup.h"
#include "NvSNMPRequest2Edits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

namespace {

const NvOptionRow kEnableRows[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
const NvOptionList kEnable(kEnableRows);
const NvOptionRow kKeyRows[] = {
    {1, "First"}, {2, "Second"}, {3, "Third"}, {4, "Fourth"}, {0, nullptr}};
const NvOptionList kKeys(kKeyRows);

#define ROW(oid, name, syntax, flags, options)                                                     \
    {                                                                                              \
        oid, name, syntax, flags, options, nullptr, nullptr, nullptr, nullptr, nullptr             \
    }
#define END                                                                                        \
    {                                                                                              \
        nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr               \
    }

const NvSNMPVarRecord kScalars[] = {
    ROW("1.3.6.1.4.1.32473.9000.1.1", "enabled", SYN_INTEGER, 0x06, &kEnable),
    ROW("1.3.6.1.4.1.32473.9000.1.2", "flag", SYN_BOOLEAN, 0x06, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.1.3", "bits", SYN_OCTETS, 0x06, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.1.4", "name", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.1.5", "key", SYN_INTEGER, 0x06, &kKeys),
    ROW("1.3.6.1.4.1.32473.9000.1.6", "address", SYN_IPADDRESS, 0x06, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.1.7", "count", SYN_INTEGER, 0x06, nullptr),
    END,
};
enum
{
    Enabled,
    Flag,
    Bits,
    Name,
    Key,
    Address,
    Count
};

const NvSNMPVarRecord kTable[] = {
    ROW(" ", "Index", SYN_INTEGER, 0x01, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.2.1.2", "SSID", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.2.1.3", "Secret", SYN_DISPLAYSTRING, 0x04, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.2.1.4", "State", SYN_INTEGER, 0x06, &kEnable),
    END,
};

} // namespace

class TestBindingControls : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_form;
    std::unique_ptr<NvSNMPRequest2Edits> m_binding;

    NvSNMPVarList& list() { return m_binding->request.list; }
    template <typename T> T* make()
    {
        auto* widget = new T(m_form.get());
        return widget;
    }

private slots:
    void init()
    {
        NvDialogs::SetTestMode();
        m_form = std::make_unique<QWidget>();
        m_binding = std::make_unique<NvSNMPRequest2Edits>(m_form.get());
        m_binding->request.list = NvSNMPVarList(kScalars, LIST_SCALAR, 0);
    }

    void cleanup()
    {
        m_binding.reset();
        m_form.reset();
        NvDialogs::LeaveTestMode();
    }

    void checkBoxWithOptions_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("checked");
        QTest::newRow("second entry") << "Enable" << true;
        QTest::newRow("first entry") << "Disable" << false;
        QTest::newRow("unknown text") << "7" << false;
    }

    void checkBoxWithOptions()
    {
        QFETCH(QString, value);
        QFETCH(bool, checked);
        auto* box = make<QCheckBox>();
        m_binding->Bind(Enabled, box);
        box->setChecked(!checked);
        list().Item(Enabled).value = value;
        m_binding->ValuesToControls(-1);
        QCOMPARE(box->isChecked(), checked);
    }

    void checkBoxWritesOptionValues()
    {
        auto* box = make<QCheckBox>();
        m_binding->Bind(Enabled, box);
        box->setChecked(true);
        m_binding->ControlsToValues(Enabled);
        QCOMPARE(list().Item(Enabled).value, QStringLiteral("Enable"));
        box->setChecked(false);
        m_binding->ControlsToValues(Enabled);
        QCOMPARE(list().Item(Enabled).value, QStringLiteral("Disable"));
    }

    void booleanCheckBoxOnlyForExactTrue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("checked");
        QTest::newRow("true") << "true" << true;
        QTest::newRow("false") << "false" << false;
        QTest::newRow("upper case") << "TRUE" << false;
        QTest::newRow("null") << "(NULL)" << false;
    }

    void booleanCheckBoxOnlyForExactTrue()
    {
        QFETCH(QString, value);
        auto* box = make<QCheckBox>();
        m_binding->Bind(Flag, box);
        list().Item(Flag).value = value;
        m_binding->ValuesToControls(-1);
        QTEST(box->isChecked(), "checked");
    }

    void checkBoxOnNonBooleanWithoutOptionsRaises()
    {
        auto* box = make<QCheckBox>();
        m_binding->Bind(Count, box);
        list().Item(Count).value = "1";
        try {
            m_binding->ValuesToControls(-1);
            QFAIL("no error raised");
        } catch (const NvError& error) {
            QCOMPARE(error.code(), -517);
        }
    }

    void bitBeyondTheValueRaisesOnRead()
    {
        auto* low = make<QCheckBox>();
        auto* high = make<QCheckBox>();
        m_binding->BindBits(Bits, "0,9", {low, high});
        list().Item(Bits).value = "80";
        try {
            m_binding->ValuesToControls(-1);
            QFAIL("no error raised");
        } catch (const NvError& error) {
            QCOMPARE(error.code(), -519);
        }
    }

    void bitsGrowTheValueOnWrite()
    {
        auto* first = make<QCheckBox>();
        auto* ninth = make<QCheckBox>();
        m_binding->BindBits(Bits, "0,9", {first, ninth});
        list().Item(Bits).value = "7F";
        first->setChecked(true);
        ninth->setChecked(true);
        m_binding->ControlsToValues(Bits);
        // Bit 0 is the top bit of byte 0, bit 9 the second bit of byte 1; unbound bits of the
        // touched bytes keep what they were in byte 0, and the new byte starts at 0.
        QCOMPARE(list().Item(Bits).value, QStringLiteral("FF40"));
        m_binding->ValuesToControls(-1);
        QVERIFY(first->isChecked());
        QVERIFY(ninth->isChecked());
    }

    void displayStringIsRebuiltFromItsControls()
    {
        auto* edit = make<QLineEdit>();
        m_binding->BindFormat(Name, "%s", edit);
        list().Item(Name).value = "a much longer stored name";
        edit->setText("short");
        m_binding->ControlsToValues(-1);
        QCOMPARE(list().Item(Name).value, QStringLiteral("short"));
    }

    void longValueShowsFromItsBeginning()
    {
        // A value wider than its edit shows its start, as a program-set edit text does, not
        // its tail (where QLineEdit leaves the cursor after setText).
        auto* edit = make<QLineEdit>();
        edit->setFixedWidth(60);
        m_binding->BindFormat(Name, "%s", edit);
        list().Item(Name).value = "QTR-9000KX Wireless Access Point, firmware v1.45";
        m_binding->ValuesToControls(-1);
        QCOMPARE(edit->text(), list().Item(Name).value);
        QCOMPARE(edit->cursorPosition(), 0);
    }

    void comboSelectsByTextAmongOfferedItems()
    {
        // A page that offers only some of the entries: the item is found by its text.
        auto* combo = make<QComboBox>();
        m_binding->Bind(Key, combo);
        combo->clear();
        combo->addItems({"First", "Fourth"});
        list().Item(Key).value = "Fourth";
        m_binding->ValuesToControls(-1);
        QCOMPARE(combo->currentText(), QStringLiteral("Fourth"));
        list().Item(Key).value = "Second"; // not offered: nothing selected
        m_binding->ValuesToControls(-1);
        QCOMPARE(combo->currentIndex(), -1);
        combo->setCurrentIndex(1);
        m_binding->ControlsToValues(-1);
        QCOMPARE(list().Item(Key).value, QStringLiteral("Fourth"));
    }

    void comboIsFilledAndSelectsByValueOrText()
    {
        auto* combo = make<QComboBox>();
        m_binding->Bind(Key, combo);
        QCOMPARE(combo->count(), 4);
        QVERIFY(!combo->isEditable());
        for (const QString& value : {QStringLiteral("Third"), QStringLiteral("3")}) {
            list().Item(Key).value = value;
            m_binding->ValuesToControls(-1);
            QCOMPARE(combo->currentIndex(), 2);
        }
    }

    void optionControlWithoutOptionsIsRefused()
    {
        auto* combo = make<QComboBox>();
        try {
            m_binding->Bind(Count, combo);
            QFAIL("no error raised");
        } catch (const NvError& error) {
            QCOMPARE(error.code(), -520);
        }
        QVERIFY(m_binding->bindings().empty());
    }

    void unsupportedControlRaises()
    {
        auto* view = make<QPlainTextEdit>();
        m_binding->BindFormat(Count, "%s", view);
        list().Item(Count).value = "5";
        try {
            m_binding->ValuesToControls(-1);
            QFAIL("no error raised");
        } catch (const NvError& error) {
            QCOMPARE(error.code(), -521);
        }
    }

    void radioGroupFollowsValue()
    {
        auto* group = make<NvRadioGroup>();
        m_binding->Bind(Enabled, group);
        QCOMPARE(group->items(), (QStringList{"Disable", "Enable"}));
        QSignalSpy changes(group, &NvRadioGroup::itemIndexChanged);
        list().Item(Enabled).value = "Enable";
        m_binding->ValuesToControls(-1);
        QCOMPARE(group->itemIndex(), 1);
        QCOMPARE(changes.count(), 1); // the program's change counts as a click
        group->setItemIndex(0);
        m_binding->ControlsToValues(-1);
        QCOMPARE(list().Item(Enabled).value, QStringLiteral("Disable"));
    }

    void skippedVariableIsNeitherFilledNorGathered()
    {
        auto* edit = make<QLineEdit>();
        m_binding->BindFormat(Count, "%s", edit);
        edit->setText("untouched");
        list().Item(Count).flags = VAR_SKIP;
        list().Item(Count).value = "42";
        m_binding->ValuesToControls(-1);
        QCOMPARE(edit->text(), QStringLiteral("untouched"));
        m_binding->ControlsToValues(-1);
        QCOMPARE(list().Item(Count).value, QStringLiteral("42"));
    }

    void unselectedComboIsLeftOutOfTheWrite()
    {
        auto* combo = make<QComboBox>();
        auto* edit = make<QLineEdit>();
        m_binding->Bind(Key, combo);
        m_binding->BindFormat(Count, "%s", edit);
        list().Item(Key).value = "Third";
        combo->setCurrentIndex(-1);
        edit->setText("9");
        m_binding->GatherValues();
        // The variable keeps its device value instead of becoming an empty text (INTEGER 0).
        QCOMPARE(list().Item(Key).value, QStringLiteral("Third"));
        QCOMPARE(list().Item(Count).value, QStringLiteral("9"));
    }

    void unboundVariableKeepsItsValueInAWrite()
    {
        auto* edit = make<QLineEdit>();
        m_binding->BindFormat(Count, "%s", edit);
        list().Item(Address).value = "10.0.0.9";
        edit->setText("4");
        m_binding->GatherValues();
        QCOMPARE(list().Item(Address).value, QStringLiteral("10.0.0.9"));
        QCOMPARE(list().Item(Count).value, QStringLiteral("4"));
    }

    void severalEditsSplitAnAddress()
    {
        QList<QWidget*> rest;
        auto* first = make<QLineEdit>();
        for (int i = 0; i < 3; ++i)
            rest.append(make<QLineEdit>());
        m_binding->BindFormat(Address, "%s%s%s%s", first, rest);
        list().Item(Address).value = "192.168.0.50";
        m_binding->ValuesToControls(-1);
        QCOMPARE(first->text(), QStringLiteral("192"));
        QCOMPARE(static_cast<QLineEdit*>(rest[2])->text(), QStringLiteral("50"));
        static_cast<QLineEdit*>(rest[2])->setText("51");
        m_binding->ControlsToValues(-1);
        QCOMPARE(list().Item(Address).value, QStringLiteral("192.168.0.51"));
    }

    void tooFewEditsForTheLayoutRaise()
    {
        auto* first = make<QLineEdit>();
        auto* second = make<QLineEdit>();
        m_binding->BindFormat(Address, "%s%s", first, {second});
        list().Item(Address).value = "10.0.0.1";
        try {
            m_binding->ValuesToControls(-1);
            QFAIL("no error raised");
        } catch (const NvError& error) {
            QCOMPARE(error.code(), -522);
        }
    }

    void statusLines_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("read, no list name")
            << "" << 0
            << "^Get: \\(NvSNMP\\+\\+\\) Ok!\\. Receive at \\d\\d:\\d\\d:\\d\\d [AP]M\\.$";
        QTest::newRow("write, no list name")
            << "" << 1
            << "^Set: \\(NvSNMP\\+\\+\\) Ok!\\. Receive at \\d\\d:\\d\\d:\\d\\d [AP]M\\.$";
        QTest::newRow("named list")
            << "Wireless" << 0 << "^Get: \\(NvSNMP\\+\\+\\) Ok! Request:Wireless\\. Receive at .*$";
    }

    void statusLines()
    {
        QFETCH(QString, listName);
        QFETCH(int, operation);
        QFETCH(QString, pattern);
        auto* bar = new QStatusBar(m_form.get());
        m_binding->SetStatusTarget(bar);
        list().name = listName;
        m_binding->lastOperation = operation;
        m_binding->ReportMessage("(NvSNMP++) Ok!");
        QVERIFY2(QRegularExpression(pattern).match(bar->currentMessage()).hasMatch(),
                 qPrintable(bar->currentMessage()));
    }

    void statusTargetsOfEveryKind()
    {
        auto* panel = new QLabel(m_form.get());
        m_binding->SetStatusTarget(panel);
        m_binding->ReportMessage("one");
        QVERIFY(panel->text().startsWith("Get: one."));
        auto* log = new QPlainTextEdit(m_form.get());
        m_binding->SetStatusTarget(log);
        m_binding->ReportMessage("two");
        m_binding->ReportMessage("three");
        QCOMPARE(log->toPlainText().count('\n'), 1);
        m_binding->SetStatusTarget(nullptr);
        m_binding->ReportMessage("(SNMPClass) SNMP request timed out!");
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages()[0].text,
                 QStringLiteral("(SNMPClass) SNMP request timed out!"));
        QCOMPARE(NvDialogs::RecordedMessages()[0].caption, NvDialogs::ExecutableFileName());
        QCOMPARE(NvDialogs::RecordedMessages()[0].owner, m_form.get());
    }

    void listViewColumnsAndRowSelection()
    {
        m_binding->request.list = NvSNMPVarList(kTable, LIST_TABLE, 1);
        auto* ssid = make<QLineEdit>();
        auto* state = make<QComboBox>();
        m_binding->BindFormat(1, "%s", ssid);
        m_binding->Bind(3, state);
        auto* view = make<QTreeWidget>();
        m_binding->AttachListView(view, true);
        // Hidden items first (the write-only secret, width 0), then the shown ones.
        QCOMPARE(view->columnCount(), 4);
        QCOMPARE(view->headerItem()->text(0), QStringLiteral("Secret"));
        QCOMPARE(view->header()->sectionSize(0), 0);
        QCOMPARE(view->headerItem()->text(1), QStringLiteral("Index"));
        QVERIFY(view->header()->sectionSize(1) > 0);
        QVERIFY(!view->rootIsDecorated());

        m_binding->BeforeRead();
        const QStringList rows[] = {{"s1", "1", "guest", "Enable"},
                                    {"s2", "2", "office", "Disable"}};
        for (const QStringList& row : rows) {
            list().Item(2).value = row[0];
            list().Item(0).value = row[1];
            list().Item(1).value = row[2];
            list().Item(3).value = row[3];
            m_binding->RowRead();
        }
        m_binding->AfterRead();
        QCOMPARE(view->topLevelItemCount(), 2);
        QVERIFY(!ssid->isEnabled());
        QVERIFY(!state->isEnabled());

        view->setCurrentItem(view->topLevelItem(1));
        QVERIFY(ssid->isEnabled());
        QCOMPARE(ssid->text(), QStringLiteral("office"));
        QCOMPARE(state->currentText(), QStringLiteral("Disable"));

        // The selected row, edited in the controls, becomes the values of the write.
        ssid->setText("lab");
        m_binding->GatherValues();
        QCOMPARE(list().Item(0).value, QStringLiteral("2"));
        QCOMPARE(list().Item(1).value, QStringLiteral("lab"));
        QCOMPARE(list().Item(2).value, QStringLiteral("s2"));
    }

    void unbindForgetsTheVariable()
    {
        auto* edit = make<QLineEdit>();
        m_binding->BindFormat(Count, "%u", edit);
        QCOMPARE(m_binding->constraints().Count(), 1);
        m_binding->Unbind(Count);
        QVERIFY(m_binding->bindings().empty());
        QCOMPARE(m_binding->constraints().Count(), 0);
        list().Item(Count).value = "3";
        m_binding->ValuesToControls(-1);
        QCOMPARE(edit->text(), QString());
    }
};

QTEST_MAIN(TestBindingControls)
#include "test_binding_controls.moc"
