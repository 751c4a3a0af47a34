#include "simulation/simulator.h"

#include "dfu/run_command.h"

#include <QDebug>
#include <utility>

namespace simulator {

bool use = false;

namespace {

const QString& simulator_directory()
{
    static const QString directory = QStringLiteral(STROBIX_SIMULATOR_DIR);
    return directory;
}

// The order in which the table is rewritten, with the word that tells the script which
// dfu-util operation a run stands for. Both flash read-outs are "upload_FW": the script
// tells them apart by their region.
const std::pair<DFU::CmdID, const char*> scenario_words[] = {
    {DFU::CmdID::list, "list"},
    {DFU::CmdID::version, "version"},
    {DFU::CmdID::upload_OTP, "upload_OTP"},
    {DFU::CmdID::upload_FW_info, "upload_FW"},
    {DFU::CmdID::upload_FW, "upload_FW"},
    {DFU::CmdID::download_FW, "download_FW"},
    {DFU::CmdID::setup_prepared_config, "setup_prepared_config"},
};

}  // namespace

void setup_for_simulated_dfu_util(Setup setup)
{
    for (const auto& [id, word] : scenario_words) {
        DFU::Command& command = DFU::commands[id];
        command.program = dfu_util_path(QStringLiteral("dfu-util_simulator.sh"));
        QStringList arguments{QStringLiteral("--dfu-util-command"), QString::fromLatin1(word)};
        if (setup & fast_progress)
            arguments << QStringLiteral("--fast-progress");
        command.arguments = arguments + command.arguments;
    }
}

QString dfu_util_path(QString name)
{
    return simulator_directory() + QLatin1Char('/') + name;
}

int sim_setup_prepared_config(QString config)
{
    const int code = DFU::run_command(DFU::CmdID::setup_prepared_config, {config}).exit_code;
    if (code != 0)
        qInfo() << "Failed to setup simulation config" << config << "with code" << code;
    return code;
}

}  // namespace simulator
