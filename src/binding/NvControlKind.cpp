#include "NvControlKind.h"

#include "NvRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>

namespace {

template <typename Kind> struct KindRow
{
    const QMetaObject* widgetClass;
    Kind kind;
};

const KindRow<NvControlKind> kControlKinds[] = {
    {&QLineEdit::staticMetaObject, NvControlKind::Edit},
    {&QLabel::staticMetaObject, NvControlKind::Label},
    {&QComboBox::staticMetaObject, NvControlKind::ComboBox},
    {&QCheckBox::staticMetaObject, NvControlKind::CheckBox},
    {&NvRadioGroup::staticMetaObject, NvControlKind::RadioGroup},
};

const KindRow<NvStatusTargetKind> kStatusTargetKinds[] = {
    {&QStatusBar::staticMetaObject, NvStatusTargetKind::StatusBar},
    {&QLabel::staticMetaObject, NvStatusTargetKind::Panel},
    {&QPlainTextEdit::staticMetaObject, NvStatusTargetKind::MultiLine},
    {&QTextEdit::staticMetaObject, NvStatusTargetKind::MultiLine},
};

template <typename Kind, size_t N>
Kind lookup(const QWidget* widget, const KindRow<Kind> (&rows)[N], Kind unsupported)
{
    if (!widget)
        return unsupported;
    for (const KindRow<Kind>& row : rows) {
        if (widget->metaObject()->inherits(row.widgetClass))
            return row.kind;
    }
    return unsupported;
}

} // namespace

NvControlKind ControlKindOf(const QWidget* control)
{
    return lookup(control, kControlKinds, NvControlKind::Unsupported);
}

NvStatusTargetKind StatusTargetKindOf(const QWidget* target)
{
    return lookup(target, kStatusTargetKinds, NvStatusTargetKind::Unsupported);
}
