#pragma once
// The usual envelope sizes, by the name a French user knows them under, and which of them
// a length and a height make. Anything else is a made-to-measure envelope, "Personnalisé".

#include <QList>
#include <QString>

struct FormatEnveloppe {
    QString nom;
    int longueur = 0; // mm, along the scroll bar BHL
    int hauteur = 0;  // mm, along BHH
};

namespace FormatsEnveloppe {
// In the order the drop-down offers them; "Personnalisé" follows them.
const QList<FormatEnveloppe>& tous();
QString personnalise();

// The index in tous() of the format of exactly this size, -1 for any other size.
// The settings are whole millimetres in practice; a size a hair away from a format
// (a hand-edited file) is not that format.
int indexPour(double longueur, double hauteur);
} // namespace FormatsEnveloppe
