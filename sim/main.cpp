// qtr9000kx-sim: the QTR-9000KX access point as a real SNMP agent, for the module's tests and
// demos. See sim/README.md.
#include "Agent.h"
#include "Device.h"
#include "EventLog.h"
#include "Model.h"
#include "Options.h"
#include "Snmprec.h"
#include "Variants.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void warn(const QString& text)
{
    std::fprintf(stderr, "qtr9000kx-sim: %s\n", qPrintable(text));
}

void eraseSubtree(std::map<sim::Oid, sim::Value>& values, const sim::Oid& prefix)
{
    auto it = values.lower_bound(prefix);
    while (it != values.end() && sim::hasPrefix(it->first, prefix))
        it = values.erase(it);
}

// The defaults: the data file, then the listen address, the variants, --unset and --set.
std::optional<std::map<sim::Oid, sim::Value>> defaultsFor(const sim::Options& options)
{
    sim::Snmprec data;
    const QString path =
        options.dataFile.isEmpty() ? QStringLiteral(":/sim/qtr9000kx.snmprec") : options.dataFile;
    if (!data.load(path)) {
        warn(data.errorString());
        return std::nullopt;
    }
    for (const QString& warning : data.warnings())
        warn(warning);
    std::map<sim::Oid, sim::Value> values = data.values();
    // The agent serves iso.org (1.3); a recording may hold stray OIDs outside it.
    static const sim::Oid served{1, 3};
    for (auto it = values.begin(); it != values.end();) {
        if (sim::hasPrefix(it->first, served)) {
            ++it;
            continue;
        }
        warn(QStringLiteral("%1: %2 is outside 1.3; skipped").arg(path, sim::oidText(it->first)));
        it = values.erase(it);
    }
    if (const auto address = sim::parseDottedQuad(options.listenHost); address && *address != 0)
        sim::useListenAddress(values, *address);
    for (const QString& name : options.variants) {
        const QString error = sim::applyVariant(*sim::findVariant(name), values);
        if (!error.isEmpty()) {
            warn(error);
            return std::nullopt;
        }
    }
    for (const sim::Oid& oid : options.unsets)
        eraseSubtree(values, oid);
    for (const auto& [oid, value] : options.sets)
        values[oid] = value;
    return values;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qtr9000kx-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QTR_VERSION));
    int exitCode = 0;
    const auto options = sim::parseOptions(QCoreApplication::arguments(), &exitCode);
    if (!options)
        return exitCode;
    const auto defaults = defaultsFor(*options);
    if (!defaults)
        return 2;

    const sim::Model model;
    sim::Device device(model);
    for (const QString& warning : device.setDefaults(*defaults))
        warn(warning);
    sim::EventLog events;
    if (!options->eventLog.isEmpty() && !events.open(options->eventLog)) {
        warn(QStringLiteral("%1: %2").arg(options->eventLog, events.errorString()));
        return 2;
    }
    sim::Agent agent(*options, device, events);
    QString error;
    if (!agent.start(&error)) {
        warn(error);
        return 1;
    }
    device.boot();
    // The socket is bound: whatever arrives from now on is answered.
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    agent.run();
    return 0;
}
