#include "app/program_objects.h"

bool use_log_window = false;
