#include "addresses/carnets/CarnetAdresses.h"
#include "addresses/import/ImportVcard.h"
#include "platform/LectureFichier.h"

#include <QDir>
#include <QFileInfo>

QString DossierVcard::nom() const
{
    return QStringLiteral("Dossier vCard : %1").arg(QDir::toNativeSeparators(m_chemin));
}

Result<LectureCarnet> DossierVcard::lit() const
{
    const QDir dossier(m_chemin);
    if (!dossier.exists())
        return Status::failure(QStringLiteral("il n'existe pas"));
    if (!dossier.isReadable())
        return Status::failure(QStringLiteral("vous n'avez pas le droit de le lire"));
    LectureCarnet lecture;
    const QFileInfoList fichiers =
        dossier.entryInfoList({QStringLiteral("*.vcf")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& fichier : fichiers) {
        const LectureFichier::Lu lu = LectureFichier::lit(fichier.filePath(), kTailleFichierMax);
        const Result<ImportVcard::Lecture> fiches =
            lu ? ImportVcard::lit(lu.octets) : Result<ImportVcard::Lecture>(Status::failure({}));
        if (!fiches) {
            ++lecture.illisibles;
            continue;
        }
        lecture.contacts += fiches.value().contacts;
    }
    return lecture;
}
