#pragma once
// Qt's print dialog as the program shows it. Every chosen envelope prints, once each in
// the copies asked for, so the dialog offers no page range, no odd or even pages, no
// reverse order and no collating: on a CUPS queue Qt offers the ranges whatever the
// dialog's options say, and a file would not follow them as a queue does. The copies of
// each envelope come out together, on a queue as in a file. Printing to a file stays, and
// offers the job's own PDF name.

#include <QObject>
#include <QString>

class QPrintDialog;

class PreparationDialogueImpression : public QObject {
public:
    // A print dialog the program shows itself; `fichierPropose` is the PDF offered when
    // the user prints to a file (none when empty).
    static void sur(QPrintDialog& dialogue, const QString& fichierPropose);
    // The print dialogs a window creates later on its own, as the print preview does.
    static void surLesDialoguesDe(QObject& fenetre, const QString& fichierPropose);

    bool eventFilter(QObject* observe, QEvent* evenement) override;

private:
    PreparationDialogueImpression(QObject* parent, const QString& fichierPropose)
        : QObject(parent), m_fichierPropose(fichierPropose)
    {
    }
    void prepare(QPrintDialog& dialogue) const;

    QString m_fichierPropose;
};
