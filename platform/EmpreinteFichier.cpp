#include "platform/EmpreinteFichier.h"

#include "platform/LectureFichier.h"

#include <QCryptographicHash>

EmpreinteFichier EmpreinteFichier::deOctets(QByteArrayView octets)
{
    EmpreinteFichier e;
    e.m_existe = true;
    e.m_taille = octets.size();
    e.m_condense = QCryptographicHash::hash(octets, QCryptographicHash::Sha256);
    return e;
}

EmpreinteFichier EmpreinteFichier::de(const QString& chemin, qint64 tailleMax)
{
    const LectureFichier::Lu lu = LectureFichier::lit(chemin, tailleMax);
    if (lu.echec == LectureFichier::Echec::Absent)
        return {};
    if (!lu) {
        EmpreinteFichier illisible;
        illisible.m_existe = true;
        illisible.m_taille = -1;
        return illisible;
    }
    return deOctets(lu.octets);
}
