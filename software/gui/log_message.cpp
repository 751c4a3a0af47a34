#include "gui/log_message.h"

namespace {

// Keeps an absent name absent, so that a copied context reads like the original.
const char* data_or_null(const QByteArray& bytes)
{
    return bytes.isNull() ? nullptr : bytes.constData();
}

}  // namespace

LogMessage::LogMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
    : type(type),
      line(context.line),
      file(context.file),
      function(context.function),
      category(context.category),
      text(text)
{
}

QMessageLogContext LogMessage::context() const
{
    return QMessageLogContext(data_or_null(file), line, data_or_null(function), data_or_null(category));
}
