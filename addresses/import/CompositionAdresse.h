#pragma once
// The parts of a contact, as address books and spreadsheets keep them in columns or
// vCard fields, put together as the postal norm NF Z10-011 lays out an envelope:
//   civility, first and last name
//   company
//   complements (flat, floor, building, residence, "chez")
//   street lines
//   post-office box (BP, CS, TSA) or locality ("lieu-dit")
//   POSTCODE CITY, the city in capitals
//   COUNTRY, only when it is not France
// and the column titles of the common exports (French and English spreadsheets, Google,
// Thunderbird and Outlook contacts) read as those parts.

#include <QList>
#include <QString>
#include <QStringList>

namespace CompositionAdresse {
enum class Champ {
    Aucun, // a column the envelope has no use for (telephone, e-mail, notes...)
    Civilite,
    Prenom,
    SecondPrenom,
    Nom,
    NomComplet, // used only when neither first nor last name is given
    Societe,
    Libre, // a line of its own, as the column reads: how a column nobody named is kept
    Complement,
    Rue,
    SuiteRue, // "Street 2", "Address 2": a flat or a building above the street, else below it
    BoitePostale,
    CodePostal,
    Ville,
    CodePostalVille, // "CP Ville": both on one line already
    Region,
    Pays,
};

struct Contact {
    QString civilite, prenom, secondPrenom, nom, nomComplet, societe;
    QStringList libres, complements, rues, boitesPostales;
    QString codePostal, ville, codePostalVille, region, pays;
    QString codePays; // ISO 3166, where the address book gives one (Apple's X-ABADR)
};

// A column: what it holds, and for the postal parts, which of the contact's
// addresses (home, work, "Address 2 - ..." of Google) it belongs to; 0 for a plain
// "Adresse" without any.
struct Colonne {
    Champ champ = Champ::Aucun;
    int groupe = 0;
    bool operator==(const Colonne&) const = default;
};

Colonne colonne(const QString& titre);
// What the mapping step offers for a column, in its order, with the user's words.
struct Choix {
    Champ champ;
    QString nom;
};
const QList<Choix>& choix();
// The reading of a title row, or an empty list when the row does not name at least
// a person or company and a postal part: it is then no row of titles we know.
QList<Colonne> colonnes(const QStringList& titres);

// One row of fields (a field's lines joined by LF) read through its columns. Of a
// contact with several addresses, the first one in column order that is filled in.
Contact contact(const QList<Colonne>& colonnes, const QStringList& champs);

// The envelope's lines; empty when the contact has neither name nor postal part. Abroad,
// the locality lines as the destination lays them out and the country's French name.
QStringList lignes(const Contact& contact);
// Whether the contact has any postal part: a name alone is no envelope.
bool aUneAdressePostale(const Contact& contact);
bool estLaFrance(const QString& pays);
} // namespace CompositionAdresse
