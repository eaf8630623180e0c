#include "platform/widgets/PreparationDialogueImpression.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

void PreparationDialogueImpression::sur(QPrintDialog& dialogue, const QString& fichierPropose)
{
    dialogue.installEventFilter(new PreparationDialogueImpression(&dialogue, fichierPropose));
}

void PreparationDialogueImpression::surLesDialoguesDe(QObject& fenetre, const QString& fichierPropose)
{
    fenetre.installEventFilter(new PreparationDialogueImpression(&fenetre, fichierPropose));
}

bool PreparationDialogueImpression::eventFilter(QObject* observe, QEvent* evenement)
{
    // A child is not yet what it will be when it is added: watch it until it shows.
    if (evenement->type() == QEvent::ChildAdded && observe == parent()) {
        if (QObject* enfant = static_cast<QChildEvent*>(evenement)->child(); enfant && enfant->isWidgetType())
            enfant->installEventFilter(this);
    } else if (evenement->type() == QEvent::Show) {
        // Qt lays the dialog out for the printer as it shows: only then do its controls
        // stay as set here.
        if (auto* dialogue = qobject_cast<QPrintDialog*>(observe)) {
            dialogue->removeEventFilter(this);
            prepare(*dialogue);
        }
    }
    return false;
}

void PreparationDialogueImpression::prepare(QPrintDialog& dialogue) const
{
    // The range group holds the page range, the odd or even pages and the current page.
    for (const char* nom : {"gbPrintRange", "reverse", "collate"})
        if (auto* controle = dialogue.findChild<QWidget*>(QLatin1String(nom)))
            controle->hide();
    QPrinter* imprimante = dialogue.printer();
    QObject::connect(&dialogue, &QDialog::accepted, &dialogue, [imprimante] {
        imprimante->setPrintRange(QPrinter::AllPages);
        imprimante->setPageOrder(QPrinter::FirstPageFirst);
        imprimante->setCollateCopies(false);
    });

    auto* imprimantes = dialogue.findChild<QComboBox*>(QStringLiteral("printers"));
    auto* fichier = dialogue.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (m_fichierPropose.isEmpty() || !imprimantes || !fichier)
        return;
    // Qt offers "print.pdf" in the home folder, or the file of the last print to a file;
    // that one stays only when it was this job's. Qt fills the field when the output
    // changes, so the job's name follows.
    const QString propose = m_fichierPropose;
    const auto proposeSiFichier = [imprimantes, fichier, imprimante, propose] {
        const bool versFichier = imprimantes->currentIndex() == imprimantes->count() - 1; // Qt puts it last
        const QString dernier = imprimante->outputFileName();
        if (versFichier && (dernier.isEmpty() ||
                            QFileInfo(dernier).completeBaseName() != QFileInfo(propose).completeBaseName()))
            fichier->setText(propose);
    };
    proposeSiFichier();
    QObject::connect(imprimantes, &QComboBox::currentIndexChanged, fichier, proposeSiFichier);
}
