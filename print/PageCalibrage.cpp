#include "print/PageCalibrage.h"

#include "app/ReglagesModele.h"
#include "platform/PrinterService.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {
// Ticks of a millimetre ruler: every millimetre, longer every 5 and every 10.
Mm longueurTrait(int mm)
{
    if (mm % 10 == 0)
        return Mm(5);
    if (mm % 5 == 0)
        return Mm(3.5);
    return Mm(2);
}

QString graduation(int valeur)
{
    return valeur > 0 ? QStringLiteral("+%1").arg(valeur) : QString::number(valeur);
}

class Dessin {
public:
    Dessin(PrinterService& imprimante, const GeometrieEnveloppe::PlaceEnveloppe& place)
        : m_imprimante(imprimante), m_place(place)
    {
    }

    // Envelope coordinates to printer coordinates, as the run places the envelope.
    PointMm p(Mm x, Mm y) const { return m_place.versImprimante(PointMm{x, y}); }

    Status trait(Mm x1, Mm y1, Mm x2, Mm y2) { return m_imprimante.drawLine(p(x1, y1), p(x2, y2)); }

    // The text with its top left corner at (x, y) in the envelope.
    Status texte(const QString& t, Mm x, Mm y)
    {
        if (Status s = m_imprimante.setPosition(p(x, y)); !s)
            return s;
        return m_imprimante.printText(t, LineEnd::No);
    }

    Mm largeur(const QString& t) { return m_imprimante.textWidth(t).valueOr(Mm(0)); }
    Mm hauteur(const QString& t) { return m_imprimante.textHeight(t).valueOr(Mm(0)); }

private:
    PrinterService& m_imprimante;
    const GeometrieEnveloppe::PlaceEnveloppe& m_place;
};

// The text's words in lines no wider than `largeur`; nothing when a word alone is wider.
QStringList coupe(Dessin& d, const QString& texte, Mm largeur)
{
    QStringList lignes;
    QString ligne;
    for (const QString& mot : texte.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString essai = ligne.isEmpty() ? mot : ligne + QLatin1Char(' ') + mot;
        if (d.largeur(essai) <= largeur) {
            ligne = essai;
        } else if (ligne.isEmpty()) {
            return {};
        } else {
            lignes.append(ligne);
            ligne = mot;
            if (d.largeur(ligne) > largeur)
                return {};
        }
    }
    if (!ligne.isEmpty())
        lignes.append(ligne);
    return lignes;
}
} // namespace

Status PageCalibrage::dessine(PrinterService& imprimante, const ReglagesModele& reglages,
                              const GeometrieEnveloppe::PlaceEnveloppe& place)
{
    Dessin d(imprimante, place);
    const Mm L(reglages.LongueurEnv);
    const Mm H(reglages.HauteurEnv);

    // Where marks may go, in envelope coordinates: the envelope and the sheet, each less
    // the margin. The envelope's left edge is the sheet's; its top lies `haut` below the
    // sheet's top.
    const Mm largeurFeuille = place.feuille.largeur, hauteurFeuille = place.feuille.hauteur;
    const Mm haut = place.surFeuille({Mm(0), Mm(0)}).y;
    const Mm xMin = kMarge, xMax = std::min(L, largeurFeuille) - kMarge;
    const Mm yMin = std::max(kMarge, kMarge - haut), yMax = std::min(H, hauteurFeuille - haut) - kMarge;
    const Mm pliX = std::max(kPli, xMin), pliY = std::max(kPli, yMin + Mm(2));

    (void)imprimante.setFontName(QStringLiteral("Arial"));
    (void)imprimante.setFontBold(false);
    (void)imprimante.setFontItalic(false);
    (void)imprimante.setFontUnderline(false);
    (void)imprimante.setTextColour(Qt::black);
    (void)imprimante.setFontSize(6);

    // As wide a reading as the envelope leaves room for beyond the folds, 5 mm at least.
    const double espace = std::min({(pliX - Mm(2)).value, (pliY - Mm(2)).value,
                                    (yMax - pliY * 2 - Mm(10)).value, (xMax - pliX * 2 - Mm(11)).value});
    const int etendue = std::clamp(int(std::floor(espace)), 5, kEtendueMax);
    const Mm regleX = pliY * 2 + Mm(etendue + 3); // the horizontal ruler's line, below the vertical ruler
    const Mm regleY = pliX * 2 + Mm(etendue + 2); // the vertical ruler's line, beside the horizontal one

    // The fold lines.
    if (Status s = d.trait(pliX, yMin, pliX, yMax); !s)
        return s;
    if (Status s = d.trait(xMin, pliY, xMax, pliY); !s)
        return s;

    // The rulers: the graduation of value v lies 2 x fold - v from the edge.
    const Mm origineX = pliX * 2, origineY = pliY * 2;
    if (Status s = d.trait(origineX - Mm(etendue), regleX, origineX + Mm(etendue), regleX); !s)
        return s;
    if (Status s = d.trait(regleY, origineY - Mm(etendue), regleY, origineY + Mm(etendue)); !s)
        return s;
    for (int valeur = -etendue; valeur <= etendue; ++valeur) {
        const Mm x = origineX - Mm(valeur), y = origineY - Mm(valeur);
        const Mm trait = longueurTrait(valeur);
        if (Status s = d.trait(x, regleX, x, regleX + trait); !s)
            return s;
        if (Status s = d.trait(regleY, y, regleY + trait, y); !s)
            return s;
        if (valeur % 5 != 0)
            continue;
        const QString nombre = graduation(valeur);
        if (Status s = d.texte(nombre, x - d.largeur(nombre) / 2, regleX + Mm(5.5)); !s)
            return s;
        if (Status s = d.texte(nombre, regleY + Mm(5.5), y - d.hauteur(nombre) / 2); !s)
            return s;
    }

    // How to read it, beside the rulers, as far as the envelope has room.
    (void)imprimante.setFontSize(7);
    const auto mm = [](Mm v) { return QString::number(v.value, 'g', 3); };
    const QStringList legende = {
        QStringLiteral(
            "Plivane : page de calibrage, enveloppe de %1 x %2 mm introduite en %3, imprimée sans décalage.")
            .arg(reglages.LongueurEnv)
            .arg(reglages.HauteurEnv)
            .arg(place.paysage ? QStringLiteral("Paysage") : QStringLiteral("Portrait")),
        QStringLiteral(
            "Décalage vers la droite : pliez le bord gauche de l'enveloppe vers la droite, le pli exactement "
            "sur le trait vertical. La graduation de la règle horizontale où arrive le bord replié est la "
            "valeur à saisir."),
        QStringLiteral(
            "Décalage vers le bas : pliez de même le bord haut, le pli sur le trait horizontal, et lisez la "
            "règle verticale."),
        QStringLiteral(
            "Sans plier : le trait vertical doit être à %1 mm du bord gauche et le trait horizontal à %2 mm "
            "du bord haut. Mesurez-les : chaque décalage à saisir est cette distance prévue moins la "
            "distance mesurée.")
            .arg(mm(pliX), mm(pliY)),
    };
    const Mm gauche = regleY + Mm(12);
    Mm y = pliY + Mm(3);
    for (const QString& paragraphe : legende) {
        for (const QString& ligne : coupe(d, paragraphe, xMax - gauche)) {
            const Mm h = d.hauteur(ligne);
            if (y + h > yMax)
                return Status::ok();
            if (Status s = d.texte(ligne, gauche, y); !s)
                return s;
            y += h;
        }
        y += Mm(1);
    }
    return Status::ok();
}

Status PageCalibrage::marqueEntree(PrinterService& imprimante, const ReglagesModele& reglages,
                                   const GeometrieEnveloppe::PlaceEnveloppe& place, FeedEdge entree)
{
    Dessin d(imprimante, place);
    const Mm L(reglages.LongueurEnv);
    const Mm H(reglages.HauteurEnv);
    (void)imprimante.setFontSize(9);
    const bool droite = entree == FeedEdge::Right;
    const QString texte = droite ? QStringLiteral("Ce bord est entré en premier \u2192")
                                 : QStringLiteral("\u2190 Ce bord est entré en premier");
    const Mm y = H - kMarge - d.hauteur(texte);
    const Mm x = droite ? L - kMarge - d.largeur(texte) : kMarge;
    if (Status s = d.texte(texte, x, y); !s)
        return s;
    // A bar along that edge, inside the envelope.
    const Mm bord = droite ? L - kMarge : kMarge;
    return d.trait(bord, H / 2 - Mm(10), bord, H / 2 + Mm(10));
}
