#include "TAboutForm.h"

#include "ui_TAboutForm.h"

#include <QKeyEvent>

TAboutForm::TAboutForm(const QString& modelName, QWidget* owner)
    : QDialog(owner), m_ui(std::make_unique<Ui::TAboutForm>())
{
    m_ui->setupUi(this);
    setFixedSize(350, 98);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_ui->Label1->setText(modelName + QStringLiteral(" Management Module"));
    m_ui->Image1->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    m_ui->Label4->hide();
    m_ui->BT_Ok->installEventFilter(this);
    connect(m_ui->BT_Ok, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutForm::~TAboutForm() = default;

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->BT_Ok && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers held =
            key->modifiers() & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier);
        if (key->key() == Qt::Key_F3 && held == (Qt::ShiftModifier | Qt::AltModifier)) {
            m_ui->Label4->show();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
