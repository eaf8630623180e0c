#pragma once
// The address file's format: a document to the bytes Windows writes for it, and any
// bytes back to a document or to the French reason they are not an address file.

#include "addresses/fichier/PlvDocument.h"
#include "platform/Outcome.h"

#include <QByteArray>

class EntreesAdresses;

namespace PlvCodec {
// Records 1 to 7 + n. An empty address list gives a file whose last index is -1,
// which reads back as an empty list (Windows reads it alike).
QByteArray ecrit(const PlvDocument& document);

// The whole file is checked before anything is given back, so a caller never applies
// half a file. A file that ends after its addresses keeps the default logo name and
// no crop marks; anything after the crop marks is ignored. The count must match the
// addresses: string records are quoted and the crop marks are not, so a count off
// by one or more is caught by the records after the list. Numbers out of the settings' ranges
// are brought inside them.
// With `compactes`, the addresses are packed there instead of filling the document's
// list, for a print that holds a big file's addresses while it runs; after a failure
// what it holds is to be dropped.
Result<PlvDocument> lit(const QByteArray& bytes, EntreesAdresses* compactes = nullptr);
} // namespace PlvCodec
