#pragma once
// Simulator mode: every dfu-util invocation of the command table goes to a script from
// the source tree that imitates the unit's bootloader.

#include <QString>

namespace simulator {

extern bool use;

enum Setup : int { normal = 0, fast_progress = 1 };

// Points every entry of DFU::commands at the simulator script, with its scenario word.
void setup_for_simulated_dfu_util(Setup setup);

// The simulator directory, "/", and `name`.
QString dfu_util_path(QString name);

// Asks the script for a prepared configuration; the run's exit code.
int sim_setup_prepared_config(QString config);

}  // namespace simulator
