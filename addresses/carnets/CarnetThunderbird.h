#pragma once
// Thunderbird's address books: SQLite files in each profile, the personal one
// (abook.sqlite), the collected addresses (history.sqlite) and those the profile's prefs.js
// lists (abook-N.sqlite, CardDAV books' copies included). Since Thunderbird 102 a card is
// kept whole as a vCard in its _vCard property; older cards have a property per field.
//
// A book is read from a copy of its file (and of its write-ahead log), so that Thunderbird,
// running or not, never sees the program and the program never takes its lock.

#include "addresses/carnets/CarnetAdresses.h"

class CarnetThunderbird : public CarnetAdresses {
public:
    CarnetThunderbird(QString fichier, QString nom) : m_fichier(std::move(fichier)), m_nom(std::move(nom)) {}
    QString nom() const override { return m_nom; }
    Result<LectureCarnet> lit() const override;
    const QString& fichier() const { return m_fichier; }

    // Every book of every profile under `maison` (the home folder): Thunderbird's own
    // folder, and its Flatpak's and Snap's.
    static Carnets trouve(const QString& maison);

private:
    QString m_fichier;
    QString m_nom;
};
