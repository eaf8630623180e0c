#pragma once
// The printer probes: before printing, find out which settings the program can make by
// itself (copies, paper size, orientation) and tell the user which to make by hand. A
// setting counts as refused when reading it or writing back the value just read fails;
// the probes never change a setting.

#include <QString>

class Dialogs;
class PrinterService;
class ReglagesImprimante;

inline const QString kTitreControleImpression = QStringLiteral("Contrôle d'impression");

// The messages, their lines joined by CR LF.
QString MessageCopiesRefusees();
QString MessageFormatRefuse();
QString MessageOrientationRefusee();

// Copies: starts ReglagesRefuses afresh ("0"), reads the copies count into
// CopiesInitiales; on a refusal adds "1" and says so.
void TestImpr1(PrinterService& imprimante, Dialogs& dialogues, ReglagesImprimante& reglages);

// Paper size ("2") and orientation ("3"), read into FormatInitial and
// OrientationInitiale; then MessagesImpression.
void TestImpr2(PrinterService& imprimante, Dialogs& dialogues, ReglagesImprimante& reglages);

// For each refused paper size or orientation, the message and then the printer set-up
// dialog; cancelling the paper-size set-up skips the orientation.
void MessagesImpression(PrinterService& imprimante, Dialogs& dialogues, const ReglagesImprimante& reglages);
