#pragma once
// The log sink that the message handler talks to, from whichever thread logs.

#include "gui/log_message.h"

#include <QMessageLogContext>
#include <QObject>
#include <QString>
#include <QtGlobal>

class LogWindowDialog;
class QMainWindow;

class LogWindow : public QObject {
    Q_OBJECT

public:
    // The dialog has no parent: it is a window of its own, and it starts hidden.
    explicit LogWindow(QObject* parent = nullptr);
    ~LogWindow() override;

    // Owned, and deleted with this object.
    LogWindowDialog* const dialog;

signals:
    void sendMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);
    // sendMessage as a copy that owns everything it carries, so that it can be queued.
    void messageCopied(const LogMessage& message);

public slots:
    void outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);
    // Hides a visible dialog; shows a hidden one beside `mainWindow` (where it was, if null).
    void toggle_visibility(QMainWindow* mainWindow);

private:
    void copyMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);
};
