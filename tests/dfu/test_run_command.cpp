// The command table and the runner, run for real against a small fixture script that
// stands in for dfu-util.

#include "dfu/cancel_token.h"
#include "dfu/command.h"
#include "dfu/dfu_util.h"
#include "dfu/run_command.h"
#include "support/log_capture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <thread>

using DFU::CmdID;
Q_DECLARE_METATYPE(DFU::CmdID)

class TestRunCommand : public QObject {
    Q_OBJECT

private:
    const QString fixtures = QStringLiteral(FIXTURE_DIR);
    const QString fixture_program = fixtures + QStringLiteral("/dfu-util");

    static void set_mode(const char* mode) { qputenv("DFU_FIXTURE_MODE", mode); }

private slots:
    void init()
    {
        DFU::Command::path = fixtures;
        set_mode("args");
    }

    void command_line_is_template_then_appended_data();
    void command_line_is_template_then_appended();
    void text_form_data();
    void text_form();
    void list_runs_leave_no_start_line();
    void empty_path_finds_program_on_search_path();
    void exit_codes_data();
    void exit_codes();
    void unstartable_program_fails_at_once_data();
    void unstartable_program_fails_at_once();
    void output_is_cut_at_first_nul();
    void standard_error_never_reaches_output();
    void cancelled_run_is_ended_data();
    void cancelled_run_is_ended();
    void cancelled_token_starts_nothing();
    void execution_test_data();
    void execution_test();
    void expected_banner_is_dfu_util_0_9();
};

void TestRunCommand::command_line_is_template_then_appended_data()
{
    QTest::addColumn<CmdID>("id");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("version") << CmdID::version << QStringList{} << QStringList{"-V"};
    QTest::newRow("list") << CmdID::list << QStringList{} << QStringList{"-d", "0483", "-l"};
    QTest::newRow("upload_OTP") << CmdID::upload_OTP << QStringList{"/t/uploaded_OTP.bin"}
                                << QStringList{"-d", "0483", "-a", "2", "-s", "0x1FFF7800:512",
                                               "-U", "/t/uploaded_OTP.bin"};
    QTest::newRow("upload_FW_info")
        << CmdID::upload_FW_info << QStringList{"/t/uploaded_FW_info.bin"}
        << QStringList{"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U", "/t/uploaded_FW_info.bin"};
    QTest::newRow("upload_FW")
        << CmdID::upload_FW << QStringList{"-s", "0x08000000:709412", "-U", "/t/uploaded_FW.bin"}
        << QStringList{"-d", "0483", "-a", "0", "-s", "0x08000000:709412", "-U", "/t/uploaded_FW.bin"};
    QTest::newRow("download_FW") << CmdID::download_FW << QStringList{"/t/with space/firmware.bin"}
                                 << QStringList{"-d", "0483", "-a", "0", "-s", "0x08000000:leave",
                                                "-D", "/t/with space/firmware.bin"};
    QTest::newRow("setup_prepared_config") << CmdID::setup_prepared_config << QStringList{"two_units"}
                                           << QStringList{"two_units"};
}

void TestRunCommand::command_line_is_template_then_appended()
{
    QFETCH(CmdID, id);
    QFETCH(QStringList, extra);
    QFETCH(QStringList, expected);

    const DFU::CommandResult result = DFU::run_command(id, extra);

    QCOMPARE(result.exit_code, 0);
    QStringList lines = result.output.split('\n');
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.takeFirst(), fixture_program);
    QCOMPARE(lines, expected);
}

void TestRunCommand::text_form_data()
{
    QTest::addColumn<CmdID>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("list") << CmdID::list << QStringLiteral("dfu-util(-d,0483,-l)");
    QTest::newRow("download_FW") << CmdID::download_FW << QStringLiteral("dfu-util(-d,0483,-a,0,-s,0x08000000:leave,-D)");
    QTest::newRow("setup_prepared_config") << CmdID::setup_prepared_config << QStringLiteral("dfu-util()");
}

void TestRunCommand::text_form()
{
    QFETCH(CmdID, id);
    QFETCH(QString, text);
    QCOMPARE(QString(DFU::commands[id]), text);

    LogCapture log;
    qInfo() << DFU::commands[id] << "end";
    QCOMPARE(log.messages(), QStringList{text + " end"});
}

void TestRunCommand::list_runs_leave_no_start_line()
{
    LogCapture log;
    DFU::run_command(CmdID::list, {});
    QCOMPARE(log.starting_with("Start"), QStringList{});

    DFU::run_command(CmdID::upload_OTP, {"/t/otp.bin"});
    const QStringList starts = log.starting_with("Start");
    QCOMPARE(starts.size(), 1);
    QCOMPARE(starts.first(), QStringLiteral("Start \"%1\" (\"-d\", \"0483\", \"-a\", \"2\", \"-s\", "
                                            "\"0x1FFF7800:512\", \"-U\", \"/t/otp.bin\")")
                                 .arg(fixture_program));
    QCOMPARE(log.messages(QtInfoMsg).size(), 1);
}

void TestRunCommand::empty_path_finds_program_on_search_path()
{
    DFU::Command::path.clear();
    const QByteArray saved_path = qgetenv("PATH");
    qputenv("PATH", fixtures.toLocal8Bit() + ':' + saved_path);
    const DFU::CommandResult result = DFU::run_command(CmdID::list, {});
    qputenv("PATH", saved_path);

    QCOMPARE(result.exit_code, 0);
    QCOMPARE(result.output.section('\n', 0, 0), fixture_program);
}

void TestRunCommand::exit_codes_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<int>("exit_code");
    QTest::addColumn<QString>("output");
    QTest::newRow("success") << QByteArray("banner") << 0 << DFU::dfu_util::expected_output_of_execution_test;
    QTest::newRow("failure keeps output") << QByteArray("exit_3") << 3 << QStringLiteral("partial output\n");
    QTest::newRow("killed by a signal") << QByteArray("kill_self") << -1 << QStringLiteral("about to die\n");
}

void TestRunCommand::exit_codes()
{
    QFETCH(QByteArray, mode);
    QFETCH(int, exit_code);
    QFETCH(QString, output);
    set_mode(mode.constData());
    LogCapture log;

    const DFU::CommandResult result = DFU::run_command(CmdID::upload_OTP, {"/t/otp.bin"});

    QCOMPARE(result.exit_code, exit_code);
    QCOMPARE(result.output, output);
    const QStringList exit_lines = log.starting_with("Exit with");
    if (exit_code == 0) {
        QVERIFY(exit_lines.isEmpty());
    } else {
        QCOMPARE(exit_lines.size(), 1);
        QVERIFY2(exit_lines.first().startsWith(QStringLiteral("Exit with %1 from \"%2\" (")
                                                   .arg(exit_code)
                                                   .arg(fixture_program)),
                 qPrintable(exit_lines.first()));
        QVERIFY(exit_lines.first().endsWith(QStringLiteral("returned: \"%1\"").arg(output.replace('\n', "\\n"))));
    }
}

void TestRunCommand::unstartable_program_fails_at_once_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << false;
    QTest::newRow("not executable") << true;
}

void TestRunCommand::unstartable_program_fails_at_once()
{
    QFETCH(bool, present);
    QTemporaryDir dir;
    if (present) {
        QFile file(dir.path() + "/dfu-util");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho should not run\n");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    DFU::Command::path = dir.path();
    LogCapture log;
    QElapsedTimer timer;
    timer.start();

    const DFU::CommandResult result = DFU::run_command(CmdID::version, {});

    QVERIFY2(timer.elapsed() < 10000, "an unstartable program must not wait for the time-out");
    QCOMPARE(result.exit_code, -1);
    QCOMPARE(result.output, QString());
    const QStringList lines = log.starting_with("Could not start");
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(dir.path() + "/dfu-util"));
    QVERIFY(log.starting_with("waitForFinished()").isEmpty());
}

void TestRunCommand::output_is_cut_at_first_nul()
{
    set_mode("nul");
    const DFU::CommandResult result = DFU::run_command(CmdID::list, {});
    QCOMPARE(result.exit_code, 0);
    QCOMPARE(result.output, QStringLiteral("before"));
}

void TestRunCommand::standard_error_never_reaches_output()
{
    set_mode("exit_3");
    LogCapture log;
    const DFU::CommandResult result = DFU::run_command(CmdID::list, {});
    QVERIFY(!result.output.contains("dfu-util: error"));
    for (const QString& m : log.messages())
        QVERIFY(!m.contains("dfu-util: error"));
}

void TestRunCommand::cancelled_run_is_ended_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::newRow("goes on SIGTERM") << QByteArray("sleep");
    QTest::newRow("ignores SIGTERM, is killed") << QByteArray("ignore_term");
}

void TestRunCommand::cancelled_run_is_ended()
{
    QFETCH(QByteArray, mode);
    set_mode(mode.constData());
    DFU::CancelToken token;
    DFU::CommandResult result;
    QElapsedTimer timer;
    timer.start();

    std::thread worker([&] {
        DFU::CancelScope scope(&token);
        result = DFU::run_command(CmdID::download_FW, {"/t/firmware.bin"});
    });
    QTest::qWait(300);
    token.cancel();
    worker.join();

    // The fixture would run for a minute on its own.
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(result.exit_code, -1);
}

void TestRunCommand::cancelled_token_starts_nothing()
{
    DFU::CancelToken token;
    token.cancel();
    DFU::CancelScope scope(&token);
    const DFU::CommandResult result = DFU::run_command(CmdID::list, {});
    QCOMPARE(result.exit_code, -1);
    QCOMPARE(result.output, QString());
}

void TestRunCommand::execution_test_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("passes");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("exact banner") << QByteArray("banner") << true << QStringLiteral("status was ok and output: as expected");
    QTest::newRow("extra carriage return") << QByteArray("banner_cr") << false << QStringLiteral("status was ok and output: \"dfu-util 0.9");
    QTest::newRow("no final empty line") << QByteArray("banner_no_final_lf") << false << QStringLiteral("status was ok and output: \"dfu-util 0.9");
    QTest::newRow("non-zero exit") << QByteArray("banner_exit_1") << false << QStringLiteral("status was bad and output: as expected");
}

void TestRunCommand::execution_test()
{
    QFETCH(QByteArray, mode);
    QFETCH(bool, passes);
    QFETCH(QString, verdict);
    set_mode(mode.constData());
    LogCapture log;

    QCOMPARE(DFU::dfu_util::execution_test(), passes);

    const QStringList lines = log.starting_with("Result of execution test:");
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith("Result of execution test: " + verdict), qPrintable(lines.first()));
}

void TestRunCommand::expected_banner_is_dfu_util_0_9()
{
    const QString& banner = DFU::dfu_util::expected_output_of_execution_test;
    QCOMPARE(banner.size(), 261);
    QVERIFY(banner.startsWith("dfu-util 0.9\n\n"));
    QVERIFY(banner.endsWith("\n\n"));
    QCOMPARE(banner.count('\n'), 7);
}

QTEST_GUILESS_MAIN(TestRunCommand)
#include "test_run_command.moc"
