// The preview's geometry, the postal norm, the logo thumbnail and the panels' numbers: the
// plain rules the preview is drawn by.
#include "app/NombrePanneau.h"
#include "layout/AjusteLogo.h"
#include "layout/GeometrieApercu.h"
#include "layout/Modele.h"
#include "layout/NormePostale.h"

#include <QtTest>

class TestGeometrie : public QObject {
    Q_OBJECT
private slots:
    void apercuTientDansLaBoiteDessinee()
    {
        auto apercu = [](double L, double H) {
            const GeometrieApercu g = calculeGeometrie(L, H);
            return QStringLiteral("%1 x %2, échelle %3, à %4")
                .arg(g.LargeurApercu.value)
                .arg(g.HauteurApercu.value)
                .arg(g.Echelle)
                .arg(g.gauche.value);
        };
        // The default keeps the designed box; a square is bounded by the height, a long one by the width.
        QCOMPARE(apercu(220, 110), QStringLiteral("4560 x 2280, échelle 20.7273, à 1022.5"));
        QCOMPARE(apercu(100, 100), QStringLiteral("2280 x 2280, échelle 22.8, à 2162.5"));
        QCOMPARE(apercu(350, 100), QStringLiteral("4560 x 1302.86, échelle 13.0286, à 1022.5"));
        // The groups keep their designed places beside the box, whose top never moves.
        QCOMPARE(calculeGeometrie(100, 100).gauchePictExp.value, 2162.5 - 990);
        QCOMPARE(calculeGeometrie(220, 110).gauchePictDest.value, 1950 + 2.5);
        QCOMPARE(calculeGeometrie(350, 100).hautPictDest.value, 780 + 4560 * 100 / 350.0 - 930);
    }

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

    void vignetteGardeLesProportionsDuLogo()
    {
        auto place = [](double largeur, double hauteur) {
            const PlaceVignette p = ajusteVignette(Twips(largeur), Twips(hauteur), Twips(1125), Twips(495),
                                                   Twips(1290), Twips(630));
            return QList<double>{p.gauche.value, p.haut.value, p.largeur.value, p.hauteur.value};
        };
        // Twice as wide as high in the designed 1125 x 495 box: 990 x 495, centred.
        QCOMPARE(place(2000, 1000), (QList<double>{150, 67.5, 990, 495}));
        QCOMPARE(place(500, 1000)[3], 495.0);
        QCOMPARE(place(500, 1000)[2], 247.5);
        QCOMPARE(place(4000, 1000)[2], 1125.0);
        QCOMPARE(place(4000, 1000)[3], 281.25);
    }

    void nombreDUnPanneau()
    {
        QCOMPARE(NombrePanneau(QStringLiteral(" 22")), 22.0);
        QCOMPARE(NombrePanneau(QStringLiteral("10.5 mm")), 10.5);
        QCOMPARE(NombrePanneau(QStringLiteral(".5")), 0.5);
        QCOMPARE(NombrePanneau(QStringLiteral("-3")), -3.0);
        QCOMPARE(NombrePanneau(QStringLiteral("abc")), 0.0);
        QCOMPARE(TexteNombreSigne(0), QStringLiteral(" 0"));
        QCOMPARE(TexteNombreSigne(-1), QStringLiteral("-1"));
        QCOMPARE(TexteNombre(8.25f), QStringLiteral("8.25"));
    }

    void unEffacementCouvreLeContourQuIlRemplace()
    {
        Modele m;
        m.redimensionne(Twips(4560), Twips(2280));
        const RectTwips r{Twips(1000), Twips(500), Twips(1234), Twips(567)};
        m.contour(r, Qt::black);
        QVERIFY(m.image().pixelColor(m.versPixel({1000, 500})) == QColor(Qt::black));
        m.remplit(r, m.couleurFond());
        for (int y = 0; y < m.image().height(); ++y)
            for (int x = 0; x < m.image().width(); ++x)
                QCOMPARE(m.image().pixelColor(x, y), m.couleurFond());
    }
};

QTEST_MAIN(TestGeometrie)
#include "test_layout_geometrie.moc"
