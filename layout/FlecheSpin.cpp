#include "layout/FlecheSpin.h"

std::optional<float> FlecheSpin(float reglage, double borne, int pas)
{
    const bool agit = pas < 0 ? reglage > 0 : borne > reglage;
    if (!agit)
        return std::nullopt;
    return reglage + float(pas);
}
