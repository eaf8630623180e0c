// The preview's geometry, the postal norm, the logo thumbnail and the spin arrows: the
// plain rules the preview is drawn by.
#include "app/NombrePanneau.h"
#include "layout/AjusteLogo.h"
#include "layout/FlecheSpin.h"
#include "layout/GeometrieApercu.h"
#include "layout/Modele.h"
#include "layout/NormePostale.h"

#include <QtTest>

class TestGeometrie : public QObject {
    Q_OBJECT
private slots:
    void apercuGardeLaBoiteDessineePourLEnveloppeParDefaut()
    {
        const GeometrieApercu g = calculeGeometrie(220, 110);
        QCOMPARE(g.LargeurApercu.value, 4560.0);
        QCOMPARE(g.HauteurApercu.value, 2280.0);
        QCOMPARE(g.Echelle, 4560.0 / 220.0);
        QCOMPARE(g.gauche.value, 1022.5);
        // The groups keep their designed places, shifted by the same 2.5 twips.
        QCOMPARE(g.gauchePictExp.value, 30 + 2.5);
        QCOMPARE(g.gauchePictDest.value, 1950 + 2.5);
        QCOMPARE(g.hautPictDest.value, 2130.0);
    }

    void apercuCarreEstLimiteParLaHauteur()
    {
        const GeometrieApercu g = calculeGeometrie(100, 100);
        QCOMPARE(g.LargeurApercu.value, 2280.0);
        QCOMPARE(g.HauteurApercu.value, 2280.0);
        QCOMPARE(g.Echelle, 22.8);
        QCOMPARE(g.gauche.value, 2162.5);
        QCOMPARE(g.gauchePictExp.value, 2162.5 - 990);
    }

    void apercuLongEstLimiteParLaLargeur()
    {
        const GeometrieApercu g = calculeGeometrie(350, 100);
        QCOMPARE(g.LargeurApercu.value, 4560.0);
        QCOMPARE(g.HauteurApercu.value, 4560.0 * 100 / 350);
        QCOMPARE(g.hautPictDest.value, 780 + 4560.0 * 100 / 350 - 930);
    }

    void reperesDeCoupeSontTroisMarquesDansLesBordsDroitEtBas()
    {
        const QList<QLineF> traits = reperesCoupeApercu(Twips(4560), Twips(2280));
        QCOMPARE(traits.size(), 4);  // the corner is two strokes
        QCOMPARE(traits[0], QLineF(4485, 0, 4485, 200));
        QCOMPARE(traits[1], QLineF(0, 2205, 200, 2205));
        QCOMPARE(traits[2].p2(), traits[3].p1());
        QCOMPARE(traits[3].p2(), QPointF(4485, 2280 - 260));
    }

    void normePostale_data()
    {
        QTest::addColumn<double>("gauche");
        QTest::addColumn<double>("basse");
        QTest::addColumn<double>("largeur");
        QTest::addColumn<double>("hauteur");
        QTest::addColumn<bool>("respectee");
        QTest::newRow("défaut") << 100.0 << 20.0 << 40.0 << 20.0 << true;
        QTest::newRow("bas à 19") << 100.0 << 19.0 << 40.0 << 20.0 << false;
        QTest::newRow("gauche à 20") << 20.0 << 20.0 << 40.0 << 20.0 << true;
        QTest::newRow("gauche à 17") << 17.0 << 20.0 << 40.0 << 20.0 << false;
        QTest::newRow("texte de 50 mm") << 100.0 << 20.0 << 40.0 << 50.0 << true;
        QTest::newRow("texte de 50.1 mm") << 100.0 << 60.0 << 40.0 << 50.1 << false;
        QTest::newRow("droite à 20") << 100.0 << 20.0 << 100.0 << 20.0 << true;
        QTest::newRow("droite à 19.9") << 100.0 << 20.0 << 100.1 << 20.0 << false;
    }

    void normePostale()
    {
        QFETCH(double, gauche);
        QFETCH(double, basse);
        QFETCH(double, largeur);
        QFETCH(double, hauteur);
        QFETCH(bool, respectee);
        QCOMPARE(controleNorme({gauche, basse, largeur, hauteur}, 220, 110).respectee(), respectee);
    }

    void vignetteGardeLesProportionsDuLogo()
    {
        // A logo twice as wide as high in the designed 1125 x 495 box: 990 x 495, centred.
        const PlaceVignette p = ajusteVignette(Twips(2000), Twips(1000), Twips(1125), Twips(495), Twips(1290), Twips(630));
        QCOMPARE(p.largeur.value, 990.0);
        QCOMPARE(p.hauteur.value, 495.0);
        QCOMPARE(p.gauche.value, 150.0);
        QCOMPARE(p.haut.value, 67.5);
        const PlaceVignette haut = ajusteVignette(Twips(500), Twips(1000), Twips(1125), Twips(495), Twips(1290), Twips(630));
        QCOMPARE(haut.hauteur.value, 495.0);
        QCOMPARE(haut.largeur.value, 247.5);
        const PlaceVignette large = ajusteVignette(Twips(4000), Twips(1000), Twips(1125), Twips(495), Twips(1290), Twips(630));
        QCOMPARE(large.largeur.value, 1125.0);
        QCOMPARE(large.hauteur.value, 281.25);
    }

    void flechesRespectentLeursBornes()
    {
        QCOMPARE(FlecheSpin(0, 220, QStringLiteral("0"), -1), std::nullopt);
        QCOMPARE(FlecheSpin(1, 220, QStringLiteral("1"), -1), QStringLiteral(" 0"));
        QCOMPARE(FlecheSpin(219, 220, QStringLiteral(" 219"), +1), QStringLiteral(" 220"));
        QCOMPARE(FlecheSpin(220, 220, QStringLiteral(" 220"), +1), std::nullopt);
        QCOMPARE(FlecheSpin(21, 110, QStringLiteral("21"), +1), QStringLiteral(" 22"));
    }

    void nombreDUnPanneau()
    {
        QCOMPARE(NombrePanneau(QStringLiteral(" 22")), 22.0);
        QCOMPARE(NombrePanneau(QStringLiteral("10.5 mm")), 10.5);
        QCOMPARE(NombrePanneau(QStringLiteral(".5")), 0.5);
        QCOMPARE(NombrePanneau(QStringLiteral("-3")), -3.0);
        QCOMPARE(NombrePanneau(QStringLiteral("abc")), 0.0);
        QCOMPARE(NombrePanneau(QString()), 0.0);
        QCOMPARE(TexteNombreSigne(22), QStringLiteral(" 22"));
        QCOMPARE(TexteNombreSigne(0), QStringLiteral(" 0"));
        QCOMPARE(TexteNombreSigne(-1), QStringLiteral("-1"));
        QCOMPARE(TexteNombre(10.5), QStringLiteral("10.5"));
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
