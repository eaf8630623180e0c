#pragma once
// An address book read where it lives rather than exported first: Thunderbird's books
// in its profiles, a folder of vCard files as CardDAV synchronisers keep them (vdirsyncer,
// khard). Each gives its name, as the import lists it, and its contacts, as the envelope
// composes them; none is ever written to.

#include "addresses/import/CompositionAdresse.h"
#include "platform/Outcome.h"

#include <QList>
#include <QString>
#include <memory>

struct LectureCarnet {
    QList<CompositionAdresse::Contact> contacts;
    int illisibles = 0; // cards or files that could not be read, left out
};

class CarnetAdresses {
public:
    virtual ~CarnetAdresses() = default;
    // As the import lists it: "Thunderbird : Adresses personnelles".
    virtual QString nom() const = 0;
    // The whole book, or why it cannot be opened, in French, as the end of a sentence
    // about it ("il est illisible").
    virtual Result<LectureCarnet> lit() const = 0;
};

using Carnets = QList<std::shared_ptr<const CarnetAdresses>>;

// One .vcf file per contact (or a few per file), in one folder, its subfolders left alone.
class DossierVcard : public CarnetAdresses {
public:
    explicit DossierVcard(QString chemin) : m_chemin(std::move(chemin)) {}
    QString nom() const override;
    Result<LectureCarnet> lit() const override;

    // A contact's file is small; a larger one holds photographs, not an address.
    static constexpr qint64 kTailleFichierMax = 16 * 1024 * 1024;

private:
    QString m_chemin;
};
