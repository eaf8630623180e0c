#include "addresses/ImportAdresses.h"

#include "addresses/AddressEncoding.h"
#include "addresses/AddressList.h"
#include "addresses/TableCodesPostaux.h"
#include "addresses/VerificationAcheminement.h"
#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/LectureFichier.h"

#include <QFileInfo>

namespace {
const QString kFin = QString::fromUtf16(kFinLigne);

// French puts 0 and 1 in the singular.
QString nombreDe(qsizetype n, const QString& singulier, const QString& pluriel)
{
    return QStringLiteral("%1 %2").arg(n).arg(n <= 1 ? singulier : pluriel);
}

QString apercuLigne(const QStringList& lignes)
{
    QString texte = lignes.join(QStringLiteral(" ; "));
    if (texte.size() > 80)
        texte = texte.left(79) + QChar(0x2026);
    return texte;
}
} // namespace

int ImportAdresses::Importer()
{
    FileDialogRequest demande;
    demande.title = titre();
    demande.filter = QStringLiteral("Fichiers CSV ou texte (*.CSV;*.TSV;*.TXT)|*.CSV *.TSV *.TXT|"
                                    "Tous les fichiers (*.*)|*");
    demande.defaultSuffix = QStringLiteral("CSV");
    const std::optional<QString> choix = m_dialogs.openFile(demande);
    if (!choix || choix->isEmpty())
        return 0;
    return importe(*choix);
}

int ImportAdresses::importe(const QString& chemin)
{
    std::optional<Result<ImportCsv::Lecture>> lecture;
    {
        BusyPointer sablier;
        const LectureFichier::Lu lu = LectureFichier::lit(chemin, kTailleMax);
        if (lu.echec == LectureFichier::Echec::TropGrand) {
            refuse(
                chemin,
                QStringLiteral("il dépasse %1 Mo, bien plus qu'une liste d'adresses").arg(kTailleMax >> 20));
            return 0;
        }
        if (!lu) {
            refuse(chemin, LectureFichier::raison(lu.echec));
            return 0;
        }
        lecture = ImportCsv::lit(lu.octets);
    }
    if (!*lecture) {
        refuse(chemin, lecture->error());
        return 0;
    }
    const ImportCsv::Lecture& l = lecture->value();

    bool enTete = l.enTete == ImportCsv::EnTete::Presente;
    if (l.enTete == ImportCsv::EnTete::Incertaine) {
        QStringList premiere;
        for (const ImportCsv::Ligne& ligne : l.lignes)
            if (!ligne.lignes.isEmpty()) {
                premiere = ligne.lignes;
                break;
            }
        const QString question =
            QStringLiteral("La première ligne du fichier donne-t-elle les titres des colonnes ?") + kFin +
            kFin + QStringLiteral("« %1 »").arg(apercuLigne(premiere)) + kFin + kFin +
            QStringLiteral("Oui : elle n'est pas importée. Non : elle est importée comme une adresse.");
        switch (m_dialogs.question(titre(), question)) {
        case Answer::Cancel:
            return 0;
        case Answer::Yes:
            enTete = true;
            break;
        case Answer::No:
            enTete = false;
            break;
        }
    }

    const ImportCsv::Bilan bilan = ImportCsv::adresses(l, enTete);
    {
        BusyPointer sablier;
        m_liste.addAll(bilan.adresses);
    }
    QString rendu = compteRendu(bilan, l);
    const QString aRevoir =
        resumeAReprendre(adressesAReprendre(bilan.adresses, TableCodesPostaux::officielle()), kFin);
    if (!aRevoir.isEmpty())
        rendu += kFin + kFin + aRevoir;
    m_dialogs.message(bilan.adresses.isEmpty() ? MessageIcon::Exclamation : MessageIcon::Information, titre(),
                      rendu);
    return int(bilan.adresses.size());
}

void ImportAdresses::refuse(const QString& chemin, const QString& raison)
{
    m_dialogs.message(MessageIcon::Exclamation, titre(),
                      QStringLiteral("Le fichier « %1 » n'a pas été importé : %2.")
                              .arg(QFileInfo(chemin).fileName(), raison) +
                          kFin + QStringLiteral("Aucune adresse n'a été ajoutée."));
}

QString ImportAdresses::compteRendu(const ImportCsv::Bilan& bilan, const ImportCsv::Lecture& lecture)
{
    QStringList lignes;
    if (bilan.adresses.isEmpty())
        lignes << QStringLiteral("Aucune adresse n'a été ajoutée : le fichier n'en contient pas.");
    else
        lignes << nombreDe(bilan.adresses.size(), QStringLiteral("adresse ajoutée à la liste."),
                           QStringLiteral("adresses ajoutées à la liste."));

    if (bilan.ignorees() > 0) {
        QStringList raisons;
        if (bilan.vides > 0)
            raisons << nombreDe(bilan.vides, QStringLiteral("vide"), QStringLiteral("vides"));
        if (bilan.tropLongues > 0)
            raisons << QStringLiteral("%1 de plus de %2 lignes d'adresse")
                           .arg(bilan.tropLongues)
                           .arg(ImportCsv::kLignesMax);
        lignes << nombreDe(bilan.ignorees(), QStringLiteral("ligne ignorée : "),
                           QStringLiteral("lignes ignorées : ")) +
                      raisons.join(QStringLiteral(", ")) + u'.';
    }
    if (bilan.enTeteIgnoree)
        lignes << QStringLiteral("La ligne des titres des colonnes n'a pas été importée.");
    lignes << QStringLiteral("Fichier lu en %1, colonnes séparées par des %2.")
                  .arg(ImportCsv::nomCodage(lecture.codage), ImportCsv::nomSeparateur(lecture.separateur));
    return lignes.join(kFin);
}
