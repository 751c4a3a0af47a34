#pragma once
// The program's two machines. Start-up creates them and shut-down deletes them; the
// upgrade machine's guards and actions reach the worker through sm_A.

class SM_A;
class SM_B;

extern SM_A* sm_A;
extern SM_B* sm_B;
