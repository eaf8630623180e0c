#pragma once
// "Visualisation et Modification des Adresses": the window over the address list, where
// the user brings one address back into the recipient box or deletes a selection.
// The main window shows it modally and only ever hides it: the list outlives it anyway,
// since the window only looks at the AddressList the main window owns.
//
// The window does not touch the main window's controls; it says what to do through its
// signals.

#include <QDialog>

class AddressList;
class QListView;
class QPushButton;

class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(AddressList& liste, QWidget* parent = nullptr);

    // Places the window 330 twips below the main window's top, centred over it. Only the
    // first call moves it: afterwards the window stays where the user left it.
    void placeOver(const QWidget& fenetrePrincipale);

    QListView* List1() const { return m_list1; }

signals:
    // Show this list entry in the recipient box (through EnForme).
    void afficheAdresse(const QString& entree);
    void modifierDisponible(bool disponible);
    void documentModifie();
    // "Importer...": the main window, which holds the dialogs, imports into the list.
    void importer();

private:
    void ModifAdr();
    void SupprimAdresses();
    QList<int> lignesSelectionnees() const;

    AddressList& m_liste;
    QListView* m_list1;
    QPushButton* m_supprimAdresses;
    QPushButton* m_modifAdr;
    QPushButton* m_ok;
    QPushButton* m_importer;
    bool m_place = false;
};
