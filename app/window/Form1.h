#pragma once
// The main window: it shows the envelope document (its settings, the to-scale preview, the
// two address boxes), writes the user's edits into it, and runs the commands. It owns the
// document for the program's whole life.

#include "app/document/DocumentEnveloppe.h"
#include "app/window/ControlesForm1.h"
#include "layout/GeometrieEnveloppe.h"
#include "layout/widgets/EnveloppeApercu.h"
#include "platform/Dialogs.h"
#include "print/DemandeImpression.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class Calendrier;
class CommandeImpression;
class Form2;
class Form3;
class QButtonGroup;
class PrinterService;
class QPlainTextEdit;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(Dialogs& dialogs, PrinterService& imprimante, QWidget* parent = nullptr);
    ~Form1() override;

    static QString TitreConcu();

    DocumentEnveloppe& document() { return m_document; }
    const DocumentEnveloppe& document() const { return m_document; }
    const ControlesForm1& controles() const { return m_c; }
    const EnveloppeApercu& apercu() const { return m_apercu; }
    int PoliceCible() const { return m_policeCible; }
    CommandeImpression& impression() { return *m_impression; }
    // A print run is putting each address into the recipient box in turn.
    bool ImpressionEnCours() const;
    // The address list window, created hidden with the first address and never destroyed.
    Form2& form2();
    // The print selection window, created at its first use and kept likewise.
    Form3& form3();
    const QString& TitreFenetre() const { return m_titreFenetre; }

    // Runs each time the window becomes the active one of the program: at its first
    // showing and whenever a modal window of its own closes.
    void Form_Activate();

    // Saves through the save dialog; false when nothing was saved (cancelled or failed).
    bool Sauver();
    // Saves under a name the save dialog gave, once what stands in its way is settled.
    enum class IssueEcriture { Ecrit, AutreNom, Abandon };
    IssueEcriture Enregistre(const QString& nomFichier);
    void Ouvrir_Click();
    // Asks whether to save a modified document; false when the user cancelled, or
    // answered Yes and nothing was saved: the caller must then stop.
    bool modificationsReglees();
    // Opens an address file as "Ouvrir..." does once its dialog has given the name.
    bool Ouvre(const QString& nomFichier);

    void DessineModele();
    void DessineDest();
    void DessineExp();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The page the current printer will be given, as the check before a print sees it.
    GeometrieEnveloppe::FeuilleImprimante feuilleImprimante(const ReglagesModele& reglages);
    void demarre();
    void relie();
    void centre();

    // Handlers of the controls.
    void BHL_Change(int valeur);
    void BHH_Change(int valeur);
    void BHQte_Change(int valeur);
    void fleche(QLabel* panneau, DocumentEnveloppe::Marge marge, double borne, int pas, bool marqueModifie);
    void Orient_Click(int index);
    void ReperesCoupe_Click();
    void Logo_Click();
    void Adresse_Change();
    // Puts the routing line the address check proposes into the recipient box.
    void corrigeAcheminement();
    void Exped_Change();
    void focusBoite(int cible);
    void Polices_Click();
    void Ajouter_Click();
    void Modifier_Click();
    void Serie_Click();
    DemandeImpression demandeImpression() const;
    void Imprimer_Click();
    void Apercu_Click();
    void ReglageImprimante_Click();
    void Quitter_Click();
    void afficheAdresse(const QString& entree);
    void montreLogo(const QImage& logo);
    void montreVignette(const QImage& logo);
    void montreCadreLogo();
    // Shows the whole document in the controls, as after opening a file.
    void montreDocument();
    void montreTitre();
    void OuvrirLogo();
    // Loads the logo the document names, made to fit the sender's room: whether it had to
    // be, or nothing when the file is no picture.
    std::optional<bool> CadreImLogo();
    void montreImageOrient(int index);
    void appliquePolice(QPlainTextEdit* boite, const BlockFont& police);

    Dialogs& m_dialogs;
    PrinterService& m_imprimante;
    DocumentEnveloppe m_document;
    Form2* m_form2 = nullptr;
    Form3* m_form3 = nullptr;
    Calendrier* m_calendrier = nullptr;
    ControlesForm1 m_c;
    EnveloppeApercu m_apercu;
    std::unique_ptr<CommandeImpression> m_impression;
    DimensionsDessinees m_dessin;
    QString m_titreFenetre;
    int m_policeCible = 2;
    FontChoice m_valeursPolice; // the font dialog keeps its values from one use to the next
    bool m_dejaActive = false;
};
