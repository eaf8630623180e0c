#pragma once
// Address files on disk: saving a document with its logo beside it, and opening one with
// the logo it names, wherever that logo has travelled to.

#include "addresses/fichier/PlvDocument.h"
#include "platform/EmpreinteFichier.h"
#include "platform/Outcome.h"

#include <QImage>
#include <QString>
#include <optional>

class EntreesAdresses;

// What opening a file gives the main window to apply.
struct PlvOuverture {
    PlvDocument document;
    QImage logo;                // loaded when the document uses a logo and it was found
    QString cheminLogo;         // where the logo was found; empty when nowhere
    bool logoIllisible = false; // the document uses a logo, and no picture could be loaded
    // With an unreadable logo, what to tell the user, naming the file that is missing.
    QString avertissement;
    // The file and its companion bitmap as they were read, for the next save to see
    // whether another program wrote them meanwhile.
    EmpreinteFichier empreinte;
    EmpreinteFichier empreinteCompagnon;
};

// What a save wrote.
struct PlvEcrit {
    QString nomLogo; // the logo name the document carries from now on
    EmpreinteFichier empreinte;
    EmpreinteFichier empreinteCompagnon; // the companion as the save left it
};

namespace FichierAdresses {
// Writes the document, and with a logo the picture as a Windows bitmap in the
// companion file. Nothing on disk changes until both are completely written and on
// the disk, so a failed save leaves the previous files as they were. A document
// larger than opening accepts is refused and nothing is written. Gives back the logo name the
// document carries from now on: the companion's name after a save with a logo, the
// document's own name otherwise. The failure's text is the message to show under
// "Contrôle de lecture Disque". A file or companion protected against writing is never
// replaced.
Result<PlvEcrit> ecrit(const QString& nomFichier, const PlvDocument& document, const QImage& logo);

// Why a save under this name would replace a file protected against writing (the address
// file, or with a logo its companion bitmap), in French; empty when nothing stands in the way.
QString raisonLectureSeule(const QString& nomFichier, bool avecLogo);

// Reads and checks the whole file; on failure the text names the file and why, ready
// to be shown under "Contrôle de lecture Disque", and nothing is to be applied.
// With `compactes`, the addresses are packed there, as PlvCodec::lit does.
Result<PlvOuverture> lit(const QString& nomFichier, EntreesAdresses* compactes = nullptr);

// A logo picture in any format Qt reads here (BMP, PNG, JPEG, SVG...), transparency
// made white; a null picture when the file is no regular file, cannot be read or is
// no picture. A PNG, JPEG or SVG that states its size on paper (PNG pHYs, JPEG density,
// SVG width and height in physical units) keeps it in the picture's dots per metre; any
// other picture, Windows bitmaps included, states the screen's 96 dots per inch, so that
// it prints at its natural size.
QImage litLogo(const QString& chemin);
// A logo that would print larger than the room the sender block leaves it (from its corner
// to the middle of the envelope's length and to half its height, where the recipient's
// zone begins): the same picture made to fit that room, its proportions kept, with no
// more pixels than 300 dots per inch on paper need, stating its new size. A camera's
// photo would otherwise print a metre wide and make a companion bitmap of hundreds of
// megabytes. Nothing when it fits as it is.
std::optional<QImage> logoALaPlace(const QImage& logo, const ReglagesModele& reglages);
// The logo dialog's filter: every picture format litLogo reads, then bitmaps alone.
QString filtreLogos();

// The bitmap saved beside an address file: its name with the last three characters
// replaced by "BMP". A name without a three-letter extension gets ".BMP" added, so
// the bitmap always lands beside the file.
QString nomCompagnon(const QString& nomFichier);

// Where the logo that an address file names is to be found: under its name as
// written, else under the same file name (in any case) beside the address file, as
// after the files were copied from another computer, else the address file's own
// companion bitmap. Empty when none exists.
QString cheminLogo(const QString& nomLogo, const QString& nomFichier);

// The main window's title while a file is current.
QString TitreFenetre(const QString& titreFenetre, const QString& nomFichier);

// The text after the last folder separator, "\" as on Windows or "/".
QString nomSansDossier(const QString& chemin);

// The largest address file, written or read: a million addresses of 130 characters,
// twice a usual one, and still little for the memory of any computer that runs us.
inline constexpr qint64 kTailleMax = 128 * 1024 * 1024;
inline constexpr qint64 kTailleLogoMax = 64 * 1024 * 1024;
} // namespace FichierAdresses
