#include "calendar/DatePaques.h"

DatePaques DatePaques::pour(int an)
{
    const int a = an % 19;
    const int b = an / 100;
    const int c = an % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int n = (h + l - 7 * m + 114) / 31;
    const int p = (h + l - 7 * m + 114) % 31;
    return {p + 1, n, an};
}

QString DatePaques::texte() const
{
    return QStringLiteral("%1/%2/%3")
        .arg(jour, 2, 10, QLatin1Char('0'))
        .arg(mois, 2, 10, QLatin1Char('0'))
        .arg(an, 4, 10, QLatin1Char('0'));
}

QString DatePaques::alerte() const
{
    if (mois == 3 || mois == 4)
        return {};
    return QStringLiteral("Erreur dans le calcul de la date de pâques !\r\n"
                          "Le mois (valeur de N) doit être 3 ou 4 ==> N=") +
           QString::number(mois);
}
