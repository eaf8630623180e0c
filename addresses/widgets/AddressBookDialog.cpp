// The books found on this desktop above, the contacts of the one picked below, each
// ticked, with a search over names and towns; a file or a folder of vCard files instead.
#include "addresses/widgets/AddressBookDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
class AddressBookDialog : public QDialog {
public:
    AddressBookDialog(const AddressBookRequest& request, QWidget* parent)
        : QDialog(parent), m_request(request)
    {
        setWindowTitle(request.title);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(
            new QLabel(request.books.isEmpty()
                           ? QStringLiteral("Aucun carnet d'adresses n'a été trouvé sur cet ordinateur.")
                           : QStringLiteral("Carnets d'adresses trouvés sur cet ordinateur :"),
                       this));
        m_carnets = new QListWidget(this);
        m_carnets->setObjectName(QStringLiteral("Carnets"));
        m_carnets->setAccessibleName(QStringLiteral("Carnets d'adresses"));
        m_carnets->addItems(request.books);
        if (request.books.isEmpty())
            m_carnets->hide();
        else // five books in sight, the contacts below taking the rest
            m_carnets->setMaximumHeight(m_carnets->sizeHintForRow(0) * 5 + 2 * m_carnets->frameWidth() + 4);
        layout->addWidget(m_carnets);

        auto* recherche = new QHBoxLayout;
        m_recherche = new QLineEdit(this);
        m_recherche->setObjectName(QStringLiteral("Recherche"));
        m_recherche->setPlaceholderText(QStringLiteral("Rechercher un nom ou une ville"));
        m_recherche->setAccessibleName(QStringLiteral("Rechercher"));
        m_recherche->setClearButtonEnabled(true);
        recherche->addWidget(m_recherche, 1);
        auto* tout = new QPushButton(QStringLiteral("Tout cocher"), this);
        auto* aucun = new QPushButton(QStringLiteral("Tout décocher"), this);
        recherche->addWidget(tout);
        recherche->addWidget(aucun);
        layout->addLayout(recherche);

        m_modele = new QStandardItemModel(0, 2, this);
        m_modele->setHorizontalHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Ville")});
        m_filtre = new QSortFilterProxyModel(this);
        m_filtre->setSourceModel(m_modele);
        m_filtre->setFilterKeyColumn(-1);
        m_filtre->setFilterCaseSensitivity(Qt::CaseInsensitive);
        m_contacts = new QTreeView(this);
        m_contacts->setObjectName(QStringLiteral("Contacts"));
        m_contacts->setAccessibleName(QStringLiteral("Contacts à importer"));
        m_contacts->setModel(m_filtre);
        m_contacts->setRootIsDecorated(false);
        m_contacts->setUniformRowHeights(true);
        m_contacts->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        layout->addWidget(m_contacts, 1);
        m_etat = new QLabel(this);
        m_etat->setObjectName(QStringLiteral("Etat"));
        m_etat->setWordWrap(true);
        layout->addWidget(m_etat);

        auto* boutons = new QDialogButtonBox(this);
        m_importer = boutons->addButton(QStringLiteral("Importer"), QDialogButtonBox::AcceptRole);
        auto* fichier = boutons->addButton(QStringLiteral("Un fichier..."), QDialogButtonBox::ActionRole);
        fichier->setObjectName(QStringLiteral("Fichier"));
        fichier->setToolTip(QStringLiteral("Importer un fichier CSV, texte ou vCard"));
        auto* dossier =
            boutons->addButton(QStringLiteral("Un dossier vCard..."), QDialogButtonBox::ActionRole);
        dossier->setObjectName(QStringLiteral("DossierVcard"));
        dossier->setToolTip(QStringLiteral("Importer un dossier de fichiers .vcf, comme le gardent "
                                           "les synchroniseurs CardDAV (Nextcloud et autres)"));
        boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
        layout->addWidget(boutons);

        connect(fichier, &QPushButton::clicked, this, [this] { finit(AddressBookAnswer::Source::File); });
        connect(dossier, &QPushButton::clicked, this, [this] { finit(AddressBookAnswer::Source::Folder); });
        connect(boutons, &QDialogButtonBox::accepted, this,
                [this] { finit(AddressBookAnswer::Source::Book); });
        connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(m_carnets, &QListWidget::currentRowChanged, this, &AddressBookDialog::montre);
        connect(m_recherche, &QLineEdit::textChanged, m_filtre, &QSortFilterProxyModel::setFilterFixedString);
        connect(tout, &QPushButton::clicked, this, [this] { coche(Qt::Checked); });
        connect(aucun, &QPushButton::clicked, this, [this] { coche(Qt::Unchecked); });
        // Counted once a whole book is shown or ticked, not at each of its thousands of rows.
        connect(m_modele, &QStandardItemModel::itemChanged, this, [this] {
            if (!m_remplit)
                compte();
        });
        resize(620, 560);
        if (request.initial >= 0)
            m_carnets->setCurrentRow(request.initial); // which shows its contacts
        else
            montre(-1);
    }

    const AddressBookAnswer& reponse() const { return m_reponse; }

private:
    void montre(int carnet)
    {
        const QScopedValueRollback remplit(m_remplit, true);
        // Filled apart from the search, which then sorts its rows out once, not at each one.
        m_filtre->setSourceModel(nullptr);
        m_modele->removeRows(0, m_modele->rowCount());
        m_erreur.clear();
        if (carnet >= 0 && m_request.contacts) {
            const Result<QList<AddressBookRequest::Contact>> contacts = m_request.contacts(carnet);
            if (!contacts)
                m_erreur = contacts.error();
            for (const AddressBookRequest::Contact& c : contacts.valueOr({})) {
                auto* nom = new QStandardItem(c.name);
                nom->setCheckable(true);
                nom->setCheckState(Qt::Checked);
                nom->setEditable(false);
                auto* ville = new QStandardItem(c.town);
                ville->setEditable(false);
                m_modele->appendRow({nom, ville});
            }
        }
        m_filtre->setSourceModel(m_modele);
        compte();
    }

    void coche(Qt::CheckState etat)
    {
        {
            const QScopedValueRollback coche(m_remplit, true);
            for (int i = 0; i < m_filtre->rowCount(); ++i)
                m_modele->itemFromIndex(m_filtre->mapToSource(m_filtre->index(i, 0)))->setCheckState(etat);
        }
        compte();
    }

    QList<int> coches() const
    {
        QList<int> c;
        for (int i = 0; i < m_modele->rowCount(); ++i)
            if (m_modele->item(i)->checkState() == Qt::Checked)
                c << i;
        return c;
    }

    void compte()
    {
        const qsizetype n = coches().size();
        if (!m_erreur.isEmpty())
            m_etat->setText(m_erreur);
        else if (m_carnets->currentRow() < 0)
            m_etat->setText(QStringLiteral("Choisissez un carnet, un fichier ou un dossier."));
        else
            m_etat->setText(QStringLiteral("%1 contact%2 coché%2 sur %3.")
                                .arg(n)
                                .arg(n > 1 ? QStringLiteral("s") : QString())
                                .arg(m_modele->rowCount()));
        m_importer->setEnabled(n > 0);
    }

    void finit(AddressBookAnswer::Source source)
    {
        m_reponse.source = source;
        if (source == AddressBookAnswer::Source::Book) {
            m_reponse.book = m_carnets->currentRow();
            m_reponse.ticked = coches();
        }
        accept();
    }

    const AddressBookRequest& m_request;
    AddressBookAnswer m_reponse;
    QString m_erreur;
    bool m_remplit = false;
    QListWidget* m_carnets;
    QLineEdit* m_recherche;
    QStandardItemModel* m_modele;
    QSortFilterProxyModel* m_filtre;
    QTreeView* m_contacts;
    QLabel* m_etat;
    QPushButton* m_importer;
};
} // namespace

std::optional<AddressBookAnswer> askAddressBook(const AddressBookRequest& request, QWidget* parent)
{
    AddressBookDialog dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.reponse();
}
