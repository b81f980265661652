#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

// A group box of radio buttons that behaves as one control: its items are texts, its state is
// the index of the checked item (-1 for none). itemIndexChanged is emitted whenever the index
// changes, whether the user clicked or the program set it.
class NvRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit NvRadioGroup(QWidget* parent = nullptr);
    explicit NvRadioGroup(const QString& title, QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const { return m_items; }
    int count() const { return static_cast<int>(m_items.size()); }

    int itemIndex() const { return m_index; }
    void setItemIndex(int index);
    QString itemText(int index) const;

    // Column count of the layout: 1 stacks the buttons, more spread them into a grid.
    void setColumns(int columns);

signals:
    void itemIndexChanged(int index);

private:
    void rebuild();
    void buttonToggled(int id, bool checked);

    QStringList m_items;
    int m_index = -1;
    int m_columns = 1;
    QButtonGroup* m_group;
};
