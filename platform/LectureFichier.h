#pragma once
// Reads a file whole, once it is known to be a regular file. Anything else is refused
// before it is opened for reading: a named pipe would wait for a writer for ever, a
// device could send without end, and the window would freeze. The check is made again
// on the open handle, which never waits, so that a file swapped meanwhile is caught too.

#include <QByteArray>
#include <QString>

namespace LectureFichier {
enum class Echec { Aucun, Absent, NomIllisible, PasUnFichier, Interdit, TropGrand, Illisible };

struct Lu {
    Echec echec = Echec::Aucun;
    QByteArray octets;
    explicit operator bool() const { return echec == Echec::Aucun; }
};

// A file larger than tailleMax bytes is refused as TropGrand, even one that grows
// while it is read.
Lu lit(const QString& chemin, qint64 tailleMax);

// Why, in French, as the end of a sentence about the file: "il n'existe pas". The
// system's own texts are in English and never reach the user.
QString raison(Echec echec);
} // namespace LectureFichier
