#pragma once
// The check of the line that routes a French letter: "NNNNN LOCALITÉ [CEDEX [NN]]", the
// last line of the address, or the one before a last line "FRANCE" (or "MONACO"). A wrong
// postcode, or a locality the postcode does not serve, sends the letter to the wrong
// sorting centre: the check says so briefly. A line that names the right locality in any
// spelling is right; the routing form La Poste prints is then only offered, quietly.
// It runs on every keystroke of the recipient box.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class TableCodesPostaux;

struct VerdictAcheminement {
    enum class Etat {
        NonVerifiee,       // no French postcode line (empty, another country, no code)
        Correcte,          // the line is the one to write
        CodeInconnu,       // "Code postal 29290 inconnu"
        LocaliteAbsente,   // the code does not serve that locality
        FormeAcheminement, // the right locality, not in the routing form: no fault
        AncienneCommune,   // an old commune of a commune nouvelle the code serves: no fault
    };
    Etat etat = Etat::NonVerifiee;
    // The locality line's index in the text, lines split at LF (a CR before it ignored).
    qsizetype ligne = -1;
    QString message;    // one short French sentence, for a fault only; else empty
    QString suggestion; // the whole line to write instead, or empty
    // The line to write above the suggestion (an old commune's name), or empty.
    QString ligneAuDessus;

    bool aSignaler() const { return !message.isEmpty(); }
};

VerdictAcheminement verifieAcheminement(QStringView texteAdresse, const TableCodesPostaux& table);

// The entries of a list (one-line form) whose routing line the check flags, for the
// reports that handle a whole list.
struct AdresseAReprendre {
    qsizetype index = -1;  // in the list given
    QString premiereLigne; // what names the address to the user
    QString message;
};
QList<AdresseAReprendre> adressesAReprendre(const QStringList& entrees, const TableCodesPostaux& table);
// "2 adresses ont une dernière ligne à revoir :" and the first few of them, or nothing.
QString resumeAReprendre(const QList<AdresseAReprendre>& aReprendre, const QString& finLigne);
