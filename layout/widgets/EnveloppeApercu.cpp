#include "layout/widgets/EnveloppeApercu.h"

#include "layout/GeometrieEnveloppe.h"
#include "layout/PolicesImprimante.h"
#include "layout/widgets/ToileApercu.h"
#include "platform/PrinterService.h"

const QColor EnveloppeApercu::kRougeVif = QColor(255, 0, 0);
const QColor EnveloppeApercu::kGrisClair = QColor(192, 192, 192);

EnveloppeApercu::EnveloppeApercu(ToileApercu& modele, PrinterService& imprimante)
    : m_modele(modele), m_imprimante(imprimante)
{
}

GeometrieApercu EnveloppeApercu::DessineModele(double L, double H, bool repereCoupe,
                                               const DimensionsDessinees& dessin)
{
    const GeometrieApercu g = calculeGeometrie(L, H, dessin);
    m_echelle = g.Echelle;
    m_modele.redimensionne(g.LargeurApercu, g.HauteurApercu); // clears the picture
    m_destDessine = false;
    m_expDessine = false;
    m_reperesCoupe = repereCoupe;
    traceReperes();
    m_modele.rafraichit();
    return g;
}

void EnveloppeApercu::traceReperes()
{
    if (!m_reperesCoupe)
        return;
    for (const QLineF& l : reperesCoupeApercu(m_modele.largeur(), m_modele.hauteur()))
        m_modele.trait(l.p1(), l.p2(), kRougeVif);
}

void EnveloppeApercu::traceDest()
{
    if (m_verdict.respectee())
        m_modele.contour(m_cadreDest, Qt::black);
    else
        m_modele.remplit(m_cadreDest, kRougeVif);
}

void EnveloppeApercu::traceExp()
{
    if (m_expLogo)
        m_modele.remplit(m_cadreExp, kGrisClair);
    else
        m_modele.contour(m_cadreExp, Qt::black);
}

void EnveloppeApercu::efface(const RectTwips& ancien, bool dest)
{
    // Background alone would also wipe whatever else the old rectangle covered, until
    // the next full redraw; the rest of the picture is a few lines, drawn again in the
    // order of a full redraw.
    m_modele.remplit(ancien, m_modele.couleurFond());
    traceReperes();
    if (dest && m_expDessine)
        traceExp();
    else if (!dest && m_destDessine)
        traceDest();
}

namespace {
// A rectangle of the envelope, in millimetres, on the preview at its scale.
RectTwips aLEchelle(const RectMm& r, double echelle)
{
    return {Twips(r.left.value * echelle), Twips(r.top.value * echelle), Twips(r.width.value * echelle),
            Twips(r.height.value * echelle)};
}
} // namespace

void EnveloppeApercu::DessineDest(const ReglagesModele& reglages)
{
    const QString& texte = reglages.TexteDest;
    m_destDessine = false;
    efface(m_cadreDest, true);

    // A text with nothing printable gets no rectangle. The question is put to the printer
    // as it stands, before its font is changed.
    const Result<Mm> largeurActuelle = m_imprimante.textWidth(texte);
    if (largeurActuelle && !(largeurActuelle.value().value > 0.0)) {
        m_modele.rafraichit();
        return;
    }

    (void)m_imprimante.setUnitMillimetres();
    ImprPoliceDest(m_imprimante, reglages);
    if (const Result<Mm> w = m_imprimante.textWidth(texte))
        m_largeurTexte = w.value().value;
    if (const Result<Mm> h = m_imprimante.textHeight(texte))
        m_hauteurTexte = h.value().value;

    m_cadreDest =
        aLEchelle(GeometrieEnveloppe::blocDest(reglages, Mm(m_largeurTexte), Mm(m_hauteurTexte)), m_echelle);

    m_verdict =
        controleNorme({reglages.MargeGaucheDest, reglages.MargeBasseDest, m_largeurTexte, m_hauteurTexte},
                      reglages.LongueurEnv, reglages.HauteurEnv);
    traceDest();
    m_destDessine = true;
    m_modele.rafraichit();
}

void EnveloppeApercu::DessineExp(const ReglagesModele& reglages)
{
    const QString& texte = reglages.TexteExp;
    m_expDessine = false;
    efface(m_cadreExp, false);

    if (reglages.LogoChoisi) {
        m_cadreExp = aLEchelle(GeometrieEnveloppe::blocLogo(reglages), m_echelle);
        m_expLogo = true;
        traceExp();
        m_expDessine = true;
        m_modele.rafraichit();
        return;
    }

    const Result<Mm> largeurActuelle = m_imprimante.textWidth(texte);
    if (largeurActuelle && !(largeurActuelle.value().value > 0.0)) {
        m_modele.rafraichit();
        return; // the frame values stay, so the next redraw wipes the old frame again
    }
    const PointMm coin = GeometrieEnveloppe::coinExp(reglages);
    m_cadreExp.left = Twips(coin.x.value * m_echelle);
    m_cadreExp.top = Twips(coin.y.value * m_echelle);
    (void)m_imprimante.setUnitMillimetres();
    ImprPoliceExp(m_imprimante, reglages);
    if (const Result<Mm> w = m_imprimante.textWidth(texte))
        m_cadreExp.width = Twips(w.value().value * m_echelle);
    if (const Result<Mm> h = m_imprimante.textHeight(texte))
        m_cadreExp.height = Twips(h.value().value * m_echelle);
    m_expLogo = false;
    traceExp();
    m_expDessine = true;
    m_modele.rafraichit();
}
