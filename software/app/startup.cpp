#include "app/startup.h"

#include "app/message_handler.h"
#include "app/program_objects.h"
#include "app/wiring.h"
#include "control/machines.h"
#include "control/sm_a.h"
#include "control/sm_b.h"
#include "dfu/command.h"
#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "files/files.h"
#include "files/support_misc.h"
#include "gui/fonts.h"
#include "gui/main_window_factory.h"
#include "simulation/simulator.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDebug>
#include <QThread>

namespace {

// Start-up's intervals: a scan every half second while no unit is there, a poll every
// second while one is served.
constexpr int scan_interval_ms = 500;
constexpr int poll_interval_ms = 1000;

const char* yes_no(bool value)
{
    return value ? "true" : "false";
}

void choose_dfu_util()
{
    if (simulator::use)
        simulator::setup_for_simulated_dfu_util(simulator::normal);
    else
        DFU::Command::path = Files::external_dir.path();
}

void log_build()
{
    qInfo() << "Compiled for platform (OS):" << support_misc::compiled_for_platform() << "with 'DEBUG'"
            << (support_misc::compiled_w_DEBUG ? "defined" : "not defined");
}

void prepare_dfu_util()
{
    // None of the results stops start-up: a missing or broken dfu-util shows up in the
    // execution test, and then no scan ever finds a unit.
    Files::extract_resources({Files::desired_FW_dfu, Files::desired_FW_bin,
                              Files::dfu_util_executable, Files::libusb_library},
                             true);
    support_misc::mark_file_executable(DFU::dfu_util::full_path());
    DFU::dfu_util::execution_test();
}

}  // namespace

void parse_arguments(QCoreApplication* app)
{
    QCommandLineParser parser;
    const QCommandLineOption use_simulator({"s", "use-simulator"},
                                           "Use simulated device interaction.");
    const QCommandLineOption no_use_simulator({"S", "no-use-simulator"},
                                              "Disable use of simulated device interaction.");
    const QCommandLineOption log_window({"l", "use-log-window"},
                                        "Enable use of log window (open it with Ctrl-l)");
    parser.addOption(use_simulator);
    parser.addOption(no_use_simulator);
    parser.addOption(log_window);
    parser.process(*app);

    qDebug().nospace() << "Initial value of 'simulator::use'=" << yes_no(simulator::use)
                       << ", isSet('-s')=" << yes_no(parser.isSet(use_simulator))
                       << ", isSet('-S')=" << yes_no(parser.isSet(no_use_simulator));
    if (parser.isSet(use_simulator))
        simulator::use = true;
    if (parser.isSet(no_use_simulator))
        simulator::use = false;
    if (parser.isSet(log_window))
        use_log_window = true;
}

void GUI_init()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    parse_arguments(app);
    support::setup_fonts();
    logWindow = new LogWindow();
    if (use_log_window)
        qInstallMessageHandler(logWindowMessageHandler);

    qInfo() << (simulator::use ? "Will use simulator (i.e. option 'use_simulator)."
                               : "Will use real device (i.e. no option 'use_simulator'.)");
    choose_dfu_util();
    log_build();
    prepare_dfu_util();

    const Device::FW_Info& desired = DFU::desired_FW_Info();
    qInfo() << "Desired (embedded)" << desired;
    settings.gui = Settings::make_GUI(QStringLiteral(":resources/settings_GUI.json"));
    settings.desired_FW_name = desired.name;
    settings.desired_FW_type = desired.info.type;
    settings.desired_FW_revision = desired.rev;

    mainWindow = MainWindow_factory(&settings, nullptr, simulator::use);
    mainWindow->setWindowTitle(QStringLiteral("Strobix Firmware Upgrade Tool"));

    sm_A = new SM_A(Files::path_in_external_dir(Files::desired_FW_fileName_dfu), Files::path_in_external_dir(Files::desired_FW_fileName_bin),
                    Files::path_in_external_dir(Files::uploaded_FW_fileName_bin), nullptr);
    sm_A->scan_interval_ms = scan_interval_ms;
    sm_A->poll_interval_ms = poll_interval_ms;
    sm_A->enable_debug_output();

    sm_B = new SM_B(sm_A, settings.desired_FW_type, settings.desired_FW_revision);
    sm_B->enable_debug_output();

    add_connections(app);
    // The worker's first reports must find the machine in B1 already.
    QObject::connect(sm_B, &QStateMachine::started, [] {
        qInfo() << "Starting sm_A";
        sm_A->start(QThread::InheritPriority);
    });
    sm_B->start();
    mainWindow->show();
}

int GUI_cleanup(int exec_result)
{
    qInfo() << "app.exec() returns:" << exec_result;
    if (sm_B)
        sm_B->stop();
    if (sm_A)
        sm_A->do_stop();
    qInfo() << "Waiting 2 s before deleting objects";
    QThread::sleep(2);
    delete sm_A;
    sm_A = nullptr;
    delete sm_B;
    sm_B = nullptr;
    return exec_result;
}
