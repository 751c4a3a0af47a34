// The upgrade state machine, driven by the worker's signals as the worker emits them.

#include "control/machines.h"
#include "control/sm_a.h"
#include "control/sm_b.h"
#include "control/stdout_capture.h"
#include "support/log_capture.h"

#include <QtTest>
#include <thread>

namespace {

DFU::DeviceInfo unit(Device::Type type, const QString& revision, bool blank = false)
{
    DFU::DeviceInfo info;
    info.valid = true;
    info.type = type;
    info.FW_revision = revision;
    info.OTP_info.blank = blank;
    return info;
}

const std::pair<void (SM_B::*)(), const char*> machine_signals[] = {
    {&SM_B::sig_UpgradeImpossible, "UpgradeImpossible"},
    {&SM_B::sig_UpgradePossible, "UpgradePossible"},
    {&SM_B::sig_DifferingRevision, "DifferingRevision"},
    {&SM_B::sig_DoDownload, "DoDownload"},
    {&SM_B::sig_UploadingVerifying, "UploadingVerifying"},
    {&SM_B::sig_FwMatches, "FwMatches"},
    {&SM_B::sig_FwDiffers, "FwDiffers"},
    {&SM_B::sig_DeviceConnected, "DeviceConnected"},
    {&SM_B::sig_InvalidProduct, "InvalidProduct"},
};

// A worker that is never started, whose signals the test emits, and the machine on it.
struct Rig {
    SM_A worker{"firmware.dfu", "firmware.bin", "uploaded_FW.bin"};
    SM_B machine{&worker, Device::WREN, "C2"};
    QStringList emitted;

    Rig()
    {
        sm_A = &worker;
        for (const auto& [signal, name] : machine_signals)
            QObject::connect(&machine, signal, &machine, [this, name = QString(name)] { emitted << name; });
        machine.start();
        QTRY_VERIFY(machine.isRunning());
    }
    ~Rig()
    {
        machine.stop();
        sm_A = nullptr;
    }

    void unit_read(const DFU::DeviceInfo& info)
    {
        emit worker.sig_DevConnInfo(info);
        emit worker.sig_DevConn();
        QCoreApplication::processEvents();
    }
    void emit_and_process(void (SM_A::*signal)())
    {
        (worker.*signal)();
        QCoreApplication::processEvents();
    }
    bool in(QAbstractState* state) const { return machine.configuration().contains(state); }
    // What was emitted since the last call.
    QStringList take()
    {
        QStringList taken = emitted;
        emitted.clear();
        return taken;
    }
};

}  // namespace

class TestSmB : public QObject {
    Q_OBJECT

private slots:
    void states_and_start();
    void unit_read_in_B1_data();
    void unit_read_in_B1();
    void install_request_data();
    void install_request();
    void verdicts();
    void unplugging_returns_to_B1();
    void B4_waits_for_its_verdict();
    void replaced_unit_in_B2_is_judged_anew();
    void late_handling_sees_each_units_own_information();
    void debug_output();
    void worker_debug_output_suppresses_repeats();
};

void TestSmB::states_and_start()
{
    Rig rig;
    QStringList names;
    for (QState* s : {rig.machine.B1, rig.machine.B2, rig.machine.B3, rig.machine.B4, rig.machine.B6,
                      rig.machine.B7, rig.machine.B8, rig.machine.B9})
        names << s->objectName();
    QCOMPARE(names, (QStringList{"B1: No (DFU-SE) dev. conn.", "B2: Conn. to (DFU-SE) dev. with diff. FW rev.",
                                 "B3: Upgrading FW", "B4: Uploading and verifying FW", "B6: FW in dev. matches",
                                 "B7: FW in dev. differs", "B8: Invalid (DFU-SE) dev. conn.",
                                 "B9: Conn. to (DFU-SE) dev. with Empty OTP."}));
    QCOMPARE(SM_B::desired_ID, Device::WREN);
    QCOMPARE(SM_B::desired_revision, QStringLiteral("C2"));
    QVERIFY(rig.in(rig.machine.B1));
    QCOMPARE(rig.take(), QStringList{"UpgradeImpossible"});

    rig.emit_and_process(&SM_A::sig_NoDevConn);
    rig.emit_and_process(&SM_A::sig_NoDevConn);
    rig.machine.do_download();
    QCoreApplication::processEvents();
    QVERIFY(rig.in(rig.machine.B1));
    QCOMPARE(rig.take(), QStringList{"DoDownload"});
}

void TestSmB::unit_read_in_B1_data()
{
    QTest::addColumn<DFU::DeviceInfo>("info");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("emitted");
    QTest::addColumn<QStringList>("guard_lines");
    QTest::addColumn<int>("command");

    const QString line30_1_30 = "device_has_valid_type(30): valid 1, device_type: 30";
    QTest::newRow("blank record") << unit(Device::WREN, "C1", true) << "B9"
                                  << QStringList{"DeviceConnected", "UpgradeImpossible", "DifferingRevision"}
                                  << QStringList{} << int(SM_A::none);
    QTest::newRow("other product") << unit(Device::OKAP, "C2") << "B8"
                                   << QStringList{"DeviceConnected", "InvalidProduct"}
                                   << QStringList{"device_has_valid_type(30): valid 1, device_type: 43"}
                                   << int(SM_A::none);
    QTest::newRow("other revision") << unit(Device::WREN, "C1") << "B2"
                                    << QStringList{"DeviceConnected", "UpgradePossible", "DifferingRevision"}
                                    << QStringList{line30_1_30, line30_1_30} << int(SM_A::none);
    QTest::newRow("firmware not accepted") << unit(Device::WREN, "") << "B2"
                                           << QStringList{"DeviceConnected", "UpgradePossible", "DifferingRevision"}
                                           << QStringList{line30_1_30, line30_1_30} << int(SM_A::none);
    QTest::newRow("revision differs in case") << unit(Device::WREN, "c2") << "B2"
                                              << QStringList{"DeviceConnected", "UpgradePossible", "DifferingRevision"}
                                              << QStringList{line30_1_30, line30_1_30} << int(SM_A::none);
    QTest::newRow("embedded revision") << unit(Device::WREN, "C2") << "B4"
                                       << QStringList{"DeviceConnected", "UploadingVerifying"}
                                       << QStringList{line30_1_30, line30_1_30, line30_1_30}
                                       << int(SM_A::upload_and_compare);
    DFU::DeviceInfo unread;
    QTest::newRow("not valid stays in B1") << unread << "B1" << QStringList{}
                                           << (QStringList{"device_has_valid_type(30): valid 0, device_type: 0",
                                                        "device_has_valid_type(30): valid 0, device_type: 0"})
                                           << int(SM_A::none);
}

void TestSmB::unit_read_in_B1()
{
    QFETCH(DFU::DeviceInfo, info);
    QFETCH(QString, state);
    QFETCH(QStringList, emitted);
    QFETCH(QStringList, guard_lines);
    QFETCH(int, command);
    Rig rig;
    rig.take();
    StdoutCapture out;

    rig.unit_read(info);
    const QStringList lines = out.finish();

    QCOMPARE(rig.machine.configuration().values().first()->objectName().left(2), state);
    QCOMPARE(rig.take(), emitted);
    QCOMPARE(lines.filter(QRegularExpression("^device_has_valid_type")), guard_lines);
    QCOMPARE(int(rig.worker.get_command()), command);
    if (state != "B1")
        QCOMPARE(QString(rig.machine.device_info), QString(info));
}

void TestSmB::install_request_data()
{
    QTest::addColumn<DFU::DeviceInfo>("info");
    QTest::addColumn<bool>("to_B3");
    QTest::newRow("B2") << unit(Device::WREN, "C1") << true;
    QTest::newRow("B9") << unit(Device::WREN, "C1", true) << true;
    QTest::newRow("B8") << unit(Device::OKAP, "C1") << false;
    QTest::newRow("B4") << unit(Device::WREN, "C2") << false;
}

void TestSmB::install_request()
{
    QFETCH(DFU::DeviceInfo, info);
    QFETCH(bool, to_B3);
    Rig rig;
    rig.unit_read(info);
    QAbstractState* before = rig.machine.configuration().values().first();
    const SM_A::Command command_before = rig.worker.get_command();
    rig.take();

    rig.machine.do_download();
    QCoreApplication::processEvents();

    QCOMPARE(rig.take(), QStringList{"DoDownload"});
    if (to_B3) {
        QVERIFY(rig.in(rig.machine.B3));
        QCOMPARE(rig.worker.get_command(), SM_A::download);
        // The worker starts over after the download, even with the unit still attached.
        rig.emit_and_process(&SM_A::sig_NoDevConn);
        QVERIFY(rig.in(rig.machine.B1));
        QCOMPARE(rig.take(), QStringList{"UpgradeImpossible"});
        QCOMPARE(QString(rig.machine.device_info), QString(DFU::DeviceInfo()));
    } else {
        QVERIFY(rig.in(before));
        QCOMPARE(rig.worker.get_command(), command_before);
    }
}

void TestSmB::verdicts()
{
    Rig rig;
    rig.unit_read(unit(Device::WREN, "C2"));
    rig.take();
    rig.emit_and_process(&SM_A::sig_FwUploadedMatches);
    QVERIFY(rig.in(rig.machine.B6));
    QCOMPARE(rig.take(), QStringList{"FwMatches"});
    rig.machine.do_download();
    QCoreApplication::processEvents();
    QVERIFY(rig.in(rig.machine.B6));

    Rig differs;
    differs.unit_read(unit(Device::WREN, "C2"));
    differs.take();
    differs.emit_and_process(&SM_A::sig_FwUploadedDiffers);
    QVERIFY(differs.in(differs.machine.B7));
    QCOMPARE(differs.take(), (QStringList{"UpgradePossible", "FwDiffers"}));
    differs.machine.do_download();
    QCoreApplication::processEvents();
    QVERIFY(differs.in(differs.machine.B3));
    QCOMPARE(differs.worker.get_command(), SM_A::download);
}

void TestSmB::unplugging_returns_to_B1()
{
    const QList<DFU::DeviceInfo> units = {unit(Device::WREN, "C1"), unit(Device::OKAP, "C1"),
                                          unit(Device::WREN, "C1", true)};
    for (const DFU::DeviceInfo& info : units) {
        Rig rig;
        rig.unit_read(info);
        QVERIFY(!rig.in(rig.machine.B1));
        rig.take();
        rig.emit_and_process(&SM_A::sig_NoDevConn);
        QVERIFY(rig.in(rig.machine.B1));
        QCOMPARE(rig.take(), QStringList{"UpgradeImpossible"});
    }
    Rig matched;
    matched.unit_read(unit(Device::WREN, "C2"));
    matched.emit_and_process(&SM_A::sig_FwUploadedMatches);
    matched.emit_and_process(&SM_A::sig_NoDevConn);
    QVERIFY(matched.in(matched.machine.B1));
}

void TestSmB::B4_waits_for_its_verdict()
{
    Rig rig;
    rig.unit_read(unit(Device::WREN, "C2"));
    rig.take();
    StdoutCapture out;
    rig.emit_and_process(&SM_A::sig_NoDevConn);
    rig.unit_read(unit(Device::OKAP, "C1"));
    QCOMPARE(out.finish().filter(QRegularExpression("^device_has_valid_type")), QStringList{});
    QVERIFY(rig.in(rig.machine.B4));
    QCOMPARE(rig.take(), QStringList{});
    // The read-back of the replaced unit fails, and only then the machine moves on.
    rig.emit_and_process(&SM_A::sig_FwUploadedDiffers);
    QVERIFY(rig.in(rig.machine.B7));
    rig.emit_and_process(&SM_A::sig_NoDevConn);
    QVERIFY(rig.in(rig.machine.B1));
}

void TestSmB::replaced_unit_in_B2_is_judged_anew()
{
    Rig rig;
    rig.unit_read(unit(Device::WREN, "C1"));
    rig.take();
    rig.emit_and_process(&SM_A::sig_NoDevConn);
    rig.unit_read(unit(Device::WREN, "C2"));
    QVERIFY(rig.in(rig.machine.B4));
    QCOMPARE(rig.take(), (QStringList{"UpgradeImpossible", "DeviceConnected", "UploadingVerifying"}));
    QCOMPARE(rig.machine.device_info.FW_revision, QStringLiteral("C2"));
}

void TestSmB::late_handling_sees_each_units_own_information()
{
    Rig rig;
    LogCapture log;
    // The worker thread reports two units before the GUI thread gets to the first report.
    std::thread worker_thread([&rig] {
        emit rig.worker.sig_DevConnInfo(unit(Device::WREN, "C1"));
        emit rig.worker.sig_DevConn();
        emit rig.worker.sig_NoDevConn();
        emit rig.worker.sig_DevConnInfo(unit(Device::OKAP, "A9"));
        emit rig.worker.sig_DevConn();
    });
    worker_thread.join();
    QVERIFY(rig.in(rig.machine.B1));

    QTRY_VERIFY(rig.in(rig.machine.B8));
    const QStringList connected = log.starting_with("Device connected with:");
    QCOMPARE(connected, (QStringList{"Device connected with:\nDeviceInfo:\n\tDevice type:\t30\n\tFW_revision:\tC1\n",
                                     "Device connected with:\nDeviceInfo:\n\tDevice type:\t43\n\tFW_revision:\tA9\n"}));
    QCOMPARE(rig.take(), (QStringList{"UpgradeImpossible", "DeviceConnected", "UpgradePossible", "DifferingRevision",
                                      "UpgradeImpossible", "DeviceConnected", "InvalidProduct"}));
}

void TestSmB::debug_output()
{
    Rig rig;
    LogCapture log;
    rig.machine.enable_debug_output();
    QCOMPARE(log.messages(QtInfoMsg), QStringList{"SM_B: Add connections to show emitted signals"});
    log.clear();

    rig.unit_read(unit(Device::WREN, "C1"));
    QCOMPARE(log.messages(QtDebugMsg), (QStringList{"SM_B: /sig_DeviceConnected", "SM_B: /sig_UpgradePossible",
                                                    "SM_B: /sig_DifferingRevision",
                                                    "SM_B: entered B2: Conn. to (DFU-SE) dev. with diff. FW rev."}));
    log.clear();
    rig.emit_and_process(&SM_A::sig_NoDevConn);
    rig.unit_read(unit(Device::WREN, "C1", true));
    QCOMPARE(log.messages(QtDebugMsg),
             (QStringList{"SM_B: /sig_UpgradeImpossible", "SM_B: entered B1: No (DFU-SE) dev. conn.",
                          "SM_B: /sig_DeviceConnected", "SM_B: /sig_UpgradeImpossible", "SM_B: /sig_DifferingRevision"}));
}

void TestSmB::worker_debug_output_suppresses_repeats()
{
    SM_A worker("a", "b", "c");
    LogCapture log;
    worker.enable_debug_output();
    QCOMPARE(log.messages(QtInfoMsg),
             QStringList{"SM_A: Adding connections to show debug output (state transitions)"});
    for (auto signal : {&SM_A::sig_DevConn, &SM_A::sig_NoDevConn, &SM_A::sig_scanning, &SM_A::sig_NoDevConn,
                        &SM_A::sig_scanning, &SM_A::sig_readingInfo, &SM_A::sig_NoDevConn, &SM_A::sig_scanning,
                        &SM_A::sig_FwUploadedMatches, &SM_A::sig_scanning})
        (worker.*signal)();
    emit worker.sig_DeviceError("not logged");
    emit worker.sig_A4_entered();
    QCOMPARE(log.messages(QtDebugMsg),
             (QStringList{"SM_A: /sig_DevConn", "SM_A: /sig_NoDevConn", "SM_A: /sig_readingInfo",
                          "SM_A: /sig_NoDevConn", "SM_A: /sig_FwUploadedMatches", "SM_A: /sig_scanning"}));
}

QTEST_MAIN(TestSmB)
#include "test_sm_b.moc"
