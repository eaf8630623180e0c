#include "app/window/Application.h"

#include "app/window/Form1.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

namespace {
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
}  // namespace

int lanceApplication(int argc, char** argv)
{
    if (!affichageDisponible()) {
        std::fputs("plivane : aucun écran n'est disponible (variable DISPLAY ou WAYLAND_DISPLAY absente) ; "
                   "Plivane ne peut pas ouvrir sa fenêtre.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plivane"));
    QApplication::setApplicationVersion(QStringLiteral("2.1"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Qt's own buttons and dialogs speak French like the rest of the program.
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);

    QtDialogs dialogs;
    QtPrinterService imprimante;
    Form1 fenetre(dialogs, imprimante);
    dialogs.setParent(&fenetre);
    fenetre.show();
    return app.exec();
}
