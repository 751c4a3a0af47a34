#include "dfu/firmware_transfer.h"

#include "dfu/run_command.h"
#include "files/support_misc.h"

#include <QFile>
#include <limits>

namespace DFU {

int download_FW_to_device(QString file)
{
    return run_command(CmdID::download_FW, {file}).exit_code;
}

int upload_FW_from_device(QString file, int length)
{
    // An earlier read-back must never be compared again.
    support_misc::ensure_file_is_deleted(file);
    const QString region = QStringLiteral("0x08000000:%1").arg(length);
    return run_command(CmdID::upload_FW, {QStringLiteral("-s"), region, QStringLiteral("-U"), file}).exit_code;
}

int size_of_binary_file(QString file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(qMin<qint64>(f.size(), std::numeric_limits<int>::max()));
}

bool compare_FW_bin_files(QString a, QString b)
{
    const int size = size_of_binary_file(a);
    if (size <= 0 || size_of_binary_file(b) != size)
        return false;
    QFile file_a(a);
    QFile file_b(b);
    if (!file_a.open(QIODevice::ReadOnly) || !file_b.open(QIODevice::ReadOnly))
        return false;
    return file_a.readAll() == file_b.readAll();
}

bool upload_and_compare_FW_bin(QString reference, QString target)
{
    const int size = size_of_binary_file(reference);
    if (size <= 0)
        return false;
    if (upload_FW_from_device(target, size) != 0)
        return false;
    return compare_FW_bin_files(reference, target);
}

}  // namespace DFU
