#include "print/PapierImprimante.h"

#include <QRegularExpression>
#include <cmath>

namespace PapierImprimante {

namespace {
// A printer's list rounds sizes to its own unit: a millimetre either way is the same paper.
constexpr double kTolerance = 1.0;

bool proche(Mm a, Mm b)
{
    return std::abs(a.value - b.value) <= kTolerance;
}

bool memeTaille(Mm largeur, Mm longueur, Mm a, Mm b)
{
    return (proche(largeur, a) && proche(longueur, b)) || (proche(largeur, b) && proche(longueur, a));
}

QString mm(Mm valeur)
{
    return QString::number(valeur.value, 'f', valeur.value == std::round(valeur.value) ? 0 : 1);
}
} // namespace

QString nom(Papier papier)
{
    return papier == Papier::Enveloppe ? QStringLiteral("Enveloppe") : QStringLiteral("Feuille A4");
}

QString nomBac(const QString& bac)
{
    static const QList<QPair<const char*, const char*>> kNoms = {
        {"", "Choix de l'imprimante"},
        {"auto", "Automatique"},
        {"main", "Bac principal"},
        {"manual", "Bac manuel"},
        {"by-pass-tray", "Bac multifonction"},
        {"envelope", "Chargeur d'enveloppes"},
        {"alternate", "Bac secondaire"},
        {"bottom", "Bac inférieur"},
        {"top", "Bac supérieur"},
        {"middle", "Bac du milieu"},
        {"large-capacity", "Bac grande capacité"},
        {"rear", "Fente arrière"},
        {"side", "Fente latérale"},
        {"photo", "Bac photo"},
        {"Manual", "Bac manuel"},
        {"ManualFeed", "Bac manuel"},
        {"Auto", "Automatique"},
        {"AutoSelect", "Automatique"},
        {"MPTray", "Bac multifonction"},
        {"Envelope", "Chargeur d'enveloppes"},
    };
    for (const auto& [mot, texte] : kNoms)
        if (bac == QLatin1String(mot))
            return QString::fromUtf8(texte);
    static const QRegularExpression kBacNumerote(QStringLiteral("^(?:tray-|Tray)(\\d+)$"));
    if (const QRegularExpressionMatch m = kBacNumerote.match(bac); m.hasMatch())
        return QStringLiteral("Bac %1").arg(m.captured(1));
    return bac;
}

QString nomEntree(FeedEdge entree)
{
    return entree == FeedEdge::Left ? QStringLiteral("Bord gauche en premier")
                                    : QStringLiteral("Bord droit en premier");
}

Result<PaperMedium> supportEnveloppe(const PrinterCapabilities& capacites, Mm longueur, Mm hauteur,
                                     const QString& imprimante)
{
    const Mm largeur = std::min(longueur, hauteur);
    const Mm long_ = std::max(longueur, hauteur);
    if (!capacites.known)
        return PaperMedium{QString(), largeur, long_, {}, {}, {}, {}};
    for (const PaperMedium& support : capacites.media)
        if (memeTaille(largeur, long_, support.width, support.length))
            return support;
    if (capacites.customSizes)
        return PaperMedium{
            QStringLiteral("Custom.%1x%2mm").arg(mm(largeur), mm(long_)), largeur, long_, {}, {}, {}, {}};
    QStringList tailles;
    for (const PaperMedium& support : capacites.media)
        tailles.append(QStringLiteral("%1 x %2 mm").arg(mm(support.width), mm(support.length)));
    tailles.removeDuplicates();
    return Status::failure(
        QStringLiteral("L'imprimante « %1 » n'a pas d'enveloppe de %2 x %3 mm. "
                       "Les formats qu'elle propose : %4.")
            .arg(imprimante, mm(longueur), mm(hauteur), tailles.join(QStringLiteral(", "))));
}

QString bacPropose(const PrinterCapabilities& capacites, const PaperMedium& support)
{
    for (const LoadedMedium& charge : capacites.loaded)
        if (!charge.source.isEmpty() &&
            memeTaille(charge.width, charge.length, support.width, support.length))
            return charge.source;
    for (const char* bac : {"envelope", "by-pass-tray", "manual"})
        if (capacites.sources.contains(QLatin1String(bac)))
            return QString::fromLatin1(bac);
    return {};
}

bool sansA4(const PrinterCapabilities& capacites)
{
    if (!capacites.known || capacites.media.isEmpty())
        return false;
    for (const PaperMedium& support : capacites.media)
        if (memeTaille(Mm(210), Mm(297), support.width, support.length))
            return false;
    return true;
}

QString messageSansA4(const QString& imprimante)
{
    return QStringLiteral("L'imprimante « %1 » n'a pas de papier A4 : rien ne lui est envoyé. "
                          "Choisissez pour elle le papier « Enveloppe », qui imprime sur l'enveloppe "
                          "elle-même.")
        .arg(imprimante);
}

bool paysage(const InstallationImprimante& installation, const ReglagesModele& r)
{
    return installation.papier == Papier::Enveloppe ? r.LongueurEnv > r.HauteurEnv : r.Orientation != 0;
}

Status metLePapier(PrinterService& imprimante, const InstallationImprimante& installation,
                   const ReglagesModele& r, const PrinterCapabilities& capacites)
{
    QString bac = installation.bac;
    if (installation.papier == Papier::Enveloppe) {
        const Result<PaperMedium> support =
            supportEnveloppe(capacites, Mm(r.LongueurEnv), Mm(r.HauteurEnv), imprimante.printerName());
        if (!support)
            return support.status();
        if (Status s = imprimante.setPaperMedium(support.value()); !s)
            return s;
        if (bac.isEmpty())
            bac = bacPropose(capacites, support.value());
    } else if (Status s = imprimante.setPaperA4(); !s) {
        return s;
    }
    return imprimante.setPaperSource(bac);
}

GeometrieEnveloppe::FeuilleImprimante
feuille(PrinterService& imprimante, const InstallationImprimante& installation, const ReglagesModele& r)
{
    GeometrieEnveloppe::FeuilleImprimante page{imprimante.printerName(),
                                               installation.papier == Papier::Enveloppe, std::nullopt};
    const PrinterCapabilities capacites = imprimante.capabilities();
    if (!capacites.known)
        return page;
    std::optional<PaperMedium> support;
    if (page.surEnveloppe) {
        if (const Result<PaperMedium> s =
                supportEnveloppe(capacites, Mm(r.LongueurEnv), Mm(r.HauteurEnv), {}))
            support = s.value();
    } else {
        for (const PaperMedium& m : capacites.media)
            if (memeTaille(Mm(210), Mm(297), m.width, m.length))
                support = m;
    }
    if (support) {
        page.marges =
            GeometrieEnveloppe::margesSurPage(*support, paysage(installation, r), installation.entree);
    }
    return page;
}

} // namespace PapierImprimante
