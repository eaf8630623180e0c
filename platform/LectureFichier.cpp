#include "platform/LectureFichier.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

LectureFichier::Echec echecOuverture(int erreur)
{
    switch (erreur) {
    case ENOENT:
    case ENOTDIR:
        return LectureFichier::Echec::Absent;
    case EACCES:
    case EPERM:
        return LectureFichier::Echec::Interdit;
    default:
        return LectureFichier::Echec::Illisible;
    }
}

} // namespace

LectureFichier::Lu LectureFichier::lit(const QString& chemin, qint64 tailleMax)
{
    Lu lu;
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat etat {};
    if (chemin.isEmpty() || ::stat(nom.constData(), &etat) != 0) {
        lu.echec = chemin.isEmpty() ? Echec::Absent : echecOuverture(errno);
        // Qt holds names as text: bytes that are no UTF-8 came in as U+FFFD, and the name
        // given back is no longer the file's. Not "missing": the user can rename it.
        if (lu.echec == Echec::Absent && chemin.contains(QChar::ReplacementCharacter))
            lu.echec = Echec::NomIllisible;
        return lu;
    }
    if (!S_ISREG(etat.st_mode)) {
        lu.echec = Echec::PasUnFichier;
        return lu;
    }

    const int fd = ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        lu.echec = echecOuverture(errno);
        return lu;
    }
    auto echoue = [&](Echec echec) {
        ::close(fd);
        lu.echec = echec;
        lu.octets.clear();
        return lu;
    };
    if (::fstat(fd, &etat) != 0)
        return echoue(Echec::Illisible);
    if (!S_ISREG(etat.st_mode))
        return echoue(Echec::PasUnFichier);
    if (etat.st_size > tailleMax)
        return echoue(Echec::TropGrand);

    // One byte more than the size tells a file that grew, up to the limit.
    lu.octets.resize(qsizetype(etat.st_size) + 1);
    qsizetype total = 0;
    for (;;) {
        if (total == lu.octets.size()) {
            if (total > tailleMax)
                return echoue(Echec::TropGrand);
            lu.octets.resize(std::min<qint64>(qint64(total) * 2 + 4096, tailleMax + 1));
        }
        const ssize_t n = ::read(fd, lu.octets.data() + total, size_t(lu.octets.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return echoue(Echec::Illisible);
        if (n == 0)
            break;
        total += n;
    }
    ::close(fd);
    if (total > tailleMax)
        return echoue(Echec::TropGrand);
    lu.octets.truncate(total);
    return lu;
}

QString LectureFichier::raison(Echec echec)
{
    switch (echec) {
    case Echec::Aucun:
        break;
    case Echec::Absent:
        return QStringLiteral("il n'existe pas");
    case Echec::NomIllisible:
        return QStringLiteral("son nom contient des octets qui ne sont pas du texte (UTF-8), que Plivane ne "
                              "sait pas retrouver ; renommez-le puis recommencez");
    case Echec::PasUnFichier:
        return QStringLiteral("ce n'est pas un fichier ordinaire (un dossier, un tube ou un périphérique)");
    case Echec::Interdit:
        return QStringLiteral("vous n'avez pas le droit de le lire");
    case Echec::TropGrand:
        return QStringLiteral("il est bien trop grand");
    case Echec::Illisible:
        return QStringLiteral("il ne peut pas être lu");
    }
    return {};
}
