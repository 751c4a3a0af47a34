// Reading a unit's product record and firmware information, against the fixture unit.

#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "files/files.h"
#include "support/device_bytes.h"
#include "support/log_capture.h"
#include "support/unit_fixture.h"

#include <QtTest>

using fixture::erased;
using fixture::placed;

namespace {

QByteArray otp_of(unsigned char type)
{
    return placed(erased(512), 0, fixture::otp_record(type));
}

QByteArray flash_with(unsigned char type, const QByteArray& rev)
{
    fixture::Block block;
    block.type = type;
    block.rev = rev;
    block.pairs = {{"Build time", "2026-11-27 14:03:51"}};
    return placed(erased(4096), 428, fixture::fw_block(block));
}

// What the fixture prints on stdout for a successful read-out.
QString upload_output()
{
    return DFU::dfu_util::expected_output_of_execution_test + "Upload done.\n";
}
const QString mismatch_start = QStringLiteral("FW assumed invalid because of product type mismatch.");

}  // namespace

class TestDeviceInfo : public QObject {
    Q_OBJECT

private slots:
    void failed_record_read_out_leaves_info_alone();
    void reading_data();
    void reading();
    void mismatch_text();
    void blank_record_is_reported();
    void text_forms();
    void desired_firmware_is_read_once();
};

void TestDeviceInfo::failed_record_read_out_leaves_info_alone()
{
    UnitFixture unit;
    unit.set_otp(otp_of(0x1E));
    unit.set_flash(flash_with(0x1E, "C1"));
    unit.fail_region("0x1FFF7800:512");
    write_file(Files::path_in_external_dir(Files::uploaded_OTP_fileName_bin), "stale");
    write_file(Files::path_in_external_dir(Files::uploaded_FW_info_fileName_bin), "untouched");
    DFU::DeviceInfo info;
    const DFU::DeviceItem item{"3276387E3036"};

    const DFU::CommandResult result = DFU::read_device_info(&item, &info);

    QCOMPARE(result.exit_code, 74);
    QCOMPARE(result.output, DFU::dfu_util::expected_output_of_execution_test + "Error during upload\n");
    QVERIFY(!info.valid);
    QCOMPARE(QString(info), QString(DFU::DeviceInfo()));
    QCOMPARE(unit.calls().size(), 1);
    QVERIFY(!QFile::exists(Files::path_in_external_dir(Files::uploaded_OTP_fileName_bin)));
    QCOMPARE(file_bytes(Files::path_in_external_dir(Files::uploaded_FW_info_fileName_bin)), QByteArray("untouched"));
}

void TestDeviceInfo::reading_data()
{
    QTest::addColumn<QByteArray>("otp");
    QTest::addColumn<QByteArray>("flash");
    QTest::addColumn<QByteArray>("failing_region");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("revision");

    QTest::newRow("same product") << otp_of(0x1E) << flash_with(0x1E, "C1") << QByteArray() << 30 << true << "C1";
    QTest::newRow("other product") << otp_of(0x24) << flash_with(0x1E, "C1") << QByteArray() << 36 << false << "";
    QTest::newRow("blank record, real firmware") << erased(512) << flash_with(0x1E, "C1") << QByteArray() << 0 << false
                                                 << "";
    QTest::newRow("blank record, erased flash") << erased(512) << erased(4096) << QByteArray() << 0 << true << "";
    QTest::newRow("both name no product") << otp_of(0x00) << flash_with(0x00, "X1") << QByteArray() << 0 << true
                                          << "X1";
    QTest::newRow("firmware read-out fails") << otp_of(0x1E) << flash_with(0x1E, "C1") << QByteArray("0x08000000:2048")
                                             << 30 << false << "";
    QTest::newRow("type 35 unit, OKAP firmware") << otp_of(0x23) << flash_with(0x2B, "B7") << QByteArray() << 43
                                                 << true << "B7";
}

void TestDeviceInfo::reading()
{
    QFETCH(QByteArray, otp);
    QFETCH(QByteArray, flash);
    QFETCH(QByteArray, failing_region);
    QFETCH(int, type);
    QFETCH(bool, accepted);
    QFETCH(QString, revision);
    UnitFixture unit;
    unit.set_otp(otp);
    unit.set_flash(flash);
    if (!failing_region.isEmpty())
        unit.fail_region(failing_region);
    DFU::DeviceInfo info;
    const DFU::DeviceItem item{"3276387E3036"};

    const DFU::CommandResult result = DFU::read_device_info(&item, &info);

    QCOMPARE(result.exit_code, 0);
    QVERIFY(info.valid);
    QCOMPARE(int(info.type), type);
    QCOMPARE(info.FW_revision, revision);
    QCOMPARE(result.output.startsWith(upload_output()), true);
    QCOMPARE(result.output.contains(mismatch_start), !accepted);
    if (!accepted)
        QVERIFY(!info.FW_info.valid);
    QCOMPARE(unit.calls().size(), 2);
    QVERIFY(unit.calls()[1].contains("0x08000000:2048 -U " + Files::path_in_external_dir(Files::uploaded_FW_info_fileName_bin)));
}

void TestDeviceInfo::mismatch_text()
{
    UnitFixture unit;
    unit.set_otp(otp_of(0x24));
    unit.set_flash(flash_with(0x1E, "C1"));
    DFU::DeviceInfo info;
    info.FW_revision = "kept";
    const DFU::DeviceItem item{"3276387E3036"};
    LogCapture log;

    const DFU::CommandResult result = DFU::read_device_info(&item, &info);

    QCOMPARE(info.FW_revision, QStringLiteral("kept"));
    const QString expected = upload_output() + mismatch_start + "\nOTP containsProductInfo: LYNX (36)"
                             + "\nwhereas FW contains\n" + "FW info:\n  Type: ProductInfo: WREN (30)\n"
                             + "  Name: Wren\n  Rev.: C1\n  Details:\n    "
                             + QStringLiteral("Build time").leftJustified(31) + ": "
                             + QStringLiteral("2026-11-27 14:03:51").leftJustified(31);
    QCOMPARE(result.output, expected);
    QVERIFY(log.messages(QtInfoMsg).contains(expected));
}

void TestDeviceInfo::blank_record_is_reported()
{
    UnitFixture unit;
    unit.set_otp(erased(512));
    unit.set_flash(erased(4096));
    DFU::DeviceInfo info;
    LogCapture log;

    DFU::read_device_info(nullptr, &info);

    QVERIFY(info.OTP_info.blank);
    const QStringList infos = log.messages(QtInfoMsg);
    QVERIFY(infos.contains(upload_output() + "OTP is blank.\n"));
    QVERIFY(infos.contains("\"OTP info:\\nMarker invalid\\nProduct: ProductInfo: invalid (0)\\n\""));
    QVERIFY(infos.contains("DeviceInfo:\n\tDevice type:\t0\n\tFW_revision:\t\n"));
}

void TestDeviceInfo::text_forms()
{
    DFU::DeviceInfo info;
    QCOMPARE(QString(info), QStringLiteral("DeviceInfo:\nInvalid"));
    info.valid = true;
    info.type = Device::OKAP;
    info.FW_revision = "R";
    QCOMPARE(QString(info), QStringLiteral("DeviceInfo:\n\tDevice type:\t43\n\tFW_revision:\tR\n"));
    LogCapture log;
    qInfo() << info << QStringLiteral("next");
    QCOMPARE(log.messages(), QStringList{QString(info) + " \"next\""});
}

void TestDeviceInfo::desired_firmware_is_read_once()
{
    QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));
    LogCapture log;

    const Device::FW_Info& first = DFU::desired_FW_Info();
    QVERIFY(first.valid);
    QCOMPARE(first.rev, QStringLiteral("C2"));
    QCOMPARE(first.name, QStringLiteral("Wren"));
    QCOMPARE(log.messages(QtDebugMsg),
             QStringList{"Reading desired FW_Info from \"" + Files::path_in_external_dir("firmware.bin") + '"'});

    QVERIFY(QFile::remove(Files::path_in_external_dir("firmware.bin")));
    QCOMPARE(DFU::desired_FW_Info().rev, QStringLiteral("C2"));
    QCOMPARE(log.messages(QtDebugMsg).size(), 1);
    QVERIFY(!DFU::read_FW_Info_from_desired_FW().valid);
}

QTEST_GUILESS_MAIN(TestDeviceInfo)
#include "test_device_info.moc"
