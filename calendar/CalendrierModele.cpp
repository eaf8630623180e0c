#include "calendar/CalendrierModele.h"

#include "calendar/CouleurFerie.h"
#include "calendar/CouleursCalendrier.h"

#include <QLocale>
#include <algorithm>

namespace {

// The numeric value of a date text; 0 when it holds no number.
int valeur(const QString& texte)
{
    bool ok = false;
    const int v = texte.trimmed().toInt(&ok);
    return ok ? v : 0;
}

// The weekday and the month written out in French, as the platform's locale data spells
// them: "mercredi 05 juin".
QString dateEcrite(const QDate& date)
{
    static const QLocale francais(QLocale::French);
    return francais.dayName(date.dayOfWeek(), QLocale::LongFormat) + QLatin1Char(' ') +
           CalendrierModele::complete(date.day(), 2) + QLatin1Char(' ') +
           francais.monthName(date.month(), QLocale::LongFormat);
}

} // namespace

CalendrierModele::CalendrierModele(QDate depart)
{
    if (!depart.isValid())
        depart = QDate::currentDate();
    m_jourTexte = complete(depart.day(), 2);
    m_moisTexte = complete(depart.month(), 2);
    m_anTexte = complete(depart.year(), 4);
    litTextes();
}

CalendrierModele::CalendrierModele(QString jourTexte, QString moisTexte, QString anTexte)
    : m_jourTexte(std::move(jourTexte)), m_moisTexte(std::move(moisTexte)), m_anTexte(std::move(anTexte))
{
    litTextes();
}

QString CalendrierModele::dateEnLettres(const QDate& date)
{
    static const QLocale francais(QLocale::French);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(francais.dayName(date.dayOfWeek(), QLocale::LongFormat))
        .arg(date.day())
        .arg(francais.monthName(date.month(), QLocale::LongFormat))
        .arg(date.year());
}

QString CalendrierModele::complete(int valeur, int largeur)
{
    return QString::number(valeur).rightJustified(largeur, QLatin1Char('0')).right(largeur);
}

void CalendrierModele::litTextes()
{
    m_jour = valeur(m_jourTexte);
    m_mois = valeur(m_moisTexte);
    m_an = valeur(m_anTexte);
}

void CalendrierModele::cliqueJour(int index)
{
    if (!m_grilleRemplie || index < 0 || index >= kNombreCellules)
        return;
    const CelluleJour& cellule = m_affichage.cellules[index];
    // Beyond December 9999 or before January of year 1 there is no date four digits can
    // show (the first would wrap round to year "0000"): such a click changes nothing.
    const int mois = valeur(m_moisTexte) + cellule.decalage;
    const int an = valeur(m_anTexte);
    if ((mois >= 13 && an >= kAnMax) || (mois < 1 && an <= kAnMin))
        return;
    m_boutonClique = index;
    m_jourTexte = complete(cellule.jour, 2);
}

void CalendrierModele::choisitMois(int position)
{
    m_moisTexte = complete(std::clamp(position, 0, 11) + 1, 2);
    m_jourTexte = complete(m_jour, 2);
}

void CalendrierModele::choisitAn(const QString& texte)
{
    m_anTexte = complete(valeur(texte), 4);
    m_jourTexte = complete(m_jour, 2);
}

const AffichageCalendrier& CalendrierModele::CalculDate(bool weekEnd, bool feries)
{
    GrilleJours& cellules = m_affichage.cellules;
    litTextes();

    // A day of a neighbouring month moves the calendar to that month.
    if (m_grilleRemplie && m_boutonClique >= 0 && m_boutonClique < kNombreCellules) {
        const CelluleJour& clique = cellules[m_boutonClique];
        if (clique.decalage != 0) {
            const int mois = m_mois + clique.decalage;
            if (mois >= 13) {
                m_anTexte = complete(m_an + 1, 4);
                m_moisTexte = QStringLiteral("01");
            } else if (mois < 1) {
                m_anTexte = complete(m_an - 1, 4);
                m_moisTexte = QStringLiteral("12");
            } else {
                m_moisTexte = complete(mois, 2);
            }
            m_jourTexte = complete(clique.jour, 2);
            litTextes();
            m_boutonClique = -1;
        }
    }

    // The program itself only ever writes a real month and year; texts from elsewhere are
    // brought back to the nearest date the calendar can show rather than looping forever.
    if (m_mois < 1 || m_mois > 12) {
        m_mois = std::clamp(m_mois, 1, 12);
        m_moisTexte = complete(m_mois, 2);
    }
    if (m_an < kAnMin || m_an > kAnMax) {
        m_an = std::clamp(m_an, kAnMin, kAnMax);
        m_anTexte = complete(m_an, 4);
    }
    // The day shown fits the month; Jour keeps the day asked for, so that a later month
    // long enough for it shows it again.
    const int longueur = QDate(m_an, m_mois, 1).daysInMonth();
    const int jourMontre = std::clamp(valeur(m_jourTexte), 1, longueur);
    m_jourTexte = complete(jourMontre, 2);
    const QDate montre(m_an, m_mois, jourMontre);

    // The grid opens on the previous month's last L days, L being the weekday (Monday 1)
    // of that month's last day: the first row always holds at least one of them.
    const QDate veille = montre.addDays(-jourMontre);
    const int precedents = veille.dayOfWeek();
    const QColor& ordinaire = couleurs::kCelluleOrdinaire;
    for (int i = 0; i < precedents; ++i)
        cellules[i] = {veille.day() - (precedents - 1 - i), -1, false, ordinaire, {},
                       veille.addDays(i + 1 - precedents)};
    for (int jour = 1; jour <= longueur; ++jour)
        cellules[precedents + jour - 1] = {jour, 0, true, ordinaire, {}, veille.addDays(jour)};
    for (int i = precedents + longueur, jour = 1; i < kNombreCellules; ++i, ++jour)
        cellules[i] = {jour, +1, false, ordinaire, {}, veille.addDays(longueur + jour)};

    m_affichage.alertePaques = CouleurFerie(cellules, m_mois, m_an, weekEnd, feries);

    // The shown day is red over any mark, and its tooltip gives the whole date.
    const int choisie = precedents + jourMontre - 1;
    const QString titre = dateEcrite(montre);
    cellules[choisie].couleur = couleurs::kJourChoisi;
    cellules[choisie].infobulle = titre + QLatin1Char(' ') + m_anTexte;
    m_boutonClique = -1;

    m_affichage.celluleChoisie = choisie;
    m_affichage.titre = titre;
    m_affichage.positionMois = m_mois - 1;
    m_affichage.an = m_an;
    m_grilleRemplie = true;
    return m_affichage;
}
