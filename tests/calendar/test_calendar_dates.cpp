// Every cell of the calendar named by its full date for a screen reader.
#include "calendar/Calendrier.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAccessible>
#include <QPushButton>
#include <QtTest>

class TestCalendrierDates : public QObject {
    Q_OBJECT
private slots:
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

QTEST_MAIN(TestCalendrierDates)
#include "test_calendar_dates.moc"
