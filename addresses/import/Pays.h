#pragma once
// Countries as an envelope posted in France names them: the country line in French
// capitals ("BELGIQUE", whether the address book said "Belgium", "België", "BE" or
// "BEL"), and the locality lines laid out by the destination country's rules
// ("MONTRÉAL QC  H2X 1Y4", "LONDON" above "SW1A 1AA"). The names come from ICU's locale
// data; the layouts from OpenCage's address templates (resources/formats-pays.tsv, made
// by scripts/formats-pays.sh).

#include <QString>
#include <QStringList>

namespace Pays {
// The ISO 3166 code of a country named in French, English, German, Dutch, Italian,
// Spanish, Portuguese or Luxembourgish, or given by its two- or three-letter code; empty
// when none is recognised.
QString code(const QString& nom);
// France, or a place La Poste serves as France (overseas departments and collectivities,
// Monaco): no country line.
bool desserviCommeLaFrance(const QString& code);
// "BELGIQUE", "ROYAUME-UNI", "ETATS-UNIS": the country's French name in capitals without
// accents; empty for an unknown code.
QString ligne(const QString& code);
// The locality lines of an address in the country of `code`, in capitals; the postcode
// and the town on one line in the French way for a country without a layout of its own.
QStringList lignesLocalite(const QString& code, const QString& codePostal, const QString& ville,
                           const QString& region);
} // namespace Pays
