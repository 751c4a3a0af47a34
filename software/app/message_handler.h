#pragma once

#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

// Hands every message, from whichever thread logs it, to the log window; drops it once
// the log window is gone.
void logWindowMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);
