#include "TSNMPListViewPanel.h"

#include "EditRow.h"
#include "NvDialogs.h"
#include "NvSNMPRequest2Edits.h"
#include "PanelSupport.h"
#include "SkippedVariables.h"
#include "TCtrlBtnPanel.h"
#include "TEditsPanel.h"
#include "TListViewPanel.h"
#include "TMsgPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolTip>
#include <QTreeWidget>
#include <stdexcept>
#include <vector>

namespace {

// A drop-down item an edit dialog took away, to be put back where it was.
struct RemovedItem
{
    QComboBox* combo;
    int index;
    QString text;
    QVariant data;
};

} // namespace

TSNMPListViewPanel::TSNMPListViewPanel(QWidget* parent, NvSNMPRequest2Edits* binding_)
    : TSNMPEditorPanel(parent, binding_)
{
    beforeAdd = [](TSNMPListViewPanel* panel) { panel->editsPanel->ClearRows(); };
    listPanel = new TListViewPanel(contentArea, binding);
    QTreeWidget* view = listPanel->listView;
    connect(view, &QTreeWidget::itemDoubleClicked, this, [this, view] {
        if (!view->selectedItems().isEmpty())
            editClicked();
    });
    connect(view, &QTreeWidget::itemSelectionChanged, this, &TSNMPListViewPanel::selectionChanged);
    QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &TSNMPListViewPanel::updateCounter);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &TSNMPListViewPanel::updateCounter);
    connect(model, &QAbstractItemModel::modelReset, this, &TSNMPListViewPanel::updateCounter);
    view->viewport()->installEventFilter(this);

    connect(buttons->editButton, &QPushButton::clicked, this, &TSNMPListViewPanel::editClicked);
    connect(buttons->addButton, &QPushButton::clicked, this, &TSNMPListViewPanel::addClicked);
    connect(buttons->deleteButton, &QPushButton::clicked, this, &TSNMPListViewPanel::DeleteRow);

    listPanel->ArrangeCtrlBtn(buttons);
    if (editsPanel->EnabledRowCount() == 0) {
        buttons->editButton->hide();
        buttons->LayoutButtons();
    }
    SetContent(listPanel);
}

TSNMPListViewPanel::~TSNMPListViewPanel()
{
    // The list view empties itself when it goes, after this part of the panel is gone.
    QTreeWidget* view = listPanel->listView;
    view->viewport()->removeEventFilter(this);
    disconnect(view->model(), nullptr, this, nullptr);
    disconnect(view, nullptr, this, nullptr);
}

void TSNMPListViewPanel::updateCounter()
{
    buttons->counter->setText(QString::number(listPanel->listView->topLevelItemCount()));
}

void TSNMPListViewPanel::selectionChanged()
{
    const bool selected = !listPanel->listView->selectedItems().isEmpty();
    buttons->editButton->setEnabled(selected);
    buttons->deleteButton->setEnabled(selected);
    if (!selected)
        editsPanel->ClearRows();
}

QString TSNMPListViewPanel::RowHint(const QTreeWidgetItem* item) const
{
    const QTreeWidget* view = listPanel->listView;
    const QTreeWidgetItem* header = view->headerItem();
    if (!item || !header)
        return QString();
    int longest = 0;
    for (int c = 0; c < view->columnCount(); ++c)
        longest = qMax(longest, static_cast<int>(header->text(c).size()));
    QStringList lines;
    for (int c = 0; c < view->columnCount(); ++c) {
        const QString caption = header->text(c);
        lines.append(caption + QString(longest - caption.size(), QLatin1Char('\t')) +
                     QStringLiteral("  ") + item->text(c));
    }
    return lines.join(QLatin1Char('\n'));
}

bool TSNMPListViewPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == listPanel->listView->viewport() && event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const QTreeWidgetItem* item = listPanel->listView->itemAt(help->pos()))
            QToolTip::showText(help->globalPos(), RowHint(item), listPanel->listView->viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return TSNMPEditorPanel::eventFilter(watched, event);
}

void TSNMPListViewPanel::setStatus(int column, const QString& valueText, bool adding)
{
    const QComboBox* combo = column >= 0 && column < static_cast<int>(editsPanel->rows.size())
                                 ? qobject_cast<const QComboBox*>(editsPanel->rows[column].editor)
                                 : nullptr;
    if (!combo || combo->findText(valueText, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        const QString message =
            adding
                ? QStringLiteral("TSNMPListViewPanel::SetAddStatus - Wrong AddStatusValue:")
                : QStringLiteral("TSNMPListViewPanel::SetDeleteStatus - Wrong DeleteStatusValue:");
        throw std::runtime_error((message + valueText).toStdString());
    }
    if (adding) {
        addStatusColumn = listPanel->addStatusColumn = column;
        addStatusValue = valueText;
        buttons->addButton->show();
    } else {
        deleteStatusColumn = listPanel->deleteStatusColumn = column;
        deleteStatusValue = valueText;
        buttons->deleteButton->show();
    }
    buttons->LayoutButtons();
}

void TSNMPListViewPanel::SetAddStatus(int column, const QString& valueText)
{
    setStatus(column, valueText, true);
}

void TSNMPListViewPanel::SetDeleteStatus(int column, const QString& valueText)
{
    setStatus(column, valueText, false);
}

void TSNMPListViewPanel::Refresh()
{
    if (!binding || (binding->async && binding->busy))
        return;
    buttons->editButton->setEnabled(false);
    buttons->deleteButton->setEnabled(false);
    TSNMPEditorPanel::RefreshClicked();
}

void TSNMPListViewPanel::RefreshClicked()
{
    Refresh();
}

void TSNMPListViewPanel::editClicked()
{
    if (beforeEdit)
        beforeEdit(this);
    EditDialog();
    if (afterEdit)
        afterEdit(this);
}

void TSNMPListViewPanel::addClicked()
{
    if (beforeAdd)
        beforeAdd(this);
    AddDialog();
    if (afterAdd)
        afterAdd(this);
}

void TSNMPListViewPanel::EditDialog()
{
    runRowDialog(false);
}

void TSNMPListViewPanel::AddDialog()
{
    runRowDialog(true);
}

QString TSNMPListViewPanel::pageCaption() const
{
    for (const QWidget* w = this; w && w->parentWidget(); w = w->parentWidget()) {
        const auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget());
        const auto* tabs = stack ? qobject_cast<const QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(const_cast<QWidget*>(w)) >= 0)
            return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w)));
    }
    return form ? form->windowTitle() : window()->windowTitle();
}

void TSNMPListViewPanel::runRowDialog(bool adding)
{
    if (!binding)
        return;
    if (binding->async) {
        // A read still filling the list would write into the rows the dialog is about to show.
        const bool wasInService = binding->request.alive;
        binding->request.alive = false;
        WaitWhileBusy(*binding, kDialogWaitMs);
        binding->request.alive = wasInService;
    }
    QWidget* page = window();
    if (adding) {
        listPanel->listView->clearSelection();
        buttons->editButton->setEnabled(false);
        buttons->deleteButton->setEnabled(false);
    }

    QDialog dialog(page);
    dialog.setObjectName(adding ? QStringLiteral("AddDialog") : QStringLiteral("EditDialog"));
    dialog.setWindowTitle(adding ? pageCaption() + QStringLiteral(" (Add)") : page->windowTitle());
    dialog.resize(1, 1);
    binding->SetConstraintOwner(&dialog);
    auto* dialogPanel = new TSNMPPanel(&dialog, messages, binding);
    QPushButton* setButton = dialogPanel->buttons->setButton;
    setButton->setProperty(kTagProperty, 1);
    setButton->setEnabled(false);
    connect(setButton, &QPushButton::clicked, this, [this, setButton] { SetChecked(setButton); });
    connect(dialogPanel->buttons->checkAllButton, &QPushButton::clicked, this,
            &TSNMPListViewPanel::CheckAll);
    connect(dialogPanel->buttons->clearChecksButton, &QPushButton::clicked, this,
            &TSNMPListViewPanel::ClearChecks);

    editsPanel->ApplyRowStates(false);
    const NvSNMPVarList& list = binding->request.list;
    if (adding) {
        // The index of the new row is always written.
        for (int k = 0; k < list.keyCount && k < static_cast<int>(editsPanel->rows.size()); ++k) {
            editsPanel->EnableRow(k);
            editsPanel->rows[k].checkBox->setChecked(true);
            editsPanel->rows[k].checkBox->setEnabled(false);
        }
        if (addStatusColumn >= 0 && addStatusColumn < static_cast<int>(editsPanel->rows.size())) {
            EditRow& status = editsPanel->rows[addStatusColumn];
            if (auto* combo = qobject_cast<QComboBox*>(status.editor))
                combo->setCurrentIndex(combo->findText(addStatusValue));
            status.editor->setEnabled(false);
            status.checkBox->setChecked(true);
            status.checkBox->setEnabled(false);
        }
    }
    editsPanel->ArrangeCtrlBtn(dialogPanel->buttons);
    editsPanel->Layout(TEditsPanel::kVerticalLayout, true);
    dialogPanel->buttons->refreshButton->hide();
    dialogPanel->buttons->LayoutButtons();
    if (adding)
        setButton->setEnabled(true);
    editsPanel->SetEditWidth(200, TEditsPanel::kVerticalLayout);
    dialogPanel->SetContent(editsPanel);
    dialogPanel->AttachToForm(&dialog);

    // An existing row cannot be created again, and deleting is the delete button's business.
    std::vector<RemovedItem> removed;
    std::vector<int> hiddenRows;
    if (!adding) {
        const std::pair<int, QString> statuses[] = {{addStatusColumn, addStatusValue},
                                                    {deleteStatusColumn, deleteStatusValue}};
        for (const auto& [column, value] : statuses) {
            if (column < 0 || column >= static_cast<int>(editsPanel->rows.size()))
                continue;
            auto* combo = qobject_cast<QComboBox*>(editsPanel->rows[column].editor);
            const int index = combo ? combo->findText(value) : -1;
            if (index < 0)
                continue;
            const int current = combo->currentIndex();
            removed.push_back({combo, index, combo->itemText(index), combo->itemData(index)});
            combo->removeItem(index);
            // The row showed the removed value: it shows nothing rather than a neighbour.
            if (current == index)
                combo->setCurrentIndex(-1);
            if (combo->count() == 0) {
                editsPanel->HideRow(column);
                hiddenRows.push_back(column);
            }
        }
    }

    dialog.exec();

    for (auto it = removed.rbegin(); it != removed.rend(); ++it)
        it->combo->insertItem(it->index, it->text, it->data);
    for (const int row : hiddenRows)
        editsPanel->ShowRow(row);
    editsPanel->hide();
    contentArea->insertWidget(contentArea->indexOf(listPanel) + 1, editsPanel);
    editsPanel->SetButtonPanel(buttons);
    binding->SetConstraintOwner(page);
    Refresh();
}

void TSNMPListViewPanel::DeleteRow()
{
    if (!binding || deleteStatusColumn < 0 || listPanel->listView->selectedItems().isEmpty())
        return;
    if (NvDialogs::Message(window(), QStringLiteral("Are you sure to delete ?"),
                           QStringLiteral("Delete"), NvDialogs::Buttons::YesNo,
                           NvDialogs::Icon::Question) != NvDialogs::Answer::Yes)
        return;
    NvSNMPVarList& list = binding->request.list;
    const bool wasAsync = binding->async;
    binding->async = false;
    {
        SkippedVariables others(list);
        for (int i = list.keyCount; i < list.Count(); ++i) {
            if (i != deleteStatusColumn)
                others.Skip(i);
        }
        ReportingRaisedErrors(*binding, 1, [&] {
            binding->GatherValues();
            if (deleteStatusColumn < list.Count())
                list.Item(deleteStatusColumn).value = deleteStatusValue;
            binding->Write(false, false, QString(), nullptr);
        });
    }
    RefreshClicked();
    binding->async = wasAsync;
}
