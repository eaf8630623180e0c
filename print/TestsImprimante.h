#pragma once
// The printer probes: before printing, find out which settings the program can make by
// itself (copies, paper size, orientation) and tell the user which to make by hand. A
// setting counts as refused when reading it or writing back the value just read fails,
// and the paper size and orientation also when the printer does not take A4 or the other
// orientation; the probes leave every setting as they found it.

#include <QString>

class Dialogs;
class PrinterService;
class ReglagesImprimante;

inline const QString kTitreControleImpression = QStringLiteral("Contrôle d'impression");

// The messages, their lines joined by CR LF.
// Without windows (the batch), the messages say what the run does instead.
QString MessageCopiesRefusees(bool fenetre = true);
QString MessageFormatRefuse(bool fenetre = true);
QString MessageOrientationRefusee(bool fenetre = true);

// Copies: starts ReglagesRefuses afresh ("0"), reads the copies count into
// CopiesInitiales; on a refusal adds "1" and says so.
void TestImpr1(PrinterService& imprimante, Dialogs& dialogues, ReglagesImprimante& reglages);

// Paper size ("2") and orientation ("3"), read into FormatInitial and
// OrientationInitiale, A4 and the other orientation tried; then MessagesImpression.
void TestImpr2(PrinterService& imprimante, Dialogs& dialogues, ReglagesImprimante& reglages);

// For each refused paper size or orientation, the message and then the printer set-up
// dialog; cancelling the paper-size set-up skips the orientation.
void MessagesImpression(PrinterService& imprimante, Dialogs& dialogues, const ReglagesImprimante& reglages);
