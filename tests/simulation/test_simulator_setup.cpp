// The command table pointed at the simulator script. Each call of the rewrite prefixes
// the arguments again, so this program is built once per set-up variant
// (SETUP_UNDER_TEST) and rewrites a fresh table once.

#include "dfu/command.h"
#include "dfu/dfu_util.h"
#include "simulation/simulated_unit.h"
#include "simulation/simulator.h"

#include <QFileInfo>
#include <QtTest>

namespace {

constexpr simulator::Setup setup_under_test = SETUP_UNDER_TEST;

QString script()
{
    return simulator::dfu_util_path("dfu-util_simulator.sh");
}

// A command line as the design writes it for a normal set-up; a fast one asks the
// script for fast progress right after the scenario word.
QStringList for_setup_under_test(QStringList arguments)
{
    if (setup_under_test & simulator::fast_progress)
        arguments.insert(2, "--fast-progress");
    return arguments;
}

}  // namespace

Q_DECLARE_METATYPE(DFU::CmdID)

class TestSimulatorSetup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { simulator::setup_for_simulated_dfu_util(setup_under_test); }
    void script_is_the_source_tree_one();
    void every_command_runs_the_script_data();
    void every_command_runs_the_script();
    void product_record_read_out_command_line();
    void execution_test_passes_against_the_script();
};

void TestSimulatorSetup::script_is_the_source_tree_one()
{
    QCOMPARE(QFileInfo(script()).canonicalFilePath(), QStringLiteral(SOURCE_DIR "/simulator/dfu-util_simulator.sh"));
    QVERIFY(QFileInfo(script()).isExecutable());
    QVERIFY(DFU::Command::path.isEmpty());
}

void TestSimulatorSetup::every_command_runs_the_script_data()
{
    QTest::addColumn<DFU::CmdID>("id");
    QTest::addColumn<QStringList>("arguments");

    const QString word = "--dfu-util-command";
    QTest::newRow("version") << DFU::CmdID::version << QStringList{word, "version", "-V"};
    QTest::newRow("list") << DFU::CmdID::list << QStringList{word, "list", "-d", "0483", "-l"};
    QTest::newRow("upload_OTP") << DFU::CmdID::upload_OTP
                                << QStringList{word, "upload_OTP", "-d", "0483", "-a", "2", "-s", "0x1FFF7800:512", "-U"};
    QTest::newRow("upload_FW_info") << DFU::CmdID::upload_FW_info
                                    << QStringList{word, "upload_FW", "-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U"};
    QTest::newRow("upload_FW") << DFU::CmdID::upload_FW << QStringList{word, "upload_FW", "-d", "0483", "-a", "0"};
    QTest::newRow("download_FW") << DFU::CmdID::download_FW
                                 << QStringList{word, "download_FW", "-d", "0483", "-a", "0", "-s", "0x08000000:leave", "-D"};
    QTest::newRow("setup_prepared_config") << DFU::CmdID::setup_prepared_config
                                           << QStringList{word, "setup_prepared_config"};
}

void TestSimulatorSetup::every_command_runs_the_script()
{
    QFETCH(DFU::CmdID, id);
    QFETCH(QStringList, arguments);
    QCOMPARE(DFU::commands[id].program, script());
    QCOMPARE(DFU::commands[id].arguments, for_setup_under_test(arguments));
}

void TestSimulatorSetup::product_record_read_out_command_line()
{
    const DFU::Command& command = DFU::commands[DFU::CmdID::upload_OTP];
    const QStringList line = QStringList{command.program} + command.arguments + QStringList{"/tmp/x/uploaded_OTP.bin"};
    QCOMPARE(line, QStringList{script()}
                       + for_setup_under_test({"--dfu-util-command", "upload_OTP", "-d", "0483", "-a", "2", "-s",
                                               "0x1FFF7800:512", "-U", "/tmp/x/uploaded_OTP.bin"}));
}

void TestSimulatorSetup::execution_test_passes_against_the_script()
{
    SimulatedUnit unit;
    QVERIFY(DFU::dfu_util::execution_test());
}

QTEST_GUILESS_MAIN(TestSimulatorSetup)
#include "test_simulator_setup.moc"
