// The calendar widget driven as a user would, offscreen, under the Fusion style.
#include "calendar/Calendrier.h"
#include "calendar/CouleursCalendrier.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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

    void disposition()
    {
        ScriptedDialogs dialogs;
        Calendrier calendrier(dialogs, QDate(2002, 6, 5));
        QCOMPARE(calendrier.size(), Calendrier::tailleFixe());
        QCOMPARE(calendrier.findChild<QLabel*>(QStringLiteral("lblDate"))->text(),
                 QStringLiteral("mercredi 05 juin"));
        QCOMPARE(calendrier.findChild<QLabel*>(QStringLiteral("lblJour(6)"))->text(), QStringLiteral("Dim"));
        QCOMPARE(calendrier.findChild<QComboBox*>(QStringLiteral("cMois"))->currentText(),
                 QStringLiteral("Juin"));
        QCOMPARE(calendrier.findChild<QComboBox*>(QStringLiteral("cAn"))->count(), 101);
        QCOMPARE(calendrier.findChild<QComboBox*>(QStringLiteral("cAn"))->currentText(),
                 QStringLiteral("2002"));

        // 435 x 345 twips each, six rows of seven touching cells.
        auto* premier = calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(0)"));
        auto* dernier = calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(41)"));
        QCOMPARE(premier->size(), QSize(29, 23));
        QCOMPARE(dernier->pos() - premier->pos(), QPoint(6 * 29, 5 * 23));
        QVERIFY(dialogs.shown.isEmpty());
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

    void naviguerDeLaSouris()
    {
        ScriptedDialogs dialogs;
        Calendrier calendrier(dialogs, QDate(2024, 12, 31));
        auto* lblDate = calendrier.findChild<QLabel*>(QStringLiteral("lblDate"));
        auto* cMois = calendrier.findChild<QComboBox*>(QStringLiteral("cMois"));
        calendrier.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendrier));

        // The last cell is a day of January: the next year opens on it.
        QTest::mouseClick(calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(41)")), Qt::LeftButton);
        QCOMPARE(calendrier.findChild<QComboBox*>(QStringLiteral("cAn"))->currentText(),
                 QStringLiteral("2025"));
        QCOMPARE(cMois->currentText(), QStringLiteral("Janvier"));

        // 31 January, then February and March from the list: the 28th, then the 31st again.
        QTest::mouseClick(calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(32)")), Qt::LeftButton);
        QCOMPARE(lblDate->text(), QStringLiteral("vendredi 31 janvier"));
        cMois->setFocus();
        QTest::keyClick(cMois, Qt::Key_Down);
        QCOMPARE(lblDate->text(), QStringLiteral("vendredi 28 février"));
        QTest::keyClick(cMois, Qt::Key_Down);
        QCOMPARE(lblDate->text(), QStringLiteral("lundi 31 mars"));
        const int choisie = calendrier.modele().affichage().celluleChoisie;
        QCOMPARE(calendrier.findChild<QPushButton*>(QStringLiteral("btnJour(%1)").arg(choisie))->toolTip(),
                 QStringLiteral("lundi 31 mars 2025"));
    }
};

QTEST_MAIN(TestCalendrierWidget)
#include "test_calendar_widget.moc"
