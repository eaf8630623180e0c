#include "layout/FlecheSpin.h"

#include "app/NombrePanneau.h"

std::optional<QString> FlecheSpin(double reglage, double borne, const QString& panneau, int pas)
{
    const bool agit = pas < 0 ? reglage > 0 : borne > reglage;
    if (!agit)
        return std::nullopt;
    return TexteNombreSigne(NombrePanneau(panneau) + pas);
}
