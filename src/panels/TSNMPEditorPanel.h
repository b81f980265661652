#pragma once

#include "TSNMPPanel.h"

class QAbstractButton;
class TEditsPanel;

// A page body that shows one editing row per variable of a scalar list and writes the rows the
// user checked ("Set Checked"; "Set" when there is only one row to write).
class TSNMPEditorPanel : public TSNMPPanel
{
    Q_OBJECT

public:
    TSNMPEditorPanel(QWidget* parent, NvSNMPRequest2Edits* binding);

    // The editors' width; the rows, the panel and its form are sized again.
    void SetEditWidth(int width);

    // Writes the checked rows (blocking, without re-reading); an empty checked row refuses the
    // write with "Some items are empty!". setButton with the tag property 1 is the button of an
    // edit or add dialog, which closes after a write.
    void SetChecked(QAbstractButton* setButton);
    void CheckAll();
    void ClearChecks();

    TEditsPanel* editsPanel;

    // The "tag" property a set button carries when it belongs to an edit or add dialog.
    static constexpr const char* kTagProperty = "tag";

private:
    void setEnabledChecks(bool checked);
};
