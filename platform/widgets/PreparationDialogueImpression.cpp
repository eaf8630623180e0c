#include "platform/widgets/PreparationDialogueImpression.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>

void PreparationDialogueImpression::sur(QPrintDialog& dialogue, const QString& fichierPropose)
{
    dialogue.installEventFilter(new PreparationDialogueImpression(&dialogue, fichierPropose));
}

void PreparationDialogueImpression::surLesDialoguesDe(QObject& fenetre, const QString& fichierPropose)
{
    fenetre.installEventFilter(new PreparationDialogueImpression(&fenetre, fichierPropose));
}

namespace {
constexpr const char* kPrepare = "plivanePrepare";

// The printer's properties, as Qt shows them, hold the words of the printer's driver,
// which Qt does not translate: the program's catalogue gives them in French.
void traduitProprietes(QDialog& proprietes)
{
    const auto fr = [](const QString& texte) {
        return QCoreApplication::translate("ProprietesImprimante", texte.toUtf8().constData());
    };
    for (auto* etiquette : proprietes.findChildren<QLabel*>())
        if (const QString texte = fr(etiquette->text()); texte != etiquette->text())
            etiquette->setText(texte);
    for (auto* liste : proprietes.findChildren<QComboBox*>())
        for (int i = 0; i < liste->count(); ++i)
            if (const QString texte = fr(liste->itemText(i)); texte != liste->itemText(i))
                liste->setItemText(i, texte);
    for (auto* onglets : proprietes.findChildren<QTabWidget*>())
        for (int i = 0; i < onglets->count(); ++i)
            onglets->setTabText(i, fr(onglets->tabText(i)));
}
} // namespace

bool PreparationDialogueImpression::eventFilter(QObject* observe, QEvent* evenement)
{
    // A child is not yet what it will be when it is added: watch it until it shows. The
    // print dialog's own children include its printer's properties.
    if (evenement->type() == QEvent::ChildAdded &&
        (observe == parent() || qobject_cast<QPrintDialog*>(observe))) {
        if (QObject* enfant = static_cast<QChildEvent*>(evenement)->child(); enfant && enfant->isWidgetType())
            enfant->installEventFilter(this);
    } else if (evenement->type() == QEvent::Show) {
        // Qt lays the dialog out for the printer as it shows: only then do its controls
        // stay as set here.
        // A dialog shown again keeps what was done to it; the filter stays for the
        // properties it may open.
        if (auto* dialogue = qobject_cast<QPrintDialog*>(observe);
            dialogue && !dialogue->property(kPrepare).toBool()) {
            dialogue->setProperty(kPrepare, true);
            prepare(*dialogue);
        } else if (observe->inherits("QPrintPropertiesDialog")) {
            traduitProprietes(*static_cast<QDialog*>(observe));
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
