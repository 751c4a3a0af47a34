// The simulated unit as the device scan sees it, and the prepared configurations.

#include "dfu/dfu_util.h"
#include "dfu/dfu_util_parser.h"
#include "dfu/run_command.h"
#include "dfu/scan.h"
#include "simulation/simulated_unit.h"
#include "simulation/simulator.h"
#include "support/log_capture.h"

#include <QtTest>

namespace {

const QString serial = QStringLiteral("3276387E3036");

QStringList serials_of(const DFU::ScanResult& scan)
{
    QStringList serials;
    for (const DFU::DeviceItem& item : scan.devices)
        serials << item.serial;
    return serials;
}

}  // namespace

class TestSimulatedScan : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { simulator::setup_for_simulated_dfu_util(simulator::fast_progress); }
    void prepared_configuration_reports_the_scripts_code();
    void scan_data();
    void scan();
    void list_output_is_dfu_utils_own();
    void missing_state_starts_as_default();
};

void TestSimulatedScan::prepared_configuration_reports_the_scripts_code()
{
    SimulatedUnit unit;
    LogCapture log;
    QCOMPARE(simulator::sim_setup_prepared_config("two_units"), 0);
    QVERIFY(log.starting_with("Failed to setup simulation config").isEmpty());
    QCOMPARE(simulator::sim_setup_prepared_config("no_such_config"), 2);
    QCOMPARE(log.starting_with("Failed to setup simulation config"),
             QStringList{"Failed to setup simulation config \"no_such_config\" with code 2"});
}

void TestSimulatedScan::scan_data()
{
    QTest::addColumn<QStringList>("configs");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("serials");

    QTest::newRow("default") << QStringList{"default"} << 0 << QStringList{serial};
    QTest::newRow("no_unit") << QStringList{"no_unit"} << 1 << QStringList{};
    QTest::newRow("two_units") << QStringList{"two_units"} << 1 << QStringList{serial, "2F5A38613436"};
    QTest::newRow("bad_serial") << QStringList{"bad_serial"} << 1 << QStringList{};
    QTest::newRow("unplugged") << QStringList{"default", "unplug"} << 1 << QStringList{};
    QTest::newRow("plugged in again") << QStringList{"default", "unplug", "plug"} << 0 << QStringList{serial};
    QTest::newRow("two units unplugged") << QStringList{"two_units", "unplug"} << 1 << QStringList{};
    QTest::newRow("no_unit plugged in") << QStringList{"no_unit", "plug"} << 0 << QStringList{serial};
}

void TestSimulatedScan::scan()
{
    QFETCH(QStringList, configs);
    QFETCH(int, status);
    QFETCH(QStringList, serials);
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare(configs));

    const DFU::ScanResult scan = DFU::make_scan();

    QCOMPARE(scan.status, status);
    QCOMPARE(serials_of(scan), serials);
}

void TestSimulatedScan::list_output_is_dfu_utils_own()
{
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({"default"}));

    const DFU::CommandResult result = DFU::run_command(DFU::CmdID::list, {});

    QCOMPARE(result.exit_code, 0);
    const QString expected = DFU::dfu_util::expected_output_of_execution_test
        + "Found DFU: [0483:df11] ver=2200, devnum=7, cfg=1, intf=0, path=\"1-1\", alt=3, "
          "name=\"@Device Feature/0xFFFF0000/01*004 e\", serial=\"3276387E3036\"\n"
          "Found DFU: [0483:df11] ver=2200, devnum=7, cfg=1, intf=0, path=\"1-1\", alt=2, "
          "name=\"@OTP Memory /0x1FFF7800/01*512 e,01*016 e\", serial=\"3276387E3036\"\n"
          "Found DFU: [0483:df11] ver=2200, devnum=7, cfg=1, intf=0, path=\"1-1\", alt=1, "
          "name=\"@Option Bytes  /0x1FFFC000/01*016 e\", serial=\"3276387E3036\"\n"
          "Found DFU: [0483:df11] ver=2200, devnum=7, cfg=1, intf=0, path=\"1-1\", alt=0, "
          "name=\"@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg\", serial=\"3276387E3036\"\n";
    QCOMPARE(result.output, expected);
    const DfuUtilParser parser(result.output);
    QCOMPARE(parser.status, DfuUtilParser::one_dfu_device);
    QCOMPARE(parser.serial_count, 1);
}

void TestSimulatedScan::missing_state_starts_as_default()
{
    SimulatedUnit unit;
    const QString missing = unit.state_dir() + "/not/yet/there";
    qputenv("DFU_UTIL_SIMULATOR_STATE", missing.toLocal8Bit());

    const DFU::ScanResult scan = DFU::make_scan();

    QCOMPARE(scan.status, 0);
    QCOMPARE(serials_of(scan), QStringList{serial});
}

QTEST_GUILESS_MAIN(TestSimulatedScan)
#include "test_simulated_scan.moc"
