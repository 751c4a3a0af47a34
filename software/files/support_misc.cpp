#include "files/support_misc.h"

#include "files/unquoted.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

namespace support_misc {

namespace {

QString platform_text(Platform p)
{
    switch (p) {
    case Platform::Linux: return QStringLiteral("Linux");
    case Platform::macOS: return QStringLiteral("macOS");
    case Platform::windows: return QStringLiteral("windows");
    case Platform::unknown: return QStringLiteral("unknown");
    }
    return QString();
}

}  // namespace

Platform compiled_for_platform()
{
#if defined(STROBIX_PLATFORM_Linux)
    return Platform::Linux;
#elif defined(STROBIX_PLATFORM_macOS)
    return Platform::macOS;
#elif defined(STROBIX_PLATFORM_windows)
    return Platform::windows;
#else
    return Platform::unknown;
#endif
}

bool compiled_for_platform(Platform p)
{
    return p == compiled_for_platform();
}

QDebug operator<<(QDebug debug, Platform p)
{
    return support_misc::write_unquoted(debug, platform_text(p));
}

void ensure_file_is_deleted(QString path)
{
    const QFileInfo info(path);
    if (info.exists() && info.isFile())
        QFile::remove(path);
}

bool mark_file_executable(QString path)
{
    QFile file(path);
    if (!file.exists()) {
        qWarning() << "Failed to mark file (doesn't exist) as executable:" << path;
        return false;
    }
    qDebug() << "Changing file permissions to make it executable:" << path;
    // Qt's "User" flags say what the running user may do, not what the file allows; taken
    // over as they are they would make the file writable whenever root runs the tool.
    const QFileDevice::Permissions user_view = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    return file.setPermissions((file.permissions() & ~user_view) | QFileDevice::ExeUser | QFileDevice::ExeGroup
                               | QFileDevice::ExeOther);
}

QString maybe_use_file_instead_of_resource(QString path)
{
    return path;
}

QString load_text_file(QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QStringLiteral("Couldn't open file: %1").arg(path);
    const QByteArray bytes = file.readAll();
    const int nul = bytes.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? bytes : bytes.left(nul));
}

QString remove_carriage_returns(QString text, QChar c)
{
    return text.remove(c);
}

}  // namespace support_misc
