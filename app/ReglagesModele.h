#pragma once
// The one envelope design being edited and its print run. The main window owns the only
// instance; the controls, the font command, the logo commands, the address file and
// start-up are its writers, and the preview and the print run read it.

#include "platform/TextColour.h"

#include <QFont>
#include <QImage>
#include <QString>

// A block's font as the program knows it: five font values and the text colour.
// Strike-out is not part of it and never reaches a box or the printer.
struct BlockFont {
    QString name;
    double pointSize = 0.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    TextColour colour = TextColour::windowText();

    QFont toQFont() const;
    bool operator==(const BlockFont&) const = default;
};

struct ReglagesModele {
    // Envelope and print run (millimetres).
    float LongueurEnv = 220;
    float HauteurEnv = 110;
    int Quantite = 1;
    float MargeGaucheDest = 100;
    float MargeBasseDest = 20;
    float MargeGaucheExp = 10;
    float MargeHauteExp = 10;
    int Orientation = 0;  // 0 "Portrait", 1 "Paysage"
    bool RepereCoupe = false;
    int ImageOrient = 0;  // which feed picture shows: Orientation, plus 2 with crop marks
    bool LogoChoisi = false;

    // Fonts of the two blocks; the texts themselves live in their text boxes.
    BlockFont PoliceDest{QStringLiteral("Arial"), 18.0};
    BlockFont PoliceExp{QStringLiteral("Arial"), 8.25};

    // The logo at full size (its natural size is its pixels at 96 dpi).
    QImage Logo;
    QString NomLogo = QStringLiteral("Logo.BMP");
    QString NomFichier = QStringLiteral("Nouveau");
    QString CheminFichier;

    static constexpr float kLongueurMin = 50, kLongueurMax = 350;
    static constexpr float kHauteurMin = 50, kHauteurMax = 235;
    static constexpr int kQuantiteMin = 1, kQuantiteMax = 100;

    // Reads the four position panels back into the four distances, in the designed order.
    void LitMarges(const QString& expedH, const QString& expedG, const QString& espAdrG,
                   const QString& espAdrH);

    // The recipient's left distance that a new envelope length brings: 120 mm from the
    // right edge, but never nearer the left edge than 17 mm.
    static float MargeGaucheDestPour(float longueur);
    static int ImageOrientPour(int orientation, bool repereCoupe)
    {
        return orientation + (repereCoupe ? 2 : 0);
    }
};
