#pragma once

#include "TSNMPEditorPanel.h"

#include <functional>

class QTreeWidgetItem;
class TListViewPanel;

// A page body over a table: the rows in a list view; the selected row is edited, and rows are
// added or deleted through the table's status column, in dialogs made of the same editing rows.
class TSNMPListViewPanel : public TSNMPEditorPanel
{
    Q_OBJECT

public:
    using Hook = std::function<void(TSNMPListViewPanel*)>;

    TSNMPListViewPanel(QWidget* parent, NvSNMPRequest2Edits* binding);
    ~TSNMPListViewPanel() override;

    // The status column's option text that creates (deletes) a row: it must be an item of the
    // column's drop-down list, else std::runtime_error. Shows the add (delete) button.
    void SetAddStatus(int column, const QString& valueText);
    void SetDeleteStatus(int column, const QString& valueText);

    // Reads the table again (nothing while an asynchronous read is running).
    void Refresh();
    // Edits the selected row in a modal dialog; the status values that would create or delete
    // a row are not offered there.
    void EditDialog();
    // Creates a row in a modal dialog: the key rows and the creating status are always written.
    void AddDialog();
    // Deletes the selected row after asking.
    void DeleteRow();

    void RefreshClicked() override;

    // The hint of a row: one line per column (hidden ones too), caption, padding, cell text.
    QString RowHint(const QTreeWidgetItem* item) const;

    TListViewPanel* listPanel;
    int addStatusColumn = -1;
    QString addStatusValue;
    int deleteStatusColumn = -1;
    QString deleteStatusValue;
    Hook beforeAdd; // empties the editing rows unless replaced
    Hook afterAdd;
    Hook beforeEdit;
    Hook afterEdit;

    // How long an edit or add dialog waits for an asynchronous read to end before it opens.
    static constexpr int kDialogWaitMs = 1000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void editClicked();
    void addClicked();
    void selectionChanged();
    void updateCounter();
    void setStatus(int column, const QString& valueText, bool adding);
    void runRowDialog(bool adding);
    QString pageCaption() const;
};
