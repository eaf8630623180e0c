#include "platform/EcritureGroupee.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A hidden name beside the file that no other file has, made anew at each attempt.
QByteArray nomVoisin(const QByteArray& cible, const char* suffixe)
{
    const qsizetype barre = cible.lastIndexOf('/');
    return cible.left(barre + 1) + '.' + cible.mid(barre + 1) + '.' +
           QByteArray::number(QRandomGenerator::global()->generate64(), 36) + suffixe;
}

bool ecritTout(int fd, QByteArrayView octets)
{
    const char* p = octets.data();
    qsizetype reste = octets.size();
    while (reste > 0) {
        const ssize_t n = ::write(fd, p, size_t(reste));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        reste -= n;
    }
    return true;
}

void synchroniseDossier(const QByteArray& cible)
{
    // The renames themselves reach the disk; a folder that cannot be synchronised (some
    // network disks) still holds the files.
    const qsizetype barre = cible.lastIndexOf('/');
    const QByteArray dossier = barre > 0 ? cible.left(barre) : QByteArray(barre == 0 ? "/" : ".");
    const int fd = ::open(dossier.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

} // namespace

EcritureGroupee::~EcritureGroupee()
{
    for (const Fichier& f : m_fichiers) {
        if (!f.temporaire.isEmpty())
            ::unlink(f.temporaire.constData());
    }
}

bool EcritureGroupee::prepare(const QString& chemin, QByteArrayView octets)
{
    // Through a link the file it points to is written, as any editor does.
    const QFileInfo info(chemin);
    Fichier f;
    f.cible = QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath());
    if (chemin.isEmpty() || f.cible.isEmpty())
        return false;
    struct stat etat {};
    const bool existe = ::lstat(f.cible.constData(), &etat) == 0;
    if (existe && !S_ISREG(etat.st_mode))
        return false;

    int fd = -1;
    for (int essai = 0; fd < 0 && essai < 100; ++essai) {
        f.temporaire = nomVoisin(f.cible, ".tmp");
        fd = ::open(f.temporaire.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    if (existe)
        (void)::fchmod(fd, etat.st_mode & 07777); // the new file keeps its predecessor's rights

    bool ok = ecritTout(fd, octets);
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok; // some disks tell of a failed write only at close
    if (!ok) {
        ::unlink(f.temporaire.constData());
        return false;
    }
    m_fichiers.push_back(std::move(f));
    return true;
}

bool EcritureGroupee::gardeAncien(Fichier& f)
{
    struct stat etat {};
    f.existait = ::lstat(f.cible.constData(), &etat) == 0;
    if (!f.existait)
        return true;
    for (int essai = 0; essai < 100; ++essai) {
        f.ancien = nomVoisin(f.cible, ".old");
        // A second name keeps the predecessor in place until the new file replaces it;
        // disks without such names (FAT, as on USB sticks) have it moved aside instead.
        if (::link(f.cible.constData(), f.ancien.constData()) == 0)
            return true;
        if (errno == EEXIST)
            continue;
        if (::lstat(f.ancien.constData(), &etat) == 0)
            continue;
        return ::rename(f.cible.constData(), f.ancien.constData()) == 0;
    }
    return false;
}

void EcritureGroupee::remetAncien(const Fichier& f)
{
    // Should even this fail, the predecessor stays under its other name: the user's
    // data is never thrown away.
    if (f.existait)
        (void)::rename(f.ancien.constData(), f.cible.constData());
    else
        (void)::unlink(f.cible.constData());
}

bool EcritureGroupee::remplace()
{
    for (size_t i = 0; i < m_fichiers.size(); ++i) {
        Fichier& f = m_fichiers[i];
        bool ok = gardeAncien(f);
        if (ok && ::rename(f.temporaire.constData(), f.cible.constData()) != 0) {
            if (f.existait)
                (void)::rename(f.ancien.constData(), f.cible.constData());
            ok = false;
        }
        if (!ok) {
            for (size_t j = i; j-- > 0;)
                remetAncien(m_fichiers[j]);
            return false;
        }
        f.temporaire.clear();
    }
    for (const Fichier& f : m_fichiers) {
        if (f.existait)
            ::unlink(f.ancien.constData());
        synchroniseDossier(f.cible);
    }
    m_fichiers.clear();
    return true;
}
