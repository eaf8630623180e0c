#include "print/PageCalibrage.h"

#include "app/ReglagesModele.h"
#include "platform/PrinterService.h"
#include "print/Imprime.h"

#include <QStringList>
#include <array>

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

class Dessin {
public:
    Dessin(PrinterService& imprimante, Mm decalageY) : m_imprimante(imprimante), m_decalageY(decalageY) {}

    // Envelope coordinates to printer coordinates, as the run places the envelope.
    PointMm p(Mm x, Mm y) const { return {x - Imprime::kDecalageX, y + m_decalageY}; }

    Status trait(PointMm de, PointMm a) { return m_imprimante.drawLine(de, a); }

    Status texte(const QString& t, PointMm coin)
    {
        if (Status s = m_imprimante.setPosition(coin); !s)
            return s;
        return m_imprimante.printText(t, LineEnd::No);
    }

    Result<Mm> largeur(const QString& t) { return m_imprimante.textWidth(t); }
    Result<Mm> hauteur(const QString& t) { return m_imprimante.textHeight(t); }

private:
    PrinterService& m_imprimante;
    Mm m_decalageY;
};
}  // namespace

Status PageCalibrage::dessine(PrinterService& imprimante, const ReglagesModele& reglages, Mm decalageY)
{
    Dessin d(imprimante, decalageY);
    const Mm L(reglages.LongueurEnv);
    const Mm H(reglages.HauteurEnv);
    const Mm zero(0);

    // The outline.
    const std::array<PointMm, 4> coins = {d.p(zero, zero), d.p(L, zero), d.p(L, H), d.p(zero, H)};
    if (Status s = imprimante.drawLine(coins[0], coins[1]); !s)
        return s;
    for (const PointMm& coin : {coins[2], coins[3], coins[0]})
        if (Status s = imprimante.lineTo(coin); !s)
            return s;

    (void)imprimante.setFontName(QStringLiteral("Arial"));
    (void)imprimante.setFontBold(false);
    (void)imprimante.setFontItalic(false);
    (void)imprimante.setFontUnderline(false);
    (void)imprimante.setTextColour(Qt::black);
    (void)imprimante.setFontSize(6);

    // The rulers: ticks every millimetre, numbered every 5.
    const Mm debut(-kEtendue), fin(kEtendue);
    if (Status s = d.trait(d.p(debut, kRegle), d.p(fin, kRegle)); !s)
        return s;
    if (Status s = d.trait(d.p(kRegle, debut), d.p(kRegle, fin)); !s)
        return s;
    for (int mm = -kEtendue; mm <= kEtendue; ++mm) {
        const Mm pos(mm);
        const Mm trait = longueurTrait(mm);
        if (Status s = d.trait(d.p(pos, kRegle), d.p(pos, kRegle + trait)); !s)
            return s;
        if (Status s = d.trait(d.p(kRegle, pos), d.p(kRegle + trait, pos)); !s)
            return s;
        if (mm % 5 != 0)
            continue;
        const QString nombre = QString::number(mm);
        const Result<Mm> l = d.largeur(nombre);
        const Result<Mm> h = d.hauteur(nombre);
        if (!l)
            return l.status();
        if (!h)
            return h.status();
        if (Status s = d.texte(nombre, d.p(pos - l.value() / 2, kRegle + Mm(5.5))); !s)
            return s;
        if (Status s = d.texte(nombre, d.p(kRegle + Mm(5.5), pos - h.value() / 2)); !s)
            return s;
    }

    // What to read, in the envelope beyond the rulers.
    (void)imprimante.setFontSize(8);
    const QStringList legende = {
        QStringLiteral("Plivane : page de calibrage (enveloppe de %1 x %2 mm, %3)")
            .arg(reglages.LongueurEnv)
            .arg(reglages.HauteurEnv)
            .arg(reglages.Orientation != 0 ? QStringLiteral("Paysage") : QStringLiteral("Portrait")),
        QStringLiteral("Règle horizontale : la graduation où tombe le bord gauche de l'enveloppe"),
        QStringLiteral("est le décalage vers la droite à saisir."),
        QStringLiteral("Règle verticale : la graduation où tombe le bord haut de l'enveloppe"),
        QStringLiteral("est le décalage vers le bas à saisir."),
    };
    const Mm gauche = kRegle + Mm(15);
    Mm haut = kRegle + Mm(5);
    for (const QString& ligne : legende) {
        if (Status s = d.texte(ligne, d.p(gauche, haut)); !s)
            return s;
        const Result<Mm> h = d.hauteur(ligne);
        if (!h)
            return h.status();
        haut += h.value();
    }
    return Status::ok();
}
