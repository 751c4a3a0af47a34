// The built program, started as a separate process with an option it does not know.

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
    if (!tool.waitForFinished(60000)) {
        tool.kill();
        tool.waitForFinished();
        return run;
    }
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

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void unknown_option_ends_before_extraction()
    {
        const Run run = run_tool({"-x"});
        QCOMPARE(run.exit_code, 1);
        QVERIFY2(run.log.contains("strobix-upgrade: Unknown option 'x'."), qPrintable(run.log.join('\n')));
        QCOMPARE(lines_starting_with(run.log, {"Extracted", "Will use"}), QStringList{});
        QCOMPARE(run.leftover, QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
