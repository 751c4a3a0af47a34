#include "gui/error_stream_line.h"

#include <QByteArray>
#include <cstdio>

namespace {

const char* type_name(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return "Debug";
    case QtInfoMsg:
        return "Info";
    case QtWarningMsg:
        return "Warning";
    case QtCriticalMsg:
        return "Critical";
    case QtFatalMsg:
        return "Fatal";
    }
    return "Unknown";
}

// The tool's own messages carry no source location at all.
QByteArray name_or_placeholder(const char* name)
{
    return name && *name ? QByteArray(name) : QByteArrayLiteral("unknown");
}

QByteArray error_stream_line(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    return QByteArray(type_name(type)) + ": " + message.toLocal8Bit() + " ("
           + name_or_placeholder(context.file) + ':' + QByteArray::number(context.line) + ", "
           + name_or_placeholder(context.function) + ")\n";
}

}  // namespace

namespace log_output {

void write_error_stream_line(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QByteArray line = error_stream_line(type, context, message);
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

}  // namespace log_output
