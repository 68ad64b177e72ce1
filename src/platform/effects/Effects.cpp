#include "platform/effects/Effects.h"

namespace Effects {

namespace {
bool g_instant = false;
}

void setInstant(bool instant)
{
    g_instant = instant;
}

bool instant()
{
    return g_instant;
}

} // namespace Effects
