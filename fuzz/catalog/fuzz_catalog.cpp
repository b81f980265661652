// Catalog files are replaceable text files a translator edits: any content must load safely.
#include "NvCatalog.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList entries = NvCatalog::ParseCatalogText(content);
    for (const QString& entry : entries) {
        // Every entry is a non-blank piece of at most 1023 characters without a line end.
        if (entry.size() > 1023 || entry.contains(QLatin1Char('\n')))
            __builtin_trap();
    }
    return 0;
}
