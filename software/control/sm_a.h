#pragma once
// The device worker: a thread of its own that looks for exactly one unit in its
// bootloader, reads a newly seen unit once, polls while it stays, and carries out the
// download and read-back commands it is handed. It reports only by signals.

#include "dfu/cancel_token.h"
#include "dfu/device_info.h"

#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

class SM_A : public QThread {
    Q_OBJECT

public:
    enum Command : int { none = 0, download = 1, upload_and_compare = 2 };

    SM_A(QString desired_FW_dfu_path, QString desired_FW_bin_path, QString uploaded_FW_bin_path,
         QObject* parent = nullptr);
    ~SM_A() override;

    void set_command(Command c);
    Command get_command();
    // Ends the loop at its next stop check; a sleep or a dfu-util run under way is cut short.
    void do_stop();
    bool is_stopping();

    void enable_debug_output();

    // The unit's information as the worker had it when it last emitted sig_DevConn. Only
    // the thread the worker object lives in (the GUI thread) may read it: it is handed
    // over through a queued signal that arrives just before sig_DevConn, so a machine that
    // handles sig_DevConn late still sees the information that belongs to it.
    const DFU::DeviceInfo& connected_device_info() const { return connected_device_info_; }

    int scan_interval_ms = 200;
    int poll_interval_ms = 200;

signals:
    void sig_NoDevConn();
    void sig_DevConn();
    void sig_scanning();
    void sig_readingInfo();
    void sig_DeviceError(QString message);
    void sig_FwDownloading();
    void sig_FwDownloaded();
    void sig_FwUploading();
    void sig_FwUploadedDiffers();
    void sig_FwUploadedMatches();
    void sig_A0_entered();
    void sig_A1_entered();
    void sig_A2_entered();
    void sig_A4_entered();
    void sig_A5_entered();
    void sig_A6_entered();
    void sig_A7_entered();
    // Carries a copy of device_info to the worker object's thread; emitted right before
    // sig_DevConn.
    void sig_DevConnInfo(DFU::DeviceInfo info);

protected:
    void run() override;

private:
    enum class State { A0, A1, A2, A4, A5, A6, A7 };

    State state_A0();
    State state_A1();
    State state_A2();
    State state_A4();
    State state_A5();
    State state_A6();
    State state_A7();
    // Sleeps up to `ms`, or less when a stop is requested.
    void pause(int ms);
    // Exactly one unit, the one whose information was read last.
    bool still_the_same_unit(const DFU::ScanResult& scan) const;

    DFU::DeviceInfo device_info;
    QString desired_FW_dfu_path;
    QString desired_FW_bin_path;
    QString uploaded_FW_bin_path;
    QString last_serial;
    Command command = none;
    bool stopping = false;
    QMutex mutex;
    QWaitCondition wake_up;
    DFU::CancelToken cancel_runs;
    DFU::DeviceInfo connected_device_info_;
};

Q_DECLARE_METATYPE(DFU::DeviceInfo)
