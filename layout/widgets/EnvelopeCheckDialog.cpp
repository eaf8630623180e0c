// The check of the envelopes, as a window: the envelopes to look at, one row each, with the
// way to print anyway (before a print), to give up, or to open one of them for editing.
#include "layout/widgets/EnvelopeCheckDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

EnvelopeCheckAnswer askEnvelopeCheck(const EnvelopeCheckRequest& request, QWidget* parent)
{
    QDialog fenetre(parent);
    fenetre.setObjectName(QStringLiteral("ControleEnveloppes"));
    fenetre.setWindowTitle(request.title);
    auto* disposition = new QVBoxLayout(&fenetre);
    auto* texte = new QLabel(request.text, &fenetre);
    texte->setWordWrap(true);
    disposition->addWidget(texte);

    auto* liste = new QTreeWidget(&fenetre);
    liste->setObjectName(QStringLiteral("EnveloppesARevoir"));
    liste->setAccessibleName(QStringLiteral("Enveloppes à revoir"));
    liste->setHeaderLabels({QStringLiteral("Adresse"), QStringLiteral("À revoir")});
    liste->setRootIsDecorated(false);
    liste->setUniformRowHeights(true);
    QList<QTreeWidgetItem*> lignes;
    for (const EnvelopeCheckRequest::Row& r : request.rows)
        lignes.append(new QTreeWidgetItem({r.address, r.problems}));
    liste->addTopLevelItems(lignes);
    liste->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    liste->setCurrentItem(liste->topLevelItem(0));
    disposition->addWidget(liste);
    texte->setBuddy(liste);

    auto* boutons = new QDialogButtonBox(&fenetre);
    QPushButton* modifier =
        boutons->addButton(QStringLiteral("Modifier l'adresse"), QDialogButtonBox::ActionRole);
    QPushButton* annuler =
        boutons->addButton(request.beforePrint ? QStringLiteral("Annuler") : QStringLiteral("Fermer"),
                           QDialogButtonBox::RejectRole);
    modifier->setObjectName(QStringLiteral("ModifierAdresse"));
    annuler->setObjectName(QStringLiteral("Annuler"));
    // Giving up is what Enter does: printing envelopes known to be cut must be chosen.
    annuler->setDefault(true);
    disposition->addWidget(boutons);

    EnvelopeCheckAnswer reponse;
    if (request.beforePrint) {
        QPushButton* imprimer =
            boutons->addButton(QStringLiteral("Imprimer quand même"), QDialogButtonBox::AcceptRole);
        imprimer->setObjectName(QStringLiteral("ImprimerQuandMeme"));
        QObject::connect(imprimer, &QPushButton::clicked, &fenetre, [&] {
            reponse.action = EnvelopeCheckAnswer::Action::PrintAnyway;
            fenetre.accept();
        });
    }
    if (!request.reduce.isEmpty()) {
        QPushButton* reduire = boutons->addButton(request.reduce, QDialogButtonBox::ActionRole);
        reduire->setObjectName(QStringLiteral("Reduire"));
        QObject::connect(reduire, &QPushButton::clicked, &fenetre, [&] {
            reponse.action = EnvelopeCheckAnswer::Action::Reduce;
            fenetre.accept();
        });
    }
    QObject::connect(annuler, &QPushButton::clicked, &fenetre, &QDialog::reject);
    auto edite = [&] {
        if (!liste->currentItem())
            return;
        reponse = {EnvelopeCheckAnswer::Action::Edit, liste->indexOfTopLevelItem(liste->currentItem())};
        fenetre.accept();
    };
    QObject::connect(modifier, &QPushButton::clicked, &fenetre, edite);
    QObject::connect(liste, &QTreeWidget::itemActivated, &fenetre, edite);

    fenetre.resize(640, 360);
    fenetre.exec();
    return reponse;
}
