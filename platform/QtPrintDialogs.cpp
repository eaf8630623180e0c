#include "platform/QtDialogs.h"

// The print and printer set-up dialogs work on the QPrinter of the Qt printing service.
bool QtDialogs::printDialog(PrinterService&)
{
    return false;
}

bool QtDialogs::printerSetupDialog(PrinterService&)
{
    return false;
}
