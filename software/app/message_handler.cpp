#include "app/message_handler.h"

#include "app/program_objects.h"

void logWindowMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (LogWindow* sink = logWindow.data())
        emit sink->sendMessage(type, context, message);
}
