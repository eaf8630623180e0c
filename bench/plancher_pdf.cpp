// The floor of "plivane --pdf", as a whole program: a bare QPainter loop that writes n
// envelopes' texts, in the same fonts at the same places, on as many pages of a PDF, and
// nothing else. Usage: plancher_pdf N SORTIE.pdf
#include "app/ReglagesModele.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int n = std::atoi(argv[1]);
    const QStringList expediteur = {QStringLiteral("Jeanne Dupont"), QStringLiteral("12 rue des Lilas"),
                                    QStringLiteral("75011 Paris")};
    const ReglagesModele reglages;

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(argv[2]));
    printer.setFullPage(true);
    QPainter painter(&printer);
    const double dpi = printer.resolution();
    const auto px = [dpi](double mm) { return mm * dpi / 25.4; };
    const QFont exp = reglages.PoliceExp.toQFont();
    const QFont dest = reglages.PoliceDest.toQFont();
    const QFontMetricsF me(exp, &printer);
    const QFontMetricsF md(dest, &printer);
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            printer.newPage();
        painter.setFont(exp);
        double y = px(10) + me.ascent();
        for (const QString& ligne : expediteur) {
            painter.drawText(QPointF(px(10), y), ligne);
            y += me.lineSpacing();
        }
        painter.setFont(dest);
        const QStringList lignes = {QStringLiteral("M. Zoé Martin-%1").arg(i),
                                    QStringLiteral("%1 rue du Marché").arg(i % 300),
                                    QStringLiteral("%1 Lyon").arg(69001 + i % 9)};
        y = px(90) - md.lineSpacing() * lignes.size() + md.ascent();
        for (const QString& ligne : lignes) {
            painter.drawText(QPointF(px(100), y), ligne);
            y += md.lineSpacing();
        }
    }
    return painter.end() ? 0 : 1;
}
