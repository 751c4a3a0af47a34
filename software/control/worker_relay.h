#pragma once

#include <QObject>

class SM_A;

// Carries the worker's reports into the upgrade machine's thread. A state machine
// listens only to the signals of the states it is in: a report emitted by the worker
// thread while the machine has not yet caught up would be lost. The relay's connections
// to the worker stay for its whole life, so every report is queued in emission order and
// handed to the machine in the state it is in when the report is taken.
class WorkerRelay : public QObject {
    Q_OBJECT

public:
    WorkerRelay(SM_A* worker, QObject* parent);

signals:
    void sig_NoDevConn();
    void sig_DevConn();
    void sig_FwUploadedDiffers();
    void sig_FwUploadedMatches();
};
