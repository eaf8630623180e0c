#include "print/ControleFile.h"

#include "addresses/liste/EncodageAdresse.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "print/TestsImprimante.h"

#include <QStringList>

QString MessageFileRefuse(const QString& imprimante)
{
    return QStringList{
        QStringLiteral("L'imprimante « %1 » n'accepte plus de travaux d'impression :").arg(imprimante),
        QStringLiteral("rien ne lui a été envoyé."),
        QStringLiteral("Autorisez-la à nouveau (commande « cupsaccept %1 »)").arg(imprimante),
        QStringLiteral("ou choisissez une autre imprimante.")}
        .join(QString::fromUtf16(kFinLigne));
}

QString QuestionFileArretee(const QString& imprimante)
{
    return QStringList{QStringLiteral("L'imprimante « %1 » est arrêtée :").arg(imprimante),
                       QStringLiteral("ce qui lui est envoyé attendra qu'elle soit remise en marche"),
                       QStringLiteral("(commande « cupsenable %1 »).").arg(imprimante),
                       QStringLiteral("Lui envoyer l'impression quand même ?")}
        .join(QString::fromUtf16(kFinLigne));
}

Result<Envoi> ControleFile(PrinterService& imprimante, Dialogs& dialogues)
{
    const QueueState file = imprimante.queueState();
    if (!file.acceptingJobs)
        return Status::failure(MessageFileRefuse(imprimante.printerName()));
    if (file.stopped && dialogues.question(kTitreControleImpression,
                                           QuestionFileArretee(imprimante.printerName())) != Answer::Yes)
        return Envoi::Non;
    return Envoi::Oui;
}
