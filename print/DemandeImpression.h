#pragma once
// What a print takes from the main window: the design as the preview shows it, the
// sender text, the address list, and the way to show an address in the recipient box.

#include "app/ReglagesModele.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct DemandeImpression {
    ReglagesModele reglages;    // sizes, distances, Orientation ("Portrait" is 0), crop marks, fonts, logo
    QString texteExpediteur;    // the text of Exped, lines ending CR LF
    QStringList adresses;       // the entries of the address list, in its order
    // Shows entry `index` in the recipient box (EnForme) and makes it the current address
    // (AdresseCourante). Called for each envelope as it is printed.
    std::function<void(int index)> montreAdresse;
    // Asked once the addresses are chosen, before the print dialog: whether the print goes
    // on. The window checks every envelope here; a print without it checks nothing.
    std::function<bool(const DemandeImpression& demande, const QList<int>& selection)> confirmeSelection;
};
