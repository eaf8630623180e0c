#pragma once
// The shift of each printer, right and down, that makes up for a printer printing off
// its place. Kept in the user's settings (organisation and application "Plivane", the
// program's only settings file), one entry per printer name, to the tenth of a
// millimetre: a shift belongs to a printer, not to an envelope design, so the address
// files never carry it.
//
// Keys: Imprimantes/<name, percent-encoded>/DecalageDroite and .../DecalageBas, in mm
// written with a point ("2.5", "-1.0"); a printer without a shift has no entry.

#include "platform/Outcome.h"
#include "platform/Units.h"

#include <QString>
#include <memory>

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

    // To the tenth of a millimetre, within kDecalageMax; what is not a number is zero.
    static PointMm Borne(PointMm decalage);

private:
    static QString groupe(const QString& imprimante);

    std::unique_ptr<QSettings> m_reglages;
};
