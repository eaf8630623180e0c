#pragma once
// A private Evolution Data Server: its own D-Bus session, home and folders, so that a test
// or a benchmark fills and reads real address books, the user's own left alone. Set up
// before anything in the process speaks to a session bus: GLib keeps the first one.

#include <QByteArrayList>
#include <QProcess>
#include <QTemporaryDir>

class EvolutionPrivee {
public:
    // A book besides the built-in personal one; `moteur` is the backend that serves it,
    // "local" for a book on this computer, any other name one no server has.
    struct Livre {
        QString uid, nom, moteur = QStringLiteral("local");
    };
    explicit EvolutionPrivee(const QList<Livre>& livres);
    ~EvolutionPrivee();
    EvolutionPrivee(const EvolutionPrivee&) = delete;
    EvolutionPrivee& operator=(const EvolutionPrivee&) = delete;

    // Empty when the session started; else why not.
    const QString& erreur() const { return m_erreur; }
    // Adds the cards to the book `uid` (empty: the built-in one) through the server; why
    // not, or an empty text.
    QString remplit(const QString& uid, const QByteArrayList& vcards);

private:
    QTemporaryDir m_maison;
    QProcess m_bus;
    QString m_erreur;
};
