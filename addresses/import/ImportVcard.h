#pragma once
// Reads the contacts of a vCard file (.vcf) as Thunderbird, Evolution, Google Contacts and
// phones write them, versions 2.1, 3.0 and 4.0: folded lines, backslash escapes, and of
// 2.1 the QUOTED-PRINTABLE values (soft line breaks included) in the CHARSET they name.
// Of each card it keeps what an envelope shows: N (or FN), ORG and one ADR, the preferred
// one (TYPE=pref, PREF=1) or else the first.
//
// Like the CSV reader, it reads the whole file before anything comes of it: a card left
// open at the end of the file gives a reason and no contact at all.

#include "addresses/import/CompositionAdresse.h"
#include "addresses/import/ImportCsv.h"
#include "platform/Outcome.h"

#include <QByteArray>
#include <QList>

namespace ImportVcard {
struct Lecture {
    QList<CompositionAdresse::Contact> contacts; // one per card, in file order
    CodageTexte::Codage codage = CodageTexte::Codage::Utf8;
    // Cards inside a card (vCard 2.1's AGENT): another person's, not imported, but counted.
    int imbriquees = 0;
};

// Whether the bytes are a vCard file: a line of its text is BEGIN:VCARD.
bool estVcard(const QByteArray& octets);
Result<Lecture> lit(const QByteArray& octets);
// Each contact composed into a list entry, or counted out with its reason.
ImportCsv::Bilan adresses(const Lecture& lecture);
} // namespace ImportVcard
