#include "control/sm_b.h"

#include "control/guarded_transition.h"
#include "control/machines.h"
#include "control/sm_a.h"
#include "control/worker_relay.h"
#include "files/build_constants.h"

#include <QDebug>
#include <cstdio>

Device::Type SM_B::desired_ID = Device::invalid;
QString SM_B::desired_revision;

namespace {

const DFU::DeviceInfo& worker_info()
{
    return sm_A->connected_device_info();
}

}  // namespace

bool device_has_valid_type()
{
    const DFU::DeviceInfo& info = worker_info();
    std::printf("device_has_valid_type(%i): valid %i, device_type: %i\n", int(SM_B::desired_ID), int(info.valid),
                int(info.type));
    std::fflush(stdout);
    return info.valid && info.type == SM_B::desired_ID;
}

bool device_has_empty_OTP()
{
    return worker_info().OTP_info.blank;
}

bool device_has_invalid_type()
{
    return worker_info().valid && !device_has_valid_type();
}

bool device_has_other_revision()
{
    return device_has_valid_type() && worker_info().FW_revision != SM_B::desired_revision;
}

bool device_has_desired_revision()
{
    return device_has_valid_type() && worker_info().FW_revision == SM_B::desired_revision;
}

SM_B::SM_B(SM_A* worker, Device::Type desired_ID, QString desired_revision)
    : QStateMachine(nullptr), worker(worker)
{
    SM_B::desired_ID = desired_ID;
    SM_B::desired_revision = std::move(desired_revision);

    B1 = make_state("B1: No (DFU-SE) dev. conn.");
    B2 = make_state("B2: Conn. to (DFU-SE) dev. with diff. FW rev.");
    B3 = make_state("B3: Upgrading FW");
    B4 = make_state("B4: Uploading and verifying FW");
    B6 = make_state("B6: FW in dev. matches");
    B7 = make_state("B7: FW in dev. differs");
    B8 = make_state("B8: Invalid (DFU-SE) dev. conn.");
    B9 = make_state("B9: Conn. to (DFU-SE) dev. with Empty OTP.");
    setInitialState(B1);

    // The worker's reports reach the transitions through the relay, in emission order.
    const WorkerRelay* reports = new WorkerRelay(worker, this);

    const struct {
        GuardedTransition::Guard guard;
        QState* to;
    } unit_read[] = {
        {device_has_empty_OTP, B9},
        {device_has_invalid_type, B8},
        {device_has_other_revision, B2},
        {device_has_desired_revision, B4},
    };
    for (const auto& row : unit_read) {
        auto* transition = new GuardedTransition(reports, SIGNAL(sig_DevConn()), row.guard);
        transition->setTargetState(row.to);
        B1->addTransition(transition);
    }
    B2->addTransition(this, SIGNAL(sig_DoDownload()), B3);
    B2->addTransition(reports, SIGNAL(sig_NoDevConn()), B1);
    B3->addTransition(reports, SIGNAL(sig_NoDevConn()), B1);
    B4->addTransition(reports, SIGNAL(sig_FwUploadedMatches()), B6);
    B4->addTransition(reports, SIGNAL(sig_FwUploadedDiffers()), B7);
    B6->addTransition(reports, SIGNAL(sig_NoDevConn()), B1);
    B7->addTransition(this, SIGNAL(sig_DoDownload()), B3);
    B7->addTransition(reports, SIGNAL(sig_NoDevConn()), B1);
    B8->addTransition(reports, SIGNAL(sig_NoDevConn()), B1);
    B9->addTransition(this, SIGNAL(sig_DoDownload()), B3);
    B9->addTransition(reports, SIGNAL(sig_NoDevConn()), B1);

    add_connections();
}

SM_B::~SM_B() = default;

QState* SM_B::make_state(const char* name)
{
    auto* state = new QState();
    state->setObjectName(QString::fromLatin1(name));
    addState(state);
    return state;
}

void SM_B::add_connections()
{
    connect(B1, &QState::entered, this, [this] {
        emit sig_UpgradeImpossible();
        device_info = DFU::DeviceInfo();
    });
    connect(B1, &QState::exited, this, [this] {
        device_info = sm_A->connected_device_info();
        qInfo().noquote() << QStringLiteral("Device connected with:\n") + QString(device_info);
        emit sig_DeviceConnected();
    });
    connect(B2, &QState::entered, this, [this] {
        emit sig_UpgradePossible();
        emit sig_DifferingRevision();
    });
    connect(B3, &QState::entered, this, [] { sm_A->set_command(SM_A::download); });
    connect(B4, &QState::entered, this, [this] {
        emit sig_UploadingVerifying();
        sm_A->set_command(SM_A::upload_and_compare);
    });
    connect(B6, &QState::entered, this, [this] { emit sig_FwMatches(); });
    connect(B7, &QState::entered, this, [this] {
        emit sig_UpgradePossible();
        emit sig_FwDiffers();
    });
    connect(B8, &QState::entered, this, [this] { emit sig_InvalidProduct(); });
    connect(B9, &QState::entered, this, [this] {
        if (have_service_build())
            emit sig_UpgradePossible();
        else
            emit sig_UpgradeImpossible();
        emit sig_DifferingRevision();
    });
}

void SM_B::do_download()
{
    emit sig_DoDownload();
}

void SM_B::enable_debug_output()
{
    qInfo() << "SM_B: Add connections to show emitted signals";
    const auto show = [this](void (SM_B::*signal)(), const char* name) {
        connect(this, signal, this, [name] { qDebug().noquote() << QStringLiteral("SM_B: /sig_%1").arg(QLatin1String(name)); });
    };
    show(&SM_B::sig_UpgradeImpossible, "UpgradeImpossible");
    show(&SM_B::sig_UpgradePossible, "UpgradePossible");
    show(&SM_B::sig_DifferingRevision, "DifferingRevision");
    show(&SM_B::sig_DoDownload, "DoDownload");
    show(&SM_B::sig_UploadingVerifying, "UploadingVerifying");
    show(&SM_B::sig_FwMatches, "FwMatches");
    show(&SM_B::sig_FwDiffers, "FwDiffers");
    show(&SM_B::sig_DeviceConnected, "DeviceConnected");
    show(&SM_B::sig_InvalidProduct, "InvalidProduct");
    for (QState* state : {B1, B2, B3, B4, B6, B7, B8}) {
        connect(state, &QState::entered, this, [state] {
            qDebug().noquote() << QStringLiteral("SM_B: entered %1").arg(state->objectName());
        });
    }
}
