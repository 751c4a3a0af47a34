// Decoding the product record from a read-out of the unit's one-time-programmable area.

#include "device/otp_info.h"
#include "support/device_bytes.h"
#include "support/log_capture.h"

#include <QTemporaryDir>
#include <QtTest>

using fixture::erased;
using fixture::otp_record;
using fixture::placed;

class TestOtpInfo : public QObject {
    Q_OBJECT

private slots:
    void decoding_data();
    void decoding();
    void record_tail_is_kept();
    void unreadable_file_is_neither_blank_nor_valid();
    void file_is_decoded();
    void text_form();
};

void TestOtpInfo::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<bool>("marker_valid");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("raw_type");
    QTest::addColumn<QString>("message");

    const QByteArray area = erased(512);
    const QString not_used = QStringLiteral("Device not used, has invalid info in its OTP info.");
    QTest::newRow("erased area") << area << true << false << 0 << 0 << QString();
    QTest::newRow("empty read-out") << QByteArray() << true << false << 0 << 0 << QString();
    QTest::newRow("record at 0") << placed(area, 0, otp_record(0x1E)) << false << true << 30 << 30 << QString();
    QTest::newRow("last of 16 and 48 decides")
        << placed(placed(area, 16, otp_record(0x1E)), 48, otp_record(0x24)) << false << true << 36 << 36 << QString();
    QTest::newRow("last marker at 20 is not aligned")
        << placed(placed(area, 0, otp_record(0x1E)), 20, fixture::otp_marker) << false << false << 0 << 0 << QString();
    QTest::newRow("record at 496") << placed(area, 496, otp_record(0x84)) << false << true << 132 << 132 << QString();
    QTest::newRow("marker at 512 of a longer read-out")
        << placed(placed(erased(528), 0, otp_record(0x1E)), 512, otp_record(0x1E)) << false << false << 0 << 0
        << QString();
    QTest::newRow("record cut short by the end") << placed(erased(505), 496, otp_record(0x1E).left(9)) << false
                                                 << false << 0 << 0 << QString();
    QTest::newRow("no marker") << QByteArray(512, '\0') << false << false << 0 << 0 << QString();
    QTest::newRow("type 35 reads as 43") << placed(area, 0, otp_record(0x23)) << false << true << 43 << 43 << QString();
    QTest::newRow("unlisted type 0x63")
        << placed(area, 0, otp_record(0x63)) << false << false << 0 << 0x63
        << QStringLiteral("Unknown device type according to OTP info, \"ProductInfo: unknown (254) [63 ff ff ff]\"");
    QTest::newRow("type 0") << placed(area, 0, otp_record(0x00)) << false << false << 0 << 0 << not_used;
    QTest::newRow("type 0xFF") << placed(area, 0, otp_record(0xFF)) << false << false << 255 << 255 << not_used;
}

void TestOtpInfo::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, blank);
    QFETCH(bool, marker_valid);
    QFETCH(int, type);
    QFETCH(int, raw_type);
    QFETCH(QString, message);
    LogCapture log;

    const Device::OTP_Info otp = Device::make_OTP_Info(bytes);

    QCOMPARE(otp.blank, blank);
    QCOMPARE(otp.marker_valid, marker_valid);
    QCOMPARE(int(otp.info.type), type);
    QCOMPARE(otp.info.raw_type, raw_type);
    QCOMPARE(log.messages(), message.isEmpty() ? QStringList{} : QStringList{message});
}

void TestOtpInfo::record_tail_is_kept()
{
    const Device::OTP_Info otp =
        Device::make_OTP_Info(placed(erased(512), 32, otp_record(0x1E, QByteArray("\x01\x02\x03", 3))));
    QCOMPARE(otp.record_tail, (std::array<std::uint8_t, 8>{0, 1, 2, 3, 4, 5, 6, 7}));
    QCOMPARE(int(otp.info.byte1), 1);
    QCOMPARE(int(otp.info.byte3), 3);
    QCOMPARE(otp.product_name(), QStringLiteral("M30"));
    QCOMPARE(Device::make_OTP_Info(erased(512)).record_tail, (std::array<std::uint8_t, 8>{}));
}

void TestOtpInfo::unreadable_file_is_neither_blank_nor_valid()
{
    LogCapture log;
    const Device::OTP_Info otp = Device::make_OTP_Info(QStringLiteral("/no/such/uploaded_OTP.bin"));
    QVERIFY(!otp.blank);
    QVERIFY(!otp.marker_valid);
    QCOMPARE(int(otp.info.type), 0);
    QCOMPARE(int(otp.info.byte1), 0xFF);
    QCOMPARE(log.messages(), QStringList{});
}

void TestOtpInfo::file_is_decoded()
{
    QTemporaryDir dir;
    QFile file(dir.path() + "/uploaded_OTP.bin");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(placed(erased(512), 0, otp_record(0x04)));
    file.close();
    const Device::OTP_Info otp = Device::make_OTP_Info(file.fileName());
    QVERIFY(otp.marker_valid);
    QCOMPARE(otp.product_name(), QStringLiteral("Zen-5"));
}

void TestOtpInfo::text_form()
{
    const Device::OTP_Info valid = Device::make_OTP_Info(placed(erased(512), 0, otp_record(0x1E)));
    QCOMPARE(QString(valid), QStringLiteral("OTP info:\nMarker valid\nProduct: ProductInfo: WREN (30)\n"));
    QCOMPARE(QString(Device::OTP_Info()), QStringLiteral("OTP info:\nMarker invalid\nProduct: ProductInfo: invalid (0)\n"));
}

QTEST_GUILESS_MAIN(TestOtpInfo)
#include "test_otp_info.moc"
