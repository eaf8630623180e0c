#include "app/window/ImpressionLot.h"

#include "addresses/fichier/FichierAdresses.h"
#include "app/document/DocumentEnveloppe.h"
#include "layout/PolicesImprimante.h"
#include "platform/ConsoleDialogs.h"
#include "platform/MemoireLibre.h"
#include "platform/widgets/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "print/ReglagesImprimante.h"
#include "print/SuiviTravail.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QThread>
#include <numeric>

namespace {
// How often the server is asked whether the job has printed.
constexpr unsigned long kAttenteMs = 200;

void ecrit(std::FILE* sortie, const QString& ligne)
{
    std::fprintf(sortie, "%s\n", ligne.toLocal8Bit().constData());
    std::fflush(sortie);
}
} // namespace

QString ImpressionLot::Resume(LigneCommande::Mode mode, int enveloppes, const QString& sortie)
{
    const bool une = enveloppes == 1;
    if (mode == LigneCommande::Mode::Pdf)
        return QStringLiteral("%1 %2 dans %3")
            .arg(enveloppes)
            .arg(une ? QStringLiteral("enveloppe imprimée") : QStringLiteral("enveloppes imprimées"), sortie);
    return QStringLiteral("%1 %2 à l'imprimante %3")
        .arg(enveloppes)
        .arg(une ? QStringLiteral("enveloppe envoyée") : QStringLiteral("enveloppes envoyées"), sortie);
}

int ImpressionLot::lance(const LigneCommande::Commande& commande, std::FILE* sortie, std::FILE* erreurs)
{
    ConsoleDialogs dialogues(erreurs, erreurs);
    const auto echoue = [&](const QString& texte) {
        ecrit(erreurs, ConsoleDialogs::Lignes(texte));
        return kCodeEchec;
    };

    // Every address is held until the run ends: packed, not a string each.
    EntreesAdresses adresses;
    Result<PlvOuverture> ouverture = FichierAdresses::lit(commande.fichier.value_or(QString()), &adresses);
    if (!ouverture)
        return echoue(ouverture.error());
    PlvOuverture fichier = std::move(ouverture).value();
    // Writing the PDF over the logo the file prints would lose it, as over the file itself.
    if (commande.mode == LigneCommande::Mode::Pdf && !fichier.cheminLogo.isEmpty() &&
        QFileInfo(QFileInfo(commande.sortie).absoluteFilePath()).canonicalFilePath() ==
            QFileInfo(fichier.cheminLogo).canonicalFilePath()) {
        ecrit(erreurs,
              QStringLiteral("plivane : le fichier PDF « %1 » est le logo du fichier d'adresses : rien "
                             "n'est écrit.\n")
                      .arg(commande.sortie) +
                  LigneCommande::usage());
        return LigneCommande::kCodeUsage;
    }
    if (adresses.estVide())
        return echoue(QStringLiteral("Le fichier « %1 » ne contient aucune adresse : rien n'est imprimé.")
                          .arg(*commande.fichier));
    // Without a face that has the letters, Qt prints blank envelopes and says nothing.
    for (const BlockFont* police :
         {&fichier.document.reglages.PoliceDest, &fichier.document.reglages.PoliceExp}) {
        // Asked of a font database without faces, QRawFont crashes; QFontInfo names none.
        if (QFontInfo(police->toQFont()).family().isEmpty())
            return echoue(
                QStringLiteral("Aucune police n'est utilisable pour « %1 » : les enveloppes seraient "
                               "imprimées sans texte, rien n'est imprimé. Installez des polices (le "
                               "paquet fonts-liberation2, par exemple) puis recommencez.")
                    .arg(police->name));
    }
    // The window puts Plivane's logo in place of a file's lost one; here nobody would see
    // that happen.
    if (fichier.document.reglages.LogoChoisi && fichier.logo.isNull())
        ecrit(erreurs,
              ConsoleDialogs::Lignes(QStringLiteral("Le logo « %1 » est introuvable : le logo de Plivane "
                                                    "est imprimé à sa place.")
                                         .arg(fichier.document.reglages.NomLogo)));
    // The document the window would show, its addresses packed apart.
    DocumentEnveloppe document;
    // Read only: a print never writes the file, and leaves it free for the window.
    document.ouvre(std::move(fichier), *commande.fichier, /*lectureSeule=*/true);
    const DemandeImpression demande = DemandeImpression::DepuisDocument(document, std::move(adresses));
    // The file's bytes, its text and the sort's buffer are freed by now, under the packed
    // addresses: without this the run would hold them to its end, more the bigger the file.
    RendMemoireLibre();

    QtPrinterService imprimante;
    const Status destination =
        commande.mode == LigneCommande::Mode::Pdf
            ? imprimante.setOutputFileName(QFileInfo(commande.sortie).absoluteFilePath())
            : imprimante.selectPrinter(commande.sortie);
    if (!destination)
        return echoue(destination.error());
    // Nobody is there to start a stopped queue: the run says so and sends nothing.
    if (commande.mode == LigneCommande::Mode::Imprimante && imprimante.queueState().stopped)
        return echoue(QStringLiteral("La file d'impression « %1 » est arrêtée : rien ne lui est envoyé. "
                                     "Relancez-la (cupsenable %1) puis recommencez.")
                          .arg(commande.sortie));
    (void)imprimante.setUnitMillimetres();
    // The window's preview measures the recipient block last when a logo stands for the
    // sender, and what is printed before the run hands a font over (the crop marks) takes
    // the colour the printer holds: the same here as there.
    ImprPoliceDest(imprimante, demande.reglages);

    // "Imprimer Tout...", then the print dialog confirmed as the command line set it.
    CommandeImpression impression(imprimante, dialogues, CommandeImpression::toutes());
    impression.decalages().force(commande.papier, commande.bac);
    const CommandeImpression::Bilan bilan = impression.Imprimer(demande);
    // The run and the command have written their own failures.
    if (!bilan.lancee || bilan.echec || bilan.annulee)
        return kCodeEchec;
    if (const std::optional<PrintJob> travail = imprimante.lastJob(); travail && commande.attendre) {
        const JobOutcome issue =
            SuiviTravail::attendsFin(imprimante, *travail, [] { QThread::msleep(kAttenteMs); });
        if (const QString texte = SuiviTravail::message(travail->queue, issue); !texte.isEmpty())
            return echoue(texte);
    }
    const bool copies = !impression.reglagesImprimante().refuse(ReglagesImprimante::Reglage::Copies);
    ecrit(sortie, Resume(commande.mode, bilan.enveloppes * (copies ? demande.reglages.Quantite : 1),
                         commande.sortie));
    return 0;
}
