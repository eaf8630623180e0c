#pragma once
// Advice on the form of a French postal address (standard NF Z10-011), for the recipient
// box: at most six lines, at most 38 characters a line, and a last line that, when it
// begins with a digit, is a five-digit postcode, one space and the town in capitals.
// It only advises: it never blocks, and it has nothing to do with the red rectangle of
// the postal norm, which is about where the block sits on the envelope.
//
// It runs on every keystroke: one pass over the text, no allocation beyond the advice.

#include <QList>
#include <QString>
#include <QStringView>

namespace ConseilAdresse {
enum class Regle {
    TropDeLignes,    // more than six lines that are not empty
    LigneTropLongue, // a line longer than 38 characters, spaces included
    DerniereLigne,   // a last line beginning with a digit that is no "75008 PARIS"
};

inline constexpr int kLignesMax = 6;
inline constexpr int kCaracteresMax = 38;

// The rules the text breaks, in the order above. The text is the box's, lines ending
// CR LF or LF.
QList<Regle> enfreintes(QStringView texteAdresse);

// One short French line per rule, for the label under the box.
QString texte(Regle regle);
// The longer explanation, for the label's tooltip.
QString explication(Regle regle);

// What the label shows: the broken rules' texts, or nothing when the address is fine.
// With `premieres`, only that many of them, and an ellipsis for the others.
QString conseil(const QList<Regle>& regles, qsizetype premieres = -1);
QString detail(const QList<Regle>& regles);

// "75008 PARIS", "13001 MARSEILLE CEDEX 01", "97400 SAINT-DENIS": five digits, one
// space, then the town with no small letter in it.
bool estLigneCodePostal(QStringView ligne);
} // namespace ConseilAdresse
