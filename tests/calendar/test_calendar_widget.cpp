// The calendar widget driven as a user would, offscreen, under the Fusion style: the colours
// shown, and every cell named by its full date for a screen reader.
#include "calendar/Calendrier.h"
#include "calendar/CouleursCalendrier.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QtTest>

namespace {
// A cell's face beside its caption and inside its border; a box's past its caption.
QColor couleurMontree(QWidget* widget, bool aDroite = false)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(aDroite ? image.width() - 3 : 5, image.height() / 2);
}
} // namespace

class TestCalendrierWidget : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

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

QTEST_MAIN(TestCalendrierWidget)
#include "test_calendar_widget.moc"
