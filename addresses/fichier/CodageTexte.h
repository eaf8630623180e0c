#pragma once
// The one way the program turns bytes into text and back, for its address files and for
// the contacts it imports. A byte-order mark says UTF-8 or UTF-16; without one, text that
// is valid UTF-8 is UTF-8 (Windows-1252 accents practically never make valid UTF-8), and
// anything else is Windows-1252, which is what Windows writes. A charset a vCard names is
// read through Qt's converters, which know every charset the system's ICU knows.
//
// Address files are written in Windows-1252 whenever every character fits, so that they
// keep travelling both ways; a document holding a character Windows-1252 has no byte for
// is written in UTF-8 behind a byte-order mark instead of losing that character. A file
// that came in UTF-8 (a text editor saves it so, with or without the mark) goes back in
// the same form.

#include "platform/Outcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace CodageTexte {

// The form a text came in, and an address file goes back in.
enum class Codage { Windows1252, Utf8, Utf8Bom, Utf16 };

// "UTF-8", "UTF-8 avec BOM", "UTF-16", "Windows-1252"
QString nom(Codage codage);

// The text of `octets`, and in `codage` the form it was in. Text without any byte above
// ASCII reads alike in every form and is said to be in `siAscii`. A byte-order mark
// followed by bytes its form does not allow is a failure, whose reason reads "le fichier
// se dit en UTF-8 mais contient des octets qui n'en sont pas".
Result<QString> decode(QByteArrayView octets, Codage& codage, Codage siAscii = Codage::Utf8);
Result<QString> decode(QByteArrayView octets);

// Bytes whose charset is named (a vCard's CHARSET parameter): through Qt's converter for
// that name; an empty or unknown name reads as decode() does, without a mark.
QString decodeJeu(QByteArrayView octets, QStringView jeu);

bool tientEnWindows1252(QStringView texte);
// With Windows1252, a text that does not fit is written in UTF-8 behind the mark; Utf16
// is only ever read, and is written back as UTF-8 behind the mark too.
QByteArray encode(QStringView texte, Codage codage = Codage::Windows1252);

} // namespace CodageTexte
