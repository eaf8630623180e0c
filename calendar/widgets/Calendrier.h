#pragma once
// The month calendar of the main window: title, weekday headers, 42 day cells, the two
// marking boxes and the month and year lists. It stands alone; nothing reads its date.

#include "calendar/CalendrierModele.h"
#include "platform/Units.h"

#include <QDate>
#include <QFont>
#include <QWidget>
#include <array>
#include <optional>

class BoutonJour;
class Dialogs;
class QCheckBox;
class QComboBox;
class QLabel;

class Calendrier : public QWidget {
    Q_OBJECT
public:
    // Opens on `aujourdhui` with both marking boxes ticked.
    Calendrier(Dialogs& dialogs, QDate aujourdhui, QWidget* parent = nullptr);

    // The designed size (twips at 15 to the logical pixel); the widget keeps it. The grid
    // stands kMargeGrille in from the left edge, where the title overhangs it.
    static QSize tailleFixe();
    static constexpr Twips kMargeGrille{120};
    QSize sizeHint() const override { return tailleFixe(); }

    const CalendrierModele& modele() const { return m_modele; }

    // Redraws the whole calendar; does nothing while a redraw is under way.
    void CalculDate();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void construit();
    void couleurTitre();
    // The 42 cells are one stop in the Tab order, the cell last focused; the arrow keys
    // move within the grid.
    void prendStop(int index);
    void cliqueJour(int index);
    void choisitMois(int position);
    void choisitAn(int position);
    void montre(const AffichageCalendrier& affichage);

    Dialogs& m_dialogs;
    CalendrierModele m_modele;
    bool m_calculEnCours = false;
    int m_celluleStop = 0;

    QLabel* m_lblDate = nullptr;
    std::array<QLabel*, 7> m_lblJour{};
    std::array<BoutonJour*, kNombreCellules> m_btnJour{};
    QCheckBox* m_chkFerie = nullptr;
    QCheckBox* m_chkWeek = nullptr;
    QComboBox* m_cMois = nullptr;
    QComboBox* m_cAn = nullptr;
    QFont m_policeJour;
    QFont m_policeJourGras;
    // What each cell shows now, so that a redraw touches only what changed.
    std::array<std::optional<CelluleJour>, kNombreCellules> m_celluleMontree{};
};
