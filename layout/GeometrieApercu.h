#pragma once
// Where the to-scale preview of the envelope goes: its size fitted into the box as
// designed, its scale, and the places of the two position groups anchored to it.
// All in twips, as designed; the widgets convert once, at 15 twips a logical pixel.

#include "platform/Units.h"

#include <QLineF>
#include <QList>

struct GeometrieApercu {
    Twips LargeurApercu;
    Twips HauteurApercu;
    double Echelle = 0.0; // twips per millimetre
    Twips gauche;         // left of the box inside its frame
    Twips gauchePictExp;
    Twips gauchePictDest;
    Twips hautPictDest;
};

struct DimensionsDessinees {
    Twips largeurModele0 = Twips(4560);
    Twips hauteurModele0 = Twips(2280);
    Twips hautModele = Twips(780);    // the box's top never changes
    Twips largeurCadre = Twips(6705); // the frame it is centred in
};

// L and H are the envelope's length and height in millimetres, as the panels show them.
GeometrieApercu calculeGeometrie(double L, double H, const DimensionsDessinees& dessin = {});

// The three red crop marks on a box of the given size, in twips from its top left corner:
// the right cut at the top, the bottom cut at the left, and the bottom right corner.
QList<QLineF> reperesCoupeApercu(Twips largeur, Twips hauteur);
