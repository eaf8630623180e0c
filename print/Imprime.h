#pragma once
// The print run: one envelope for every chosen address, each on an A4 page of its own,
// laid out from the same settings as the preview. The sender block (text lines centred
// on the widest, or the logo at its natural size) and the recipient block (left-aligned,
// its bottom line MargeBasseDest above the envelope's bottom edge) sit at their distances
// from the envelope's edges; crop marks, when asked for, go on the first page only.
//
// Every place comes from the envelope's geometry, the envelope laid on the sheet as the
// feed asks and the printer's printable height allows.
//
// A queue that refuses jobs gets nothing, and a stopped one only what the user chooses to
// send (ControleFile). Any failure is reported once, titled "Contrôle d'impression"; the run then ends the
// document (the pages already ended come out), and puts the paper size and orientation
// back as they were.
//
// The same run paints the print preview's pages, without probing the printer again, and
// so the preview shows exactly what prints. A run of more than a few envelopes shows its
// progress; "Annuler" there ends the document after the envelope under way, whose page
// comes out with the others, and ends the run as any other end does.

#include "layout/GeometrieEnveloppe.h"
#include "platform/BusyPointer.h"
#include "platform/Outcome.h"
#include "platform/Units.h"
#include "print/DemandeImpression.h"

#include <QElapsedTimer>
#include <QList>
#include <QStringList>
#include <memory>
#include <optional>

class DecalagesImprimantes;
class Dialogs;
class PrinterService;
class Progress;
class ReglagesImprimante;

class Imprime {
public:
    // An envelope holds at most this many lines in each block.
    static constexpr int kLignesMax = 11;
    // A run of more envelopes than this shows its progress.
    static constexpr int kEnveloppesSansSuivi = 3;

    // Whether the run probes paper size and orientation itself (TestImpr2, with its
    // messages and set-up dialogs), or takes what the probes already found.
    enum class Sondes { Oui, DejaFaites };

    // With `decalages`, every item printed moves by the shift kept for the printer.
    Imprime(PrinterService& imprimante, Dialogs& dialogues, ReglagesImprimante& reglages,
            const DecalagesImprimantes* decalages = nullptr);
    ~Imprime();

    // Prints the envelopes of the entries of demande.adresses whose indices are in
    // `selection`, in list order.
    void lance(const DemandeImpression& demande, const QList<int>& selection, Sondes sondes = Sondes::Oui);

    // True from the moment the run lays out its pages until it has ended: the recipient
    // and sender boxes must not react to the run's own changes.
    bool ImpressionEnCours() const { return m_enCours; }
    // The user stopped the last run from its progress dialog.
    bool Annulee() const { return m_annulee; }
    // The last run reported a failure.
    bool Echouee() const { return m_echouee; }
    // The envelopes of the last run whose page was ended.
    int EnveloppesImprimees() const { return m_imprimees; }

    // The sender text split into its printed lines: codes below 20 break lines, a CR LF
    // pair makes one break, and a final line break adds no line.
    static QStringList LignesExpediteur(const QString& texte);
    // Every block must fit before anything is printed: the sender's text, and each chosen
    // address, at most kLignesMax lines. The failure names the block.
    static Status VerifieBlocs(const DemandeImpression& demande, const QList<int>& selection);
    // "Impression de l'enveloppe n sur N"
    static QString TexteSuivi(int numero, int total);

private:
    Status deroule(const DemandeImpression& demande, const QList<int>& selection, Sondes sondes);
    Status reperesCoupe(const ReglagesModele& reglages, bool paysage);
    Status enveloppe(const DemandeImpression& demande, int index, const QStringList& lignesExp,
                     const GeometrieEnveloppe::PlaceEnveloppe& place);
    Status expediteurTexte(const ReglagesModele& reglages, const QStringList& lignesExp, PointMm coin);
    void termine(const Status& echec);
    void laisseRespirer();

    PrinterService& m_imprimante;
    Dialogs& m_dialogues;
    ReglagesImprimante& m_reglages;
    const DecalagesImprimantes* m_decalages;
    bool m_enCours = false;
    bool m_annulee = false;
    bool m_echouee = false;
    int m_imprimees = 0;
    bool m_decale = false; // this run set the printer's shift, and puts zero back
    std::optional<BusyPointer> m_sablier;
    std::unique_ptr<Progress> m_suivi;
    QElapsedTimer m_depuisAffichage;
};
