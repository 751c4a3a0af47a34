// The slow simulated unit outlasts the runner's 30-second wait on every run: the runner
// logs what came so far and goes on waiting.

#include "dfu/dfu_util.h"
#include "dfu/dfu_util_parser.h"
#include "dfu/run_command.h"
#include "simulation/simulated_unit.h"
#include "simulation/simulator.h"
#include "support/log_capture.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

// How the message log writes a QString value: quoted and escaped.
QString as_logged(const QString& value)
{
    QString text;
    QDebug(&text) << value;
    return text.trimmed();
}

}  // namespace

class TestSimulatorSlow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { simulator::setup_for_simulated_dfu_util(simulator::fast_progress); }
    void list_outlasts_the_wait();
};

void TestSimulatorSlow::list_outlasts_the_wait()
{
    SimulatedUnit unit;
    QVERIFY(SimulatedUnit::prepare({"slow"}));
    LogCapture log;
    QElapsedTimer elapsed;
    elapsed.start();

    const DFU::CommandResult result = DFU::run_command(DFU::CmdID::list, {});

    QVERIFY(elapsed.elapsed() >= 32000);
    QCOMPARE(result.exit_code, 0);
    // The banner came before the time-out and is seen in the log only; the unit's lines
    // came after it.
    QCOMPARE(log.starting_with("waitForFinished(): Process did not finish in time"),
             QStringList{"waitForFinished(): Process did not finish in time, exit status: QProcess::NormalExit and "
                         "output: "
                         + as_logged(DFU::dfu_util::expected_output_of_execution_test)});
    QCOMPARE(log.starting_with("will wait again"), QStringList{"will wait again, forever"});
    QVERIFY(result.output.startsWith("Found DFU: [0483:df11] ver=2200"));
    QCOMPARE(DfuUtilParser(result.output).status, DfuUtilParser::one_dfu_device);
}

QTEST_GUILESS_MAIN(TestSimulatorSlow)
#include "test_simulator_slow.moc"
