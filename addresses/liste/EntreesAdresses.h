#pragma once
// The addresses a print goes through, in the list's order. The main window hands the
// address list's own entries, shared. A batch over a big file packs them as it reads
// them, in one block of UTF-8: it holds every address for the whole run, and a string
// each costs about three times its text (a header, UTF-16, the allocator's rounding and
// a slot in the list), which made the batch's memory grow with the file.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

class EntreesAdresses {
public:
    EntreesAdresses() = default;
    EntreesAdresses(QStringList liste) : m_liste(std::move(liste)) {}
    EntreesAdresses(std::initializer_list<QString> liste) : m_liste(liste) {}

    qsizetype nombre() const { return m_liste.isEmpty() ? qsizetype(m_tranches.size()) : m_liste.size(); }
    bool estVide() const { return nombre() == 0; }
    // Entry i, 0 <= i < nombre().
    QString operator[](qsizetype i) const;
    // For the selection window: the list itself when one was handed, built otherwise.
    QStringList liste() const;

    // Room for about `octets` of UTF-8 in `entrees` entries, so that packing a file does
    // not copy the block as it grows: each copy left a hole the size of the block behind.
    void reserve(qsizetype octets, qsizetype entrees);
    // Packs an entry after the others; with entries handed as a list, it joins the list.
    void ajoute(QStringView entree);
    // Gives back what the reserve did not use.
    void ajuste();
    void vide();
    // The list's order, entries that compare equal keeping the order they came in, as
    // the address list keeps them.
    void trieEnOrdre();

private:
    struct Tranche {
        qsizetype debut;
        qsizetype taille;
    };

    QStringList m_liste;
    QByteArray m_utf8;
    std::vector<Tranche> m_tranches;
};
