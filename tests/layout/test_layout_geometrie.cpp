// The preview's crop marks and the postal norm: the plain rules the preview is drawn by.
#include "layout/GeometrieApercu.h"
#include "layout/NormePostale.h"

#include <QtTest>

class TestGeometrie : public QObject {
    Q_OBJECT
private slots:
    void reperesDeCoupeSontTroisMarquesDansLesBordsDroitEtBas()
    {
        const QList<QLineF> traits = reperesCoupeApercu(Twips(4560), Twips(2280));
        QCOMPARE(traits.size(), 4); // the corner is two strokes
        QCOMPARE(traits[0], QLineF(4485, 0, 4485, 200));
        QCOMPARE(traits[1], QLineF(0, 2205, 200, 2205));
        QCOMPARE(traits[2].p2(), traits[3].p1());
        QCOMPARE(traits[3].p2(), QPointF(4485, 2280 - 260));
    }

    void normePostaleGardeSesLimites()
    {
        // The text's left, bottom, width and height in mm on a 220 x 110 envelope: a value
        // equal to a limit keeps the norm, a hair beyond breaks it.
        const struct {
            double gauche, basse, largeur, hauteur;
            bool respectee;
        } cas[] = {{100, 20, 40, 20, true},  {100, 19, 40, 20, false},   {20, 20, 40, 20, true},
                   {17, 20, 40, 20, false},  {100, 20, 40, 50, true},    {100, 60, 40, 50.1, false},
                   {100, 20, 100, 20, true}, {100, 20, 100.1, 20, false}};
        for (const auto& c : cas)
            QVERIFY2(
                controleNorme({c.gauche, c.basse, c.largeur, c.hauteur}, 220, 110).respectee() == c.respectee,
                qPrintable(
                    QStringLiteral("%1 %2 %3 %4").arg(c.gauche).arg(c.basse).arg(c.largeur).arg(c.hauteur)));
    }

};

QTEST_MAIN(TestGeometrie)
#include "test_layout_geometrie.moc"
