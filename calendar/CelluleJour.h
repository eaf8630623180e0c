#pragma once
// One day cell of the month grid as the calendar computes it, before any widget shows it.

#include <QColor>
#include <QDate>
#include <QString>
#include <array>

struct CelluleJour {
    int jour = 0;      // the day number, shown as the caption
    int decalage = 0;  // month offset: -1 previous month, 0 shown month, +1 next month
    bool gras = false; // the days of the shown month are bold
    QColor couleur;
    QString infobulle;
    QDate date; // the day the cell stands for, whichever month it belongs to

    QString legende() const { return QString::number(jour); }
    bool operator==(const CelluleJour&) const = default;
};

// Six rows of seven cells, Monday first: index = row * 7 + column.
inline constexpr int kNombreCellules = 42;
using GrilleJours = std::array<CelluleJour, kNombreCellules>;
