#include "app/window/LigneCommande.h"

#include <QFileInfo>

Result<std::optional<QString>> LigneCommande::lit(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return std::optional<QString>();
    QString raison;
    if (arguments.size() > 1)
        raison = QStringLiteral("plivane : un seul fichier d'adresses à la fois (%1 arguments donnés).")
                     .arg(arguments.size());
    else if (arguments.first().isEmpty())
        raison = QStringLiteral("plivane : le nom du fichier est vide.");
    else if (arguments.first().startsWith(u'-'))
        // Qt's own options (-style, -platform...) included: the program takes none.
        raison = QStringLiteral("plivane : option inconnue « %1 ».").arg(arguments.first());
    if (!raison.isEmpty())
        return Status::failure(raison + u'\n' + usage());
    return std::optional<QString>(QFileInfo(arguments.first()).absoluteFilePath());
}

QString LigneCommande::usage()
{
    return QStringLiteral("Usage : plivane [FICHIER.PLV]   (ouvre ce fichier d'adresses ; "
                          "sans argument, Plivane s'ouvre sur une enveloppe nouvelle)");
}
