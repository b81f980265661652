// Runs the module's start-up for the arguments given, prints "started" or "refused" and, when
// started, holds its lock until standard input closes.
#include "NvApplication.h"
#include "NvDialogs.h"
#include "NvStartupSequence.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {
class ProbeHost : public NvStartupHost
{
public:
    void StopCapabilityTimer() override {}
    QString Caption() const override { return m_caption; }
    void SetCaption(const QString& caption) override { m_caption = caption; }
    QWidget* MessageOwner() override { return nullptr; }
    QString m_caption = QStringLiteral("QTR-9000KX");
};
} // namespace

int main(int argc, char* argv[])
{
    NvApplication app(argc, argv);
    NvDialogs::SetTestMode();
    ProbeHost host;
    NvStartupSequence startup;
    const auto outcome =
        startup.Run(host, app.arguments().mid(1), [] { return NvSessionParameters(); });
    for (const auto& message : NvDialogs::RecordedMessages())
        std::printf("message: %s\n", qPrintable(message.text));
    std::printf("%s\n", outcome == NvStartupSequence::Outcome::Continue ? "started" : "refused");
    std::fflush(stdout);
    if (outcome != NvStartupSequence::Outcome::Continue)
        return 1;
    QFile in;
    if (in.open(stdin, QIODevice::ReadOnly))
        in.readAll();
    return 0;
}
