// The plain rules the preview is drawn and judged by: its crop marks; the postal norm that
// turns the recipient block red, in words: each rule broken, by how much, at and around its
// limit; and the advice on the form of a French address (NF Z10-011), each rule on its own.
#include "layout/ConseilAdresse.h"
#include "layout/GeometrieApercu.h"
#include "layout/NormePostale.h"

#include <QtTest>

using Regle = ConseilAdresse::Regle;
using Regles = QList<Regle>;

class TestConseilAdresse : public QObject {
    Q_OBJECT
private slots:
    void regles_data()
    {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<Regles>("enfreintes");
        const auto ligne = [](const char* nom, const QString& adresse, Regles regles = {}) {
            QTest::newRow(nom) << adresse << regles;
        };
        const Regles lignes = {Regle::TropDeLignes}, longue = {Regle::LigneTropLongue},
                     fin = {Regle::DerniereLigne};
        ligne("start-up address", u"Nom\r\net\r\nAdresse\r\n"_qs);
        ligne("empty", QString());
        // A foreign address ends with its country, which does not begin with a digit.
        ligne("foreign", u"Hans Muster\nHauptstrasse 5\n8001 Zürich\nSUISSE"_qs);
        ligne("six lines", u"a\nb\nc\nd\ne\nf"_qs);
        ligne("seven lines", u"a\nb\nc\nd\ne\nf\ng"_qs, lignes);
        ligne("blank lines do not count", u"\r\na\r\n\r\nb\r\n  \r\nc\r\nd\r\ne\r\nf\r\n\r\n"_qs);
        // Spaces inside count; blanks at a line's end print as nothing; an accented letter is one character.
        ligne("38 characters", QString(38, u'x'));
        ligne("39 characters", u"Nom\n"_qs + QString(39, u'x'), longue);
        ligne("40 with spaces", u"Résidence des Quatre Saisons, bâtiment C"_qs, longue);
        ligne("38 and blanks", QString(38, u'x') + u"   "_qs);
        ligne("38 accented", QString(38, u'é'));
        for (const char* bonne : {"75008 PARIS", "13001 MARSEILLE CEDEX 01", "85350 L'ÎLE-D'YEU",
                                  "  69003 LYON  ", "F-75008 PARIS x"})
            ligne(bonne, u"Nom\n"_qs + QString::fromUtf8(bonne));
        for (const char* mauvaise : {"75008 Paris", "75008  PARIS", "7508 PARIS", "750080 PARIS",
                                     "75008-PARIS", "75008", "12 rue des Lilas"})
            ligne(mauvaise, u"Nom\n"_qs + QString::fromUtf8(mauvaise), fin);
        ligne("last line with text", u"Nom\r\n75008 paris\r\n\r\n"_qs, fin);
        ligne("all three", QString(40, u'x') + u"\n2\n3\n4\n5\n6\n7 bis"_qs,
              {Regle::TropDeLignes, Regle::LigneTropLongue, Regle::DerniereLigne});
    }
    void regles()
    {
        QFETCH(QString, adresse);
        QTEST(ConseilAdresse::enfreintes(adresse), "enfreintes");
    }

    // The label under the box is the window's test (test_app_ligne_conseil).
    void conseilJointLesRegles()
    {
        QCOMPARE(ConseilAdresse::conseil({Regle::TropDeLignes, Regle::LigneTropLongue}),
                 QStringLiteral("Conseil : 6 lignes au plus ; 38 caractères au plus par ligne."));
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

    void ecarts_data()
    {
        QTest::addColumn<double>("margeGauche");
        QTest::addColumn<double>("margeBasse");
        QTest::addColumn<double>("largeur");
        QTest::addColumn<double>("hauteur");
        QTest::addColumn<QStringList>("ecarts");
        // On a 220 x 110 envelope: a value equal to a limit keeps the norm.
        QTest::newRow("every limit met exactly") << 20.0 << 20.0 << 180.0 << 50.0 << QStringList();
        QTest::newRow("a tenth short everywhere") << 19.9 << 19.9 << 180.2 << 50.1
                                                  << QStringList{u"marge gauche : 19,9 mm au lieu de 20"_qs,
                                                                 u"marge droite : 19,9 mm au lieu de 20"_qs,
                                                                 u"hauteur libre : 59,9 mm au lieu de 60"_qs,
                                                                 u"marge basse : 19,9 mm au lieu de 20"_qs};
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
        const BlocDestinataire bloc{margeGauche, margeBasse, largeur, hauteur};
        QCOMPARE(ecartsNorme(bloc, 220, 110), ecarts);
        QCOMPARE(controleNorme(bloc, 220, 110).respectee(), ecarts.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestConseilAdresse)
#include "test_layout_conseil.moc"
