#pragma once

#include <QSignalTransition>

// A signal transition that is taken only when its guard holds as well. The guard is
// asked only for the transition's own signal.
class GuardedTransition : public QSignalTransition {
public:
    using Guard = bool (*)();

    GuardedTransition(const QObject* sender, const char* signal, Guard guard);
    ~GuardedTransition() override;

protected:
    bool eventTest(QEvent* e) override;

private:
    Guard guard;
};
