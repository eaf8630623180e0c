#pragma once
// Files written and read back whole, and list entries written with "|" between their lines.
#include "addresses/liste/EncodageAdresse.h"

#include <QFile>
#include <QStringList>

inline QString ecritFichier(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly))
        f.write(octets);
    return chemin;
}

inline QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QString entree(const char* lignes)
{
    return QString::fromUtf8(lignes).replace(u'|', kSeparateurLignes);
}
