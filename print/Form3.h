#pragma once
// The print selection window "Choix des Adresses à imprimer": a copy of the address list
// in List2, and three ways out: print every address, print the selected ones, or
// nothing. Created at its first use over the main window and then only shown and hidden;
// each showing copies the list afresh, with nothing selected.

#include <QDialog>
#include <QList>
#include <QStringList>
#include <optional>

class QListWidget;
class QPushButton;

class Form3 : public QDialog {
    Q_OBJECT
public:
    explicit Form3(QWidget* fenetrePrincipale = nullptr);

    // Shows the window modally over a copy of `adresses` (the address list's entries,
    // in order) and waits until it is hidden. The chosen indices in ascending order, or
    // nothing when the user gave up.
    std::optional<QList<int>> choisit(const QStringList& adresses);

    // True when the user left through "Annuler": nothing is to be printed.
    bool ImpressionAnnulee() const { return m_impressionAnnulee; }
    // The rows selected in List2, ascending.
    QList<int> selection() const;

    void reject() override;  // the Escape key means "Annuler"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void imprimeTout();
    void imprimeSelection();
    bool aUneEntreeCourante() const;

    QListWidget* m_liste;
    QPushButton* m_imprTout;
    QPushButton* m_imprSelect;
    QPushButton* m_annuler;
    QStringList m_adresses;
    bool m_impressionAnnulee = true;
};
