#pragma once
// The envelope document: the one owner of what the user edits. It holds the envelope's
// settings, the recipient and sender texts, the address list, and whether any of it
// changed since it was loaded, opened or saved. The main window shows it and writes the
// user's edits into it; the address file is read into it and written from it; a print
// takes its settings and addresses.
//
// Which edits make the document modified is the window's to say (an up arrow of a spin
// button moves a block without it): the setters only change values, and the window marks
// the document modified, unless the program itself is filling it (Chargement).

#include "addresses/fichier/FichierAdresses.h"
#include "addresses/liste/ListeAdresses.h"
#include "app/ReglagesModele.h"
#include "platform/Outcome.h"
#include "platform/VerrouFichier.h"

#include <QObject>

class DocumentEnveloppe : public QObject {
    Q_OBJECT
public:
    explicit DocumentEnveloppe(QObject* parent = nullptr);

    const ReglagesModele& reglages() const { return m_reglages; }
    ListeAdresses& adresses() { return m_adresses; }
    const ListeAdresses& adresses() const { return m_adresses; }

    bool Modifie() const { return m_modifie; }
    void setModifie(bool modifie);
    // A change the user made: the document is modified, unless the program itself is
    // filling it.
    void marqueModifie();

    // Held while the program fills the window with the document (opening a file, showing
    // an address from the list or a print run): the changes it causes are not the user's.
    class Chargement {
    public:
        explicit Chargement(DocumentEnveloppe& document);
        ~Chargement();
        Chargement(const Chargement&) = delete;
        Chargement& operator=(const Chargement&) = delete;

    private:
        DocumentEnveloppe& m_document;
        bool m_avant;
    };
    bool enChargement() const { return m_chargement; }

    // The size and the quantity are whole numbers within their ranges.
    void setLongueurEnv(int mm);
    void setHauteurEnv(int mm);
    void setQuantite(int quantite);
    enum class Marge { GaucheDest, BasseDest, GaucheExp, HauteExp };
    float marge(Marge marge) const;
    void setMarge(Marge marge, float mm);
    void setOrientation(int orientation);
    void setRepereCoupe(bool repereCoupe);
    void setLogoChoisi(bool logoChoisi);
    void setLogo(const QImage& logo);
    void setNomLogo(const QString& nomLogo);
    enum class Bloc { Dest, Exp };
    const BlockFont& police(Bloc bloc) const;
    void setPolice(Bloc bloc, const BlockFont& police);
    void setTexte(Bloc bloc, const QString& texte);
    void setCheminFichier(const QString& chemin);

    // What stands in the way of a save under a name, for the user to decide first.
    struct Obstacle {
        enum class Genre {
            Aucun,
            LectureSeule,    // the file or its companion may not be written, or was opened read-only
            OuvertAilleurs,  // another running program holds the file's lock
            ModifieAilleurs, // the file or its companion changed on disk since it was read or written
        };
        Genre genre = Genre::Aucun;
        QString texte; // in French, naming the file
    };
    Obstacle obstacleAvantEcriture(const QString& nomFichier) const;

    // Writes the document under this name, with its logo beside it when it has one, and
    // holds that file's lock from then on. On failure nothing on disk changed and the
    // document stays modified; the failure's text is the message to show.
    Status enregistre(const QString& nomFichier);
    // Takes over what opening a file read: its settings, its texts, its address list
    // (the last address in the recipient text), its logo or, when that could not be
    // loaded, the built-in one. The document is then unmodified. Opened read-only, the
    // file is never written, and another program may hold its lock.
    void ouvre(PlvOuverture&& ouverture, const QString& nomFichier, bool lectureSeule = false);
    bool lectureSeule() const { return m_lectureSeule; }

    // The 118 x 53 picture that is the logo until the user or a file chooses another.
    static QImage logoIntegre();

signals:
    void modifieChange(bool modifie);

private:
    ReglagesModele m_reglages;
    ListeAdresses m_adresses;
    CodageTexte::Codage m_codage = CodageTexte::Codage::Windows1252; // of the file last opened
    bool m_modifie = false;
    bool m_chargement = false;

    // The file on disk this document was read from or last written to, as it was then.
    QString m_surDisque;
    EmpreinteFichier m_empreinte;
    EmpreinteFichier m_empreinteCompagnon;
    bool m_lectureSeule = false;
    VerrouFichier m_verrou;
};
