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

namespace {
// The sheet as the run lays it, its printable area stopping the sheet margin short of
// every edge.
QStringList defautsDePlace(const ReglagesModele& r, double largeur, double hauteur)
{
    using namespace GeometrieEnveloppe;
    const PlaceEnveloppe place = placeEnveloppe(Mm(r.HauteurEnv), r.Orientation != 0);
    const RectMm bloc = blocDest(r, Mm(largeur), Mm(hauteur));
    const double marge = kMargeFeuille.value;
    const double droite = (bloc.left + bloc.width).value;
    const double haut = bloc.top.value; // on the envelope
    const struct {
        double largeur;
        double hautEnveloppe; // where the envelope's top edge lies on the sheet
    } f{place.feuille.largeur.value, place.surFeuille({Mm(0), Mm(0)}).y.value};
    QStringList defauts;
    if (droite > r.LongueurEnv)
        defauts
            << QStringLiteral("dépasse l'enveloppe de %1 à droite").arg(millimetres(droite - r.LongueurEnv));
    if (haut < 0)
        defauts << QStringLiteral("dépasse l'enveloppe de %1 en haut").arg(millimetres(-haut));
    if (droite > f.largeur - marge)
        defauts << QStringLiteral("coupée de %1 au bord droit de la feuille")
                       .arg(millimetres(droite - (f.largeur - marge)));
    if (f.hautEnveloppe + haut < marge)
        defauts << QStringLiteral("coupée de %1 au bord haut de la feuille")
                       .arg(millimetres(marge - (f.hautEnveloppe + haut)));
    return defauts;
}

QString premiereLigne(const QString& texte)
{
    for (const QString& ligne : texte.split(QString::fromUtf16(kFinLigne)))
        if (!ligne.trimmed().isEmpty())
            return ligne.trimmed();
    return {};
}
} // namespace

QList<EnveloppeARevoir> verifieEnveloppes(PrinterService& imprimante, const ReglagesModele& r,
                                          const EntreesAdresses& adresses, const QList<int>& selection,
                                          const TableCodesPostaux* table)
{
    QList<EnveloppeARevoir> aRevoir;
    (void)imprimante.setUnitMillimetres();
    ImprPoliceDest(imprimante, r);
    for (int index : selection) {
        if (index < 0 || index >= adresses.nombre())
            continue;
        const QString texte = EnForme(adresses[index]);
        const Result<Mm> largeur = imprimante.textWidth(texte);
        const Result<Mm> hauteur = imprimante.textHeight(texte);
        QStringList defauts;
        if (largeur && hauteur) {
            const double w = largeur.value().value;
            const double h = hauteur.value().value;
            defauts = ecartsNorme({r.MargeGaucheDest, r.MargeBasseDest, w, h}, r.LongueurEnv, r.HauteurEnv);
            defauts += defautsDePlace(r, w, h);
        }
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
EnvelopeCheckAnswer montreARevoir(Dialogs& dialogues, const QList<EnveloppeARevoir>& aRevoir,
                                  qsizetype verifiees, bool avantImpression)
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
    for (const EnveloppeARevoir& e : aRevoir)
        demandeControle.rows.append({e.premiereLigne, e.defauts.join(QStringLiteral(" ; "))});
    return dialogues.envelopeCheck(demandeControle);
}

QList<EnveloppeARevoir> verifieAvecLaTable(PrinterService& imprimante, const ReglagesModele& reglages,
                                           const EntreesAdresses& adresses, const QList<int>& selection)
{
    BusyPointer sablier;
    return verifieEnveloppes(imprimante, reglages, adresses, selection, &TableCodesPostaux::officielle());
}
} // namespace

bool confirmeEnveloppes(PrinterService& imprimante, Dialogs& dialogues, const ReglagesModele& reglages,
                        const EntreesAdresses& adresses, const QList<int>& selection,
                        const std::function<void(int index)>& montreAdresse)
{
    const QList<EnveloppeARevoir> aRevoir = verifieAvecLaTable(imprimante, reglages, adresses, selection);
    if (aRevoir.isEmpty())
        return true;
    const EnvelopeCheckAnswer reponse = montreARevoir(dialogues, aRevoir, selection.size(), true);
    switch (reponse.action) {
    case EnvelopeCheckAnswer::Action::PrintAnyway:
        return true;
    case EnvelopeCheckAnswer::Action::Edit:
        if (reponse.row >= 0 && reponse.row < aRevoir.size() && montreAdresse)
            montreAdresse(aRevoir[reponse.row].index);
        return false;
    case EnvelopeCheckAnswer::Action::Cancel:
        return false;
    }
    return false;
}

std::optional<int> revoitEnveloppes(PrinterService& imprimante, Dialogs& dialogues,
                                    const ReglagesModele& reglages, const EntreesAdresses& adresses,
                                    const QList<int>& selection)
{
    const QList<EnveloppeARevoir> aRevoir = verifieAvecLaTable(imprimante, reglages, adresses, selection);
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
        reponse.row < aRevoir.size())
        return aRevoir[reponse.row].index;
    return std::nullopt;
}
