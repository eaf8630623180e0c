#include "platform/BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
int g_depth = 0; // Sablier may be called again while busy; the pointer must come back once
}

void Sablier()
{
    if (!qApp)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++g_depth;
}

void CurseurNormal()
{
    if (!qApp || g_depth == 0)
        return;
    QGuiApplication::restoreOverrideCursor();
    --g_depth;
}
