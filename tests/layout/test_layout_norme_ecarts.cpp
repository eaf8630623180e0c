// What the red rectangle tells in words: each rule the recipient block breaks, by how much,
// at and around its limit.
#include "layout/NormePostale.h"

#include <QtTest>

class TestNormeEcarts : public QObject {
    Q_OBJECT
private slots:
    void ecarts_data()
    {
        QTest::addColumn<double>("margeGauche");
        QTest::addColumn<double>("margeBasse");
        QTest::addColumn<double>("largeur");
        QTest::addColumn<double>("hauteur");
        QTest::addColumn<QStringList>("ecarts");
        // On a 220 x 110 envelope.
        QTest::newRow("every limit met exactly") << 20.0 << 20.0 << 180.0 << 50.0 << QStringList();
        QTest::newRow("a tenth short everywhere")
            << 19.9 << 19.9 << 180.2 << 50.1
            << QStringList{u"marge gauche : 19,9 mm au lieu de 20"_qs, u"marge droite : 19,9 mm au lieu de 20"_qs,
                           u"hauteur libre : 59,9 mm au lieu de 60"_qs, u"marge basse : 19,9 mm au lieu de 20"_qs};
        QTest::newRow("just short is never shown as the limit")
            << 19.96 << 20.0 << 100.0 << 30.0 << QStringList{u"marge gauche : 19,9 mm au lieu de 20"_qs};
    }

    void ecarts()
    {
        QFETCH(double, margeGauche);
        QFETCH(double, margeBasse);
        QFETCH(double, largeur);
        QFETCH(double, hauteur);
        QFETCH(QStringList, ecarts);
        QCOMPARE(ecartsNorme({margeGauche, margeBasse, largeur, hauteur}, 220, 110), ecarts);
    }
};

QTEST_GUILESS_MAIN(TestNormeEcarts)
#include "test_layout_norme_ecarts.moc"
