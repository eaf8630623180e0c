#include "layout/NormePostale.h"

#include <cmath>

namespace {
constexpr double kMarge = 20.0;
constexpr double kHauteurLibre = 40.0 + 20.0;

double espaceDroit(const BlocDestinataire& bloc, double longueurEnv)
{
    return longueurEnv - (bloc.margeGauche + bloc.largeurTexte);
}

} // namespace

QString millimetres(double valeur)
{
    const double dixiemes = std::floor(valeur * 10.0 + 1e-9) / 10.0;
    QString texte = QString::number(dixiemes, 'f', 1);
    if (texte.endsWith(QStringLiteral(".0")))
        texte.chop(2);
    return texte.replace(u'.', u',') + QStringLiteral(" mm");
}

VerdictNorme controleNorme(const BlocDestinataire& bloc, double longueurEnv, double hauteurEnv)
{
    VerdictNorme v;
    v.margeGauche = !(bloc.margeGauche < kMarge);
    v.margeDroite = !(espaceDroit(bloc, longueurEnv) < kMarge);
    v.hauteur = !(hauteurEnv < bloc.hauteurTexte + kHauteurLibre);
    v.margeBasse = !(bloc.margeBasse < kMarge);
    return v;
}

QStringList ecartsNorme(const BlocDestinataire& bloc, double longueurEnv, double hauteurEnv)
{
    const VerdictNorme v = controleNorme(bloc, longueurEnv, hauteurEnv);
    const QString auLieuDe = QStringLiteral("%1 : %2 au lieu de %3");
    QStringList ecarts;
    if (!v.margeGauche)
        ecarts << auLieuDe.arg(QStringLiteral("marge gauche"), millimetres(bloc.margeGauche)).arg(kMarge);
    if (!v.margeDroite)
        ecarts << auLieuDe.arg(QStringLiteral("marge droite"), millimetres(espaceDroit(bloc, longueurEnv)))
                      .arg(kMarge);
    if (!v.hauteur)
        ecarts << auLieuDe.arg(QStringLiteral("hauteur libre"), millimetres(hauteurEnv - bloc.hauteurTexte))
                      .arg(kHauteurLibre);
    if (!v.margeBasse)
        ecarts << auLieuDe.arg(QStringLiteral("marge basse"), millimetres(bloc.margeBasse)).arg(kMarge);
    return ecarts;
}
