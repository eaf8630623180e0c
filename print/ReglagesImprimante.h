#pragma once
// What the printer probes found out about the printer, and the printer values the
// program must put back after printing. One instance lives as long as the program: the
// print command, the print run and the command Quitter all read the same one.

#include "platform/Outcome.h"
#include "platform/PrinterService.h"

#include <QString>
#include <optional>

class ReglagesImprimante {
public:
    // The settings the program tries to make by itself, by their codes in ReglagesRefuses.
    enum class Reglage : char { Copies = '1', Format = '2', Orientation = '3' };

    // "0", then one code for each setting the printer refused during the last command.
    QString ReglagesRefuses = QStringLiteral("0");
    // The copies count as the copies probe read it, put back after the print run.
    int CopiesInitiales = 1;
    // Paper size and orientation as the current run read them; empty until the run has
    // read them, so that nothing is put back from an earlier run or from nothing.
    std::optional<int> FormatInitial;
    std::optional<PageOrientation> OrientationInitiale;

    bool refuse(Reglage reglage) const { return ReglagesRefuses.contains(QLatin1Char(char(reglage))); }
    void ajouteRefus(Reglage reglage) { ReglagesRefuses.append(QLatin1Char(char(reglage))); }

    // Puts the paper size, then the orientation, back as they were read, skipping a
    // setting the printer refused and a value never read. Both are tried; the first
    // failure comes back.
    Status restaureFormatEtOrientation(PrinterService& imprimante) const;
};
