#include "layout/GeometrieEnveloppe.h"

namespace GeometrieEnveloppe {

namespace {
constexpr Mm kLargeurA4 = Mm(210);
constexpr Mm kHauteurA4 = Mm(297);
} // namespace

Feuille feuilleA4(bool paysage)
{
    return paysage ? Feuille{kHauteurA4, kLargeurA4} : Feuille{kLargeurA4, kHauteurA4};
}

bool depasseA4(const ReglagesModele& reglages)
{
    return Mm(reglages.HauteurEnv) > kLargeurA4 || Mm(reglages.LongueurEnv) > kHauteurA4;
}

PlaceEnveloppe placeEnveloppe(Mm hauteurEnv, bool paysage, Mm hauteurImprimable)
{
    const Feuille feuille = feuilleA4(paysage);
    if (!paysage)
        return {false, feuille, {-kMargeFeuille, -kMargeFeuille}};
    const Mm hautEnveloppe = feuille.hauteur - hauteurEnv;
    const Mm hautImprimable = (feuille.hauteur - hauteurImprimable) / 2;
    return {true, feuille, {-kMargeFeuille, hautEnveloppe - hautImprimable}};
}

PlaceEnveloppe placeSurEnveloppe(const ReglagesModele& r)
{
    const Mm longueur(r.LongueurEnv), hauteur(r.HauteurEnv);
    return {longueur > hauteur, {longueur, hauteur}, {-kMargeFeuille, -kMargeFeuille}};
}

MargesPage margesSurPage(const PaperMedium& m, bool paysage, FeedEdge entree)
{
    if (!paysage)
        return {m.top, m.bottom, m.left, m.right};
    // The edge that enters first is the upright medium's top.
    if (entree == FeedEdge::Right)
        return {m.left, m.right, m.bottom, m.top};
    return {m.right, m.left, m.top, m.bottom};
}

PlaceEnveloppe placePour(const ReglagesModele& r, const FeuilleImprimante& feuille)
{
    return feuille.surEnveloppe ? placeSurEnveloppe(r) : placeEnveloppe(Mm(r.HauteurEnv), r.Orientation != 0);
}

RectMm blocDest(const ReglagesModele& r, Mm largeurTexte, Mm hauteurTexte)
{
    return {Mm(r.MargeGaucheDest), Mm(r.HauteurEnv) - (hauteurTexte + Mm(r.MargeBasseDest)), largeurTexte,
            hauteurTexte};
}

PointMm coinExp(const ReglagesModele& r)
{
    return {Mm(r.MargeGaucheExp), Mm(r.MargeHauteExp)};
}

RectMm blocLogo(const ReglagesModele& r)
{
    const PointMm coin = coinExp(r);
    return {coin.x, coin.y, units::pictureSideToMm(r.Logo.width(), r.Logo.dotsPerMeterX()),
            units::pictureSideToMm(r.Logo.height(), r.Logo.dotsPerMeterY())};
}

QList<QList<PointMm>> reperesCoupe(const ReglagesModele& r, bool paysage)
{
    const double L = r.LongueurEnv;
    const double H = r.HauteurEnv;
    const auto p = [](double x, double y) { return PointMm{Mm(x), Mm(y)}; };
    if (paysage)
        return {{p(L - 3, 210), p(L - 3, 200)},
                {p(0, 207 - H), p(5, 207 - H)},
                {p(L - 8, 207 - H), p(L - 3, 207 - H), p(L - 3, 213 - H)}};
    return {{p(L - 3, 0), p(L - 3, 5)},
            {p(0, H - 3), p(5, H - 3)},
            {p(L - 8, H - 3), p(L - 3, H - 3), p(L - 3, H - 8)}};
}

} // namespace GeometrieEnveloppe
