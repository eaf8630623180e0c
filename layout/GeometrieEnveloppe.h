#pragma once
// Where everything of an envelope lies, on the envelope and on the printer's page: the
// blocks' rectangles, the crop marks and the envelope's place on the sheet. The print run,
// the check before a print, the calibration page, the A4 warning and the preview all take
// their places from here, so that what is checked and previewed is what prints.
//
// Envelope coordinates are millimetres from the envelope's top left corner, as it lies
// address side up, its long side horizontal. Printer coordinates are millimetres from
// the top left corner of the printable area, which lies kMargeFeuille inside the sheet's
// edges (upright; sideways, it is taken as centred in the sheet's 210 mm).

#include "app/ReglagesModele.h"
#include "platform/PrinterService.h"
#include "platform/Units.h"

#include <QList>
#include <optional>

namespace GeometrieEnveloppe {

// Where no printer is expected to print, along every edge of the sheet.
inline constexpr Mm kMargeFeuille = Mm(3);

struct Feuille {
    Mm largeur;
    Mm hauteur;
};

// The A4 sheet the run prints on, upright or sideways.
Feuille feuilleA4(bool paysage);
// Whether an envelope of these settings is larger than that sheet.
bool depasseA4(const ReglagesModele& reglages);

// How the run lays the envelope on its sheet. Upright, the envelope's corner lies on the
// sheet's corner; sideways, the envelope lies against the bottom long edge of the
// landscape sheet.
struct PlaceEnveloppe {
    bool paysage = false;
    Feuille feuille;
    // The envelope offset: what turns envelope coordinates into printer coordinates.
    PointMm decalage;

    PointMm versImprimante(PointMm surEnveloppe) const
    {
        return {surEnveloppe.x + decalage.x, surEnveloppe.y + decalage.y};
    }
    RectMm versImprimante(const RectMm& surEnveloppe) const
    {
        return {surEnveloppe.left + decalage.x, surEnveloppe.top + decalage.y, surEnveloppe.width,
                surEnveloppe.height};
    }
    // Where a point of the envelope lands on the sheet.
    PointMm surFeuille(PointMm surEnveloppe) const
    {
        const PointMm p = versImprimante(surEnveloppe);
        return {p.x + kMargeFeuille, p.y + kMargeFeuille};
    }
};

// `hauteurImprimable` is the printable height of the page the printer holds (sideways
// only); by default that of an A4 sheet less its margins.
PlaceEnveloppe placeEnveloppe(Mm hauteurEnv, bool paysage,
                              Mm hauteurImprimable = Mm(210) - kMargeFeuille * 2);

// The envelope as the page itself, address side up and long side across: the envelope's
// corner is the page's.
PlaceEnveloppe placeSurEnveloppe(const ReglagesModele& reglages);

// The edges of the page a printer cannot print on, on the page as the run paints it.
struct MargesPage {
    Mm haut, bas, gauche, droite;
};
// A printer's margins, given for its medium as it is fed (upright), on a page laid
// sideways when it enters by `entree`.
MargesPage margesSurPage(const PaperMedium& support, bool paysage, FeedEdge entree);

// The page a printer will print: an A4 sheet or the envelope itself, with the printer's
// margins when it tells them.
struct FeuilleImprimante {
    QString imprimante;
    bool surEnveloppe = false;
    std::optional<MargesPage> marges;
};
// Where the envelope lies on that page, as the run lays it.
PlaceEnveloppe placePour(const ReglagesModele& reglages, const FeuilleImprimante& feuille);

// The recipient block, its bottom MargeBasseDest above the envelope's bottom edge, for a
// text of this printed size.
RectMm blocDest(const ReglagesModele& reglages, Mm largeurTexte, Mm hauteurTexte);
// The sender block's top left corner.
PointMm coinExp(const ReglagesModele& reglages);
// The logo as the sender block: at the size its picture states (see FichierAdresses::litLogo),
// else its natural size, its pixels at 96 dpi.
RectMm blocLogo(const ReglagesModele& reglages);

// The crop marks the run prints, as lines joined end to end, in printer coordinates:
// upright, on the envelope's right and bottom edges; sideways, where the landscape sheet
// holds the envelope's edges.
QList<QList<PointMm>> reperesCoupe(const ReglagesModele& reglages, bool paysage);

} // namespace GeometrieEnveloppe
