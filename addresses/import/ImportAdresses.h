#pragma once
// "Importer..." in the address list window: adds the addresses of a CSV, TSV or vCard
// file, of a folder of vCard files or of an address book found on this desktop to the list
// in one step, then tells the user how many came in, how many rows were left out and why.
// A file that cannot be read whole adds nothing. An address already in the list, or twice
// in the file, comes in once unless the user asks otherwise.

#include "addresses/carnets/CarnetAdresses.h"
#include "addresses/import/ImportCsv.h"

#include <QString>

class ListeAdresses;
class Dialogs;

class ImportAdresses {
public:
    ImportAdresses(Dialogs& dialogs, ListeAdresses& liste, Carnets carnets = carnetsDuBureau())
        : m_dialogs(dialogs), m_liste(liste), m_carnets(std::move(carnets))
    {
    }
    // The address books of this desktop's user: Thunderbird's, then Evolution Data Server's.
    static Carnets carnetsDuBureau();

    // Asks where the addresses come from, then imports them. Returns the number of
    // addresses added: 0 when the user cancelled, when the file was refused, or when it
    // held none.
    int choisitEtImporte();
    // A file chosen by the user in the file dialog, imported.
    int choisitFichier();
    // The import of a file already chosen: reads it, asks about a doubtful title row,
    // adds, reports.
    int importe(const QString& chemin);

    // The report once the addresses are in, lines joined with CR LF; `lecture` says how
    // the file was read, its last line.
    static QString compteRendu(const ImportCsv::Bilan& bilan, const QString& lecture);
    // The addresses of the bilan that are neither in `existantes` nor earlier in the
    // file; the bilan's counts of duplicates are set.
    static QStringList sansDoublons(ImportCsv::Bilan& bilan, const QStringList& existantes);
    // The mapping step's first choice for each title (indices into CompositionAdresse::choix()):
    // the one kept from the last file with these titles, else what the title names, else a
    // line of its own, as such a column always came in.
    static QList<int> choixInitiaux(const QStringList& titres);
    static QList<CompositionAdresse::Colonne> colonnesChoisies(const QList<int>& choix);

    static QString titre() { return QStringLiteral("Importer des adresses"); }
    // A larger file is no address list, but a file chosen by mistake.
    // 100,000 contacts of an address book's export fit well within.
    static constexpr qint64 kTailleMax = 64 * 1024 * 1024;

private:
    void refuse(const QString& chemin, const QString& raison);
    // The mapping step for a title row the program cannot read: false when cancelled.
    // The choice is kept, per title row, for the next file with the same titles.
    bool demandeColonnes(ImportCsv::Lecture& lecture);
    // Asks about duplicates, adds, reports.
    int ajoute(ImportCsv::Bilan& bilan, const QString& lecture);

    // The ticked contacts (indices into `lecture.contacts`) of a book read whole.
    int importeContacts(const CarnetAdresses& carnet, const LectureCarnet& lecture,
                        const QList<int>& choisis);

    Dialogs& m_dialogs;
    ListeAdresses& m_liste;
    Carnets m_carnets;
};
