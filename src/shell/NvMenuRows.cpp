#include "NvMenuRows.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

NvMenuRows::NvMenuRows(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    addRow()->setObjectName(QStringLiteral("MainMenu"));
    // Several visibility changes in a row (the menu rules) give one arrangement.
    m_arrangeLater.setSingleShot(true);
    m_arrangeLater.setInterval(0);
    connect(&m_arrangeLater, &QTimer::timeout, this, &NvMenuRows::Arrange);
}

QMenuBar* NvMenuRows::addRow()
{
    auto* row = new QMenuBar(this);
    row->setNativeMenuBar(false);
    m_layout->addWidget(row);
    m_rows.append(row);
    return row;
}

void NvMenuRows::AddMenu(QMenu* menu)
{
    QAction* action = menu->menuAction();
    m_order.append(action);
    m_rows.first()->addAction(action);
    connect(action, &QAction::visibleChanged, &m_arrangeLater, qOverload<>(&QTimer::start));
    m_arrangeLater.start();
}

void NvMenuRows::SetRowWidth(int width)
{
    m_width = width;
    Arrange();
}

int NvMenuRows::RowCount() const
{
    int count = 0;
    for (const QMenuBar* row : m_rows)
        count += row->isHidden() ? 0 : 1;
    return count;
}

QMenuBar* NvMenuRows::RowOf(const QAction* menuAction) const
{
    for (QMenuBar* row : m_rows) {
        if (row->actions().contains(const_cast<QAction*>(menuAction)))
            return row;
    }
    return nullptr;
}

void NvMenuRows::Arrange()
{
    m_arrangeLater.stop();
    for (QMenuBar* row : m_rows) {
        for (QAction* action : m_order)
            row->removeAction(action);
    }
    int current = 0;
    int visibleInRow = 0;
    for (QAction* action : m_order) {
        QMenuBar* row = m_rows[current];
        row->addAction(action);
        if (!action->isVisible())
            continue; // takes no room; it is placed again when it shows
        // A menu wider than the whole row still gets a row of its own.
        if (m_width > 0 && visibleInRow > 0 && row->sizeHint().width() > m_width) {
            row->removeAction(action);
            ++current;
            if (current == m_rows.size())
                addRow();
            m_rows[current]->addAction(action);
            visibleInRow = 0;
        }
        ++visibleInRow;
    }
    for (int i = 0; i < m_rows.size(); ++i) {
        bool anyVisible = false;
        for (const QAction* action : m_rows[i]->actions())
            anyVisible = anyVisible || action->isVisible();
        m_rows[i]->setVisible(i == 0 || anyVisible);
    }
    if (onArranged)
        onArranged();
}
