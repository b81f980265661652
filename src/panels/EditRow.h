#pragma once

#include <QString>

class QCheckBox;
class QLabel;
class QWidget;

// One variable of an editing panel: its check box, its label and its editor.
struct EditRow
{
    enum Kind
    {
        ReadOnlyText = 1,    // read-only, no option list: an edit
        WritableText = 2,    // writable, no option list: an edit
        WritableOptions = 3, // writable with an option list: a drop-down list
        ReadOnlyOptions = 4, // read-only with an option list: an edit showing the option text
    };

    int kind = ReadOnlyText;
    QString format = QStringLiteral("%s"); // the binding format of the editor
    QWidget* editor = nullptr;             // QLineEdit, or QComboBox for WritableOptions
    QCheckBox* checkBox = nullptr;         // checked rows are the ones "Set Checked" writes
    QLabel* label = nullptr;               // the variable's name
    bool enabled = false;                  // the row state of the last EnableRow / DisableRow
};
