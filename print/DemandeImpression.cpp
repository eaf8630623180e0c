#include "print/DemandeImpression.h"

#include "addresses/liste/AddressEncoding.h"
#include "addresses/fichier/FichierAdresses.h"
#include "app/NombrePanneau.h"

#include <algorithm>
#include <cmath>

namespace {
// A scroll bar holds whole values within its range.
template <class T> int pasDeBarre(double valeur, T min, T max)
{
    return std::clamp(int(std::lround(valeur)), int(min), int(max));
}

// A panel holds its number as text, and the window reads it back from there.
float commeLePanneau(float mm)
{
    return float(NombrePanneau(TexteNombreSigne(mm)));
}

// A plain text box gives its no-break spaces back as spaces, and its line and paragraph
// separators as line ends.
QString commeLaBoite(QString texte)
{
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(u'\r', u'\n');
    texte.replace(QChar::LineSeparator, u'\n');
    texte.replace(QChar::ParagraphSeparator, u'\n');
    texte.replace(QChar::Nbsp, u' ');
    return AvecFinLigne(texte);
}
} // namespace

DemandeImpression DemandeImpression::DepuisDocument(PlvOuverture&& ouverture, EntreesAdresses adresses,
                                                    const QImage& logoSiAbsent)
{
    PlvDocument& document = ouverture.document;
    DemandeImpression demande;
    ReglagesModele& r = demande.reglages;
    r.LongueurEnv =
        float(pasDeBarre(document.LongueurEnv, ReglagesModele::kLongueurMin, ReglagesModele::kLongueurMax));
    r.HauteurEnv =
        float(pasDeBarre(document.HauteurEnv, ReglagesModele::kHauteurMin, ReglagesModele::kHauteurMax));
    r.Quantite = pasDeBarre(document.Quantite, ReglagesModele::kQuantiteMin, ReglagesModele::kQuantiteMax);
    r.MargeGaucheExp = commeLePanneau(document.MargeGaucheExp);
    r.MargeHauteExp = commeLePanneau(document.MargeHauteExp);
    r.MargeGaucheDest = commeLePanneau(document.MargeGaucheDest);
    r.MargeBasseDest = commeLePanneau(document.MargeBasseDest);
    r.Orientation = document.Portrait ? 0 : 1;
    r.RepereCoupe = document.RepereCoupe;
    r.ImageOrient = ReglagesModele::ImageOrientPour(r.Orientation, r.RepereCoupe);
    r.LogoChoisi = document.LogoChoisi;
    r.PoliceExp = document.PoliceExp;
    r.PoliceDest = document.PoliceDest;
    r.Logo = ouverture.logo.isNull() ? logoSiAbsent : ouverture.logo;
    r.NomLogo = document.NomLogo;

    demande.texteExpediteur = commeLaBoite(document.Exped);
    adresses.trieEnOrdre();
    demande.adresses = std::move(adresses);
    return demande;
}
