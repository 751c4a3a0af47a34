#include "control/machines.h"

SM_A* sm_A = nullptr;
SM_B* sm_B = nullptr;
