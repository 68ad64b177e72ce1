#include "platform/AppError.h"
