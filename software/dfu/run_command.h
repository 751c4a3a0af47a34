#pragma once

#include "dfu/command.h"

namespace DFU {

// Runs the command `id` with `extra` appended to its template and blocks until the
// process has ended. A run on a thread whose CancelScope token gets cancelled is ended
// (terminated, then killed) and reported with exit code -1.
CommandResult run_command(CmdID id, QStringList const& extra);

}  // namespace DFU
