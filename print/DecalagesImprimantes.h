#pragma once
// The shift of each printer, right and down, that makes up for a printer printing off
// its place. Kept in the user's settings (organisation and application "Plivane", the
// program's only settings file), one entry per printer name, to the tenth of a
// millimetre: a shift belongs to a printer, not to an envelope design, so the address
// files never carry it.
//
// Beside its shift, each printer keeps how it takes envelopes (paper, source, feed edge),
// for the same reason.
//
// Keys: Imprimantes/<name, percent-encoded>/DecalageDroite and .../DecalageBas, in mm
// written with a point ("2.5", "-1.0"); .../Papier ("A4" or "Enveloppe"), .../Bac (the
// source's keyword) and .../Entree ("Droite" or "Gauche"). A setting left as its default
// has no entry.

#include "platform/Outcome.h"
#include "platform/Units.h"
#include "print/PapierImprimante.h"

#include <QString>
#include <memory>
#include <optional>

class QSettings;

class DecalagesImprimantes {
public:
    static constexpr Mm kDecalageMax = Mm(20);

    // The user's settings.
    DecalagesImprimantes();
    // The settings kept in this file (INI format).
    explicit DecalagesImprimantes(const QString& fichier);
    ~DecalagesImprimantes();
    DecalagesImprimantes(const DecalagesImprimantes&) = delete;
    DecalagesImprimantes& operator=(const DecalagesImprimantes&) = delete;

    // From now on, the settings kept in this file (INI format) instead.
    void utiliseFichier(const QString& fichier);

    // The printer's shift; zero for a printer never set. A kept value that is not a
    // number reads as zero, one beyond kDecalageMax as the limit.
    PointMm decalage(const QString& imprimante) const;
    // Keeps the shift, rounded to the tenth and held within kDecalageMax.
    Status enregistre(const QString& imprimante, PointMm decalage);

    // How the printer takes envelopes, as kept, with this run's overrides (force()).
    InstallationImprimante installation(const QString& imprimante) const;
    Status enregistreInstallation(const QString& imprimante, const InstallationImprimante& installation);
    // For the runs of this program only, never kept: the paper and the source every
    // printer takes, whatever it keeps (the batch's --papier and --bac).
    void force(std::optional<Papier> papier, std::optional<QString> bac);

    // To the tenth of a millimetre, within kDecalageMax; what is not a number is zero.
    static PointMm Borne(PointMm decalage);

private:
    static QString groupe(const QString& imprimante);
    Status sauve(const QString& quoi);

    std::optional<Papier> m_papierForce;
    std::optional<QString> m_bacForce;

    std::unique_ptr<QSettings> m_reglages;
};
