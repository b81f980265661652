#include "NvEditDisplay.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

void SetReadOnly(QLineEdit* edit, bool readOnly)
{
    edit->setReadOnly(readOnly);
    const QPalette standard = QApplication::palette(edit);
    QPalette palette = edit->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base,
                         standard.color(group, readOnly ? QPalette::Button : QPalette::Base));
    }
    edit->setPalette(palette);
}

void ShowText(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}
