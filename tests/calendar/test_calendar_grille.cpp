// The month grid and the navigation by day, month and year, without a window.
#include "calendar/CalendrierModele.h"
#include "calendar/CouleursCalendrier.h"

#include <QtTest>

namespace {
int indexDe(const AffichageCalendrier& a, int decalage, int jour)
{
    for (int i = 0; i < kNombreCellules; ++i)
        if (a.cellules[i].decalage == decalage && a.cellules[i].jour == jour)
            return i;
    return -1;
}

// The date the three texts show once the calendar is redrawn after a click on this cell.
QString apresClic(CalendrierModele& m, int index)
{
    m.CalculDate(true, true);
    m.cliqueJour(index);
    m.CalculDate(true, true);
    return m.jourTexte() + QLatin1Char('/') + m.moisTexte() + QLatin1Char('/') + m.anTexte();
}
} // namespace

class TestGrille : public QObject {
    Q_OBJECT
private slots:
    void chaqueMoisSuitLaMemeDisposition()
    {
        for (int an = 1999; an <= 2030; ++an) {
            for (int mois = 1; mois <= 12; ++mois) {
                const QDate premier(an, mois, 1);
                CalendrierModele m(QStringLiteral("31"), CalendrierModele::complete(mois, 2),
                                   CalendrierModele::complete(an, 4));
                const AffichageCalendrier& a = m.CalculDate(true, true);
                const int debut = premier.addDays(-1).dayOfWeek(); // Monday opens row 2
                for (int i = 0; i < kNombreCellules; ++i) {
                    const QDate attendu = premier.addDays(i - debut);
                    const CelluleJour& c = a.cellules[i];
                    QCOMPARE(c.jour, attendu.day());
                    QCOMPARE(c.decalage, attendu < premier ? -1 : attendu.month() == mois ? 0 : +1);
                    QCOMPARE(c.gras, c.decalage == 0);
                    // Exactly one red cell: the shown day, clamped to the month.
                    QCOMPARE(c.couleur == couleurs::kJourChoisi,
                             attendu.day() == premier.daysInMonth() && c.decalage == 0);
                }
                QVERIFY(!a.titre.contains(QString::number(an)));
                QCOMPARE(a.cellules[a.celluleChoisie].infobulle, a.titre + QLatin1Char(' ') + m.anTexte());
                QCOMPARE(a.positionMois, mois - 1);
                QCOMPARE(a.an, an);
            }
        }
        // The title names the day the user reads in the grid.
        QCOMPARE(CalendrierModele(QDate(2025, 1, 31)).CalculDate(true, true).titre, u"vendredi 31 janvier"_qs);
    }

    void unJourDUnMoisVoisinEtAuxBornesDesQuatreChiffres()
    {
        CalendrierModele m(QDate(2024, 12, 15));
        m.CalculDate(true, true);
        QCOMPARE(apresClic(m, indexDe(m.affichage(), -1, 30)), QStringLiteral("30/11/2024"));
        // Years beyond the list stay reachable.
        CalendrierModele fin(QDate(2100, 12, 1));
        fin.CalculDate(true, true);
        QCOMPARE(apresClic(fin, indexDe(fin.affichage(), +1, 2)), QStringLiteral("02/01/2101"));
        // And no further than four digits hold, nor before the year 1.
        CalendrierModele dernier(QDate(9999, 12, 20));
        QCOMPARE(apresClic(dernier, 41), QStringLiteral("20/12/9999"));
        CalendrierModele vide{QString(), QStringLiteral("x"), QString()};
        QCOMPARE(apresClic(vide, 42), QStringLiteral("01/01/0001"));
    }
};

QTEST_GUILESS_MAIN(TestGrille)
#include "test_calendar_grille.moc"
