#include "addresses/FichierAdresses.h"

#include "addresses/PlvCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

Status echecEcriture(const QString& nomFichier)
{
    return Status::failure(QStringLiteral("Problème d'écriture du Fichier:\r\n") + nomFichier
                           + QStringLiteral("Corrigez et réessayez."));
}

Status echecLecture(const QString& nomFichier, const QString& raison)
{
    return Status::failure(QStringLiteral("Problème de lecture du Fichier:\r\n") + nomFichier
                           + QStringLiteral("\r\n") + raison);
}

bool estFichier(const QString& chemin)
{
    return QFileInfo(chemin).isFile();
}

// Files copied from Windows keep their names but not always their case.
QString chercheDans(const QDir& dossier, const QString& nom)
{
    if (nom.isEmpty() || nom == u"." || nom == u"..")
        return {};
    const QString exact = dossier.filePath(nom);
    if (estFichier(exact))
        return exact;
    const QStringList entrees = dossier.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entree : entrees) {
        if (entree.compare(nom, Qt::CaseInsensitive) == 0)
            return dossier.filePath(entree);
    }
    return {};
}

bool memeFichier(const QString& a, const QString& b)
{
    // Compared without case: on a disk shared with Windows they are the same file.
    return QFileInfo(a).absoluteFilePath().compare(QFileInfo(b).absoluteFilePath(),
                                                   Qt::CaseInsensitive) == 0;
}

}  // namespace

Result<QString> FichierAdresses::EcritFichier(const QString& nomFichier, const PlvDocument& document,
                                              const QImage& logo)
{
    if (nomFichier.isEmpty())
        return echecEcriture(nomFichier);

    const QByteArray octets = PlvCodec::write(document);
    QSaveFile plv(nomFichier);
    if (!plv.open(QIODevice::WriteOnly) || plv.write(octets) != octets.size())
        return echecEcriture(nomFichier);

    QString nomLogo = document.NomLogo;
    if (document.LogoChoisi) {
        const QString compagnon = NomCompagnon(nomFichier);
        // An address file named like its own companion would be overwritten by the bitmap.
        if (memeFichier(compagnon, nomFichier) || logo.isNull())
            return echecEcriture(nomFichier);
        QSaveFile bmp(compagnon);
        if (!bmp.open(QIODevice::WriteOnly) || !logo.save(&bmp, "BMP") || !bmp.commit())
            return echecEcriture(nomFichier);
        nomLogo = compagnon;
    }
    // Until here the previous address file is untouched; the destructor of an uncommitted
    // save file throws its temporary file away.
    if (!plv.commit())
        return echecEcriture(nomFichier);
    return nomLogo;
}

Result<PlvOuverture> FichierAdresses::LitFichier(const QString& nomFichier)
{
    const QFileInfo info(nomFichier);
    if (!info.exists())
        return echecLecture(nomFichier, QStringLiteral("Le fichier n'existe pas."));
    if (!info.isFile())
        return echecLecture(nomFichier, QStringLiteral("Ce n'est pas un fichier."));

    const QString tropGrand = QStringLiteral("Le fichier est bien trop grand pour un fichier d'adresses.");
    if (info.size() > kTailleMax)
        return echecLecture(nomFichier, tropGrand);

    QFile fichier(nomFichier);
    if (!fichier.open(QIODevice::ReadOnly))
        return echecLecture(nomFichier, QStringLiteral("Le fichier ne peut pas être ouvert."));
    const QByteArray octets = fichier.read(kTailleMax + 1);
    if (fichier.error() != QFileDevice::NoError)
        return echecLecture(nomFichier, QStringLiteral("Le fichier ne peut pas être lu."));
    if (octets.size() > kTailleMax)  // it grew while being read
        return echecLecture(nomFichier, tropGrand);
    if (octets.isEmpty())
        return echecLecture(nomFichier, QStringLiteral("Le fichier est vide."));

    Result<PlvDocument> document = PlvCodec::read(octets);
    if (!document)
        return echecLecture(nomFichier, document.error());

    PlvOuverture ouverture;
    ouverture.document = document.value();
    if (ouverture.document.LogoChoisi) {
        ouverture.cheminLogo = CheminLogo(ouverture.document.NomLogo, nomFichier);
        if (!ouverture.cheminLogo.isEmpty())
            ouverture.logo = QImage(ouverture.cheminLogo);
        ouverture.logoIllisible = ouverture.logo.isNull();
    }
    return ouverture;
}

QString FichierAdresses::NomCompagnon(const QString& nomFichier)
{
    const QString nom = NomSansDossier(nomFichier);
    if (nom.size() >= 4 && nom[nom.size() - 4] == u'.')
        return nomFichier.chopped(3) + QStringLiteral("BMP");
    return nomFichier + QStringLiteral(".BMP");
}

QString FichierAdresses::CheminLogo(const QString& nomLogo, const QString& nomFichier)
{
    const QDir dossier = QFileInfo(nomFichier).absoluteDir();
    if (!nomLogo.isEmpty()) {
        if (QDir::isAbsolutePath(nomLogo)) {
            if (estFichier(nomLogo))
                return nomLogo;
        } else if (!nomLogo.contains(u'\\')) {
            // A relative name is taken from the address file's folder, never from
            // wherever the program happens to run.
            const QString relatif = dossier.filePath(nomLogo);
            if (estFichier(relatif))
                return relatif;
        }
        const QString trouve = chercheDans(dossier, NomSansDossier(nomLogo));
        if (!trouve.isEmpty())
            return trouve;
    }
    // After the first save with a logo the file still names the logo's old place, and
    // the picture is only sure to be in the companion bitmap.
    return chercheDans(dossier, NomSansDossier(NomCompagnon(nomFichier)));
}

QString FichierAdresses::TitreFenetre(const QString& titreFenetre, const QString& nomFichier)
{
    return titreFenetre + QStringLiteral("      Fichier en cours : ") + NomSansDossier(nomFichier);
}

QString FichierAdresses::NomSansDossier(const QString& chemin)
{
    const qsizetype separateur = std::max(chemin.lastIndexOf(u'\\'), chemin.lastIndexOf(u'/'));
    return chemin.mid(separateur + 1);
}
