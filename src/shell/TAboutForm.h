#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutForm;
}

// Help \ About: the module's name and release. Shift+Alt+F3 on the OK button shows the build tag.
class TAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutForm(const QString& modelName, QWidget* owner = nullptr);
    ~TAboutForm() override;

    Ui::TAboutForm* ui() const { return m_ui.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::TAboutForm> m_ui;
};
