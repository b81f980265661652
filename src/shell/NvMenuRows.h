#pragma once

#include <QList>
#include <QTimer>
#include <QWidget>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QVBoxLayout;

// The main window's menu bar. The window is only as wide as the device's front, narrower than
// its menus; like the platform's own menu bars, this one wraps the menus onto further rows
// instead of hiding the last ones behind an extension button. The first row carries the name
// "MainMenu".
class NvMenuRows : public QWidget
{
public:
    explicit NvMenuRows(QWidget* parent = nullptr);

    // Appends a top-level menu; its action's visibility is honoured and followed.
    void AddMenu(QMenu* menu);
    // The width the rows must fit; rows are arranged again when it or a menu's visibility
    // changes.
    void SetRowWidth(int width);
    // Called after every arrangement (the window adapts its height).
    std::function<void()> onArranged;

    QMenuBar* Row(int index) const { return m_rows.value(index); }
    int RowCount() const; // rows holding at least one visible menu
    QMenuBar* RowOf(const QAction* menuAction) const;

    void Arrange();

private:
    QMenuBar* addRow();

    QVBoxLayout* m_layout;
    QList<QMenuBar*> m_rows;
    QList<QAction*> m_order;
    int m_width = 0;
    QTimer m_arrangeLater;
};
