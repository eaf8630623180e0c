#include "addresses/import/CompositionAdresse.h"

#include "addresses/import/Pays.h"

#include <QHash>
#include <QRegularExpression>

namespace {
using Champ = CompositionAdresse::Champ;

// A title as the table below spells it: lower case, no accents, words between single
// spaces, so that "Code postal", "CODE_POSTAL" and "Address 1 - Postal Code" meet.
QString cle(const QString& titre)
{
    QString resultat;
    bool espace = false;
    for (QChar c : titre.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c.isLetterOrNumber()) {
            if (espace && !resultat.isEmpty())
                resultat += u' ';
            espace = false;
            resultat += c.toLower();
        } else {
            espace = true;
        }
    }
    return resultat;
}

const QHash<QString, Champ>& titres()
{
    static const QHash<QString, Champ> table = [] {
        QHash<QString, Champ> t;
        const auto ajoute = [&t](Champ champ, std::initializer_list<const char*> noms) {
            for (const char* nom : noms)
                t.insert(QString::fromLatin1(nom), champ);
        };
        ajoute(Champ::Civilite,
               {"civilite", "civ", "titre", "title", "name prefix", "prefix", "titre de civilite"});
        ajoute(Champ::Prenom,
               {"prenom", "prenoms", "first name", "firstname", "given name", "givenname", "first"});
        ajoute(Champ::SecondPrenom, {"middle name", "additional name", "second prenom", "autres prenoms"});
        ajoute(Champ::Nom, {"nom", "nom de famille", "last name", "lastname", "family name", "surname",
                            "patronyme", "nom d usage", "last"});
        ajoute(Champ::NomComplet, {"nom complet", "name", "full name", "display name", "nom affiche",
                                   "destinataire", "nom et prenom", "prenom nom", "nom prenom", "contact"});
        ajoute(Champ::Societe, {"societe", "entreprise", "organisation", "organization", "organisme",
                                "company", "raison sociale", "organization name", "organization 1 name",
                                "company name", "employeur", "etablissement"});
        ajoute(Champ::Complement, {"complement", "complement d adresse", "complement adresse",
                                   "extended address", "batiment", "residence", "appartement"});
        ajoute(Champ::Rue,
               {"adresse", "rue", "voie", "street", "address", "address 1", "adresse 1", "address line 1",
                "adresse ligne 1", "street address", "numero et voie", "adresse postale"});
        ajoute(Champ::SuiteRue,
               {"address 2", "adresse 2", "address line 2", "adresse ligne 2", "street 2", "street 3",
                "address 3", "adresse 3", "address line 3", "adresse ligne 3", "rue 2", "rue 3"});
        ajoute(Champ::BoitePostale,
               {"bp", "b p", "boite postale", "lieu dit", "po box", "pobox", "post office box", "p o box",
                "address po box", "adresse bp", "adresse b p"});
        ajoute(Champ::CodePostal, {"code postal", "cp", "postal code", "postcode", "post code", "zip",
                                   "zip code", "zipcode", "code"});
        ajoute(Champ::Ville, {"ville", "commune", "localite", "city", "town", "locality"});
        ajoute(Champ::CodePostalVille,
               {"cp ville", "code postal ville", "code postal et ville", "cp et ville"});
        ajoute(Champ::Region, {"region", "state", "province", "departement", "county", "dep region"});
        ajoute(Champ::Pays, {"pays", "country", "country region", "nation", "pays region", "country code"});
        return t;
    }();
    return table;
}

bool estPostal(Champ champ)
{
    return champ >= Champ::Complement;
}

// The parts that place a contact's address; a country alone does not.
bool situe(Champ champ)
{
    return estPostal(champ) && champ != Champ::Region && champ != Champ::Pays;
}

// "Home Street", "Work City", "Business Postal Code": the address an export's column
// belongs to, in front of its part.
const QStringList& prefixesDeGroupe()
{
    static const QStringList prefixes{u"home"_qs,          u"work"_qs,    u"business"_qs, u"other"_qs,
                                      u"domicile"_qs,      u"travail"_qs, u"bureau"_qs,   u"personnel"_qs,
                                      u"professionnel"_qs, u"perso"_qs,   u"pro"_qs,      u"autre"_qs};
    return prefixes;
}

QString uneLigne(const QString& champ)
{
    // The readers hand over lines already trimmed: most fields are one of them.
    if (!champ.contains(u'\n'))
        return champ;
    QString texte = champ;
    texte.replace(u'\n', u' ');
    return texte.simplified();
}

void ajouteLignes(QStringList& lignes, const QString& champ)
{
    if (!champ.contains(u'\n')) {
        lignes << champ;
        return;
    }
    for (const QString& ligne : champ.split(u'\n', Qt::SkipEmptyParts)) {
        const QString l = ligne.simplified();
        if (!l.isEmpty())
            lignes << l;
    }
}

void garde(QString& cible, const QString& champ)
{
    if (cible.isEmpty())
        cible = uneLigne(champ);
}
} // namespace

const QList<CompositionAdresse::Choix>& CompositionAdresse::choix()
{
    static const QList<Choix> liste{
        {Champ::Aucun, u"Laisser de côté"_qs},
        {Champ::Libre, u"Ligne à part"_qs},
        {Champ::Civilite, u"Civilité"_qs},
        {Champ::Prenom, u"Prénom"_qs},
        {Champ::SecondPrenom, u"Second prénom"_qs},
        {Champ::Nom, u"Nom"_qs},
        {Champ::NomComplet, u"Nom complet"_qs},
        {Champ::Societe, u"Société"_qs},
        {Champ::Complement, u"Complément d'adresse"_qs},
        {Champ::Rue, u"Rue"_qs},
        {Champ::BoitePostale, u"BP ou lieu-dit"_qs},
        {Champ::CodePostal, u"Code postal"_qs},
        {Champ::Ville, u"Ville"_qs},
        {Champ::CodePostalVille, u"Code postal et ville"_qs},
        {Champ::Region, u"Région"_qs},
        {Champ::Pays, u"Pays"_qs},
        // Last, so that the choices users keep for a file's columns keep their places.
        {Champ::SuiteRue, u"Suite de l'adresse (BP, lieu-dit)"_qs},
    };
    return liste;
}

CompositionAdresse::Colonne CompositionAdresse::colonne(const QString& titre)
{
    const QString c = cle(titre);
    const auto entiere = titres().constFind(c);
    if (entiere != titres().cend())
        return {*entiere, 0};

    // Google's "Address 1 - Street", French "Adresse 2 - Ville".
    const QStringList mots = c.split(u' ');
    if (mots.size() >= 3 && (mots[0] == u"address" || mots[0] == u"adresse")) {
        bool nombre = false;
        const int n = mots[1].toInt(&nombre);
        if (nombre) {
            const Champ champ = titres().value(mots.mid(2).join(u' '), Champ::Aucun);
            if (estPostal(champ))
                return {champ, 100 + n};
        }
    }
    const qsizetype prefixe = prefixesDeGroupe().indexOf(mots[0]);
    if (prefixe >= 0 && mots.size() >= 2) {
        const Champ champ = titres().value(mots.mid(1).join(u' '), Champ::Aucun);
        // A "Home Phone" or "Work Title" is nothing the envelope shows.
        if (estPostal(champ))
            return {champ, 1 + int(prefixe)};
    }
    // French Outlook's "Rue (bureau) 2", "Code postal (domicile)": the address after the
    // part, and the line's number last.
    QStringList partie = mots;
    QString numero;
    if (partie.size() >= 3 && partie.constLast().size() == 1 && partie.constLast()[0].isDigit())
        numero = partie.takeLast();
    const qsizetype suffixe = partie.size() >= 2 ? prefixesDeGroupe().indexOf(partie.constLast()) : -1;
    if (suffixe >= 0) {
        partie.removeLast();
        if (!numero.isEmpty() && numero != u"1")
            partie << numero;
        const Champ champ = titres().value(partie.join(u' '), Champ::Aucun);
        if (estPostal(champ))
            return {champ, 1 + int(suffixe)};
    }
    return {};
}

QList<CompositionAdresse::Colonne> CompositionAdresse::colonnes(const QStringList& titres)
{
    QList<Colonne> resultat;
    bool personne = false;
    bool lieu = false;
    for (const QString& titre : titres) {
        const Colonne col = colonne(titre);
        personne = personne || (col.champ != Champ::Aucun && !estPostal(col.champ));
        lieu = lieu || situe(col.champ);
        resultat << col;
    }
    if (!personne || !lieu)
        return {};
    return resultat;
}

CompositionAdresse::Contact CompositionAdresse::contact(const QList<Colonne>& colonnes,
                                                        const QStringList& champs)
{
    const qsizetype n = std::min(colonnes.size(), champs.size());
    int groupe = -1;
    for (qsizetype i = 0; i < n && groupe < 0; ++i)
        if (situe(colonnes[i].champ) && !champs[i].isEmpty())
            groupe = colonnes[i].groupe;
    for (qsizetype i = 0; i < n && groupe < 0; ++i)
        if (estPostal(colonnes[i].champ) && !champs[i].isEmpty())
            groupe = colonnes[i].groupe;

    Contact c;
    for (qsizetype i = 0; i < n; ++i) {
        const QString& champ = champs[i];
        if (champ.isEmpty())
            continue;
        const Colonne& col = colonnes[i];
        if (estPostal(col.champ) && col.groupe != groupe)
            continue;
        switch (col.champ) {
        case Champ::Aucun:
            break;
        case Champ::Civilite:
            garde(c.civilite, champ);
            break;
        case Champ::Prenom:
            garde(c.prenom, champ);
            break;
        case Champ::SecondPrenom:
            garde(c.secondPrenom, champ);
            break;
        case Champ::Nom:
            garde(c.nom, champ);
            break;
        case Champ::NomComplet:
            garde(c.nomComplet, champ);
            break;
        case Champ::Societe:
            garde(c.societe, champ);
            break;
        case Champ::Libre:
            ajouteLignes(c.libres, champ);
            break;
        case Champ::Complement:
            ajouteLignes(c.complements, champ);
            break;
        case Champ::Rue:
            ajouteLignes(c.rues, champ);
            break;
        case Champ::SuiteRue: {
            // What names a flat or a building goes above the street; a BP, a CS, a TSA or a
            // lieu-dit below it, where La Poste reads them.
            static const QRegularExpression logement(
                u"^(appt|appartement|apt|app|bat|bât|bâtiment|batiment|esc|escalier|etage|étage|"
                "résidence|residence|rés|res|chez|c/o|porte|entrée|entree|immeuble|imm|tour|bloc|"
                "lot|villa|maison)\\b"_qs,
                QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
            QStringList lignes;
            ajouteLignes(lignes, champ);
            for (const QString& ligne : lignes)
                (logement.match(ligne).hasMatch() ? c.complements : c.boitesPostales) << ligne;
            break;
        }
        case Champ::BoitePostale:
            ajouteLignes(c.boitesPostales, champ);
            break;
        case Champ::CodePostal:
            garde(c.codePostal, champ);
            break;
        case Champ::Ville:
            garde(c.ville, champ);
            break;
        case Champ::CodePostalVille:
            garde(c.codePostalVille, champ);
            break;
        case Champ::Region:
            garde(c.region, champ);
            break;
        case Champ::Pays:
            garde(c.pays, champ);
            break;
        }
    }
    return c;
}

bool CompositionAdresse::aUneAdressePostale(const Contact& c)
{
    return !c.libres.isEmpty() || !c.complements.isEmpty() || !c.rues.isEmpty() ||
           !c.boitesPostales.isEmpty() || !c.codePostal.isEmpty() || !c.ville.isEmpty() ||
           !c.codePostalVille.isEmpty();
}

bool CompositionAdresse::estLaFrance(const QString& pays)
{
    const QString c = cle(pays);
    return c == u"france" || c == u"fr" || c == u"fra" || c == u"france metropolitaine" ||
           c == u"republique francaise";
}

QStringList CompositionAdresse::lignes(const Contact& c)
{
    QStringList lignes;
    QStringList nom;
    for (const QString* partie : {&c.civilite, &c.prenom, &c.secondPrenom, &c.nom})
        if (!partie->isEmpty())
            nom << *partie;
    if (c.prenom.isEmpty() && c.nom.isEmpty() && !c.nomComplet.isEmpty()) {
        // A full name often carries its civility already.
        nom.clear();
        if (!c.civilite.isEmpty() && !c.nomComplet.startsWith(c.civilite, Qt::CaseInsensitive))
            nom << c.civilite;
        nom << c.nomComplet;
    }
    const QString ligneNom = nom.join(u' ');
    if (!ligneNom.isEmpty())
        lignes << ligneNom;
    if (!c.societe.isEmpty() && c.societe.compare(ligneNom, Qt::CaseInsensitive) != 0)
        lignes << c.societe;
    lignes << c.libres << c.complements << c.rues;
    for (const QString& bp : c.boitesPostales) {
        // A bare number is the box's number.
        bool nombre = false;
        bp.toInt(&nombre);
        lignes << (nombre ? u"BP "_qs + bp : bp);
    }
    const QString code = !c.codePays.isEmpty() ? c.codePays.trimmed().toUpper()
                         : c.pays.isEmpty()    ? u"FR"_qs
                                               : Pays::code(c.pays);
    const bool etranger = !code.isEmpty() && !Pays::desserviCommeLaFrance(code);
    if (etranger && (!c.codePostal.isEmpty() || !c.ville.isEmpty())) {
        lignes << Pays::lignesLocalite(code, c.codePostal, c.ville, c.region);
    } else {
        QString localite = c.codePostal;
        if (!c.ville.isEmpty())
            localite += (localite.isEmpty() ? u""_qs : u" "_qs) + c.ville.toUpper();
        if (localite.isEmpty())
            localite = c.codePostalVille.toUpper();
        if (!localite.isEmpty())
            lignes << localite;
    }
    if (etranger && !Pays::ligne(code).isEmpty())
        lignes << Pays::ligne(code);
    else if (code.isEmpty() && !c.pays.isEmpty() && !estLaFrance(c.pays))
        lignes << c.pays.toUpper(); // a country no list knows, as the user wrote it
    return lignes;
}
