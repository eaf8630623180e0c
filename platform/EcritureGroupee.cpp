#include "platform/EcritureGroupee.h"

#include "platform/FichierSansNom.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
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

mode_t umaskActuel()
{
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return masque;
}

} // namespace

EcritureGroupee::~EcritureGroupee() = default;

void EcritureGroupee::balaie(const QString& chemin)
{
    const QFileInfo info(chemin);
    const QByteArray cible =
        QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath());
    FichierSansNom::balaie(cible);
    const qsizetype barre = cible.lastIndexOf('/');
    const QByteArray debut = '.' + cible.mid(barre + 1) + '.';
    DIR* d = ::opendir(cible.left(std::max<qsizetype>(barre, 1)).constData());
    if (!d)
        return;
    struct stat etat {};
    const bool existe = ::lstat(cible.constData(), &etat) == 0;
    while (const dirent* e = ::readdir(d)) {
        const QByteArrayView nom(e->d_name);
        if (!nom.startsWith(debut) || !nom.endsWith(".old") || nom.size() <= debut.size() + 4)
            continue;
        if (existe)
            ::unlinkat(::dirfd(d), e->d_name, 0);
        else
            (void)::renameat(::dirfd(d), e->d_name, AT_FDCWD, cible.constData());
    }
    ::closedir(d);
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

    // The new file keeps its predecessor's rights.
    f.nouveau = std::make_unique<FichierSansNom>();
    if (!f.nouveau->ouvre(f.cible, existe ? etat.st_mode & 07777 : 0666 & ~umaskActuel()))
        return false;
    bool ok = ecritTout(f.nouveau->fd(), octets);
    ok = ok && ::fsync(f.nouveau->fd()) == 0;
    if (!ok)
        return false;
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
        // Named only now, for the instant of the rename.
        bool ok = !f.nouveau->nomTemporaire().isEmpty() && f.nouveau->ferme() && gardeAncien(f);
        if (ok && !f.nouveau->renommeEn(f.cible)) {
            if (f.existait)
                (void)::rename(f.ancien.constData(), f.cible.constData());
            ok = false;
        }
        if (!ok) {
            for (size_t j = i; j-- > 0;)
                remetAncien(m_fichiers[j]);
            return false;
        }
    }
    for (const Fichier& f : m_fichiers) {
        if (f.existait)
            ::unlink(f.ancien.constData());
        FichierSansNom::synchroniseDossier(f.cible);
    }
    m_fichiers.clear();
    return true;
}
