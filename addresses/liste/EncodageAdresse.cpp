#include "addresses/liste/EncodageAdresse.h"

namespace {

// Every control character below 20 ends a line: CR, LF, tab, and whatever else a paste
// may bring along, so that no control character ever reaches a list entry.
bool estCoupure(QChar c)
{
    return c.unicode() < 20;
}

} // namespace

QString EnLigne(const QString& texteAdresse)
{
    QStringList lignes{QString()};
    int coupures = 0;
    for (const QChar c : texteAdresse) {
        if (!estCoupure(c)) {
            lignes.last().append(c == kSeparateurLignes ? QChar(u' ') : c);
            continue;
        }
        // A line starts at every other break, counting from the first: the CR of a CR LF
        // pair starts it and its LF is swallowed.
        ++coupures;
        const int nbLignes = int(lignes.size()) - 1;
        if (nbLignes * 2 != coupures)
            lignes.append(QString());
    }
    if (lignes.size() > 1 && lignes.last().isEmpty())
        lignes.removeLast();
    return lignes.join(kSeparateurLignes);
}

QString EnForme(const QString& ligneAdresse)
{
    QString texte;
    texte.reserve(ligneAdresse.size() + 16);
    for (const QChar c : ligneAdresse) {
        if (c == kSeparateurLignes)
            texte.append(kFinLigne);
        else
            texte.append(c);
    }
    return texte;
}

LignesSeparees Separe(const QString& ligneAdresse)
{
    LignesSeparees resultat;
    resultat.LignesAdresse = ligneAdresse.split(kSeparateurLignes);
    resultat.NbLignes = int(resultat.LignesAdresse.size()) - 1;
    return resultat;
}

QString AvecFinLigne(const QString& texteBoite)
{
    QString texte;
    texte.reserve(texteBoite.size() + 16);
    for (qsizetype i = 0; i < texteBoite.size(); ++i) {
        const QChar c = texteBoite.at(i);
        if (c == u'\n' && (i == 0 || texteBoite.at(i - 1) != u'\r'))
            texte.append(u'\r');
        texte.append(c);
    }
    return texte;
}
