// A block that moves away from the crop marks or from the other block leaves them whole:
// the picture is then the one a full redraw at the new place gives.
#include "layout/EnveloppeApercu.h"
#include "layout/Modele.h"
#include "tests/support/RecordingPrinterService.h"

#include <QtTest>

namespace {
const QString kDest = QStringLiteral("Nom\r\nAdresse");
const QString kExp = QStringLiteral("Jean\r\nRue");

void redessineTout(EnveloppeApercu& apercu, const ReglagesModele& r)
{
    apercu.DessineModele(r.LongueurEnv, r.HauteurEnv, r.RepereCoupe);
    apercu.DessineExp(kExp, r);
    apercu.DessineDest(kDest, r, r.LongueurEnv, r.HauteurEnv);
}

// The recipient is placed by its left and bottom distances, the sender by its left and top.
void place(ReglagesModele& r, bool dest, QPointF mm)
{
    (dest ? r.MargeGaucheDest : r.MargeGaucheExp) = float(mm.x());
    (dest ? r.MargeBasseDest : r.MargeHauteExp) = float(mm.y());
}
} // namespace

class TestEffacement : public QObject {
    Q_OBJECT
private slots:
    void unBlocDeplaceLaisseLeResteEntier_data()
    {
        QTest::addColumn<bool>("dest");
        QTest::addColumn<bool>("logo");
        QTest::addColumn<QPointF>("depart");
        QTest::addColumn<QPointF>("arrivee");
        QTest::newRow("destinataire sur le coin des repères") << true << false << QPointF(205, 0) << QPointF(100, 20);
        QTest::newRow("destinataire sur l'expéditeur") << true << false << QPointF(5, 85) << QPointF(100, 20);
        QTest::newRow("destinataire sur le logo") << true << true << QPointF(5, 80) << QPointF(100, 20);
        QTest::newRow("logo sur le destinataire") << false << true << QPointF(95, 70) << QPointF(10, 10);
        QTest::newRow("expéditeur sur le repère du haut") << false << false << QPointF(210, 0) << QPointF(10, 10);
    }
    void unBlocDeplaceLaisseLeResteEntier()
    {
        QFETCH(bool, dest);
        QFETCH(bool, logo);
        QFETCH(QPointF, depart);
        QFETCH(QPointF, arrivee);
        RecordingPrinterService imprimante;
        ReglagesModele r;
        r.RepereCoupe = true;
        r.LogoChoisi = logo;
        r.Logo = QImage(118, 53, QImage::Format_RGB32);

        Modele modele;
        EnveloppeApercu apercu(modele, imprimante);
        place(r, dest, depart);
        redessineTout(apercu, r);
        place(r, dest, arrivee);
        if (dest)
            apercu.DessineDest(kDest, r, r.LongueurEnv, r.HauteurEnv);
        else
            apercu.DessineExp(kExp, r);

        Modele attendu;
        EnveloppeApercu apercuAttendu(attendu, imprimante);
        redessineTout(apercuAttendu, r);
        QCOMPARE(modele.image(), attendu.image());
    }
};

QTEST_MAIN(TestEffacement)
#include "test_layout_effacement.moc"
