// The rules the preview is drawn and judged by: its crop marks; the postal norm that turns
// the recipient block red, in words: each rule broken, by how much, at and around its limit;
// the advice on the form of a French address (NF Z10-011), each rule on its own. And the
// check before a print, on a recording printer (2 mm a character, 5 mm a line): it lists
// exactly the envelopes that break a rule, each rule at and just past its limit, with the
// amounts the user reads, and its answers decide what the print command does.
#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/liste/EncodageAdresse.h"
#include "app/window/QtDialogs.h"
#include "layout/ConseilAdresse.h"
#include "layout/GeometrieApercu.h"
#include "layout/NormePostale.h"
#include "layout/VerificationEnveloppes.h"
#include "platform/widgets/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using Regle = ConseilAdresse::Regle;
using Regles = QList<Regle>;

Q_DECLARE_METATYPE(EnvelopeCheckAnswer)

namespace {
// An address of `lignes` lines, the first `caracteres` long.
QString adresse(int caracteres, int lignes = 3, const QString& derniere = u"29200 BREST"_qs)
{
    QStringList l{QString(caracteres, u'M')};
    while (l.size() < lignes - 1)
        l << u"rue"_qs;
    l << derniere;
    return EnLigne(l.join(QString::fromUtf16(kFinLigne)));
}
} // namespace

class TestNormes : public QObject {
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

    // 220 x 110 mm, the block 100 mm from the left and 20 mm from the bottom.
    void listeExactementCeQuiEnfreint_data()
    {
        QTest::addColumn<QString>("entree");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QStringList>("defauts");
        QTest::newRow("right margin at its limit") << adresse(50) << 0 << QStringList();
        QTest::newRow("right margin just past")
            << adresse(51) << 0 << QStringList{u"marge droite : 18 mm au lieu de 20"_qs};
        QTest::newRow("cut at the upright sheet's edge")
            << adresse(54) << 0
            << QStringList{u"marge droite : 12 mm au lieu de 20"_qs,
                           u"coupée de 1 mm au bord droit de la feuille"_qs};
        QTest::newRow("past the envelope") << adresse(61) << 1
                                           << QStringList{u"marge droite : -2 mm au lieu de 20"_qs,
                                                          u"dépasse l'enveloppe de 2 mm à droite"_qs};
        QTest::newRow("height at its limit") << adresse(5, 10) << 0 << QStringList();
        QTest::newRow("height just past")
            << adresse(5, 11) << 0 << QStringList{u"hauteur libre : 55 mm au lieu de 60"_qs};
        QTest::newRow("wrong postcode") << adresse(5, 3, u"29299 BRST"_qs) << 0
                                        << QStringList{u"dernière ligne : Code postal 29299 inconnu"_qs};
    }

    void listeExactementCeQuiEnfreint()
    {
        QFETCH(QString, entree);
        QFETCH(int, orientation);
        QFETCH(QStringList, defauts);
        RecordingPrinterService imprimante;
        DemandeImpression demande;
        demande.reglages.Orientation = orientation;
        // The same address unchosen, then chosen: only what is printed is judged.
        demande.adresses = {entree, adresse(5), entree};
        const QList<EnveloppeARevoir> aRevoir = verifieEnveloppes(
            imprimante, demande.reglages, demande.adresses, {1, 2}, &TableCodesPostaux::officielle());
        QCOMPARE(aRevoir.size(), defauts.isEmpty() ? 0 : 1);
        if (!defauts.isEmpty()) {
            QCOMPARE(aRevoir[0].index, 2);
            // Its first and last lines: what tells one entry from another.
            const QString texte = EnForme(entree);
            QCOMPARE(aRevoir[0].premiereLigne,
                     texte.section(u'\r', 0, 0) + u" \u2026 "_qs + texte.section(u'\n', -1).trimmed());
            QCOMPARE(aRevoir[0].defauts, defauts);
        }
    }

    // What the answer to the check makes of a print.
    void laReponseDecide_data()
    {
        QTest::addColumn<EnvelopeCheckAnswer>("reponse");
        QTest::addColumn<bool>("imprime");
        QTest::addColumn<int>("montree");
        QTest::newRow("print anyway")
            << EnvelopeCheckAnswer{EnvelopeCheckAnswer::Action::PrintAnyway} << true << -1;
        QTest::newRow("cancel") << EnvelopeCheckAnswer{EnvelopeCheckAnswer::Action::Cancel} << false << -1;
        QTest::newRow("edit the second")
            << EnvelopeCheckAnswer{EnvelopeCheckAnswer::Action::Edit, 1} << false << 2;
    }

    void laReponseDecide()
    {
        QFETCH(EnvelopeCheckAnswer, reponse);
        QFETCH(bool, imprime);
        QFETCH(int, montree);
        RecordingPrinterService imprimante;
        ScriptedDialogs dialogues;
        dialogues.checkAnswers = {reponse};
        dialogues.printAnswers = {true};
        CommandeImpression commande(imprimante, dialogues, nullptr);
        commande.remplaceChoixAdresses([](const EntreesAdresses&) {
            return std::optional<QList<int>>({0, 1, 2});
        });
        DemandeImpression demande;
        demande.adresses = {adresse(51), adresse(5), adresse(60)};
        int montreeAvantImpression = -1;
        demande.montreAdresse = [&](int index) {
            if (imprimante.documentsEnded == 0 && dialogues.shownOfKind(u"print"_qs).isEmpty())
                montreeAvantImpression = index;
        };
        demande.confirmeSelection = [&](const DemandeImpression& d, const QList<int>& selection) {
            return confirmeEnveloppes(imprimante, dialogues, d.reglages, d.adresses, selection,
                                      d.montreAdresse);
        };
        commande.Imprimer(demande);

        QCOMPARE(dialogues.lastCheck.title, u"Contrôle des enveloppes"_qs);
        QCOMPARE(
            dialogues.lastCheck.text,
            u"2 enveloppes sur 3 sont à revoir : elles sortent de la norme postale ou seraient coupées."_qs);
        QCOMPARE(dialogues.lastCheck.rows.size(), 2);
        QCOMPARE(imprimante.pagesOut, imprime ? 3 : 0);
        QCOMPARE(montreeAvantImpression, montree);
    }

    // The real window: the rows as given, and the answer of the button pressed.
    void fenetreReelle_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<int>("action");
        QTest::newRow("Imprimer quand même")
            << u"ImprimerQuandMeme"_qs << int(EnvelopeCheckAnswer::Action::PrintAnyway);
        QTest::newRow("Modifier l'adresse")
            << u"ModifierAdresse"_qs << int(EnvelopeCheckAnswer::Action::Edit);
        QTest::newRow("Annuler") << u"Annuler"_qs << int(EnvelopeCheckAnswer::Action::Cancel);
        QTest::newRow("Réduire") << u"Reduire"_qs << int(EnvelopeCheckAnswer::Action::Reduce);
    }

    void fenetreReelle()
    {
        QFETCH(QString, bouton);
        QFETCH(int, action);
        QtDialogs dialogues;
        QStringList lignes;
        QTimer::singleShot(0, [&] {
            auto* fenetre = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(fenetre);
            auto* liste = fenetre->findChild<QTreeWidget*>(u"EnveloppesARevoir"_qs);
            liste->setCurrentItem(liste->topLevelItem(1));
            for (int i = 0; i < liste->topLevelItemCount(); ++i)
                lignes << liste->topLevelItem(i)->text(0) + u'|' + liste->topLevelItem(i)->text(1);
            fenetre->findChild<QPushButton*>(bouton)->click();
        });
        const EnvelopeCheckAnswer reponse =
            dialogues.envelopeCheck({u"Contrôle des enveloppes"_qs,
                                     u"2 enveloppes"_qs,
                                     {{u"M. A"_qs, u"marge droite"_qs}, {u"Mme B"_qs, u"marge basse"_qs}},
                                     true,
                                     u"Réduire à 14 pt"_qs});
        QCOMPARE(lignes, (QStringList{u"M. A|marge droite"_qs, u"Mme B|marge basse"_qs}));
        QCOMPARE(int(reponse.action), action);
        QCOMPARE(reponse.row, action == int(EnvelopeCheckAnswer::Action::Edit) ? 1 : -1);
    }

    // Envelopes that only their font's size keeps from the norm: the check proposes the
    // largest size, in the printer's own metrics, at which every one fits, and the answer
    // hands it over instead of printing. A block too near the left edge is no size's fault.
    void reduireALaTailleQuiTient()
    {
        QTemporaryDir dossier;
        QtPrinterService imprimante;
        QVERIFY(imprimante.setOutputFileName(dossier.filePath(u"mesure.pdf"_qs)));
        ReglagesModele r;
        const EntreesAdresses adresses = {
            EnLigne(u"Établissements Dupont-Durand et Fils\r\n60 rue Pasteur\r\n69007 LYON CEDEX 07"_qs),
            EnLigne(u"M. Roux\r\n1 rue A\r\n29200 BREST"_qs)};
        const std::optional<double> taille = tailleQuiTient(imprimante, r, adresses, {0, 1});
        QVERIFY(taille && *taille < r.PoliceDest.pointSize);
        for (double essai : {*taille, *taille + 0.5}) {
            ReglagesModele reduite = r;
            reduite.PoliceDest.pointSize = essai;
            QCOMPARE(verifieEnveloppes(imprimante, reduite, adresses, {0, 1}, nullptr).isEmpty(),
                     essai == *taille);
        }

        ScriptedDialogs dialogues;
        dialogues.checkAnswers = {{EnvelopeCheckAnswer::Action::Reduce}};
        std::optional<double> donnee;
        QVERIFY(!confirmeEnveloppes(imprimante, dialogues, r, adresses, {0, 1}, {}, {},
                                    [&](double points) { donnee = points; }));
        QCOMPARE(dialogues.lastCheck.reduce,
                 u"Réduire à %1 pt"_qs.arg(QLocale(QLocale::French).toString(*taille)));
        QCOMPARE(donnee, taille);

        r.MargeGaucheDest = 15;
        QVERIFY(!tailleQuiTient(imprimante, r, adresses, {0, 1}));
    }
};

QTEST_MAIN(TestNormes)
#include "test_layout_normes.moc"
