// The main window driven offscreen as a user would: the preview, the blocks and the
// norm check measured through the real Qt printing service, the controls, the close check.
#include "layout/Modele.h"
#include "platform/QtPrinterService.h"
#include "tests/app/BancForm1.h"

#include <QScreen>

namespace {
using BancQt = Banc<QtPrinterService>;

QColor couleurAu(const Modele& m, double x, double y)
{
    return m.image().pixelColor(m.versPixel({x, y}));
}

QColor centreDe(const Modele& m, const RectTwips& r)
{
    return couleurAu(m, r.left.value + r.width.value / 2, r.top.value + r.height.value / 2);
}
} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void ouvreCentreeTitreeSurLeModeleDessine()
    {
        BancQt b;
        QCOMPARE(b.f->windowTitle(), QStringLiteral("Plivane - Version 2.1"));
        const QRect ecran = b.f->screen()->availableGeometry();
        QVERIFY(qAbs(b.f->frameGeometry().center().x() - ecran.center().x()) <= 3);
        QCOMPARE(b.texte("Quantité"), QStringLiteral("1"));
        QCOMPARE(b.texte("CadreLogo"), QStringLiteral("Nom Adresse"));
        QVERIFY(b.c().PlivaneOrient[0]->isVisible());
        QVERIFY(b.c().Logo[1]->isChecked() && b.c().Orient[0]->isChecked() &&
                b.c().ReperesCoupe[1]->isChecked());
        QVERIFY(!b.f->etat().Modifie && !b.f->etat().Chargement);
    }

    void blocDestinataireMesureParLImprimanteEtControle()
    {
        BancQt b;
        const EnveloppeApercu& a = b.f->apercu();
        QVERIFY(a.verdictDest().respectee());
        b.imprimante.setFontName(QStringLiteral("Arial"));
        b.imprimante.setFontSize(18);
        b.imprimante.setFontBold(false);
        b.imprimante.setFontItalic(false);
        b.imprimante.setFontUnderline(false);
        const double largeur = b.imprimante.textWidth(b.f->texteAdresse()).value().value;
        const double hauteur = b.imprimante.textHeight(b.f->texteAdresse()).value().value;
        QVERIFY(largeur > 15 && largeur < 40); // "Adresse" in 18 points
        QVERIFY(hauteur > 18 && hauteur < 24); // three lines of about 7 mm
        const RectTwips& r = a.cadreDest();
        QCOMPARE(r.width.value, largeur * a.Echelle());
        QCOMPARE(r.height.value, hauteur * a.Echelle());
        QCOMPARE(r.left.value, 100 * a.Echelle());
        QCOMPARE(r.top.value, (110 - 20 - hauteur) * a.Echelle());
        const Modele& m = *b.c().ModeleApercu;
        QCOMPARE(couleurAu(m, r.left.value, r.top.value), QColor(Qt::black));
        QCOMPARE(centreDe(m, r), m.couleurFond());

        // Breaking the norm fills the rectangle in red.
        b.c().SpinLV->flecheBas()->click();
        QCOMPARE(b.texte("EspAdrH"), QStringLiteral(" 19"));
        QVERIFY(!a.verdictDest().respectee());
        QCOMPARE(centreDe(m, a.cadreDest()), QColor(255, 0, 0));
        b.c().SpinLV->flecheHaut()->click(); // back to 20: the limit keeps the norm
        QVERIFY(a.verdictDest().respectee());
        QCOMPARE(centreDe(m, a.cadreDest()), m.couleurFond());

        b.c().Adresse->setPlainText(QStringLiteral("Une adresse vraiment très très longue"));
        QVERIFY(!a.verdictDest().margeDroite);
        const RectTwips rouge = a.cadreDest();
        b.c().Adresse->clear(); // the old rectangle is wiped
        QCOMPARE(centreDe(m, rouge), m.couleurFond());
    }

    void longueurEtFlechesPlacentLeDestinataireDansSesBornes()
    {
        BancQt b;
        b.c().BHL->setValue(130);
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral("17"));
        QCOMPARE(b.f->reglages().MargeGaucheDest, 17.0f);
        QVERIFY(!b.f->apercu().verdictDest().margeGauche);
        b.c().BHL->setValue(350);
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral("230"));
        QCOMPARE(b.f->apercu().Echelle(), 4560.0 / 350);
        QVERIFY(b.f->etat().Modifie);

        b.c().BHL->setValue(220); // the arrows stop at 0 and at the length
        for (int i = 0; i < 101; ++i)
            b.c().SpinLH->flecheBas()->click();
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral(" 0"));
        for (int i = 0; i < 225; ++i)
            b.c().SpinLH->flecheHaut()->click();
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral(" 220"));
        b.c().SpinMV->flecheBas()->click(); // the sender moves down: its distance grows
        QCOMPARE(b.f->reglages().MargeHauteExp, 11.0f);
    }

    void sensEtReperesChoisissentLImageEtLesMarquesRouges()
    {
        BancQt b;
        auto etat = [&] {
            QStringList vus;
            for (int i = 0; i < 4; ++i)
                if (b.c().PlivaneOrient[i]->isVisible())
                    vus << QString::number(i);
            const QImage& img = b.c().ModeleApercu->image();
            int rouges = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    rouges += img.pixelColor(x, y) == QColor(255, 0, 0);
            return vus.join(u',') + QString::fromUtf8(rouges > 20 ? " repères" : rouges > 0 ? " ?" : "");
        };
        b.c().Orient[1]->click();
        QCOMPARE(etat(), QStringLiteral("1"));
        b.c().ReperesCoupe[0]->click();
        QCOMPARE(etat(), QStringLiteral("3 repères"));
        b.c().ReperesCoupe[1]->click();
        QCOMPARE(etat(), QStringLiteral("1"));
        b.c().Orient[0]->click();
        QCOMPARE(etat(), QStringLiteral("0"));
        QVERIFY(b.f->etat().Modifie);
    }

    void logoIntegreOuChoisiEnVignetteEtEnGris()
    {
        BancQt b;
        b.dialogs.openAnswers = {std::nullopt}; // no file chosen: the built-in logo
        b.c().Logo[0]->click();
        QVERIFY(b.f->reglages().LogoChoisi);
        QCOMPARE(b.f->reglages().Logo.size(), QSize(118, 53));
        const auto ouverts = b.dialogs.shownOfKind(QStringLiteral("open"));
        QCOMPARE(ouverts.size(), 1);
        QCOMPARE(ouverts[0].title, QStringLiteral("Ouvrir un Fichier LOGO"));
        QCOMPARE(ouverts[0].file.filter, QStringLiteral("Fichiers autorisés (*.BMP)|*.BMP"));

        QTemporaryDir dir;
        const QString chemin = dir.filePath(QStringLiteral("logo.BMP"));
        QImage image(240, 120, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(chemin, "BMP"));
        b.dialogs.openAnswers = {chemin};
        QTest::mouseClick(b.c().ImgLogo, Qt::LeftButton);
        QCOMPARE(b.f->reglages().NomLogo, chemin);
        QCOMPARE(b.c().ImgLogo->size(), QSize(66, 33)); // 990 x 495 twips
        QCOMPARE(b.texte("CadreLogo"), QString());
        // The grey rectangle has the logo's natural size: 240 x 120 pixels at 96 dpi.
        const EnveloppeApercu& a = b.f->apercu();
        QCOMPARE(a.cadreExp().width.value, 240 * 25.4 / 96 * a.Echelle());
        QCOMPARE(couleurAu(*b.c().ModeleApercu, a.cadreExp().left.value + 20, a.cadreExp().top.value + 20),
                 QColor(192, 192, 192));

        // A file that is no bitmap leaves the picture as it was, without a word.
        b.dialogs.openAnswers = {ecritFichier(dir.filePath(QStringLiteral("faux.BMP")), "pas une image")};
        QTest::mouseClick(b.c().ImgLogo, Qt::LeftButton);
        QCOMPARE(b.f->reglages().Logo.width(), 240);
        QVERIFY(b.dialogs.messageTexts().isEmpty());
    }

    void policeChoisieSAppliqueALaBoiteQuiAvaitLeFocus()
    {
        BancQt b;
        b.c().Exped->setFocus();
        QApplication::processEvents();
        b.c().Exped->setPlainText(QStringLiteral("Jean Expéditeur\n12 rue des Lilas"));
        QCOMPARE(b.f->PoliceCible(), 1);
        b.dialogs.fontAnswers = {FontChoice{.name = QStringLiteral("Times New Roman"),
                                            .pointSize = 12,
                                            .bold = true,
                                            .strikeOut = true,
                                            .colour = QColor(0, 0, 128)}};
        const double avant = b.f->apercu().cadreExp().width.value;
        b.c().Polices->click();
        QCOMPARE(b.dialogs.lastFontInitial->pointSize, 8.25); // opened on the sender font
        const BlockFont& p = b.f->reglages().PoliceExp;
        QCOMPARE(std::tuple(p.name, p.pointSize, p.bold),
                 std::tuple(QStringLiteral("Times New Roman"), 12.0, true));
        QCOMPARE(p.colour.windowsNumber(), 128 << 16);
        QVERIFY(b.f->apercu().cadreExp().width.value > avant);
        QCOMPARE(b.f->reglages().PoliceDest.pointSize, 18.0);

        // Cancelling changes nothing; a larger recipient font can break the norm.
        BancQt b2;
        b2.dialogs.fontAnswers = {
            std::nullopt, FontChoice{.name = QStringLiteral("Arial"), .pointSize = 48, .colour = Qt::black}};
        b2.c().Polices->click();
        QVERIFY(!b2.f->etat().Modifie);
        b2.c().Polices->click();
        QVERIFY(!b2.f->apercu().verdictDest().respectee());
    }

    void fermetureDemandeSiLeDocumentAChange()
    {
        BancQt propre; // an up arrow alone leaves nothing to save: no question
        propre.c().SpinLH->flecheHaut()->click();
        QVERIFY(propre.f->close());
        QVERIFY(propre.dialogs.shownOfKind(QStringLiteral("question")).isEmpty());

        BancQt b;
        b.c().SpinLH->flecheBas()->click();
        b.f->Form_Activate(); // back from a modal window, the change is not forgotten
        b.dialogs.questionAnswers = {Answer::Cancel};
        QVERIFY(!b.f->close());
        QVERIFY(b.f->isVisible() && b.f->etat().Modifie);
        const auto q = b.dialogs.shownOfKind(QStringLiteral("question"));
        QCOMPARE(q.size(), 1);
        QCOMPARE(q[0].title, QStringLiteral("Contrôle final"));
        QCOMPARE(q[0].text, QStringLiteral("Voulez-vous sauvegarder vos modifications ?"));
        b.dialogs.questionAnswers = {Answer::No};
        QVERIFY(b.f->close());
    }
};

QTEST_MAIN(TestForm1)
#include "test_app_form1.moc"
