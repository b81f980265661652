#include "TMsgPanel.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TMsgPanel::TMsgPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MsgPanel"));
    memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("memo"));
    memo->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
    resize(width(), kHeight);
}

QSize TMsgPanel::sizeHint() const
{
    return QSize(QWidget::sizeHint().width(), kHeight);
}
