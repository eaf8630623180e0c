#include "addresses/fichier/PlvDocument.h"

PlvDocument PlvDocument::DepuisReglages(const ReglagesModele& reglages, const QString& exped,
                                        const QStringList& adresses)
{
    PlvDocument d;
    d.LogoChoisi = reglages.LogoChoisi;
    d.MargeGaucheExp = reglages.MargeGaucheExp;
    d.MargeHauteExp = reglages.MargeHauteExp;
    d.MargeGaucheDest = reglages.MargeGaucheDest;
    d.MargeBasseDest = reglages.MargeBasseDest;
    d.Quantite = reglages.Quantite;
    d.LongueurEnv = reglages.LongueurEnv;
    d.HauteurEnv = reglages.HauteurEnv;
    d.Portrait = reglages.Orientation == 0;
    d.Exped = exped;
    d.PoliceExp = reglages.PoliceExp;
    d.PoliceDest = reglages.PoliceDest;
    d.Adresses = adresses;
    d.NomLogo = reglages.NomLogo;
    d.RepereCoupe = reglages.RepereCoupe;
    return d;
}
