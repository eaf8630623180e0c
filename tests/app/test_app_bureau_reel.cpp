// The window on a real desktop. Under a dark theme the envelope stays paper: the print,
// read back with Poppler, has its ink where a light theme has it, the preview is the same
// picture, and no caption fades into what it is painted on. With Arial and Times New
// Roman only fontconfig's names for Liberation faces, OK in Qt's own font dialog shows
// the face that prints and changes neither the saved file nor the preview.
#include "addresses/Form2.h"
#include "layout/Modele.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "print/Form3.h"
#include "tests/app/BancForm1.h"
#include "tests/print/LecturePdf.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QTimer>

namespace {
// Qt's own font dialog, accepted once it shows, with the face and size it showed kept.
struct DialoguesQt : ScriptedDialogs {
    QtDialogs qt;
    QString vu;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override
    {
        QTimer::singleShot(50, [this] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            const QFont f = d->findChild<QFontDialog*>()->currentFont();
            vu = f.family() + u' ' + QString::number(f.pointSizeF());
            d->accept();
        });
        return qt.chooseFont(initial);
    }
};

QByteArray sauve(Banc<QtPrinterService, DialoguesQt>& b, const QString& nom)
{
    b.dialogs.saveAnswers = {b.dossier.filePath(nom)};
    b.c().Sauver->click();
    QFile f(b.dossier.filePath(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class TestBureauReel : public QObject {
    Q_OBJECT
private slots:
    void policeAliasOkSansChangement_data()
    {
        QTest::addColumn<QByteArray>("police");
        QTest::addColumn<QString>("vu");
        QTest::newRow("Arial") << QByteArray() << QStringLiteral("Liberation Sans 18|Liberation Sans 8.25");
        QTest::newRow("Times New Roman gras 10,5") << QByteArray("\"Times New Roman\",#FALSE#,#TRUE#")
                                                   << QStringLiteral("Liberation Serif 10.5|Liberation Serif 10.5");
    }

    void policeAliasOkSansChangement()
    {
        QFETCH(QByteArray, police);
        QFETCH(QString, vu);
        if (QFontInfo(QFont(QStringLiteral("Arial"))).family() == QStringLiteral("Arial"))
            QSKIP("une vraie police Arial est installée : aucun alias à éprouver");
        Banc<QtPrinterService, DialoguesQt> b;
        if (!police.isEmpty()) {
            QByteArray octets = sauve(b, QStringLiteral("Arial.PLV")).replace("\"Arial\",#FALSE#,#FALSE#", police);
            octets.replace(",8.25\r\n", ",10.5\r\n").replace(",18\r\n", ",10.5\r\n");
            QVERIFY(b.f->Ouvre(ecritFichier(b.dossier.filePath(QStringLiteral("Autre.PLV")), octets)));
        }
        const QByteArray avant = sauve(b, QStringLiteral("Avant.PLV"));
        const QImage apercu = b.c().ModeleApercu->image();
        b.c().Polices->click();  // the recipient's, with no focus since start-up nor since the file opened
        QStringList vus = {b.dialogs.vu};
        QApplication::setActiveWindow(b.f.get());
        b.c().Exped->setFocus();
        b.c().Polices->click();
        QCOMPARE(vus << b.dialogs.vu, vu.split(u'|'));
        QCOMPARE(sauve(b, QStringLiteral("Apres.PLV")), avant);
        QCOMPARE(b.c().ModeleApercu->image(), apercu);
    }

    // Last: the dark palette stays on.
    void themeSombre()
    {
        Banc<QtPrinterService> b;
        b.choisitTout();
        b.c().Exped->setPlainText(QStringLiteral("Jean Expéditeur"));
        const auto imprime = [&b](const QString& nom) {
            b.imprimante.setOutputFileName(b.dossier.filePath(nom));
            b.dialogs.printAnswers = {true};
            b.c().Imprimer->click();
            return pdf::rendu(*pdf::ouvre(b.dossier.filePath(nom)), 0);
        };
        const QImage apercu = b.c().ModeleApercu->image();
        const QImage clair = imprime(QStringLiteral("clair.pdf"));
        const QColor gris(53, 53, 53);  // windowText, button, light, dark, mid, text, brightText, base, window
        QApplication::setPalette(QPalette(Qt::white, gris, gris.lighter(), gris.darker(), gris, Qt::white, Qt::white,
                                          QColor(35, 35, 35), gris));
        QApplication::processEvents();  // the windows hear of it from the event loop
        b.f->Form_Activate();
        QCOMPARE(b.c().ModeleApercu->image(), apercu);
        const pdf::Encre e = pdf::compareEncre(clair, imprime(QStringLiteral("sombre.pdf")), {}, 0);
        QVERIFY2(e.pixels > 1000 && e.seuls == 0, qPrintable(e.texte()));

        b.f->form2();
        Form3 choix;
        for (QWidget* w : b.f->findChildren<QWidget*>() + choix.findChildren<QWidget*>()) {
            const bool vue = qobject_cast<QAbstractItemView*>(w);
            auto* legende = qobject_cast<QLabel*>(w);
            if (!vue && !w->inherits("QCheckBox") && !(legende && legende->pixmap().isNull()))
                continue;
            QWidget* fond = w;  // the nearest widget that paints its background
            while (!vue && !fond->autoFillBackground() && !fond->isWindow())
                fond = fond->parentWidget();
            const QColor texte = w->palette().color(vue ? QPalette::Text : w->foregroundRole());
            const int sous = qGray(fond->palette().color(vue ? QPalette::Base : fond->backgroundRole()).rgb());
            const double a = texte.alphaF();
            QVERIFY2(qAbs(qGray(texte.rgb()) * a + sous * (1 - a) - sous) >= 90, qPrintable(w->objectName()));
        }
    }
};

QTEST_MAIN(TestBureauReel)
#include "test_app_bureau_reel.moc"
