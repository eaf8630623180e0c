#pragma once
// The print selection window "Choix des Adresses à imprimer": the address list in List2,
// and three ways out: print every address, print the selected ones, or nothing. Created
// at its first use over the main window and then only shown and hidden; each showing
// shows the list as it is then, with nothing selected.
//
// List2 is a view over the entries themselves, not a copy item by item: it opens, and
// selects all of a list of 100,000, at once.

#include <QDialog>
#include <QList>
#include <QStringList>
#include <optional>

class QListView;
class QPushButton;
class QStringListModel;

class Form3 : public QDialog {
    Q_OBJECT
public:
    explicit Form3(QWidget* fenetrePrincipale = nullptr);

    // Shows the window modally over `adresses` (the address list's entries, in order) and waits until it is
    // hidden. The chosen indices in ascending order, or nothing when the user gave up.
    std::optional<QList<int>> choisit(const QStringList& adresses);

    // True when the user left through "Annuler": nothing is to be printed.
    bool ImpressionAnnulee() const { return m_impressionAnnulee; }
    // The rows selected in List2, ascending.
    QList<int> selection() const;

    void reject() override; // the Escape key means "Annuler"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void imprimeTout();
    void imprimeSelection();
    bool aUneEntreeCourante() const;

    QStringListModel* m_entrees;
    QListView* m_liste;
    QPushButton* m_imprTout;
    QPushButton* m_imprSelect;
    QPushButton* m_annuler;
    bool m_impressionAnnulee = true;
};
