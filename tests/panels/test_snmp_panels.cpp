// The SNMP panels and the configuration form frame against net-snmp's snmpd: the Information
// page over the MIB-II system group, a list page over snmpNotifyTable (rows made
// and destroyed through its RowStatus column), and closing the frame while requests run,
// against snmpd and against a peer that never answers.
#include "EditRow.h"
#include "NvDialogs.h"
#include "NvOptionList.h"
#include "NvSNMPRequest2Edits.h"
#include "NvSNMPSession.h"
#include "SnmpdFixture.h"
#include "TConfigForm.h"
#include "TCtrlBtnPanel.h"
#include "TEditsPanel.h"
#include "TListViewPanel.h"
#include "TMsgPanel.h"
#include "TSNMPEditorPanel.h"
#include "TSNMPListViewPanel.h"
#include "TableRows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace {

// The MIB-II system group as the "Home \ Information" page lists it.
const NvSNMPVarRecord kSystem[] = {
    ROW("1.3.6.1.2.1.1.1", "System Description", SYN_DISPLAYSTRING, 0x02, nullptr),
    ROW("1.3.6.1.2.1.1.2", "System Object ID", SYN_OID, 0x02, nullptr),
    ROW("1.3.6.1.2.1.1.3", "System Uptime", SYN_TIMETICKS, 0x02, nullptr),
    ROW("1.3.6.1.2.1.1.4", "System Contact", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.2.1.1.5", "System Name", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.2.1.1.6", "System Location", SYN_DISPLAYSTRING, 0x06, nullptr),
    END,
};
enum
{
    Descr,
    ObjectId,
    Uptime,
    Contact,
    Name,
    Location
};
const char* const kSystemOids[] = {"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.2.0", "1.3.6.1.2.1.1.3.0",
                                   "1.3.6.1.2.1.1.4.0", "1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"};

const NvOptionRow kNotifyTypeRows[] = {{1, "trap"}, {2, "inform"}, {0, nullptr}};
const NvOptionList kNotifyType(kNotifyTypeRows);
const NvOptionRow kRowStatusRows[] = {{1, "active"},      {2, "notInService"},  {3, "notReady"},
                                      {4, "createAndGo"}, {5, "createAndWait"}, {6, "destroy"},
                                      {0, nullptr}};
const NvOptionList kRowStatus(kRowStatusRows);
const NvOptionRow kStorageRows[] = {{1, "other"},     {2, "volatile"}, {3, "nonVolatile"},
                                    {4, "permanent"}, {5, "readOnly"}, {0, nullptr}};
const NvOptionList kStorage(kStorageRows);

// snmpNotifyTable, indexed by IMPLIED snmpNotifyName. The storage type is written but not
// read, so that the list has a hidden column.
const char kNotifyEntry[] = "1.3.6.1.6.3.13.1.1.1";
const NvSNMPVarRecord kNotify[] = {
    ROW(" ", "Name", SYN_DISPLAYSTRING, VAR_KEY | VAR_IMPLIED, nullptr),
    ROW("1.3.6.1.6.3.13.1.1.1.2", "Tag", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.6.3.13.1.1.1.3", "Type", SYN_INTEGER, 0x06, &kNotifyType),
    ROW("1.3.6.1.6.3.13.1.1.1.4", "Storage", SYN_INTEGER, 0x04, &kStorage),
    ROW("1.3.6.1.6.3.13.1.1.1.5", "Status", SYN_INTEGER, 0x06, &kRowStatus),
    END,
};
enum
{
    NotifyName,
    NotifyTag,
    NotifyType,
    NotifyStorage,
    NotifyStatus
};

// The instance OID of a column of the row named name (IMPLIED: no length arc).
QString notifyOid(int column, const QString& name)
{
    QString oid = QStringLiteral("%1.%2").arg(QLatin1String(kNotifyEntry)).arg(column);
    for (const QChar c : name)
        oid += QLatin1Char('.') + QString::number(c.unicode());
    return oid;
}

QLineEdit* lineEdit(const QWidget* parent, int row)
{
    return parent->findChild<QLineEdit*>(QStringLiteral("rowEditor%1").arg(row));
}

QComboBox* comboBox(const QWidget* parent, int row)
{
    return parent->findChild<QComboBox*>(QStringLiteral("rowEditor%1").arg(row));
}

QCheckBox* checkBox(const QWidget* parent, int row)
{
    return parent->findChild<QCheckBox*>(QStringLiteral("rowCheck%1").arg(row));
}

QStringList itemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

QTreeWidgetItem* rowNamed(QTreeWidget* view, const QString& name)
{
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        // Name is the first shown column, after the hidden Storage column.
        if (view->topLevelItem(i)->text(1) == name)
            return view->topLevelItem(i);
    }
    return nullptr;
}

// Runs check on the modal dialog the next call opens, from inside its event loop.
void onModalDialog(std::function<void(QDialog*)> check)
{
    QTimer::singleShot(0, [check] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QWARN("no modal dialog");
            return;
        }
        check(dialog);
        // A check that failed leaves the dialog open: close it so that the test goes on.
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class TestSnmpPanels : public QObject
{
    Q_OBJECT

    SnmpdFixture m_snmpd;
    QTemporaryDir m_state;
    NvDialogs::Answer m_answer = NvDialogs::Answer::Yes;

    QString get(const QString& oid) const
    {
        return m_snmpd
            .RunTool(QStringLiteral("snmpget"),
                     {QStringLiteral("-v2c"), QStringLiteral("-cpublic"), QStringLiteral("-Oqv")},
                     {oid})
            .trimmed();
    }

    void set(const QString& community, const QStringList& triples) const
    {
        m_snmpd.RunTool(QStringLiteral("snmpset"),
                        {QStringLiteral("-v2c"), QStringLiteral("-c") + community}, triples);
    }

    void setSystem(const QString& contact, const QString& name, const QString& location) const
    {
        set(QStringLiteral("private"),
            {QLatin1String(kSystemOids[Contact]), QStringLiteral("s"), contact,
             QLatin1String(kSystemOids[Name]), QStringLiteral("s"), name,
             QLatin1String(kSystemOids[Location]), QStringLiteral("s"), location});
    }

    std::unique_ptr<TConfigForm> m_form;
    NvSNMPRequest2Edits* m_binding = nullptr;

    // The page as the main window builds it: the frame, one editor page over the system group,
    // a request time-out of 30 s, editors 180 pixels wide.
    TSNMPEditorPanel* openInformationPage()
    {
        m_form = std::make_unique<TConfigForm>();
        m_form->setWindowTitle(QStringLiteral("Home \\ Information"));
        auto binding = std::make_unique<NvSNMPRequest2Edits>(m_form.get());
        binding->request.list = NvSNMPVarList(kSystem, LIST_SCALAR, 0);
        binding->request.timeout = 3000;
        m_binding = binding.get();
        TSNMPEditorPanel* panel = m_form->AddEditorPage(std::move(binding));
        panel->SetEditWidth(180);
        return panel;
    }

    // A list page over snmpNotifyTable whose rows are created with "createAndGo" and deleted
    // with "destroy"; its reads block.
    TSNMPListViewPanel* openNotifyPage(const NvSNMPVarRecord* table = kNotify)
    {
        m_form = std::make_unique<TConfigForm>();
        m_form->setWindowTitle(QStringLiteral("Notify"));
        auto binding = std::make_unique<NvSNMPRequest2Edits>(m_form.get());
        binding->request.list = NvSNMPVarList(table, LIST_TABLE, 1);
        binding->request.security.writeCommunity = QStringLiteral("tables");
        binding->async = false;
        m_binding = binding.get();
        return m_form->AddListPage(std::move(binding), NotifyStatus, QStringLiteral("createAndGo"),
                                   NotifyStatus, QStringLiteral("destroy"));
    }

    static QString lastStatusLine(const TSNMPPanel* panel)
    {
        const QStringList lines = panel->messages->memo->toPlainText().split(QLatin1Char('\n'));
        return lines.isEmpty() ? QString() : lines.last();
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_snmpd.Start(&error), qPrintable(error));
        QVERIFY(m_state.isValid());
        StartSession(m_state.path());
        defaultDevice = m_snmpd.device();
        defaultSecurity = SnmpdFixture::Community(1, QStringLiteral("public"));
        defaultSecurity.writeCommunity = QStringLiteral("private");
        NvDialogs::SetTestMode([this](const NvDialogs::MessageRecord& record) {
            return record.buttons == NvDialogs::Buttons::YesNo ? m_answer : NvDialogs::Answer::Ok;
        });
    }

    void cleanupTestCase()
    {
        NvDialogs::LeaveTestMode();
        StopSession();
        m_snmpd.Stop();
    }

    void cleanup()
    {
        m_form.reset();
        m_binding = nullptr;
    }

    void init()
    {
        NvDialogs::ClearRecorded();
        m_answer = NvDialogs::Answer::Yes;
        TConfigForm::closeGraceMs = 1000;
        setSystem(QStringLiteral("contact0"), QStringLiteral("name0"), QStringLiteral("location0"));
        const QString tables = QStringLiteral("tables");
        for (const char* name : {"alpha", "beta", "delta", "gamma"})
            set(tables,
                {notifyOid(5, QLatin1String(name)), QStringLiteral("i"), QStringLiteral("6")});
        for (const auto& [name, tag] : {std::pair{"alpha", "a"}, {"beta", "b"}, {"delta", "d"}})
            set(tables,
                {notifyOid(5, QLatin1String(name)), QStringLiteral("i"), QStringLiteral("4"),
                 notifyOid(2, QLatin1String(name)), QStringLiteral("s"), QLatin1String(tag)});
    }

    // --- the Information page ---

    void informationPageRows()
    {
        TSNMPEditorPanel* panel = openInformationPage();
        int reads = 0;
        m_binding->onBeforeRead = [&reads] { ++reads; };
        QCOMPARE(m_form->formType, int(TConfigForm::EditorPage));
        QCOMPARE(panel->form.data(), m_form.get());
        QCOMPARE(m_binding->statusTarget.data(), panel->messages->memo);

        m_binding->Read();
        QTRY_VERIFY(!m_binding->busy);
        // The deferred refresh reads a second time once the window's messages run.
        QTRY_COMPARE(reads, 2);
        QTRY_VERIFY(!m_binding->busy);
        QCOMPARE(m_form->activeBinding, m_binding);

        for (int row = Descr; row <= Location; ++row) {
            QLineEdit* edit = lineEdit(m_form.get(), row);
            QVERIFY(edit);
            QCOMPARE(edit->width(), 180);
            const bool writable = row >= Contact;
            QCOMPARE(edit->isReadOnly(), !writable);
            QCOMPARE(checkBox(m_form.get(), row)->isHidden(), !writable);
            if (!writable)
                QCOMPARE(edit->palette().color(QPalette::Base), panel->editsPanel->readOnlyColor);
        }
        QVERIFY(lineEdit(m_form.get(), Descr)->text().contains(QStringLiteral("Linux")) ||
                !lineEdit(m_form.get(), Descr)->text().isEmpty());
        QVERIFY(
            lineEdit(m_form.get(), ObjectId)->text().startsWith(QStringLiteral("1.3.6.1.4.1.")));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+:\\d\\d:\\d\\d\\.\\d\\d$"))
                    .match(lineEdit(m_form.get(), Uptime)->text())
                    .hasMatch());
        QCOMPARE(lineEdit(m_form.get(), Name)->text(), QStringLiteral("name0"));
        QVERIFY(lastStatusLine(panel).startsWith(QStringLiteral("Get: (NvSNMP++) Ok!")));
        QVERIFY(panel->buttons->setButton->isHidden() == false);
        QVERIFY(!panel->buttons->setButton->isEnabled());
        QVERIFY(!panel->buttons->checkAllButton->isHidden());
    }

    // As the main window runs it: read, shown modally, closed with the panel's close button.
    void informationPageRunsModally()
    {
        TSNMPEditorPanel* panel = openInformationPage();
        int reads = 0;
        m_binding->onBeforeRead = [&reads] { ++reads; };
        m_binding->Read();
        bool closedByButton = false;
        onModalDialog([&](QDialog* dialog) {
            QCOMPARE(dialog, m_form.get());
            QTRY_COMPARE(reads, 2);
            QTRY_VERIFY(!m_binding->busy);
            QCOMPARE(lineEdit(dialog, Location)->text(), QStringLiteral("location0"));
            QTest::mouseClick(panel->buttons->closeButton, Qt::LeftButton);
            closedByButton = !dialog->isVisible();
        });
        m_form->exec();
        QVERIFY(closedByButton);
        QVERIFY(m_form->bindings.empty());
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    }

    void setCheckedWritesExactlyTheCheckedRows_data()
    {
        QTest::addColumn<QList<int>>("checked");
        QTest::newRow("name only") << QList<int>{Name};
        QTest::newRow("contact and location") << QList<int>{Contact, Location};
        QTest::newRow("all three") << QList<int>{Contact, Name, Location};
    }

    void setCheckedWritesExactlyTheCheckedRows()
    {
        QFETCH(QList<int>, checked);
        TSNMPEditorPanel* panel = openInformationPage();
        m_binding->Read();
        QTRY_VERIFY(!m_binding->busy);
        QTRY_VERIFY(m_form->activeBinding);
        QTRY_VERIFY(!m_binding->busy);
        for (int row = Contact; row <= Location; ++row) {
            lineEdit(m_form.get(), row)->setText(QStringLiteral("new%1").arg(row));
            checkBox(m_form.get(), row)->setChecked(checked.contains(row));
        }
        QVERIFY(panel->buttons->setButton->isEnabled());
        QTest::mouseClick(panel->buttons->setButton, Qt::LeftButton);

        const QString before[] = {QString(),
                                  QString(),
                                  QString(),
                                  QStringLiteral("contact0"),
                                  QStringLiteral("name0"),
                                  QStringLiteral("location0")};
        for (int row = Contact; row <= Location; ++row) {
            const QString expected =
                checked.contains(row) ? QStringLiteral("new%1").arg(row) : before[row];
            QCOMPARE(get(QLatin1String(kSystemOids[row])), QStringLiteral("\"%1\"").arg(expected));
        }
        QVERIFY(lastStatusLine(panel).startsWith(QStringLiteral("Set: (NvSNMP++) Ok!")));
        QVERIFY(m_binding->async);
        for (int i = 0; i < m_binding->request.list.Count(); ++i)
            QVERIFY(!(m_binding->request.list.Item(i).flags & VAR_SKIP));
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    }

    void emptyCheckedRowWritesNothing()
    {
        TSNMPEditorPanel* panel = openInformationPage();
        m_binding->Read();
        QTRY_VERIFY(m_form->activeBinding);
        QTRY_VERIFY(!m_binding->busy);
        lineEdit(m_form.get(), Contact)->clear();
        lineEdit(m_form.get(), Name)->setText(QStringLiteral("changed"));
        panel->CheckAll();
        panel->SetChecked(panel->buttons->setButton);
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages().first().text,
                 QStringLiteral("Some items are empty!"));
        QCOMPARE(NvDialogs::RecordedMessages().first().caption, QStringLiteral("Warning"));
        QCOMPARE(get(QLatin1String(kSystemOids[Name])), QStringLiteral("\"name0\""));
        QCOMPARE(get(QLatin1String(kSystemOids[Contact])), QStringLiteral("\"contact0\""));
    }

    // --- closing the frame ---

    void closingDuringAReadWaitsForIt()
    {
        openInformationPage();
        bool readDone = false;
        int doneCode = -1;
        m_binding->onReadDone = [&](NvSNMPRequest2Controls*, const NvSNMPError& error) {
            readDone = true;
            doneCode = error.code;
        };
        m_form->show();
        m_binding->Read();
        QVERIFY(m_binding->busy);
        m_form->close();
        QVERIFY(m_form->isHidden());
        QVERIFY(m_form->bindings.empty());
        QVERIFY(readDone);
        QCOMPARE(doneCode, 0);
        QCOMPARE(lineEdit(m_form.get(), Name)->text(), QStringLiteral("name0"));
    }

    // The answer is due later than the request's own time-out and retries allow (its time-out
    // is shortened after the send): the close waits that long plus the grace period, then the
    // binding goes anyway while the answer is still outstanding.
    void closeWaitIsBoundedWhenNoAnswerComes()
    {
        SilentPeer silent;
        TSNMPEditorPanel* panel = openInformationPage();
        m_binding->request.device = silent.device();
        bool readDone = false;
        m_binding->onReadDone = [&](NvSNMPRequest2Controls*, const NvSNMPError&) {
            readDone = true;
        };
        const int destroyWait = NvSNMPRequest::destroyWaitMs;
        NvSNMPRequest::destroyWaitMs = 0;
        TConfigForm::closeGraceMs = 0;
        const int outstandingBefore = NvSNMPOutstandingCount();

        m_form->show();
        m_binding->Read();
        QVERIFY(m_binding->busy);
        m_binding->request.timeout = 1;
        m_binding->request.retries = 0;
        m_form->close();
        NvSNMPRequest::destroyWaitMs = destroyWait;

        QVERIFY(m_form->isHidden());
        QVERIFY(m_form->bindings.empty());
        QVERIFY(!readDone);
        QCOMPARE(NvSNMPOutstandingCount(), outstandingBefore + 1);
        QVERIFY(silent.TakeReceived() >= 1);
        // Whatever comes late finds neither m_binding nor panel to touch.
        QVERIFY(!panel->binding && !panel->editsPanel->binding);
        panel->RefreshClicked();
    }

    // A close asked for while a blocking table read lets the window's messages run ends the
    // walk after its current row and follows as soon as the read has returned.
    void closeDuringABlockingWalkFollowsTheWalk()
    {
        openNotifyPage();
        int reads = 0;
        m_binding->onBeforeRead = [&reads] { ++reads; };
        m_form->show();
        QTimer::singleShot(0, m_form.get(), &QWidget::close);
        m_binding->Read();
        QVERIFY(m_binding->rowCount >= 1);
        QVERIFY(m_binding->rowCount < 3);
        // The deferred refresh arrived inside the read and did not start a second one.
        QCOMPARE(reads, 1);
        QVERIFY(!m_form->isHidden());
        QTRY_VERIFY(m_form->isHidden());
        QVERIFY(m_form->bindings.empty());
    }

    // A close asked for while the page's edit dialog is open follows when the dialog closes;
    // the dialog's panel never finds its binding gone.
    void closeDuringAnEditDialogFollowsTheDialog()
    {
        TSNMPListViewPanel* panel = openNotifyPage();
        m_form->show();
        QTRY_COMPARE(panel->listPanel->listView->topLevelItemCount(), 3);
        QTreeWidget* view = panel->listPanel->listView;
        view->setCurrentItem(rowNamed(view, QStringLiteral("alpha")));
        bool checked = false;
        onModalDialog([&](QDialog* dialog) {
            m_form->close();
            QVERIFY(!m_form->isHidden());
            QCOMPARE(m_form->bindings.size(), size_t(1));
            dialog->reject();
            checked = true;
        });
        panel->EditDialog();
        QVERIFY(checked);
        QTRY_VERIFY(m_form->isHidden());
        QVERIFY(m_form->bindings.empty());
        QVERIFY(panel->editsPanel->isHidden());
    }

    // --- the list page ---

    void listPageRowsAndHints()
    {
        TSNMPListViewPanel* panel = openNotifyPage();
        QTRY_COMPARE(panel->listPanel->listView->topLevelItemCount(), 3);
        QCOMPARE(panel->buttons->counter->text(), QStringLiteral("3"));
        QVERIFY(!panel->buttons->addButton->isHidden() && panel->buttons->addButton->isEnabled());
        QVERIFY(!panel->buttons->deleteButton->isHidden());
        QVERIFY(!panel->buttons->deleteButton->isEnabled());
        QVERIFY(!panel->buttons->editButton->isEnabled());
        QVERIFY(panel->editsPanel->isHidden());

        QTreeWidget* view = panel->listPanel->listView;
        QTreeWidgetItem* beta = rowNamed(view, QStringLiteral("beta"));
        QVERIFY(beta);
        view->setCurrentItem(beta);
        QVERIFY(panel->buttons->editButton->isEnabled());
        QVERIFY(panel->buttons->deleteButton->isEnabled());
        QCOMPARE(lineEdit(m_form.get(), NotifyTag)->text(), QStringLiteral("b"));
        QCOMPARE(comboBox(m_form.get(), NotifyStatus)->currentText(), QStringLiteral("active"));
        // Every column, the hidden storage column first, the captions padded to the longest.
        QCOMPARE(panel->RowHint(beta).split(QLatin1Char('\n')),
                 QStringList({QStringLiteral("Storage  "), QStringLiteral("Name\t\t\t  beta"),
                              QStringLiteral("Tag\t\t\t\t  b"), QStringLiteral("Type\t\t\t  trap"),
                              QStringLiteral("Status\t  active")}));
        // Hovering shows the hint; hovering below the rows hides it.
        m_form->show();
        QWidget* viewport = view->viewport();
        const QPoint onBeta = view->visualItemRect(beta).center();
        QHelpEvent overRow(QEvent::ToolTip, onBeta, viewport->mapToGlobal(onBeta));
        QApplication::sendEvent(viewport, &overRow);
        QCOMPARE(QToolTip::text(), panel->RowHint(beta));
        const QPoint belowRows(5, viewport->height() - 5);
        QHelpEvent overNothing(QEvent::ToolTip, belowRows, viewport->mapToGlobal(belowRows));
        QApplication::sendEvent(viewport, &overNothing);
        QTRY_VERIFY(!QToolTip::isVisible());
        view->clearSelection();
        QVERIFY(!panel->buttons->editButton->isEnabled());
        QVERIFY(lineEdit(m_form.get(), NotifyTag)->text().isEmpty());
    }

    void editDialogWritesTheRowAndRestoresTheStatusItems()
    {
        TSNMPListViewPanel* panel = openNotifyPage();
        QTRY_COMPARE(panel->listPanel->listView->topLevelItemCount(), 3);
        QTreeWidget* view = panel->listPanel->listView;
        view->setCurrentItem(rowNamed(view, QStringLiteral("alpha")));
        const QStringList allStatuses = itemsOf(comboBox(m_form.get(), NotifyStatus));
        bool checked = false;
        onModalDialog([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Notify"));
            QCOMPARE(itemsOf(comboBox(dialog, NotifyStatus)),
                     QStringList({QStringLiteral("active"), QStringLiteral("notInService"),
                                  QStringLiteral("notReady"), QStringLiteral("createAndWait")}));
            QCOMPARE(comboBox(dialog, NotifyStatus)->currentText(), QStringLiteral("active"));
            QVERIFY(lineEdit(dialog, NotifyName)->isReadOnly());
            QVERIFY(checkBox(dialog, NotifyName)->isHidden());
            QCOMPARE(lineEdit(dialog, NotifyName)->text(), QStringLiteral("alpha"));
            QCOMPARE(lineEdit(dialog, NotifyTag)->width(), 200);
            auto* set = dialog->findChild<QPushButton*>(QStringLiteral("setButton"));
            QVERIFY(!set->isEnabled());
            QVERIFY(dialog->findChild<QPushButton*>(QStringLiteral("refreshButton"))->isHidden());
            lineEdit(dialog, NotifyTag)->setText(QStringLiteral("edited"));
            checkBox(dialog, NotifyTag)->setChecked(true);
            QVERIFY(set->isEnabled());
            QTest::mouseClick(set, Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
            checked = true;
        });
        QTest::mouseClick(panel->buttons->editButton, Qt::LeftButton);
        QVERIFY(checked);
        QCOMPARE(get(notifyOid(NotifyTag + 1, QStringLiteral("alpha"))),
                 QStringLiteral("\"edited\""));
        QCOMPARE(get(notifyOid(NotifyStatus + 1, QStringLiteral("alpha"))), QStringLiteral("1"));
        QCOMPARE(itemsOf(comboBox(m_form.get(), NotifyStatus)), allStatuses);
        QVERIFY(panel->editsPanel->isHidden());
        QCOMPARE(panel->editsPanel->parentWidget(), panel->contentArea);
        QCOMPARE(rowNamed(view, QStringLiteral("alpha"))->text(2), QStringLiteral("edited"));
        QVERIFY(!panel->buttons->editButton->isEnabled());
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    }

    // A status column offering only the creating and the deleting value has nothing to offer
    // while a row is edited: its row is hidden there and comes back afterwards.
    void statusRowWithNothingLeftIsHiddenWhileEditing()
    {
        static const NvOptionRow createOrDestroyRows[] = {
            {4, "createAndGo"}, {6, "destroy"}, {0, nullptr}};
        static const NvOptionList createOrDestroy(createOrDestroyRows);
        NvSNMPVarRecord table[std::size(kNotify)];
        std::copy(std::begin(kNotify), std::end(kNotify), table);
        table[NotifyStatus].options = &createOrDestroy;
        TSNMPListViewPanel* panel = openNotifyPage(table);
        QTRY_COMPARE(panel->listPanel->listView->topLevelItemCount(), 3);
        QTreeWidget* view = panel->listPanel->listView;
        view->setCurrentItem(rowNamed(view, QStringLiteral("delta")));
        bool checked = false;
        onModalDialog([&](QDialog* dialog) {
            QComboBox* status = comboBox(dialog, NotifyStatus);
            QCOMPARE(status->count(), 0);
            QVERIFY(status->isHidden());
            QVERIFY(checkBox(dialog, NotifyStatus)->isHidden());
            QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("rowLabel%1").arg(NotifyStatus))
                        ->isHidden());
            checked = true;
        });
        panel->EditDialog();
        QVERIFY(checked);
        QCOMPARE(itemsOf(comboBox(m_form.get(), NotifyStatus)),
                 QStringList({QStringLiteral("createAndGo"), QStringLiteral("destroy")}));
        QVERIFY(!comboBox(m_form.get(), NotifyStatus)->isHidden());
        QVERIFY(!(m_binding->request.list.Item(NotifyStatus).flags & VAR_HIDDEN));
    }

    void addDialogAlwaysWritesKeyAndStatus()
    {
        TSNMPListViewPanel* panel = openNotifyPage();
        QTRY_COMPARE(panel->listPanel->listView->topLevelItemCount(), 3);
        QTreeWidget* view = panel->listPanel->listView;
        view->setCurrentItem(rowNamed(view, QStringLiteral("alpha")));
        bool checked = false;
        onModalDialog([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Notify (Add)"));
            QVERIFY(view->selectedItems().isEmpty());
            QVERIFY(!panel->buttons->editButton->isEnabled());
            QVERIFY(lineEdit(dialog, NotifyName)->text().isEmpty());
            QVERIFY(!lineEdit(dialog, NotifyName)->isReadOnly());
            QCheckBox* key = checkBox(dialog, NotifyName);
            QVERIFY(!key->isHidden() && key->isChecked() && !key->isEnabled());
            QComboBox* status = comboBox(dialog, NotifyStatus);
            QCOMPARE(status->currentText(), QStringLiteral("createAndGo"));
            QCOMPARE(status->count(), 6);
            QVERIFY(!status->isEnabled());
            QVERIFY(checkBox(dialog, NotifyStatus)->isChecked());
            QVERIFY(!checkBox(dialog, NotifyStatus)->isEnabled());
            auto* set = dialog->findChild<QPushButton*>(QStringLiteral("setButton"));
            QVERIFY(set->isEnabled());
            // Clear Checks leaves the key and the status checked.
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("clearChecksButton")),
                              Qt::LeftButton);
            QVERIFY(key->isChecked() && checkBox(dialog, NotifyStatus)->isChecked());
            QTest::keyClicks(lineEdit(dialog, NotifyName), QStringLiteral("gamma"));
            lineEdit(dialog, NotifyTag)->setText(QStringLiteral("g"));
            checkBox(dialog, NotifyTag)->setChecked(true);
            QTest::mouseClick(set, Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
            checked = true;
        });
        QTest::mouseClick(panel->buttons->addButton, Qt::LeftButton);
        QVERIFY(checked);
        QCOMPARE(get(notifyOid(NotifyStatus + 1, QStringLiteral("gamma"))), QStringLiteral("1"));
        QCOMPARE(get(notifyOid(NotifyTag + 1, QStringLiteral("gamma"))), QStringLiteral("\"g\""));
        QCOMPARE(view->topLevelItemCount(), 4);
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("answered No") << false;
        QTest::newRow("answered Yes") << true;
    }

    void deleteAsksFirst()
    {
        QFETCH(bool, confirm);
        TSNMPListViewPanel* panel = openNotifyPage();
        QTRY_COMPARE(panel->listPanel->listView->topLevelItemCount(), 3);
        QTreeWidget* view = panel->listPanel->listView;
        view->setCurrentItem(rowNamed(view, QStringLiteral("beta")));
        m_answer = confirm ? NvDialogs::Answer::Yes : NvDialogs::Answer::No;
        const uint64_t errorsBefore = m_binding->request.errorCount;
        QTest::mouseClick(panel->buttons->deleteButton, Qt::LeftButton);

        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        const NvDialogs::MessageRecord& asked = NvDialogs::RecordedMessages().first();
        QCOMPARE(asked.text, QStringLiteral("Are you sure to delete ?"));
        QCOMPARE(asked.caption, QStringLiteral("Delete"));
        QCOMPARE(asked.buttons, NvDialogs::Buttons::YesNo);
        QCOMPARE(m_binding->request.errorCount, errorsBefore);
        const QString status = get(notifyOid(NotifyStatus + 1, QStringLiteral("beta")));
        if (confirm) {
            QVERIFY(status.contains(QStringLiteral("No Such Instance")));
            QCOMPARE(view->topLevelItemCount(), 2);
            QVERIFY(!rowNamed(view, QStringLiteral("beta")));
            QVERIFY(lastStatusLine(panel).startsWith(QStringLiteral("Get: (NvSNMP++) Ok!")));
        } else {
            QCOMPARE(status, QStringLiteral("1"));
            QCOMPARE(view->topLevelItemCount(), 3);
        }
        QCOMPARE(get(notifyOid(NotifyTag + 1, QStringLiteral("alpha"))), QStringLiteral("\"a\""));
        for (int i = 0; i < m_binding->request.list.Count(); ++i)
            QVERIFY(!(m_binding->request.list.Item(i).flags & VAR_SKIP));
        QVERIFY(!m_binding->async);
    }

    void statusValuesMustBeItemsOfTheColumn_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("add: no such item")
            << true << int(NotifyStatus) << QStringLiteral("bogus")
            << QStringLiteral("TSNMPListViewPanel::SetAddStatus - Wrong AddStatusValue:bogus");
        QTest::newRow("delete: a column without items")
            << false << int(NotifyTag) << QStringLiteral("destroy")
            << QStringLiteral(
                   "TSNMPListViewPanel::SetDeleteStatus - Wrong DeleteStatusValue:destroy");
        QTest::newRow("delete: no such column")
            << false << 9 << QStringLiteral("destroy")
            << QStringLiteral(
                   "TSNMPListViewPanel::SetDeleteStatus - Wrong DeleteStatusValue:destroy");
    }

    void statusValuesMustBeItemsOfTheColumn()
    {
        QFETCH(bool, adding);
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QWidget page;
        NvSNMPRequest2Edits binding(&page);
        binding.request.list = NvSNMPVarList(kNotify, LIST_TABLE, 1);
        TSNMPListViewPanel panel(&page, &binding);
        try {
            if (adding)
                panel.SetAddStatus(column, value);
            else
                panel.SetDeleteStatus(column, value);
            QFAIL("no error raised");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString::fromUtf8(error.what()), message);
        }
        QVERIFY(panel.buttons->addButton->isHidden());
        QVERIFY(panel.buttons->deleteButton->isHidden());
    }

    // --- form types and the binding in service ---

    void formTypeIsFixedByTheFirstPage()
    {
        TConfigForm form;
        QCOMPARE(form.formType, int(TConfigForm::NoPage));
        QCOMPARE(form.windowTitle(), QStringLiteral("ConfigForm"));
        form.Refresh(); // no page: nothing
        auto first = std::make_unique<NvSNMPRequest2Edits>(&form);
        first->request.list = NvSNMPVarList(kSystem, LIST_SCALAR, 0);
        form.AddEditorPage(std::move(first));
        for (const bool list : {false, true}) {
            auto second = std::make_unique<NvSNMPRequest2Edits>(&form);
            second->request.list = NvSNMPVarList(kSystem, LIST_SCALAR, 0);
            try {
                if (list)
                    form.AddListPage(std::move(second), -1, QString(), -1, QString());
                else
                    form.AddEditorPage(std::move(second));
                QFAIL("no error raised");
            } catch (const std::runtime_error& error) {
                QCOMPARE(QString::fromLatin1(error.what()),
                         QStringLiteral("Can not change Type of a Config Form!"));
            }
        }
        QCOMPARE(form.formType, int(TConfigForm::EditorPage));
        QCOMPARE(form.bindings.size(), size_t(1));
        form.formType = 7;
        try {
            form.Refresh();
            QFAIL("no error raised");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString::fromLatin1(error.what()),
                     QStringLiteral("Refresh a Form with unknown Form Type!"));
        }
    }

    // Tabbed pages: the active tab's binding is read and is the only one in service.
    void onlyTheActiveBindingIsInService()
    {
        TConfigForm form;
        form.formType = TConfigForm::TabbedPages;
        QTabWidget tabs;
        form.pages = &tabs;
        form.Refresh(); // no tab page: nothing
        for (int i = 0; i < 2; ++i) {
            auto binding = std::make_unique<NvSNMPRequest2Edits>(&form);
            binding->request.list = NvSNMPVarList(kSystem, LIST_SCALAR, 0);
            binding->async = false;
            form.bindings.push_back(std::move(binding));
            tabs.addTab(new QWidget, QStringLiteral("Tab %1").arg(i));
        }
        NvSNMPRequest2Edits* first = form.bindings[0].get();
        NvSNMPRequest2Edits* second = form.bindings[1].get();
        tabs.setCurrentIndex(1);
        form.Refresh();
        QCOMPARE(form.activeBinding, second);
        QVERIFY(second->request.alive && !first->request.alive);
        QCOMPARE(second->request.list.Item(Name).value, QStringLiteral("name0"));
        QVERIFY(first->request.list.Item(Name).value.isEmpty());
        tabs.setCurrentIndex(0);
        form.Refresh();
        QCOMPARE(form.activeBinding, first);
        QVERIFY(first->request.alive && !second->request.alive);
        QCOMPARE(first->request.list.Item(Name).value, QStringLiteral("name0"));
    }
};

QTEST_MAIN(TestSnmpPanels)
#include "test_snmp_panels.moc"
