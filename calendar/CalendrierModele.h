#pragma once
// The month calendar's state and its redraw, as plain code: the three date texts, the
// cell just clicked and the day asked for go in, the 42 cells, the title and the list
// selections come out. The widget only forwards events here and shows the result.

#include "calendar/AffichageCalendrier.h"

#include <QDate>
#include <QString>

class CalendrierModele {
public:
    // Opens on the given day (today, at start-up).
    explicit CalendrierModele(QDate depart);
    // Opens on the date the three texts spell, "05", "06", "2002".
    CalendrierModele(QString jourTexte, QString moisTexte, QString anTexte);

    // What the handlers change before they redraw. A click on a cell takes its day; the
    // two lists put back the day asked for, so that it survives a month too short for it.
    void cliqueJour(int index);
    void choisitMois(int position); // cMois list position, 0 for "Janvier"
    void choisitAn(const QString& texte);

    // Redraws the whole calendar from the state above.
    const AffichageCalendrier& CalculDate(bool weekEnd, bool feries);
    const AffichageCalendrier& affichage() const { return m_affichage; }

    const QString& jourTexte() const { return m_jourTexte; }
    const QString& moisTexte() const { return m_moisTexte; }
    const QString& anTexte() const { return m_anTexte; }
    int boutonClique() const { return m_boutonClique; }
    int jour() const { return m_jour; }
    int mois() const { return m_mois; }
    int an() const { return m_an; }

    // A number as the date texts hold it: zero-padded on the left, the rightmost
    // `largeur` digits kept ("05", "2003").
    static QString complete(int valeur, int largeur);
    // A date as a screen reader says a day cell: "mardi 1 décembre 2026".
    static QString dateEnLettres(const QDate& date);
    // The years the calendar can show: QDate knows no year 0, and four digits hold no more.
    static constexpr int kAnMin = 1;
    static constexpr int kAnMax = 9999;

private:
    void litTextes();

    QString m_jourTexte;
    QString m_moisTexte;
    QString m_anTexte;
    int m_boutonClique = -1;
    int m_jour = 0; // the day asked for; never lowered to fit a short month
    int m_mois = 1;
    int m_an = 2000;
    bool m_grilleRemplie = false;
    AffichageCalendrier m_affichage;
};
