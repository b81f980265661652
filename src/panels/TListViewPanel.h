#pragma once

#include <QWidget>

class NvSNMPRequest2Edits;
class QTreeWidget;
class TCtrlBtnPanel;

// A report list view over a table binding: one column per variable, one line per table row.
class TListViewPanel : public QWidget
{
    Q_OBJECT

public:
    TListViewPanel(QWidget* parent, NvSNMPRequest2Edits* binding);

    // Counter, Refresh, Edit (disabled until a row is chosen) and Close; Add and Delete when the
    // table declares how rows are created or deleted.
    virtual void ArrangeCtrlBtn(TCtrlBtnPanel* buttonPanel);

    QSize sizeHint() const override;

    NvSNMPRequest2Edits* binding;
    QTreeWidget* listView;
    int addStatusColumn = -1;
    int deleteStatusColumn = -1;

    static constexpr int kMaximumWidth = 450;
    static constexpr int kHeight = 350;
    static constexpr int kPixelsPerCaptionCharacter = 8;

private:
    QSize m_designedSize;
};
