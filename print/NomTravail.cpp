#include "print/NomTravail.h"

#include "app/ReglagesModele.h"
#include "platform/PrinterService.h"

#include <QFileInfo>

void NommeTravail(PrinterService& imprimante, const ReglagesModele& reglages, const QString& contenu)
{
    const QFileInfo fichier(reglages.NomFichier);
    QString dossier;
    if (fichier.isAbsolute())
        dossier = fichier.absolutePath();
    else if (QFileInfo(reglages.CheminFichier).isAbsolute())
        dossier = QFileInfo(reglages.CheminFichier).absolutePath();
    imprimante.setJobName(QStringLiteral("%1 - %2").arg(fichier.completeBaseName(), contenu), dossier);
}
