#include "app/window/LigneCommande.h"

#include "addresses/fichier/FichierAdresses.h"

#include <QFileInfo>

namespace {
const QString kAide = QStringLiteral("--aide");
const QString kVersion = QStringLiteral("--version");
// What users of any Linux program try first means the same here.
bool demandeAide(const QStringList& arguments)
{
    return arguments.contains(kAide) || arguments.contains(u"--help"_qs) || arguments.contains(u"-h"_qs);
}
const QString kPdf = QStringLiteral("--pdf");
const QString kImprimante = QStringLiteral("--imprimante");
const QString kPapier = QStringLiteral("--papier");
const QString kBac = QStringLiteral("--bac");
const QString kSansAttendre = QStringLiteral("--sans-attendre");

// Takes the print's options out of the arguments, wherever they stand; the reason one is
// wrong, or nothing.
QString retireOptions(QStringList& arguments, LigneCommande::Commande& commande)
{
    for (qsizetype i = 0; i < arguments.size();) {
        const QString option = arguments[i];
        if (option == kSansAttendre) {
            commande.attendre = false;
            arguments.removeAt(i);
            continue;
        }
        if (option != kPapier && option != kBac) {
            ++i;
            continue;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
            return QStringLiteral("plivane : %1 attend une valeur.").arg(option);
        const QString valeur = arguments[i + 1];
        if (option == kBac) {
            commande.bac = valeur;
        } else if (valeur.compare(QLatin1String("a4"), Qt::CaseInsensitive) == 0) {
            commande.papier = Papier::FeuilleA4;
        } else if (valeur.compare(QLatin1String("enveloppe"), Qt::CaseInsensitive) == 0) {
            commande.papier = Papier::Enveloppe;
        } else {
            return QStringLiteral("plivane : --papier attend « a4 » ou « enveloppe », pas « %1 ».")
                .arg(valeur);
        }
        arguments.remove(i, 2);
    }
    return {};
}

// The reason an argument cannot be a file's or a queue's name, or nothing.
QString refusNom(const QString& argument, const QString& quoi)
{
    if (argument.isEmpty())
        return QStringLiteral("plivane : le nom %1 est vide.").arg(quoi);
    if (argument.startsWith(u'-'))
        // Qt's own options (-style, -platform...) included: the program takes none.
        return QStringLiteral("plivane : option inconnue « %1 ».").arg(argument);
    return {};
}

QString absolu(const QString& chemin)
{
    return QFileInfo(chemin).absoluteFilePath();
}
} // namespace

Result<LigneCommande::Commande> LigneCommande::lit(const QStringList& tous)
{
    Commande commande;
    QStringList arguments = tous;
    QString raison = retireOptions(arguments, commande);
    const bool options = arguments.size() != tous.size();
    const QString premier = arguments.value(0);
    if (!raison.isEmpty()) {
    } else if (options && premier != kPdf && premier != kImprimante && !demandeAide(arguments) &&
               !arguments.contains(kVersion)) {
        raison = QStringLiteral("plivane : --papier, --bac et --sans-attendre ne valent que pour une "
                                "impression (--pdf ou --imprimante).");
    } else if (premier == kPdf && (commande.bac || !commande.attendre)) {
        raison = QStringLiteral("plivane : --bac et --sans-attendre ne valent que pour --imprimante.");
    } else if (arguments.isEmpty()) {
        return commande;
    } else if (demandeAide(arguments)) {
        commande.mode = Mode::Aide;
        return commande;
    } else if (arguments.contains(kVersion)) {
        commande.mode = Mode::Version;
        return commande;
    } else if (premier == kPdf || premier == kImprimante) {
        const bool pdf = premier == kPdf;
        commande.mode = pdf ? Mode::Pdf : Mode::Imprimante;
        if (arguments.size() < 3)
            raison =
                pdf ? QStringLiteral(
                          "plivane : --pdf attend le fichier PDF à écrire, puis le fichier d'adresses.")
                    : QStringLiteral("plivane : --imprimante attend le nom de la file d'impression, puis le "
                                     "fichier d'adresses.");
        else if (arguments.size() > 3)
            raison = QStringLiteral("plivane : un seul fichier d'adresses à la fois (%1 arguments donnés).")
                         .arg(arguments.size());
        else if (raison = refusNom(arguments[1], pdf ? QStringLiteral("du fichier PDF")
                                                     : QStringLiteral("de l'imprimante"));
                 raison.isEmpty())
            raison = refusNom(arguments[2], QStringLiteral("du fichier"));
        if (raison.isEmpty()) {
            commande.sortie = arguments[1];
            commande.fichier = absolu(arguments[2]);
            // Writing the PDF over the addresses, or over the logo saved beside them, would
            // lose them.
            const QString cible = QFileInfo(absolu(commande.sortie)).canonicalFilePath();
            if (pdf && !cible.isEmpty() && cible == QFileInfo(*commande.fichier).canonicalFilePath())
                raison = QStringLiteral("plivane : le fichier PDF « %1 » est le fichier d'adresses lui-même.")
                             .arg(commande.sortie);
            else if (pdf && !cible.isEmpty() &&
                     cible == QFileInfo(FichierAdresses::nomCompagnon(*commande.fichier)).canonicalFilePath())
                raison = QStringLiteral("plivane : le fichier PDF « %1 » est le logo du fichier d'adresses.")
                             .arg(commande.sortie);
        }
    } else if (arguments.size() > 1) {
        raison = QStringLiteral("plivane : un seul fichier d'adresses à la fois (%1 arguments donnés).")
                     .arg(arguments.size());
    } else {
        raison = refusNom(premier, QStringLiteral("du fichier"));
        commande.fichier = absolu(premier);
    }
    if (!raison.isEmpty())
        return Status::failure(raison + u'\n' + usage());
    return commande;
}

QString LigneCommande::usage()
{
    return QStringLiteral(
        "Usage : plivane [FICHIER.PLV]   (ouvre ce fichier d'adresses ; "
        "sans argument, Plivane s'ouvre sur une enveloppe nouvelle)\n"
        "        plivane --pdf SORTIE.pdf FICHIER.PLV   (imprime toutes les adresses du fichier dans ce "
        "PDF)\n"
        "        plivane --imprimante FILE FICHIER.PLV   (les imprime sur cette file d'impression)\n"
        "   options d'impression : --papier a4|enveloppe   (sur une feuille A4 ou sur l'enveloppe "
        "elle-même)\n"
        "        --bac SOURCE   (le bac de l'imprimante, par son nom IPP, « by-pass-tray », ou celui "
        "de son pilote)\n"
        "        --sans-attendre   (s'arrête dès que le serveur d'impression a reçu le travail)\n"
        "        plivane --aide   (affiche cette aide ; aussi --help et -h)\n"
        "        plivane --version   (affiche la version de Plivane)\n"
        "   état de sortie d'une impression : 0 si tout est imprimé, 1 si l'impression a échoué ou "
        "a été annulée, 2 si la ligne de commande est refusée");
}

QString LigneCommande::version()
{
    return QStringLiteral("plivane " PLIVANE_VERSION "\n"
                          "Licence GPL version 3 ou ultérieure <https://gnu.org/licenses/gpl.html>.\n"
                          "Ce programme est libre : vous pouvez le modifier et le redistribuer. "
                          "Il n'est accompagné d'aucune garantie.");
}
