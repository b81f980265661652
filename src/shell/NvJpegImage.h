#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a JPEG picture with libjpeg-turbo. Returns a null image and sets error when the data
// is not a JPEG picture the library can read.
QImage DecodeJpeg(const QByteArray& data, QString* error = nullptr);
