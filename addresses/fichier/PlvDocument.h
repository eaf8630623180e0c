#pragma once
// One address file as it holds the design: the envelope's settings (those the file keeps:
// every one but the recipient text, the logo's picture and the file's own name), the
// whole address list, and the form the file's text was in.

#include "addresses/fichier/CodageTexte.h"
#include "app/ReglagesModele.h"

#include <QString>
#include <QStringList>

struct PlvDocument {
    // The size and the quantity as stored, within their ranges.
    ReglagesModele reglages;

    // List entries (lines joined by the no-break space), in list order. The last one is
    // the address the recipient box shows after opening.
    QStringList Adresses;

    // How the file's text was written, so that a save writes it back alike.
    CodageTexte::Codage Codage = CodageTexte::Codage::Windows1252;

    bool operator==(const PlvDocument&) const = default;
};
