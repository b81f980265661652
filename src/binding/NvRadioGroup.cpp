#include "NvRadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

NvRadioGroup::NvRadioGroup(QWidget* parent) : NvRadioGroup(QString(), parent) {}

NvRadioGroup::NvRadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idToggled, this, &NvRadioGroup::buttonToggled);
    setLayout(new QGridLayout);
}

void NvRadioGroup::setItems(const QStringList& items)
{
    m_items = items;
    rebuild();
}

void NvRadioGroup::setColumns(int columns)
{
    m_columns = qMax(1, columns);
    rebuild();
}

QString NvRadioGroup::itemText(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : QString();
}

void NvRadioGroup::rebuild()
{
    const int previous = m_index;
    for (QAbstractButton* button : m_group->buttons()) {
        m_group->removeButton(button);
        delete button;
    }
    auto* grid = static_cast<QGridLayout*>(layout());
    const int rows = (count() + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto* button = new QRadioButton(m_items.at(i), this);
        button->setObjectName(QStringLiteral("%1_item%2").arg(objectName()).arg(i));
        m_group->addButton(button, i);
        grid->addWidget(button, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
    }
    // New items: nothing is checked until the program or the user picks one.
    m_index = -1;
    if (previous != -1)
        emit itemIndexChanged(-1);
}

void NvRadioGroup::setItemIndex(int index)
{
    if (index < -1 || index >= count())
        index = -1;
    if (index == m_index)
        return;
    if (index == -1) {
        m_group->setExclusive(false);
        if (QAbstractButton* checked = m_group->checkedButton())
            checked->setChecked(false);
        m_group->setExclusive(true);
        m_index = -1;
        emit itemIndexChanged(-1);
        return;
    }
    m_group->button(index)->setChecked(true); // buttonToggled updates m_index and emits
}

void NvRadioGroup::buttonToggled(int id, bool checked)
{
    if (!checked || id == m_index)
        return;
    m_index = id;
    emit itemIndexChanged(id);
}
