#include "gui/log_window.h"

#include "gui/error_stream_line.h"
#include "gui/log_window_dialog.h"

#include <QMainWindow>
#include <QThread>
#include <cstdlib>

LogWindow::LogWindow(QObject* parent) : QObject(parent), dialog(new LogWindowDialog)
{
    qRegisterMetaType<LogMessage>();
    // Runs in the logging thread, inside the logging call, while the context is valid.
    connect(this, &LogWindow::sendMessage, this, &LogWindow::copyMessage, Qt::DirectConnection);
    // Messages from the GUI thread are shown at once; those from other threads are queued
    // to it and shown in the order they were written.
    connect(this, &LogWindow::messageCopied, dialog, [target = dialog](const LogMessage& message) {
        target->outputMessage(message.type, message.context(), message.text);
    });
}

LogWindow::~LogWindow()
{
    delete dialog;
}

void LogWindow::outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    emit sendMessage(type, context, msg);
}

void LogWindow::toggle_visibility(QMainWindow* mainWindow)
{
    if (dialog->isVisible()) {
        dialog->hide();
        return;
    }
    if (mainWindow) {
        // Beside the main window, sharing its right-most pixel column and its top edge.
        const QRect beside = mainWindow->frameGeometry();
        dialog->move(beside.right(), beside.top());
    }
    dialog->show();
}

void LogWindow::copyMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    if (type == QtFatalMsg && QThread::currentThread() != dialog->thread()) {
        // The process ends as soon as this logging call returns, long before the GUI thread
        // could take the message from its queue: echo it here, where it is still seen.
        log_output::write_error_stream_line(type, context, msg);
        std::abort();
    }
    emit messageCopied(LogMessage(type, context, msg));
}
