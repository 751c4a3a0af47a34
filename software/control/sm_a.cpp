#include "control/sm_a.h"

#include "dfu/firmware_transfer.h"
#include "dfu/scan.h"

#include <QDebug>
#include <QDeadlineTimer>
#include <QMutexLocker>

namespace {

// The very first scan of the process starts at once; every later pass pauses first.
bool first_pass_done = false;

// Shared by the debug actions, so that an unbroken run of "NoDevConn" and "scanning"
// while no unit is connected is logged only once.
int previous_repeat_flag = 0;

}  // namespace

SM_A::SM_A(QString desired_FW_dfu_path, QString desired_FW_bin_path, QString uploaded_FW_bin_path,
           QObject* parent)
    : QThread(parent),
      desired_FW_dfu_path(std::move(desired_FW_dfu_path)),
      desired_FW_bin_path(std::move(desired_FW_bin_path)),
      uploaded_FW_bin_path(std::move(uploaded_FW_bin_path))
{
    qRegisterMetaType<DFU::DeviceInfo>();
    // Queued when emitted by the worker thread, direct when emitted in this object's own
    // thread: either way the copy is in place before sig_DevConn is handled.
    connect(this, &SM_A::sig_DevConnInfo, this,
            [this](const DFU::DeviceInfo& info) { connected_device_info_ = info; });
    qDebug() << "SM_A created";
}

SM_A::~SM_A()
{
    {
        QMutexLocker lock(&mutex);
        stopping = true;
        cancel_runs.cancel();
        wake_up.wakeOne();
    }
    qDebug() << "SM_A: Waiting in dtor";
    wait();
}

void SM_A::set_command(Command c)
{
    QMutexLocker lock(&mutex);
    command = c;
}

SM_A::Command SM_A::get_command()
{
    QMutexLocker lock(&mutex);
    return command;
}

void SM_A::do_stop()
{
    QMutexLocker lock(&mutex);
    stopping = true;
    cancel_runs.cancel();
    wake_up.wakeAll();
}

bool SM_A::is_stopping()
{
    QMutexLocker lock(&mutex);
    return stopping;
}

void SM_A::pause(int ms)
{
    // A wait may end early without a wake-up; only a stop request cuts the pause short.
    const QDeadlineTimer deadline(qMax(ms, 0));
    QMutexLocker lock(&mutex);
    while (!stopping && !deadline.hasExpired())
        wake_up.wait(&mutex, deadline);
}

bool SM_A::still_the_same_unit(const DFU::ScanResult& scan) const
{
    return scan.status == 0 && scan.devices.size() == 1 && scan.devices.front().serial == last_serial;
}

void SM_A::run()
{
    // A stop request also ends the dfu-util run this thread may be blocked in.
    DFU::CancelScope scope(&cancel_runs);
    State state = State::A0;
    for (;;) {
        switch (state) {
        case State::A0: state = state_A0(); break;
        case State::A1: state = state_A1(); break;
        case State::A2: state = state_A2(); break;
        case State::A4: state = state_A4(); break;
        case State::A5: state = state_A5(); break;
        case State::A6: state = state_A6(); break;
        case State::A7: state = state_A7(); break;
        }
        if (is_stopping())
            return;
    }
}

SM_A::State SM_A::state_A0()
{
    emit sig_A0_entered();
    last_serial.clear();
    return State::A1;
}

SM_A::State SM_A::state_A1()
{
    emit sig_A1_entered();
    if (is_stopping())
        return State::A1;
    device_info = DFU::DeviceInfo();
    emit sig_NoDevConn();
    if (first_pass_done)
        pause(scan_interval_ms);
    else
        first_pass_done = true;
    return State::A2;
}

SM_A::State SM_A::state_A2()
{
    emit sig_A2_entered();
    emit sig_scanning();
    const DFU::ScanResult scan = DFU::make_scan();
    if (is_stopping())
        return State::A2;
    if (scan.status != 0 || scan.devices.size() != 1)
        return State::A0;
    const DFU::DeviceItem& unit = scan.devices.front();
    if (unit.serial == last_serial)
        return State::A4;

    emit sig_readingInfo();
    emit sig_NoDevConn();
    last_serial = unit.serial;
    const DFU::CommandResult result = DFU::read_device_info(&unit, &device_info);
    if (is_stopping())
        return State::A2;
    if (result.exit_code != 0) {
        emit sig_DeviceError(result.output);
        return State::A7;
    }
    emit sig_DevConnInfo(device_info);
    emit sig_DevConn();
    return State::A4;
}

SM_A::State SM_A::state_A4()
{
    emit sig_A4_entered();
    if (is_stopping())
        return State::A4;
    pause(poll_interval_ms);
    switch (get_command()) {
    case download: return State::A5;
    case upload_and_compare: return State::A6;
    case none: break;
    }
    return State::A2;
}

SM_A::State SM_A::state_A5()
{
    set_command(none);
    emit sig_A5_entered();
    emit sig_FwDownloading();
    DFU::download_FW_to_device(desired_FW_bin_path);
    emit sig_FwDownloaded();
    return State::A0;
}

SM_A::State SM_A::state_A6()
{
    set_command(none);
    emit sig_A6_entered();
    emit sig_FwUploading();
    const bool ok = DFU::upload_and_compare_FW_bin(desired_FW_bin_path, uploaded_FW_bin_path);
    // A read-back cut short by a stop request is no verdict.
    if (is_stopping())
        return State::A6;
    if (ok) {
        qDebug() << "Uploaded FW matches";
        emit sig_FwUploadedMatches();
    } else {
        qDebug() << "Uploaded FW does not match";
        emit sig_FwUploadedDiffers();
    }
    return State::A2;
}

SM_A::State SM_A::state_A7()
{
    emit sig_A7_entered();
    emit sig_scanning();
    // The unreadable unit is not read again while it stays attached.
    for (;;) {
        pause(poll_interval_ms);
        if (is_stopping())
            return State::A7;
        if (!still_the_same_unit(DFU::make_scan()))
            return State::A0;
    }
}

void SM_A::enable_debug_output()
{
    qInfo() << "SM_A: Adding connections to show debug output (state transitions)";
    const auto show = [this](void (SM_A::*signal)(), const char* name, int repeat_flag) {
        connect(
            this, signal, this,
            [name, repeat_flag] {
                const QLatin1String text(name);
                const bool repeated = text == QLatin1String("NoDevConn") || text == QLatin1String("scanning");
                if (!(previous_repeat_flag != 0 && repeated))
                    qDebug().noquote() << QStringLiteral("SM_A: /sig_") + text;
                previous_repeat_flag = repeat_flag;
            },
            Qt::DirectConnection);
    };
    show(&SM_A::sig_NoDevConn, "NoDevConn", 1);
    show(&SM_A::sig_scanning, "scanning", 1);
    show(&SM_A::sig_readingInfo, "readingInfo", 0);
    show(&SM_A::sig_DevConn, "DevConn", 0);
    show(&SM_A::sig_FwDownloading, "FwDownloading", 0);
    show(&SM_A::sig_FwDownloaded, "FwDownloaded", 0);
    show(&SM_A::sig_FwUploading, "FwUploading", 0);
    show(&SM_A::sig_FwUploadedDiffers, "FwUploadedDiffers", 0);
    show(&SM_A::sig_FwUploadedMatches, "FwUploadedMatches", 0);
}
