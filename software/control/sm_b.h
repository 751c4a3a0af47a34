#pragma once
// The upgrade state machine: turns the worker's reports into the situations the window
// shows, and hands the worker its download and read-back commands.

#include "device/product.h"
#include "dfu/device_info.h"

#include <QState>
#include <QStateMachine>
#include <QString>

class SM_A;

class SM_B : public QStateMachine {
    Q_OBJECT

public:
    SM_B(SM_A* worker, Device::Type desired_ID, QString desired_revision);
    ~SM_B() override;

    void add_connections();
    void enable_debug_output();

    static Device::Type desired_ID;
    static QString desired_revision;

    QState* B1;
    QState* B2;
    QState* B3;
    QState* B4;
    QState* B6;
    QState* B7;
    QState* B8;
    QState* B9;

    // The machine's copy of the connected unit's information, taken when B1 is left.
    DFU::DeviceInfo device_info;

public slots:
    void do_download();

signals:
    void sig_UpgradeImpossible();
    void sig_UpgradePossible();
    void sig_DifferingRevision();
    void sig_DoDownload();
    void sig_UploadingVerifying();
    void sig_FwMatches();
    void sig_FwDiffers();
    void sig_DeviceConnected();
    void sig_InvalidProduct();

private:
    QState* make_state(const char* name);

    SM_A* worker;
};

// The guards of the transitions out of B1, tried in this order.
bool device_has_valid_type();
bool device_has_empty_OTP();
bool device_has_invalid_type();
bool device_has_other_revision();
bool device_has_desired_revision();
