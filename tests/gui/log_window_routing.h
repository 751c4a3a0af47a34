#pragma once
// Sends every message of the Qt message log to one log window, as start-up's message
// handler does when the tool runs with its log window.

#include "gui/log_window.h"

#include <QPointer>
#include <QtGlobal>

class LogWindowRouting {
public:
    explicit LogWindowRouting(LogWindow* window)
    {
        target() = window;
        previous_ = qInstallMessageHandler(&LogWindowRouting::handler);
    }
    ~LogWindowRouting()
    {
        qInstallMessageHandler(previous_);
        target() = nullptr;
    }
    LogWindowRouting(const LogWindowRouting&) = delete;
    LogWindowRouting& operator=(const LogWindowRouting&) = delete;

private:
    static QPointer<LogWindow>& target()
    {
        static QPointer<LogWindow> window;
        return window;
    }
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (LogWindow* window = target())
            emit window->sendMessage(type, context, message);
    }

    QtMessageHandler previous_ = nullptr;
};
