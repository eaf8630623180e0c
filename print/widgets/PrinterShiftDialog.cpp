#include "print/widgets/PrinterShiftDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
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

    const auto liste = [this](const QString& nom, const QString& accessible) {
        auto* c = new QComboBox(this);
        c->setObjectName(nom);
        c->setAccessibleName(accessible);
        return c;
    };
    m_paper = liste(QStringLiteral("Papier"), QStringLiteral("Papier"));
    m_paper->addItems(request.papers);
    m_source = liste(QStringLiteral("Bac"), QStringLiteral("Bac de l'imprimante"));
    m_feed = liste(QStringLiteral("Entree"), QStringLiteral("Bord de l'enveloppe qui entre en premier"));
    m_feed->addItems(request.feedEdges);
    m_feedPicture = new QLabel(this);
    m_feedPicture->setObjectName(QStringLiteral("ImageEntree"));
    connect(m_feed, &QComboBox::currentIndexChanged, this, &PrinterShiftDialog::showFeed);

    auto* champs = new QFormLayout;
    champs->addRow(QStringLiteral("&Papier :"), m_paper);
    champs->addRow(QStringLiteral("B&ac :"), m_source);
    champs->addRow(QStringLiteral("&Entre en premier :"), m_feed);
    champs->addRow(QString(), m_feedPicture);
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

PrinterSetup PrinterShiftDialog::setup() const
{
    return {std::max(0, m_paper->currentIndex()), m_source->currentData().toString(),
            m_feed->currentIndex() == int(FeedEdge::Left) ? FeedEdge::Left : FeedEdge::Right};
}

QPixmap PrinterShiftDialog::feedPicture(FeedEdge edge)
{
    // The envelope address side up, long side across, and an arrow into the printer on
    // the edge that goes in first.
    QPixmap image(176, 64);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF enveloppe(edge == FeedEdge::Left ? 40 : 4, 6, 132, 52);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(250, 248, 240));
    p.drawRect(enveloppe);
    p.setPen(QPen(Qt::darkGray, 2));
    for (int k = 0; k < 3; ++k)
        p.drawLine(QPointF(enveloppe.left() + 60, enveloppe.top() + 28 + 7 * k),
                   QPointF(enveloppe.left() + 112 - 10 * (k == 2), enveloppe.top() + 28 + 7 * k));
    p.fillRect(QRectF(enveloppe.left() + 8, enveloppe.top() + 6, 24, 12), Qt::gray);
    // The leading edge in red, and the arrow pointing where it goes.
    const bool droite = edge == FeedEdge::Right;
    const double bord = droite ? enveloppe.right() : enveloppe.left();
    p.setPen(QPen(Qt::red, 4));
    p.drawLine(QPointF(bord, enveloppe.top()), QPointF(bord, enveloppe.bottom()));
    const double depart = droite ? bord + 6 : bord - 6, bout = droite ? bord + 34 : bord - 34;
    const double pointe = droite ? bout - 10 : bout + 10;
    const double y = enveloppe.center().y();
    p.setPen(QPen(Qt::red, 3));
    p.drawLine(QPointF(depart, y), QPointF(bout, y));
    QPainterPath fleche;
    fleche.moveTo(bout, y);
    fleche.lineTo(pointe, y - 8);
    fleche.lineTo(pointe, y + 8);
    fleche.closeSubpath();
    p.fillPath(fleche, Qt::red);
    return image;
}

void PrinterShiftDialog::showFeed()
{
    m_feedPicture->setPixmap(feedPicture(setup().feedEdge));
    m_feedPicture->setAccessibleName(m_feed->currentText());
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
    const PrinterSetup reglage = m_request.storedSetup ? m_request.storedSetup() : PrinterSetup{};
    m_paper->setCurrentIndex(reglage.paper);
    m_source->clear();
    for (const auto& [cle, nom] : m_request.sources ? m_request.sources() : QList<QPair<QString, QString>>())
        m_source->addItem(nom, cle);
    if (m_source->findData(reglage.source) < 0)
        m_source->addItem(reglage.source, reglage.source); // kept, though the printer no longer lists it
    m_source->setCurrentIndex(m_source->findData(reglage.source));
    m_feed->setCurrentIndex(int(reglage.feedEdge));
    showFeed();
}

void PrinterShiftDialog::printCalibration()
{
    if (!m_request.printCalibration)
        return;
    const QString avant = m_request.printerName ? m_request.printerName() : QString();
    m_request.printCalibration(setup());
    // The calibration's print dialog may have chosen another printer: its own values show.
    if (m_request.printerName && m_request.printerName() != avant)
        showPrinter();
}
