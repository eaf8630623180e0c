#include "platform/widgets/Traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installeTraductionsFrancaises()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return false;
    const QLocale francais(QLocale::French, QLocale::France);
    auto* qt = new QTranslator(application);
    const bool qtTrouve = qt->load(francais, QStringLiteral("qtbase"), QStringLiteral("_"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtTrouve)
        QCoreApplication::installTranslator(qt);
    // Installed last, so looked up first; it only holds what Qt's catalogue lacks.
    auto* complements = new QTranslator(application);
    if (complements->load(QStringLiteral(":/traductions/qt_complements_fr.qm")))
        QCoreApplication::installTranslator(complements);
    return qtTrouve;
}
