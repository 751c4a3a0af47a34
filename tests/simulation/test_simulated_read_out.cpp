// Reading the simulated unit: its product record and firmware information through the
// tool's driver, and the read-out failures as dfu-util reports them.

#include "dfu/device_info.h"
#include "support/file_bytes.h"
#include "dfu/dfu_util.h"
#include "dfu/firmware_transfer.h"
#include "files/files.h"
#include "simulation/simulated_unit.h"
#include "simulation/simulator.h"

#include <QtTest>

namespace {

const QString mismatch_start = QStringLiteral("FW assumed invalid because of product type mismatch.");

}  // namespace

class TestSimulatedReadOut : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { simulator::setup_for_simulated_dfu_util(simulator::fast_progress); }
    void reading_the_unit_data();
    void reading_the_unit();
    void failing_record_read_out_is_dfu_utils_failure();
    void flash_beyond_the_firmware_reads_erased();
    void upload_refusals_data();
    void upload_refusals();
};

void TestSimulatedReadOut::reading_the_unit_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("raw_type");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("revision");

    QTest::newRow("default") << "default" << 30 << 30 << false << true << "C1";
    QTest::newRow("blank_otp") << "blank_otp" << 0 << 0 << true << false << "";
    QTest::newRow("other_product") << "other_product" << 43 << 43 << false << true << "B7";
    QTest::newRow("fw_mismatch") << "fw_mismatch" << 30 << 30 << false << false << "";
    QTest::newRow("unknown_type") << "unknown_type" << 0 << 0x63 << false << false << "";
}

void TestSimulatedReadOut::reading_the_unit()
{
    QFETCH(QString, config);
    QFETCH(int, type);
    QFETCH(int, raw_type);
    QFETCH(bool, blank);
    QFETCH(bool, accepted);
    QFETCH(QString, revision);
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({config}));
    DFU::DeviceInfo info;
    const DFU::DeviceItem item{"3276387E3036"};

    const DFU::CommandResult result = DFU::read_device_info(&item, &info);

    QCOMPARE(result.exit_code, 0);
    QVERIFY(result.output.startsWith(DFU::dfu_util::expected_output_of_execution_test));
    QVERIFY(info.valid);
    QCOMPARE(int(info.type), type);
    QCOMPARE(int(info.OTP_info.info.raw_type), raw_type);
    QCOMPARE(info.OTP_info.blank, blank);
    QCOMPARE(info.OTP_info.marker_valid, type != 0);
    QCOMPARE(info.FW_info.valid, accepted);
    QCOMPARE(result.output.contains(mismatch_start), !accepted);
    QCOMPARE(info.FW_revision, revision);
}

void TestSimulatedReadOut::failing_record_read_out_is_dfu_utils_failure()
{
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({"unreadable"}));
    const QString info_file = Files::path_in_external_dir(Files::uploaded_FW_info_fileName_bin);
    QFile::remove(info_file);
    DFU::DeviceInfo info;
    const DFU::DeviceItem item{"3276387E3036"};

    const DFU::CommandResult result = DFU::read_device_info(&item, &info);

    QCOMPARE(result.exit_code, 74);
    QVERIFY(result.output.startsWith(DFU::dfu_util::expected_output_of_execution_test
                                     + "Opening DFU capable USB device...\n"));
    QVERIFY(result.output.contains("DfuSe interface name: \"OTP Memory \"\n"));
    QVERIFY(!result.output.contains("Upload done."));
    QCOMPARE(QString(info), QString(DFU::DeviceInfo()));
    QVERIFY(!QFile::exists(info_file));
}

void TestSimulatedReadOut::flash_beyond_the_firmware_reads_erased()
{
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({"default"}));
    const QString path = Files::path_in_external_dir("flash_read_out.bin");

    QCOMPARE(DFU::upload_FW_from_device(path, 4096), 0);

    const QByteArray flash = file_bytes(path);
    QCOMPARE(flash.size(), 4096);
    QCOMPARE(Device::make_FW_Info(flash).rev, QStringLiteral("C1"));
    // The default unit's firmware ends with its information block's end marker.
    const int end = flash.indexOf(QByteArray("\x13\x47\x23\x01", 4)) + 4;
    QVERIFY(end > 4);
    QCOMPARE(flash.mid(end), QByteArray(4096 - end, '\xFF'));
}

void TestSimulatedReadOut::upload_refusals_data()
{
    QTest::addColumn<QStringList>("configs");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("region");
    QTest::addColumn<bool>("target_exists");
    QTest::addColumn<QString>("message");

    const QStringList otp{"-a", "2", "-s", "0x1FFF7800:512"};
    const QStringList flash{"-a", "0", "-s", "0x08000000:2048"};
    const QString exists = "Cannot open file %1 for writing: File exists";
    const QString no_unit = "No DFU capable USB device available";
    const QString two = "More than one DFU capable USB device found! Try `--list' and specify the serial number or "
                        "disconnect all but one device";

    QTest::newRow("record into an existing file") << QStringList{"default"} << "upload_OTP" << otp << true << exists;
    QTest::newRow("flash into an existing file") << QStringList{"default"} << "upload_FW" << flash << true << exists;
    QTest::newRow("no unit") << QStringList{"no_unit"} << "upload_OTP" << otp << false << no_unit;
    QTest::newRow("unplugged") << QStringList{"default", "unplug"} << "upload_FW" << flash << false << no_unit;
    QTest::newRow("two units") << QStringList{"two_units"} << "upload_OTP" << otp << false << two;
}

void TestSimulatedReadOut::upload_refusals()
{
    QFETCH(QStringList, configs);
    QFETCH(QString, word);
    QFETCH(QStringList, region);
    QFETCH(bool, target_exists);
    QFETCH(QString, message);
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare(configs));
    const QString target = unit.state_dir() + "/read_out.bin";
    if (target_exists) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("earlier read-out");
    }

    const ScriptRun run = run_script(word, QStringList{"-d", "0483"} + region + QStringList{"-U", target});

    QCOMPARE(run.exit_code, 74);
    QCOMPARE(run.err, "dfu-util: " + message.arg(target) + '\n');
    QVERIFY(run.out.startsWith(DFU::dfu_util::expected_output_of_execution_test));
    QCOMPARE(file_bytes(target), target_exists ? QByteArray("earlier read-out") : QByteArray());
    QCOMPARE(QFile::exists(target), target_exists);
}

QTEST_GUILESS_MAIN(TestSimulatedReadOut)
#include "test_simulated_read_out.moc"
