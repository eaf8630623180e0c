#include "layout/NormePostale.h"

VerdictNorme controleNorme(const BlocDestinataire& bloc, double longueurEnv, double hauteurEnv)
{
    constexpr double kMarge = 20.0;
    constexpr double kHauteurLibre = 40.0 + 20.0;
    VerdictNorme v;
    v.margeGauche = !(bloc.margeGauche < kMarge);
    const double espaceDroit = longueurEnv - (bloc.margeGauche + bloc.largeurTexte);
    v.margeDroite = !(espaceDroit < kMarge);
    v.hauteur = !(hauteurEnv < bloc.hauteurTexte + kHauteurLibre);
    v.margeBasse = !(bloc.margeBasse < kMarge);
    return v;
}
