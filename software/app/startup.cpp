#include "app/startup.h"

#include "app/program_objects.h"
#include "dfu/command.h"
#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "files/files.h"
#include "files/support_misc.h"
#include "simulation/simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDebug>
#include <QThread>
#include <QTimer>

namespace {

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
    QCoreApplication* app = QCoreApplication::instance();
    parse_arguments(app);

    qInfo() << (simulator::use ? "Will use simulator (i.e. option 'use_simulator)."
                               : "Will use real device (i.e. no option 'use_simulator'.)");
    choose_dfu_util();
    log_build();
    prepare_dfu_util();
    qInfo() << "Desired (embedded)" << DFU::desired_FW_Info();

    // Nothing is shown yet, so the event loop has nothing to wait for.
    QTimer::singleShot(0, app, &QCoreApplication::quit);
}

int GUI_cleanup(int exec_result)
{
    qInfo() << "app.exec() returns:" << exec_result;
    qInfo() << "Waiting 2 s before deleting objects";
    QThread::sleep(2);
    return exec_result;
}
