#include "platform/VerrouFichier.h"

#include <QFileInfo>
#include <QLocale>
#include <QLockFile>

namespace {
std::optional<VerrouFichier::Detenteur> detenteurDe(const QLockFile& verrou, const QString& nom)
{
    qint64 pid = 0;
    VerrouFichier::Detenteur d;
    if (!verrou.getLockInfo(&pid, &d.hote, nullptr))
        return std::nullopt;
    const QFileInfo info(nom);
    d.utilisateur = info.owner();
    d.depuis = info.lastModified();
    return d;
}
} // namespace

VerrouFichier::VerrouFichier() = default;
VerrouFichier::~VerrouFichier() = default;

QString VerrouFichier::nomVerrou(const QString& chemin)
{
    const QFileInfo info(chemin);
    return info.absolutePath() + QStringLiteral("/.~lock.") + info.fileName() + u'#';
}

std::optional<VerrouFichier::Detenteur> VerrouFichier::prend(const QString& chemin)
{
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    if (m_verrou && absolu == m_fichier)
        return std::nullopt;
    rend();
    auto verrou = std::make_unique<QLockFile>(nomVerrou(absolu));
    // A lock is stale only once its process is gone, however long a file stays open.
    verrou->setStaleLockTime(0);
    if (verrou->tryLock(0)) {
        m_verrou = std::move(verrou);
        m_fichier = absolu;
        return std::nullopt;
    }
    if (verrou->error() != QLockFile::LockFailedError)
        return std::nullopt;
    return detenteurDe(*verrou, nomVerrou(absolu));
}

void VerrouFichier::rend()
{
    m_verrou.reset();
    m_fichier.clear();
}

std::optional<VerrouFichier::Detenteur> VerrouFichier::detenteur(const QString& chemin)
{
    const QString nom = nomVerrou(chemin);
    if (!QFileInfo::exists(nom))
        return std::nullopt;
    QLockFile verrou(nom);
    verrou.setStaleLockTime(0);
    // Free or stale, it was nobody's: taking it and giving it back tells which.
    if (verrou.tryLock(0)) {
        verrou.unlock();
        return std::nullopt;
    }
    if (verrou.error() != QLockFile::LockFailedError)
        return std::nullopt;
    return detenteurDe(verrou, nom);
}

QString VerrouFichier::decrit(const Detenteur& d)
{
    const QLocale fr(QLocale::French);
    QString qui = d.utilisateur.isEmpty() ? QStringLiteral("un autre utilisateur") : d.utilisateur;
    if (!d.hote.isEmpty())
        qui += QStringLiteral(" sur ") + d.hote;
    return QStringLiteral("déjà ouvert par %1 depuis le %2 à %3")
        .arg(qui, fr.toString(d.depuis.date(), QStringLiteral("d MMMM yyyy")),
             fr.toString(d.depuis.time(), QStringLiteral("HH:mm")));
}
