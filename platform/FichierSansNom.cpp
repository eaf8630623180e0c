#include "platform/FichierSansNom.h"

#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray dossierDe(const QByteArray& cible)
{
    const qsizetype barre = cible.lastIndexOf('/');
    return barre > 0 ? cible.left(barre) : QByteArray(barre == 0 ? "/" : ".");
}

// ".NAME." before a random part, then ".tmp": hidden, and known for what it is.
QByteArray prefixe(const QByteArray& cible)
{
    const qsizetype barre = cible.lastIndexOf('/');
    return cible.left(barre + 1) + '.' + cible.mid(barre + 1) + '.';
}

QByteArray nomAuHasard(const QByteArray& cible)
{
    return prefixe(cible) + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
}
} // namespace

FichierSansNom::~FichierSansNom()
{
    (void)ferme();
    if (!m_nom.isEmpty())
        ::unlink(m_nom.constData());
}

bool FichierSansNom::renommeEn(const QByteArray& cible)
{
    if (m_nom.isEmpty() || ::rename(m_nom.constData(), cible.constData()) != 0)
        return false;
    m_nom.clear();
    return true;
}

bool FichierSansNom::ouvre(const QByteArray& cible, mode_t droits)
{
    m_cible = cible;
    m_fd = ::open(dossierDe(cible).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, droits);
    if (m_fd >= 0) {
        m_sansNom = true;
        (void)::fchmod(m_fd, droits); // the umask applies to O_TMPFILE too
        return true;
    }
    for (int essai = 0; m_fd < 0 && essai < 100; ++essai) {
        m_nom = nomAuHasard(cible);
        m_fd = ::open(m_nom.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, droits);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        m_nom.clear();
        return false;
    }
    (void)::fchmod(m_fd, droits);
    return true;
}

QByteArray FichierSansNom::chemin() const
{
    return m_sansNom ? "/proc/self/fd/" + QByteArray::number(m_fd) : m_nom;
}

QByteArray FichierSansNom::nomTemporaire()
{
    if (!m_nom.isEmpty() || !m_sansNom || m_fd < 0)
        return m_nom;
    for (int essai = 0; essai < 100; ++essai) {
        const QByteArray nom = nomAuHasard(m_cible);
        if (::linkat(AT_FDCWD, chemin().constData(), AT_FDCWD, nom.constData(), AT_SYMLINK_FOLLOW) == 0)
            return m_nom = nom;
        if (errno != EEXIST)
            break;
    }
    return {};
}

bool FichierSansNom::ferme()
{
    if (m_fd < 0)
        return true;
    // Some disks tell of a failed write only at close.
    const bool ok = ::close(m_fd) == 0;
    m_fd = -1;
    return ok;
}

void FichierSansNom::synchroniseDossier(const QByteArray& cible)
{
    const int fd = ::open(dossierDe(cible).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

void FichierSansNom::balaie(const QByteArray& cible)
{
    // Byte by byte: a name that is no valid text is still the user's file's.
    const QByteArray debut = prefixe(cible);
    const QByteArray nomDebut = debut.mid(debut.lastIndexOf('/') + 1);
    const QByteArray dossier = dossierDe(cible);
    DIR* d = ::opendir(dossier.constData());
    if (!d)
        return;
    while (const dirent* e = ::readdir(d)) {
        const QByteArrayView nom(e->d_name);
        if (nom.startsWith(nomDebut) && nom.endsWith(".tmp") && nom.size() > nomDebut.size() + 4)
            ::unlinkat(::dirfd(d), e->d_name, 0);
    }
    ::closedir(d);
}
