#include "TEditsPanel.h"

#include "NvDialogs.h"
#include "NvSNMPRequest2Edits.h"
#include "TCtrlBtnPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

constexpr int kFirstRowTop = 20;
constexpr int kCheckBoxLeft = 20;
constexpr int kCheckBoxWidth = 20;
constexpr int kGap = 5;
constexpr int kMinimumEditorHeight = 20;
constexpr int kRaisedEditorHeight = 21;
constexpr int kFitMargin = 40;

// The control's own enabled flag, whatever its parents say.
bool ownEnabled(const QWidget* control)
{
    return control->isEnabledTo(control->window());
}

void setColours(QWidget* control, const QColor& text, const QColor& background)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    control->setPalette(palette);
}

} // namespace

TEditsPanel::TEditsPanel(QWidget* parent, NvSNMPRequest2Edits* binding_)
    : QWidget(parent), binding(nullptr), readOnlyColor(palette().color(QPalette::Button))
{
    setObjectName(QStringLiteral("EditsPanel"));
    scrollBox = new QScrollArea(this);
    scrollBox->setObjectName(QStringLiteral("scrollBox"));
    scrollBox->setWidgetResizable(false);
    m_box = new QWidget();
    scrollBox->setWidget(m_box);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollBox);
    if (binding_)
        BuildRows(binding_);
}

void TEditsPanel::removeRows()
{
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (binding)
            binding->Unbind(i);
        delete rows[i].checkBox;
        delete rows[i].label;
        delete rows[i].editor;
    }
    rows.clear();
}

void TEditsPanel::BuildRows(NvSNMPRequest2Edits* binding_)
{
    removeRows();
    binding = binding_;
    if (!binding)
        return;
    const NvSNMPVarList& list = binding->request.list;
    for (int i = 0; i < list.Count(); ++i) {
        const NvSNMPVarItem& item = list.Item(i);
        EditRow row;
        const bool writable = list.IsWritable(i);
        const bool withOptions = item.options != nullptr;
        row.kind = writable ? (withOptions ? EditRow::WritableOptions : EditRow::WritableText)
                            : (withOptions ? EditRow::ReadOnlyOptions : EditRow::ReadOnlyText);

        row.checkBox = new QCheckBox(m_box);
        row.checkBox->setObjectName(QStringLiteral("rowCheck%1").arg(i));
        row.checkBox->setFixedWidth(kCheckBoxWidth);
        row.checkBox->setFocusPolicy(Qt::NoFocus);
        connect(row.checkBox, &QCheckBox::toggled, this, &TEditsPanel::updateSetButton);

        row.label = new QLabel(item.name, m_box);
        row.label->setObjectName(QStringLiteral("rowLabel%1").arg(i));
        row.label->adjustSize();

        rows.push_back(row);
        EditRow& added = rows.back();
        if (added.kind == EditRow::WritableOptions) {
            auto* combo = new QComboBox(m_box);
            added.editor = combo;
            combo->setObjectName(QStringLiteral("rowEditor%1").arg(i));
            binding->Bind(i, combo);
        } else {
            auto* edit = new QLineEdit(m_box);
            added.editor = edit;
            edit->setObjectName(QStringLiteral("rowEditor%1").arg(i));
            binding->BindFormat(
                i, added.kind == EditRow::ReadOnlyOptions ? QStringLiteral("%s") : added.format,
                edit);
        }
        if (isVariableHidden(i)) {
            added.checkBox->hide();
            added.label->hide();
            added.editor->hide();
        }
    }
    ApplyRowStates(false);
    Layout(kVerticalLayout, true);
}

bool TEditsPanel::isVariableHidden(int index) const
{
    return binding && (binding->request.list.Item(index).flags & VAR_HIDDEN);
}

bool TEditsPanel::isRow(int index)
{
    if (index >= 0 && index < static_cast<int>(rows.size()))
        return true;
    NvDialogs::Message(window(),
                       QStringLiteral("aIdx is overtop!\n you may define < %1").arg(rows.size()),
                       NvDialogs::ExecutableFileName());
    return false;
}

void TEditsPanel::ApplyRowStates(bool defaultChecked_)
{
    defaultChecked = defaultChecked_;
    if (!binding)
        return;
    const NvSNMPVarList& list = binding->request.list;
    for (int i = 0; i < static_cast<int>(rows.size()) && i < list.Count(); ++i) {
        const bool key = list.IsTable() && i < list.keyCount;
        if (!list.IsWritable(i) || key)
            DisableRow(i);
        else
            EnableRow(i);
    }
}

void TEditsPanel::DisableRow(int index)
{
    if (!isRow(index))
        return;
    EditRow& row = rows[index];
    row.enabled = false;
    row.checkBox->setEnabled(false);
    row.checkBox->hide();
    row.checkBox->setChecked(false);
    if (auto* edit = qobject_cast<QLineEdit*>(row.editor)) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setFont(readOnlyFont);
        setColours(edit, readOnlyFontColor, readOnlyColor);
    } else if (auto* combo = qobject_cast<QComboBox*>(row.editor)) {
        combo->setEnabled(false);
        setColours(combo, readOnlyFontColor, readOnlyColor);
    }
}

void TEditsPanel::EnableRow(int index)
{
    if (!isRow(index))
        return;
    EditRow& row = rows[index];
    row.enabled = true;
    row.checkBox->setEnabled(true);
    if (!isVariableHidden(index))
        row.checkBox->show();
    row.checkBox->setChecked(defaultChecked);
    if (auto* edit = qobject_cast<QLineEdit*>(row.editor)) {
        edit->setReadOnly(false);
        edit->setFocusPolicy(Qt::StrongFocus);
        edit->setFont(font());
        setColours(edit, Qt::black, Qt::white);
    } else if (auto* combo = qobject_cast<QComboBox*>(row.editor)) {
        combo->setEnabled(true);
        setColours(combo, Qt::black, Qt::white);
    }
}

void TEditsPanel::HideRow(int index)
{
    if (!isRow(index) || !binding)
        return;
    binding->request.list.Item(index).flags |= VAR_HIDDEN;
    rows[index].editor->hide();
    rows[index].checkBox->hide();
    rows[index].label->hide();
    if (m_layoutMode != 0)
        Layout(m_layoutMode, m_layoutFits);
}

void TEditsPanel::ShowRow(int index)
{
    if (!isRow(index) || !binding)
        return;
    binding->request.list.Item(index).flags &= ~uint32_t(VAR_HIDDEN);
    rows[index].editor->show();
    // A disabled row has no check box to show.
    if (rows[index].enabled)
        rows[index].checkBox->show();
    rows[index].label->show();
    if (m_layoutMode != 0)
        Layout(m_layoutMode, m_layoutFits);
}

void TEditsPanel::ClearRow(int index)
{
    if (!isRow(index))
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(rows[index].editor))
        edit->clear();
    else if (auto* combo = qobject_cast<QComboBox*>(rows[index].editor))
        combo->setCurrentIndex(-1);
    if (binding)
        binding->request.list.Item(index).value.clear();
}

void TEditsPanel::ClearRows()
{
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        ClearRow(i);
}

bool TEditsPanel::RowIsEmpty(int index)
{
    if (!isRow(index))
        return false;
    if (const auto* edit = qobject_cast<const QLineEdit*>(rows[index].editor))
        return edit->text().isEmpty();
    if (const auto* combo = qobject_cast<const QComboBox*>(rows[index].editor))
        return combo->currentText().isEmpty();
    return false;
}

int TEditsPanel::EnabledRowCount() const
{
    int count = 0;
    for (const EditRow& row : rows)
        count += row.enabled ? 1 : 0;
    return count;
}

int TEditsPanel::CheckedRowCount() const
{
    int count = 0;
    for (const EditRow& row : rows)
        count += row.checkBox->isChecked() ? 1 : 0;
    return count;
}

bool TEditsPanel::AnyVisibleChecked() const
{
    for (const EditRow& row : rows) {
        if (!row.checkBox->isHidden() && row.checkBox->isChecked())
            return true;
    }
    return false;
}

void TEditsPanel::updateSetButton()
{
    if (m_buttons)
        m_buttons->setButton->setEnabled(AnyVisibleChecked());
}

void TEditsPanel::SetButtonPanel(TCtrlBtnPanel* buttonPanel)
{
    m_buttons = buttonPanel;
}

void TEditsPanel::ArrangeCtrlBtn(TCtrlBtnPanel* buttonPanel)
{
    if (!binding)
        throw std::runtime_error("TEditsPanel:ArrangeCtrlBtn - EditCtrl is NULL!");
    m_buttons = buttonPanel;
    TCtrlBtnPanel& b = *buttonPanel;
    for (QWidget* hidden : {static_cast<QWidget*>(b.counter), static_cast<QWidget*>(b.counterLabel),
                            static_cast<QWidget*>(b.editButton), static_cast<QWidget*>(b.addButton),
                            static_cast<QWidget*>(b.deleteButton)})
        hidden->hide();
    for (QPushButton* shown :
         {b.refreshButton, b.setButton, b.checkAllButton, b.clearChecksButton, b.closeButton})
        shown->show();

    const int enabled = EnabledRowCount();
    if (enabled == 0) {
        b.setButton->hide();
        b.checkAllButton->hide();
        b.clearChecksButton->hide();
    } else if (enabled <= 1) {
        b.checkAllButton->hide();
        b.clearChecksButton->hide();
        b.setButton->setText(QStringLiteral("Set"));
        b.setButton->setEnabled(true);
        for (EditRow& row : rows) {
            if (!row.checkBox->isHidden() && ownEnabled(row.checkBox))
                row.checkBox->setChecked(true);
        }
        // One row to write needs no choosing: "Set" writes it.
        if (CheckedRowCount() <= 1) {
            for (EditRow& row : rows)
                row.checkBox->hide();
        }
    }
    b.LayoutButtons();
}

void TEditsPanel::Layout(int mode, bool fitPanel)
{
    if (mode != kVerticalLayout)
        return;
    m_layoutMode = mode;
    m_layoutFits = fitPanel;
    int widestLabel = 0;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (!isVariableHidden(i))
            widestLabel = qMax(widestLabel, rows[i].label->sizeHint().width());
    }
    const int labelLeft = kCheckBoxLeft + kCheckBoxWidth + kGap;
    const int editorLeft = labelLeft + widestLabel + kGap;
    int top = kFirstRowTop;
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (isVariableHidden(i))
            continue;
        EditRow& row = rows[i];
        int height = row.editor->sizeHint().height();
        if (height < kMinimumEditorHeight)
            height = kRaisedEditorHeight;
        row.editor->setGeometry(editorLeft, top, editWidth, height);
        const int checkHeight = row.checkBox->sizeHint().height();
        row.checkBox->setGeometry(kCheckBoxLeft, top + (height - checkHeight) / 2, kCheckBoxWidth,
                                  checkHeight);
        row.label->adjustSize();
        row.label->move(labelLeft, top + (height - row.label->height()) / 2);
        right = qMax(right, editorLeft + editWidth);
        bottom = top + height;
        top = bottom + kGap;
    }
    m_box->resize(right + kFitMargin / 2, bottom + kFitMargin / 2);
    if (fitPanel) {
        m_fitSize = QSize(right + kFitMargin, bottom + kFitMargin);
        resize(m_fitSize);
        updateGeometry();
    }
}

void TEditsPanel::SetEditWidth(int width, int mode)
{
    editWidth = width;
    Layout(mode, true);
}

QSize TEditsPanel::sizeHint() const
{
    return m_fitSize.isValid() ? m_fitSize : QWidget::sizeHint();
}
