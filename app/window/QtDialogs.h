#pragma once
// Every real dialog of the program: the platform's own, and those of its features.

#include "platform/widgets/QtStandardDialogs.h"

class QtDialogs : public QtStandardDialogs {
public:
    using QtStandardDialogs::QtStandardDialogs;

    std::optional<PrinterShiftAnswer> printerShiftDialog(const PrinterShiftRequest& request) override;
    EnvelopeCheckAnswer envelopeCheck(const EnvelopeCheckRequest& request) override;
    std::optional<QList<int>> columnMapping(const ColumnMappingRequest& request) override;
    std::optional<AddressBookAnswer> addressBookImport(const AddressBookRequest& request) override;
};
