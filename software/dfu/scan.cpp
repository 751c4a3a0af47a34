#include "dfu/scan.h"

#include "dfu/dfu_util_parser.h"
#include "dfu/run_command.h"

namespace DFU {

ScanResult scan_for_devices(QString output)
{
    const DfuUtilParser parser(output);
    ScanResult result;
    for (const QString& serial : parser.serials)
        result.devices.push_back(DeviceItem{serial});
    result.status = parser.status == DfuUtilParser::one_dfu_device ? 0 : 1;
    return result;
}

ScanResult make_scan()
{
    const CommandResult run = run_command(CmdID::list, {});
    if (run.exit_code != 0)
        return ScanResult();
    return scan_for_devices(run.output);
}

}  // namespace DFU
