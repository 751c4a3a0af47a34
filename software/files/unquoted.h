#pragma once

#include <QDebug>
#include <QString>

namespace support_misc {

// Records log through their text form: written without quotes, and the stream's quoting
// is as it was for whatever follows.
inline QDebug write_unquoted(QDebug debug, const QString& text)
{
    QDebugStateSaver saver(debug);
    debug.noquote() << text;
    return debug;
}

}  // namespace support_misc
