#pragma once
// An address has two forms: on screen, lines joined by CR LF; everywhere else (the list,
// the address file, the print run) one line, the list entry, whose lines are joined by
// the no-break space (code 160). These are the only conversions between the two.

#include <QChar>
#include <QString>
#include <QStringList>

inline constexpr QChar kSeparateurLignes = QChar(0x00A0);
inline constexpr const char16_t* kFinLigne = u"\r\n";

// Text box (lines ending CR LF) to list entry. Codes 0 to 19 are line breaks; a CR LF
// pair starts one line; a final empty line is dropped.
QString EnLigne(const QString& texteAdresse);

// List entry to the text box's form: each separator becomes CR LF; no final line break.
QString EnForme(const QString& ligneAdresse);

// List entry to its lines, for printing. NbLignes is the index of the last line, so an
// entry ending with a separator has an empty last line.
struct LignesSeparees {
    QStringList LignesAdresse;
    int NbLignes = 0;
};
LignesSeparees Separe(const QString& ligneAdresse);
