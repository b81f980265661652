#pragma once

#include <QWidget>

class QPlainTextEdit;

// The message area of the SNMP panels: the status lines of their binding are appended here.
class TMsgPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TMsgPanel(QWidget* parent = nullptr);

    QSize sizeHint() const override;

    QPlainTextEdit* memo;

    static constexpr int kHeight = 50;
};
