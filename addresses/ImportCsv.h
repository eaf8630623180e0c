#pragma once
// Reads the addresses of a CSV or TSV file, as spreadsheets and address books export
// them: UTF-8 with or without its byte-order mark, UTF-16 behind its mark, or
// Windows-1252; fields separated by commas, semicolons or tabs, whichever the file uses;
// fields between double quotes may hold separators and line breaks, and a doubled double
// quote inside them is one double quote. Each row gives one address: its non-empty fields
// (a field with line breaks gives several lines) as address lines, in column order.
//
// A file is read whole before anything comes of it, so a malformed one gives a reason
// and no address at all.

#include "platform/Outcome.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

class ImportCsv {
public:
    enum class Codage { Utf8, Utf8Bom, Utf16, Windows1252 };
    // What the first row looks like: column titles, an address, or either.
    enum class EnTete { Absente, Presente, Incertaine };

    // One row: its non-empty address lines, in column order.
    struct Ligne {
        QStringList lignes;
        bool tropDeLignes = false; // more than kLignesMax lines; only the first are kept
        int numero = 0;            // the file's line where the row begins, from 1
    };

    struct Lecture {
        QList<Ligne> lignes; // every row, blank ones included
        QChar separateur;
        Codage codage = Codage::Utf8;
        EnTete enTete = EnTete::Absente;
    };

    // What the rows give once the title row, if any, is set aside.
    struct Bilan {
        QStringList adresses; // list entries, in file order
        int vides = 0;        // rows without any text
        int tropLongues = 0;  // rows of more than kLignesMax lines
        bool enTeteIgnoree = false;
        int ignorees() const { return vides + tropLongues; }
    };

    // More lines than an envelope holds is no address but a row read with the wrong
    // separator or a stray quote; it is left out rather than printed cut short.
    static constexpr int kLignesMax = 11;

    static Result<Lecture> lit(const QByteArray& octets);
    static Bilan adresses(const Lecture& lecture, bool premiereLigneEnTete);

    // The decoding, for tests and for the report to the user.
    static Result<QString> decode(const QByteArray& octets, Codage& codage);
    static QString nomCodage(Codage codage);
    static QString nomSeparateur(QChar separateur);
};
