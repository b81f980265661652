#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The SNMPv3 engine boots counter kept in a file of ours. Format: UTF-8 text, one line per
// engine, "<engine ID as hexadecimal octets> <boots in decimal>", e.g.
//   4E76534E4D505F50505F4170706C69636174696F6E 12
// Lines of other engines are kept when the file is saved. Blank lines are ignored.
namespace NvBootCounter {

// The boots file in a folder: folder + separator + "NvSNMP_PP_BootCounter"; an empty folder
// gives the bare name (the current directory). A folder may end in "/" or "\".
QString FilePath(const QString& folder);

// Reads the count of an engine into boots. A missing file or a missing entry gives 0 and true;
// a file that exists but cannot be read or holds a malformed line gives false.
bool Load(const QString& path, const QByteArray& engineId, uint32_t& boots);

// Writes the count of an engine, keeping the other entries; false when it cannot be written.
bool Save(const QString& path, const QByteArray& engineId, uint32_t boots);

} // namespace NvBootCounter
