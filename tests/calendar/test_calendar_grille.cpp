// The month grid, the title and the navigation by day, month and year, without a window.
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

QString dateMontree(const CalendrierModele& m)
{
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
    }

    void titreEnFrancais()
    {
        CalendrierModele m(QDate(2002, 6, 5));
        const AffichageCalendrier& a = m.CalculDate(true, true);
        QCOMPARE(a.titre, QStringLiteral("mercredi 05 juin"));
        QCOMPARE(a.cellules[a.celluleChoisie].infobulle, QStringLiteral("mercredi 05 juin 2002"));
    }

    void leJourDemandeSurvitAuxMoisCourts()
    {
        CalendrierModele m(QDate(2024, 1, 10));
        m.CalculDate(true, true);
        m.cliqueJour(indexDe(m.affichage(), 0, 31));
        m.CalculDate(true, true);
        const struct {
            int position;
            const char* attendu;
        } suite[] = {{3, "30/04/2024"}, {1, "29/02/2024"}, {4, "31/05/2024"}, {10, "30/11/2024"}};
        for (const auto& etape : suite) {
            m.choisitMois(etape.position);
            m.CalculDate(true, true);
            QCOMPARE(dateMontree(m), QString::fromLatin1(etape.attendu));
            QCOMPARE(m.jour(), 31);
        }
        m.choisitMois(1);
        m.choisitAn(QStringLiteral("2023"));
        m.CalculDate(true, true);
        QCOMPARE(dateMontree(m), QStringLiteral("28/02/2023"));
    }

    void unJourDUnMoisVoisin()
    {
        CalendrierModele m(QDate(2024, 12, 15));
        m.CalculDate(true, true);
        m.cliqueJour(indexDe(m.affichage(), +1, 3));
        const AffichageCalendrier& a = m.CalculDate(true, true);
        QCOMPARE(dateMontree(m), QStringLiteral("03/01/2025"));
        QCOMPARE(a.cellules[a.celluleChoisie].jour, 3);
        QCOMPARE(a.cellules[a.celluleChoisie].decalage, 0);

        m.cliqueJour(indexDe(m.affichage(), -1, 30));
        m.CalculDate(true, true);
        QCOMPARE(dateMontree(m), QStringLiteral("30/12/2024"));
        // Years beyond the list stay reachable; the list keeps its own choice.
        CalendrierModele fin(QDate(2100, 12, 1));
        fin.CalculDate(true, true);
        fin.cliqueJour(indexDe(fin.affichage(), +1, 2));
        QCOMPARE(fin.CalculDate(true, true).an, 2101);
    }

    void auxBornesDesQuatreChiffres()
    {
        CalendrierModele fin(QDate(9999, 12, 20));
        fin.CalculDate(true, true);
        fin.cliqueJour(41);
        fin.CalculDate(true, true);
        QCOMPARE(dateMontree(fin), QStringLiteral("20/12/9999"));

        CalendrierModele debut(QDate(1, 1, 20));
        debut.CalculDate(true, true);
        debut.cliqueJour(0);
        debut.CalculDate(true, true);
        QCOMPARE(dateMontree(debut), QStringLiteral("20/01/0001"));

        CalendrierModele mauvais(QStringLiteral("00"), QStringLiteral("13"), QStringLiteral("0000"));
        mauvais.CalculDate(true, true);
        QCOMPARE(dateMontree(mauvais), QStringLiteral("01/12/0001"));
        mauvais.cliqueJour(-3);
        mauvais.cliqueJour(42);
        CalendrierModele vide{QString(), QStringLiteral("x"), QString()};
        vide.CalculDate(false, false);
        QCOMPARE(dateMontree(vide), QStringLiteral("01/01/0001"));
    }

    void sansMarquesSeulLeJourChoisiEstColore()
    {
        CalendrierModele m(QDate(2024, 5, 8));
        const AffichageCalendrier& a = m.CalculDate(false, false);
        for (int i = 0; i < kNombreCellules; ++i) {
            if (i == a.celluleChoisie)
                continue;
            QCOMPARE(a.cellules[i].couleur, couleurs::kCelluleOrdinaire);
            QVERIFY(a.cellules[i].infobulle.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestGrille)
#include "test_calendar_grille.moc"
