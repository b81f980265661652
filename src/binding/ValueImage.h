#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// A value's bytes in the fixed layout of its syntax, so that a binding can cut a part out of a
// value, pack check boxes into bits or spread a value over several edits. Multi-byte numbers are
// little-endian except the 16-bit kinds, which are big-endian. An empty image means no value.
using ValueImage = QByteArray;

// The image of a value text. "(NULL)" gives the empty image. Texts that do not parse raise
// nothing: numbers become 0 or their leading digits, hex characters become 0.
// Raises NvError -511 for a syntax code this layer does not know.
ValueImage TextToImage(const QString& text, uint32_t syntax);

// The text form of an image. The empty image gives "(NULL)" (the empty text for a DisplayString).
// Raises -511 for an unknown syntax, -518 for a non-empty image shorter than the syntax needs
// (and for a real date-time image that holds no date of the years 1 to 9999).
QString ImageToText(const ValueImage& image, uint32_t syntax);

// The part of the syntax's width at byteOffset; the empty image gives the empty image.
// Raises -511 for an unknown syntax, -519 when the part reaches beyond the image.
ValueImage ExtractPart(const ValueImage& image, int byteOffset, uint32_t syntax);

// Whether this layer knows the syntax code.
bool IsImageSyntax(uint32_t syntax);

// Width in bytes of one part of the syntax (also the shortest image ImageToText reads): 0 for
// SYN_NULL, kRestOfImage for the kinds whose part is the rest of the image. Raises -511.
constexpr int kRestOfImage = -1;
int PartWidth(uint32_t syntax);
