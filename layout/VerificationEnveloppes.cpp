#include "layout/VerificationEnveloppes.h"

#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/codespostaux/VerificationAcheminement.h"
#include "addresses/liste/EncodageAdresse.h"
#include "layout/GeometrieEnveloppe.h"
#include "layout/NormePostale.h"
#include "layout/PolicesImprimante.h"
#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"

#include <QLocale>

#include <cmath>

namespace {
using namespace GeometrieEnveloppe;

// Less than what the amounts are written to (a tenth of a millimetre, cut) is no cut:
// "coupée de 0 mm" said nothing but alarm.
constexpr double kNegligeable = 0.05;

// What falls outside the printer's printable area on the page: how much, and on which
// edge, for a rectangle in sheet millimetres.
QStringList horsZone(const FeuilleImprimante& feuille, const Feuille& page, double gauche, double haut,
                     double droite, double bas)
{
    if (!feuille.marges)
        return {};
    const MargesPage& m = *feuille.marges;
    QStringList defauts;
    const auto coupe = [&](double combien, const QString& bord, Mm marge) {
        if (combien > kNegligeable)
            defauts << QStringLiteral("coupée de %1 %2 par l'imprimante « %3 » (marge de %4)")
                           .arg(millimetres(combien), bord, feuille.imprimante, millimetres(marge.value));
    };
    coupe(m.gauche.value - gauche, QStringLiteral("à gauche"), m.gauche);
    coupe(m.haut.value - haut, QStringLiteral("en haut"), m.haut);
    coupe(droite - (page.largeur - m.droite).value, QStringLiteral("à droite"), m.droite);
    coupe(bas - (page.hauteur - m.bas).value, QStringLiteral("en bas"), m.bas);
    return defauts;
}

// The sheet as the run lays it, its printable area stopping the sheet margin short of
// every edge, and the printer's own margins.
QStringList defautsDePlace(const ReglagesModele& r, const FeuilleImprimante& feuille, double largeur,
                           double hauteur)
{
    const PlaceEnveloppe place = placePour(r, feuille);
    const RectMm bloc = blocDest(r, Mm(largeur), Mm(hauteur));
    const double marge = kMargeFeuille.value;
    const double droite = (bloc.left + bloc.width).value;
    const double haut = bloc.top.value; // on the envelope
    const struct {
        double largeur;
        double hautEnveloppe; // where the envelope's top edge lies on the sheet
    } f{place.feuille.largeur.value, place.surFeuille({Mm(0), Mm(0)}).y.value};
    QStringList defauts;
    if (droite - r.LongueurEnv > kNegligeable)
        defauts
            << QStringLiteral("dépasse l'enveloppe de %1 à droite").arg(millimetres(droite - r.LongueurEnv));
    if (-haut > kNegligeable)
        defauts << QStringLiteral("dépasse l'enveloppe de %1 en haut").arg(millimetres(-haut));
    if (!feuille.surEnveloppe) {
        if (droite - (f.largeur - marge) > kNegligeable)
            defauts << QStringLiteral("coupée de %1 au bord droit de la feuille")
                           .arg(millimetres(droite - (f.largeur - marge)));
        if (marge - (f.hautEnveloppe + haut) > kNegligeable)
            defauts << QStringLiteral("coupée de %1 au bord haut de la feuille")
                           .arg(millimetres(marge - (f.hautEnveloppe + haut)));
    }
    const PointMm coin = place.surFeuille({bloc.left, bloc.top});
    defauts += horsZone(feuille, place.feuille, coin.x.value, coin.y.value, coin.x.value + largeur,
                        coin.y.value + hauteur);
    return defauts;
}

// The sender's block and the crop marks are the same on every envelope: what the printer
// would cut of them is said once, each under its own name.
QList<EnveloppeARevoir> defautsCommuns(PrinterService& imprimante, const ReglagesModele& r,
                                       const FeuilleImprimante& feuille)
{
    QList<EnveloppeARevoir> communs;
    if (!feuille.marges)
        return communs;
    const PlaceEnveloppe place = placePour(r, feuille);
    QStringList expediteur;
    if (r.LogoChoisi) {
        const RectMm logo = blocLogo(r);
        const PointMm coin = place.surFeuille({logo.left, logo.top});
        expediteur += horsZone(feuille, place.feuille, coin.x.value, coin.y.value,
                               (coin.x + logo.width).value, (coin.y + logo.height).value);
    } else {
        ImprPoliceExp(imprimante, r);
        const QStringList lignes = Separe(EnLigne(r.TexteExp)).LignesAdresse;
        QList<double> largeurs;
        double plusLarge = 0;
        for (const QString& ligne : lignes) {
            largeurs.append(imprimante.textWidth(ligne).valueOr(Mm(0)).value);
            plusLarge = std::max(plusLarge, largeurs.last());
        }
        const double hauteurLigne = imprimante.textHeight(QStringLiteral("X")).valueOr(Mm(0)).value;
        const PointMm coin = place.surFeuille(coinExp(r));
        for (qsizetype k = 0; k < lignes.size(); ++k) {
            if (lignes[k].isEmpty())
                continue;
            const double gauche = coin.x.value + (plusLarge - largeurs[k]) / 2;
            const double haut = coin.y.value + hauteurLigne * double(k);
            for (const QString& d :
                 horsZone(feuille, place.feuille, gauche, haut, gauche + largeurs[k], haut + hauteurLigne))
                expediteur << QStringLiteral("ligne %1 : %2").arg(k + 1).arg(d);
        }
        ImprPoliceDest(imprimante, r);
    }
    if (!expediteur.isEmpty())
        communs.append({-1, QStringLiteral("Expéditeur (toutes les enveloppes)"), expediteur});
    if (r.RepereCoupe && !feuille.surEnveloppe) {
        QStringList reperes;
        int numero = 0;
        for (const QList<PointMm>& trait : reperesCoupe(r, place.paysage)) {
            ++numero;
            double gauche = 1e9, haut = 1e9, droite = -1e9, bas = -1e9;
            for (const PointMm& p : trait) {
                const double x = (p.x + kMargeFeuille).value, y = (p.y + kMargeFeuille).value;
                gauche = std::min(gauche, x);
                droite = std::max(droite, x);
                haut = std::min(haut, y);
                bas = std::max(bas, y);
            }
            for (const QString& d : horsZone(feuille, place.feuille, gauche, haut, droite, bas))
                reperes << QStringLiteral("repère %1 : %2").arg(numero).arg(d);
        }
        if (!reperes.isEmpty())
            communs.append({-1, QStringLiteral("Repères de coupe"), reperes});
    }
    return communs;
}

// What the envelope's size and place find wrong with a block of that printed size.
QStringList defautsDeTaille(const ReglagesModele& r, const FeuilleImprimante& feuille, double w, double h)
{
    return ecartsNorme({r.MargeGaucheDest, r.MargeBasseDest, w, h}, r.LongueurEnv, r.HauteurEnv) +
           defautsDePlace(r, feuille, w, h);
}

// The same for an address, measured in the printer's current font; nothing when the
// printer cannot measure it.
QStringList defautsMesures(PrinterService& imprimante, const ReglagesModele& r,
                           const FeuilleImprimante& feuille, const QString& texte)
{
    const Result<Mm> largeur = imprimante.textWidth(texte);
    const Result<Mm> hauteur = imprimante.textHeight(texte);
    if (!largeur || !hauteur)
        return {};
    return defautsDeTaille(r, feuille, largeur.value().value, hauteur.value().value);
}

// What tells an entry from the others in the list of envelopes to look at again: its
// first line and its last ("Association « Les Amis » … 75001 PARIS"); four entries for
// one association read alike by their first line alone.
QString premiereLigne(const QString& texte)
{
    QStringList lignes;
    for (const QString& ligne : texte.split(QString::fromUtf16(kFinLigne)))
        if (!ligne.trimmed().isEmpty())
            lignes << ligne.trimmed();
    if (lignes.size() < 2)
        return lignes.value(0);
    return lignes.constFirst() + QStringLiteral(" \u2026 ") + lignes.constLast();
}
} // namespace

QList<EnveloppeARevoir> verifieEnveloppes(PrinterService& imprimante, const ReglagesModele& r,
                                          const EntreesAdresses& adresses, const QList<int>& selection,
                                          const TableCodesPostaux* table, const FeuilleImprimante& feuille)
{
    (void)imprimante.setUnitMillimetres();
    QList<EnveloppeARevoir> aRevoir = defautsCommuns(imprimante, r, feuille);
    ImprPoliceDest(imprimante, r);
    for (int index : selection) {
        if (index < 0 || index >= adresses.nombre())
            continue;
        const QString texte = EnForme(adresses[index]);
        QStringList defauts = defautsMesures(imprimante, r, feuille, texte);
        if (table) {
            const VerdictAcheminement v = verifieAcheminement(texte, *table);
            if (v.aSignaler())
                defauts << QStringLiteral("dernière ligne : ") + v.message;
        }
        if (!defauts.isEmpty())
            aRevoir.append({index, premiereLigne(texte), defauts});
    }
    return aRevoir;
}

namespace {
// Whether every chosen address fits at the font `r` names.
bool toutesTiennent(PrinterService& imprimante, const ReglagesModele& r, const EntreesAdresses& adresses,
                    const QList<int>& selection, const FeuilleImprimante& feuille)
{
    ImprPoliceDest(imprimante, r);
    for (int index : selection) {
        if (index < 0 || index >= adresses.nombre())
            continue;
        if (!defautsMesures(imprimante, r, feuille, EnForme(adresses[index])).isEmpty())
            return false;
    }
    return true;
}
} // namespace

std::optional<double> tailleQuiTient(PrinterService& imprimante, const ReglagesModele& reglages,
                                     const EntreesAdresses& adresses, const QList<int>& selection,
                                     const FeuilleImprimante& feuille)
{
    constexpr double kPlusPetite = 6; // smaller, an address is no longer read at a glance
    (void)imprimante.setUnitMillimetres();
    ReglagesModele r = reglages;
    const double actuelle = reglages.PoliceDest.pointSize;
    // A block that breaks the norm where no size mends it (its left or bottom distance),
    // or nothing to mend.
    if (!defautsDeTaille(r, feuille, 0, 0).isEmpty() ||
        toutesTiennent(imprimante, r, adresses, selection, feuille))
        return std::nullopt;
    for (double taille = std::floor(actuelle * 2 - 1) / 2; taille >= kPlusPetite; taille -= 0.5) {
        r.PoliceDest.pointSize = taille;
        if (toutesTiennent(imprimante, r, adresses, selection, feuille)) {
            ImprPoliceDest(imprimante, reglages);
            return taille;
        }
    }
    ImprPoliceDest(imprimante, reglages);
    return std::nullopt;
}

namespace {
EnvelopeCheckAnswer montreARevoir(Dialogs& dialogues, const QList<EnveloppeARevoir>& aRevoir,
                                  qsizetype verifiees, bool avantImpression,
                                  std::optional<double> reduire = {})
{
    EnvelopeCheckRequest demandeControle;
    demandeControle.title = QStringLiteral("Contrôle des enveloppes");
    demandeControle.text =
        (aRevoir.size() == 1 ? QStringLiteral("1 enveloppe sur %2 est à revoir : elle sort de "
                                              "la norme postale ou serait coupée.")
                             : QStringLiteral("%1 enveloppes sur %2 sont à revoir : elles sortent "
                                              "de la norme postale ou seraient coupées."))
            .arg(aRevoir.size())
            .arg(verifiees);
    demandeControle.beforePrint = avantImpression;
    if (reduire)
        demandeControle.reduce =
            QStringLiteral("Réduire à %1 pt").arg(QLocale(QLocale::French).toString(*reduire));
    for (const EnveloppeARevoir& e : aRevoir)
        demandeControle.rows.append({e.premiereLigne, e.defauts.join(QStringLiteral(" ; "))});
    return dialogues.envelopeCheck(demandeControle);
}

QList<EnveloppeARevoir> verifieAvecLaTable(PrinterService& imprimante, const ReglagesModele& reglages,
                                           const EntreesAdresses& adresses, const QList<int>& selection,
                                           const FeuilleImprimante& feuille)
{
    BusyPointer sablier;
    return verifieEnveloppes(imprimante, reglages, adresses, selection, &TableCodesPostaux::officielle(),
                             feuille);
}
} // namespace

bool confirmeEnveloppes(PrinterService& imprimante, Dialogs& dialogues, const ReglagesModele& reglages,
                        const EntreesAdresses& adresses, const QList<int>& selection,
                        const std::function<void(int index)>& montreAdresse, const FeuilleImprimante& feuille,
                        const std::function<void(double points)>& reduitPolice)
{
    const QList<EnveloppeARevoir> aRevoir =
        verifieAvecLaTable(imprimante, reglages, adresses, selection, feuille);
    if (aRevoir.isEmpty())
        return true;
    std::optional<double> reduire;
    if (reduitPolice) {
        BusyPointer sablier;
        reduire = tailleQuiTient(imprimante, reglages, adresses, selection, feuille);
    }
    const EnvelopeCheckAnswer reponse = montreARevoir(dialogues, aRevoir, selection.size(), true, reduire);
    switch (reponse.action) {
    case EnvelopeCheckAnswer::Action::PrintAnyway:
        return true;
    case EnvelopeCheckAnswer::Action::Reduce:
        if (reduire && reduitPolice)
            reduitPolice(*reduire);
        return false;
    case EnvelopeCheckAnswer::Action::Edit:
        if (reponse.row >= 0 && reponse.row < aRevoir.size() && aRevoir[reponse.row].index >= 0 &&
            montreAdresse)
            montreAdresse(aRevoir[reponse.row].index);
        return false;
    case EnvelopeCheckAnswer::Action::Cancel:
        return false;
    }
    return false;
}

std::optional<int> revoitEnveloppes(PrinterService& imprimante, Dialogs& dialogues,
                                    const ReglagesModele& reglages, const EntreesAdresses& adresses,
                                    const QList<int>& selection, const FeuilleImprimante& feuille)
{
    const QList<EnveloppeARevoir> aRevoir =
        verifieAvecLaTable(imprimante, reglages, adresses, selection, feuille);
    if (aRevoir.isEmpty()) {
        // Asked for, the check answers even when there is nothing to say.
        dialogues.message(
            MessageIcon::Information, QStringLiteral("Contrôle des enveloppes"),
            selection.size() == 1
                ? QStringLiteral("L'enveloppe vérifiée respecte la norme postale et tient sur la feuille.")
                : QStringLiteral("Les %1 enveloppes vérifiées respectent la norme postale et tiennent "
                                 "sur la feuille.")
                      .arg(selection.size()));
        return std::nullopt;
    }
    const EnvelopeCheckAnswer reponse = montreARevoir(dialogues, aRevoir, selection.size(), false);
    if (reponse.action == EnvelopeCheckAnswer::Action::Edit && reponse.row >= 0 &&
        reponse.row < aRevoir.size() && aRevoir[reponse.row].index >= 0)
        return aRevoir[reponse.row].index;
    return std::nullopt;
}
