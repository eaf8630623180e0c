#pragma once
// Everything one redraw of the calendar shows, computed without any widget.

#include "calendar/CelluleJour.h"

#include <QString>

struct AffichageCalendrier {
    GrilleJours cellules{};
    int celluleChoisie = -1; // the red cell: a bold cell of the shown month
    QString titre;           // lblDate: "mercredi 05 juin", never the year
    int positionMois = 0;    // the entry of cMois to select: the shown month - 1
    int an = 0;              // cAn selects its entry of this year, if it has one
    QString alertePaques;    // the Easter guard's "Erreur" text; empty when all is well
};
