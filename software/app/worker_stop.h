#pragma once

// Asks the worker to stop, gives it a second, then ends its thread by force.
void stop_worker();
