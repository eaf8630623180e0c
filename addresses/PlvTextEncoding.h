#pragma once
// The bytes of an address file. Windows writes them in Windows-1252, and so do we
// whenever every character fits, so that files keep travelling both ways; a document
// holding a character Windows-1252 has no byte for is written in UTF-8 behind a
// byte-order mark instead of losing that character. A file that came in UTF-8 (a text
// editor saves it so, with or without the mark) goes back in the same form.

#include "platform/Outcome.h"

#include <QByteArray>
#include <QString>

class PlvTextEncoding {
public:
    // The form a file came in, and goes back in.
    enum class Codage { Windows1252, Utf8, Utf8Bom };

    static bool fitsWindows1252(const QString& text);
    static QByteArray encode(const QString& text, Codage codage = Codage::Windows1252);
    // UTF-8 when the bytes begin with its byte-order mark, or when they hold other bytes
    // than ASCII and all of them make valid UTF-8 (text in Windows-1252 with accents
    // practically never does); Windows-1252 otherwise.
    static Result<QString> decode(const QByteArray& bytes, Codage* codage = nullptr);
};
