#include "TListViewPanel.h"

#include "NvSNMPRequest2Edits.h"
#include "TCtrlBtnPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TListViewPanel::TListViewPanel(QWidget* parent, NvSNMPRequest2Edits* binding_)
    : QWidget(parent), binding(binding_)
{
    setObjectName(QStringLiteral("ListViewPanel"));
    listView = new QTreeWidget(this);
    listView->setObjectName(QStringLiteral("listView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(listView);
    if (binding)
        binding->AttachListView(listView, false);

    int characters = 0;
    if (const QTreeWidgetItem* header = listView->headerItem()) {
        for (int c = 0; c < listView->columnCount(); ++c)
            characters += static_cast<int>(header->text(c).size());
    }
    const int width =
        qMin(2 * listView->frameWidth() + kPixelsPerCaptionCharacter * characters, kMaximumWidth);
    m_designedSize = QSize(width, kHeight);
    resize(m_designedSize);
}

void TListViewPanel::ArrangeCtrlBtn(TCtrlBtnPanel* buttonPanel)
{
    TCtrlBtnPanel& b = *buttonPanel;
    for (QWidget* shown :
         {static_cast<QWidget*>(b.counter), static_cast<QWidget*>(b.counterLabel),
          static_cast<QWidget*>(b.refreshButton), static_cast<QWidget*>(b.editButton),
          static_cast<QWidget*>(b.closeButton)})
        shown->show();
    b.editButton->setEnabled(false);
    b.setButton->hide();
    b.checkAllButton->hide();
    b.clearChecksButton->hide();
    b.addButton->setVisible(addStatusColumn >= 0);
    b.deleteButton->setVisible(deleteStatusColumn >= 0);
    b.deleteButton->setEnabled(false);
    b.LayoutButtons();
}

QSize TListViewPanel::sizeHint() const
{
    return m_designedSize;
}
