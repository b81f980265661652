#pragma once

#include "EditRow.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>
#include <vector>

class NvSNMPRequest2Edits;
class QScrollArea;
class TCtrlBtnPanel;

// One editing row per variable of a binding's list, in list order, inside a scroll box: a check
// box, the variable's name and an editor bound to the variable. Rows of variables that cannot be
// written (and key items of tables) are greyed and carry no check box.
class TEditsPanel : public QWidget
{
    Q_OBJECT

public:
    // The only layout the panels use: rows stacked top-down.
    static constexpr int kVerticalLayout = 2;

    TEditsPanel(QWidget* parent, NvSNMPRequest2Edits* binding);

    // Replaces the rows by one per variable of binding's list, binds their editors, sets the row
    // states (ApplyRowStates(false)) and lays the rows out fitting the panel to them.
    void BuildRows(NvSNMPRequest2Edits* binding);
    void ApplyRowStates(bool defaultChecked);
    // Lays the shown rows out (mode kVerticalLayout; other modes leave the rows where they are).
    // fitPanel: the panel takes the size of its rows plus a 40-pixel margin.
    void Layout(int mode, bool fitPanel);
    void SetEditWidth(int width, int mode);

    // Row operations; an index that is no row shows "aIdx is overtop!" and changes nothing.
    void EnableRow(int index);
    void DisableRow(int index);
    void HideRow(int index);
    void ShowRow(int index);
    void ClearRow(int index);
    void ClearRows();
    bool RowIsEmpty(int index);

    int EnabledRowCount() const;
    int CheckedRowCount() const;
    bool AnyVisibleChecked() const;

    // Shows, hides and enables the buttons of buttonPanel to suit the rows; the panel's check
    // boxes then drive that panel's set button. Raises std::runtime_error without a binding.
    virtual void ArrangeCtrlBtn(TCtrlBtnPanel* buttonPanel);
    // The button panel whose set button follows the check boxes, without rearranging it.
    void SetButtonPanel(TCtrlBtnPanel* buttonPanel);
    TCtrlBtnPanel* ButtonPanel() const { return m_buttons; }

    QSize sizeHint() const override;

    NvSNMPRequest2Edits* binding;
    std::vector<EditRow> rows;
    int editWidth = 121;
    QFont readOnlyFont;
    QColor readOnlyFontColor = Qt::black;
    QColor readOnlyColor;
    bool defaultChecked = false;
    QScrollArea* scrollBox;

private:
    bool isRow(int index);
    void removeRows();
    void updateSetButton();
    bool isVariableHidden(int index) const;

    QWidget* m_box;
    QPointer<TCtrlBtnPanel> m_buttons;
    QSize m_fitSize;
    int m_layoutMode = 0;
    bool m_layoutFits = false;
};
