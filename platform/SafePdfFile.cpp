#include "platform/SafePdfFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Qt ends every PDF with "startxref", the offset of its "xref" table, and "%%EOF"; the
// tail read back is far longer than those lines.
constexpr qint64 kFin = 1024;

// Like QSaveFile: a replaced file keeps its permissions, a new one gets what the umask leaves.
mode_t modePour(const QString& cible)
{
    struct stat etat {};
    if (::stat(QFile::encodeName(cible).constData(), &etat) == 0)
        return etat.st_mode & 07777;
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}
} // namespace

SafePdfFile::SafePdfFile(const QString& target)
    : m_shown(QFileInfo(target).absoluteFilePath()), m_target(m_shown)
{
    const QFileInfo info(target);
    if (info.isSymLink())
        m_target = info.symLinkTarget();
}

SafePdfFile::~SafePdfFile()
{
    discard();
}

void SafePdfFile::discard()
{
    m_temporary.reset();
}

QString SafePdfFile::temporaryPath() const
{
    return m_temporary ? QFile::decodeName(m_temporary->chemin()) : QString();
}

Status SafePdfFile::open()
{
    const QFileInfo cible(m_target);
    if (cible.isDir() || (cible.exists() && !cible.isWritable()))
        return Status::failure(QStringLiteral("Impossible d'écrire le fichier « %1 ».").arg(m_shown));
    const QByteArray nom = QFile::encodeName(m_target);
    FichierSansNom::balaie(nom);
    m_temporary = std::make_unique<FichierSansNom>();
    if (!m_temporary->ouvre(nom, modePour(m_target))) {
        discard();
        return Status::failure(QStringLiteral("Impossible d'écrire le fichier « %1 ».").arg(m_shown));
    }
    return Status::ok();
}

Status SafePdfFile::notWhole() const
{
    return Status::failure(
        QStringLiteral("Le fichier « %1 » n'a pas pu être écrit en entier : le disque est "
                       "peut-être plein. Un fichier de ce nom déjà présent reste tel qu'il était.")
            .arg(m_shown));
}

bool SafePdfFile::isWhole(const QString& path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly) || ::fsync(pdf.handle()) != 0)
        return false;
    const qint64 taille = pdf.size();
    if (taille < 16 || !pdf.seek(std::max<qint64>(0, taille - kFin)))
        return false;
    const QByteArray fin = pdf.read(kFin).trimmed();
    const qsizetype startxref = fin.lastIndexOf("startxref");
    if (!fin.endsWith("%%EOF") || startxref < 0)
        return false;
    bool nombre = false;
    const qint64 xref = fin.mid(startxref + 9, fin.size() - startxref - 9 - 5).trimmed().toLongLong(&nombre);
    return nombre && xref > 0 && xref < taille && pdf.seek(xref) && pdf.read(4) == "xref";
}

Status SafePdfFile::commit()
{
    if (!m_temporary)
        return notWhole();
    const QByteArray cible = QFile::encodeName(m_target);
    const bool ok = isWhole(temporaryPath()) && !m_temporary->nomTemporaire().isEmpty() &&
                    m_temporary->ferme() && m_temporary->renommeEn(cible);
    discard();
    if (!ok)
        return notWhole();
    FichierSansNom::synchroniseDossier(cible);
    return Status::ok();
}
