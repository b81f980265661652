#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;

// The column of command buttons beside a generic MIB panel's content: a row counter, then
// Refresh, Edit, Set Checked, Add, Delete, Check All, Clear Checks and Close. The content panel
// decides which of them are shown (ArrangeCtrlBtn); LayoutButtons stacks the shown ones.
class TCtrlBtnPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TCtrlBtnPanel(QWidget* parent = nullptr);

    // Stacks the elements top-down: width 96, left leftMargin, 5 pixels between visible ones (a
    // hidden element does not advance the position). The panel's width is twice leftMargin plus
    // the refresh button's width; its height reaches topMargin below the last visible element.
    void LayoutButtons();

    // Replaces a button's caption by the glyph of the named bitmap: the file of that name in the
    // current folder when it can be read, otherwise the copy compiled into the program. The
    // caption stays as the tool tip.
    static void LoadGlyph(QPushButton* button, const QString& fileName);

    QSize sizeHint() const override;

    QLabel* counter;
    QLabel* counterLabel;
    QPushButton* refreshButton;
    QPushButton* editButton;
    QPushButton* setButton;
    QPushButton* addButton;
    QPushButton* deleteButton;
    QPushButton* checkAllButton;
    QPushButton* clearChecksButton;
    QPushButton* closeButton;
    int leftMargin = 10;
    int topMargin = 10;

    static constexpr int kElementWidth = 96;
    static constexpr int kButtonHeight = 25;
    static constexpr int kCounterHeight = 21;
    static constexpr int kSpacing = 5;

private:
    QPushButton* addButtonElement(const char* objectName, const QString& caption,
                                  const QString& glyphFile);
    std::vector<QWidget*> m_elements;
};
