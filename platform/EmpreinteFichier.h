#pragma once
// What a file on disk was when the program last read or wrote it: whether it existed, its
// size and a digest of its bytes. Before a save replaces the file, the file is compared
// with it, so that what another program or another window wrote meanwhile is not lost
// unseen. The time alone would not do: copies and synchronised folders keep it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class EmpreinteFichier {
public:
    EmpreinteFichier() = default; // a file that does not exist
    static EmpreinteFichier deOctets(QByteArrayView octets);
    // The file as it is now on disk; a file that cannot be read counts as changed from any
    // file the program read.
    static EmpreinteFichier de(const QString& chemin, qint64 tailleMax);

    bool existe() const { return m_existe; }
    bool operator==(const EmpreinteFichier&) const = default;

private:
    bool m_existe = false;
    qint64 m_taille = 0;
    QByteArray m_condense;
};
