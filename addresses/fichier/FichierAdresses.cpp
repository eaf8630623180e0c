#include "addresses/fichier/FichierAdresses.h"

#include "addresses/fichier/PlvCodec.h"
#include "platform/EcritureGroupee.h"
#include "platform/LectureFichier.h"
#include "platform/Units.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr double kDpiSvg = 300; // a printer's resolution, for a drawing of known size
// A drawing is made of text: one that unfolds to more is no logo but a trap.
constexpr qint64 kTailleSvgMax = 16 * 1024 * 1024;
// The longer side of a drawing rendered for print: a poster-sized drawing gets fewer dots
// per inch rather than a picture of gigabytes.
constexpr int kCoteSvgMax = 4000;

// A gzip-compressed SVG unfolded, at most kTailleSvgMax bytes; nothing when it is not
// whole or unfolds to more.
std::optional<QByteArray> decompresse(const QByteArray& gz)
{
    z_stream flux{};
    if (inflateInit2(&flux, 16 + MAX_WBITS) != Z_OK)
        return std::nullopt;
    flux.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gz.constData()));
    flux.avail_in = uInt(gz.size());
    QByteArray sortie;
    int etat = Z_OK;
    while (etat == Z_OK) {
        const qsizetype deja = sortie.size();
        if (deja >= kTailleSvgMax)
            break;
        sortie.resize(std::min<qsizetype>(kTailleSvgMax, deja + (1 << 16)));
        flux.next_out = reinterpret_cast<Bytef*>(sortie.data() + deja);
        flux.avail_out = uInt(sortie.size() - deja);
        etat = inflate(&flux, Z_NO_FLUSH);
        sortie.resize(sortie.size() - flux.avail_out);
    }
    inflateEnd(&flux);
    if (etat != Z_STREAM_END)
        return std::nullopt;
    return sortie;
}

bool hrefExterne(const QXmlStreamAttributes& attributs)
{
    for (const QXmlStreamAttribute& a : attributs) {
        if (a.name() == u"href" && !a.value().trimmed().startsWith(u"data:", Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// The drawing again without what it would fetch from elsewhere: any picture it names by
// a path or an address instead of carrying it (a private picture of the user's would end
// up in the logo, on paper and in the companion bitmap sent with the file), its document
// type and its processing instructions. Nothing when it is not well-formed.
std::optional<QByteArray> svgSansReferences(const QByteArray& octets)
{
    QXmlStreamReader xml(octets);
    QByteArray propre;
    QXmlStreamWriter ecrit(&propre);
    int ignore = 0; // depth inside an element left out
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (ignore > 0 || (xml.name() == u"image" && hrefExterne(xml.attributes()))) {
                ++ignore;
                break;
            }
            // Declared first, so that the element keeps its own prefix.
            for (const QXmlStreamNamespaceDeclaration& ns : xml.namespaceDeclarations())
                ecrit.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
            ecrit.writeStartElement(xml.namespaceUri().toString(), xml.name().toString());
            ecrit.writeAttributes(xml.attributes());
            break;
        case QXmlStreamReader::EndElement:
            if (ignore > 0)
                --ignore;
            else
                ecrit.writeEndElement();
            break;
        case QXmlStreamReader::Characters:
            if (ignore == 0)
                ecrit.writeCharacters(xml.text().toString());
            break;
        default:
            break;
        }
        if (propre.size() > kTailleSvgMax)
            return std::nullopt;
    }
    if (xml.hasError())
        return std::nullopt;
    return propre;
}

// An SVG's width and height in millimetres, when both are given in physical units.
std::optional<QSizeF> tailleSvgMm(const QByteArray& octets)
{
    QXmlStreamReader xml(octets);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    if (xml.name() != u"svg")
        return std::nullopt;
    auto mm = [&](const char* attribut) -> std::optional<double> {
        static const QRegularExpression longueur(u"^\\s*([0-9]*\\.?[0-9]+)\\s*(mm|cm|in|pt|pc|Q)\\s*$"_qs);
        const QRegularExpressionMatch m = longueur.match(xml.attributes().value(QLatin1String(attribut)));
        if (!m.hasMatch() || m.captured(1).toDouble() <= 0)
            return std::nullopt;
        const double v = m.captured(1).toDouble();
        const QStringView unite = m.capturedView(2);
        return unite == u"mm"   ? v
               : unite == u"cm" ? v * 10
               : unite == u"in" ? v * units::kMmPerInch
               : unite == u"pt" ? v * units::kMmPerInch / 72
               : unite == u"pc" ? v * units::kMmPerInch / 6
                                : v / 4; // Q, quarter-millimetres
    };
    const std::optional<double> largeur = mm("width");
    const std::optional<double> hauteur = mm("height");
    if (!largeur || !hauteur)
        return std::nullopt;
    return QSizeF(*largeur, *hauteur);
}

Status echecEcriture(const QString& nomFichier)
{
    return Status::failure(QStringLiteral("Problème d'écriture du Fichier:\r\n") + nomFichier +
                           QStringLiteral("Corrigez et réessayez."));
}

Status echecLecture(const QString& nomFichier, const QString& raison)
{
    return Status::failure(QStringLiteral("Problème de lecture du Fichier:\r\n") + nomFichier +
                           QStringLiteral("\r\n") + raison);
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

// A file the user made read-only (or may not write) is not to be replaced, though its
// folder would let a rename do it. The bits are read as well as asked: the administrator
// may write anything, and is to be told all the same.
bool protege(const QString& chemin)
{
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat etat {};
    if (::stat(nom.constData(), &etat) != 0 || !S_ISREG(etat.st_mode))
        return false;
    return (etat.st_mode & 0222) == 0 || ::access(nom.constData(), W_OK) != 0;
}

bool memeFichier(const QString& a, const QString& b)
{
    // Compared without case: on a disk shared with Windows they are the same file.
    return QFileInfo(a).absoluteFilePath().compare(QFileInfo(b).absoluteFilePath(), Qt::CaseInsensitive) == 0;
}

} // namespace

QString FichierAdresses::raisonLectureSeule(const QString& nomFichier, bool avecLogo)
{
    if (protege(nomFichier))
        return QStringLiteral("Le fichier « %1 » est protégé en écriture : il n'a pas été remplacé.\r\n"
                              "Enregistrez vos adresses sous un autre nom.")
            .arg(nomFichier);
    if (avecLogo && protege(nomCompagnon(nomFichier)))
        return QStringLiteral(
                   "Le logo enregistré à côté du fichier, « %1 », est protégé en écriture : "
                   "le fichier n'a pas été remplacé.\r\nEnregistrez vos adresses sous un autre nom.")
            .arg(nomCompagnon(nomFichier));
    return {};
}

Result<PlvEcrit> FichierAdresses::ecrit(const QString& nomFichier, const PlvDocument& document,
                                        const QImage& logo)
{
    if (nomFichier.isEmpty())
        return echecEcriture(nomFichier);
    if (const QString raison = raisonLectureSeule(nomFichier, document.reglages.LogoChoisi);
        !raison.isEmpty())
        return Status::failure(raison);
    EcritureGroupee::balaie(nomFichier);
    EcritureGroupee::balaie(nomCompagnon(nomFichier));

    const QByteArray octets = PlvCodec::ecrit(document);
    if (octets.size() > kTailleMax)
        return Status::failure(
            QStringLiteral("Le fichier n'a pas été écrit :\r\n%1\r\nSes %2 adresses en feraient un fichier "
                           "de %3 Mo, et un fichier d'adresses ne peut dépasser %4 Mo. Répartissez-les "
                           "entre plusieurs fichiers.")
                .arg(nomFichier, QLocale(QLocale::French).toString(document.Adresses.size()),
                     QString::number((octets.size() + (1 << 20) - 1) >> 20),
                     QString::number(kTailleMax >> 20)));

    // The address file goes in last: until it does, the previous one stands.
    EcritureGroupee ecriture;
    PlvEcrit ecrit{document.reglages.NomLogo, EmpreinteFichier::deOctets(octets), {}};
    if (document.reglages.LogoChoisi) {
        const QString compagnon = nomCompagnon(nomFichier);
        // An address file named like its own companion would be overwritten by the bitmap.
        if (memeFichier(compagnon, nomFichier) || logo.isNull())
            return echecEcriture(nomFichier);
        // A logo that states its size on paper goes as a PNG, which keeps it; any other as
        // the Windows bitmap it always was.
        const bool tailleDite = units::pictureSideToMm(logo.width(), logo.dotsPerMeterX()) !=
                                    units::bitmapPixelsToMm(logo.width()) ||
                                units::pictureSideToMm(logo.height(), logo.dotsPerMeterY()) !=
                                    units::bitmapPixelsToMm(logo.height());
        QByteArray image;
        QBuffer tampon(&image);
        if (!tampon.open(QIODevice::WriteOnly) || !logo.save(&tampon, tailleDite ? "PNG" : "BMP"))
            return echecEcriture(nomFichier);
        // The picture's fault, not the disk's: said as such.
        if (image.size() > kTailleLogoMax)
            return Status::failure(
                QStringLiteral("Le fichier n'a pas été écrit :\r\n%1\r\nSon logo (%2 x %3 points) ferait "
                               "à côté de lui un fichier de %4 Mo, et un logo ne peut dépasser %5 Mo. "
                               "Choisissez une image plus petite.")
                    .arg(nomFichier, QString::number(logo.width()), QString::number(logo.height()),
                         QString::number((image.size() + (1 << 20) - 1) >> 20),
                         QString::number(kTailleLogoMax >> 20)));
        if (!ecriture.prepare(compagnon, image))
            return echecEcriture(nomFichier);
        ecrit.nomLogo = compagnon;
        ecrit.empreinteCompagnon = EmpreinteFichier::deOctets(image);
    } else {
        ecrit.empreinteCompagnon = EmpreinteFichier::de(nomCompagnon(nomFichier), kTailleLogoMax);
    }
    if (!ecriture.prepare(nomFichier, octets) || !ecriture.remplace())
        return echecEcriture(nomFichier);
    return ecrit;
}

Result<PlvOuverture> FichierAdresses::lit(const QString& nomFichier, EntreesAdresses* compactes)
{
    // What a killed save left beside the file goes, before anyone copies the folder.
    EcritureGroupee::balaie(nomFichier);
    EcritureGroupee::balaie(nomCompagnon(nomFichier));
    EmpreinteFichier empreinte;
    Result<PlvDocument> document = [&]() -> Result<PlvDocument> {
        const LectureFichier::Lu lu = LectureFichier::lit(nomFichier, kTailleMax);
        if (lu.echec == LectureFichier::Echec::TropGrand)
            return echecLecture(nomFichier, QStringLiteral("Le fichier est bien trop grand pour un fichier "
                                                           "d'adresses (plus de %1 Mo).")
                                                .arg(kTailleMax >> 20));
        if (!lu)
            return echecLecture(nomFichier, QStringLiteral("Le fichier ne peut pas être ouvert : %1.")
                                                .arg(LectureFichier::raison(lu.echec)));
        if (lu.octets.isEmpty())
            return echecLecture(nomFichier, QStringLiteral("Le fichier est vide."));
        empreinte = EmpreinteFichier::deOctets(lu.octets);
        Result<PlvDocument> d = PlvCodec::lit(lu.octets, compactes);
        if (!d)
            return echecLecture(nomFichier, d.error());
        return d;
    }();
    if (!document)
        return document.status();

    PlvOuverture ouverture;
    ouverture.document = document.value();
    ouverture.empreinte = empreinte;
    ouverture.empreinteCompagnon = EmpreinteFichier::de(nomCompagnon(nomFichier), kTailleLogoMax);
    if (ouverture.document.reglages.LogoChoisi) {
        ouverture.cheminLogo = cheminLogo(ouverture.document.reglages.NomLogo, nomFichier);
        if (!ouverture.cheminLogo.isEmpty())
            ouverture.logo = litLogo(ouverture.cheminLogo);
        if (std::optional<QImage> reduit = logoALaPlace(ouverture.logo, ouverture.document.reglages))
            ouverture.logo = std::move(*reduit);
        ouverture.logoIllisible = ouverture.logo.isNull();
    }
    if (ouverture.logoIllisible) {
        QString manquant = ouverture.cheminLogo;
        if (manquant.isEmpty())
            manquant = ouverture.document.reglages.NomLogo.isEmpty() ? nomCompagnon(nomFichier)
                                                                     : ouverture.document.reglages.NomLogo;
        ouverture.avertissement =
            QStringLiteral("Le logo de ce fichier d'adresses est introuvable ou illisible :\r\n%1\r\n"
                           "Le logo d'origine de Plivane le remplace ; la prochaine sauvegarde "
                           "l'enregistrera à côté du fichier.")
                .arg(manquant);
    }
    return ouverture;
}

QImage FichierAdresses::litLogo(const QString& chemin)
{
    const LectureFichier::Lu lu = LectureFichier::lit(chemin, kTailleLogoMax);
    if (!lu)
        return {};
    QByteArray octets = lu.octets;
    if (octets.startsWith("\x1f\x8b")) {
        std::optional<QByteArray> svg = decompresse(octets);
        if (!svg)
            return {};
        octets = std::move(*svg);
    }
    // The format is read from the bytes, not the name: a logo renamed by hand still opens.
    QBuffer tampon;
    tampon.setData(octets);
    tampon.open(QIODevice::ReadOnly);
    QImageReader lecteur(&tampon);
    QByteArray format = lecteur.format();
    if (format == "svg" || format == "svgz") {
        std::optional<QByteArray> propre = svgSansReferences(octets);
        if (!propre)
            return {};
        octets = std::move(*propre);
        tampon.close();
        tampon.setData(octets);
        tampon.open(QIODevice::ReadOnly);
        lecteur.setDevice(&tampon);
        lecteur.setFormat(format = "svg");
    }
    QImage image;
    if (const std::optional<QSizeF> mm = format == "svg" ? tailleSvgMm(octets) : std::nullopt) {
        // Drawn for print rather than at the renderer's 90 dpi.
        const double dpi =
            std::min(kDpiSvg, kCoteSvgMax * units::kMmPerInch / std::max(mm->width(), mm->height()));
        lecteur.setScaledSize(QSize(qMax(1, qRound(mm->width() / units::kMmPerInch * dpi)),
                                    qMax(1, qRound(mm->height() / units::kMmPerInch * dpi))));
        image = lecteur.read();
        image.setDotsPerMeterX(qRound(image.width() * 1000.0 / mm->width()));
        image.setDotsPerMeterY(qRound(image.height() * 1000.0 / mm->height()));
    } else {
        image = lecteur.read();
        if (format != "png" && format != "jpeg") {
            image.setDotsPerMeterX(qRound(units::kLogicalDotsPerMetre));
            image.setDotsPerMeterY(qRound(units::kLogicalDotsPerMetre));
        }
    }
    if (image.isNull() || !image.hasAlphaChannel())
        return image;
    // Envelopes are white and a Windows bitmap has no transparency: what is see-through
    // in a PNG or an SVG is white, on the preview, on paper and in the companion file.
    QImage surBlanc(image.size(), QImage::Format_RGB32);
    surBlanc.setDotsPerMeterX(image.dotsPerMeterX());
    surBlanc.setDotsPerMeterY(image.dotsPerMeterY());
    surBlanc.fill(Qt::white);
    QPainter peintre(&surBlanc);
    peintre.drawImage(0, 0, image);
    return surBlanc;
}

std::optional<QImage> FichierAdresses::logoALaPlace(const QImage& logo, const ReglagesModele& r)
{
    if (logo.isNull())
        return std::nullopt;
    constexpr double kMin = 10;
    const double placeL = std::max(kMin, r.LongueurEnv / 2.0 - r.MargeGaucheExp);
    const double placeH = std::max(kMin, r.HauteurEnv / 2.0 - r.MargeHauteExp);
    const double largeur = units::pictureSideToMm(logo.width(), logo.dotsPerMeterX()).value;
    const double hauteur = units::pictureSideToMm(logo.height(), logo.dotsPerMeterY()).value;
    const double echelle = std::min(placeL / largeur, placeH / hauteur);
    if (!(echelle < 1))
        return std::nullopt;
    constexpr double kPointsParMm = 300 / units::kMmPerInch;
    const double largeurMm = largeur * echelle, hauteurMm = hauteur * echelle;
    const QSize points(std::clamp(qRound(largeurMm * kPointsParMm), 1, logo.width()),
                       std::clamp(qRound(hauteurMm * kPointsParMm), 1, logo.height()));
    QImage reduit =
        points == logo.size() ? logo : logo.scaled(points, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    reduit.setDotsPerMeterX(qRound(reduit.width() * 1000.0 / largeurMm));
    reduit.setDotsPerMeterY(qRound(reduit.height() * 1000.0 / hauteurMm));
    return reduit;
}

QString FichierAdresses::filtreLogos()
{
    QStringList motifs;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        motifs << QStringLiteral("*.") + QString::fromLatin1(format).toUpper();
    motifs.removeDuplicates();
    return QStringLiteral("Fichiers autorisés|%1|Bitmaps Windows|*.BMP").arg(motifs.join(u' '));
}

QString FichierAdresses::nomCompagnon(const QString& nomFichier)
{
    const QString nom = nomSansDossier(nomFichier);
    if (nom.size() >= 4 && nom[nom.size() - 4] == u'.')
        return nomFichier.chopped(3) + QStringLiteral("BMP");
    return nomFichier + QStringLiteral(".BMP");
}

QString FichierAdresses::cheminLogo(const QString& nomLogo, const QString& nomFichier)
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
        const QString trouve = chercheDans(dossier, nomSansDossier(nomLogo));
        if (!trouve.isEmpty())
            return trouve;
    }
    // After the first save with a logo the file still names the logo's old place, and
    // the picture is only sure to be in the companion bitmap.
    return chercheDans(dossier, nomSansDossier(nomCompagnon(nomFichier)));
}

QString FichierAdresses::TitreFenetre(const QString& titreFenetre, const QString& nomFichier)
{
    return titreFenetre + QStringLiteral("      Fichier en cours : ") + nomSansDossier(nomFichier);
}

QString FichierAdresses::nomSansDossier(const QString& chemin)
{
    const qsizetype separateur = std::max(chemin.lastIndexOf(u'\\'), chemin.lastIndexOf(u'/'));
    return chemin.mid(separateur + 1);
}
