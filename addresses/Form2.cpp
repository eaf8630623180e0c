#include "addresses/Form2.h"

#include "addresses/AddressList.h"
#include "platform/Units.h"

#include <QListView>
#include <QPushButton>
#include <algorithm>

namespace {

QRect enPixels(double left, double top, double width, double height)
{
    return RectTwips{Twips(left), Twips(top), Twips(width), Twips(height)}.toLogicalPixels().toRect();
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& legende, QRect place)
{
    auto* b = new QPushButton(legende, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    b->setGeometry(place);
    return b;
}

} // namespace

Form2::Form2(AddressList& liste, QWidget* parent) : QDialog(parent), m_liste(liste)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Visualisation et Modification des Adresses"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(8.25);
    setFont(arial);
    setFixedSize(enPixels(0, 0, 9480, 5085).size());

    m_list1 = new QListView(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setModel(&m_liste);
    m_list1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list1->setUniformItemSizes(true);
    m_list1->setGeometry(enPixels(90, 30, 9285, 4380));

    m_supprimAdresses = bouton(this, "SupprimAdresses", QStringLiteral("Supprimer la Sélection"),
                               enPixels(1320, 4530, 2475, 465));
    m_modifAdr = bouton(this, "ModifAdr", QStringLiteral("Afficher ou Modifier la Sélection"),
                        enPixels(4080, 4530, 3555, 465));
    m_ok = bouton(this, "OK", QStringLiteral("Fermer"), enPixels(8160, 4530, 1215, 465));
    // In the free corner left of the designed buttons, last in the keyboard order.
    m_importer = bouton(this, "Importer", QStringLiteral("Importer..."), enPixels(90, 4530, 1140, 465));
    m_importer->setToolTip(QStringLiteral("Ajouter les adresses d'un fichier CSV ou texte (tableur, carnet d'adresses)"));
    m_list1->setAccessibleName(QStringLiteral("Liste des adresses"));

    setTabOrder(m_list1, m_supprimAdresses);
    setTabOrder(m_supprimAdresses, m_ok);
    setTabOrder(m_ok, m_modifAdr);
    setTabOrder(m_modifAdr, m_importer);

    connect(m_modifAdr, &QPushButton::clicked, this, &Form2::ModifAdr);
    connect(m_supprimAdresses, &QPushButton::clicked, this, &Form2::SupprimAdresses);
    // Closing only hides the window (the close box and Escape do the same): it is shown
    // again at the next call, with the list's selection and current position as they were.
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_importer, &QPushButton::clicked, this, &Form2::importer);
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

QList<int> Form2::lignesSelectionnees() const
{
    QList<int> lignes;
    for (const QModelIndex& index : m_list1->selectionModel()->selectedIndexes())
        lignes.append(index.row());
    std::sort(lignes.begin(), lignes.end());
    return lignes;
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
        emit afficheAdresse(m_liste.entry(lignes.first()));
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
    m_liste.remove(lignes);
    m_liste.setAdresseCourante(m_liste.count() - 1);
    emit documentModifie();

    const int courante = m_liste.adresseCourante();
    if (courante < 0) {
        emit modifierDisponible(false);
        return;
    }
    emit modifierDisponible(true);
    const QModelIndex derniere = m_liste.index(courante);
    m_list1->selectionModel()->setCurrentIndex(derniere, QItemSelectionModel::ClearAndSelect);
    m_list1->scrollTo(derniere);
    emit afficheAdresse(m_liste.entry(courante));
}
