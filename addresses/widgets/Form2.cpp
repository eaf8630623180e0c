#include "addresses/widgets/Form2.h"

#include "addresses/liste/FiltreAdresses.h"
#include "addresses/liste/ListeAdresses.h"
#include "platform/Units.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <numeric>

namespace {

QSize enPixels(double width, double height)
{
    return RectTwips{Twips(0), Twips(0), Twips(width), Twips(height)}.toLogicalPixels().toRect().size();
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& legende)
{
    auto* b = new QPushButton(legende, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    return b;
}

} // namespace

Form2::Form2(ListeAdresses& liste, QWidget* parent) : QDialog(parent), m_liste(liste)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Visualisation et Modification des Adresses"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(8.25);
    setFont(arial);
    setSizeGripEnabled(true);

    m_filtre = new FiltreAdresses(this);
    m_filtre->setSourceModel(&m_liste);

    auto* etiquette = new QLabel(QStringLiteral("&Rechercher :"), this);
    m_recherche = new QLineEdit(this);
    m_recherche->setObjectName(QStringLiteral("Recherche"));
    m_recherche->setPlaceholderText(QStringLiteral("nom, rue, code postal, ville..."));
    m_recherche->setClearButtonEnabled(true);
    m_recherche->setToolTip(QStringLiteral("Montre les adresses qui contiennent ces mots, sans tenir compte "
                                           "des majuscules ni des accents"));
    m_recherche->setAccessibleName(QStringLiteral("Rechercher dans les adresses"));
    etiquette->setBuddy(m_recherche);

    m_list1 = new QListView(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setModel(m_filtre);
    m_list1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list1->setUniformItemSizes(true);
    m_list1->setAccessibleName(QStringLiteral("Liste des adresses"));
    m_list1->installEventFilter(this);
    m_recherche->installEventFilter(this);

    m_compte = new QLabel(this);
    m_compte->setObjectName(QStringLiteral("Compte"));

    m_supprimAdresses = bouton(this, "SupprimAdresses", QStringLiteral("Supprimer la Sélection"));
    m_supprimAdresses->setToolTip(QStringLiteral("Supprimer les adresses sélectionnées (Suppr)"));
    m_modifAdr = bouton(this, "ModifAdr", QStringLiteral("Afficher ou Modifier la Sélection"));
    m_modifAdr->setToolTip(QStringLiteral("Afficher l'adresse sélectionnée (Entrée ou double-clic)"));
    m_ok = bouton(this, "OK", QStringLiteral("Fermer"));
    m_importer = bouton(this, "Importer", QStringLiteral("Importer..."));
    m_importer->setToolTip(
        QStringLiteral("Ajouter les adresses d'un fichier CSV ou texte (tableur, carnet d'adresses)"));
    m_verifier = bouton(this, "Verifier", QStringLiteral("Vérifier..."));
    m_verifier->setToolTip(
        QStringLiteral("Vérifier les enveloppes des adresses sélectionnées, ou de toutes "
                       "celles affichées : norme postale, bords de la feuille, code postal"));

    auto* ligneRecherche = new QHBoxLayout;
    ligneRecherche->addWidget(etiquette);
    ligneRecherche->addWidget(m_recherche, 1);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(m_importer);
    boutons->addWidget(m_supprimAdresses);
    boutons->addWidget(m_modifAdr);
    boutons->addWidget(m_verifier);
    boutons->addStretch(1);
    boutons->addWidget(m_ok);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(ligneRecherche);
    colonne->addWidget(m_list1, 1);
    colonne->addWidget(m_compte);
    colonne->addLayout(boutons);
    // The designed size to start with, a little taller for the search and the count.
    resize(enPixels(9480, 5085 + 2 * 465));

    // The search first: with thousands of entries, typing a name is the way to one.
    setTabOrder(m_recherche, m_list1);
    setTabOrder(m_list1, m_supprimAdresses);
    setTabOrder(m_supprimAdresses, m_ok);
    setTabOrder(m_ok, m_modifAdr);
    setTabOrder(m_modifAdr, m_verifier);
    setTabOrder(m_verifier, m_importer);

    connect(m_recherche, &QLineEdit::textChanged, m_filtre, &FiltreAdresses::setRecherche);
    connect(m_list1, &QAbstractItemView::doubleClicked, this, &Form2::ModifAdr);
    connect(m_modifAdr, &QPushButton::clicked, this, &Form2::ModifAdr);
    connect(m_supprimAdresses, &QPushButton::clicked, this, &Form2::SupprimAdresses);
    // Closing only hides the window (the close box and Escape do the same): it is shown
    // again at the next call, with the list's selection and current position as they were.
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_importer, &QPushButton::clicked, this, &Form2::importer);
    connect(m_verifier, &QPushButton::clicked, this, &Form2::Verifier);

    // The count follows whatever changes the rows shown or the selection, once the change
    // is over: a search may hide the rows in thousands of runs.
    m_compteAJour.setSingleShot(true);
    m_compteAJour.setInterval(0);
    connect(&m_compteAJour, &QTimer::timeout, this, &Form2::metCompteAJour);
    const auto plusTard = [this] { m_compteAJour.start(); };
    connect(m_filtre, &QAbstractItemModel::rowsInserted, this, plusTard);
    connect(m_filtre, &QAbstractItemModel::rowsRemoved, this, plusTard);
    connect(m_filtre, &QAbstractItemModel::modelReset, this, plusTard);
    connect(m_filtre, &QAbstractItemModel::layoutChanged, this, plusTard);
    connect(m_list1->selectionModel(), &QItemSelectionModel::selectionChanged, this, plusTard);
    metCompteAJour();
}

void Form2::placeOver(const QWidget& fenetrePrincipale)
{
    if (m_place)
        return;
    m_place = true;
    const QRect principale = fenetrePrincipale.frameGeometry();
    const int decalage = qRound(units::toLogicalPixels(Twips(330)));
    move(principale.left() + (principale.width() - frameGeometry().width()) / 2, principale.top() + decalage);
}

void Form2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    montreCourante();
}

// The entry last shown or changed in the recipient box is where the user left off: it is
// shown and selected when the window opens again, even when the search had hidden it.
void Form2::montreCourante()
{
    const int courante = m_liste.adresseCourante();
    if (courante < 0)
        return;
    QModelIndex index = m_filtre->mapFromSource(m_liste.index(courante));
    if (!index.isValid()) {
        m_recherche->clear();
        index = m_filtre->mapFromSource(m_liste.index(courante));
    }
    m_list1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_list1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool Form2::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objet, event);
    const auto* touche = static_cast<QKeyEvent*>(event);
    const bool entree = touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter;
    if (objet == m_list1 && touche->modifiers() == Qt::NoModifier) {
        if (entree) {
            ModifAdr();
            return true;
        }
        if (touche->key() == Qt::Key_Delete) {
            SupprimAdresses();
            return true;
        }
    }
    // From the search, Down or Enter goes on to the entries found, the first one chosen.
    if (objet == m_recherche && (entree || touche->key() == Qt::Key_Down) && m_filtre->rowCount() > 0) {
        m_list1->setFocus(Qt::TabFocusReason);
        if (!m_list1->currentIndex().isValid())
            m_list1->selectionModel()->setCurrentIndex(m_filtre->index(0, 0),
                                                       QItemSelectionModel::ClearAndSelect);
        return true;
    }
    return QDialog::eventFilter(objet, event);
}

// From the selection's ranges, not from selectedRows(): that one checks each row against
// every range, which takes minutes over 50,000 scattered entries.
QList<int> Form2::lignesMontreesSelectionnees() const
{
    QList<int> lignes;
    for (const QItemSelectionRange& plage : m_list1->selectionModel()->selection()) {
        for (int row = plage.top(); row <= plage.bottom(); ++row)
            lignes.append(row);
    }
    std::sort(lignes.begin(), lignes.end());
    lignes.erase(std::unique(lignes.begin(), lignes.end()), lignes.end());
    return lignes;
}

void Form2::metCompteAJour()
{
    m_compte->setText(
        TexteCompte(m_filtre->rowCount(), m_liste.nombre(), int(lignesMontreesSelectionnees().size())));
}

QList<int> Form2::lignesSelectionnees() const
{
    return m_filtre->lignesSource(lignesMontreesSelectionnees());
}

void Form2::Verifier()
{
    QList<int> lignes = lignesSelectionnees();
    if (lignes.isEmpty()) {
        QList<int> montrees(m_filtre->rowCount());
        std::iota(montrees.begin(), montrees.end(), 0);
        lignes = m_filtre->lignesSource(montrees);
    }
    if (!lignes.isEmpty())
        emit verifier(lignes);
}

void Form2::ModifAdr()
{
    m_liste.setAdresseCourante(-1);
    // Nothing has the focus in the list: the window stays open. Without a current address
    // Modifier would have nothing to replace, so it goes unavailable.
    if (!m_list1->currentIndex().isValid()) {
        emit modifierDisponible(false);
        return;
    }
    const QList<int> lignes = lignesSelectionnees();
    if (lignes.isEmpty()) {
        emit modifierDisponible(false);
    } else {
        m_liste.setAdresseCourante(lignes.first());
        emit modifierDisponible(true);
        emit afficheAdresse(m_liste.entree(lignes.first()));
    }
    accept();
}

void Form2::SupprimAdresses()
{
    if (!m_list1->currentIndex().isValid())
        return;
    // The selection is dropped before the rows go: it would otherwise follow every
    // removed run, and only the last entry is selected afterwards anyway.
    const QList<int> lignes = lignesSelectionnees();
    m_list1->selectionModel()->clearSelection();
    m_liste.retire(lignes);
    m_liste.setAdresseCourante(m_liste.nombre() - 1);
    emit documentModifie();

    const int courante = m_liste.adresseCourante();
    if (courante < 0) {
        emit modifierDisponible(false);
        return;
    }
    emit modifierDisponible(true);
    // The last entry is shown in the recipient box; it is selected here only while the
    // search shows it.
    const QModelIndex derniere = m_filtre->mapFromSource(m_liste.index(courante));
    m_list1->selectionModel()->setCurrentIndex(derniere, QItemSelectionModel::ClearAndSelect);
    if (derniere.isValid())
        m_list1->scrollTo(derniere);
    emit afficheAdresse(m_liste.entree(courante));
}
