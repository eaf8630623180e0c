#include "app/window/QtDialogs.h"

#include "addresses/widgets/AddressBookDialog.h"
#include "addresses/widgets/ColumnMappingDialog.h"
#include "layout/widgets/EnvelopeCheckDialog.h"
#include "print/widgets/PrinterShiftDialog.h"

std::optional<PrinterShiftAnswer> QtDialogs::printerShiftDialog(const PrinterShiftRequest& request)
{
    PrinterShiftDialog dialog(request, parentWidget());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PrinterShiftAnswer{dialog.shift(), dialog.setup()};
}

EnvelopeCheckAnswer QtDialogs::envelopeCheck(const EnvelopeCheckRequest& request)
{
    return askEnvelopeCheck(request, parentWidget());
}

std::optional<QList<int>> QtDialogs::columnMapping(const ColumnMappingRequest& request)
{
    return askColumnMapping(request, parentWidget());
}

std::optional<AddressBookAnswer> QtDialogs::addressBookImport(const AddressBookRequest& request)
{
    return askAddressBook(request, parentWidget());
}
