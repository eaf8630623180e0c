#pragma once
// Qt's print dialog opens on a printer queue even when the last print went to a file, and
// chooses it again as it shows. Whoever printed to a file last time (for a print shop,
// say) finds the file chosen again, so that a plain OK does not send the envelopes to a
// printer.

#include <QObject>

class QPrintDialog;

class GardeSortieFichier : public QObject {
public:
    // A print dialog the program shows itself.
    static void sur(QPrintDialog& dialogue, bool versFichier);
    // The print dialogs a window creates later on its own, as the print preview does.
    static void surLesDialoguesDe(QObject& fenetre, bool versFichier);

    bool eventFilter(QObject* observe, QEvent* evenement) override;

private:
    explicit GardeSortieFichier(QObject* parent) : QObject(parent) {}
};
