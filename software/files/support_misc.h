#pragma once
// Small file and platform helpers used across the tool.

#include <QChar>
#include <QString>

class QDebug;

namespace support_misc {

enum class Platform : int { Linux = 0, macOS = 1, windows = 2, unknown = 3 };

// The build carries no debug-only behaviour; start-up reports it.
constexpr bool compiled_w_DEBUG = false;

Platform compiled_for_platform();
bool compiled_for_platform(Platform p);
QDebug operator<<(QDebug debug, Platform p);

// Leaves `path` alone unless it names an existing regular file, which is removed.
void ensure_file_is_deleted(QString path);
// Adds execute permission for user, group and others to an existing file.
bool mark_file_executable(QString path);

// The one place where a file on disk could stand in for an embedded resource; there is
// no such substitution, so the path comes back unchanged.
QString maybe_use_file_instead_of_resource(QString path);

// The text before the first zero byte; throws QString "Couldn't open file: <path>".
QString load_text_file(QString path);

QString remove_carriage_returns(QString text, QChar c);

}  // namespace support_misc
