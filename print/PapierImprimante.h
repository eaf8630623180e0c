#pragma once
// What a printer is given to print an envelope on: an A4 sheet the envelope is cut from
// or laid on, or the envelope itself as the page, from one of the printer's sources, one
// edge first. Each printer keeps its own choice (DecalagesImprimantes); the batch may
// override it for one run.
//
// The envelope goes as the medium the printer lists for its size (within 1 mm, either way
// round), or as a custom size where the printer takes one; a printer without either says
// so, naming the sizes it has.

#include "app/ReglagesModele.h"
#include "layout/GeometrieEnveloppe.h"
#include "platform/Outcome.h"
#include "platform/PrinterService.h"

#include <QString>
#include <QStringList>

enum class Papier { FeuilleA4 = 0, Enveloppe = 1 };

struct InstallationImprimante {
    Papier papier = Papier::FeuilleA4;
    QString bac; // an IPP media-source keyword or a driver's input slot; empty: the printer's choice
    FeedEdge entree = FeedEdge::Right;
    bool operator==(const InstallationImprimante&) const = default;
};

namespace PapierImprimante {

// The names the user reads: "Feuille A4", "Enveloppe"; a source in French
// ("Bac manuel"), or as the printer names it when it is not a known one.
QString nom(Papier papier);
QString nomBac(const QString& bac);
QString nomEntree(FeedEdge entree);

// The medium for an envelope of this length and height on this printer. A printer that
// knows nothing of its paper (a PDF file) takes the envelope's own size.
Result<PaperMedium> supportEnveloppe(const PrinterCapabilities& capacites, Mm longueur, Mm hauteur,
                                     const QString& imprimante);
// The source to take it from when the user chose none: where the printer says this medium
// is loaded, else its envelope feeder, its multi-purpose tray or its manual slot; empty
// when it has none of them.
QString bacPropose(const PrinterCapabilities& capacites, const PaperMedium& support);
// A printer that lists its sizes and has no A4 among them.
bool sansA4(const PrinterCapabilities& capacites);
QString messageSansA4(const QString& imprimante);

// Whether the page is laid sideways: the envelope itself long side across, or the A4
// sheet as the envelope's feed ("Paysage") says.
bool paysage(const InstallationImprimante& installation, const ReglagesModele& reglages);
// Gives the printer the page for this set-up: the envelope's medium or A4, from the
// chosen source (by default, for an envelope, the one bacPropose() names).
Status metLePapier(PrinterService& imprimante, const InstallationImprimante& installation,
                   const ReglagesModele& reglages, const PrinterCapabilities& capacites);

// The page the printer will be given for an envelope of these settings, with the margins
// it says it cannot print in (none known for a PDF, or a printer that does not say).
GeometrieEnveloppe::FeuilleImprimante feuille(PrinterService& imprimante,
                                              const InstallationImprimante& installation,
                                              const ReglagesModele& reglages);

} // namespace PapierImprimante
