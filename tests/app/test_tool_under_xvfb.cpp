// The built tool as a person starts it: its own process, a real X server; it runs until
// its window is closed, and then ends in order and leaves no temporary directory behind.

#include "x11_window.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString title = QStringLiteral("Strobix Firmware Upgrade Tool");

struct Run {
    int exit_code = -2;
    QStringList log;       // standard error, a line each
    QStringList leftover;  // temporary directories of the tool that the run left behind
};

// The lines of `log` that start with one of `prefixes`, in log order.
QStringList lines_starting_with(const QStringList& log, const QStringList& prefixes)
{
    QStringList found;
    for (const QString& line : log)
        for (const QString& prefix : prefixes)
            if (line.startsWith(prefix)) {
                found << line;
                break;
            }
    return found;
}

}  // namespace

class TestToolUnderXvfb : public QObject {
    Q_OBJECT

private:
    QProcess xvfb;
    QString display;

    // Starts the tool, lets it work for a while, then closes its window.
    Run run_until_closed(const QStringList& arguments)
    {
        QTemporaryDir tmp;
        QTemporaryDir simulator_state;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("TMPDIR", tmp.path());
        env.insert("XDG_RUNTIME_DIR", tmp.path());
        env.insert("DFU_UTIL_SIMULATOR_STATE", simulator_state.path());
        env.remove("QT_QPA_PLATFORM");
        env.remove("QT_MESSAGE_PATTERN");
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral(TOOL_EXECUTABLE), arguments);
        Run run;
        if (!tool.waitForStarted(10000))
            return run;
        for (int i = 0; i < 200 && !x11::has_window(display, title); ++i)
            QTest::qWait(100);
        // Long enough for several scans, and for reading the simulated unit.
        QTest::qWait(3000);
        // As a person clicks the close button again while a busy window does not react.
        for (int i = 0; i < 30 && tool.state() != QProcess::NotRunning; ++i) {
            x11::close_window(display, title);
            tool.waitForFinished(1000);
        }
        if (tool.state() != QProcess::NotRunning) {
            tool.kill();
            tool.waitForFinished();
            return run;
        }
        run.exit_code = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
        run.log = QString::fromUtf8(tool.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        if (run.exit_code != 0)
            qWarning().noquote() << "the tool's log ended with:\n" + run.log.mid(run.log.size() - 15).join('\n');
        run.leftover = QDir(tmp.path()).entryList({"upgrade_*"}, QDir::Dirs | QDir::NoDotAndDotDot);
        return run;
    }

private slots:
    void initTestCase()
    {
        // Xvfb picks a free display itself and names it on the given descriptor.
        xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x800x24", "-dpi", "96", "-noreset",
                                            "-nolisten", "tcp"});
        QVERIFY2(xvfb.waitForStarted(10000), "Xvfb is part of the set-up");
        QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 15000);
        display = ':' + QString::fromLatin1(xvfb.readLine()).trimmed();
    }
    void cleanupTestCase()
    {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    void simulator_with_log_window()
    {
        const Run run = run_until_closed({"-s", "-l"});
        QCOMPARE(run.exit_code, 0);
        const QString log = run.log.join('\n');
        // With the log window, lines come as the log window echoes them.
        for (const char* line : {"Info: Will use simulator (i.e. option 'use_simulator).",
                                 "Debug: Extracted \"firmware.bin\"",
                                 "Info: Result of execution test: status was ok and output: as expected",
                                 "Info: Starting sm_A", "Info: app.exec() returns: 0",
                                 "Debug: SM_A: Waiting in dtor"})
            QVERIFY2(log.contains(QLatin1String(line)), line);
        QCOMPARE(run.leftover, QStringList{});
    }

    void real_device_start_up_in_order()
    {
        const Run run = run_until_closed({});
        QCOMPARE(run.exit_code, 0);

        const QStringList steps = lines_starting_with(
            run.log, {"Will use", "Compiled for", "Extracted", "Failed", "Changing file permissions", "Start ",
                      "Result of execution test", "Desired (embedded)", "Starting sm_A", "app.exec()",
                      "Waiting 2 s", "SM_A: Waiting in dtor"});
        QCOMPARE(steps.size(), 14);
        QCOMPARE(steps[0], QStringLiteral("Will use real device (i.e. no option 'use_simulator'.)"));
        QCOMPARE(steps[1], QStringLiteral("Compiled for platform (OS): Linux with 'DEBUG' not defined"));
        QCOMPARE(steps.mid(2, 4), (QStringList{"Extracted \"firmware.dfu\"", "Extracted \"firmware.bin\"",
                                               "Extracted \"dfu-util\"", "Extracted \"libusb-1.0.0.dylib\""}));
        QVERIFY(steps[6].startsWith("Changing file permissions to make it executable: \""));
        const QString dfu_util = steps[6].section('"', 1, 1);
        QVERIFY(dfu_util.endsWith("/dfu-util"));
        QCOMPARE(steps[7], QStringLiteral("Start \"%1\" (\"-V\")").arg(dfu_util));
        // The embedded dfu-util is a later release than the one whose banner the tool
        // knows: the test reports the difference and start-up goes on.
        QVERIFY2(steps[8].startsWith("Result of execution test: status was ok and output: \"dfu-util 0."),
                 qPrintable(steps[8]));
        QCOMPARE(steps[9], QStringLiteral("Desired (embedded) FW info:"));
        QCOMPARE(steps[10], QStringLiteral("Starting sm_A"));
        QCOMPARE(steps.mid(11), (QStringList{"app.exec() returns: 0", "Waiting 2 s before deleting objects",
                                             "SM_A: Waiting in dtor"}));
        QCOMPARE(run.leftover, QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestToolUnderXvfb)
#include "test_tool_under_xvfb.moc"
