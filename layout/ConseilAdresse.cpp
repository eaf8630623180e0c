#include "layout/ConseilAdresse.h"

namespace {
bool estBlanc(QChar c)
{
    return c.isSpace() || c == QChar(0x00A0);
}

QStringView sansBlancsAutour(QStringView ligne)
{
    qsizetype debut = 0;
    qsizetype fin = ligne.size();
    while (debut < fin && estBlanc(ligne[debut]))
        ++debut;
    while (fin > debut && estBlanc(ligne[fin - 1]))
        --fin;
    return ligne.sliced(debut, fin - debut);
}

QStringView sansBlancsAFin(QStringView ligne)
{
    qsizetype fin = ligne.size();
    while (fin > 0 && estBlanc(ligne[fin - 1]))
        --fin;
    return ligne.first(fin);
}
} // namespace

bool ConseilAdresse::estLigneCodePostal(QStringView ligne)
{
    if (ligne.size() < 7)
        return false;
    for (int i = 0; i < 5; ++i)
        if (!(ligne[i] >= u'0' && ligne[i] <= u'9'))
            return false;
    // Exactly one space, and the town begins with a capital letter.
    if (ligne[5] != u' ' || !ligne[6].isLetter() || !ligne[6].isUpper())
        return false;
    for (QChar c : ligne.sliced(6)) {
        const bool permis = (c.isLetter() && !c.isLower()) || c.isDigit() || c == u' ' || c == u'-' ||
                            c == u'\'' || c == QChar(0x2019);
        if (!permis)
            return false;
    }
    return true;
}

QList<ConseilAdresse::Regle> ConseilAdresse::enfreintes(QStringView texteAdresse)
{
    int lignesPleines = 0;
    bool tropLongue = false;
    QStringView derniere;

    qsizetype debut = 0;
    while (debut <= texteAdresse.size()) {
        qsizetype fin = texteAdresse.indexOf(u'\n', debut);
        if (fin < 0)
            fin = texteAdresse.size();
        QStringView ligne = texteAdresse.sliced(debut, fin - debut);
        if (ligne.endsWith(u'\r'))
            ligne.chop(1);
        // Blanks left at the end of a line print as nothing, so they do not lengthen it.
        const QStringView visible = sansBlancsAFin(ligne);
        if (!visible.isEmpty()) {
            ++lignesPleines;
            derniere = visible;
            if (visible.size() > kCaracteresMax)
                tropLongue = true;
        }
        debut = fin + 1;
    }

    QList<Regle> regles;
    if (lignesPleines > kLignesMax)
        regles.append(Regle::TropDeLignes);
    if (tropLongue)
        regles.append(Regle::LigneTropLongue);
    const QStringView fin = sansBlancsAutour(derniere);
    if (!fin.isEmpty() && fin[0].isDigit() && !estLigneCodePostal(fin))
        regles.append(Regle::DerniereLigne);
    return regles;
}

QString ConseilAdresse::texte(Regle regle)
{
    switch (regle) {
    case Regle::TropDeLignes:
        return QStringLiteral("6 lignes au plus");
    case Regle::LigneTropLongue:
        return QStringLiteral("38 caractères au plus par ligne");
    case Regle::DerniereLigne:
        // No-break spaces keep the example whole when the label wraps.
        return QStringLiteral("dernière ligne : «\u00A075008\u00A0PARIS\u00A0»");
    }
    return {};
}

QString ConseilAdresse::explication(Regle regle)
{
    switch (regle) {
    case Regle::TropDeLignes:
        return QStringLiteral("La norme postale NF Z10-011 admet 6 lignes au plus ; "
                              "les lignes vides ne comptent pas.");
    case Regle::LigneTropLongue:
        return QStringLiteral("Chaque ligne compte 38 caractères au plus, espaces compris.");
    case Regle::DerniereLigne:
        return QStringLiteral("La dernière ligne porte le code postal à 5 chiffres, une espace, "
                              "puis la ville en capitales : «\u00A075008\u00A0PARIS\u00A0».");
    }
    return {};
}

QString ConseilAdresse::conseil(const QList<Regle>& regles, qsizetype premieres)
{
    if (regles.isEmpty())
        return {};
    if (premieres < 1 || premieres > regles.size())
        premieres = regles.size();
    QStringList textes;
    for (qsizetype i = 0; i < premieres; ++i)
        textes.append(texte(regles[i]));
    const bool coupe = premieres < regles.size();
    if (coupe)
        textes.append(QString(QChar(0x2026)));
    return QStringLiteral("Conseil : ") + textes.join(QStringLiteral(" ; ")) +
           (coupe ? QString() : QStringLiteral("."));
}

QString ConseilAdresse::detail(const QList<Regle>& regles)
{
    QStringList textes;
    for (Regle r : regles)
        textes.append(explication(r));
    return textes.join(u'\n');
}
