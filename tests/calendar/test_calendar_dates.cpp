// Each date read whole: Easter Monday marked wherever it stands in the grid, the title always
// inside its label, and every cell named by its full date for a screen reader.
#include "calendar/Calendrier.h"
#include "calendar/DatePaques.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestCalendrierDates : public QObject {
    Q_OBJECT
private slots:
    void lundiDePaquesEnTeteDeGrille()
    {
        QStringList lundis; // of the grids that open on Easter Monday, its Sunday left out
        for (int an = 2000; an <= 2100; ++an)
            for (int mois : {4, 5}) {
                const CelluleJour c =
                    CalendrierModele(QDate(an, mois, 15)).CalculDate(true, true).cellules[0];
                if (c.date == DatePaques::pour(an).date().addDays(1))
                    lundis << c.infobulle;
            }
        QCOMPARE(lundis, QStringList(22, QStringLiteral("Lundi de paques")));
    }

    void titreEntierEtCellulesNommees()
    {
        ScriptedDialogs dialogs;
        Calendrier calendrier(dialogs, QDate(2026, 12, 15));
        auto* titre = calendrier.findChild<QLabel*>(QStringLiteral("lblDate"));
        int plusLarge = 0; // 28 years hold every weekday with every day of every month
        for (QDate d(2000, 1, 1); d.year() < 2028; d = d.addDays(1))
            plusLarge = std::max(plusLarge, titre->fontMetrics().horizontalAdvance(
                                                CalendrierModele(d).CalculDate(false, false).titre));
        QVERIFY2(plusLarge <= titre->contentsRect().width(), qPrintable(QString::number(plusLarge)));
        QVERIFY(calendrier.rect().contains(titre->geometry()));

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

QTEST_MAIN(TestCalendrierDates)
#include "test_calendar_dates.moc"
