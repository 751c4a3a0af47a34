// The device worker, run as a thread against the simulated unit.

#include "control/signal_recorder.h"
#include "control/sm_a.h"
#include "files/files.h"
#include "simulation/simulator.h"
#include "support/log_capture.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

// A worker on the carried firmware with short intervals, and a record of its signals.
struct Worker {
    explicit Worker(int scan_ms = 50, int poll_ms = 100)
        : sm(Files::path_in_external_dir("firmware.dfu"), Files::path_in_external_dir("firmware.bin"), Files::path_in_external_dir("uploaded_FW.bin")),
          record(sm)
    {
        sm.scan_interval_ms = scan_ms;
        sm.poll_interval_ms = poll_ms;
    }
    ~Worker()
    {
        sm.do_stop();
        sm.wait();
    }
    // Milliseconds from the stop request to the thread's end.
    qint64 stop()
    {
        QElapsedTimer timer;
        timer.start();
        sm.do_stop();
        sm.wait();
        return timer.elapsed();
    }
    SM_A sm;
    SignalRecorder record;
};

}  // namespace

class TestSmA : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> state;

    void use_configuration(const QString& name) { QCOMPARE(simulator::sim_setup_prepared_config(name), 0); }

private slots:
    void initTestCase()
    {
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        QVERIFY(Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
    }
    void init()
    {
        state = std::make_unique<QTemporaryDir>();
        qputenv("DFU_UTIL_SIMULATOR_STATE", state->path().toLocal8Bit());
        qputenv("DFU_UTIL_SIMULATOR_FIRMWARE", Files::path_in_external_dir("firmware.bin").toLocal8Bit());
    }

    // Runs first: only the first pass of the process skips the pause.
    void start_with_no_unit();
    void readable_unit_is_read_once();
    void two_units_count_as_none();
    void replaced_unit_is_read_anew();
    void unreadable_unit_reports_one_error();
    void download_starts_over();
    void read_back_gives_one_verdict();
    void command_waits_for_the_next_poll();
    void stop_is_prompt_data();
    void stop_is_prompt();
    void destructor_stops_a_running_worker();
};

void TestSmA::start_with_no_unit()
{
    use_configuration("no_unit");
    Worker w(300);
    w.sm.start();
    QTRY_VERIFY(w.record.count("A2") >= 3);
    QCOMPARE(w.record.names().mid(0, 5), (QStringList{"A0", "A1", "NoDevConn", "A2", "scanning"}));
    QVERIFY2(w.record.gap("NoDevConn", 0, "A2") < 150, "the first scan starts at once");
    QVERIFY2(w.record.gap("NoDevConn", 1, "A2") >= 300, "later passes pause first");
    QVERIFY(w.record.contains_run({"A2", "scanning", "A0", "A1", "NoDevConn", "A2"}));
    QCOMPARE(w.record.count("readingInfo"), 0);
}

void TestSmA::readable_unit_is_read_once()
{
    use_configuration("default");
    Worker w;
    w.sm.start();
    QTRY_VERIFY(w.record.count("DevConn") == 1);
    QVERIFY(w.record.contains_run({"A2", "scanning", "readingInfo", "NoDevConn", "DevConn", "A4"}));
    // The hand-over reaches this thread right before sig_DevConn would.
    QTRY_VERIFY(w.sm.connected_device_info().valid);
    QCOMPARE(int(w.sm.connected_device_info().type), 30);
    QCOMPARE(w.sm.connected_device_info().FW_revision, QStringLiteral("C1"));

    QTRY_VERIFY(w.record.from("DevConn").count("A4") >= 4);
    const QStringList after = w.record.from("DevConn");
    QCOMPARE(after.count("DevConn"), 1);
    QCOMPARE(after.count("readingInfo"), 0);
    QCOMPARE(after.count("NoDevConn"), 0);
    QVERIFY(w.record.contains_run({"A4", "A2", "scanning", "A4"}));
}

void TestSmA::two_units_count_as_none()
{
    use_configuration("two_units");
    Worker w;
    w.sm.start();
    QTRY_VERIFY(w.record.count("A2") >= 4);
    QCOMPARE(w.record.count("readingInfo"), 0);
    QCOMPARE(w.record.count("A4"), 0);
    QVERIFY(w.record.contains_run({"A2", "scanning", "A0", "A1", "NoDevConn"}));
}

void TestSmA::replaced_unit_is_read_anew()
{
    use_configuration("default");
    Worker w;
    w.sm.start();
    QTRY_VERIFY(w.record.count("DevConn") == 1);
    use_configuration("another_unit");
    QTRY_VERIFY(w.record.count("DevConn") == 2);
    QVERIFY(w.record.contains_run({"A2", "scanning", "readingInfo", "NoDevConn", "DevConn", "A4"}));
    QTRY_COMPARE(int(w.sm.connected_device_info().type), 43);
}

void TestSmA::unreadable_unit_reports_one_error()
{
    use_configuration("unreadable");
    Worker w;
    w.sm.start();
    QTRY_VERIFY(w.record.count("A7") == 1);
    QTest::qWait(500);
    QCOMPARE(w.record.count("DeviceError"), 1);
    QCOMPARE(w.record.count("A7"), 1);
    QCOMPARE(w.record.from("A7").count("scanning"), 1);
    QVERIFY(w.record.contains_run({"readingInfo", "NoDevConn", "DeviceError", "A7", "scanning"}));
    QVERIFY(w.record.errors().first().startsWith("dfu-util 0.9\n"));

    use_configuration("unplug");
    QTRY_VERIFY(w.record.from("A7").contains("NoDevConn"));
    QVERIFY(w.record.contains_run({"A7", "scanning", "A0", "A1", "NoDevConn"}));
}

void TestSmA::download_starts_over()
{
    use_configuration("default");
    Worker w;
    w.sm.start();
    QTRY_VERIFY(w.record.count("DevConn") == 1);
    w.sm.set_command(SM_A::download);
    QTRY_VERIFY(w.record.count("FwDownloaded") == 1);
    QTRY_VERIFY(w.record.from("A5").contains("NoDevConn"));
    QCOMPARE(w.record.from("A5").mid(0, 6),
             (QStringList{"A5", "FwDownloading", "FwDownloaded", "A0", "A1", "NoDevConn"}));
    QCOMPARE(w.sm.get_command(), SM_A::none);
    // The unit comes back with the new firmware and is read anew.
    QTRY_VERIFY_WITH_TIMEOUT(w.record.count("DevConn") == 2, 15000);
    QTRY_COMPARE(w.sm.connected_device_info().FW_revision, QStringLiteral("C2"));
}

void TestSmA::read_back_gives_one_verdict()
{
    use_configuration("current_fw");
    Worker w;
    w.sm.start();
    QTRY_VERIFY(w.record.count("DevConn") == 1);
    w.sm.set_command(SM_A::upload_and_compare);
    QTRY_VERIFY(w.record.from("A6").contains("A2"));
    QCOMPARE(w.record.from("A6").mid(0, 4), (QStringList{"A6", "FwUploading", "FwUploadedMatches", "A2"}));
    QTest::qWait(400);
    QCOMPARE(w.record.count("FwUploadedMatches") + w.record.count("FwUploadedDiffers"), 1);
    QCOMPARE(w.record.count("DevConn"), 1);
}

void TestSmA::command_waits_for_the_next_poll()
{
    use_configuration("no_unit");
    Worker w;
    w.sm.set_command(SM_A::upload_and_compare);
    w.sm.start();
    QTRY_VERIFY(w.record.count("A2") >= 3);
    QCOMPARE(w.record.count("A6"), 0);
    QCOMPARE(w.sm.get_command(), SM_A::upload_and_compare);
    use_configuration("plug");
    QTRY_VERIFY(w.record.count("A6") == 1);
    QVERIFY(w.record.contains_run({"DevConn", "A4", "A6", "FwUploading"}));
}

void TestSmA::stop_is_prompt_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("waiting_in");
    QTest::addColumn<int>("scan_ms");
    QTest::addColumn<int>("poll_ms");
    // The pause in question is far longer than the bound: a stop that waited for it fails.
    QTest::newRow("A1 pause, no unit") << "no_unit" << "A1" << 20000 << 100;
    QTest::newRow("A4 pause, unit served") << "default" << "A4" << 50 << 20000;
    QTest::newRow("A7, unreadable unit stays") << "unreadable" << "A7" << 50 << 20000;
    QTest::newRow("dfu-util run under way") << "slow" << "A2" << 50 << 100;
}

void TestSmA::stop_is_prompt()
{
    QFETCH(QString, configuration);
    QFETCH(QString, waiting_in);
    QFETCH(int, scan_ms);
    QFETCH(int, poll_ms);
    use_configuration(configuration);
    Worker w(scan_ms, poll_ms);
    w.sm.start();
    QTRY_VERIFY(w.record.count(waiting_in) >= 1);
    QTest::qWait(300);

    const qint64 took = w.stop();

    qInfo().noquote() << QStringLiteral("stop while in %1 took %2 ms").arg(waiting_in).arg(took);
    QVERIFY2(took < 3000, qPrintable(QString::number(took)));
    QVERIFY(w.sm.isFinished());
}

void TestSmA::destructor_stops_a_running_worker()
{
    use_configuration("default");
    auto* worker = new SM_A(Files::path_in_external_dir("firmware.dfu"), Files::path_in_external_dir("firmware.bin"),
                            Files::path_in_external_dir("uploaded_FW.bin"));
    worker->poll_interval_ms = 20000;
    SignalRecorder record(*worker);
    worker->start();
    QTRY_VERIFY(record.count("A4") >= 1);
    LogCapture log;
    QElapsedTimer timer;
    timer.start();

    delete worker;

    qInfo().noquote() << QStringLiteral("destructor in A4 took %1 ms").arg(timer.elapsed());
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(log.messages(QtDebugMsg).contains("SM_A: Waiting in dtor"));
}

QTEST_MAIN(TestSmA)
#include "test_sm_a.moc"
