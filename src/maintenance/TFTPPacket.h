#pragma once

#include <QString>
#include <QtGlobal>

// The datagrams of TFTP without options: requests, DATA, ACK and ERROR. All 16-bit fields are
// in network byte order.
namespace TFTPPacket {

enum Opcode : quint16
{
    RRQ = 1,
    WRQ = 2,
    DATA = 3,
    ACK = 4,
    ERROR = 5
};

constexpr int kBlockSize = 512;   // payload of every DATA block but the last
constexpr int kHeaderSize = 4;    // opcode and block number
constexpr int kBufferSize = 2048; // what one receive or send takes

// A read or write request as the client sent it.
struct Request
{
    quint16 opcode = 0;
    QString fileName;
    QString mode;
    bool fileNameIsUtf8 = true; // false when the name's bytes are not valid UTF-8
};

inline quint16 Field(const char* data, int offset)
{
    return static_cast<quint16>((static_cast<unsigned char>(data[offset]) << 8) |
                                static_cast<unsigned char>(data[offset + 1]));
}

// Opcode and block number of a datagram of at least kHeaderSize bytes.
inline quint16 OpcodeOf(const char* data)
{
    return Field(data, 0);
}
inline quint16 BlockOf(const char* data)
{
    return Field(data, 2);
}

// Parses a datagram of at least kHeaderSize bytes as RRQ or WRQ: the file name runs from byte 2
// to its NUL, the mode to the NUL after it (either ends at the datagram's end when its NUL is
// missing); anything after the mode (options) is ignored. False for any other opcode.
bool ParseRequest(const char* data, qint64 size, Request& request);

// Packet writers; each returns the length written into buffer (kBufferSize bytes at least).
// DATA: the header only, the payload goes at buffer + kHeaderSize.
int WriteDataHeader(char* buffer, quint16 block);
int WriteAck(char* buffer, quint16 block);
// ERROR with an empty message: exactly 5 bytes.
int WriteError(char* buffer, quint16 errorCode);

} // namespace TFTPPacket
