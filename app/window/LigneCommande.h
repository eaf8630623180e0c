#pragma once
// The program's command line. Nothing, or the one address file to open, as the desktop
// passes it when the user opens a .PLV file with Plivane: the window opens. Or a print
// without the window, for scripts and big mailings: every address of a file to a PDF
// (--pdf SORTIE.pdf FICHIER.PLV) or to a printer queue (--imprimante FILE FICHIER.PLV).
// A print may choose, for this run only, the paper (--papier a4|enveloppe, for a PDF too),
// the printer's source (--bac SOURCE: its IPP keyword, "by-pass-tray", or its driver's
// input slot), and not to wait for the printer (--sans-attendre: the run ends once the
// print server has the job, instead of once the printer has printed it or given up).
// Or --aide (also --help and -h), or --version. Nothing else is read from it.

#include "platform/Outcome.h"
#include "print/PapierImprimante.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace LigneCommande {
enum class Mode { Fenetre, Pdf, Imprimante, Aide, Version };

struct Commande {
    Mode mode = Mode::Fenetre;
    // The address file, as an absolute path; none for a new envelope.
    std::optional<QString> fichier;
    // Pdf: the PDF to write, as given. Imprimante: the queue's name.
    QString sortie;
    std::optional<Papier> papier;
    std::optional<QString> bac;
    bool attendre = true;
};

// The arguments after the program's name. What is not one of the forms above fails
// with the French lines to print on standard error (the reason, then the usage).
Result<Commande> lit(const QStringList& arguments);

QString usage();
// "plivane 2.1", and the licence.
QString version();
// The status a refused command line ends the program with.
inline constexpr int kCodeUsage = 2;
} // namespace LigneCommande
