#include "state/ProgramState.h"

ProgramState TheProgram;
