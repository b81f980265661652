#pragma once

#include "TFTPStatusText.h"

#include <QString>

// One request and its transfer. The server keeps one as the template of its next session; each
// session works on its own copy, and that copy is what the message handler receives.
struct NvTFTPMsg
{
    int code = -1111;                       // current status code
    QString text = TFTPStatusText(-1111);   // TFTPStatusText(code)
    int type = 1;                           // 1 read request, 2 write request
    QString mode = QStringLiteral("octet"); // as requested, never examined
    QString clientAddress = QStringLiteral("0.0.0.0");
    QString serverAddress = QStringLiteral("127.0.0.1");
    int port = 69;          // the port given to Start
    QString reservedText;   // always empty
    QString fileName;       // as requested by the client
    int total = 0;          // bytes moved so far
    int lastBlockSize = -1; // payload of the last DATA block, -1 before it
    int clientPort = 0;     // updated from every accepted packet
    int sessionNumber = -1; // incremented before each new session
    int reserved = 0;       // always 0
    int timeout = 1000;     // wait for an answer, in units of 10 ms
    int sendCount = 0;      // sends of the current DATA block
};
