#include "print/TestsImprimante.h"

#include "addresses/liste/EncodageAdresse.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "print/ReglagesImprimante.h"

#include <QStringList>

namespace {
QString lignes(const QStringList& l)
{
    return l.join(QString::fromUtf16(kFinLigne));
}

void avertit(Dialogs& dialogues, const QString& texte)
{
    dialogues.message(MessageIcon::Exclamation, kTitreControleImpression, texte);
}
} // namespace

QString MessageCopiesRefusees(bool fenetre)
{
    if (!fenetre)
        return QStringLiteral("Votre imprimante n'acceptant pas le réglage automatique du nombre de copies, "
                              "chaque enveloppe est imprimée dans le nombre de copies réglé pour "
                              "l'imprimante.");
    return lignes(
        {QStringLiteral("Votre Imprimante n'acceptant pas le réglage automatique du nombre de copies,"),
         QStringLiteral("Vous devrez le péciser vous-même dans la fenêtre qui suit.")});
}

QString MessageFormatRefuse(bool fenetre)
{
    if (!fenetre)
        return QStringLiteral("Votre imprimante n'acceptant pas le réglage automatique du format du papier, "
                              "l'impression se fait sur le format réglé pour l'imprimante : assurez-vous "
                              "qu'il soit A4, et surtout pas un quelconque format d'enveloppe.");
    return lignes({QStringLiteral("Votre Imprimante n'acceptant pas le réglage automatique"),
                   QStringLiteral("du format du Papier,"),
                   QStringLiteral("Vous devrez le vérifier vous-même dans la fenêtre qui suit."),
                   QStringLiteral("Assurez-vous que ce format soit A4"),
                   QStringLiteral("et surtout pas un quelconque format d'enveloppe.")});
}

QString MessageOrientationRefusee(bool fenetre)
{
    if (!fenetre)
        return QStringLiteral("Votre imprimante n'acceptant pas le réglage automatique de l'orientation de "
                              "l'impression (Portrait ou Paysage), l'impression se fait dans l'orientation "
                              "réglée pour l'imprimante.");
    return lignes(
        {QStringLiteral("Votre Imprimante n'acceptant pas le réglage automatique de"),
         QStringLiteral("l'orientation de l'impression (Portrait ou Paysage),"),
         QStringLiteral("Vous devrez la vérifier vous-même dans la fenêtre qui suit."),
         QStringLiteral("Ceci en fonction de la manière dont vous voulez introduire l'enveloppe.")});
}

void TestImpr1(PrinterService& imprimante, Dialogs& dialogues, ReglagesImprimante& reglages)
{
    reglages.ReglagesRefuses = QStringLiteral("0");
    const Result<int> initiales = imprimante.copies();
    if (initiales)
        reglages.CopiesInitiales = initiales.value();
    const Result<int> relues = initiales ? imprimante.copies() : initiales;
    if (!initiales || !relues || !imprimante.setCopies(relues.value())) {
        reglages.ajouteRefus(ReglagesImprimante::Reglage::Copies);
        avertit(dialogues, MessageCopiesRefusees(dialogues.hasWindows()));
    }
}

void TestImpr2(PrinterService& imprimante, Dialogs& dialogues, ReglagesImprimante& reglages)
{
    // Writing back what was read only proves that a value sticks. The run needs more:
    // A4, and either orientation, so each is tried before the value read goes back. A
    // queue that lacks A4 is found here, where the user can still choose the paper,
    // instead of failing the run.
    const Result<int> format = imprimante.paperSize();
    if (format)
        reglages.FormatInitial = format.value();
    const Result<int> formatRelu = format ? imprimante.paperSize() : format;
    if (!formatRelu) {
        reglages.ajouteRefus(ReglagesImprimante::Reglage::Format);
    } else {
        const bool a4 = bool(imprimante.setPaperA4());
        if (!imprimante.setPaperSize(formatRelu.value()) || !a4)
            reglages.ajouteRefus(ReglagesImprimante::Reglage::Format);
    }

    const Result<PageOrientation> orientation = imprimante.orientation();
    if (orientation)
        reglages.OrientationInitiale = orientation.value();
    const Result<PageOrientation> orientationRelue = orientation ? imprimante.orientation() : orientation;
    if (!orientationRelue) {
        reglages.ajouteRefus(ReglagesImprimante::Reglage::Orientation);
    } else {
        const PageOrientation autre = orientationRelue.value() == PageOrientation::Portrait
                                          ? PageOrientation::Landscape
                                          : PageOrientation::Portrait;
        const bool tourne = bool(imprimante.setOrientation(autre));
        if (!imprimante.setOrientation(orientationRelue.value()) || !tourne)
            reglages.ajouteRefus(ReglagesImprimante::Reglage::Orientation);
    }

    MessagesImpression(imprimante, dialogues, reglages);
}

void MessagesImpression(PrinterService& imprimante, Dialogs& dialogues, const ReglagesImprimante& reglages)
{
    if (reglages.refuse(ReglagesImprimante::Reglage::Format)) {
        avertit(dialogues, MessageFormatRefuse(dialogues.hasWindows()));
        if (!dialogues.printerSetupDialog(imprimante))
            return;
    }
    if (reglages.refuse(ReglagesImprimante::Reglage::Orientation)) {
        avertit(dialogues, MessageOrientationRefusee(dialogues.hasWindows()));
        (void)dialogues.printerSetupDialog(imprimante);
    }
}
