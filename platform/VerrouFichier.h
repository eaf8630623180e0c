#pragma once
// The lock a program holds beside a file it has open, as the desktop's programs do: a
// hidden ".~lock.NAME#" in the file's folder, which tells whoever opens the file next who
// has it open and since when. A lock whose process is gone (the program was killed, the
// computer stopped) is taken over without a word.

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

class QLockFile;

class VerrouFichier {
public:
    // Who holds a lock, for the message that says so.
    struct Detenteur {
        QString utilisateur;
        QString hote;
        QDateTime depuis;
    };

    VerrouFichier();
    ~VerrouFichier(); // gives the lock back
    VerrouFichier(const VerrouFichier&) = delete;
    VerrouFichier& operator=(const VerrouFichier&) = delete;

    // Takes the lock of the file at chemin, giving back the one held before. Nothing when
    // it is taken or cannot be (a folder the user may not write in holds no lock, and the
    // file opens all the same); who holds it when another running program does.
    std::optional<Detenteur> prend(const QString& chemin);
    void rend();
    // The file whose lock is held; empty when none.
    const QString& fichier() const { return m_fichier; }

    // Who holds the lock of chemin, when another running program does.
    static std::optional<Detenteur> detenteur(const QString& chemin);
    static QString nomVerrou(const QString& chemin);
    // "déjà ouvert par marie sur bureau depuis le 8 décembre 2026 à 18:30"
    static QString decrit(const Detenteur& detenteur);

private:
    std::unique_ptr<QLockFile> m_verrou;
    QString m_fichier;
};
