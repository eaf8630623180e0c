#pragma once
// "Réglage de l'imprimante": how the printer takes envelopes (the paper, its source, the
// edge that enters first, shown as a picture), the shift right and down, in tenths of a
// millimetre, that makes up for a printer printing off its place, and the button that
// prints the calibration page, on that paper, to measure it.

#include "platform/Dialogs.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

class PrinterShiftDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterShiftDialog(const PrinterShiftRequest& request, QWidget* parent = nullptr);

    // The shift as entered, to the tenth of a millimetre.
    PointMm shift() const;
    PrinterSetup setup() const;

    // A picture of the envelope going into the printer, this edge first.
    static QPixmap feedPicture(FeedEdge edge);

private:
    void showPrinter();
    void showFeed();
    void printCalibration();

    const PrinterShiftRequest& m_request;
    QLabel* m_printer;
    QDoubleSpinBox* m_right;
    QDoubleSpinBox* m_down;
    QComboBox* m_paper;
    QComboBox* m_source;
    QComboBox* m_feed;
    QLabel* m_feedPicture;
};
