#include "calendar/widgets/Calendrier.h"

#include "calendar/CouleursCalendrier.h"
#include "calendar/DatePaques.h"
#include "calendar/widgets/BoutonJour.h"
#include "platform/Dialogs.h"
#include "platform/Units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <algorithm>

namespace {

// The designed geometry, in twips. The headers and the cells are fixed by design; the
// title, the boxes and the lists are placed around them. The title's font writes the
// longest dates ("dimanche 30 septembre") wider than the grid: the title takes a margin
// on either side, and the grid sits that far in.
constexpr Twips kMargeTitre = Calendrier::kMargeGrille;
constexpr Twips kLargeurJour = 435_tw;
constexpr Twips kHauteurEnTete = 300_tw;
constexpr Twips kHauteurCellule = 345_tw;
constexpr Twips kLargeurGrille = kLargeurJour * 7;
constexpr Twips kLargeurTitre = kLargeurGrille + kMargeTitre * 2;
constexpr Twips kHauteurTitre = 435_tw;
constexpr Twips kHautEnTete = 465_tw;
constexpr Twips kHautGrille = kHautEnTete + kHauteurEnTete + 30_tw;
constexpr Twips kHautCases = kHautGrille + kHauteurCellule * 6 + 60_tw;
constexpr Twips kHauteurCase = 300_tw;
constexpr Twips kHautListes = kHautCases + kHauteurCase + 60_tw;
constexpr Twips kHauteurListe = 360_tw;
constexpr Twips kLargeurListeMois = 1785_tw;
constexpr Twips kHauteurTotale = kHautListes + kHauteurListe;

// Left edges are measured from the grid's left edge.
void place(QWidget* widget, Twips left, Twips top, Twips width, Twips height)
{
    widget->setGeometry(RectTwips{kMargeTitre + left, top, width, height}.toLogicalPixels().toRect());
}

QFont police(const QString& famille, QFont::StyleHint hint, double points, bool gras)
{
    QFont font(famille);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(gras);
    return font;
}

// A label or a box painted on a plain background of its own: filling from the palette
// gives the exact colour under every style. A box fills from its button colour, a label
// from its window colour. The backgrounds are all light, so their text is black, as it
// must stay under a dark theme.
void fond(QWidget* widget, const QColor& couleur)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), couleur);
    palette.setColor(widget->foregroundRole(), Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A push button's face colour is drawn as a gradient by some styles (Fusion lightens a
// palette colour or a lone background-color); a style sheet that also sets a border makes
// every style paint the face solid. The outset border keeps the raised look of a button.
QString styleCellule(const QColor& couleur)
{
    const QString rgb =
        QStringLiteral("rgb(%1, %2, %3)").arg(couleur.red()).arg(couleur.green()).arg(couleur.blue());
    return QStringLiteral(
               "QPushButton { background-color: %1; color: black; border: 2px outset %1; padding: 0px; }"
               "QPushButton:pressed { border-style: inset; }")
        .arg(rgb);
}

} // namespace

Calendrier::Calendrier(Dialogs& dialogs, QDate aujourdhui, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_modele(aujourdhui)
{
    construit();
    CalculDate();
}

QSize Calendrier::tailleFixe()
{
    return RectTwips{0_tw, 0_tw, kLargeurTitre, kHauteurTotale}.toLogicalPixels().toRect().size();
}

// The design's purple title reads on a light window only; under a dark theme it takes
// its light form, and follows the theme when the desktop changes it.
void Calendrier::couleurTitre()
{
    const bool sombre = palette().color(QPalette::Window).lightness() < 128;
    QPalette titre = m_lblDate->palette();
    titre.setColor(QPalette::WindowText, sombre ? couleurs::kTitreSurSombre : couleurs::kTitre);
    m_lblDate->setPalette(titre);
}

void Calendrier::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_lblDate)
        couleurTitre();
}

void Calendrier::construit()
{
    setObjectName(QStringLiteral("Calendrier"));
    setFixedSize(tailleFixe());

    m_lblDate = new QLabel(this);
    m_lblDate->setObjectName(QStringLiteral("lblDate"));
    m_lblDate->setAlignment(Qt::AlignCenter);
    m_lblDate->setFont(police(QStringLiteral("Times New Roman"), QFont::Serif, 15.75, true));
    couleurTitre();
    place(m_lblDate, -kMargeTitre, 0_tw, kLargeurTitre, kHauteurTitre);

    static const char* const kEnTetes[7] = {"Lun", "Mar", "Mer", "Jeu", "Ven", "Sam", "Dim"};
    const QFont policeEnTete = police(QStringLiteral("MS Sans Serif"), QFont::SansSerif, 8.25, true);
    for (int i = 0; i < 7; ++i) {
        QLabel* enTete = new QLabel(QString::fromLatin1(kEnTetes[i]), this);
        enTete->setObjectName(QStringLiteral("lblJour(%1)").arg(i));
        enTete->setAlignment(Qt::AlignCenter);
        enTete->setFont(policeEnTete);
        fond(enTete, couleurs::kEnTeteJour);
        place(enTete, kLargeurJour * i, kHautEnTete, kLargeurJour, kHauteurEnTete);
        m_lblJour[i] = enTete;
    }

    m_policeJour = police(QStringLiteral("MS Sans Serif"), QFont::SansSerif, 9.75, false);
    m_policeJourGras = m_policeJour;
    m_policeJourGras.setBold(true);
    for (int i = 0; i < kNombreCellules; ++i) {
        auto* cellule = new BoutonJour(this);
        cellule->setObjectName(QStringLiteral("btnJour(%1)").arg(i));
        cellule->setFont(m_policeJour);
        place(cellule, kLargeurJour * (i % 7), kHautGrille + kHauteurCellule * (i / 7), kLargeurJour,
              kHauteurCellule);
        connect(cellule, &QPushButton::clicked, this, [this, i] { cliqueJour(i); });
        cellule->setFocusPolicy(i == m_celluleStop ? Qt::StrongFocus : Qt::ClickFocus);
        cellule->installEventFilter(this);
        m_btnJour[i] = cellule;
    }

    // The boxes start ticked: the marks are what the calendar is for.
    const Twips largeurCase = kLargeurGrille / 2 - 30_tw;
    m_chkFerie = new QCheckBox(QStringLiteral("Fériés"), this);
    m_chkFerie->setObjectName(QStringLiteral("chkFerie"));
    m_chkFerie->setChecked(true);
    fond(m_chkFerie, couleurs::kFerie);
    place(m_chkFerie, 0_tw, kHautCases, largeurCase, kHauteurCase);
    m_chkWeek = new QCheckBox(QStringLiteral("WeekEnd"), this);
    m_chkWeek->setObjectName(QStringLiteral("chkWeek"));
    m_chkWeek->setChecked(true);
    fond(m_chkWeek, couleurs::kWeekEnd);
    place(m_chkWeek, kLargeurGrille - largeurCase, kHautCases, largeurCase, kHauteurCase);
    connect(m_chkFerie, &QCheckBox::clicked, this, [this] { CalculDate(); });
    connect(m_chkWeek, &QCheckBox::clicked, this, [this] { CalculDate(); });

    m_cMois = new QComboBox(this);
    m_cMois->setObjectName(QStringLiteral("cMois"));
    m_cMois->addItems({QStringLiteral("Janvier"), QStringLiteral("Février"), QStringLiteral("Mars"),
                       QStringLiteral("Avril"), QStringLiteral("Mai"), QStringLiteral("Juin"),
                       QStringLiteral("Juillet"), QStringLiteral("Août"), QStringLiteral("Septembre"),
                       QStringLiteral("Octobre"), QStringLiteral("Novembre"), QStringLiteral("Décembre")});
    m_cMois->setMaxVisibleItems(12);
    place(m_cMois, 0_tw, kHautListes, kLargeurListeMois, kHauteurListe);
    m_cAn = new QComboBox(this);
    m_cAn->setObjectName(QStringLiteral("cAn"));
    for (int an = 2000; an <= 2100; ++an)
        m_cAn->addItem(QString::number(an));
    place(m_cAn, kLargeurListeMois + 90_tw, kHautListes, kLargeurGrille - kLargeurListeMois - 90_tw,
          kHauteurListe);
    // Only the user's choices move the calendar; the redraw sets both lists itself.
    connect(m_cMois, &QComboBox::activated, this, &Calendrier::choisitMois);
    connect(m_cAn, &QComboBox::activated, this, &Calendrier::choisitAn);
}

void Calendrier::prendStop(int index)
{
    if (index == m_celluleStop)
        return;
    m_btnJour[m_celluleStop]->setFocusPolicy(Qt::ClickFocus);
    m_btnJour[index]->setFocusPolicy(Qt::StrongFocus);
    m_celluleStop = index;
}

bool Calendrier::eventFilter(QObject* objet, QEvent* event)
{
    const auto cellule = std::find(m_btnJour.begin(), m_btnJour.end(), objet);
    if (cellule == m_btnJour.end())
        return QWidget::eventFilter(objet, event);
    const int index = int(cellule - m_btnJour.begin());
    if (event->type() == QEvent::FocusIn) {
        prendStop(index);
    } else if (event->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(event);
        int pas = 0;
        switch (touche->key()) {
        case Qt::Key_Left:
            pas = -1;
            break;
        case Qt::Key_Right:
            pas = 1;
            break;
        case Qt::Key_Up:
            pas = -7;
            break;
        case Qt::Key_Down:
            pas = 7;
            break;
        default:
            break;
        }
        if (pas != 0 && touche->modifiers() == Qt::NoModifier) {
            // At the edge of the grid the key does nothing, as in a table.
            const int vers = index + pas;
            if (vers >= 0 && vers < kNombreCellules)
                m_btnJour[vers]->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(objet, event);
}

void Calendrier::cliqueJour(int index)
{
    m_modele.cliqueJour(index);
    CalculDate();
}

void Calendrier::choisitMois(int position)
{
    m_modele.choisitMois(position);
    CalculDate();
}

void Calendrier::choisitAn(int position)
{
    m_modele.choisitAn(m_cAn->itemText(position));
    CalculDate();
}

void Calendrier::CalculDate()
{
    if (m_calculEnCours)
        return;
    QString alerte;
    {
        const QScopedValueRollback<bool> enCours(m_calculEnCours, true);
        const AffichageCalendrier& affichage =
            m_modele.CalculDate(m_chkWeek->isChecked(), m_chkFerie->isChecked());
        montre(affichage);
        alerte = affichage.alertePaques;
    }
    if (!alerte.isEmpty())
        m_dialogs.message(MessageIcon::Exclamation, DatePaques::titreAlerte(), alerte);
}

void Calendrier::montre(const AffichageCalendrier& affichage)
{
    // One repaint for the whole grid, once every cell holds its new face.
    setUpdatesEnabled(false);
    for (int i = 0; i < kNombreCellules; ++i) {
        const CelluleJour& cellule = affichage.cellules[i];
        std::optional<CelluleJour>& avant = m_celluleMontree[i];
        BoutonJour* bouton = m_btnJour[i];
        if (!avant || avant->jour != cellule.jour)
            bouton->setText(cellule.legende());
        if (!avant || avant->gras != cellule.gras)
            bouton->setFont(cellule.gras ? m_policeJourGras : m_policeJour);
        if (!avant || avant->couleur != cellule.couleur)
            bouton->setStyleSheet(styleCellule(cellule.couleur));
        if (!avant || avant->infobulle != cellule.infobulle)
            bouton->setToolTip(cellule.infobulle);
        if (!avant || avant->decalage != cellule.decalage)
            bouton->setProperty("Tag", QString::number(cellule.decalage));
        if (!avant || avant->date != cellule.date)
            bouton->setAccessibleName(CalendrierModele::dateEnLettres(cellule.date));
        bouton->setChoisi(i == affichage.celluleChoisie);
        avant = cellule;
    }
    const int an = m_cAn->findText(QString::number(affichage.an));
    if (an >= 0)
        m_cAn->setCurrentIndex(an);
    m_cMois->setCurrentIndex(affichage.positionMois);
    m_lblDate->setText(affichage.titre);
    setUpdatesEnabled(true);
}
