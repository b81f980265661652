#include "NvError.h"
#include "NvSyntax.h"
#include "ValueImage.h"

#include <QtTest>
#include <cstring>

namespace {

QByteArray hex(const char* digits)
{
    return QByteArray::fromHex(digits);
}

QByteArray doubleBytes(double value)
{
    QByteArray bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8); // the host is little-endian, as the images are
    return bytes;
}

// The code of the NvError the call raises, or 0.
template <typename F> int raisedCode(F call)
{
    try {
        call();
    } catch (const NvError& error) {
        return error.code();
    }
    return 0;
}

} // namespace

class TestValueImage : public QObject
{
    Q_OBJECT

private slots:
    void textToImage_data();
    void textToImage();
    void imageToText_data();
    void imageToText();
    void shortImageRaises_data();
    void shortImageRaises();
    void unknownSyntaxRaises_data();
    void unknownSyntaxRaises();
    void extractPart_data();
    void extractPart();
    void imageSurvivesText_data();
    void imageSurvivesText();
    void realDateTimeText_data();
    void realDateTimeText();
    void realDateTimeParse_data();
    void realDateTimeParse();
    void realDateTimeWithoutDate_data();
    void realDateTimeWithoutDate();
};

void TestValueImage::textToImage_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("image");

    QTest::newRow("NULL text for integer is no value")
        << uint(SYN_INTEGER) << "(NULL)" << QByteArray();
    QTest::newRow("NULL text for display string is no value")
        << uint(SYN_DISPLAYSTRING) << "(NULL)" << QByteArray();
    QTest::newRow("NULL text for real date-time is no value")
        << uint(SYN_DATETIME_REAL) << "(NULL)" << QByteArray();
    QTest::newRow("null syntax ignores the text") << uint(SYN_NULL) << "12" << QByteArray();

    QTest::newRow("boolean true") << uint(SYN_BOOLEAN) << "true" << hex("01000000");
    QTest::newRow("boolean is case-sensitive") << uint(SYN_BOOLEAN) << "True" << hex("00000000");
    QTest::newRow("bool8") << uint(SYN_BOOL8) << "true" << hex("01");
    QTest::newRow("bool16 big-endian") << uint(SYN_BOOL16) << "true" << hex("0001");

    QTest::newRow("integer little-endian") << uint(SYN_INTEGER) << "258" << hex("02010000");
    QTest::newRow("integer negative") << uint(SYN_INTEGER) << "-2" << hex("feffffff");
    QTest::newRow("integer leading digits") << uint(SYN_INTEGER) << " 12ab" << hex("0c000000");
    QTest::newRow("integer letters give 0") << uint(SYN_INTEGER) << "abc" << hex("00000000");
    QTest::newRow("counter full range") << uint(SYN_COUNTER32) << "4294967295" << hex("ffffffff");
    QTest::newRow("gauge beyond 32 bits saturates")
        << uint(SYN_GAUGE32) << "99999999999" << hex("ffffffff");
    QTest::newRow("uinteger minus one wraps") << uint(SYN_UINTEGER32) << "-1" << hex("ffffffff");
    QTest::newRow("int8 low byte") << uint(SYN_INT8) << "-1" << hex("ff");
    QTest::newRow("uint8 low byte of 300") << uint(SYN_UINT8) << "300" << hex("2c");
    QTest::newRow("int16 minus one") << uint(SYN_INT16) << "-1" << hex("ffff");
    QTest::newRow("uint16 big-endian") << uint(SYN_UINT16) << "258" << hex("0102");

    QTest::newRow("octets odd count") << uint(SYN_OCTETS) << "1F2" << hex("01f2");
    QTest::newRow("octets with a blank") << uint(SYN_OCTETS) << "0a 0B" << hex("0a0b");
    QTest::newRow("octets non-hex is 0") << uint(SYN_OCTETS) << "zz" << hex("00");
    QTest::newRow("mac address of any length") << uint(SYN_MACADDRESS) << "0102" << hex("0102");
    QTest::newRow("bits") << uint(SYN_BITS) << "80" << hex("80");
    QTest::newRow("opaque") << uint(SYN_OPAQUE) << "00A0C5" << hex("00a0c5");

    QTest::newRow("oid 4 bytes per arc")
        << uint(SYN_OID) << "1.3.300" << hex("01000000030000002c010000");
    QTest::newRow("oid with a leading dot") << uint(SYN_OID) << ".1.3" << hex("0100000003000000");
    QTest::newRow("oid empty") << uint(SYN_OID) << "" << QByteArray();
    QTest::newRow("ip address") << uint(SYN_IPADDRESS) << "192.168.1.254" << hex("c0a801fe");
    QTest::newRow("ip address arc low byte")
        << uint(SYN_IPADDRESS) << "10.0.0.257" << hex("0a000001");
    QTest::newRow("nsap as ip address") << uint(SYN_NSAP) << "1.2.3.4" << hex("01020304");
    QTest::newRow("ip address short text") << uint(SYN_IPADDRESS) << "1.2" << hex("0102");

    QTest::newRow("time-ticks one day")
        << uint(SYN_TIMETICKS) << "1 day 0:00:00.00" << hex("00d68300");
    QTest::newRow("time-ticks without seconds")
        << uint(SYN_TIMETICKS) << "1:02:03" << hex("20ad0500"); // 360000 + 12000

    QTest::newRow("counter64 low half then high half")
        << uint(SYN_COUNTER64) << "4294967297" << hex("0100000001000000");
    QTest::newRow("counter64 beyond a double's precision")
        << uint(SYN_COUNTER64) << "18446744073709551615" << hex("ffffffffffffffff");
    QTest::newRow("counter64 exponent form")
        << uint(SYN_COUNTER64) << "1e3" << hex("e803000000000000");
    QTest::newRow("counter64 fraction dropped")
        << uint(SYN_COUNTER64) << "7.9" << hex("0700000000000000");
    QTest::newRow("counter64 negative is 0")
        << uint(SYN_COUNTER64) << "-5" << hex("0000000000000000");

    QTest::newRow("double") << uint(SYN_DOUBLE) << "1.5" << doubleBytes(1.5);
    QTest::newRow("double leading number") << uint(SYN_DOUBLE) << "-2.25kg" << doubleBytes(-2.25);
    QTest::newRow("double none is 0") << uint(SYN_DOUBLE) << "x" << doubleBytes(0.0);

    QTest::newRow("date and time, wire layout")
        << uint(SYN_DATEANDTIME) << "2008-11-13,10:5:0.0,+8:0" << hex("07d80b0d0a0500002b0800");

    QTest::newRow("display string as UTF-8")
        << uint(SYN_DISPLAYSTRING) << QString::fromUtf8("Caf\u00e9") << QByteArray("Caf\xc3\xa9");
}

void TestValueImage::textToImage()
{
    QFETCH(uint, syntax);
    QFETCH(QString, text);
    QFETCH(QByteArray, image);
    QCOMPARE(TextToImage(text, syntax).toHex(), image.toHex());
}

void TestValueImage::imageToText_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty integer is NULL") << uint(SYN_INTEGER) << QByteArray() << "(NULL)";
    QTest::newRow("empty octets is NULL") << uint(SYN_OCTETS) << QByteArray() << "(NULL)";
    QTest::newRow("empty display string is empty") << uint(SYN_DISPLAYSTRING) << QByteArray() << "";
    QTest::newRow("null syntax always NULL") << uint(SYN_NULL) << hex("01") << "(NULL)";

    QTest::newRow("boolean any non-zero") << uint(SYN_BOOLEAN) << hex("00000100") << "true";
    QTest::newRow("boolean zero") << uint(SYN_BOOLEAN) << hex("00000000") << "false";
    QTest::newRow("bool8") << uint(SYN_BOOL8) << hex("02") << "true";
    QTest::newRow("bool16 low byte is the second") << uint(SYN_BOOL16) << hex("0001") << "true";

    QTest::newRow("integer negative") << uint(SYN_INTEGER) << hex("feffffff") << "-2";
    QTest::newRow("integer extra bytes unused") << uint(SYN_INTEGER) << hex("0500000099") << "5";
    QTest::newRow("counter unsigned") << uint(SYN_COUNTER32) << hex("ffffffff") << "4294967295";
    QTest::newRow("gauge") << uint(SYN_GAUGE32) << hex("10000000") << "16";
    QTest::newRow("uinteger") << uint(SYN_UINTEGER32) << hex("00000080") << "2147483648";
    QTest::newRow("int8 signed") << uint(SYN_INT8) << hex("ff") << "-1";
    QTest::newRow("uint8") << uint(SYN_UINT8) << hex("ff") << "255";
    QTest::newRow("int16 reads unsigned") << uint(SYN_INT16) << hex("ffff") << "65535";
    QTest::newRow("uint16 big-endian") << uint(SYN_UINT16) << hex("0102") << "258";

    QTest::newRow("octets upper-case compact") << uint(SYN_OCTETS) << hex("00a0c5") << "00A0C5";
    QTest::newRow("mac address 6 bytes")
        << uint(SYN_MACADDRESS) << hex("02001e112233") << "02001E112233";
    QTest::newRow("mac address longer shown whole")
        << uint(SYN_MACADDRESS) << hex("02001e11223344") << "02001E11223344";

    QTest::newRow("oid") << uint(SYN_OID) << hex("01000000030000002c010000") << "1.3.300";
    QTest::newRow("oid short last group") << uint(SYN_OID) << hex("0100000002") << "1.2";
    QTest::newRow("ip address first 4 bytes")
        << uint(SYN_IPADDRESS) << hex("c0a801fe09") << "192.168.1.254";
    QTest::newRow("nsap") << uint(SYN_NSAP) << hex("01020304") << "1.2.3.4";

    QTest::newRow("time-ticks zero") << uint(SYN_TIMETICKS) << hex("00000000") << "0:00:00.00";
    QTest::newRow("time-ticks one day")
        << uint(SYN_TIMETICKS) << hex("00d68300") << "1 day 0:00:00.00";
    QTest::newRow("time-ticks two days and a hundredth")
        << uint(SYN_TIMETICKS) << hex("01ac0701") << "2 days, 0:00:00.01"; // 17,280,001

    QTest::newRow("counter64 two to the 32 plus one")
        << uint(SYN_COUNTER64) << hex("0100000001000000") << "4294967297";
    QTest::newRow("counter64 maximum")
        << uint(SYN_COUNTER64) << hex("ffffffffffffffff") << "18446744073709551615";

    QTest::newRow("double shortest form") << uint(SYN_DOUBLE) << doubleBytes(0.1) << "0.1";
    QTest::newRow("double 15 digits")
        << uint(SYN_DOUBLE) << doubleBytes(1.0 / 3) << "0.333333333333333";
    QTest::newRow("double exponent") << uint(SYN_DOUBLE) << doubleBytes(1e20) << "1e+20";

    QTest::newRow("date and time with offset")
        << uint(SYN_DATEANDTIME) << hex("07d80b0d0a0500002b0800") << "2008-11-13,10:5:0.0,+8:0";
    QTest::newRow("date and time zero offset")
        << uint(SYN_DATEANDTIME) << hex("07d80b0d0a0500002b0000") << "2008-11-13,10:5:0.0";

    QTest::newRow("display string up to the first zero")
        << uint(SYN_DISPLAYSTRING) << QByteArray("ab\0cd", 5) << "ab";
    QTest::newRow("display string UTF-8")
        << uint(SYN_DISPLAYSTRING) << QByteArray("Caf\xc3\xa9") << QString::fromUtf8("Caf\u00e9");
}

void TestValueImage::imageToText()
{
    QFETCH(uint, syntax);
    QFETCH(QByteArray, image);
    QFETCH(QString, text);
    QCOMPARE(ImageToText(image, syntax), text);
}

void TestValueImage::shortImageRaises_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<int>("length");

    QTest::newRow("boolean") << uint(SYN_BOOLEAN) << 3;
    QTest::newRow("integer") << uint(SYN_INTEGER) << 3;
    QTest::newRow("ip address") << uint(SYN_IPADDRESS) << 3;
    QTest::newRow("nsap") << uint(SYN_NSAP) << 3;
    QTest::newRow("counter") << uint(SYN_COUNTER32) << 3;
    QTest::newRow("gauge") << uint(SYN_GAUGE32) << 3;
    QTest::newRow("uinteger") << uint(SYN_UINTEGER32) << 3;
    QTest::newRow("time-ticks") << uint(SYN_TIMETICKS) << 3;
    QTest::newRow("counter64") << uint(SYN_COUNTER64) << 7;
    QTest::newRow("double") << uint(SYN_DOUBLE) << 7;
    QTest::newRow("real date-time") << uint(SYN_DATETIME_REAL) << 7;
    QTest::newRow("mac address") << uint(SYN_MACADDRESS) << 5;
    QTest::newRow("date and time") << uint(SYN_DATEANDTIME) << 10;
    QTest::newRow("bool16") << uint(SYN_BOOL16) << 1;
    QTest::newRow("int16") << uint(SYN_INT16) << 1;
    QTest::newRow("uint16") << uint(SYN_UINT16) << 1;
}

void TestValueImage::shortImageRaises()
{
    QFETCH(uint, syntax);
    QFETCH(int, length);
    const QByteArray image(length, '\x01');
    QCOMPARE(raisedCode([&] { ImageToText(image, syntax); }), -518);
    // One byte more is enough.
    QCOMPARE(raisedCode([&] { ImageToText(image + '\x01', syntax); }), 0);
}

void TestValueImage::unknownSyntaxRaises_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::newRow("0") << 0u;
    QTest::newRow("7") << 7u;
    QTest::newRow("0x4D") << 0x4Du;
    QTest::newRow("0xC0") << 0xC0u;
    QTest::newRow("0xC7") << 0xC7u;
}

void TestValueImage::unknownSyntaxRaises()
{
    QFETCH(uint, syntax);
    QCOMPARE(raisedCode([&] { TextToImage(QStringLiteral("1"), syntax); }), -511);
    QCOMPARE(raisedCode([&] { TextToImage(QStringLiteral("(NULL)"), syntax); }), -511);
    QCOMPARE(raisedCode([&] { ImageToText(QByteArray(), syntax); }), -511);
    QCOMPARE(raisedCode([&] { ExtractPart(QByteArray(), 0, syntax); }), -511);
    try {
        ImageToText(hex("01"), syntax);
        QFAIL("no error raised");
    } catch (const NvError& error) {
        QCOMPARE(error.message(), QStringLiteral("(NvSNMP++) Bad SNMP syntax!"));
    }
}

void TestValueImage::extractPart_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("offset");
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<QByteArray>("part");
    QTest::addColumn<int>("error");

    const QByteArray image = hex("0102030405060708090a0b0c");
    QTest::newRow("empty gives empty")
        << QByteArray() << 5 << uint(SYN_INTEGER) << QByteArray() << 0;
    QTest::newRow("integer at 2") << image << 2 << uint(SYN_INTEGER) << hex("03040506") << 0;
    QTest::newRow("integer at the end") << image << 8 << uint(SYN_INTEGER) << hex("090a0b0c") << 0;
    QTest::newRow("integer one byte beyond")
        << image << 9 << uint(SYN_INTEGER) << QByteArray() << -519;
    QTest::newRow("negative offset") << image << -1 << uint(SYN_UINT8) << QByteArray() << -519;
    QTest::newRow("counter64") << image << 4 << uint(SYN_COUNTER64) << hex("05060708090a0b0c") << 0;
    QTest::newRow("mac address") << image << 0 << uint(SYN_MACADDRESS) << hex("010203040506") << 0;
    QTest::newRow("date and time")
        << image << 1 << uint(SYN_DATEANDTIME) << hex("02030405060708090a0b0c") << 0;
    QTest::newRow("date and time beyond")
        << image << 2 << uint(SYN_DATEANDTIME) << QByteArray() << -519;
    QTest::newRow("uint8") << image << 11 << uint(SYN_UINT8) << hex("0c") << 0;
    QTest::newRow("uint16") << image << 10 << uint(SYN_UINT16) << hex("0b0c") << 0;
    QTest::newRow("uint16 beyond") << image << 11 << uint(SYN_UINT16) << QByteArray() << -519;
    QTest::newRow("octets take the rest") << image << 9 << uint(SYN_OCTETS) << hex("0a0b0c") << 0;
    QTest::newRow("display string rest at the end")
        << image << 12 << uint(SYN_DISPLAYSTRING) << QByteArray() << 0;
    QTest::newRow("oid rest beyond the end")
        << image << 13 << uint(SYN_OID) << QByteArray() << -519;
    QTest::newRow("null takes nothing") << image << 3 << uint(SYN_NULL) << QByteArray() << 0;
    QTest::newRow("huge offset does not overflow")
        << image << std::numeric_limits<int>::max() << uint(SYN_INTEGER) << QByteArray() << -519;
}

void TestValueImage::extractPart()
{
    QFETCH(QByteArray, image);
    QFETCH(int, offset);
    QFETCH(uint, syntax);
    QFETCH(QByteArray, part);
    QFETCH(int, error);
    QByteArray got;
    QCOMPARE(raisedCode([&] { got = ExtractPart(image, offset, syntax); }), error);
    QCOMPARE(got.toHex(), part.toHex());
}

// What a read shows, a write sends back unchanged.
void TestValueImage::imageSurvivesText_data()
{
    QTest::addColumn<uint>("syntax");
    QTest::addColumn<QByteArray>("image");

    QTest::newRow("integer minimum") << uint(SYN_INTEGER) << hex("00000080");
    QTest::newRow("counter maximum") << uint(SYN_COUNTER32) << hex("ffffffff");
    QTest::newRow("time-ticks maximum") << uint(SYN_TIMETICKS) << hex("ffffffff");
    QTest::newRow("counter64 maximum") << uint(SYN_COUNTER64) << hex("ffffffffffffffff");
    QTest::newRow("counter64 odd beyond 2^53") << uint(SYN_COUNTER64) << hex("0100000000002000");
    QTest::newRow("int8 minimum") << uint(SYN_INT8) << hex("80");
    QTest::newRow("int16 all ones") << uint(SYN_INT16) << hex("ffff");
    QTest::newRow("uint16") << uint(SYN_UINT16) << hex("8001");
    QTest::newRow("oid large arc") << uint(SYN_OID) << hex("01000000ffffffff");
    QTest::newRow("ip address") << uint(SYN_IPADDRESS) << hex("00ff7f80");
    QTest::newRow("mac address") << uint(SYN_MACADDRESS) << hex("02001e112233");
    QTest::newRow("date and time west of UTC")
        << uint(SYN_DATEANDTIME) << hex("07d80b0d0a0500002d0530");
    QTest::newRow("double 15 digits") << uint(SYN_DOUBLE) << doubleBytes(123456.789012345);
    QTest::newRow("real date-time noon") << uint(SYN_DATETIME_REAL) << doubleBytes(39765.5);
}

void TestValueImage::imageSurvivesText()
{
    QFETCH(uint, syntax);
    QFETCH(QByteArray, image);
    QCOMPARE(TextToImage(ImageToText(image, syntax), syntax).toHex(), image.toHex());
}

void TestValueImage::realDateTimeText_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("text");

    QTest::newRow("day zero midnight") << 0.0 << "1899/12/30 12:00:00 am";
    QTest::newRow("noon is pm") << 39765.5 << "2008/11/13 12:00:00 pm";
    QTest::newRow("afternoon") << 39765.75 << "2008/11/13 06:00:00 pm";
    QTest::newRow("before 1899 the fraction still counts forward")
        << -1.25 << "1899/12/29 06:00:00 am";
    QTest::newRow("a moment before midnight rounds to the next day")
        << 39765.0 + (86400000.0 - 0.4) / 86400000.0 << "2008/11/14 12:00:00 am";
    QTest::newRow("first day") << -693593.0 << "0001/01/01 12:00:00 am";
    QTest::newRow("last day") << 2958465.0 + 86399.0 / 86400 << "9999/12/31 11:59:59 pm";
}

void TestValueImage::realDateTimeText()
{
    QFETCH(double, days);
    QFETCH(QString, text);
    QCOMPARE(ImageToText(doubleBytes(days), SYN_DATETIME_REAL), text);
    // The parser reads the form it writes; seconds are the finest step.
    const QByteArray back = TextToImage(text, SYN_DATETIME_REAL);
    QCOMPARE(ImageToText(back, SYN_DATETIME_REAL), text);
}

void TestValueImage::realDateTimeParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("days");

    QTest::newRow("written form") << "2008/11/13 06:00:00 pm" << 39765.75;
    QTest::newRow("twelve am is midnight") << "2008/11/13 12:30:00 am" << 39765.0 + 1800.0 / 86400;
    QTest::newRow("upper-case PM, no seconds") << "2008/11/13 1:00 PM" << 39765.0 + 13.0 / 24;
    QTest::newRow("24-hour clock") << "2008-11-13 18:00:00" << 39765.75;
    QTest::newRow("date alone") << "2008/11/13" << 39765.0;
    QTest::newRow("before 1899") << "1899/12/29 06:00:00 am" << -1.25;
    QTest::newRow("not a date gives 0") << "yesterday" << 0.0;
    QTest::newRow("no such day gives 0") << "2009/02/29 01:00:00 am" << 0.0;
    QTest::newRow("hour 13 pm gives 0") << "2008/11/13 13:00:00 pm" << 0.0;
    QTest::newRow("minute 60 gives 0") << "2008/11/13 10:60:00" << 0.0;
}

void TestValueImage::realDateTimeParse()
{
    QFETCH(QString, text);
    QFETCH(double, days);
    const QByteArray image = TextToImage(text, SYN_DATETIME_REAL);
    QCOMPARE(image.size(), 8);
    double got = 0;
    std::memcpy(&got, image.constData(), 8);
    QCOMPARE(got, days);
}

// A real that is no date of the years 1 to 9999 has no text form.
void TestValueImage::realDateTimeWithoutDate_data()
{
    QTest::addColumn<double>("days");
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("year 10000") << 2958466.0;
    QTest::newRow("before year 1") << -693594.5;
    QTest::newRow("huge") << 1e300;
}

void TestValueImage::realDateTimeWithoutDate()
{
    QFETCH(double, days);
    QCOMPARE(raisedCode([&] { ImageToText(doubleBytes(days), SYN_DATETIME_REAL); }), -518);
}

QTEST_GUILESS_MAIN(TestValueImage)
#include "test_value_image.moc"
