#include "print/DecalagesImprimantes.h"

#include <QSettings>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {
const QString kDroite = QStringLiteral("DecalageDroite");
const QString kBas = QStringLiteral("DecalageBas");

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
    const QString g = groupe(imprimante);
    if (d == PointMm{}) {
        m_reglages->remove(g);
    } else {
        m_reglages->setValue(g + QLatin1Char('/') + kDroite, QString::number(d.x.value, 'f', 1));
        m_reglages->setValue(g + QLatin1Char('/') + kBas, QString::number(d.y.value, 'f', 1));
    }
    m_reglages->sync();
    if (m_reglages->status() != QSettings::NoError)
        return Status::failure(
            QStringLiteral("Le décalage de l'imprimante n'a pas pu être enregistré dans « %1 ».")
                .arg(m_reglages->fileName()));
    return Status::ok();
}
