#pragma once
// The bytes of an address file. Windows writes them in Windows-1252, and so do we
// whenever every character fits, so that files keep travelling both ways; a document
// holding a character Windows-1252 has no byte for is written in UTF-8 behind a
// byte-order mark instead of losing that character.

#include "platform/Outcome.h"

#include <QByteArray>
#include <QString>

class PlvTextEncoding {
public:
    static bool fitsWindows1252(const QString& text);
    static QByteArray encode(const QString& text);
    // UTF-8 when the bytes begin with its byte-order mark, Windows-1252 otherwise.
    static Result<QString> decode(const QByteArray& bytes);
};
