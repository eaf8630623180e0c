#pragma once
// Draws the envelope preview: the envelope to scale with its crop marks, the recipient
// block measured with the printer's own font metrics and checked against the postal norm,
// and the sender block (its text's printed size, or the logo's natural size).
// It draws the settings it is given and keeps what the next redraw needs to wipe the
// previous rectangles; the blocks' places come from the envelope's geometry.

#include "app/ReglagesModele.h"
#include "layout/GeometrieApercu.h"
#include "layout/NormePostale.h"

class ToileApercu;
class PrinterService;

class EnveloppeApercu {
public:
    EnveloppeApercu(ToileApercu& modele, PrinterService& imprimante);

    // Resizes and clears the box for an envelope of L x H mm and draws the crop marks;
    // the window moves the box and the position groups to the places returned.
    GeometrieApercu DessineModele(double L, double H, bool repereCoupe,
                                  const DimensionsDessinees& dessin = {});
    void DessineDest(const ReglagesModele& reglages);
    void DessineExp(const ReglagesModele& reglages);

    double Echelle() const { return m_echelle; }
    const RectTwips& cadreDest() const { return m_cadreDest; }
    const RectTwips& cadreExp() const { return m_cadreExp; }
    // Whether a recipient rectangle is shown, and how it was judged.
    bool destDessine() const { return m_destDessine; }
    const VerdictNorme& verdictDest() const { return m_verdict; }
    // The recipient text's printed size, as last measured.
    double largeurTexteDest() const { return m_largeurTexte; }
    double hauteurTexteDest() const { return m_hauteurTexte; }
    bool expDessine() const { return m_expDessine; }

    static const QColor kRougeVif;  // colour 12 of the 16-colour palette
    static const QColor kGrisClair; // colour 7: the logo's place

private:
    // Wipes a block's old rectangle and draws back what else it covered: the crop marks
    // and the other block, as they were last drawn.
    void efface(const RectTwips& ancien, bool dest);
    void traceReperes();
    void traceDest();
    void traceExp();

    ToileApercu& m_modele;
    PrinterService& m_imprimante;
    double m_echelle = 0.0;
    RectTwips m_cadreDest;
    RectTwips m_cadreExp;
    double m_largeurTexte = 0.0;
    double m_hauteurTexte = 0.0;
    bool m_destDessine = false;
    bool m_expDessine = false;
    bool m_expLogo = false; // the sender frame last drawn is the logo's grey place
    bool m_reperesCoupe = false;
    VerdictNorme m_verdict;
};
