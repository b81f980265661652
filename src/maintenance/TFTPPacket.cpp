#include "TFTPPacket.h"

#include <QStringDecoder>
#include <cstring>

namespace TFTPPacket {

namespace {

// The NUL-terminated text at offset, or the rest of the datagram; next is where the text after
// it begins.
QByteArrayView TextAt(const char* data, qint64 size, qint64 offset, qint64& next)
{
    if (offset >= size) {
        next = size;
        return {};
    }
    const void* nul = std::memchr(data + offset, 0, static_cast<size_t>(size - offset));
    const qint64 end = nul ? static_cast<const char*>(nul) - data : size;
    next = end < size ? end + 1 : size;
    return QByteArrayView(data + offset, end - offset);
}

void PutField(char* buffer, int offset, quint16 value)
{
    buffer[offset] = static_cast<char>(value >> 8);
    buffer[offset + 1] = static_cast<char>(value & 0xFF);
}

} // namespace

bool ParseRequest(const char* data, qint64 size, Request& request)
{
    if (size < kHeaderSize)
        return false;
    const quint16 opcode = OpcodeOf(data);
    if (opcode != RRQ && opcode != WRQ)
        return false;
    request.opcode = opcode;
    qint64 next = 0;
    const QByteArrayView name = TextAt(data, size, 2, next);
    const QByteArrayView mode = TextAt(data, size, next, next);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    request.fileName = decoder(name);
    request.fileNameIsUtf8 = !decoder.hasError();
    request.mode = QString::fromLatin1(mode);
    return true;
}

int WriteDataHeader(char* buffer, quint16 block)
{
    PutField(buffer, 0, DATA);
    PutField(buffer, 2, block);
    return kHeaderSize;
}

int WriteAck(char* buffer, quint16 block)
{
    PutField(buffer, 0, ACK);
    PutField(buffer, 2, block);
    return kHeaderSize;
}

int WriteError(char* buffer, quint16 errorCode)
{
    PutField(buffer, 0, ERROR);
    PutField(buffer, 2, errorCode);
    buffer[4] = '\0';
    return 5;
}

} // namespace TFTPPacket
