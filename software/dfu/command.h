#pragma once
// The table of dfu-util invocations. Every operation on a unit is one run of dfu-util;
// the caller appends what varies (a file path, a length) to a fixed template.

#include <QMap>
#include <QString>
#include <QStringList>

class QDebug;

namespace DFU {

enum class CmdID : int {
    version = 0,
    list = 1,
    upload_OTP = 2,
    upload_FW_info = 3,
    upload_FW = 4,
    download_FW = 5,
    setup_prepared_config = 6,
};

struct Command {
    QString program = QStringLiteral("dfu-util");
    QStringList arguments;

    // When not empty, the directory that holds every program of the table.
    static QString path;

    // program(arg,arg,...) for diagnostics.
    operator QString() const;
};

QDebug operator<<(QDebug debug, const Command& command);

// Filled before main; a lookup of a missing id inserts a plain "dfu-util".
extern QMap<CmdID, Command> commands;

struct CommandResult {
    // 0: normal exit with 0; -1: crashed, killed, cancelled or never started;
    // otherwise the non-zero exit code.
    int exit_code = 0;
    // Standard output as UTF-8, cut at the first NUL byte.
    QString output;
};

}  // namespace DFU
