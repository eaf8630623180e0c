#include "layout/FormatsEnveloppe.h"

const QList<FormatEnveloppe>& FormatsEnveloppe::tous()
{
    // ISO 269 sizes, then the American business envelope that letters from abroad come in.
    static const QList<FormatEnveloppe> formats = {
        {QStringLiteral("DL"), 220, 110},    {QStringLiteral("C6"), 162, 114},
        {QStringLiteral("C6/C5"), 229, 114}, {QStringLiteral("C5"), 229, 162},
        {QStringLiteral("C4"), 324, 229},    {QStringLiteral("US n° 10"), 241, 105},
    };
    return formats;
}

QString FormatsEnveloppe::personnalise()
{
    return QStringLiteral("Personnalisé");
}

int FormatsEnveloppe::indexPour(double longueur, double hauteur)
{
    const QList<FormatEnveloppe>& formats = tous();
    for (qsizetype i = 0; i < formats.size(); ++i)
        if (formats[i].longueur == longueur && formats[i].hauteur == hauteur)
            return int(i);
    return -1;
}
