#pragma once
// Replaces several files together, or none of them. Each file's new bytes are first
// written to a nameless file beside it (FichierSansNom) and forced to the disk, every step checked
// (QSaveFile's commit() reports success after a buffered write that failed, and replaces
// its one file on its own); only when all of them are known good do they take the place
// of their predecessors, in the order they were prepared. A failure at any point puts
// back every file already replaced and throws the temporary files away.

#include "platform/FichierSansNom.h"
#include <QByteArray>
#include <QByteArrayView>

#include <QString>
#include <memory>
#include <vector>

class EcritureGroupee {
public:
    EcritureGroupee() = default;
    EcritureGroupee(const EcritureGroupee&) = delete;
    EcritureGroupee& operator=(const EcritureGroupee&) = delete;
    // Whatever was prepared and not put in place is removed.
    ~EcritureGroupee();

    // Writes the bytes that are to become the file at chemin. False when they could not
    // all be written and flushed, or when chemin names something that is no regular file.
    bool prepare(const QString& chemin, QByteArrayView octets);

    // Puts every prepared file in place. False when one could not be, every file then
    // being as it was before.
    bool remplace();

    // What a save killed on its way left beside the file at chemin: temporary files go,
    // and a predecessor moved aside on a disk without second names comes back when the
    // file itself is missing.
    static void balaie(const QString& chemin);

private:
    struct Fichier {
        QByteArray cible;
        std::unique_ptr<FichierSansNom> nouveau;
        QByteArray ancien; // the predecessor's other name while the group is replaced
        bool existait = false;
    };
    bool gardeAncien(Fichier& f);
    static void remetAncien(const Fichier& f);

    std::vector<Fichier> m_fichiers;
};
