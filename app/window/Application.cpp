#include "app/window/Application.h"

#include "app/window/Form1.h"
#include "app/window/ImpressionLot.h"
#include "app/window/LigneCommande.h"
#include "app/window/QtDialogs.h"
#include "platform/widgets/QtPrinterService.h"
#include "platform/widgets/Traductions.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
const char* const kSansEcran =
    "plivane : impossible d'ouvrir l'écran (aucun affichage graphique n'est disponible) ; "
    "Plivane ne peut pas ouvrir sa fenêtre.\n";

// Qt ends the program with a fatal message when its window system cannot start (a
// DISPLAY that names no running X server, for one): say it in French and leave with a
// status instead of aborting.
QStringList g_messagesRetenus;

void messagesDeDemarrage(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs(kSansEcran, stderr);
        std::_Exit(2);
    }
    // Held back until the window system is up: if it fails, the French line says it all.
    g_messagesRetenus.append(qFormatLogMessage(type, contexte, message));
}

// Without the window, Qt's own English notices are no business of the user's: the run
// writes its failures itself.
void messagesSansFenetre(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtFatalMsg) {
        std::fputs("plivane : erreur interne de Qt ; rien n'a été imprimé en entier.\n", stderr);
        std::_Exit(ImpressionLot::kCodeEchec);
    }
}

// The program's settings are in its own folder, ~/.config/Plivane/Plivane.conf. Earlier
// versions left some of them (the import's column names) in Qt's folder for programs that
// name no organisation: taken over once, where the new file does not have them already.
void nommeReglages()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Plivane"));
    QCoreApplication::setApplicationName(QStringLiteral("Plivane"));
    QSettings reglages;
    const QString ancien = QFileInfo(reglages.fileName()).absolutePath() +
                           QStringLiteral("/../Unknown Organization/Plivane.conf");
    if (!QFileInfo(ancien).isFile())
        return;
    const QSettings avant(ancien, QSettings::IniFormat);
    for (const QString& cle : avant.allKeys())
        if (!reglages.contains(cle))
            reglages.setValue(cle, avant.value(cle));
    reglages.sync();
    if (reglages.status() == QSettings::NoError)
        QFile::remove(ancien);
}

int imprimeSansFenetre(int argc, char** argv, const LigneCommande::Commande& commande)
{
    // No display is needed, nor looked for: Qt's offscreen platform serves the printer's
    // fonts all the same.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(messagesSansFenetre);
    QGuiApplication app(argc, argv);
    nommeReglages();
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    return ImpressionLot::lance(commande);
}

// Qt aborts when it cannot open a display; say so in French before it tries.
bool affichageDisponible()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    if (platform.startsWith("xcb"))
        return !qgetenv("DISPLAY").isEmpty();
    if (platform.startsWith("wayland"))
        return !qgetenv("WAYLAND_DISPLAY").isEmpty();
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}
} // namespace

void regleTas()
{
#if defined(__GLIBC__)
    // Qt's PDF writer sets up a compressor of a few hundred kilobytes for every page. With
    // the allocator's own thresholds, the window's repaints between two pages make it hand
    // that memory back to the system and fault it in again at each page, which costs the
    // run a third of its time; with fixed ones the memory is reused from page to page.
    mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
#endif
}

int lanceApplication(int argc, char** argv)
{
    regleTas();
    // Read before Qt sees them: Qt would take its own options for itself.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    const Result<LigneCommande::Commande> commande = LigneCommande::lit(arguments);
    if (!commande) {
        std::fprintf(stderr, "%s\n", commande.error().toLocal8Bit().constData());
        return LigneCommande::kCodeUsage;
    }
    switch (commande.value().mode) {
    case LigneCommande::Mode::Aide:
        std::printf("%s\n", LigneCommande::usage().toLocal8Bit().constData());
        return 0;
    case LigneCommande::Mode::Version:
        std::printf("%s\n", LigneCommande::version().toLocal8Bit().constData());
        return 0;
    case LigneCommande::Mode::Pdf:
    case LigneCommande::Mode::Imprimante:
        return imprimeSansFenetre(argc, argv, commande.value());
    case LigneCommande::Mode::Fenetre:
        break;
    }

    if (!affichageDisponible()) {
        std::fputs(kSansEcran, stderr);
        return 2;
    }
    const QtMessageHandler precedent = qInstallMessageHandler(messagesDeDemarrage);
    QApplication app(argc, argv);
    qInstallMessageHandler(precedent);
    for (const QString& retenu : std::as_const(g_messagesRetenus))
        std::fprintf(stderr, "%s\n", qPrintable(retenu));
    nommeReglages();
    QApplication::setApplicationVersion(QStringLiteral(PLIVANE_VERSION));
    // The installed menu entry and icon, so that the desktop groups the window under them.
    QGuiApplication::setDesktopFileName(QStringLiteral("plivane"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("plivane")));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Qt's own buttons and dialogs speak French like the rest of the program.
    (void)installeTraductionsFrancaises();

    QtDialogs dialogs;
    QtPrinterService imprimante;
    Form1 fenetre(dialogs, imprimante);
    dialogs.setParent(&fenetre);
    fenetre.show();
    // A file given on the command line opens as "Ouvrir..." opens it, once the window is up
    // to carry a message about it.
    if (const std::optional<QString>& chemin = commande.value().fichier)
        QTimer::singleShot(0, &fenetre, [&fenetre, chemin = *chemin] { fenetre.Ouvre(chemin); });
    return app.exec();
}
