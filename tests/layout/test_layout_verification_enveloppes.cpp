// The check before a print, on a recording printer (2 mm a character, 5 mm a line): it
// lists exactly the envelopes that break a rule, each rule at and just past its limit,
// with the amounts the user reads, and its answers decide what the print command does.
#include "addresses/AddressEncoding.h"
#include "addresses/TableCodesPostaux.h"
#include "layout/VerificationEnveloppes.h"
#include "platform/QtDialogs.h"
#include "print/CommandeImpression.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

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

class TestVerificationEnveloppes : public QObject {
    Q_OBJECT
private slots:
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
            << QStringList{u"marge droite : 12 mm au lieu de 20"_qs, u"coupée de 1 mm au bord droit de la feuille"_qs};
        QTest::newRow("past the envelope")
            << adresse(61) << 1
            << QStringList{u"marge droite : -2 mm au lieu de 20"_qs, u"dépasse l'enveloppe de 2 mm à droite"_qs};
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
        const QList<EnveloppeARevoir> aRevoir =
            verifieEnveloppes(imprimante, demande, {1, 2}, &TableCodesPostaux::officielle());
        QCOMPARE(aRevoir.size(), defauts.isEmpty() ? 0 : 1);
        if (!defauts.isEmpty()) {
            QCOMPARE(aRevoir[0].index, 2);
            QCOMPARE(aRevoir[0].premiereLigne, EnForme(entree).section(u'\r', 0, 0));
            QCOMPARE(aRevoir[0].defauts, defauts);
        }
    }

    // What the answer to the check makes of a print.
    void laReponseDecide_data()
    {
        QTest::addColumn<EnvelopeCheckAnswer>("reponse");
        QTest::addColumn<bool>("imprime");
        QTest::addColumn<int>("montree");
        QTest::newRow("print anyway") << EnvelopeCheckAnswer{EnvelopeCheckAnswer::Action::PrintAnyway} << true << -1;
        QTest::newRow("cancel") << EnvelopeCheckAnswer{EnvelopeCheckAnswer::Action::Cancel} << false << -1;
        QTest::newRow("edit the second") << EnvelopeCheckAnswer{EnvelopeCheckAnswer::Action::Edit, 1} << false << 2;
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
        commande.remplaceChoixAdresses([](const QStringList&) { return std::optional<QList<int>>({0, 1, 2}); });
        DemandeImpression demande;
        demande.adresses = {adresse(51), adresse(5), adresse(60)};
        int montreeAvantImpression = -1;
        demande.montreAdresse = [&](int index) {
            if (imprimante.documentsEnded == 0 && dialogues.shownOfKind(u"print"_qs).isEmpty())
                montreeAvantImpression = index;
        };
        demande.confirmeSelection = [&](const DemandeImpression& d, const QList<int>& selection) {
            return confirmeEnveloppes(imprimante, dialogues, d, selection);
        };
        commande.Imprimer(demande);

        QCOMPARE(dialogues.lastCheck.title, u"Contrôle des enveloppes"_qs);
        QCOMPARE(dialogues.lastCheck.text,
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
        QTest::newRow("Imprimer quand même") << u"ImprimerQuandMeme"_qs << int(EnvelopeCheckAnswer::Action::PrintAnyway);
        QTest::newRow("Modifier l'adresse") << u"ModifierAdresse"_qs << int(EnvelopeCheckAnswer::Action::Edit);
        QTest::newRow("Annuler") << u"Annuler"_qs << int(EnvelopeCheckAnswer::Action::Cancel);
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
            dialogues.envelopeCheck({u"Contrôle des enveloppes"_qs, u"2 enveloppes"_qs,
                                     {{u"M. A"_qs, u"marge droite"_qs}, {u"Mme B"_qs, u"marge basse"_qs}}});
        QCOMPARE(lignes, (QStringList{u"M. A|marge droite"_qs, u"Mme B|marge basse"_qs}));
        QCOMPARE(int(reponse.action), action);
        QCOMPARE(reponse.row, action == int(EnvelopeCheckAnswer::Action::Edit) ? 1 : -1);
    }
};

QTEST_MAIN(TestVerificationEnveloppes)
#include "test_layout_verification_enveloppes.moc"
