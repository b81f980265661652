#pragma once

class QWidget;

// The kinds of control a binding can show a variable in, decided once per control from a table of
// widget classes (a subclass counts as its base kind).
enum class NvControlKind
{
    Label,      // QLabel: the caption shows the value
    Edit,       // QLineEdit
    ComboBox,   // QComboBox in drop-down-list style
    CheckBox,   // QCheckBox
    RadioGroup, // NvRadioGroup
    Unsupported,
};

NvControlKind ControlKindOf(const QWidget* control);

// Where status lines can go.
enum class NvStatusTargetKind
{
    StatusBar, // QStatusBar: its simple text
    Panel,     // QLabel (a status-bar panel): its text
    MultiLine, // QPlainTextEdit or QTextEdit: a line is appended
    Unsupported,
};

NvStatusTargetKind StatusTargetKindOf(const QWidget* target);
