#pragma once
// "Réglage de l'imprimante": the shift right and down, in tenths of a millimetre, that
// makes up for a printer printing off its place, and the button that prints the
// calibration page to measure it.

#include "platform/Dialogs.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;

class PrinterShiftDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterShiftDialog(const PrinterShiftRequest& request, QWidget* parent = nullptr);

    // The shift as entered, to the tenth of a millimetre.
    PointMm shift() const;

private:
    void showPrinter();
    void printCalibration();

    const PrinterShiftRequest& m_request;
    QLabel* m_printer;
    QDoubleSpinBox* m_right;
    QDoubleSpinBox* m_down;
};
