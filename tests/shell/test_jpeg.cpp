#include "NvJpegImage.h"

#include <QFile>
#include <QTest>

class TestJpeg : public QObject
{
    Q_OBJECT

    static QByteArray picture()
    {
        QFile file(QStringLiteral(":/device-front.jpg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void decodesTheDevicePicture()
    {
        QString error;
        const QImage image = DecodeJpeg(picture(), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QCOMPARE(image.size(), QSize(220, 439));
        // The indicator window at the foot of the front is dark, the body light.
        QVERIFY(qGray(image.pixel(120, 384)) < 90);
        QVERIFY(qGray(image.pixel(110, 420)) > 200);
    }

    void refusesWhatIsNotAPicture_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a picture at all");
        QTest::newRow("header only") << picture().left(20);
    }

    void refusesWhatIsNotAPicture()
    {
        QFETCH(QByteArray, data);
        QString error;
        QVERIFY(DecodeJpeg(data, &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void truncatedPictureStillDecodes()
    {
        // libjpeg fills what is missing of a cut-off picture instead of failing.
        const QImage image = DecodeJpeg(picture().left(picture().size() / 2));
        QCOMPARE(image.size(), QSize(220, 439));
    }

    void indicatorImagesHaveTheirSizes()
    {
        QCOMPARE(QImage(":/led-power.png").size(), QSize(8, 8));
        QCOMPARE(QImage(":/led-lan.png").size(), QSize(7, 7));
        QCOMPARE(QImage(":/led-wlan.png").size(), QSize(7, 7));
    }
};

QTEST_GUILESS_MAIN(TestJpeg)
#include "test_jpeg.moc"
