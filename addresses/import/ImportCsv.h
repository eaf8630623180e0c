#pragma once
// Reads the addresses of a CSV or TSV file, as spreadsheets and address books export
// them: UTF-8 with or without its byte-order mark, UTF-16 behind its mark, or
// Windows-1252; fields separated by commas, semicolons or tabs, whichever the file uses;
// fields between double quotes may hold separators and line breaks, and a doubled double
// quote inside them is one double quote. When the first row names the columns as address
// books and spreadsheets title them (CompositionAdresse), each row is composed into the
// lines of an envelope; otherwise each row gives its non-empty fields (a field with line
// breaks gives several lines) as address lines, in column order.
//
// A file is read whole before anything comes of it, so a malformed one gives a reason
// and no address at all.

#include "addresses/fichier/CodageTexte.h"
#include "addresses/import/CompositionAdresse.h"
#include "platform/Outcome.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace ImportCsv {
// What the first row looks like: column titles, an address, or either.
enum class EnTete { Absente, Presente, Incertaine };

// One row, kept as one string (a list of its fields would take ten times the file's size
// in memory): its fields joined by the unit separator, which no field holds, each
// field's lines joined by LF.
struct Ligne {
    QString texte;
    bool tropDeLignes = false; // more than kLignesMax lines
    int numero = 0;            // the file's line where the row begins, from 1
    bool vide = true;          // no text in any field

    // Every field, its lines joined by LF.
    QStringList champs() const;
    // Its non-empty address lines, in column order, the first kLignesMax of them.
    QStringList lignes() const;
};

struct Lecture {
    QList<Ligne> lignes; // every row, blank ones included
    QChar separateur;
    CodageTexte::Codage codage = CodageTexte::Codage::Utf8;
    EnTete enTete = EnTete::Absente;
    // The columns of a title row we know, and those titles; empty otherwise.
    QList<CompositionAdresse::Colonne> colonnes;
    QStringList titres;
};

// What the rows give once the title row, if any, is set aside.
struct Bilan {
    QStringList adresses; // list entries, in file order
    int vides = 0;        // rows without any text
    int tropLongues = 0;  // rows of more than kLignesMax lines
    int sansAdresse = 0;  // no postal part (a name, a telephone): nothing to send
    int horsColonnes = 0; // text beyond the titled columns
    int imbriquees = 0;   // cards inside another card
    int illisibles = 0;   // an address book's cards or files that could not be read
    bool enTeteIgnoree = false;
    QStringList colonnesIgnorees; // titled columns with text the envelope does not show
    // Entries already in the list, or twice in the file; the import fills these in.
    int doublonsListe = 0;
    int doublonsFichier = 0;
    bool doublonsAjoutes = false;
    bool fiches = false; // the file's entries are vCards, not rows
    int ignorees() const
    {
        return vides + tropLongues + sansAdresse + horsColonnes + imbriquees + illisibles;
    }
    // Counts a composed contact in, or out with its reason.
    void ajoute(const CompositionAdresse::Contact& contact);
};

// More lines than an envelope holds is no address but a row read with the wrong
// separator or a stray quote; it is left out rather than printed cut short.
inline constexpr int kLignesMax = 11;
// No export has a tenth as many columns: a longer row is no address book's.
inline constexpr int kChampsMax = 1000;

// The bytes are let go of once decoded: moved in, they take no memory while the rows are cut.
Result<Lecture> lit(QByteArray octets);
Bilan adresses(const Lecture& lecture, bool premiereLigneEnTete);

QString nomSeparateur(QChar separateur);
} // namespace ImportCsv
