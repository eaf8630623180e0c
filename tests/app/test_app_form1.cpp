// The main window driven offscreen as a user would: the preview, the blocks and the
// norm check measured through the real Qt printing service, the controls, the close check.
#include "app/window/Form1.h"
#include "layout/Modele.h"
#include "layout/SpinButton.h"
#include "platform/QtPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {
struct Banc {
    ScriptedDialogs dialogs;
    QtPrinterService imprimante;
    std::unique_ptr<Form1> f;

    Banc()
    {
        f = std::make_unique<Form1>(dialogs, imprimante);
        f->show();
    }
    const ControlesForm1& c() const { return f->controles(); }
    QString texte(const char* nom) const { return f->findChild<QLabel*>(QString::fromUtf8(nom))->text(); }
};

QImage bitmap(int w, int h, const QString& chemin)
{
    QImage i(w, h, QImage::Format_RGB32);
    i.fill(Qt::darkCyan);
    i.save(chemin, "BMP");
    return i;
}
}  // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void ouvreCentreeTitreeAvecSesCommandes()
    {
        Banc b;
        QCOMPARE(b.f->windowTitle(), QStringLiteral("Plivane - Version 2.1"));
        QVERIFY(b.f->windowTitle().contains(QStringLiteral("Version 2.1")));
        const QRect ecran = b.f->screen()->availableGeometry();
        QVERIFY2(qAbs(b.f->frameGeometry().center().x() - ecran.center().x()) <= 3, qPrintable(QStringLiteral("%1 %2 %3").arg(b.f->frameGeometry().center().x()).arg(ecran.center().x()).arg(b.f->width())));
        const QStringList cadres = {QStringLiteral("Format de l'enveloppe"), QStringLiteral("Quantité à imprimer"),
                                    QStringLiteral("Adresse du Destinataire"), QStringLiteral("Modèle de l'Enveloppe"),
                                    QStringLiteral("Expéditeur"), QStringLiteral("Orientation Imprim."),
                                    QStringLiteral("Repères de coupe"), QStringLiteral("Adresses")};
        QStringList vus;
        for (QGroupBox* g : b.f->findChildren<QGroupBox*>())
            vus << g->title();
        for (const QString& cadre : cadres)
            QVERIFY2(vus.contains(cadre), qPrintable(cadre));
        QCOMPARE(b.f->findChild<QPushButton*>(QStringLiteral("Série"))->text(), QStringLiteral("Adresses"));
        QCOMPARE(b.f->findChild<QPushButton*>(QStringLiteral("Sauver"))->text(), QStringLiteral("Sauver..."));
        QVERIFY(b.f->findChild<Modele*>(QStringLiteral("Modèle")));
        QCOMPARE(b.texte("Quantité"), QStringLiteral("1"));
        QCOMPARE(b.texte("CadreLogo"), QStringLiteral("Nom Adresse"));
        QVERIFY(b.c().PlivaneOrient[0]->isVisible());
        QVERIFY(b.c().Logo[1]->isChecked());
        QVERIFY(b.c().Orient[0]->isChecked());
        QVERIFY(b.c().ReperesCoupe[1]->isChecked());
        QVERIFY(!b.f->etat().Modifie);
        QVERIFY(!b.f->etat().Chargement);
    }

    void blocDestinataireAuxDimensionsMesureesParLImprimante()
    {
        Banc b;
        const EnveloppeApercu& a = b.f->apercu();
        QVERIFY(a.destDessine());
        QVERIFY(a.verdictDest().respectee());
        // The rectangle has the printed size of the text, measured in Arial 18.
        b.imprimante.setFontName(QStringLiteral("Arial"));
        b.imprimante.setFontSize(18);
        b.imprimante.setFontBold(false);
        b.imprimante.setFontItalic(false);
        b.imprimante.setFontUnderline(false);
        const double largeur = b.imprimante.textWidth(b.f->texteAdresse()).value().value;
        const double hauteur = b.imprimante.textHeight(b.f->texteAdresse()).value().value;
        QVERIFY(largeur > 15 && largeur < 40);          // "Adresse" in 18 points
        QVERIFY(hauteur > 3 * 6 && hauteur < 3 * 8);     // three lines of about 7 mm
        QCOMPARE(a.cadreDest().width.value, largeur * a.Echelle());
        QCOMPARE(a.cadreDest().height.value, hauteur * a.Echelle());
        QCOMPARE(a.cadreDest().left.value, 100 * a.Echelle());
        QCOMPARE(a.cadreDest().top.value, (110 - 20 - hauteur) * a.Echelle());
        // Outlined in black, not filled.
        const Modele& m = *b.c().ModeleApercu;
        const RectTwips& r = a.cadreDest();
        QCOMPARE(m.image().pixelColor(m.versPixel({r.left.value, r.top.value})), QColor(Qt::black));
        QCOMPARE(m.image().pixelColor(m.versPixel({r.left.value + r.width.value / 2, r.top.value + r.height.value / 2})),
                 m.couleurFond());
    }

    void normeEnfreinteRemplitLeCadreEnRouge()
    {
        Banc b;
        const EnveloppeApercu& a = b.f->apercu();
        const Modele& m = *b.c().ModeleApercu;
        auto centre = [&] {
            const RectTwips& r = a.cadreDest();
            return m.image().pixelColor(m.versPixel({r.left.value + r.width.value / 2, r.top.value + r.height.value / 2}));
        };
        b.c().SpinLV->flecheBas()->click();  // bottom 20 -> 19
        QCOMPARE(b.texte("EspAdrH"), QStringLiteral(" 19"));
        QVERIFY(!a.verdictDest().respectee());
        QCOMPARE(centre(), QColor(255, 0, 0));
        b.c().SpinLV->flecheHaut()->click();  // back to 20: the limit keeps the norm
        QVERIFY(a.verdictDest().respectee());
        QCOMPARE(centre(), m.couleurFond());

        // A text too tall for a 110 mm envelope breaks the norm wherever it sits.
        b.c().Adresse->setPlainText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));
        QVERIFY(!a.verdictDest().hauteur);
        // A text ending less than 20 mm before the right edge.
        b.c().Adresse->setPlainText(QStringLiteral("Une adresse vraiment très très longue"));
        QVERIFY(!a.verdictDest().margeDroite);
        // Erasing the text removes the rectangle.
        b.c().Adresse->clear();
        QVERIFY(!a.destDessine());
        QCOMPARE(centre(), m.couleurFond());
        QVERIFY(b.f->etat().Modifie);
    }

    void longueurRecalculeLaMargeGaucheDuDestinataire()
    {
        Banc b;
        b.c().BHL->setValue(130);
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral("17"));
        QCOMPARE(b.f->reglages().MargeGaucheDest, 17.0f);
        QVERIFY(!b.f->apercu().verdictDest().margeGauche);
        b.c().BHL->setValue(138);
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral("18"));
        b.c().BHL->setValue(350);
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral("230"));
        QCOMPARE(b.texte("Lg"), QStringLiteral("350"));
        QCOMPARE(b.f->apercu().Echelle(), 4560.0 / 350);
        QVERIFY(b.f->etat().Modifie);
        // The groups follow the box: PictExp stays 990 twips left of it.
        QCOMPARE(b.c().PictExp->x(), b.c().ModeleApercu->x() - 66);
    }

    void flechesDeplacentLesBlocsDansLeursBornes()
    {
        Banc b;
        b.c().BHL->setValue(220);
        for (int i = 0; i < 100; ++i)
            b.c().SpinLH->flecheBas()->click();
        QCOMPARE(b.f->reglages().MargeGaucheDest, 0.0f);
        b.c().SpinLH->flecheBas()->click();  // at 0 nothing happens
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral(" 0"));
        for (int i = 0; i < 225; ++i)
            b.c().SpinLH->flecheHaut()->click();
        QCOMPARE(b.texte("EspAdrG"), QStringLiteral(" 220"));  // stops at the length

        b.c().SpinMV->flecheBas()->click();  // the sender moves down: its distance grows
        QCOMPARE(b.texte("ExpedH"), QStringLiteral(" 11"));
        QCOMPARE(b.f->reglages().MargeHauteExp, 11.0f);
        b.c().SpinMG->flecheHaut()->click();
        QCOMPARE(b.f->reglages().MargeGaucheExp, 11.0f);
        QCOMPARE(b.f->apercu().cadreExp().left.value, 0.0);  // empty sender text: no frame drawn

        // The height does not move the vertical distances.
        b.c().BHH->setValue(50);
        QCOMPARE(b.f->reglages().MargeBasseDest, 20.0f);
        QCOMPARE(b.texte("Quantité"), QStringLiteral("1"));
    }

    void seuleUneFlecheVersLeBasMarqueLeDocumentModifie()
    {
        Banc b;
        b.c().SpinLH->flecheHaut()->click();
        QVERIFY(!b.f->etat().Modifie);
        QVERIFY(b.f->close());  // nothing to save: no question
        QVERIFY(b.dialogs.shownOfKind(QStringLiteral("question")).isEmpty());

        Banc b2;
        b2.c().SpinLH->flecheBas()->click();
        QVERIFY(b2.f->etat().Modifie);
    }

    void imageDOrientationSuitLeSensEtLesReperes()
    {
        Banc b;
        auto visible = [&] {
            int n = -1;
            for (int i = 0; i < 4; ++i)
                if (b.c().PlivaneOrient[i]->isVisible())
                    n = n == -1 ? i : 99;
            return n;
        };
        b.c().Orient[1]->click();
        QCOMPARE(visible(), 1);
        b.c().ReperesCoupe[0]->click();
        QCOMPARE(visible(), 3);
        b.c().ReperesCoupe[1]->click();
        QCOMPARE(visible(), 1);
        b.c().Orient[0]->click();
        QCOMPARE(visible(), 0);
        QCOMPARE(b.f->reglages().Orientation, 0);
        QVERIFY(b.f->etat().Modifie);
    }

    void reperesDeCoupeApparaissentEnRougeEtDisparaissent()
    {
        Banc b;
        auto rouges = [&] {
            const QImage& img = b.c().ModeleApercu->image();
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += img.pixelColor(x, y) == QColor(255, 0, 0);
            return n;
        };
        QCOMPARE(rouges(), 0);
        b.c().ReperesCoupe[0]->click();
        QVERIFY(b.f->reglages().RepereCoupe);
        QVERIFY(rouges() > 20);
        b.c().ReperesCoupe[1]->click();
        QCOMPARE(rouges(), 0);
    }

    void logoChoisiSAfficheEnVignetteEtEnGris()
    {
        QTemporaryDir dir;
        const QString chemin = dir.filePath(QStringLiteral("logo.BMP"));
        bitmap(240, 120, chemin);
        Banc b;
        b.dialogs.openAnswers = {chemin};
        b.c().Logo[0]->click();
        const auto ouverts = b.dialogs.shownOfKind(QStringLiteral("open"));
        QCOMPARE(ouverts.size(), 1);
        QCOMPARE(ouverts[0].title, QStringLiteral("Ouvrir un Fichier LOGO"));
        QCOMPARE(ouverts[0].file.filter, QStringLiteral("Fichiers autorisés (*.BMP)|*.BMP"));
        QVERIFY(b.f->reglages().LogoChoisi);
        QCOMPARE(b.f->reglages().NomLogo, chemin);
        QCOMPARE(b.c().ImgLogo->size(), QSize(66, 33));  // 990 x 495 twips
        QCOMPARE(b.texte("CadreLogo"), QString());
        // The grey rectangle has the logo's natural size: 240 x 120 pixels at 96 dpi.
        const EnveloppeApercu& a = b.f->apercu();
        QCOMPARE(a.cadreExp().width.value, 240 * 25.4 / 96 * a.Echelle());
        const Modele& m = *b.c().ModeleApercu;
        QCOMPARE(m.image().pixelColor(m.versPixel({a.cadreExp().left.value + 20, a.cadreExp().top.value + 20})),
                 QColor(192, 192, 192));

        // A file that is no bitmap leaves the picture as it was, without a word.
        const QString faux = dir.filePath(QStringLiteral("faux.BMP"));
        QFile f(faux);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("pas une image");
        f.close();
        b.dialogs.openAnswers = {faux};
        QTest::mouseClick(b.c().ImgLogo, Qt::LeftButton);
        QCOMPARE(b.f->reglages().Logo.width(), 240);
        QVERIFY(b.dialogs.messageTexts().isEmpty());

        // Back to the text: the caption returns and the thumbnail hides.
        b.c().Logo[1]->click();
        QCOMPARE(b.texte("CadreLogo"), QStringLiteral("Nom Adresse"));
        QVERIFY(!b.c().ImgLogo->isVisible());
    }

    void logoAnnuleGardeLeLogoIntegre()
    {
        Banc b;
        b.dialogs.openAnswers = {std::nullopt};
        b.c().Logo[0]->click();
        QVERIFY(b.f->reglages().LogoChoisi);
        QCOMPARE(b.f->reglages().Logo.size(), QSize(118, 53));
        QVERIFY(b.f->apercu().expDessine());
    }

    void policeChoisieSAppliqueALaBoiteQuiAvaitLeFocus()
    {
        Banc b;
        b.c().Exped->setFocus();
        QApplication::processEvents();
        b.c().Exped->setPlainText(QStringLiteral("Jean Expéditeur\n12 rue des Lilas"));
        QCOMPARE(b.f->PoliceCible(), 1);
        FontChoice choix;
        choix.name = QStringLiteral("Times New Roman");
        choix.pointSize = 12;
        choix.bold = true;
        choix.strikeOut = true;
        choix.colour = QColor(0, 0, 128);
        b.dialogs.fontAnswers = {choix};
        const double avant = b.f->apercu().cadreExp().width.value;
        b.c().Polices->click();
        QCOMPARE(b.dialogs.lastFontInitial->pointSize, 8.25);  // the dialog opened on the sender font
        const BlockFont& p = b.f->reglages().PoliceExp;
        QCOMPARE(p.name, QStringLiteral("Times New Roman"));
        QCOMPARE(p.pointSize, 12.0);
        QVERIFY(p.bold);
        QCOMPARE(p.colour.windowsNumber(), 128 << 16);
        QVERIFY(!b.c().Exped->font().strikeOut());
        QVERIFY(b.f->apercu().cadreExp().width.value > avant);
        QCOMPARE(b.f->reglages().PoliceDest.pointSize, 18.0);

        // Cancelling changes nothing, and an unchanged choice still marks the document.
        Banc b2;
        b2.dialogs.fontAnswers = {std::nullopt};
        b2.c().Polices->click();
        QVERIFY(!b2.f->etat().Modifie);
        b2.dialogs.fontAnswers = {*b2.dialogs.lastFontInitial};
        b2.c().Polices->click();
        QVERIFY(b2.f->etat().Modifie);
        QVERIFY(b2.f->reglages().PoliceDest.colour.isSystemColour());
    }

    void policePlusGrandePeutFaireRougirLeDestinataire()
    {
        Banc b;
        FontChoice choix = *std::optional<FontChoice>(FontChoice{QStringLiteral("Arial"), 48});
        choix.colour = QColor(Qt::black);
        b.dialogs.fontAnswers = {choix};
        b.c().Polices->click();
        QVERIFY(!b.f->apercu().verdictDest().respectee());
    }

    void fermetureDemandeSiLeDocumentAChange()
    {
        Banc b;
        b.c().SpinLV->flecheBas()->click();
        b.dialogs.questionAnswers = {Answer::Cancel};
        QVERIFY(!b.f->close());
        QVERIFY(b.f->isVisible());
        QVERIFY(b.f->etat().Modifie);
        const auto q = b.dialogs.shownOfKind(QStringLiteral("question"));
        QCOMPARE(q.size(), 1);
        QCOMPARE(q[0].title, QStringLiteral("Contrôle final"));
        QCOMPARE(q[0].text, QStringLiteral("Voulez-vous sauvegarder vos modifications ?"));
        b.dialogs.questionAnswers = {Answer::No};
        QVERIFY(b.f->close());
    }

    void retourDUneFenetreModaleNOubliePasLesModifications()
    {
        Banc b;
        b.c().SpinLV->flecheBas()->click();
        b.f->Form_Activate();
        QVERIFY(b.f->etat().Modifie);
        QVERIFY(!b.f->etat().Chargement);
    }
};

QTEST_MAIN(TestForm1)
#include "test_app_form1.moc"
