// Value texts come from users and images from devices: every syntax must convert either way
// without a crash, raise only its documented errors, and give back what it was given where the
// text form holds the whole value.
//
// Input: one byte choosing the syntax, one byte offset for ExtractPart, then the data, used both
// as a text (UTF-8) and as an image.
#include "NvDateTime.h"
#include "NvError.h"
#include "NvSyntax.h"
#include "ValueImage.h"

#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

const uint32_t kSyntaxes[] = {
    SYN_BOOLEAN,    SYN_INTEGER,     SYN_BITS,          SYN_OCTETS,        SYN_NULL,
    SYN_OID,        SYN_IPADDRESS,   SYN_COUNTER32,     SYN_GAUGE32,       SYN_TIMETICKS,
    SYN_OPAQUE,     SYN_NSAP,        SYN_COUNTER64,     SYN_UINTEGER32,    SYN_DOUBLE,
    SYN_MACADDRESS, SYN_DATEANDTIME, SYN_DATETIME_REAL, SYN_DISPLAYSTRING, SYN_BOOL8,
    SYN_INT8,       SYN_UINT8,       SYN_BOOL16,        SYN_INT16,         SYN_UINT16,
};
constexpr size_t kSyntaxCount = sizeof kSyntaxes / sizeof kSyntaxes[0];

[[noreturn]] void fail()
{
    __builtin_trap();
}

void check(bool condition)
{
    if (!condition)
        fail();
}

// Runs call; an NvError must carry `allowed` (0: none allowed). Returns whether it raised.
template <typename F> bool raises(int allowed, F call)
{
    try {
        call();
    } catch (const NvError& error) {
        check(allowed != 0 && error.code() == allowed);
        return true;
    }
    return false;
}

bool nonFiniteReal(const QByteArray& image, uint32_t syntax)
{
    if ((syntax != SYN_DOUBLE && syntax != SYN_DATETIME_REAL) || image.size() < 8)
        return false;
    double value;
    std::memcpy(&value, image.constData(), sizeof value);
    return !std::isfinite(value);
}

// The part of an image that its text shows whole, or an empty array when the text form may
// normalise it (booleans, reals, unusual DateAndTime offsets, text that is not UTF-8).
QByteArray exactPart(const QByteArray& image, uint32_t syntax)
{
    switch (syntax) {
    case SYN_INTEGER:
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
    case SYN_TIMETICKS:
    case SYN_COUNTER64:
    case SYN_IPADDRESS:
    case SYN_NSAP:
    case SYN_INT8:
    case SYN_UINT8:
    case SYN_INT16:
    case SYN_UINT16:
        return image.left(PartWidth(syntax));
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OPAQUE:
    case SYN_MACADDRESS:
        return image;
    case SYN_OID:
        return image.size() % 4 == 0 ? image : QByteArray();
    case SYN_DISPLAYSTRING:
        return !image.contains('\0') && QString::fromUtf8(image).toUtf8() == image ? image
                                                                                   : QByteArray();
    case SYN_DATEANDTIME: {
        const NvDateTime value = NvDateTime::FromOctets(image);
        const bool offset = value.utcHours != 0 || value.utcMinutes != 0;
        const bool shown = value.direction == '+' || (value.direction == '-' && offset);
        return shown ? image.left(NvDateTime::kOctets) : QByteArray();
    }
    default:
        return QByteArray();
    }
}

// From an image: its text, and the text of that text's image, must agree.
void imageRoundTrip(const QByteArray& image, uint32_t syntax)
{
    const int width = PartWidth(syntax);
    QString text;
    const bool shortImage = !image.isEmpty() && image.size() < width;
    const bool raised = raises(-518, [&] { text = ImageToText(image, syntax); });
    if (syntax == SYN_DATETIME_REAL && raised && !shortImage)
        return; // a real that holds no date of the years 1 to 9999
    check(raised == shortImage);
    if (raised)
        return;
    const QByteArray back = TextToImage(text, syntax);
    // A display string that reads "(NULL)" comes back as no value: the literal means that.
    if (text == QLatin1String("(NULL)")) {
        check(back.isEmpty());
        return;
    }
    const QByteArray exact = exactPart(image, syntax);
    if (!exact.isEmpty())
        check(back == exact);
    if (nonFiniteReal(image, syntax))
        return; // "inf" and "nan" are not read back
    QString again;
    check(!raises(0, [&] { again = ImageToText(back, syntax); }));
    check(again == text);
}

// From a text: its image's text is a fixed point.
void textRoundTrip(const QString& text, uint32_t syntax)
{
    QByteArray image;
    check(!raises(0, [&] { image = TextToImage(text, syntax); }));
    if (text == QLatin1String("(NULL)"))
        check(image.isEmpty());
    QString shown;
    const bool shortImage = !image.isEmpty() && image.size() < PartWidth(syntax);
    check(raises(-518, [&] { shown = ImageToText(image, syntax); }) == shortImage);
    if (shortImage || nonFiniteReal(image, syntax))
        return;
    const QByteArray again = TextToImage(shown, syntax);
    if (shown == QLatin1String("(NULL)")) {
        check(again.isEmpty()); // also a display string whose characters read "(NULL)"
        return;
    }
    QString shownAgain;
    check(!raises(0, [&] { shownAgain = ImageToText(again, syntax); }));
    check(shownAgain == shown);
}

void extract(const QByteArray& image, int offset, uint32_t syntax)
{
    const int width = PartWidth(syntax);
    QByteArray part;
    const bool raised = raises(-519, [&] { part = ExtractPart(image, offset, syntax); });
    if (image.isEmpty()) {
        check(!raised && part.isEmpty());
        return;
    }
    const int end = width == kRestOfImage ? int(image.size()) : offset + width;
    check(raised == (end > image.size() || offset > image.size()));
    if (!raised)
        check(part == image.mid(offset, end - offset));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t choice = data[0] % (kSyntaxCount + 1);
    const int offset = data[1];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2),
                           static_cast<qsizetype>(size - 2));
    const QString text = QString::fromUtf8(bytes);

    if (choice == kSyntaxCount) {
        // Codes beside the table: 0x00..0xFF, shifted where they would hit a known code.
        uint32_t unknown = data[1];
        while (IsImageSyntax(unknown))
            unknown += 0x100;
        check(raises(-511, [&] { TextToImage(text, unknown); }));
        check(raises(-511, [&] { ImageToText(bytes, unknown); }));
        check(raises(-511, [&] { ExtractPart(bytes, offset, unknown); }));
        return 0;
    }
    const uint32_t syntax = kSyntaxes[choice];
    textRoundTrip(text, syntax);
    imageRoundTrip(bytes, syntax);
    extract(bytes, offset, syntax);
    return 0;
}
