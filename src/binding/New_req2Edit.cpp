#include "New_req2Edit.h"

#include <QCoreApplication>
#include <QTreeWidget>

void New_req2Edit::RowRead()
{
    if (!listView) {
        ValuesToControls(-1);
        return;
    }
    if (keyItem >= 0 && keyItem < request.list.Count() &&
        request.list.Item(keyItem).value == skipKey)
        return;
    AddNumberedRow();
    ++rowNumber;
}

void New_req2Edit::AddNumberedRow()
{
    QStringList texts = RowTexts();
    if (texts.isEmpty())
        texts.append(QString());
    texts[0] = QString::number(rowNumber);
    AddRow(texts);
    QCoreApplication::processEvents();
}
