#pragma once
// The envelope design and its print run: the envelope's size, the blocks' places, the
// feed, the two texts with their fonts, the logo. The envelope document owns the one
// being edited; the address file reads and writes one, and the print run, the check
// before a print and the preview read it.

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
    int Orientation = 0; // 0 "Portrait", 1 "Paysage"
    bool RepereCoupe = false;
    bool LogoChoisi = false;

    // The two blocks' texts, lines ending CR LF, and their fonts.
    QString TexteDest = QStringLiteral("Nom\r\net\r\nAdresse\r\n");
    QString TexteExp;
    BlockFont PoliceDest{QStringLiteral("Arial"), 18.0};
    BlockFont PoliceExp{QStringLiteral("Arial"), 8.25};

    // The logo at full size (its natural size is its pixels at 96 dpi).
    QImage Logo{};
    QString NomLogo = QStringLiteral("Logo.BMP");
    QString NomFichier = QStringLiteral("Nouveau");
    QString CheminFichier{};

    static constexpr float kLongueurMin = 50, kLongueurMax = 350;
    static constexpr float kHauteurMin = 50, kHauteurMax = 235;
    static constexpr int kQuantiteMin = 1, kQuantiteMax = 100;

    // The recipient's left distance that a new envelope length brings: 120 mm from the
    // right edge, but never nearer the left edge than 17 mm.
    static float MargeGaucheDestPour(float longueur);
    // Which feed picture shows how to put the envelope in: the orientation, plus 2 with
    // crop marks.
    int ImageOrient() const { return Orientation + (RepereCoupe ? 2 : 0); }

    bool operator==(const ReglagesModele&) const = default;
};
