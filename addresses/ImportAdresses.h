#pragma once
// "Importer..." in the address list window: adds the addresses of a CSV or TSV file to
// the list in one step, then tells the user how many came in, how many rows were left
// out and why. A file that cannot be read whole adds nothing.

#include "addresses/ImportCsv.h"

#include <QString>

class AddressList;
class Dialogs;

class ImportAdresses {
public:
    ImportAdresses(Dialogs& dialogs, AddressList& liste) : m_dialogs(dialogs), m_liste(liste) {}

    // Asks for the file, then imports it. Returns the number of addresses added: 0 when
    // the user cancelled, when the file was refused, or when it held none.
    int Importer();
    // The import of a file already chosen: reads it, asks about a doubtful title row,
    // adds, reports.
    int importe(const QString& chemin);

    // The report once the addresses are in, lines joined with CR LF.
    static QString compteRendu(const ImportCsv::Bilan& bilan, const ImportCsv::Lecture& lecture);

    static QString titre() { return QStringLiteral("Importer des adresses"); }
    // A larger file is no address list, but a file chosen by mistake.
    static constexpr qint64 kTailleMax = 8 * 1024 * 1024;

private:
    void refuse(const QString& chemin, const QString& raison);

    Dialogs& m_dialogs;
    AddressList& m_liste;
};
