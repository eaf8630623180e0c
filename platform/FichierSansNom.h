#pragma once
// A file being written that has no name in its folder until it is whole: a program killed
// while writing it leaves nothing behind, where a temporary name would stay for ever with
// the user's addresses in it. Linux makes such files (O_TMPFILE) on most disks; on the
// others (some network and FUSE disks) the file gets a hidden temporary name at once,
// which the next write to the same file sweeps away.

#include <QByteArray>
#include <QString>

#include <sys/types.h>

class FichierSansNom {
public:
    FichierSansNom() = default;
    ~FichierSansNom(); // closes it, and removes it when it still has only a temporary name
    FichierSansNom(const FichierSansNom&) = delete;
    FichierSansNom& operator=(const FichierSansNom&) = delete;

    // Opens a new file in the folder of `cible`, which it is to replace, with those rights.
    bool ouvre(const QByteArray& cible, mode_t droits);
    int fd() const { return m_fd; }
    // A name by which other code (Qt's PDF writer, CUPS) opens the same file.
    QByteArray chemin() const;
    // Gives the file a hidden temporary name beside `cible` (the name it had from the start
    // where it was never nameless), to be renamed over it.
    QByteArray nomTemporaire();
    // Renames it from its temporary name to cible, replacing what is there.
    bool renommeEn(const QByteArray& cible);
    // Closes the handle; false when the disk reports a failed write only now.
    bool ferme();

    // Removes the temporary files a killed write left beside `cible`.
    static void balaie(const QByteArray& cible);
    // Forces the folder of `cible` to the disk, so that a rename there survives a power cut.
    // A folder that cannot be synchronised (some network disks) still holds the files.
    static void synchroniseDossier(const QByteArray& cible);

private:
    int m_fd = -1;
    QByteArray m_cible;
    QByteArray m_nom; // its temporary name, once it has one
    bool m_sansNom = false;
};
