#include "dfu/dfu_util.h"

#include "dfu/run_command.h"
#include "files/files.h"
#include "files/support_misc.h"

#include <QDebug>

namespace DFU::dfu_util {

const QString expected_output_of_execution_test = QStringLiteral(
    "dfu-util 0.9\n"
    "\n"
    "Copyright 2005-2009 Weston Schmidt, Harald Welte and OpenMoko Inc.\n"
    "Copyright 2010-2016 Tormod Volden and Stefan Schmidt\n"
    "This program is Free Software and has ABSOLUTELY NO WARRANTY\n"
    "Please report bugs to http://sourceforge.net/p/dfu-util/tickets/\n"
    "\n");

QString basename()
{
    return Files::dfu_util_executable_fileName;
}

QString full_path()
{
    return QStringLiteral("%1/%2").arg(Files::external_dir.path(), Files::dfu_util_executable_fileName);
}

bool execution_test()
{
    const CommandResult result = run_command(CmdID::version, {});
    QString output = result.output;
    if (support_misc::compiled_for_platform(support_misc::Platform::windows))
        output = support_misc::remove_carriage_returns(output, QChar(13));
    const bool as_expected = output == expected_output_of_execution_test;

    QDebug line = qInfo();
    line << "Result of execution test: status was" << (result.exit_code == 0 ? "ok" : "bad")
         << "and output:";
    if (as_expected)
        line << "as expected";
    else
        line << output;
    return result.exit_code == 0 && as_expected;
}

}  // namespace DFU::dfu_util
