// The tank pictures and the window icon, byte for byte in the format the
// window stretches and shows.

#include "main_window/picture_store.h"
#include "support/unexpected_warnings.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QtTest>

namespace {
quint16 word(const QByteArray& bytes, int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }
quint32 dword(const QByteArray& bytes, int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void init() { testsupport::failOnUnexpectedWarnings(); }

    void bitmap_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names = PictureStore::names();
        QCOMPARE(names.size(), 21);
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << name;
    }

    void bitmap()
    {
        QFETCH(QString, name);
        QFile file(":/pictures/" + name + ".bmp");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 10078);
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(dword(bytes, 2), 10078u); // file size
        QCOMPARE(dword(bytes, 10), 1078u); // pixels after header and 256 colours
        QCOMPARE(dword(bytes, 14), 40u);   // info header
        QCOMPARE(dword(bytes, 18), 120u);  // width
        QCOMPARE(dword(bytes, 22), 75u);   // height
        QCOMPARE(word(bytes, 26), quint16(1));
        QCOMPARE(word(bytes, 28), quint16(8)); // bits per pixel
        QCOMPARE(dword(bytes, 30), 0u);        // no compression

        const QImage image = QImage::fromData(bytes, "BMP");
        QCOMPARE(image.size(), QSize(120, 75));
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QCOMPARE(image.colorCount(), 256);

        PictureStore store;
        QCOMPARE(store.picture(name).size(), QSize(120, 75));
        QVERIFY(!PictureStore::describe(name).isEmpty());
    }

    void storeHasNoOtherPictures()
    {
        PictureStore store;
        QVERIFY(store.picture("ftank5").isNull());
        QVERIFY(store.picture("").isNull());
        QVERIFY(!store.isVisible());
        QCOMPARE(store.objectName(), QString("frmImages"));
    }

    void icon()
    {
        QFile file(":/pictures/gaugestar.ico");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 766);
        QCOMPARE(word(bytes, 0), quint16(0));
        QCOMPARE(word(bytes, 2), quint16(1)); // an icon
        QCOMPARE(word(bytes, 4), quint16(1)); // one image
        QCOMPARE(quint8(bytes[6]), quint8(32));
        QCOMPARE(quint8(bytes[7]), quint8(32));
        QCOMPARE(quint8(bytes[8]), quint8(16)); // colours
        QCOMPARE(word(bytes, 12), quint16(4));  // bits per pixel
        QCOMPARE(dword(bytes, 22 + 14 - 14), 40u);
        QCOMPARE(word(bytes, 22 + 14), quint16(4));
        const QImage image(":/pictures/gaugestar.ico");
        QCOMPARE(image.size(), QSize(32, 32));
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
