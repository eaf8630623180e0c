#pragma once
// Address files for the benchmarks: n addresses of four lines, all different, in the
// list's order or shuffled, as a script or another program writes them.
#include "addresses/fichier/FichierAdresses.h"
#include "addresses/liste/EncodageAdresse.h"
#include "addresses/liste/ListeAdresses.h"

#include <QRandomGenerator>
#include <algorithm>

namespace banc {

enum class Ordre { Triee, Melangee };

inline QStringList adresses(int n, Ordre ordre)
{
    QStringList liste;
    liste.reserve(n);
    for (int i = 0; i < n; ++i)
        liste.append(QStringList{QStringLiteral("M. Zoé Martin-%1").arg(i),
                                 QStringLiteral("%1 rue du Marché").arg(i % 300),
                                 QStringLiteral("%1 Lyon").arg(69001 + i % 9)}
                         .join(kSeparateurLignes));
    if (ordre == Ordre::Triee) {
        ListeAdresses tri;
        tri.remplit(liste);
        liste = tri.entrees();
    } else {
        std::shuffle(liste.begin(), liste.end(), *QRandomGenerator::global());
    }
    return liste;
}

inline PlvDocument document(int n, Ordre ordre)
{
    PlvDocument d;
    d.reglages.TexteExp = QStringLiteral("Jeanne Dupont\r\n12 rue des Lilas\r\n75011 Paris");
    d.Adresses = adresses(n, ordre);
    return d;
}

// The file written at `chemin`, or an empty name when it could not be.
inline QString fichier(const QString& chemin, int n, Ordre ordre)
{
    return FichierAdresses::ecrit(chemin, document(n, ordre), {}) ? chemin : QString();
}

} // namespace banc
