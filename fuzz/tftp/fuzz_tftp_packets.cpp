// Every datagram the TFTP server parses comes from anyone on the network: requests and packets
// must parse safely, and no request may name a file outside what was announced.
#include "TFTPAnnouncedFiles.h"
#include "TFTPPacket.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

// A served folder with a subfolder and a file, and a folder beside it that must stay out of
// reach.
struct Tree
{
    Tree()
    {
        QDir(folder.path()).mkpath(QStringLiteral("root/sub"));
        QDir(folder.path()).mkpath(QStringLiteral("outside"));
        QFile file(folder.filePath(QStringLiteral("root/sub/fw.bin")));
        if (file.open(QIODevice::WriteOnly))
            file.write("x");
        root = folder.filePath(QStringLiteral("root"));
        announced.AnnounceFolder(root);
        announcedFile.AnnounceFile(folder.filePath(QStringLiteral("outside/LogFile.RD")));
    }

    QTemporaryDir folder;
    QString root;
    TFTPAnnouncedFiles announced;
    TFTPAnnouncedFiles announcedFile;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Tree tree;
    const char* bytes = reinterpret_cast<const char*>(data);
    const qint64 length = static_cast<qint64>(size);

    TFTPPacket::Request request;
    if (TFTPPacket::ParseRequest(bytes, length, request)) {
        if (length < TFTPPacket::kHeaderSize || request.fileName.contains(QChar(0)))
            __builtin_trap();
        const QString path =
            tree.announced.Resolve(tree.root + u'/', request.fileName, request.fileNameIsUtf8);
        if (!path.isEmpty() && !path.startsWith(tree.root + u'/'))
            __builtin_trap();
        // An empty root takes full paths, but only the one announced.
        const QString full =
            tree.announcedFile.Resolve(QString(), request.fileName, request.fileNameIsUtf8);
        if (!full.isEmpty() && full != tree.folder.filePath(QStringLiteral("outside/LogFile.RD")))
            __builtin_trap();
    }

    if (length >= TFTPPacket::kHeaderSize) {
        // What the session reads from a packet, written back, must read the same.
        const quint16 block = TFTPPacket::BlockOf(bytes);
        char buffer[TFTPPacket::kBufferSize];
        if (TFTPPacket::WriteAck(buffer, block) != 4 || TFTPPacket::BlockOf(buffer) != block ||
            TFTPPacket::OpcodeOf(buffer) != TFTPPacket::ACK)
            __builtin_trap();
        if (TFTPPacket::WriteError(buffer, block) != 5 || buffer[4] != '\0')
            __builtin_trap();
    }
    return 0;
}
