#include "TSNMPEditorPanel.h"

#include "EditRow.h"
#include "NvDialogs.h"
#include "NvError.h"
#include "NvSNMPRequest2Edits.h"
#include "TCtrlBtnPanel.h"
#include "TEditsPanel.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSplitter>
#include <vector>

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
    // The variables left out because their rows are unchecked, with the flags they had.
    std::vector<std::pair<int, uint32_t>> leftOut;
    bool empty = false;
    try {
        binding->GatherValues();
        for (int i = 0; i < static_cast<int>(editsPanel->rows.size()) && i < list.Count(); ++i) {
            uint32_t& flags = list.Item(i).flags;
            if (!editsPanel->rows[i].checkBox->isChecked()) {
                leftOut.emplace_back(i, flags);
                flags |= VAR_SKIP;
            }
            if (!(flags & VAR_SKIP) && editsPanel->RowIsEmpty(i))
                empty = true;
        }
        if (empty) {
            NvDialogs::Message(window(), QStringLiteral("Some items are empty!"),
                               QStringLiteral("Warning"), NvDialogs::Buttons::Ok,
                               NvDialogs::Icon::Warning);
        } else {
            binding->Write(false, false, QString(), nullptr);
        }
    } catch (const NvError& error) {
        ReportRaised(1, error.message());
    } catch (const std::exception& error) {
        ReportRaised(1, QString::fromLocal8Bit(error.what()));
    }
    for (const auto& [index, flags] : leftOut)
        list.Item(index).flags = flags;
    binding->async = wasAsync;
    if (!empty && setButton && setButton->property(kTagProperty).toInt() == 1)
        setButton->window()->close();
}

void TSNMPEditorPanel::CheckAll()
{
    for (EditRow& row : editsPanel->rows) {
        if (row.checkBox->isEnabledTo(row.checkBox->window()))
            row.checkBox->setChecked(true);
    }
    if (TCtrlBtnPanel* host = editsPanel->ButtonPanel())
        host->setButton->setEnabled(editsPanel->AnyVisibleChecked());
}

void TSNMPEditorPanel::ClearChecks()
{
    for (EditRow& row : editsPanel->rows) {
        if (row.checkBox->isEnabledTo(row.checkBox->window()))
            row.checkBox->setChecked(false);
    }
    if (TCtrlBtnPanel* host = editsPanel->ButtonPanel())
        host->setButton->setEnabled(editsPanel->AnyVisibleChecked());
}
