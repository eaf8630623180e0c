#include "platform/widgets/QtPrinterService.h"

#include "platform/CupsQueue.h"

#include <QDir>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {
QStringList lignes(const QString& text)
{
    static const QRegularExpression kFinDeLigne(QStringLiteral("\r\n|\n|\r"));
    return text.split(kFinDeLigne);
}

// Crop marks and other lines are drawn a fifth of a millimetre wide: thin enough to mark
// a cut, wide enough to come out on any printer and in any PDF viewer. A tenth was lost
// by drivers that rasterise at 300 dpi and drop lines thinner than their dot.
constexpr Mm kEpaisseurTrait = Mm(0.2);

constexpr int kPremierCodePersonnalise = 1000;

// The IPP keyword CUPS gives a driver's input slot, as its driver cache does: a few known
// names, else the name split at its words and digits ("Tray1" is "tray-1", "ByPassTray"
// is "by-pass-tray").
QString sourceOfSlot(const QString& slot)
{
    const auto commence = [&](const char* debut) {
        return slot.startsWith(QLatin1String(debut), Qt::CaseInsensitive);
    };
    const auto est = [&](const char* nom) {
        return slot.compare(QLatin1String(nom), Qt::CaseInsensitive) == 0;
    };
    if (commence("Auto"))
        return QStringLiteral("auto");
    if (commence("Cassette"))
        return QStringLiteral("main");
    if (commence("Multipurpose") || est("MP") || est("MPTray"))
        return QStringLiteral("by-pass-tray");
    if (est("LargeCapacity"))
        return QStringLiteral("large-capacity");
    if (commence("Lower"))
        return QStringLiteral("bottom");
    if (commence("Upper"))
        return QStringLiteral("top");
    QString mot;
    for (qsizetype i = 0; i < slot.size(); ++i) {
        const QChar c = slot[i];
        const QChar avant = i > 0 ? slot[i - 1] : QChar();
        if (i > 0 && ((c.isUpper() && avant.isLower()) || (c.isDigit() && avant.isLetter())))
            mot += u'-';
        mot += c.isLetterOrNumber() ? c.toLower() : QChar(u'-');
    }
    return mot;
}

QString nomFormat(const QPageSize& size)
{
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return QStringLiteral("%1 (%2 x %3 mm)").arg(size.name()).arg(mm.width()).arg(mm.height());
}
} // namespace

QtPrinterService::QtPrinterService() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_font.setFamily(QStringLiteral("Arial"));
    m_font.setPointSizeF(8.25);
    // Without any printer installed, Qt's PDF printer measures, and prints once a file
    // has been chosen.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setFullPage(true);
}

QtPrinterService::~QtPrinterService()
{
    // A job still open when the program ends is handed to the printer rather than lost.
    if (documentOpen())
        (void)endDocument();
}

bool QtPrinterService::documentOpen() const
{
    return m_painter && m_painter->isActive();
}

Status QtPrinterService::setOutputFileName(const QString& path)
{
    if (documentOpen())
        return Status::failure(
            QStringLiteral("Une impression est en cours : le fichier de sortie ne peut pas changer."));
    if (path.isEmpty()) {
        m_printer->setOutputFileName(QString());
        const QString defaut = QPrinterInfo::defaultPrinterName();
        if (defaut.isEmpty())
            m_printer->setOutputFormat(QPrinter::PdfFormat);
        else
            m_printer->setPrinterName(defaut);
    } else {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(path);
    }
    m_metrics.reset();
    return Status::ok();
}

Status QtPrinterService::selectPrinter(const QString& queueName)
{
    if (documentOpen())
        return Status::failure(
            QStringLiteral("Une impression est en cours : l'imprimante ne peut pas changer."));
    if (QPrinterInfo::printerInfo(queueName).isNull())
        return Status::failure(QStringLiteral("L'imprimante « %1 » est introuvable.").arg(queueName));
    m_printer->setOutputFileName(QString());
    m_printer->setPrinterName(queueName);
    m_metrics.reset();
    return Status::ok();
}

namespace {
void copieReglages(const QPrinter& source, const QString& fichier, QPrinter& cible)
{
    if (source.outputFormat() == QPrinter::NativeFormat) {
        cible.setOutputFileName(QString());
        cible.setPrinterName(source.printerName());
    } else {
        cible.setOutputFormat(QPrinter::PdfFormat);
        cible.setOutputFileName(fichier);
    }
    cible.setPageLayout(source.pageLayout());
    cible.setCopyCount(source.copyCount());
    cible.setCollateCopies(source.collateCopies());
    cible.setDuplex(source.duplex());
    cible.setColorMode(source.colorMode());
    cible.setDocName(source.docName());
    cible.setFullPage(true);
}
} // namespace

void QtPrinterService::takeSettingsOf(const QtPrinterService& other)
{
    copieReglages(*other.m_printer, other.outputFile(), *m_printer);
    m_jobFolder = other.m_jobFolder;
    m_customSizes = other.m_customSizes; // so that paper codes read there mean the same here
    m_font = other.m_font;
    m_colour = other.m_colour;
    m_metrics.reset();
}

QString QtPrinterService::pdfOutputName()
{
    return QStringLiteral("Fichier PDF");
}

QString QtPrinterService::printerName() const
{
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        return pdfOutputName();
    return m_printer->printerName();
}

QString QtPrinterService::outputFile() const
{
    return m_pdf ? m_chosenFile : m_printer->outputFileName();
}

QueueState QtPrinterService::queueState()
{
    if (m_printer->outputFormat() != QPrinter::NativeFormat || previewing())
        return {};
    return CupsQueue(m_printer->printerName()).state();
}

void QtPrinterService::setJobName(const QString& name, const QString& folder)
{
    m_printer->setDocName(name);
    m_jobFolder = folder;
}

QString QtPrinterService::proposedOutputFile() const
{
    const QString nom = m_printer->docName();
    if (nom.isEmpty() || m_jobFolder.isEmpty())
        return {};
    return QDir(m_jobFolder).filePath(nom + QStringLiteral(".pdf"));
}

Status QtPrinterService::setShift(PointMm shift)
{
    if (!std::isfinite(shift.x.value) || !std::isfinite(shift.y.value))
        return Status::failure(QStringLiteral("Décalage de l'impression impossible."));
    m_shift = shift;
    return Status::ok();
}

Status QtPrinterService::setUnitMillimetres()
{
    return Status::ok(); // the service knows no other unit
}

Status QtPrinterService::setFontName(const QString& name)
{
    if (name.trimmed().isEmpty())
        return Status::failure(QStringLiteral("Nom de police vide."));
    if (m_font.family() != name) {
        m_font.setFamily(name);
        m_metrics.reset();
    }
    return Status::ok();
}

Status QtPrinterService::setFontItalic(bool on)
{
    if (m_font.italic() != on) {
        m_font.setItalic(on);
        m_metrics.reset();
    }
    return Status::ok();
}

Status QtPrinterService::setFontBold(bool on)
{
    if (m_font.bold() != on) {
        m_font.setBold(on);
        m_metrics.reset();
    }
    return Status::ok();
}

Status QtPrinterService::setFontUnderline(bool on)
{
    if (m_font.underline() != on) {
        m_font.setUnderline(on);
        m_metrics.reset();
    }
    return Status::ok();
}

Status QtPrinterService::setFontSize(double points)
{
    if (!(points > 0.0) || points > 1638.0)
        return Status::failure(QStringLiteral("Taille de police impossible : %1.").arg(points));
    if (m_font.pointSizeF() != points) {
        m_font.setPointSizeF(points);
        m_metrics.reset();
    }
    return Status::ok();
}

Status QtPrinterService::setTextColour(const QColor& colour)
{
    if (!colour.isValid())
        return Status::failure(QStringLiteral("Couleur de texte invalide."));
    m_colour = colour;
    return Status::ok();
}

const QFontMetricsF& QtPrinterService::metrics()
{
    // Metrics hold the resolution they were made at; the print dialog may have changed
    // the printer since.
    const int dpi = m_printer->resolution();
    if (!m_metrics || m_metricsDpi != dpi) {
        m_metrics.emplace(m_font, m_printer.get());
        m_metricsDpi = dpi;
    }
    return *m_metrics;
}

Result<Mm> QtPrinterService::textWidth(const QString& text)
{
    const QFontMetricsF& m = metrics();
    double widest = 0.0;
    for (const QString& line : lignes(text))
        widest = std::max(widest, m.horizontalAdvance(line));
    return units::fromDevicePixels(widest, m_printer->resolution());
}

Result<Mm> QtPrinterService::textHeight(const QString& text)
{
    return units::fromDevicePixels(metrics().lineSpacing() * lignes(text).size(), m_printer->resolution());
}

// Settings. A printer refuses a value when it does not keep it, or, for paper, when the
// size is not one the printer has: a CUPS queue takes any size it is given and then
// prints on one of its own, so its list of sizes is the only honest answer.

Result<int> QtPrinterService::copies()
{
    return m_printer->copyCount();
}

Status QtPrinterService::setCopies(int copies)
{
    if (copies < 1)
        return Status::failure(QStringLiteral("Nombre de copies impossible : %1.").arg(copies));
    if (!documentOpen())
        m_printer->setCopyCount(copies);
    if (m_printer->copyCount() != copies)
        return Status::failure(QStringLiteral("%1 n'accepte pas le nombre de copies demandé (%2).")
                                   .arg(printerDescription())
                                   .arg(copies));
    return Status::ok();
}

int QtPrinterService::codeFor(const QPageSize& size)
{
    if (size.id() != QPageSize::Custom)
        return int(size.id());
    for (std::size_t i = 0; i < m_customSizes.size(); ++i)
        if (m_customSizes[i].isEquivalentTo(size))
            return kPremierCodePersonnalise + int(i);
    m_customSizes.push_back(size);
    return kPremierCodePersonnalise + int(m_customSizes.size()) - 1;
}

Result<int> QtPrinterService::paperSize()
{
    const QPageSize size = m_printer->pageLayout().pageSize();
    if (!size.isValid())
        return Status::failure(
            QStringLiteral("Le format du papier de %1 est inconnu.").arg(printerDescription()));
    return codeFor(size);
}

Status QtPrinterService::setPaperSize(int code)
{
    if (code >= kPremierCodePersonnalise && code - kPremierCodePersonnalise < int(m_customSizes.size()))
        return setPageSizeChecked(m_customSizes[std::size_t(code - kPremierCodePersonnalise)]);
    if (code < 0 || code >= int(QPageSize::LastPageSize) || code == int(QPageSize::Custom))
        return Status::failure(QStringLiteral("Format de papier inconnu (code %1).").arg(code));
    return setPageSizeChecked(QPageSize(QPageSize::PageSizeId(code)));
}

Status QtPrinterService::setPaperA4()
{
    return setPageSizeChecked(QPageSize(QPageSize::A4));
}

Status QtPrinterService::setPageSizeChecked(const QPageSize& size)
{
    const auto refus = [&] {
        return Status::failure(QStringLiteral("%1 ne propose pas le format de papier %2.")
                                   .arg(printerDescription(), nomFormat(size)));
    };
    if (m_printer->outputFormat() == QPrinter::NativeFormat) {
        const QPrinterInfo info(*m_printer);
        const QList<QPageSize> offerts = info.supportedPageSizes();
        const bool propose = std::any_of(offerts.begin(), offerts.end(), [&](const QPageSize& s) {
            return s.isEquivalentTo(size) || (size.id() != QPageSize::Custom && s.id() == size.id());
        });
        if (!info.isNull() && !offerts.isEmpty() && !propose &&
            !(size.id() == QPageSize::Custom && info.supportsCustomPageSizes()))
            return refus();
    }
    if (!m_printer->setPageSize(size) || !m_printer->pageLayout().pageSize().isEquivalentTo(size))
        return refus();
    return Status::ok();
}

Status QtPrinterService::setPaperMedium(const PaperMedium& medium)
{
    const QPageSize size(QSizeF(medium.width.value, medium.length.value), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    // A queue is asked for the medium by its own name: its list of sizes need not hold
    // the one Qt would compute.
    if (!size.isValid() || !m_printer->setPageSize(size) ||
        !m_printer->pageLayout().pageSize().isEquivalentTo(size))
        return Status::failure(QStringLiteral("%1 ne propose pas le format de papier %2.")
                                   .arg(printerDescription(), nomFormat(size)));
    m_medium = medium;
    return Status::ok();
}

Status QtPrinterService::setPaperSource(const QString& source)
{
    m_source = source;
    m_sourceIsSlot = false;
    if (source.isEmpty() || !toQueue())
        return Status::ok();
    // What the run has just read of this printer, else what it says now.
    const PrinterCapabilities capacites =
        m_capabilitiesOf == m_printer->printerName() ? m_capabilities : capabilities();
    if (!capacites.known || capacites.sources.contains(source))
        return Status::ok();
    if (capacites.inputSlots.contains(source)) {
        m_sourceIsSlot = true;
        return Status::ok();
    }
    m_source.clear();
    QStringList bacs = capacites.sources;
    for (const QString& slot : capacites.inputSlots)
        if (!bacs.contains(sourceOfSlot(slot)))
            bacs.append(slot);
    return Status::failure(QStringLiteral("L'imprimante « %1 » n'a pas de bac « %2 ». Ses bacs : %3.")
                               .arg(m_printer->printerName(), source, bacs.join(QStringLiteral(", "))));
}

Status QtPrinterService::setFeedEdge(FeedEdge edge)
{
    m_feedEdge = edge;
    return Status::ok();
}

bool QtPrinterService::toQueue() const
{
    return m_printer->outputFormat() == QPrinter::NativeFormat && !previewing();
}

PrinterCapabilities QtPrinterService::capabilities()
{
    if (m_printer->outputFormat() != QPrinter::NativeFormat)
        return {};
    // Read again at each call: what the printer holds changes as the user loads paper.
    m_capabilities = CupsQueue(m_printer->printerName()).capabilities();
    m_capabilitiesOf = m_printer->printerName();
    return m_capabilities;
}

JobOutcome QtPrinterService::jobOutcome(const PrintJob& job)
{
    return CupsQueue::outcome(job.id);
}

Result<PageOrientation> QtPrinterService::orientation()
{
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape ? PageOrientation::Landscape
                                                                           : PageOrientation::Portrait;
}

Status QtPrinterService::setOrientation(PageOrientation orientation)
{
    const QPageLayout::Orientation voulue =
        orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (!m_printer->setPageOrientation(voulue) || m_printer->pageLayout().orientation() != voulue)
        return Status::failure(QStringLiteral("%1 n'accepte pas l'orientation %2.")
                                   .arg(printerDescription(), orientation == PageOrientation::Landscape
                                                                  ? QStringLiteral("Paysage")
                                                                  : QStringLiteral("Portrait")));
    return Status::ok();
}

Result<Mm> QtPrinterService::printableHeight()
{
    const QRectF feuille = m_printer->pageLayout().fullRect(QPageLayout::Millimeter);
    if (feuille.height() <= 2 * kMargeFeuille.value)
        return Status::failure(
            QStringLiteral("Le format du papier de %1 est inconnu.").arg(printerDescription()));
    return Mm(feuille.height()) - kMargeFeuille * 2;
}

// Output.

QString QtPrinterService::printerDescription() const
{
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("L'impression dans un fichier PDF");
    return QStringLiteral("L'imprimante « %1 »").arg(m_printer->printerName());
}

double QtPrinterService::toPixels(Mm length) const
{
    return units::toDevicePixels(length, m_dpi);
}

QPointF QtPrinterService::toDevice(PointMm point) const
{
    return {toPixels(point.x + kMargeFeuille + m_shift.x), toPixels(point.y + kMargeFeuille + m_shift.y)};
}

bool QtPrinterService::previewing() const
{
    // Qt's preview paints a printer's pages into pictures; its engine is the only one of
    // that type a printer ever has.
    const QPaintEngine* engine = m_printer->paintEngine();
    return engine && engine->type() == QPaintEngine::Picture;
}

Status QtPrinterService::beginOutput()
{
    if (documentOpen()) {
        if (m_newPageDue) {
            if (!target().newPage())
                return Status::failure(
                    QStringLiteral("%1 n'a pas pu commencer une nouvelle page.").arg(printerDescription()));
            turnPage();
            m_newPageDue = false;
            m_pageHasOutput = false;
        }
        return Status::ok();
    }

    const bool preview = previewing();
    const bool pdf = m_printer->outputFormat() == QPrinter::PdfFormat && !preview;
    if (pdf && m_printer->outputFileName().isEmpty())
        return Status::failure(QStringLiteral("Aucune imprimante n'est installée et aucun fichier n'a été "
                                              "choisi : choisissez « Imprimer dans un "
                                              "fichier (PDF) » dans la fenêtre d'impression."));
    if (pdf) {
        auto fichier = std::make_unique<SafePdfFile>(m_printer->outputFileName());
        if (Status s = fichier->open(); !s)
            return s;
        m_chosenFile = m_printer->outputFileName();
        m_printer->setOutputFileName(fichier->temporaryPath());
        m_pdf = std::move(fichier);
    }
    m_printer->setFullPage(true);
    m_lastJob.reset();
    if (toQueue()) {
        // Nameless: a run killed before the job is handed over leaves no addresses behind.
        m_jobFile = std::make_unique<FichierSansNom>();
        if (!m_jobFile->ouvre(QFile::encodeName(QDir::temp().filePath(QStringLiteral("plivane.pdf"))),
                              0600)) {
            m_jobFile.reset();
            return Status::failure(QStringLiteral("%1 n'a pas pu commencer l'impression : le dossier "
                                                  "temporaire « %2 » refuse l'écriture.")
                                       .arg(printerDescription(), QDir::tempPath()));
        }
        // The sheet as it enters the printer. A PDF has no resolution of its own: Qt's
        // writer works at its high one, and at a printer's 300 dpi it takes half as long
        // again for the same pages.
        m_job = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_job->setOutputFormat(QPrinter::PdfFormat);
        m_job->setOutputFileName(QFile::decodeName(m_jobFile->chemin()));
        m_job->setDocName(m_printer->docName());
        m_job->setCreator(QStringLiteral("Plivane"));
        m_job->setPageLayout(
            QPageLayout(m_printer->pageLayout().pageSize(), QPageLayout::Portrait, QMarginsF()));
        m_job->setFullPage(true);
    }
    if (!m_painter)
        m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(&target())) {
        m_job.reset();
        m_jobFile.reset();
        if (pdf) {
            m_printer->setOutputFileName(m_chosenFile);
            m_pdf.reset();
            return Status::failure(QStringLiteral("Impossible d'écrire le fichier « %1 ».")
                                       .arg(QFileInfo(m_chosenFile).absoluteFilePath()));
        }
        return Status::failure(
            QStringLiteral("%1 n'a pas pu commencer l'impression.").arg(printerDescription()));
    }
    m_dpi = target().resolution();
    turnPage();
    // A preview shows each page once, whatever the copies; a queue makes them itself.
    m_pagesToRepeat =
        preview || m_job || m_printer->supportsMultipleCopies() ? 1 : std::max(1, m_printer->copyCount());
    m_newPageDue = false;
    m_pageHasOutput = false;
    m_pageTrace.clear();
    return Status::ok();
}

void QtPrinterService::turnPage()
{
    if (!m_job || m_printer->pageLayout().orientation() != QPageLayout::Landscape)
        return;
    // The page as painted is the sheet's landscape; the edge that enters first goes to the
    // top of the sheet as it is sent.
    const QRect feuille = m_job->pageLayout().fullRectPixels(m_job->resolution());
    m_painter->resetTransform();
    if (m_feedEdge == FeedEdge::Right) {
        m_painter->translate(0, feuille.height());
        m_painter->rotate(-90);
    } else {
        m_painter->translate(feuille.width(), 0);
        m_painter->rotate(90);
    }
}

void QtPrinterService::paint(const Trace& trace)
{
    switch (trace.kind) {
    case Trace::Text:
        if (trace.text.isEmpty())
            break; // an empty text only moves the position
        if (m_painter->font() != trace.font)
            m_painter->setFont(trace.font);
        if (m_painter->pen() != trace.pen)
            m_painter->setPen(trace.pen);
        m_painter->drawText(trace.a, trace.text);
        break;
    case Trace::Line:
        if (m_painter->pen() != trace.pen)
            m_painter->setPen(trace.pen);
        m_painter->drawLine(trace.a, trace.b);
        break;
    case Trace::Image:
        m_painter->drawImage(trace.rect, trace.image);
        break;
    }
}

void QtPrinterService::record(Trace trace)
{
    paint(trace);
    m_pageHasOutput = true;
    if (m_pagesToRepeat > 1)
        m_pageTrace.push_back(std::move(trace));
}

Status QtPrinterService::finishPage()
{
    // The copies a PDF cannot ask for are painted here, each on a page of its own, so
    // that a run to a file holds every envelope the quantity asks for.
    for (int copie = 1; copie < m_pagesToRepeat && m_pageHasOutput; ++copie) {
        if (!target().newPage())
            return Status::failure(
                QStringLiteral("%1 n'a pas pu commencer une nouvelle page.").arg(printerDescription()));
        for (const Trace& trace : m_pageTrace)
            paint(trace);
    }
    m_pageTrace.clear();
    return Status::ok();
}

Status QtPrinterService::setPosition(PointMm where)
{
    if (!std::isfinite(where.x.value) || !std::isfinite(where.y.value))
        return Status::failure(QStringLiteral("Position d'impression impossible."));
    m_position = where;
    return Status::ok();
}

Status QtPrinterService::printText(const QString& text, LineEnd lineEnd)
{
    if (Status s = beginOutput(); !s)
        return s;
    const QFontMetricsF& m = metrics();
    const QPointF coin = toDevice(m_position);
    Trace trace{Trace::Text, QPointF(coin.x(), coin.y() + m.ascent()), {}, {}, text, m_font, QPen(m_colour),
                {}};
    record(std::move(trace));
    if (lineEnd == LineEnd::Yes)
        m_position = {Mm(0), m_position.y + units::fromDevicePixels(m.lineSpacing(), m_dpi)};
    else
        m_position.x += units::fromDevicePixels(m.horizontalAdvance(text), m_dpi);
    return Status::ok();
}

Status QtPrinterService::drawLine(PointMm from, PointMm to)
{
    if (Status s = setPosition(from); !s)
        return s;
    return lineTo(to);
}

Status QtPrinterService::lineTo(PointMm to)
{
    if (!std::isfinite(to.x.value) || !std::isfinite(to.y.value))
        return Status::failure(QStringLiteral("Position d'impression impossible."));
    if (Status s = beginOutput(); !s)
        return s;
    QPen pen(m_colour, toPixels(kEpaisseurTrait));
    pen.setCapStyle(Qt::FlatCap);
    record(Trace{Trace::Line, toDevice(m_position), toDevice(to), {}, {}, {}, pen, {}});
    m_position = to;
    return Status::ok();
}

Status QtPrinterService::drawImage(const QImage& image, RectMm where)
{
    if (image.isNull())
        return Status::failure(QStringLiteral("L'image à imprimer est vide."));
    if (!(where.width.value > 0) || !(where.height.value > 0) || !std::isfinite(where.left.value) ||
        !std::isfinite(where.top.value))
        return Status::failure(QStringLiteral("Dimensions d'image impossibles."));
    if (Status s = beginOutput(); !s)
        return s;
    const QPointF coin = toDevice({where.left, where.top});
    record(Trace{Trace::Image,
                 {},
                 {},
                 QRectF(coin, QSizeF(toPixels(where.width), toPixels(where.height))),
                 {},
                 {},
                 {},
                 image});
    return Status::ok();
}

Status QtPrinterService::endPage()
{
    // The new page itself waits for output: a page that no output follows never exists.
    if (!documentOpen() || m_newPageDue || !m_pageHasOutput)
        return Status::ok();
    if (Status s = finishPage(); !s)
        return s;
    m_newPageDue = true;
    return Status::ok();
}

QString QtPrinterService::inputSlotFor(const QString& source) const
{
    if (m_capabilitiesOf != m_printer->printerName())
        return {};
    for (const QString& slot : m_capabilities.inputSlots)
        if (sourceOfSlot(slot) == source)
            return slot;
    return {};
}

QList<QPair<QByteArray, QByteArray>> QtPrinterService::jobOptions() const
{
    QList<QPair<QByteArray, QByteArray>> options;
    const QPageSize page = m_printer->pageLayout().pageSize();
    QByteArray media = page.key().toUtf8();
    if (!m_medium.name.isEmpty() &&
        page.isEquivalentTo(
            QPageSize(QSizeF(m_medium.width.value, m_medium.length.value), QPageSize::Millimeter)))
        media = m_medium.name.toUtf8();
    else if (page.id() == QPageSize::A4)
        media = "iso_a4_210x297mm";
    options.append({"media", media});
    if (media == m_medium.name.toUtf8() && m_capabilitiesOf == m_printer->printerName()) {
        // The printer's envelope setting, where it has one, by each of its names.
        if (m_capabilities.types.contains(QStringLiteral("envelope")))
            options.append({QByteArray("media-type"), QByteArray("envelope")});
        for (const QString& type : m_capabilities.driverTypes)
            if (type.startsWith(QStringLiteral("env"), Qt::CaseInsensitive)) {
                options.append({QByteArray("MediaType"), type.toUtf8()});
                break;
            }
    }
    if (m_sourceIsSlot) {
        options.append({QByteArray("InputSlot"), m_source.toUtf8()});
    } else if (!m_source.isEmpty()) {
        options.append({QByteArray("media-source"), m_source.toUtf8()});
        // A queue with a driver, IPP Everywhere's included, hands its printer the source
        // named by its driver's input slot, and ignores the IPP keyword.
        if (const QString slot = inputSlotFor(m_source); !slot.isEmpty())
            options.append({QByteArray("InputSlot"), slot.toUtf8()});
    }
    // The page is already as the sheet enters; nothing may turn or scale it again.
    options.append({QByteArray("orientation-requested"), QByteArray("3")});
    options.append({QByteArray("print-scaling"), QByteArray("none")});
    const int copies = m_printer->copyCount();
    if (copies > 1) {
        // Each envelope its copies in a row, as a print to a file gives them.
        options.append({"copies", QByteArray::number(copies)});
        options.append(
            {QByteArray("multiple-document-handling"), QByteArray("separate-documents-uncollated-copies")});
        options.append({QByteArray("Collate"), QByteArray("False")});
    }

    // The print dialog keeps the choices made in its printer properties in Qt's engine
    // (Qt's private key for them). What the program sets overrides them, and so does what
    // it means by leaving a setting unset: one copy, the page's own size and source.
    static const auto kOptionsCups = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    static const QStringList kReservees = {"PageSize",    "PageRegion", "landscape",
                                           "fit-to-page", "scaling",    "number-up",
                                           "copies",      "Collate",    "multiple-document-handling"};
    const auto notre = [&](const QString& nom) {
        return kReservees.contains(nom) || std::any_of(options.begin(), options.end(), [&](const auto& o) {
                   return o.first == nom.toUtf8();
               });
    };
    const QStringList choix = m_printer->printEngine()->property(kOptionsCups).toStringList();
    for (qsizetype i = 0; i + 1 < choix.size(); i += 2)
        if (!notre(choix[i]) && !(!m_source.isEmpty() && choix[i] == QLatin1String("InputSlot")))
            options.append({choix[i].toUtf8(), choix[i + 1].toUtf8()});
    return options;
}

Status QtPrinterService::handOver()
{
    const std::unique_ptr<FichierSansNom> fichier = std::move(m_jobFile);
    const std::unique_ptr<QPrinter> travail = std::move(m_job);
    // Qt's PDF writer says nothing of a full disk: a job cut short would print garbage.
    if (travail->printerState() == QPrinter::Error ||
        !SafePdfFile::isWhole(QFile::decodeName(fichier->chemin())))
        return Status::failure(
            QStringLiteral("%1 n'a rien reçu : l'impression n'a pas pu être préparée en entier "
                           "dans le dossier temporaire « %2 ». Le disque est peut-être plein.")
                .arg(printerDescription(), QDir::tempPath()));
    const Result<int> numero =
        CupsQueue(m_printer->printerName())
            .submit(QFile::decodeName(fichier->chemin()), m_printer->docName(), jobOptions());
    if (!numero)
        return numero.status();
    m_lastJob = PrintJob{m_printer->printerName(), numero.value()};
    return Status::ok();
}

Status QtPrinterService::endDocument()
{
    if (!documentOpen())
        return Status::ok(); // nothing was printed: no job, no page
    Status copies = m_newPageDue ? Status::ok() : finishPage();
    const bool fini = m_painter->end();
    const std::unique_ptr<SafePdfFile> pdf = std::move(m_pdf);
    if (pdf)
        m_printer->setOutputFileName(m_chosenFile);
    m_newPageDue = false;
    m_pageHasOutput = false;
    m_pageTrace.clear();

    Status remis = Status::ok();
    if (m_job)
        remis = fini ? handOver()
                     : Status::failure(
                           QStringLiteral("%1 n'a pas pu terminer l'impression.").arg(printerDescription()));
    else if (!fini || m_printer->printerState() == QPrinter::Error)
        remis = pdf ? pdf->notWhole()
                    : Status::failure(
                          QStringLiteral("%1 n'a pas pu terminer l'impression.").arg(printerDescription()));
    else if (pdf)
        remis = pdf->commit();
    m_job.reset();
    m_jobFile.reset();
    if (pdf && !remis) {
        // Qt's PDF writer keeps a failed write for every later document of the same
        // printer, and writes nothing more while saying it did: the next document gets a
        // fresh printer with the same settings. (Switching the output format back and forth
        // does not do it where no printer is installed: the switch is refused.)
        auto neuve = std::make_unique<QPrinter>(QPrinter::HighResolution);
        copieReglages(*m_printer, m_chosenFile, *neuve);
        m_printer = std::move(neuve);
        m_metrics.reset();
    }
    return remis ? copies : remis; // what is lost matters most
}
