#include "layout/GeometrieApercu.h"

GeometrieApercu calculeGeometrie(double L, double H, const DimensionsDessinees& dessin)
{
    GeometrieApercu g;
    // The ranges of the scroll bars keep both above 50 mm; a zero would only come from a
    // panel that says nothing sensible, and then the designed box is kept.
    if (!(L > 0.0) || !(H > 0.0)) {
        L = 220.0;
        H = 110.0;
    }
    const double a = dessin.hauteurModele0.value / H; // height-limited scale
    const double b = dessin.largeurModele0.value / L; // width-limited scale
    if (b < a) {
        g.HauteurApercu = Twips(dessin.largeurModele0.value * H / L);
        g.LargeurApercu = dessin.largeurModele0;
    } else {
        g.LargeurApercu = Twips(dessin.hauteurModele0.value * L / H);
        g.HauteurApercu = dessin.hauteurModele0;
    }
    g.Echelle = g.LargeurApercu.value / L;
    g.gauche = (dessin.largeurCadre - g.LargeurApercu) / 2.0 - Twips(50);
    g.gauchePictExp = g.gauche - Twips(990);
    g.gauchePictDest = g.gauche + g.LargeurApercu - Twips(3630);
    g.hautPictDest = dessin.hautModele + g.HauteurApercu - Twips(930);
    return g;
}

QList<QLineF> reperesCoupeApercu(Twips largeur, Twips hauteur)
{
    const double W = largeur.value;
    const double H = hauteur.value;
    return {
        QLineF(W - 75, 0, W - 75, 200),
        QLineF(0, H - 75, 200, H - 75),
        QLineF(W - 260, H - 75, W - 75, H - 75),
        QLineF(W - 75, H - 75, W - 75, H - 260),
    };
}
