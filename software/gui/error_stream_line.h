#pragma once
// The line that the log window echoes to the standard error stream for each message.

#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

namespace log_output {

// Writes "<Type>: <message> (<file>:<line>, <function>)\n", the message in the local
// 8-bit encoding; an absent file or function name reads "unknown".
void write_error_stream_line(QtMsgType type, const QMessageLogContext& context, const QString& message);

}  // namespace log_output
