// The access point's load as the device information page shows it: CPU and memory utilisation
// in percent, read-only. Early firmware has neither (the "basic" variant, apStatusSupported 0).
//
// The figures move as a running device's would, so that a page's Refresh visibly re-reads them,
// yet they are a function of the uptime alone: the same moment after a boot gives the same
// figures, and nothing random enters a test.
#include "Device.h"
#include "Model.h"

namespace sim {

namespace {

// The figures change every half second of uptime.
constexpr quint32 ticksPerStep = 50;

quint32 step(const Device& device)
{
    return device.uptimeTicks() / ticksPerStep;
}

// Scrambles a step number into an evenly spread one, so neighbouring steps look unrelated.
quint32 scramble(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

// A lightly loaded device: 4..26 % from one step to the next, with bursts of 40 % more that
// last four seconds and come about one time in five.
Value cpuUtilization(const Device& device)
{
    const quint32 now = step(device);
    qint64 percent = 4 + scramble(now) % 23;
    if (scramble(now / 8 + 0x9e3779b9u) % 5 == 0)
        percent += 40;
    return Value::integer(percent);
}

// Memory drifts slowly within 39..44 %: up and down over eight seconds, with a point of jitter.
Value memUtilization(const Device& device)
{
    const quint32 now = step(device);
    const quint32 phase = now % 16;
    const quint32 wave = phase < 8 ? phase : 16 - phase;
    return Value::integer(39 + wave / 2 + (scramble(now) & 1u));
}

} // namespace

const VariableGroup& apStatusGroup()
{
    static const VariableGroup group{
        "apStatus",
        {
            VariableDef("privateRoot.4.4.1.2.1.0", "deviceInformationCpuUtilization", ASN_INTEGER)
                .dynamic(cpuUtilization),
            VariableDef("privateRoot.4.4.1.2.2.0", "deviceInformationMemUtilization", ASN_INTEGER)
                .dynamic(memUtilization),
        },
    };
    return group;
}

} // namespace sim
