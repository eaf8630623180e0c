#pragma once
// What a print takes from the main window: the design as the preview shows it, the
// sender text, the address list, and the way to show an address in the recipient box.

#include "addresses/liste/EntreesAdresses.h"
#include "app/ReglagesModele.h"

#include <QList>
#include <QString>
#include <functional>

struct PlvOuverture;

struct DemandeImpression {
    ReglagesModele reglages;    // sizes, distances, Orientation ("Portrait" is 0), crop marks, fonts, logo
    QString texteExpediteur;    // the text of Exped, lines ending CR LF
    EntreesAdresses adresses;   // the entries of the address list, in its order
    // Shows entry `index` in the recipient box (EnForme) and makes it the current address
    // (AdresseCourante). Called for each envelope as it is printed.
    std::function<void(int index)> montreAdresse;
    // Asked once the addresses are chosen, before the print dialog: whether the print goes
    // on. The window checks every envelope here; a print without it checks nothing.
    std::function<bool(const DemandeImpression& demande, const QList<int>& selection)> confirmeSelection;

    // What the main window prints once it has opened this document: the settings as its
    // controls take them (the size and the quantity to their scroll bars' whole steps,
    // the distances as their panels show them), the sender text as its box gives it back,
    // and `adresses` (packed as opening read them) put in the list's order.
    // `logoSiAbsent` stands for the document's logo when it could not be loaded, as the
    // window keeps its picture when opening finds none.
    static DemandeImpression DepuisDocument(PlvOuverture&& ouverture, EntreesAdresses adresses,
                                            const QImage& logoSiAbsent);
};
