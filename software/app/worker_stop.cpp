#include "app/worker_stop.h"

#include "control/machines.h"
#include "control/sm_a.h"

#include <QDebug>

namespace {
constexpr unsigned long grace_ms = 1000;
}

void stop_worker()
{
    qInfo() << "Trying to stop sm_A";
    if (sm_A == nullptr)
        return;
    sm_A->do_stop();
    if (!sm_A->wait(grace_ms)) {
        qWarning() << "Oops, SM_A not dead yet";
        sm_A->terminate();
        sm_A->wait();
    }
}
