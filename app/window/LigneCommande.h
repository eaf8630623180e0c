#pragma once
// The program's command line: nothing, or the one address file to open, as the desktop
// passes it when the user opens a .PLV file with Plivane. Nothing else is read from it.

#include "platform/Outcome.h"

#include <QString>
#include <QStringList>
#include <optional>

class LigneCommande {
public:
    // The arguments after the program's name. No argument: no file to open. One argument
    // that is no option: that file, as an absolute path. Anything else fails with the
    // French lines to print on standard error (the reason, then the usage line).
    static Result<std::optional<QString>> lit(const QStringList& arguments);

    static QString usage();
    // The status a refused command line ends the program with.
    static constexpr int kCodeUsage = 2;
};
