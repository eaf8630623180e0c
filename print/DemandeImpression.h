#pragma once
// What a print takes from the envelope document: its settings (the sender's text and the
// fonts included), its addresses, and the way to show an address in the recipient box.

#include "addresses/liste/EntreesAdresses.h"
#include "app/ReglagesModele.h"

#include <QList>
#include <functional>

class DocumentEnveloppe;

struct DemandeImpression {
    ReglagesModele
        reglages; // sizes, distances, Orientation ("Portrait" is 0), crop marks, texts, fonts, logo
    EntreesAdresses adresses; // the entries of the address list, in its order
    // Shows entry `index` in the recipient box (EnForme) and makes it the current address
    // (AdresseCourante). Called for each envelope as it is printed.
    std::function<void(int index)> montreAdresse;
    // Asked once the addresses are chosen, before the print dialog: whether the print goes
    // on. The window checks every envelope here; a print without it checks nothing.
    std::function<bool(const DemandeImpression& demande, const QList<int>& selection)> confirmeSelection;

    // The document's settings and its address list's entries.
    static DemandeImpression DepuisDocument(const DocumentEnveloppe& document);
    // The document's settings, with the addresses a batch packed as it read the file,
    // put in the list's order.
    static DemandeImpression DepuisDocument(const DocumentEnveloppe& document, EntreesAdresses adresses);
};
