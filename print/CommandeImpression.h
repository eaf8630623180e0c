#pragma once
// The print command, behind the main window's Imprimer button: choose the addresses,
// probe the copies count, warn about an envelope larger than A4, show the print dialog
// with the copies preset to Quantite, run the print, and put the copies count back.
// It owns what printing keeps for the program's life: the probes' findings, the print
// run, the preview and the printers' shifts. Who chooses the addresses (the selection
// window, the batch's "all", a test) is handed to it.

#include "print/AlignementImprimante.h"
#include "print/ApercuImpression.h"
#include "print/DecalagesImprimantes.h"
#include "print/DemandeImpression.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"
#include "print/SuiviTravail.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Dialogs;
class PrinterService;

class CommandeImpression {
public:
    // Who chooses the addresses: the chosen indices, or nothing when the user gave up.
    using ChoixAdresses = std::function<std::optional<QList<int>>(const EntreesAdresses& adresses)>;
    // Every address, as "Imprimer Tout..." chooses them.
    static ChoixAdresses toutes();

    CommandeImpression(PrinterService& imprimante, Dialogs& dialogues, ChoixAdresses choix);
    ~CommandeImpression();
    CommandeImpression(const CommandeImpression&) = delete;
    CommandeImpression& operator=(const CommandeImpression&) = delete;

    // How a print command ended, for a caller that reports it itself.
    struct Bilan {
        bool lancee = false;  // the addresses were chosen and the print dialog confirmed
        bool echec = false;   // a failure was reported, by the run or by the command
        bool annulee = false; // the user stopped the run
        int enveloppes = 0;   // envelopes whose page was ended (each in the copies asked for)
    };

    // The Imprimer button.
    Bilan Imprimer(const DemandeImpression& demande);
    // The Aperçu button: the same choice of addresses, then the preview of the pages
    // that Imprimer would print for it.
    void Apercu(const DemandeImpression& demande);
    // The "Réglage de l'imprimante" button, for an envelope of these settings.
    void ReglageImprimante(const ReglagesModele& reglages);

    // The command Quitter's duty: while a run is under way, puts the paper size and the
    // orientation back as the run found them. Does nothing otherwise.
    void Quitter();

    // A run is under way: printing, or painting the preview's pages.
    bool ImpressionEnCours() const { return m_imprime.ImpressionEnCours() || m_apercu.ImpressionEnCours(); }
    const ReglagesImprimante& reglagesImprimante() const { return m_reglages; }
    DecalagesImprimantes& decalages() { return m_decalages; }
    // The window's jobs, followed until the printer has printed them or given up.
    SuiviTravaux& suiviTravaux() { return m_suivi; }

    // A test answers instead of the selection window.
    void remplaceChoixAdresses(ChoixAdresses choix) { m_choix = std::move(choix); }

    static QString MessageDepasseA4(bool fenetre = true);

private:
    PrinterService& m_imprimante;
    Dialogs& m_dialogues;
    ReglagesImprimante m_reglages;
    DecalagesImprimantes m_decalages;
    Imprime m_imprime;
    ApercuImpression m_apercu;
    AlignementImprimante m_alignement;
    SuiviTravaux m_suivi;
    ChoixAdresses m_choix;
};
