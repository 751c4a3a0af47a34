// The built program, started as a separate process with an option it does not know: it
// ends at once, before anything is extracted, and leaves no temporary directory.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void unknown_option_ends_before_extraction()
    {
        QTemporaryDir tmp;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp.path());
        env.insert("XDG_RUNTIME_DIR", tmp.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("QT_MESSAGE_PATTERN");
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral(TOOL_EXECUTABLE), {"-x"});
        QVERIFY(tool.waitForFinished(30000));

        const QStringList log = QString::fromUtf8(tool.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY2(log.contains("strobix-upgrade: Unknown option 'x'."), qPrintable(log.join('\n')));
        QCOMPARE(log.filter(QRegularExpression("^(Extracted|Will use)")), QStringList{});
        QCOMPARE(QDir(tmp.path()).entryList({"upgrade_*"}, QDir::Dirs | QDir::NoDotAndDotDot), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
