#include "dfu/command.h"

#include "files/unquoted.h"

#include <QDebug>

namespace DFU {

QString Command::path;

Command::operator QString() const
{
    return program + QLatin1Char('(') + arguments.join(QLatin1Char(',')) + QLatin1Char(')');
}

QDebug operator<<(QDebug debug, const Command& command)
{
    return support_misc::write_unquoted(debug, QString(command));
}

namespace {
Command dfu_util(QStringList arguments)
{
    Command command;
    command.arguments = std::move(arguments);
    return command;
}
}  // namespace

QMap<CmdID, Command> commands = {
    {CmdID::version, dfu_util({"-V"})},
    {CmdID::list, dfu_util({"-d", "0483", "-l"})},
    {CmdID::upload_OTP, dfu_util({"-d", "0483", "-a", "2", "-s", "0x1FFF7800:512", "-U"})},
    {CmdID::upload_FW_info, dfu_util({"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U"})},
    {CmdID::upload_FW, dfu_util({"-d", "0483", "-a", "0"})},
    {CmdID::download_FW, dfu_util({"-d", "0483", "-a", "0", "-s", "0x08000000:leave", "-D"})},
    {CmdID::setup_prepared_config, dfu_util({})},
};

}  // namespace DFU
