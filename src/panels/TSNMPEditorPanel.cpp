#include "TSNMPEditorPanel.h"

#include "EditRow.h"
#include "NvDialogs.h"
#include "NvSNMPRequest2Edits.h"
#include "PanelSupport.h"
#include "SkippedVariables.h"
#include "TCtrlBtnPanel.h"
#include "TEditsPanel.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSplitter>

TSNMPEditorPanel::TSNMPEditorPanel(QWidget* parent, NvSNMPRequest2Edits* binding_)
    : TSNMPPanel(parent, nullptr, binding_)
{
    editsPanel = new TEditsPanel(contentArea, binding);
    buttons->setButton->setEnabled(false);
    connect(buttons->setButton, &QPushButton::clicked, this,
            [this] { SetChecked(buttons->setButton); });
    connect(buttons->checkAllButton, &QPushButton::clicked, this, &TSNMPEditorPanel::CheckAll);
    connect(buttons->clearChecksButton, &QPushButton::clicked, this,
            &TSNMPEditorPanel::ClearChecks);
    editsPanel->ArrangeCtrlBtn(buttons);
    SetContent(editsPanel);
}

void TSNMPEditorPanel::SetEditWidth(int width)
{
    editsPanel->SetEditWidth(width, TEditsPanel::kVerticalLayout);
    SetContent(editsPanel);
    if (form)
        AttachToForm(form);
}

void TSNMPEditorPanel::SetChecked(QAbstractButton* setButton)
{
    if (!binding)
        return;
    NvSNMPVarList& list = binding->request.list;
    const bool wasAsync = binding->async;
    binding->async = false;
    bool empty = false;
    {
        SkippedVariables unchecked(list);
        ReportingRaisedErrors(*binding, 1, [&] {
            binding->GatherValues();
            for (int i = 0; i < static_cast<int>(editsPanel->rows.size()) && i < list.Count();
                 ++i) {
                if (!editsPanel->rows[i].checkBox->isChecked())
                    unchecked.Skip(i);
                if (!(list.Item(i).flags & VAR_SKIP) && editsPanel->RowIsEmpty(i))
                    empty = true;
            }
            if (empty)
                NvDialogs::Message(window(), QStringLiteral("Some items are empty!"),
                                   QStringLiteral("Warning"), NvDialogs::Buttons::Ok,
                                   NvDialogs::Icon::Warning);
            else
                binding->Write(false, false, QString(), nullptr);
        });
    }
    binding->async = wasAsync;
    if (!empty && setButton && setButton->property(kTagProperty).toInt() == 1)
        setButton->window()->close();
}

void TSNMPEditorPanel::CheckAll()
{
    setEnabledChecks(true);
}

void TSNMPEditorPanel::ClearChecks()
{
    setEnabledChecks(false);
}

void TSNMPEditorPanel::setEnabledChecks(bool checked)
{
    // Rows that are always written (keys of a new row) or never keep their state.
    for (EditRow& row : editsPanel->rows) {
        if (row.checkBox->isEnabledTo(row.checkBox->window()))
            row.checkBox->setChecked(checked);
    }
    if (TCtrlBtnPanel* host = editsPanel->ButtonPanel())
        host->setButton->setEnabled(editsPanel->AnyVisibleChecked());
}
