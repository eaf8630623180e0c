#pragma once
// An address has two forms: on screen, lines joined by CR LF; everywhere else (the list,
// the address file, the print run) one line, the list entry, whose lines are joined by
// the no-break space (code 160). These are the only conversions between the two.
//
// An address may have any number of lines: nothing here drops text. Eleven lines is what
// an envelope holds in practice, but cutting an address short without a word would print
// a wrong envelope, so the size check belongs to whoever lays the lines out.

#include <QChar>
#include <QString>
#include <QStringList>

inline constexpr QChar kSeparateurLignes = QChar(0x00A0);
inline constexpr const char16_t* kFinLigne = u"\r\n";

// Text box (lines ending CR LF) to list entry. Codes 0 to 19 are line breaks; a CR LF
// pair starts one line, so does a lone LF or a tab; two breaks in a row other than
// CR LF start one line only. A final empty line is dropped. A no-break space typed in
// the box becomes a plain space: kept as it is, it would split the line in two.
QString EnLigne(const QString& texteAdresse);

// List entry to the text box's form: each separator becomes CR LF; no final line break.
QString EnForme(const QString& ligneAdresse);

// List entry to its lines, for printing. NbLignes is the index of the last line, so an
// entry ending with a separator has an empty last line. LignesAdresse holds exactly
// NbLignes + 1 lines.
struct LignesSeparees {
    QStringList LignesAdresse;
    int NbLignes = 0;
};
LignesSeparees Separe(const QString& ligneAdresse);

// A Qt text box hands back its lines joined by a bare LF; EnLigne reads two bare LFs in a
// row as one break and would lose a blank line. This gives the box's text the CR LF line
// ends EnLigne expects (line ends already CR LF are left alone).
QString AvecFinLigne(const QString& texteBoite);
