#pragma once
// The check before a print: every chosen address measured in the recipient font as the run
// will print it, against the postal norm, the envelope's edges, the printable area of the
// sheet and the list of French postcodes; and, where the printer tells its margins, every
// sender line, logo and crop mark it would cut, once for all envelopes. The red rectangle judges only the
// address in the box; this judges the whole mailing before paper is spent on it.

#include "addresses/liste/EntreesAdresses.h"
#include "app/ReglagesModele.h"
#include "layout/GeometrieEnveloppe.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Dialogs;
class PrinterService;
class TableCodesPostaux;

struct EnveloppeARevoir {
    int index = -1;        // in the addresses checked; -1 for what every envelope shares
    QString premiereLigne; // what names the address to the user
    QStringList defauts;   // "marge droite : 12 mm au lieu de 20", ...
};

// The chosen addresses that break something, in list order; `table` may be null (no
// postcode check).
QList<EnveloppeARevoir> verifieEnveloppes(PrinterService& imprimante, const ReglagesModele& reglages,
                                          const EntreesAdresses& adresses, const QList<int>& selection,
                                          const TableCodesPostaux* table,
                                          const GeometrieEnveloppe::FeuilleImprimante& feuille = {});

// The largest recipient font size, in half points below the current one, at which every
// chosen address keeps the postal norm and is cut nowhere; nothing when some do not at the
// current size for another reason than their size, or fit at none.
std::optional<double> tailleQuiTient(PrinterService& imprimante, const ReglagesModele& reglages,
                                     const EntreesAdresses& adresses, const QList<int>& selection,
                                     const GeometrieEnveloppe::FeuilleImprimante& feuille = {});

// Shows the envelopes to look at, when there are any, and says whether the print goes on.
// "Modifier l'adresse" shows that address in the recipient box (montreAdresse) and ends
// the print there; "Réduire à N pt", offered when a smaller recipient font fits them all,
// hands that size to reduitPolice and ends the print there too.
bool confirmeEnveloppes(PrinterService& imprimante, Dialogs& dialogues, const ReglagesModele& reglages,
                        const EntreesAdresses& adresses, const QList<int>& selection,
                        const std::function<void(int index)>& montreAdresse,
                        const GeometrieEnveloppe::FeuilleImprimante& feuille = {},
                        const std::function<void(double points)>& reduitPolice = {});

// The same check asked for from the address list window: says so when every envelope
// passes; otherwise lists them, and gives the index of the address the user chose to edit.
std::optional<int> revoitEnveloppes(PrinterService& imprimante, Dialogs& dialogues,
                                    const ReglagesModele& reglages, const EntreesAdresses& adresses,
                                    const QList<int>& selection,
                                    const GeometrieEnveloppe::FeuilleImprimante& feuille = {});
