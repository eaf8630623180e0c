#pragma once
// Fits the logo's thumbnail into the box it had as designed, keeping the logo's
// proportions and filling the box along its tighter side, centred in its panel.

#include "platform/Units.h"

struct PlaceVignette {
    Twips gauche, haut, largeur, hauteur;
};

PlaceVignette ajusteVignette(Twips largeurLogo, Twips hauteurLogo, Twips largeurBoite0, Twips hauteurBoite0,
                             Twips largeurPanneau, Twips hauteurPanneau);
