#include "calendar/CouleurFerie.h"

#include "calendar/CouleursCalendrier.h"
#include "calendar/DatePaques.h"

#include <array>

namespace {

struct CasRecherche {
    int moisAffiche;
    int decalage;
};

// A holiday on a fixed day, searched only in the shown months where its day can stand
// in the grid: the grid holds at most the last 7 days of the previous month and at most
// the first 13 of the next one.
struct FerieFixe {
    int jour;
    const char16_t* nom;
    std::array<CasRecherche, 2> cas; // an unused case has month 0, which is never shown
};

// In the order in which they are marked: where two share a day, the later one names it.
const FerieFixe kFeriesFixes[] = {
    {1, u"Jour de l'An", {{{1, 0}, {12, +1}}}},
    {1, u"Fête du travail", {{{5, 0}, {4, +1}}}},
    {8, u"Armistice 8 mai 1945", {{{5, 0}, {4, +1}}}},
    {14, u"Fête nationnale", {{{7, 0}}}},
    {15, u"Assomption", {{{8, 0}}}},
    {1, u"Toussaint", {{{11, 0}, {10, +1}}}},
    {11, u"Armistice 11 Novembre 1918", {{{11, 0}}}},
    {25, u"Noël", {{{12, 0}, {1, -1}}}},
};

// The first cell of the given month offset that shows the day, or -1.
int celluleDu(const GrilleJours& grille, int jour, int decalage)
{
    for (int i = 0; i < kNombreCellules; ++i)
        if (grille[i].decalage == decalage && grille[i].jour == jour)
            return i;
    return -1;
}

void marque(GrilleJours& grille, int jour, int decalage, const QString& nom)
{
    const int i = celluleDu(grille, jour, decalage);
    if (i >= 0) {
        grille[i].couleur = couleurs::kFerie;
        grille[i].infobulle = nom;
    }
}

// The movable holidays are searched in their own month and in the two around it, never
// across a year's end: Easter and what follows it stay between March and June.
void marqueMobile(GrilleJours& grille, const QDate& date, int mois, const QString& nom)
{
    int decalage;
    if (date.month() == mois)
        decalage = 0;
    else if (date.month() == mois - 1)
        decalage = -1;
    else if (date.month() == mois + 1)
        decalage = +1;
    else
        return;
    marque(grille, date.day(), decalage, nom);
}

} // namespace

QString CouleurFerie(GrilleJours& grille, int mois, int an, bool weekEnd, bool feries)
{
    if (weekEnd) {
        for (int i = 5; i < kNombreCellules; i += 7) {
            grille[i].couleur = couleurs::kWeekEnd;
            grille[i + 1].couleur = couleurs::kWeekEnd;
        }
    }
    if (!feries)
        return {};

    const DatePaques paques = DatePaques::pour(an);
    const QDate dimanche = paques.date();
    if (dimanche.isValid()) {
        marqueMobile(grille, dimanche, mois, QStringLiteral("Dimanche de paques"));
        // The Monday is found by its own date: it opens the grid when its Sunday is the day
        // before, and is not in it when its Sunday ends the grid.
        marqueMobile(grille, dimanche.addDays(1), mois, QStringLiteral("Lundi de paques"));
        marqueMobile(grille, dimanche.addDays(39), mois, QStringLiteral("Jeudi de l'Ascension"));
        marqueMobile(grille, dimanche.addDays(50), mois, QStringLiteral("Lundi de Pentecôte"));
    }

    for (const FerieFixe& ferie : kFeriesFixes)
        for (const CasRecherche& cas : ferie.cas)
            if (cas.moisAffiche == mois)
                marque(grille, ferie.jour, cas.decalage, QString::fromUtf16(ferie.nom));

    return paques.alerte();
}
