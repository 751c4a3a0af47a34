#pragma once
// One message of the Qt message log that owns its text and source location.
//
// A QMessageLogContext can be neither copied nor kept beyond the logging call, so a
// message that waits in the GUI thread's event queue travels as this record instead.

#include <QByteArray>
#include <QMessageLogContext>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

struct LogMessage {
    LogMessage() = default;
    LogMessage(QtMsgType type, const QMessageLogContext& context, const QString& text);

    // A context that points into this record, valid as long as the record is.
    QMessageLogContext context() const;

    QtMsgType type = QtDebugMsg;
    int line = 0;
    QByteArray file;
    QByteArray function;
    QByteArray category;
    QString text;
};

Q_DECLARE_METATYPE(LogMessage)
