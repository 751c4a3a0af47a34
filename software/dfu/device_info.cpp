#include "dfu/device_info.h"

#include "dfu/run_command.h"
#include "files/build_constants.h"
#include "files/files.h"
#include "files/support_misc.h"
#include "files/unquoted.h"

#include <QDebug>

namespace DFU {

DeviceInfo::operator QString() const
{
    if (!valid)
        return QStringLiteral("DeviceInfo:\nInvalid");
    return QStringLiteral("DeviceInfo:\n\tDevice type:\t%1\n\tFW_revision:\t%2\n").arg(int(type)).arg(FW_revision);
}

QDebug operator<<(QDebug debug, const DeviceInfo& info)
{
    return support_misc::write_unquoted(debug, info);
}

CommandResult read_device_info(DeviceItem const* item, DeviceInfo* info)
{
    const QString otp_path = Files::path_in_external_dir(Files::uploaded_OTP_fileName_bin);
    support_misc::ensure_file_is_deleted(otp_path);
    CommandResult result = run_command(CmdID::upload_OTP, {otp_path});
    if (result.exit_code != 0)
        return result;

    info->OTP_info = Device::make_OTP_Info(otp_path);
    if (info->OTP_info.blank)
        qInfo().noquote() << result.output + QStringLiteral("OTP is blank.\n");
    info->type = info->OTP_info.info.type;
    info->valid = true;
    qInfo() << QString(info->OTP_info);

    info->FW_info = read_FW_Info(item);
    // The firmware belongs to the unit when both name the same product.
    const bool accepted = info->FW_info.info == info->OTP_info.info
                          || (info->OTP_info.blank && have_service_build());
    if (accepted) {
        info->FW_revision = info->FW_info.rev;
        qInfo() << *info;
        qInfo() << info->FW_info;
    } else {
        result.output += QStringLiteral("FW assumed invalid because of product type mismatch.")
                         + QStringLiteral("\nOTP contains") + QString(info->OTP_info.info)
                         + QStringLiteral("\nwhereas FW contains\n") + QString(info->FW_info);
        qInfo().noquote() << result.output;
        info->FW_info.valid = false;
    }
    return result;
}

Device::FW_Info read_FW_Info(DeviceItem const*)
{
    const QString path = Files::path_in_external_dir(Files::uploaded_FW_info_fileName_bin);
    support_misc::ensure_file_is_deleted(path);
    if (run_command(CmdID::upload_FW_info, {path}).exit_code != 0)
        return Device::FW_Info();
    return Device::make_FW_Info(path);
}

Device::FW_Info read_FW_Info_from_desired_FW()
{
    const QString path = Files::path_in_external_dir(Files::desired_FW_fileName_bin);
    qDebug() << "Reading desired FW_Info from" << path;
    return Device::make_FW_Info(path);
}

Device::FW_Info const& desired_FW_Info()
{
    static Device::FW_Info desired;
    static bool loaded = false;
    // Set before the read: an image that cannot be decoded is not read again.
    if (!loaded) {
        loaded = true;
        desired = read_FW_Info_from_desired_FW();
    }
    return desired;
}

}  // namespace DFU
