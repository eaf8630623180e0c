#pragma once
// Easter Sunday of a year, from which the movable holidays follow.

#include <QDate>
#include <QString>

struct DatePaques {
    int jour = 0;
    int mois = 0;
    int an = 0;

    // The anonymous Gregorian algorithm (Meeus/Jones/Butcher), in whole numbers only.
    static DatePaques pour(int an);

    // "dd/mm/yyyy".
    QString texte() const;
    // Invalid only if the algorithm ever gave an impossible month.
    QDate date() const { return QDate(an, mois, jour); }
    // The algorithm always lands between 22 March and 25 April; should the month ever be
    // anything but 3 or 4, this is the text of the "Erreur" box that says so, else empty.
    QString alerte() const;

    static QString titreAlerte() { return QStringLiteral("Erreur"); }
};
