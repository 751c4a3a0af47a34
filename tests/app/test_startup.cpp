// The built program, started as a separate process: options, the start-up log and a
// clean end that leaves no temporary directory behind.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exit_code = -2;
    QStringList log;       // standard error, a line each
    QStringList leftover;  // temporary directories of the tool that the run left behind
};

Run run_tool(const QStringList& arguments)
{
    QTemporaryDir tmp;
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.remove("QT_MESSAGE_PATTERN");
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(TOOL_EXECUTABLE), arguments);
    Run run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exit_code = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.log = QString::fromUtf8(tool.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    run.leftover = QDir(tmp.path()).entryList({"upgrade_*"}, QDir::NoDotAndDotDot | QDir::AllEntries);
    return run;
}

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

const QString real_device = QStringLiteral("Will use real device (i.e. no option 'use_simulator'.)");
const QString simulator = QStringLiteral("Will use simulator (i.e. option 'use_simulator).");

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void options_choose_the_device_data();
    void options_choose_the_device();
    void unknown_option_ends_before_extraction();
    void start_up_runs_in_order_and_cleans_up();
};

void TestStartup::options_choose_the_device_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("option_line");
    QTest::addColumn<QString>("choice");

    const QString none = "Initial value of 'simulator::use'=false, isSet('-s')=false, isSet('-S')=false";
    const QString s_only = "Initial value of 'simulator::use'=false, isSet('-s')=true, isSet('-S')=false";
    const QString big_s = "Initial value of 'simulator::use'=false, isSet('-s')=false, isSet('-S')=true";
    const QString both = "Initial value of 'simulator::use'=false, isSet('-s')=true, isSet('-S')=true";
    QTest::newRow("no options") << QStringList{} << none << real_device;
    QTest::newRow("-s") << QStringList{"-s"} << s_only << simulator;
    QTest::newRow("--use-simulator -l") << QStringList{"--use-simulator", "-l"} << s_only << simulator;
    QTest::newRow("-S") << QStringList{"-S"} << big_s << real_device;
    QTest::newRow("-s -S") << QStringList{"-s", "-S"} << both << real_device;
    QTest::newRow("-S -s") << QStringList{"-S", "-s"} << both << real_device;
    QTest::newRow("positional ignored") << QStringList{"-l", "extra", "words"} << none << real_device;
}

void TestStartup::options_choose_the_device()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, option_line);
    QFETCH(QString, choice);

    const Run run = run_tool(arguments);

    QCOMPARE(run.exit_code, 0);
    QCOMPARE(lines_starting_with(run.log, {"Initial value"}), QStringList{option_line});
    QCOMPARE(lines_starting_with(run.log, {"Will use"}), QStringList{choice});
    QCOMPARE(run.leftover, QStringList{});
}

void TestStartup::unknown_option_ends_before_extraction()
{
    const Run run = run_tool({"-x"});
    QCOMPARE(run.exit_code, 1);
    QVERIFY2(run.log.contains("strobix-upgrade: Unknown option 'x'."), qPrintable(run.log.join('\n')));
    QCOMPARE(lines_starting_with(run.log, {"Extracted", "Will use"}), QStringList{});
    QCOMPARE(run.leftover, QStringList{});
}

void TestStartup::start_up_runs_in_order_and_cleans_up()
{
    const Run run = run_tool({});
    QCOMPARE(run.exit_code, 0);

    const QStringList steps = lines_starting_with(
        run.log, {"Will use", "Compiled for", "Extracted", "Failed", "Changing file permissions", "Start ",
                  "Result of execution test", "app.exec()", "Waiting 2 s"});
    QCOMPARE(steps.size(), 11);
    QCOMPARE(steps[0], real_device);
    QCOMPARE(steps[1], QStringLiteral("Compiled for platform (OS): Linux with 'DEBUG' not defined"));
    QCOMPARE(steps.mid(2, 4), (QStringList{"Extracted \"firmware.dfu\"", "Extracted \"firmware.bin\"",
                                           "Extracted \"dfu-util\"", "Extracted \"libusb-1.0.0.dylib\""}));
    QVERIFY(steps[6].startsWith("Changing file permissions to make it executable: \""));
    QVERIFY(steps[6].endsWith("/dfu-util\""));
    const QString dfu_util = steps[6].section('"', 1, 1);
    QCOMPARE(steps[7], QStringLiteral("Start \"%1\" (\"-V\")").arg(dfu_util));
    // The embedded dfu-util is a later release than the one whose banner the tool knows:
    // the test reports the difference and start-up goes on.
    QVERIFY2(steps[8].startsWith("Result of execution test: status was ok and output: \"dfu-util 0."),
             qPrintable(steps[8]));
    QCOMPARE(steps[9], QStringLiteral("app.exec() returns: 0"));
    QCOMPARE(steps[10], QStringLiteral("Waiting 2 s before deleting objects"));
    QCOMPARE(run.leftover, QStringList{});
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
