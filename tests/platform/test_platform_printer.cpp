// The Qt printing service printing to PDF, read back with Poppler: every item at its
// physical place from the sheet's corner, no blank page at the end, settings that stick
// and come back, and failures said in French.
#include "platform/QtPrinterService.h"
#include "tests/print/LecturePdf.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr double kDpi = 300;

PointMm at(double x, double y)
{
    return {Mm(x), Mm(y)};
}
}  // namespace

class TestPlatformPrinter : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString fichier(const QString& nom) const { return m_dir.filePath(nom); }

private slots:
    void textAndLineEndsFromTheSheetsCorner()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(fichier(u"texte.pdf"_qs)));
        QVERIFY(service.setFontSize(18));
        const double interligne = service.textHeight(u"x"_qs).value().value;
        const double largeurBas = service.textWidth(u"Bas "_qs).value().value;

        QVERIFY(service.setPosition(at(7, 7)));
        QVERIFY(service.printText(u"Haut"_qs, LineEnd::Yes));
        QCOMPARE(service.position(), at(0, 7 + interligne));
        QVERIFY(service.printText(u"Bas "_qs, LineEnd::No));
        QVERIFY(service.printText(u"Suite"_qs, LineEnd::No));
        QVERIFY(service.endDocument());

        auto doc = pdf::ouvre(fichier(u"texte.pdf"_qs));
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 1);
        QCOMPARE_MM(pdf::tailleMm(*doc, 0).width(), 210.0);
        QCOMPARE_MM(pdf::tailleMm(*doc, 0).height(), 297.0);
        const auto haut = pdf::mot(*doc, 0, u"Haut"_qs);
        const auto bas = pdf::mot(*doc, 0, u"Bas"_qs);
        const auto suite = pdf::mot(*doc, 0, u"Suite"_qs);
        QVERIFY(haut && bas && suite);
        QCOMPARE_MM(haut->mm.left(), 10.0);
        QCOMPARE_MM(haut->mm.top(), 10.0);
        QCOMPARE_MM(bas->mm.left(), 3.0);  // a line end goes back to the printable area's left edge
        QCOMPARE_MM(bas->mm.top(), 10.0 + interligne);
        QCOMPARE_MM(suite->mm.left(), 3.0 + largeurBas);
        QCOMPARE_MM(suite->mm.top(), bas->mm.top());
    }

    void pagesComeOutOnlyWhenPrintedOn()
    {
        // Measuring and moving open no job: no file at all.
        QtPrinterService mesure;
        QVERIFY(mesure.setOutputFileName(fichier(u"rien.pdf"_qs)));
        QVERIFY(mesure.textWidth(u"Nom\r\net\r\nAdresse"_qs).value() > Mm(0));
        QVERIFY(mesure.setPosition(at(5, 5)));
        QVERIFY(mesure.endPage());
        QVERIFY(mesure.endDocument());
        QVERIFY(!QFile::exists(fichier(u"rien.pdf"_qs)));

        QtPrinterService service;
        QVERIFY(service.setOutputFileName(fichier(u"pages.pdf"_qs)));
        for (const QString& t : {u"Un"_qs, u"Deux"_qs}) {
            QVERIFY(service.setPosition(at(0, 0)));
            QVERIFY(service.printText(t, LineEnd::Yes));
            QVERIFY(service.endPage());
            QVERIFY(service.endPage());  // a second end makes no empty page either
        }
        QVERIFY(service.endDocument());
        auto doc = pdf::ouvre(fichier(u"pages.pdf"_qs));
        QCOMPARE(doc->numPages(), 2);
        QVERIFY(pdf::mot(*doc, 1, u"Deux"_qs));
    }

    void linesAndScaledImages()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(fichier(u"traits.pdf"_qs)));
        QVERIFY(service.drawLine(at(20, 10), at(40, 10)));
        QVERIFY(service.lineTo(at(40, 30)));  // from the end of the line before
        QImage noir(4, 2, QImage::Format_RGB32);
        noir.fill(Qt::black);
        QVERIFY(service.drawImage(noir, RectMm{Mm(100), Mm(100), Mm(20), Mm(10)}));
        QVERIFY(service.endDocument());

        auto doc = pdf::ouvre(fichier(u"traits.pdf"_qs));
        const QImage page = pdf::rendu(*doc, 0, kDpi);
        QVERIFY(pdf::encre(page, kDpi, 33, 13));  // along the first line, 3 mm in from the edges
        QVERIFY(pdf::encre(page, kDpi, 43, 23));  // down the second
        QVERIFY(!pdf::encre(page, kDpi, 33, 23));
        QVERIFY(pdf::encre(page, kDpi, 122, 112));
        QVERIFY(!pdf::encre(page, kDpi, 124, 104));  // the image ends 20 mm on
        QVERIFY(!pdf::encre(page, kDpi, 104, 114));
    }

    void settingsStickAndComeBack()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(fichier(u"reglages.pdf"_qs)));
        QVERIFY(service.setPaperA4());
        const int a4 = service.paperSize().value();
        QVERIFY(service.setPaperSize(int(QPageSize::A5)));
        QCOMPARE(service.printer().pageLayout().pageSize().id(), QPageSize::A5);
        QVERIFY(service.setPaperSize(a4));
        QCOMPARE(service.printer().pageLayout().pageSize().id(), QPageSize::A4);

        // A size of no standard name comes back as it was.
        QVERIFY(service.printer().setPageSize(QPageSize(QSizeF(123, 234), QPageSize::Millimeter)));
        const int perso = service.paperSize().value();
        QVERIFY(service.setPaperA4());
        QVERIFY(service.setPaperSize(perso));
        QCOMPARE(service.printer().pageLayout().pageSize().size(QPageSize::Millimeter), QSizeF(123, 234));
        QVERIFY(service.setPaperA4());

        QCOMPARE(service.printableHeight().value().value, 291.0);
        QVERIFY(service.setOrientation(PageOrientation::Landscape));
        QCOMPARE(service.orientation().value(), PageOrientation::Landscape);
        QCOMPARE(service.printableHeight().value().value, 204.0);
    }

    void failuresSayWhyInFrench()
    {
        QtPrinterService sansFichier;
        sansFichier.printer().setOutputFileName(QString());  // (a printer queue, if there is one)
        sansFichier.printer().setOutputFormat(QPrinter::PdfFormat);  // then the PDF printer, with no file
        const Status rien = sansFichier.printText(u"x"_qs, LineEnd::No);
        QVERIFY(!rien);
        QVERIFY(rien.error().startsWith(u"Aucune imprimante n'est installée"_qs));

        QtPrinterService dossierAbsent;
        QVERIFY(dossierAbsent.setOutputFileName(fichier(u"absent/x.pdf"_qs)));
        const Status ecrit = dossierAbsent.drawLine(at(0, 0), at(1, 1));
        QVERIFY(!ecrit);
        QVERIFY(ecrit.error().startsWith(u"Impossible d'écrire le fichier"_qs));
        QVERIFY(dossierAbsent.endDocument());  // nothing was opened, nothing to end

        QtPrinterService service;
        QCOMPARE(service.drawImage(QImage(), RectMm{}).error(), u"L'image à imprimer est vide."_qs);
        QCOMPARE(service.setPaperSize(-4).error(), u"Format de papier inconnu (code -4)."_qs);
        QVERIFY(!service.setCopies(0));
        QVERIFY(!service.setFontSize(0));
        QVERIFY(!service.selectPrinter(u"Plivane-aucune-imprimante-de-ce-nom"_qs));
    }
};

QTEST_MAIN(TestPlatformPrinter)
#include "test_platform_printer.moc"
