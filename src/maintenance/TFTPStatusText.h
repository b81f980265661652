#pragma once

#include <QString>

// The text of a TFTP status code (3 ... 0 progress, -1101 ... -1114 failures); empty for any
// other code.
QString TFTPStatusText(int code);
