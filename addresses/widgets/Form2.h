#pragma once
// "Visualisation et Modification des Adresses": the window over the address list, where
// the user finds an address, brings it back into the recipient box or deletes a selection.
// The main window shows it modally and only ever hides it: the list outlives it anyway,
// since the window only looks at the ListeAdresses the main window owns, and the size the
// user gave the window stays with it until the program ends.
//
// The window does not touch the main window's controls; it says what to do through its
// signals.

#include <QDialog>
#include <QTimer>

class ListeAdresses;
class FiltreAdresses;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(ListeAdresses& liste, QWidget* parent = nullptr);

    // Places the window 330 twips below the main window's top, centred over it. Only the
    // first call moves it: afterwards the window stays where the user left it.
    void placeOver(const QWidget& fenetrePrincipale);

    QListView* List1() const { return m_list1; }
    QLineEdit* recherche() const { return m_recherche; }
    // "12 adresses affichées sur 2 000, 3 sélectionnées"
    QLabel* compte() const { return m_compte; }
    FiltreAdresses& filtre() const { return *m_filtre; }

signals:
    // Show this list entry in the recipient box (through EnForme).
    void afficheAdresse(const QString& entree);
    void modifierDisponible(bool disponible);
    void documentModifie();
    // "Importer...": the main window, which holds the dialogs, imports into the list.
    void importer();
    // "Vérifier...": the main window checks the envelopes of these list rows, the selected
    // ones, or all those shown when none is.
    void verifier(const QList<int>& lignes);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void ModifAdr();
    void SupprimAdresses();
    // The list rows of the shown entries the user selected, in list order.
    QList<int> lignesSelectionnees() const;
    QList<int> lignesMontreesSelectionnees() const;
    void montreCourante();
    void Verifier();
    void metCompteAJour();

    ListeAdresses& m_liste;
    FiltreAdresses* m_filtre;
    QLineEdit* m_recherche;
    QListView* m_list1;
    QLabel* m_compte;
    QTimer m_compteAJour;
    QPushButton* m_supprimAdresses;
    QPushButton* m_modifAdr;
    QPushButton* m_ok;
    QPushButton* m_importer;
    QPushButton* m_verifier;
    bool m_place = false;
};
