#include "state/Global.h"

SharedState Global;
