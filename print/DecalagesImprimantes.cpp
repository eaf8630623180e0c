#include "print/DecalagesImprimantes.h"

#include <QSettings>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {
const QString kDroite = QStringLiteral("DecalageDroite");
const QString kBas = QStringLiteral("DecalageBas");
const QString kPapier = QStringLiteral("Papier");
const QString kBac = QStringLiteral("Bac");
const QString kEntree = QStringLiteral("Entree");

Mm borne(double mm)
{
    if (!std::isfinite(mm))
        return Mm(0);
    const double limite = DecalagesImprimantes::kDecalageMax.value;
    const double dixiemes = std::round(std::clamp(mm, -limite, limite) * 10.0) / 10.0;
    return Mm(dixiemes == 0.0 ? 0.0 : dixiemes); // never a negative zero
}

Mm lit(const QSettings& reglages, const QString& cle)
{
    bool ok = false;
    const double mm = reglages.value(cle).toString().toDouble(&ok);
    return ok ? borne(mm) : Mm(0);
}
} // namespace

DecalagesImprimantes::DecalagesImprimantes()
    : m_reglages(std::make_unique<QSettings>(QStringLiteral("Plivane"), QStringLiteral("Plivane")))
{
}

DecalagesImprimantes::DecalagesImprimantes(const QString& fichier)
    : m_reglages(std::make_unique<QSettings>(fichier, QSettings::IniFormat))
{
}

DecalagesImprimantes::~DecalagesImprimantes() = default;

void DecalagesImprimantes::utiliseFichier(const QString& fichier)
{
    m_reglages = std::make_unique<QSettings>(fichier, QSettings::IniFormat);
}

PointMm DecalagesImprimantes::Borne(PointMm decalage)
{
    return {borne(decalage.x.value), borne(decalage.y.value)};
}

QString DecalagesImprimantes::groupe(const QString& imprimante)
{
    // A queue's name may hold the settings' own separators.
    return QStringLiteral("Imprimantes/") + QString::fromLatin1(QUrl::toPercentEncoding(imprimante));
}

PointMm DecalagesImprimantes::decalage(const QString& imprimante) const
{
    if (imprimante.isEmpty())
        return {};
    const QString g = groupe(imprimante);
    return {lit(*m_reglages, g + QLatin1Char('/') + kDroite), lit(*m_reglages, g + QLatin1Char('/') + kBas)};
}

Status DecalagesImprimantes::enregistre(const QString& imprimante, PointMm decalage)
{
    if (imprimante.isEmpty())
        return Status::failure(
            QStringLiteral("Aucune imprimante n'est choisie : le décalage n'a pas été enregistré."));
    const PointMm d = Borne(decalage);
    const QString g = groupe(imprimante) + QLatin1Char('/');
    if (d == PointMm{}) {
        m_reglages->remove(g + kDroite);
        m_reglages->remove(g + kBas);
    } else {
        m_reglages->setValue(g + kDroite, QString::number(d.x.value, 'f', 1));
        m_reglages->setValue(g + kBas, QString::number(d.y.value, 'f', 1));
    }
    return sauve(QStringLiteral("Le décalage de l'imprimante"));
}

Status DecalagesImprimantes::sauve(const QString& quoi)
{
    m_reglages->sync();
    if (m_reglages->status() != QSettings::NoError)
        return Status::failure(
            QStringLiteral("%1 n'a pas pu être enregistré dans « %2 ».").arg(quoi, m_reglages->fileName()));
    return Status::ok();
}

InstallationImprimante DecalagesImprimantes::installation(const QString& imprimante) const
{
    InstallationImprimante installation;
    if (!imprimante.isEmpty()) {
        const QString g = groupe(imprimante) + QLatin1Char('/');
        if (m_reglages->value(g + kPapier).toString() == QLatin1String("Enveloppe"))
            installation.papier = Papier::Enveloppe;
        installation.bac = m_reglages->value(g + kBac).toString();
        if (m_reglages->value(g + kEntree).toString() == QLatin1String("Gauche"))
            installation.entree = FeedEdge::Left;
    }
    if (m_papierForce)
        installation.papier = *m_papierForce;
    if (m_bacForce)
        installation.bac = *m_bacForce;
    return installation;
}

Status DecalagesImprimantes::enregistreInstallation(const QString& imprimante,
                                                    const InstallationImprimante& installation)
{
    if (imprimante.isEmpty())
        return Status::failure(
            QStringLiteral("Aucune imprimante n'est choisie : le réglage n'a pas été enregistré."));
    const QString g = groupe(imprimante) + QLatin1Char('/');
    const auto garde = [&](const QString& cle, bool parDefaut, const QString& valeur) {
        if (parDefaut)
            m_reglages->remove(g + cle);
        else
            m_reglages->setValue(g + cle, valeur);
    };
    garde(kPapier, installation.papier == Papier::FeuilleA4, QStringLiteral("Enveloppe"));
    garde(kBac, installation.bac.isEmpty(), installation.bac);
    garde(kEntree, installation.entree == FeedEdge::Right, QStringLiteral("Gauche"));
    return sauve(QStringLiteral("Le réglage de l'imprimante"));
}

void DecalagesImprimantes::force(std::optional<Papier> papier, std::optional<QString> bac)
{
    m_papierForce = papier;
    m_bacForce = std::move(bac);
}
