// A whole upgrade against the simulated unit: the download of the carried firmware, the
// unit leaving its bootloader and coming back by itself, and the read-back comparison.

#include "dfu/device_info.h"
#include "dfu/firmware_transfer.h"
#include "dfu/scan.h"
#include "files/files.h"
#include "simulation/simulated_unit.h"
#include "simulation/simulator.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

QString carried_firmware()
{
    return Files::path_in_external_dir(Files::desired_FW_fileName_bin);
}

bool read_back_matches()
{
    return DFU::upload_and_compare_FW_bin(carried_firmware(), Files::path_in_external_dir(Files::uploaded_FW_fileName_bin));
}

// Far longer than a fast unit stays away after a download.
constexpr int return_limit_ms = 5000;
// Long enough for a fast unit to have come back several times over.
constexpr int no_return_watch_ms = 2000;

}  // namespace

class TestSimulatedUpgrade : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void download_and_verification_data();
    void download_and_verification();
    void upgraded_unit_reads_as_the_carried_firmware();
    void unit_with_the_carried_firmware_matches_without_download();
    void download_file_checks_data();
    void download_file_checks();
    void fast_progress_from_the_environment();
};

void TestSimulatedUpgrade::initTestCase()
{
    simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
    QVERIFY(Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
}

void TestSimulatedUpgrade::download_and_verification_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<int>("exit_code");
    QTest::addColumn<bool>("listed_right_after");
    QTest::addColumn<bool>("comes_back");
    QTest::addColumn<bool>("matches");

    QTest::newRow("default") << "default" << 0 << false << true << true;
    QTest::newRow("corrupt_write") << "corrupt_write" << 0 << false << true << false;
    QTest::newRow("failing_download") << "failing_download" << 74 << true << true << false;
    QTest::newRow("no_return") << "no_return" << 0 << false << false << false;
}

void TestSimulatedUpgrade::download_and_verification()
{
    QFETCH(QString, config);
    QFETCH(int, exit_code);
    QFETCH(bool, listed_right_after);
    QFETCH(bool, comes_back);
    QFETCH(bool, matches);
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({config}));

    QCOMPARE(DFU::download_FW_to_device(carried_firmware()), exit_code);

    // After "leave" the unit runs its firmware for a while and is not listed.
    QCOMPARE(DFU::make_scan().status == 0, listed_right_after);
    if (!comes_back) {
        QVERIFY(!unit_listed_within(no_return_watch_ms));
        return;
    }
    QVERIFY(unit_listed_within(return_limit_ms));
    QCOMPARE(read_back_matches(), matches);
}

void TestSimulatedUpgrade::upgraded_unit_reads_as_the_carried_firmware()
{
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({"default"}));
    QCOMPARE(DFU::download_FW_to_device(carried_firmware()), 0);
    QVERIFY(unit_listed_within(return_limit_ms));
    DFU::DeviceInfo info;
    const DFU::DeviceItem item{"3276387E3036"};

    QCOMPARE(DFU::read_device_info(&item, &info).exit_code, 0);

    QCOMPARE(int(info.type), 30);
    QCOMPARE(info.FW_revision, DFU::read_FW_Info_from_desired_FW().rev);
    QCOMPARE(info.FW_revision, QStringLiteral("C2"));
}

void TestSimulatedUpgrade::unit_with_the_carried_firmware_matches_without_download()
{
    SimulatedUnit unit;
    qputenv("DFU_UTIL_SIMULATOR_FIRMWARE", carried_firmware().toLocal8Bit());
    const bool prepared = SimulatedUnit::prepare({"current_fw"});
    qunsetenv("DFU_UTIL_SIMULATOR_FIRMWARE");
    QVERIFY(prepared);
    DFU::DeviceInfo info;
    const DFU::DeviceItem item{"3276387E3036"};

    QCOMPARE(DFU::read_device_info(&item, &info).exit_code, 0);
    QCOMPARE(info.FW_revision, QStringLiteral("C2"));
    QVERIFY(read_back_matches());
}

void TestSimulatedUpgrade::download_file_checks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("exit_code");
    QTest::addColumn<QString>("err");

    QTest::newRow("raw image, no DFU suffix")
        << Files::desired_FW_fileName_bin << 0
        << "dfu-util: Invalid DFU suffix signature\n"
           "dfu-util: A valid DFU suffix will be required in a future dfu-util release!!!\n";
    QTest::newRow("DfuSe file with an address") << Files::desired_FW_fileName_dfu << 64
                                                << "dfu-util: This is a DfuSe file, not meant for raw download\n";
}

void TestSimulatedUpgrade::download_file_checks()
{
    QFETCH(QString, file);
    QFETCH(int, exit_code);
    QFETCH(QString, err);
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({"default"}));

    const ScriptRun run = run_script(
        "download_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:leave", "-D", Files::path_in_external_dir(file)});

    QCOMPARE(run.exit_code, exit_code);
    QCOMPARE(run.err, err);
    QCOMPARE(run.out.contains("File downloaded successfully\n"), exit_code == 0);
}

void TestSimulatedUpgrade::fast_progress_from_the_environment()
{
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({"default"}));
    qputenv("DFU_UTIL_SIMULATOR_FAST", "1");
    QElapsedTimer elapsed;
    elapsed.start();

    const ScriptRun run = run_script(
        "download_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:leave", "-D", carried_firmware()}, {});
    const qint64 took = elapsed.elapsed();
    qunsetenv("DFU_UTIL_SIMULATOR_FAST");

    QCOMPARE(run.exit_code, 0);
    // A normal-mode download of the carried image takes about 11 s.
    QVERIFY2(took < 5000, qPrintable(QString::number(took)));
    QVERIFY(unit_listed_within(return_limit_ms));
}

QTEST_GUILESS_MAIN(TestSimulatedUpgrade)
#include "test_simulated_upgrade.moc"
