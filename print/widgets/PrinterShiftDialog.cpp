#include "print/widgets/PrinterShiftDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
QDoubleSpinBox* champ(QWidget* parent, const QString& nom, Mm limite)
{
    auto* c = new QDoubleSpinBox(parent);
    c->setObjectName(nom);
    c->setDecimals(1);
    c->setSingleStep(0.1);
    c->setRange(-limite.value, limite.value);
    c->setSuffix(QStringLiteral(" mm"));
    c->setAccelerated(true);
    return c;
}

QLabel* note(QWidget* parent, const QString& texte)
{
    auto* l = new QLabel(texte, parent);
    l->setWordWrap(true);
    return l;
}

double auDixieme(double mm)
{
    return std::round(mm * 10.0) / 10.0;
}
} // namespace

PrinterShiftDialog::PrinterShiftDialog(const PrinterShiftRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request)
{
    setObjectName(QStringLiteral("ReglageImprimante"));
    setWindowTitle(QStringLiteral("Réglage de l'imprimante"));

    m_printer = new QLabel(this);
    m_printer->setObjectName(QStringLiteral("NomImprimante"));
    m_printer->setTextFormat(Qt::PlainText);
    m_right = champ(this, QStringLiteral("DecalageDroite"), request.limit);
    m_down = champ(this, QStringLiteral("DecalageBas"), request.limit);
    m_right->setAccessibleName(QStringLiteral("Décalage vers la droite, en millimètres"));
    m_down->setAccessibleName(QStringLiteral("Décalage vers le bas, en millimètres"));

    auto* champs = new QFormLayout;
    champs->addRow(QStringLiteral("Décalage vers la &droite :"), m_right);
    champs->addRow(QStringLiteral("Décalage vers le &bas :"), m_down);

    auto* calibrage = new QPushButton(QStringLiteral("Imprimer la page de &calibrage..."), this);
    calibrage->setObjectName(QStringLiteral("Calibrage"));
    calibrage->setAutoDefault(false);
    calibrage->setEnabled(bool(request.printCalibration));
    connect(calibrage, &QPushButton::clicked, this, &PrinterShiftDialog::printCalibration);

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(m_printer);
    colonne->addLayout(champs);
    colonne->addWidget(note(this, QStringLiteral("Une valeur négative décale vers la gauche ou vers le haut. "
                                                 "Le décalage s'applique à tout ce qui s'imprime sur cette "
                                                 "imprimante.")));
    colonne->addWidget(calibrage);
    colonne->addWidget(
        note(this, QStringLiteral("La page de calibrage s'imprime sans décalage sur une enveloppe : "
                                  "pliez son bord gauche sur le trait vertical, puis son bord haut "
                                  "sur le trait horizontal ; la graduation de la règle où arrive le "
                                  "bord replié est la valeur à saisir.")));
    colonne->addWidget(boutons);
    colonne->setSizeConstraint(QLayout::SetFixedSize);

    showPrinter();
}

PointMm PrinterShiftDialog::shift() const
{
    return {Mm(auDixieme(m_right->value())), Mm(auDixieme(m_down->value()))};
}

void PrinterShiftDialog::showPrinter()
{
    const QString nom = m_request.printerName ? m_request.printerName() : QString();
    m_printer->setText(
        QStringLiteral("Imprimante : %1").arg(nom.isEmpty() ? QStringLiteral("(aucune)") : nom));
    const PointMm garde = m_request.storedShift ? m_request.storedShift() : PointMm{};
    m_right->setValue(garde.x.value);
    m_down->setValue(garde.y.value);
}

void PrinterShiftDialog::printCalibration()
{
    if (!m_request.printCalibration)
        return;
    const QString avant = m_request.printerName ? m_request.printerName() : QString();
    m_request.printCalibration();
    // The calibration's print dialog may have chosen another printer: its own values show.
    if (m_request.printerName && m_request.printerName() != avant)
        showPrinter();
}
