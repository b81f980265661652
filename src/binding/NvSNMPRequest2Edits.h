#pragma once

#include "NvSNMPRequest2Controls.h"

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class NvEditConstraint;
class NvOptionList;
class QCheckBox;
class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

// Which control shows which variable, or which part of it.
struct ControlBinding
{
    int varIndex = 0;
    int byteOffset = 0;  // offset of the part inside the value image; 0 = whole value
    uint32_t syntax = 0; // display syntax of the (partial) data
    const NvOptionList* options = nullptr; // used instead of the variable's own; not owned
    int controlCount = 0;
    std::vector<int> bitNumbers; // check boxes bound to single bits: one bit number each
    std::vector<QPointer<QWidget>> controls; // control 0 decides how the binding behaves
};

using NvBindingHook = std::function<void()>;

// The binding every page uses: controls of any supported kind, a report list view for tables,
// edit constraints on bound edits, and hooks around reads and writes.
class NvSNMPRequest2Edits : public NvSNMPRequest2Controls
{
public:
    explicit NvSNMPRequest2Edits(QWidget* form);
    ~NvSNMPRequest2Edits() override;

    NvBindingHook onBeforeRead;
    NvBindingHook onBeforeWrite;
    NvBindingHook onAfterRead;
    NvBindingHook onAfterWrite;
    QPointer<QTreeWidget> listView;
    bool disableUntilSelected = true;

    // Binds an edit (or label) with a format such as "%s" or "%u{n1x4095}": the format's
    // constraint goes on the edit, the binding uses the variable's own syntax. A format with
    // several conversions binds the further controls in order.
    void BindFormat(int varIndex, const QString& format, QWidget* control,
                    const QList<QWidget*>& furtherControls = {});
    // Binds a check box, radio group, combo box (with an optional second control for the rest
    // of a prefixed value) or label with the variable's own syntax and option list.
    void Bind(int varIndex, QWidget* control, QWidget* secondControl = nullptr);
    // Binds check boxes to single bits of the value; bitList is "0,3,9" (bit 0 is the most
    // significant bit of the first byte).
    void BindBits(int varIndex, const QString& bitList, const QList<QCheckBox*>& checkBoxes);
    void Unbind(int varIndex);
    void AttachListView(QTreeWidget* view, bool disableUntilSelected = true);
    void SetConstraintOwner(QWidget* window);
    void EnableControls(bool enabled);

    void ValuesToControls(int varIndex);
    void ControlsToValues(int varIndex);

    const std::vector<std::unique_ptr<ControlBinding>>& bindings() const { return m_bindings; }
    NvEditConstraint& constraints() { return *m_constraints; }

    void BeforeRead() override;
    void BeforeWrite() override;
    void RowRead() override;
    void GatherValues() override;
    void AfterRead() override;
    void AfterWrite() override;
    virtual void ListItemSelected(QTreeWidget* sender, QTreeWidgetItem* item, bool selected);

    // The list item shown in each list-view column, hidden columns first.
    const std::vector<int>& columnItems() const { return m_columnItems; }

protected:
    void SetUpColumns();
    QStringList RowTexts() const;
    void AddRow(const QStringList& texts);
    void TakeSelectedRow();

private:
    ControlBinding& addBinding(int varIndex, std::vector<QPointer<QWidget>> controls);
    void fillOptionControl(ControlBinding& binding);
    void valuesToBinding(const ControlBinding& binding);
    void mergeBinding(const ControlBinding& binding, QByteArray& image);

    std::vector<std::unique_ptr<ControlBinding>> m_bindings;
    std::unique_ptr<NvEditConstraint> m_constraints;
    std::vector<int> m_columnItems;
    QMetaObject::Connection m_selectionConnection;
};
