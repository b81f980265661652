#include "NvApplication.h"
#include "NvStartupSequence.h"

#include <QWidget>

namespace {

// Until the main window exists the start-up runs on its own: the caption lives here.
class StandaloneHost : public NvStartupHost
{
public:
    void StopCapabilityTimer() override {}
    QString Caption() const override { return m_caption; }
    void SetCaption(const QString& caption) override { m_caption = caption; }
    QWidget* MessageOwner() override { return nullptr; }

private:
    QString m_caption = QStringLiteral("QTR-9000KX");
};

} // namespace

int main(int argc, char* argv[])
{
    NvApplication app(argc, argv);
    NvStartupCatalogs::LoadBesideExecutable(QCoreApplication::applicationDirPath());

    StandaloneHost host;
    NvStartupSequence startup;
    const auto outcome =
        startup.Run(host, app.arguments().mid(1), [] { return NvSessionParameters(); });
    return outcome == NvStartupSequence::Outcome::Continue ? 0 : 1;
}
