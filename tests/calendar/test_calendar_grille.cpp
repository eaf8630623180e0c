// The calendar: the month grid and the navigation by day, month and year; Easter and the
// French public holidays as the grid marks and names them; and the widget driven as a user
// would, offscreen under the Fusion style: the colours shown, and every cell named by its
// full date for a screen reader.
#include "calendar/CalendrierModele.h"
#include "calendar/CouleursCalendrier.h"
#include "calendar/DatePaques.h"
#include "calendar/widgets/Calendrier.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>
#include <QStyleFactory>
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
// A cell's face beside its caption and inside its border; a box's past its caption.
QColor couleurMontree(QWidget* widget, bool aDroite = false)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(aDroite ? image.width() - 3 : 5, image.height() / 2);
}
} // namespace

class TestGrille : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

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
            }
        }
        // The title names the day the user reads in the grid.
        QCOMPARE(CalendrierModele(QDate(2025, 1, 31)).CalculDate(true, true).titre,
                 u"vendredi 31 janvier"_qs);
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
        CalendrierModele modele(montre);
        const AffichageCalendrier& a = modele.CalculDate(true, true);
        const int i = indexDe(a, decalage, jour);
        QVERIFY(i >= 0);
        QTEST(a.cellules[i].infobulle, "nom");
        QCOMPARE(a.cellules[i].couleur, couleurs::kFerie);
    }

    void couleursExactesSousFusion()
    {
        ScriptedDialogs dialogs;
        Calendrier calendrier(dialogs, QDate(2024, 7, 3));
        const auto cellule = [&](int i) {
            return calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(%1)").arg(i));
        };
        const int choisie = calendrier.modele().affichage().celluleChoisie;
        QCOMPARE(couleurMontree(cellule(choisie)), couleurs::kJourChoisi);
        QCOMPARE(couleurMontree(cellule(choisie + 1)), couleurs::kCelluleOrdinaire);
        QCOMPARE(couleurMontree(cellule(5)), couleurs::kWeekEnd);
        QCOMPARE(cellule(choisie + 11)->text(), QStringLiteral("14"));
        QCOMPARE(couleurMontree(cellule(choisie + 11)), couleurs::kFerie);
        QCOMPARE(cellule(choisie + 11)->toolTip(), QStringLiteral("Fête nationnale"));
        QCOMPARE(couleurMontree(calendrier.findChild<QCheckBox*>(QStringLiteral("chkWeek")), true),
                 couleurs::kWeekEnd);

        QTest::mouseClick(calendrier.findChild<QCheckBox*>(QStringLiteral("chkWeek")), Qt::LeftButton);
        QCOMPARE(couleurMontree(cellule(5)), couleurs::kCelluleOrdinaire);
        QCOMPARE(couleurMontree(cellule(choisie + 11)), couleurs::kFerie);
    }

    void titreEntierEtCellulesNommees()
    {
        ScriptedDialogs dialogs;
        Calendrier calendrier(dialogs, QDate(2026, 12, 15));
        const auto cellule = [&](int i) {
            return QAccessible::queryAccessibleInterface(
                calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(%1)").arg(i)));
        };
        // December 2026 opens on Monday 30 November and shows two cells "1".
        QCOMPARE(cellule(1)->text(QAccessible::Name), QStringLiteral("mardi 1 décembre 2026"));
        QCOMPARE(cellule(32)->text(QAccessible::Name), QStringLiteral("vendredi 1 janvier 2027"));
        QVERIFY(cellule(15)->state().selected && cellule(16)->state().selectable &&
                !cellule(16)->state().selected);
        QTest::mouseClick(calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(16)")), Qt::LeftButton);
        QVERIFY(!cellule(15)->state().selected && cellule(16)->state().selected);
    }
};

QTEST_MAIN(TestGrille)
#include "test_calendar_grille.moc"
