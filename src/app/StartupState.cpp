#include "app/StartupState.h"

bool FirstStart = false;
