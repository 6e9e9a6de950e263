#include "app/state/Global.h"

SharedState Global;
