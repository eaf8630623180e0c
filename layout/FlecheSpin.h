#pragma once
// One arrow of a position spin button. An arrow that lowers its value acts only above 0;
// one that raises it acts only below the envelope's length or height. The new value is
// the setting plus or minus one.

#include <optional>

std::optional<float> FlecheSpin(float reglage, double borne, int pas);
