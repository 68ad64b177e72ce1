#pragma once

// One switch that makes every transition and fade finish at once, for
// tests and for tools that render windows; off by default.
namespace Effects {

void setInstant(bool instant);
bool instant();

} // namespace Effects
