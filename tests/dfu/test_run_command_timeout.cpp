// A dfu-util run that outlasts the 30-second limit is waited for, not stopped.

#include "dfu/command.h"
#include "dfu/run_command.h"
#include "support/log_capture.h"

#include <QtTest>

class TestRunCommandTimeout : public QObject {
    Q_OBJECT

private slots:
    void long_run_is_waited_for_and_logged()
    {
        DFU::Command::path = QStringLiteral(FIXTURE_DIR);
        qputenv("DFU_FIXTURE_MODE", "slow");
        LogCapture log;

        const DFU::CommandResult result = DFU::run_command(DFU::CmdID::upload_FW_info, {"/t/info.bin"});

        QCOMPARE(result.exit_code, 0);
        // What arrived before the time-out is seen only in the log.
        QCOMPARE(result.output, QStringLiteral("late\n"));
        const QStringList timeouts = log.starting_with("waitForFinished(): Process did not finish in time");
        QCOMPARE(timeouts, QStringList{"waitForFinished(): Process did not finish in time, exit status: "
                                       "QProcess::NormalExit and output: \"early\\n\""});
        QCOMPARE(log.starting_with("will wait again"), QStringList{"will wait again, forever"});
    }
};

QTEST_GUILESS_MAIN(TestRunCommandTimeout)
#include "test_run_command_timeout.moc"
