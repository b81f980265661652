#include "Variants.h"

namespace sim {

const std::vector<Variant>& variants()
{
    static const std::vector<Variant> list{
        {"default",
         "Save and Active, SSL certificates, the Multi-SSID page with three guest SSIDs",
         {}},
        {"no-save",
         "no Save and Active / Discard Changes: pages restart the device after every Apply and "
         "writes survive restarts",
         {{"privateRoot.4.5.1.0", nullptr}, {"privateRoot.4.5.2.0", nullptr}}},
        {"no-ssl",
         "firmware page without SSL certificate upload",
         {{"privateRoot.4.99.1.1.37.0", "integer:0"}}},
        {"table-mssid",
         "the table-based Multi-SSID page",
         {{"privateRoot.4.99.1.1.13.0", "integer:1"}}},
        {"basic",
         "an early firmware: no Save and Active, no optional feature, no CPU and memory "
         "utilisation, access point mode only",
         {
             {"privateRoot.4.4.1.1.1.0", "string:v1.20"},
             {"1.3.6.1.2.1.1.1.0", "string:QTR-9000KX Wireless Access Point, firmware v1.20"},
             {"privateRoot.4.4.1.2.1.0", nullptr},
             {"privateRoot.4.4.1.2.2.0", nullptr},
             {"privateRoot.4.5.1.0", nullptr},
             {"privateRoot.4.5.2.0", nullptr},
             {"privateRoot.4.99.1.1.1.0", "integer:16"},
             {"privateRoot.4.99.1.1.2.0", "integer:0"},
             {"privateRoot.4.99.1.1.7.0", "integer:0"},
             {"privateRoot.4.99.1.1.9.0", "integer:0"},
             {"privateRoot.4.99.1.1.10.0", "integer:0"},
             {"privateRoot.4.99.1.1.11.0", "integer:0"},
             {"privateRoot.4.99.1.1.14.0", "integer:0"},
             {"privateRoot.4.99.1.1.15.0", "integer:0"},
             {"privateRoot.4.99.1.1.20.0", "integer:0"},
             {"privateRoot.4.99.1.1.24.0", "integer:0"},
             {"privateRoot.4.99.1.1.25.0", "integer:0"},
             {"privateRoot.4.99.1.1.26.0", "integer:0"},
             {"privateRoot.4.99.1.1.31.0", "integer:0"},
             {"privateRoot.4.99.1.1.32.0", "integer:0"},
             {"privateRoot.4.99.1.1.34.0", "integer:0"},
             {"privateRoot.4.99.1.1.35.0", "integer:1"},
             {"privateRoot.4.99.1.1.36.0", "integer:1"},
             {"privateRoot.4.99.1.1.37.0", "integer:0"},
             {"privateRoot.4.99.1.1.39.0", "integer:1"},
             {"privateRoot.4.99.1.1.43.0", "integer:0"},
             {"privateRoot.4.99.1.1.47.0", "integer:0"},
             {"privateRoot.4.99.1.1.49.0", "integer:0"},
             {"privateRoot.4.99.1.1.53.0", "integer:0"},
             {"privateRoot.4.99.1.1.54.0", "integer:0"},
             {"privateRoot.4.99.1.1.55.0", "integer:0"},
             {"privateRoot.4.99.1.1.56.0", "integer:0"},
         }},
    };
    return list;
}

const Variant* findVariant(const QString& name)
{
    for (const Variant& variant : variants()) {
        if (name == QLatin1String(variant.name))
            return &variant;
    }
    return nullptr;
}

QString applyVariant(const Variant& variant, std::map<Oid, Value>& values)
{
    for (const auto& [oidText, valueText] : variant.changes) {
        const Oid oid = oidFromLiteral(oidText);
        if (!valueText) {
            values.erase(oid);
            continue;
        }
        QString error;
        const auto value = valueFromKeyword(QString::fromLatin1(valueText), &error);
        if (!value)
            return QStringLiteral("variant %1: %2").arg(QLatin1String(variant.name), error);
        values[oid] = *value;
    }
    return QString();
}

} // namespace sim
