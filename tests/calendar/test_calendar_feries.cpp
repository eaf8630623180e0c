// Easter and the French public holidays as the grid marks and names them.
#include "calendar/CalendrierModele.h"
#include "calendar/CouleursCalendrier.h"
#include "calendar/DatePaques.h"

#include <QtTest>

namespace {
// The grid of the month shown on day/month/year, both marks on.
AffichageCalendrier grille(int jour, int mois, int an, bool weekEnd = true, bool feries = true)
{
    CalendrierModele modele(CalendrierModele::complete(jour, 2), CalendrierModele::complete(mois, 2),
                            CalendrierModele::complete(an, 4));
    return modele.CalculDate(weekEnd, feries);
}

const CelluleJour* cellule(const AffichageCalendrier& a, int decalage, int jour)
{
    for (const CelluleJour& c : a.cellules)
        if (c.decalage == decalage && c.jour == jour)
            return &c;
    return nullptr;
}

QString nom(const AffichageCalendrier& a, int decalage, int jour)
{
    const CelluleJour* c = cellule(a, decalage, jour);
    return c ? c->infobulle : QStringLiteral("<absent>");
}
} // namespace

class TestFeries : public QObject {
    Q_OBJECT
private slots:
    void paques_data()
    {
        QTest::addColumn<int>("an");
        QTest::addColumn<QString>("texte");
        QTest::newRow("2000") << 2000 << "23/04/2000";
        QTest::newRow("2002") << 2002 << "31/03/2002";
        QTest::newRow("2024") << 2024 << "31/03/2024";
        QTest::newRow("2025") << 2025 << "20/04/2025";
        QTest::newRow("2100") << 2100 << "28/03/2100";
    }
    void paques()
    {
        QFETCH(int, an);
        QFETCH(QString, texte);
        QCOMPARE(DatePaques::pour(an).texte(), texte);
    }

    void paquesEstUnDimancheEntre22MarsEt25Avril()
    {
        for (int an = 1583; an <= 4099; ++an) {
            const DatePaques p = DatePaques::pour(an);
            const QDate d = p.date();
            QVERIFY2(d >= QDate(an, 3, 22) && d <= QDate(an, 4, 25), qPrintable(p.texte()));
            QCOMPARE(d.dayOfWeek(), 7);
            QVERIFY(p.alerte().isEmpty());
        }
        const DatePaques impossible{1, 5, 2024};
        QCOMPARE(impossible.alerte(), QStringLiteral("Erreur dans le calcul de la date de pâques !\r\n"
                                                     "Le mois (valeur de N) doit être 3 ou 4 ==> N=5"));
    }

    void paquesAutourDuChangementDeMois()
    {
        const AffichageCalendrier mars2024 = grille(10, 3, 2024);
        QCOMPARE(nom(mars2024, 0, 31), QStringLiteral("Dimanche de paques"));
        QCOMPARE(nom(mars2024, +1, 1), QStringLiteral("Lundi de paques"));

        const AffichageCalendrier avril2024 = grille(10, 4, 2024);
        QCOMPARE(nom(avril2024, -1, 31), QStringLiteral("Dimanche de paques"));
        QCOMPARE(nom(avril2024, 0, 1), QStringLiteral("Lundi de paques"));
        QCOMPARE(nom(avril2024, +1, 1), QStringLiteral("Fête du travail"));

        // 5 April 2026 is the grid's last cell: its Monday is not shown.
        const AffichageCalendrier mars2026 = grille(10, 3, 2026);
        QCOMPARE(mars2026.cellules[41].jour, 5);
        QCOMPARE(mars2026.cellules[41].infobulle, QStringLiteral("Dimanche de paques"));
        QCOMPARE(mars2026.cellules[41].couleur, couleurs::kFerie);
        for (const CelluleJour& c : mars2026.cellules)
            QVERIFY(c.infobulle != QStringLiteral("Lundi de paques"));
    }

    void feriesDeLAnnee()
    {
        // 2008: Ascension falls on 1 May, and the Labour Day that comes later names the day.
        const AffichageCalendrier mai2008 = grille(20, 5, 2008);
        QCOMPARE(nom(mai2008, 0, 1), QStringLiteral("Fête du travail"));
        QCOMPARE(nom(mai2008, 0, 8), QStringLiteral("Armistice 8 mai 1945"));
        QCOMPARE(nom(mai2008, 0, 12), QStringLiteral("Lundi de Pentecôte"));

        QCOMPARE(nom(grille(1, 5, 2024), 0, 9), QStringLiteral("Jeudi de l'Ascension"));
        QCOMPARE(nom(grille(1, 7, 2024), 0, 14), QStringLiteral("Fête nationnale"));
        QCOMPARE(nom(grille(1, 8, 2024), 0, 15), QStringLiteral("Assomption"));
        const AffichageCalendrier novembre = grille(20, 11, 2024);
        QCOMPARE(nom(novembre, 0, 1), QStringLiteral("Toussaint"));
        QCOMPARE(nom(novembre, 0, 11), QStringLiteral("Armistice 11 Novembre 1918"));
        // 31 December 2023 was a Sunday: January 2024 opens on the last week of December.
        QCOMPARE(nom(grille(10, 1, 2024), -1, 25), QStringLiteral("Noël"));
        QCOMPARE(grille(10, 1, 2024).cellules[0].jour, 25);

        for (int an = 2000; an <= 2100; ++an) {
            const AffichageCalendrier decembre = grille(10, 12, an);
            QCOMPARE(nom(decembre, 0, 25), QStringLiteral("Noël"));
            QCOMPARE(nom(decembre, +1, 1), QStringLiteral("Jour de l'An"));
            QCOMPARE(nom(grille(20, 4, an), +1, 1), QStringLiteral("Fête du travail"));
            QCOMPARE(nom(grille(20, 10, an), +1, 1), QStringLiteral("Toussaint"));
        }
    }

    void lesDeuxMarquesSeparement()
    {
        // July 2024: 14 July is a Sunday; the selected 3rd is a Wednesday.
        const AffichageCalendrier tout = grille(3, 7, 2024);
        QCOMPARE(cellule(tout, 0, 14)->couleur, couleurs::kFerie);

        const AffichageCalendrier weekEnds = grille(3, 7, 2024, true, false);
        const AffichageCalendrier feries = grille(3, 7, 2024, false, true);
        for (int i = 0; i < kNombreCellules; ++i) {
            if (i == tout.celluleChoisie)
                continue;
            const bool colonneWeekEnd = i % 7 >= 5;
            QCOMPARE(weekEnds.cellules[i].couleur,
                     colonneWeekEnd ? couleurs::kWeekEnd : couleurs::kCelluleOrdinaire);
            QVERIFY(weekEnds.cellules[i].infobulle.isEmpty());
            QVERIFY(feries.cellules[i].couleur != couleurs::kWeekEnd);
        }
        QCOMPARE(cellule(feries, 0, 14)->couleur, couleurs::kFerie);
        QCOMPARE(cellule(feries, 0, 13)->couleur, couleurs::kCelluleOrdinaire);
    }
};

QTEST_GUILESS_MAIN(TestFeries)
#include "test_calendar_feries.moc"
