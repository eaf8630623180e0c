#pragma once
// One address file as it holds the design: the envelope settings, the sender text, the
// two fonts, the whole address list and the logo's name. It is the value the file is
// written from and read into; the main window fills it from its controls and applies it
// back to them in its own order.

#include "addresses/fichier/CodageTexte.h"
#include "app/ReglagesModele.h"

#include <QString>
#include <QStringList>

struct PlvDocument {
    bool LogoChoisi = false;
    // Millimetres, single precision as the settings hold them.
    float MargeGaucheExp = 10;
    float MargeHauteExp = 10;
    float MargeGaucheDest = 100;
    float MargeBasseDest = 20;
    int Quantite = 1;
    // As stored; the length and height scroll bars take them to the nearest millimetre.
    float LongueurEnv = 220;
    float HauteurEnv = 110;
    bool Portrait = true;  // Orientation 0

    QString Exped;  // the sender text, lines joined by CR LF
    BlockFont PoliceExp{QStringLiteral("Arial"), 8.25};
    BlockFont PoliceDest{QStringLiteral("Arial"), 18.0};

    // List entries (lines joined by the no-break space), in list order. The last one is
    // the address the recipient box shows after opening.
    QStringList Adresses;

    // The logo's file name as the file records it: the name it had before the save that
    // wrote the file.
    QString NomLogo = QStringLiteral("Logo.BMP");
    bool RepereCoupe = false;

    // How the file's text was written, so that a save writes it back alike.
    CodageTexte::Codage Codage = CodageTexte::Codage::Windows1252;

    // The document the window currently shows.
    static PlvDocument DepuisReglages(const ReglagesModele& reglages, const QString& exped,
                                      const QStringList& adresses);

    // The index of the address shown after opening (AdresseCourante): the last one, or -1
    // when the list is empty.
    int DerniereAdresse() const { return int(Adresses.size()) - 1; }

    bool operator==(const PlvDocument&) const = default;
};
