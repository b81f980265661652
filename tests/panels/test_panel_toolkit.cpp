// The panel toolkit without a device: the button column, the editing rows and their states,
// the buttons each content panel offers, and the glyphs of the buttons.
#include "NvDialogs.h"
#include "NvOptionList.h"
#include "NvSNMPRequest2Edits.h"
#include "TCtrlBtnPanel.h"
#include "TEditsPanel.h"
#include "TListViewPanel.h"
#include "TMsgPanel.h"
#include "TSNMPEditorPanel.h"
#include "TableRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <stdexcept>

namespace {

const NvOptionRow kEnableRows[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
const NvOptionList kEnable(kEnableRows);

// One variable of each row kind, in kind order, and a skipped one.
const NvSNMPVarRecord kKinds[] = {
    ROW("1.3.6.1.4.1.32473.9000.1.1", "Read only", SYN_DISPLAYSTRING, 0x02, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.1.2", "Writable", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.1.3", "Writable choice", SYN_INTEGER, 0x06, &kEnable),
    ROW("1.3.6.1.4.1.32473.9000.1.4", "Read-only choice", SYN_INTEGER, 0x02, &kEnable),
    ROW("1.3.6.1.4.1.32473.9000.1.5", "Left out", SYN_DISPLAYSTRING, 0x20, nullptr),
    END,
};

const NvSNMPVarRecord kReadOnly[] = {
    ROW("1.3.6.1.2.1.1.1", "System Description", SYN_DISPLAYSTRING, 0x02, nullptr),
    ROW("1.3.6.1.2.1.1.3", "System Uptime", SYN_TIMETICKS, 0x02, nullptr),
    END,
};

const NvSNMPVarRecord kOneWritable[] = {
    ROW("1.3.6.1.2.1.1.1", "System Description", SYN_DISPLAYSTRING, 0x02, nullptr),
    ROW("1.3.6.1.2.1.1.5", "System Name", SYN_DISPLAYSTRING, 0x06, nullptr),
    END,
};

const NvSNMPVarRecord kThreeWritable[] = {
    ROW("1.3.6.1.2.1.1.1", "System Description", SYN_DISPLAYSTRING, 0x02, nullptr),
    ROW("1.3.6.1.2.1.1.4", "System Contact", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.2.1.1.5", "System Name", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.2.1.1.6", "System Location", SYN_DISPLAYSTRING, 0x06, nullptr),
    END,
};

// A table: the key is greyed like a read-only variable.
const NvSNMPVarRecord kTable[] = {
    ROW(" ", "Index", SYN_INTEGER, 0x01, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.2.1.2", "Service Set Identifier", SYN_DISPLAYSTRING, 0x06, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.2.1.3", "Secret", SYN_DISPLAYSTRING, 0x04, nullptr),
    ROW("1.3.6.1.4.1.32473.9000.2.1.4", "State", SYN_INTEGER, 0x06, &kEnable),
    END,
};

bool shown(const QWidget* w)
{
    return !w->isHidden();
}

} // namespace

class TestPanelToolkit : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_form;
    std::unique_ptr<NvSNMPRequest2Edits> m_binding;

    NvSNMPRequest2Edits* bind(const NvSNMPVarRecord* table, uint8_t kind = LIST_SCALAR,
                              int keyCount = 0)
    {
        m_binding = std::make_unique<NvSNMPRequest2Edits>(m_form.get());
        m_binding->request.list = NvSNMPVarList(table, kind, keyCount);
        return m_binding.get();
    }

private slots:
    void init()
    {
        NvDialogs::SetTestMode();
        m_form = std::make_unique<QWidget>();
    }

    void cleanup()
    {
        // The panels go with the form; the binding outlives them as a page's would.
        m_form.reset();
        m_binding.reset();
        NvDialogs::LeaveTestMode();
    }

    // --- button column ---

    void hiddenButtonsDoNotAdvanceTheStack()
    {
        TCtrlBtnPanel panel(m_form.get());
        QVERIFY(panel.addButton->isHidden());
        QVERIFY(panel.deleteButton->isHidden());
        panel.LayoutButtons();
        QCOMPARE(panel.width(), 2 * panel.leftMargin + 96);
        QCOMPARE(panel.counter->geometry().top(), panel.topMargin);
        // Set Checked is followed by the hidden Add and Delete, then Check All.
        const int setBottom = panel.setButton->geometry().bottom() + 1;
        QCOMPARE(panel.checkAllButton->geometry().top(), setBottom + 5);
        for (QWidget* element : panel.findChildren<QWidget*>()) {
            QCOMPARE(element->width(), 96);
            QCOMPARE(element->x(), panel.leftMargin);
        }

        panel.addButton->show();
        panel.LayoutButtons();
        QCOMPARE(panel.addButton->geometry().top(), setBottom + 5);
        QCOMPARE(panel.checkAllButton->geometry().top(),
                 panel.addButton->geometry().bottom() + 1 + 5);
    }

    void glyphs_data()
    {
        QTest::addColumn<QByteArray>("localFile"); // what "Get.bmp" in the current folder holds
        QTest::addColumn<bool>("localGlyph");
        QTest::newRow("bitmap in the current folder") << QByteArray("red") << true;
        QTest::newRow("no bitmap in the current folder") << QByteArray() << false;
        QTest::newRow("unreadable bitmap") << QByteArray("garbage") << false;
    }

    // The current folder's bitmap wins; otherwise the copy compiled into the program keeps the
    // buttons' pictures. Either way the caption moves to the tool tip.
    void glyphs()
    {
        QFETCH(QByteArray, localFile);
        QFETCH(bool, localGlyph);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        const QString local = folder.filePath(QStringLiteral("Get.bmp"));
        if (localFile == "red") {
            QImage red(16, 16, QImage::Format_RGB32);
            red.fill(Qt::red);
            QVERIFY(red.save(local, "BMP"));
        } else if (localFile == "garbage") {
            QFile file(local);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("BM not really a bitmap");
        }
        TCtrlBtnPanel panel(m_form.get());
        QDir::setCurrent(previous);

        const QImage shownGlyph = panel.refreshButton->icon().pixmap(16, 16).toImage();
        QVERIFY(!shownGlyph.isNull());
        const QImage compiled(qEnvironmentVariable("QTR_SOURCE_DIR") +
                              QStringLiteral("/assets/panels/Get.bmp"));
        QVERIFY(!compiled.isNull());
        const QRgb expected = localGlyph ? QColor(Qt::red).rgb() : compiled.pixel(7, 10);
        QCOMPARE(shownGlyph.pixel(7, 10), expected);
        QCOMPARE(panel.refreshButton->text(), QString());
        QCOMPARE(panel.refreshButton->toolTip(), QStringLiteral("Refresh"));
        QCOMPARE(panel.closeButton->toolTip(), QStringLiteral("Close"));
        QVERIFY(!panel.closeButton->icon().isNull());
    }

    // --- editing rows ---

    void rowKinds_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("combo");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("read-only") << 0 << 1 << false << false;
        QTest::newRow("writable") << 1 << 2 << false << true;
        QTest::newRow("writable with options") << 2 << 3 << true << true;
        QTest::newRow("read-only with options") << 3 << 4 << false << false;
        QTest::newRow("left out") << 4 << 1 << false << false;
    }

    void rowKinds()
    {
        QFETCH(int, row);
        QFETCH(int, kind);
        QFETCH(bool, combo);
        QFETCH(bool, enabled);
        TEditsPanel panel(m_form.get(), bind(kKinds));
        QCOMPARE(static_cast<int>(panel.rows.size()), 5);
        const EditRow& r = panel.rows[row];
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.format, QStringLiteral("%s"));
        QCOMPARE(qobject_cast<QComboBox*>(r.editor) != nullptr, combo);
        QCOMPARE(r.enabled, enabled);
        QCOMPARE(shown(r.checkBox), enabled);
        QCOMPARE(r.checkBox->isEnabled(), enabled);
        QVERIFY(!r.checkBox->isChecked());
        QCOMPARE(r.checkBox->width(), 20);
        QCOMPARE(r.checkBox->focusPolicy(), Qt::NoFocus);
        QCOMPARE(r.label->text(), m_binding->request.list.Item(row).name);
        // Every editor is bound: a value shows in it.
        m_binding->request.list.Item(row).value = QStringLiteral("Enable");
        m_binding->ValuesToControls(row);
        const QString text = combo ? static_cast<QComboBox*>(r.editor)->currentText()
                                   : static_cast<QLineEdit*>(r.editor)->text();
        if (row != 4) // a left-out variable is not shown
            QCOMPARE(text, QStringLiteral("Enable"));
    }

    void disabledRowsAreGreyAndEnabledOnesWhite()
    {
        TEditsPanel panel(m_form.get(), bind(kKinds));
        auto* readOnly = static_cast<QLineEdit*>(panel.rows[0].editor);
        QVERIFY(readOnly->isReadOnly());
        QCOMPARE(readOnly->focusPolicy(), Qt::NoFocus);
        QCOMPARE(readOnly->palette().color(QPalette::Base), panel.readOnlyColor);
        QCOMPARE(readOnly->palette().color(QPalette::Text), QColor(Qt::black));
        auto* writable = static_cast<QLineEdit*>(panel.rows[1].editor);
        QVERIFY(!writable->isReadOnly());
        QCOMPARE(writable->palette().color(QPalette::Base), QColor(Qt::white));

        panel.EnableRow(0);
        QVERIFY(!readOnly->isReadOnly());
        QVERIFY(shown(panel.rows[0].checkBox));
        QCOMPARE(readOnly->palette().color(QPalette::Base), QColor(Qt::white));
        panel.rows[1].checkBox->setChecked(true);
        panel.DisableRow(1);
        QVERIFY(writable->isReadOnly());
        QVERIFY(!panel.rows[1].checkBox->isChecked());
        QVERIFY(panel.rows[1].checkBox->isHidden());
        auto* combo = static_cast<QComboBox*>(panel.rows[2].editor);
        panel.DisableRow(2);
        QVERIFY(!combo->isEnabled());
        QCOMPARE(combo->palette().color(QPalette::Base), panel.readOnlyColor);
    }

    void tableKeysAreDisabled()
    {
        TEditsPanel panel(m_form.get(), bind(kTable, LIST_TABLE, 1));
        QVERIFY(!panel.rows[0].enabled);
        QVERIFY(panel.rows[1].enabled);
        QVERIFY(panel.rows[2].enabled); // write-only: still written
        QCOMPARE(panel.EnabledRowCount(), 3);
    }

    void badRowIndexIsRefused_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("one beyond the last") << 5;
        QTest::newRow("negative") << -1;
    }

    void badRowIndexIsRefused()
    {
        QFETCH(int, index);
        TEditsPanel panel(m_form.get(), bind(kKinds));
        NvDialogs::ClearRecorded();
        panel.EnableRow(index);
        panel.HideRow(index);
        QCOMPARE(NvDialogs::RecordedMessages().size(), 2);
        QCOMPARE(NvDialogs::RecordedMessages().first().text,
                 QStringLiteral("aIdx is overtop!\n you may define < 5"));
        QCOMPARE(panel.EnabledRowCount(), 2);
    }

    void layoutStacksRowsAndHidingClosesTheGap()
    {
        TEditsPanel panel(m_form.get(), bind(kThreeWritable));
        const int rowStep = panel.rows[1].editor->y() - panel.rows[0].editor->y();
        QCOMPARE(panel.rows[0].editor->y(), 20);
        QCOMPARE(rowStep, qMax(panel.rows[0].editor->height(), 21) + 5);
        QCOMPARE(panel.rows[0].checkBox->x(), 20);
        QCOMPARE(panel.rows[0].label->x(), 45);
        int widest = 0;
        for (const EditRow& row : panel.rows)
            widest = qMax(widest, row.label->width());
        for (const EditRow& row : panel.rows) {
            QCOMPARE(row.editor->x(), 45 + widest + 5);
            QCOMPARE(row.editor->width(), 121);
            QCOMPARE(row.label->geometry().center().y(), row.editor->geometry().center().y());
        }
        QCOMPARE(panel.width(), 45 + widest + 5 + 121 + 40);
        QCOMPARE(panel.height(), panel.rows[3].editor->geometry().bottom() + 1 + 40);

        const int thirdTop = panel.rows[2].editor->y();
        const int heightBefore = panel.height();
        panel.HideRow(1);
        QVERIFY(m_binding->request.list.Item(1).flags & VAR_HIDDEN);
        QVERIFY(panel.rows[1].editor->isHidden() && panel.rows[1].label->isHidden());
        QCOMPARE(panel.rows[2].editor->y(), thirdTop - rowStep);
        QCOMPARE(panel.height(), heightBefore - rowStep);
        panel.ShowRow(1);
        QVERIFY(!(m_binding->request.list.Item(1).flags & VAR_HIDDEN));
        QCOMPARE(panel.rows[2].editor->y(), thirdTop);
        QVERIFY(shown(panel.rows[1].checkBox));

        panel.SetEditWidth(180, TEditsPanel::kVerticalLayout);
        QCOMPARE(panel.rows[0].editor->width(), 180);
        QCOMPARE(panel.width(), 45 + widest + 5 + 180 + 40);
    }

    void clearingRows()
    {
        TEditsPanel panel(m_form.get(), bind(kKinds));
        NvSNMPVarList& list = m_binding->request.list;
        list.Item(1).value = QStringLiteral("text");
        list.Item(2).value = QStringLiteral("Enable");
        m_binding->ValuesToControls(-1);
        QVERIFY(!panel.RowIsEmpty(1));
        QVERIFY(!panel.RowIsEmpty(2));
        panel.ClearRows();
        QVERIFY(panel.RowIsEmpty(1));
        QVERIFY(panel.RowIsEmpty(2));
        QCOMPARE(static_cast<QComboBox*>(panel.rows[2].editor)->currentIndex(), -1);
        QVERIFY(list.Item(1).value.isEmpty());
        QVERIFY(list.Item(2).value.isEmpty());
    }

    // --- the buttons each panel offers ---

    void editorButtons_data()
    {
        QTest::addColumn<int>("table"); // 0 read-only, 1 one writable, 2 three writable
        QTest::addColumn<bool>("setShown");
        QTest::addColumn<bool>("setEnabled");
        QTest::addColumn<QString>("setCaption");
        QTest::addColumn<bool>("checkAllShown");
        QTest::addColumn<bool>("checkBoxesShown");
        QTest::newRow("nothing writable") << 0 << false << false << QString() << false << false;
        QTest::newRow("one writable row")
            << 1 << true << true << QStringLiteral("Set") << false << false;
        QTest::newRow("several writable rows") << 2 << true << false << QString() << true << true;
    }

    void editorButtons()
    {
        QFETCH(int, table);
        QFETCH(bool, setShown);
        QFETCH(bool, setEnabled);
        QFETCH(QString, setCaption);
        QFETCH(bool, checkAllShown);
        QFETCH(bool, checkBoxesShown);
        const NvSNMPVarRecord* tables[] = {kReadOnly, kOneWritable, kThreeWritable};
        TSNMPEditorPanel panel(m_form.get(), bind(tables[table]));
        const TCtrlBtnPanel& b = *panel.buttons;
        QVERIFY(b.counter->isHidden() && b.counterLabel->isHidden());
        QVERIFY(b.editButton->isHidden() && b.addButton->isHidden() && b.deleteButton->isHidden());
        QVERIFY(shown(b.refreshButton) && shown(b.closeButton));
        QCOMPARE(shown(b.setButton), setShown);
        QCOMPARE(b.setButton->isEnabled(), setEnabled);
        QCOMPARE(b.setButton->text(), setCaption);
        QCOMPARE(shown(b.checkAllButton), checkAllShown);
        QCOMPARE(shown(b.clearChecksButton), checkAllShown);
        bool anyCheckBoxShown = false;
        for (const EditRow& row : panel.editsPanel->rows)
            anyCheckBoxShown = anyCheckBoxShown || shown(row.checkBox);
        QCOMPARE(anyCheckBoxShown, checkBoxesShown);
        if (table == 1)
            QVERIFY(panel.editsPanel->rows[1].checkBox->isChecked()); // written by "Set"
        // The column holds exactly the shown buttons, stacked without gaps.
        QCOMPARE(b.refreshButton->y(), b.topMargin);
    }

    void editingPanelWithoutBindingCannotArrangeButtons()
    {
        TEditsPanel panel(m_form.get(), nullptr);
        TCtrlBtnPanel buttons(m_form.get());
        try {
            panel.ArrangeCtrlBtn(&buttons);
            QFAIL("no error raised");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString::fromLatin1(error.what()),
                     QStringLiteral("TEditsPanel:ArrangeCtrlBtn - EditCtrl is NULL!"));
        }
    }

    // "Set Checked" can only be pressed while a shown row is checked.
    void setButtonFollowsTheChecks()
    {
        TSNMPEditorPanel panel(m_form.get(), bind(kThreeWritable));
        QPushButton* set = panel.buttons->setButton;
        std::vector<EditRow>& rows = panel.editsPanel->rows;
        QVERIFY(!set->isEnabled());
        rows[2].checkBox->setChecked(true);
        QVERIFY(set->isEnabled());
        rows[2].checkBox->setChecked(false);
        QVERIFY(!set->isEnabled());

        QTest::mouseClick(panel.buttons->checkAllButton, Qt::LeftButton);
        QVERIFY(!rows[0].checkBox->isChecked()); // read-only row: nothing to check
        QVERIFY(rows[1].checkBox->isChecked() && rows[2].checkBox->isChecked() &&
                rows[3].checkBox->isChecked());
        QVERIFY(set->isEnabled());
        QCOMPARE(panel.editsPanel->CheckedRowCount(), 3);
        QTest::mouseClick(panel.buttons->clearChecksButton, Qt::LeftButton);
        QCOMPARE(panel.editsPanel->CheckedRowCount(), 0);
        QVERIFY(!set->isEnabled());
    }

    // A checked row whose editor is empty refuses the whole write before anything is sent (the
    // binding has no device here: a write would report a failure in the message area).
    void emptyCheckedRowRefusesTheWrite()
    {
        TSNMPEditorPanel panel(m_form.get(), bind(kThreeWritable));
        std::vector<EditRow>& rows = panel.editsPanel->rows;
        static_cast<QLineEdit*>(rows[1].editor)->setText(QStringLiteral("someone"));
        rows[1].checkBox->setChecked(true);
        rows[2].checkBox->setChecked(true); // empty
        NvDialogs::ClearRecorded();
        const uint64_t errorsBefore = m_binding->request.errorCount;
        panel.SetChecked(panel.buttons->setButton);
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages().first().text,
                 QStringLiteral("Some items are empty!"));
        QCOMPARE(NvDialogs::RecordedMessages().first().caption, QStringLiteral("Warning"));
        QCOMPARE(m_binding->request.errorCount, errorsBefore);
        // The unchecked rows are not left out any longer.
        for (int i = 0; i < m_binding->request.list.Count(); ++i)
            QVERIFY(!(m_binding->request.list.Item(i).flags & VAR_SKIP));
        QVERIFY(m_binding->async);
    }

    void closeButtonWithoutFormSaysSo()
    {
        TSNMPEditorPanel panel(m_form.get(), bind(kThreeWritable));
        QTest::mouseClick(panel.buttons->closeButton, Qt::LeftButton);
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages().first().text,
                 QStringLiteral("Please initial close form"));
    }

    // The panel is as large as its content, buttons and splitter; the form grows to the panel
    // but not beyond 800 x 550.
    void panelAndFormSizes_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("a few rows") << 3;
        QTest::newRow("more rows than a form can show") << 40;
    }

    void panelAndFormSizes()
    {
        QFETCH(int, rows);
        std::vector<NvSNMPVarRecord> table;
        for (int i = 0; i < rows; ++i)
            table.push_back(
                ROW("1.3.6.1.4.1.32473.9000.1.1", "Variable", SYN_DISPLAYSTRING, 0x06, nullptr));
        table.push_back(END);
        QDialog form;
        form.resize(10, 10);
        TSNMPEditorPanel panel(&form, bind(table.data()));
        panel.SetEditWidth(600);
        const QSize content = panel.editsPanel->sizeHint();
        QCOMPARE(panel.width(),
                 content.width() + panel.buttons->width() + panel.splitter->handleWidth() + 3);
        QCOMPARE(panel.height(), qMax(content.height() + panel.messages->sizeHint().height() +
                                          panel.contentArea->handleWidth(),
                                      panel.buttons->sizeHint().height()));
        panel.AttachToForm(&form);
        QCOMPARE(panel.form.data(), &form);
        QCOMPARE(form.width(), qMin(panel.width(), 800));
        QCOMPARE(form.height(), qMin(panel.height(), 550));
        QCOMPARE(panel.editsPanel->rows[0].editor->width(), 600);
    }

    void listViewPanel()
    {
        TListViewPanel panel(m_form.get(), bind(kTable, LIST_TABLE, 1));
        QCOMPARE(m_binding->listView.data(), panel.listView);
        QVERIFY(!m_binding->disableUntilSelected);
        QCOMPARE(panel.listView->columnCount(), 4);
        // Hidden (write-only) columns first, with no width.
        QCOMPARE(panel.listView->headerItem()->text(0), QStringLiteral("Secret"));
        QCOMPARE(panel.listView->columnWidth(0), 0);
        const int characters = QStringLiteral("SecretIndexService Set IdentifierState").size();
        QCOMPARE(panel.width(), qMin(2 * panel.listView->frameWidth() + 8 * characters, 450));
        QCOMPARE(panel.height(), 350);

        TCtrlBtnPanel buttons(m_form.get());
        panel.ArrangeCtrlBtn(&buttons);
        QVERIFY(shown(buttons.counter) && shown(buttons.counterLabel));
        QVERIFY(shown(buttons.refreshButton) && shown(buttons.editButton) &&
                shown(buttons.closeButton));
        QVERIFY(!buttons.editButton->isEnabled());
        QVERIFY(buttons.setButton->isHidden() && buttons.checkAllButton->isHidden() &&
                buttons.clearChecksButton->isHidden());
        QVERIFY(buttons.addButton->isHidden() && buttons.deleteButton->isHidden());
        panel.addStatusColumn = 3;
        panel.deleteStatusColumn = 3;
        panel.ArrangeCtrlBtn(&buttons);
        QVERIFY(shown(buttons.addButton) && buttons.addButton->isEnabled());
        QVERIFY(shown(buttons.deleteButton) && !buttons.deleteButton->isEnabled());
    }

    void narrowCaptionsGiveANarrowList()
    {
        const NvSNMPVarRecord narrow[] = {
            ROW(" ", "Id", SYN_INTEGER, 0x01, nullptr),
            ROW("1.3.6.1.4.1.32473.9000.2.1.2", "Name", SYN_DISPLAYSTRING, 0x06, nullptr),
            END,
        };
        TListViewPanel panel(m_form.get(), bind(narrow, LIST_TABLE, 1));
        QCOMPARE(panel.width(), 2 * panel.listView->frameWidth() + 8 * 6);
    }
};

QTEST_MAIN(TestPanelToolkit)
#include "test_panel_toolkit.moc"
