// Easter and the French public holidays as the grid marks and names them.
#include "calendar/CalendrierModele.h"
#include "calendar/CouleursCalendrier.h"
#include "calendar/DatePaques.h"

#include <QtTest>

namespace {
// The grid of the month shown on day/month/year.
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
    void paques()
    {
        const QStringList attendues = {"23/04/2000", "31/03/2002", "31/03/2024", "20/04/2025", "28/03/2100"};
        for (const QString& date : attendues)
            QCOMPARE(DatePaques::pour(date.right(4).toInt()).texte(), date);
        for (int an = 1583; an <= 4099; ++an) {
            const DatePaques p = DatePaques::pour(an);
            const QDate d = p.date();
            QVERIFY2(d >= QDate(an, 3, 22) && d <= QDate(an, 4, 25) && d.dayOfWeek() == 7,
                     qPrintable(p.texte()));
            QVERIFY(p.alerte().isEmpty());
        }
        QCOMPARE((DatePaques{1, 5, 2024}.alerte()),
                 QStringLiteral("Erreur dans le calcul de la date de pâques !\r\n"
                                "Le mois (valeur de N) doit être 3 ou 4 ==> N=5"));
    }

    void feries_data()
    {
        QTest::addColumn<QDate>("montre"); // the date the calendar shows
        QTest::addColumn<int>("decalage");
        QTest::addColumn<int>("jour");
        QTest::addColumn<QString>("nom");
        const auto ligne = [](QDate d, int decalage, int jour, const char* nom) {
            QTest::addRow("%s %d in %s", nom, jour, qPrintable(d.toString(u"MM/yyyy")))
                << d << decalage << jour << QString::fromUtf8(nom);
        };
        // Easter either side of a month's end, in the grids of both months.
        ligne({2024, 3, 10}, 0, 31, "Dimanche de paques");
        ligne({2024, 3, 10}, +1, 1, "Lundi de paques");
        ligne({2024, 4, 10}, -1, 31, "Dimanche de paques");
        ligne({2024, 4, 10}, 0, 1, "Lundi de paques");
        // 2008: Ascension falls on 1 May, and the Labour Day that comes later names the day.
        ligne({2008, 5, 20}, 0, 1, "Fête du travail");
        ligne({2008, 5, 20}, 0, 8, "Armistice 8 mai 1945");
        ligne({2008, 5, 20}, 0, 12, "Lundi de Pentecôte");
        ligne({2024, 5, 1}, 0, 9, "Jeudi de l'Ascension");
        ligne({2024, 7, 1}, 0, 14, "Fête nationnale");
        ligne({2024, 8, 1}, 0, 15, "Assomption");
        ligne({2024, 11, 20}, 0, 1, "Toussaint");
        ligne({2024, 11, 20}, 0, 11, "Armistice 11 Novembre 1918");
        // 31 December 2023 was a Sunday: January 2024 opens on the last week of December.
        ligne({2024, 1, 10}, -1, 25, "Noël");
        ligne({2024, 12, 10}, +1, 1, "Jour de l'An");
    }
    void feries()
    {
        QFETCH(QDate, montre);
        QFETCH(int, decalage);
        QFETCH(int, jour);
        const AffichageCalendrier a = grille(montre.day(), montre.month(), montre.year());
        QTEST(nom(a, decalage, jour), "nom");
        QCOMPARE(cellule(a, decalage, jour)->couleur, couleurs::kFerie);
    }

    void lesFeriesFixesChaqueAnnee()
    {
        for (int an = 2000; an <= 2100; ++an) {
            QCOMPARE(nom(grille(10, 12, an), 0, 25), QStringLiteral("Noël"));
            QCOMPARE(nom(grille(20, 4, an), +1, 1), QStringLiteral("Fête du travail"));
            QCOMPARE(nom(grille(20, 10, an), +1, 1), QStringLiteral("Toussaint"));
        }
        // 5 April 2026 is the grid's last cell: its Monday is not shown.
        const AffichageCalendrier mars2026 = grille(10, 3, 2026);
        QCOMPARE(mars2026.cellules[41].infobulle, QStringLiteral("Dimanche de paques"));
    }

    void lesDeuxMarquesSeparement()
    {
        // July 2024: 14 July is a Sunday; the selected 3rd is a Wednesday.
        const AffichageCalendrier weekEnds = grille(3, 7, 2024, true, false);
        const AffichageCalendrier feries = grille(3, 7, 2024, false, true);
        const AffichageCalendrier aucune = grille(3, 7, 2024, false, false);
        for (int i = 0; i < kNombreCellules; ++i) {
            if (i == weekEnds.celluleChoisie)
                continue;
            QCOMPARE(weekEnds.cellules[i].couleur,
                     i % 7 >= 5 ? couleurs::kWeekEnd : couleurs::kCelluleOrdinaire);
            QVERIFY(weekEnds.cellules[i].infobulle.isEmpty());
            QVERIFY(feries.cellules[i].couleur != couleurs::kWeekEnd);
            QCOMPARE(aucune.cellules[i].couleur, couleurs::kCelluleOrdinaire);
            QVERIFY(aucune.cellules[i].infobulle.isEmpty());
        }
        QCOMPARE(cellule(feries, 0, 14)->couleur, couleurs::kFerie);
        QCOMPARE(cellule(feries, 0, 13)->couleur, couleurs::kCelluleOrdinaire);
    }
};

QTEST_GUILESS_MAIN(TestFeries)
#include "test_calendar_feries.moc"
