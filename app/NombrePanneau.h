#pragma once
// Every numeric setting is shown as text in a panel, and read back from it. These are the
// only two conversions between the two, so that every panel reads and writes alike.

#include <QString>

// The number a panel's text begins with: leading blanks skipped, an optional sign, digits
// with a period as decimal separator; 0 when the text does not begin with a number.
double NombrePanneau(const QString& texte);

// A number as a spin panel shows it: one leading blank for 0 or more ("22" shows " 22"),
// a minus sign otherwise, a period for any decimal part ("10.5").
QString TexteNombreSigne(double valeur);

// A number without the leading blank (the quantity panel, the file format).
QString TexteNombre(double valeur);
