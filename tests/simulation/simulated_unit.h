#pragma once
// A simulated unit of a test's own: a fresh state directory for the simulator script,
// named in the environment that every dfu-util run of the test inherits, so that test
// programs can run side by side.

#include "dfu/scan.h"
#include "simulation/simulator.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

class SimulatedUnit {
public:
    SimulatedUnit() { qputenv("DFU_UTIL_SIMULATOR_STATE", state_dir().toLocal8Bit()); }
    ~SimulatedUnit() { qunsetenv("DFU_UTIL_SIMULATOR_STATE"); }
    SimulatedUnit(const SimulatedUnit&) = delete;
    SimulatedUnit& operator=(const SimulatedUnit&) = delete;

    QString state_dir() const { return dir_.path(); }

    // Sets up the prepared configurations in order, through the tool's own call.
    static bool prepare(const QStringList& configs)
    {
        for (const QString& config : configs)
            if (simulator::sim_setup_prepared_config(config) != 0)
                return false;
        return true;
    }

private:
    QTemporaryDir dir_;
};

struct ScriptRun {
    int exit_code = -1;
    QString out;
    QString err;
};

// Runs the script directly, to see its standard error as well; with fast progress
// unless `options` say otherwise.
inline ScriptRun run_script(const QString& word, const QStringList& arguments,
                            const QStringList& options = {"--fast-progress"})
{
    QProcess process;
    process.start(simulator::dfu_util_path("dfu-util_simulator.sh"),
                  QStringList{"--dfu-util-command", word} + options + arguments);
    ScriptRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exit_code = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Scans as the device worker does until exactly one unit is listed; false when none
// was within `limit_ms`.
inline bool unit_listed_within(int limit_ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    do {
        if (DFU::make_scan().status == 0)
            return true;
        QThread::msleep(50);
    } while (elapsed.elapsed() < limit_ms);
    return false;
}
