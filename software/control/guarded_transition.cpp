#include "control/guarded_transition.h"

GuardedTransition::GuardedTransition(const QObject* sender, const char* signal, Guard guard)
    : QSignalTransition(sender, signal), guard(guard)
{
}

GuardedTransition::~GuardedTransition() = default;

bool GuardedTransition::eventTest(QEvent* e)
{
    return QSignalTransition::eventTest(e) && guard();
}
