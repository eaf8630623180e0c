#include "layout/AjusteLogo.h"

PlaceVignette ajusteVignette(Twips largeurLogo, Twips hauteurLogo, Twips largeurBoite0, Twips hauteurBoite0,
                             Twips largeurPanneau, Twips hauteurPanneau)
{
    PlaceVignette p;
    if (!(largeurLogo.value > 0) || !(hauteurLogo.value > 0)) {
        p.largeur = largeurBoite0;
        p.hauteur = hauteurBoite0;
    } else {
        const double rH = hauteurBoite0 / hauteurLogo;
        const double rW = largeurBoite0 / largeurLogo;
        if (rW < rH) {
            p.hauteur = Twips(largeurBoite0.value * hauteurLogo.value / largeurLogo.value);
            p.largeur = largeurBoite0;
        } else {
            p.largeur = Twips(hauteurBoite0.value * largeurLogo.value / hauteurLogo.value);
            p.hauteur = hauteurBoite0;
        }
    }
    p.gauche = (largeurPanneau - p.largeur) / 2.0;
    p.haut = (hauteurPanneau - p.hauteur) / 2.0;
    return p;
}
