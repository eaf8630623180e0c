#include "platform/widgets/GardeSortieFichier.h"

#include <QComboBox>
#include <QEvent>
#include <QPrintDialog>

void GardeSortieFichier::sur(QPrintDialog& dialogue, bool versFichier)
{
    if (versFichier)
        dialogue.installEventFilter(new GardeSortieFichier(&dialogue));
}

void GardeSortieFichier::surLesDialoguesDe(QObject& fenetre, bool versFichier)
{
    if (versFichier)
        fenetre.installEventFilter(new GardeSortieFichier(&fenetre));
}

bool GardeSortieFichier::eventFilter(QObject* observe, QEvent* evenement)
{
    // A child is not yet what it will be when it is added: watch it until it shows.
    if (evenement->type() == QEvent::ChildAdded && observe == parent()) {
        if (QObject* enfant = static_cast<QChildEvent*>(evenement)->child(); enfant && enfant->isWidgetType())
            enfant->installEventFilter(this);
    } else if (evenement->type() == QEvent::Show) {
        if (auto* dialogue = qobject_cast<QPrintDialog*>(observe)) {
            auto* imprimantes = dialogue->findChild<QComboBox*>(QStringLiteral("printers"));
            if (imprimantes && imprimantes->count() > 0)
                imprimantes->setCurrentIndex(imprimantes->count() - 1); // Qt puts "print to file" last
            dialogue->removeEventFilter(this);
        }
    }
    return false;
}
