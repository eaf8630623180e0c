#pragma once
// Printing without the window, for scripts and big mailings: every address of an address
// file, with the file's settings and the printer's shift, to a PDF or to a printer queue.
// The print goes through the print command and the print run that the window's
// Imprimer button uses; only the answers to its dialogs differ (see ConsoleDialogs).

#include "app/window/LigneCommande.h"

#include <QString>
#include <cstdio>

namespace ImpressionLot {
// The status of a print that failed: the file unreadable, the printer unknown, the
// run stopped by a failure. A PDF that was there before stays as it was.
inline constexpr int kCodeEchec = 1;

// Runs the print of a Pdf or Imprimante command, once the application object stands:
// the one-line summary on `sortie`, the French failures on `erreurs`; the status to
// end the program with.
int lance(const LigneCommande::Commande& commande, std::FILE* sortie = stdout, std::FILE* erreurs = stderr);

// "1000 enveloppes imprimées dans SORTIE.pdf", "3 enveloppes envoyées à l'imprimante X"
QString Resume(LigneCommande::Mode mode, int enveloppes, const QString& sortie);
} // namespace ImpressionLot
