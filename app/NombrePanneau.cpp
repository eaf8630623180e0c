#include "app/NombrePanneau.h"

#include <cmath>

QString TexteNombre(double valeur)
{
    // Single precision is what the settings hold: 7 significant digits, no exponent for
    // the values a panel can show.
    if (valeur == std::floor(valeur) && std::abs(valeur) < 1e9)
        return QString::number(static_cast<long long>(valeur));
    QString t = QString::number(valeur, 'g', 7);
    return t;
}

QString TexteNombreSigne(double valeur)
{
    const QString t = TexteNombre(valeur);
    return valeur >= 0 ? QStringLiteral(" ") + t : t;
}
