#pragma once
// The postal norm for the recipient block, in millimetres: 20 mm from the left, the
// right and the bottom edges, and 60 mm of the envelope's height beyond the text.
// A value exactly at a limit keeps the norm.

#include <QStringList>

struct BlocDestinataire {
    double margeGauche = 0;  // MargeGaucheDest
    double margeBasse = 0;   // MargeBasseDest
    double largeurTexte = 0; // widest printed line
    double hauteurTexte = 0; // all printed lines
};

struct VerdictNorme {
    bool margeGauche = true;
    bool margeDroite = true;
    bool hauteur = true;
    bool margeBasse = true;
    bool respectee() const { return margeGauche && margeDroite && hauteur && margeBasse; }
};

VerdictNorme controleNorme(const BlocDestinataire& bloc, double longueurEnv, double hauteurEnv);

// What the block breaks and by how much, one short French text a rule, in the order of
// VerdictNorme: "marge droite : 12 mm au lieu de 20". Empty when the norm is kept.
QStringList ecartsNorme(const BlocDestinataire& bloc, double longueurEnv, double hauteurEnv);
// "12,5 mm": tenths cut, never rounded up, so that 19.96 mm is never shown as the limit 20.
QString millimetres(double valeur);
