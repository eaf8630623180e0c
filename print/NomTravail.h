#pragma once
// Print jobs are named after the address file: the print queue lists "Amis - enveloppes"
// for the envelopes of Amis.PLV, and a print to a file is offered as "Amis -
// enveloppes.pdf" beside it.

#include <QString>

class PrinterService;
struct ReglagesModele;

// Names the printer's next jobs "<address file> - <contenu>", "Nouveau - enveloppes"
// before any file was opened or saved, and offers a print to a file in the address
// file's folder (for a new document, the folder the open dialog starts in).
void NommeTravail(PrinterService& imprimante, const ReglagesModele& reglages, const QString& contenu);
