#include "app/NombrePanneau.h"

#include <cmath>

double NombrePanneau(const QString& texte)
{
    qsizetype i = 0;
    const qsizetype n = texte.size();
    while (i < n && (texte[i] == u' ' || texte[i] == u'\t'))
        ++i;
    bool negatif = false;
    if (i < n && (texte[i] == u'-' || texte[i] == u'+')) {
        negatif = texte[i] == u'-';
        ++i;
    }
    double valeur = 0.0;
    bool chiffre = false;
    while (i < n && texte[i].isDigit() && texte[i].unicode() < 128) {
        valeur = valeur * 10.0 + (texte[i].unicode() - u'0');
        chiffre = true;
        ++i;
    }
    if (i < n && texte[i] == u'.') {
        ++i;
        double poids = 0.1;
        while (i < n && texte[i].isDigit() && texte[i].unicode() < 128) {
            valeur += (texte[i].unicode() - u'0') * poids;
            poids /= 10.0;
            chiffre = true;
            ++i;
        }
    }
    if (!chiffre)
        return 0.0;
    return negatif ? -valeur : valeur;
}

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
