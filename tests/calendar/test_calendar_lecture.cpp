// What the calendar gives to read: a title that always shows whole, and day cells that a
// screen reader tells apart by their full date, the selected one announced as selected.
#include "calendar/Calendrier.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestCalendrierLecture : public QObject {
    Q_OBJECT
private slots:
    void titreEntierDansSaPolice()
    {
        ScriptedDialogs dialogs;
        Calendrier calendrier(dialogs, QDate(2026, 9, 6));
        auto* lblDate = calendrier.findChild<QLabel*>(QStringLiteral("lblDate"));
        QCOMPARE(lblDate->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(lblDate->font().pointSizeF(), 15.75);
        QVERIFY(lblDate->font().bold());
        QVERIFY(calendrier.rect().contains(lblDate->geometry()));

        // Twenty-eight years give every weekday with every day of every month.
        const QFontMetrics metriques(lblDate->font());
        QString plusLong;
        for (QDate d(2000, 1, 1); d.year() < 2028; d = d.addDays(1)) {
            const QString titre = CalendrierModele(d).CalculDate(false, false).titre;
            if (metriques.horizontalAdvance(titre) > metriques.horizontalAdvance(plusLong))
                plusLong = titre;
        }
        QVERIFY2(metriques.horizontalAdvance(plusLong) <= lblDate->contentsRect().width(),
                 qPrintable(QStringLiteral("%1 : %2 px pour %3").arg(plusLong)
                                .arg(metriques.horizontalAdvance(plusLong))
                                .arg(lblDate->contentsRect().width())));
    }

    void cellulesNommeesParLeurDate()
    {
        ScriptedDialogs dialogs;
        Calendrier calendrier(dialogs, QDate(2026, 12, 15));
        QStringList noms;
        QList<int> choisies;
        const auto lit = [&] {
            noms.clear();
            choisies.clear();
            for (int i = 0; i < kNombreCellules; ++i) {
                QAccessibleInterface* cellule = QAccessible::queryAccessibleInterface(
                    calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(%1)").arg(i)));
                QVERIFY(cellule->state().selectable);
                noms << cellule->text(QAccessible::Name);
                if (cellule->state().selected)
                    choisies << i;
            }
        };
        // December 2026 opens on Monday 30 November and ends on Sunday 10 January.
        lit();
        QCOMPARE(noms.mid(0, 2), (QStringList{"lundi 30 novembre 2026", "mardi 1 décembre 2026"}));
        QCOMPARE(noms.mid(31, 2), (QStringList{"jeudi 31 décembre 2026", "vendredi 1 janvier 2027"}));
        QCOMPARE(noms.last(), QStringLiteral("dimanche 10 janvier 2027"));
        QCOMPARE(QStringList(noms).removeDuplicates(), 0);
        QCOMPARE(choisies, QList<int>{15});

        QTest::mouseClick(calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(3)")), Qt::LeftButton);
        lit();
        QCOMPARE(choisies, QList<int>{3});
        QCOMPARE(noms.at(3), QStringLiteral("jeudi 3 décembre 2026"));
    }
};

QTEST_MAIN(TestCalendrierLecture)
#include "test_calendar_lecture.moc"
