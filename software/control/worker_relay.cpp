#include "control/worker_relay.h"

#include "control/sm_a.h"

WorkerRelay::WorkerRelay(SM_A* worker, QObject* parent) : QObject(parent)
{
    connect(worker, &SM_A::sig_NoDevConn, this, &WorkerRelay::sig_NoDevConn);
    connect(worker, &SM_A::sig_DevConn, this, &WorkerRelay::sig_DevConn);
    connect(worker, &SM_A::sig_FwUploadedDiffers, this, &WorkerRelay::sig_FwUploadedDiffers);
    connect(worker, &SM_A::sig_FwUploadedMatches, this, &WorkerRelay::sig_FwUploadedMatches);
}
