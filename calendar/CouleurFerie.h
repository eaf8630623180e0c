#pragma once
// The marks that a filled grid receives before its selected day is painted red.

#include "calendar/CelluleJour.h"

#include <QString>

// Paints the Saturday and Sunday columns when weekEnd is set, and, when feries is set, the
// French public holidays that stand in the grid, each named in its cell's tooltip. mois and
// an are the shown month and year. Returns the text of the Easter guard's "Erreur" box
// should the Easter computation ever go wrong; empty otherwise.
QString CouleurFerie(GrilleJours& grille, int mois, int an, bool weekEnd, bool feries);
