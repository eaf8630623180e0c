// Every cell of every month from 2000 to 2100 against the holiday of its own date: the
// grid's marks must not depend on where in the grid a holiday falls.
#include "calendar/CalendrierModele.h"
#include "calendar/CouleursCalendrier.h"
#include "calendar/DatePaques.h"

#include <QtTest>

namespace {
// The French holiday of a date, the later one of the marking order when two share it.
QString ferieDu(const QDate& d)
{
    const QDate paques = DatePaques::pour(d.year()).date();
    const std::pair<QDate, const char*> feries[] = {
        {paques, "Dimanche de paques"},
        {paques.addDays(1), "Lundi de paques"},
        {paques.addDays(39), "Jeudi de l'Ascension"},
        {paques.addDays(50), "Lundi de Pentecôte"},
        {QDate(d.year(), 1, 1), "Jour de l'An"},
        {QDate(d.year(), 5, 1), "Fête du travail"},
        {QDate(d.year(), 5, 8), "Armistice 8 mai 1945"},
        {QDate(d.year(), 7, 14), "Fête nationnale"},
        {QDate(d.year(), 8, 15), "Assomption"},
        {QDate(d.year(), 11, 1), "Toussaint"},
        {QDate(d.year(), 11, 11), "Armistice 11 Novembre 1918"},
        {QDate(d.year(), 12, 25), "Noël"},
    };
    QString nom;
    for (const auto& [date, texte] : feries)
        if (date == d)
            nom = QString::fromUtf8(texte);
    return nom;
}
} // namespace

class TestFeriesParDate : public QObject {
    Q_OBJECT
private slots:
    void chaqueCelluleMarqueeSelonSaDate()
    {
        QStringList ecarts;
        for (int an = 2000; an <= 2100; ++an) {
            for (int mois = 1; mois <= 12; ++mois) {
                // The selected cell shows the date instead: each cell is left unselected in
                // one of the two grids.
                for (int jourChoisi : {1, 2}) {
                    CalendrierModele modele(CalendrierModele::complete(jourChoisi, 2),
                                            CalendrierModele::complete(mois, 2), CalendrierModele::complete(an, 4));
                    const AffichageCalendrier& a = modele.CalculDate(true, true);
                    for (int i = 0; i < kNombreCellules; ++i) {
                        if (i == a.celluleChoisie)
                            continue;
                        const CelluleJour& c = a.cellules[i];
                        const QDate date = QDate(an, mois, 1).addMonths(c.decalage).addDays(c.jour - 1);
                        const QString nom = ferieDu(date);
                        const QColor couleur = !nom.isEmpty() ? couleurs::kFerie
                                               : i % 7 >= 5   ? couleurs::kWeekEnd
                                                              : couleurs::kCelluleOrdinaire;
                        if (c.infobulle != nom || c.couleur != couleur)
                            ecarts << QStringLiteral("%1 (grille de %2/%3, cellule %4) : \"%5\" au lieu de \"%6\"")
                                          .arg(date.toString(Qt::ISODate))
                                          .arg(mois)
                                          .arg(an)
                                          .arg(i)
                                          .arg(c.infobulle, nom);
                    }
                }
            }
        }
        ecarts.removeDuplicates();
        QVERIFY2(ecarts.isEmpty(), qPrintable(QString::number(ecarts.size()) + u'\n' + ecarts.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestFeriesParDate)
#include "test_calendar_feries_par_date.moc"
