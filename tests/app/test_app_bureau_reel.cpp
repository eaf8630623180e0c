// The window on a real desktop: a dark theme, and Arial and Times New Roman known only
// as fontconfig's names for Liberation faces, with Qt's own font dialog.
#include "addresses/widgets/Form2.h"
#include "app/window/QtDialogs.h"
#include "layout/widgets/ToileApercu.h"
#include "platform/widgets/QtPrinterService.h"
#include "print/widgets/Form3.h"
#include "tests/app/BancForm1.h"
#include "tests/print/LecturePdf.h"

#include <QAbstractItemView>
#include <QFontDialog>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {
// Qt's own font dialog, accepted untouched once it shows; the face, size and style it showed
// are kept, with every style name its list shows.
struct DialoguesQt : ScriptedDialogs {
    QtDialogs qt;
    QStringList vus;
    QSet<QString> styles;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override
    {
        QTimer::singleShot(50, [this] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* fonts = d->findChild<QFontDialog*>();
            const QFont f = fonts->currentFont();
            const QString style = fonts->findChildren<QLineEdit*>().at(1)->text();
            vus.append(f.family() + u' ' + QString::number(f.pointSizeF()) + u' ' + style);
            for (QAbstractItemView* list : fonts->findChildren<QAbstractItemView*>()) {
                for (int i = 0; i < list->model()->rowCount(); ++i) {
                    const QModelIndex index = list->model()->index(i, 0);
                    auto* shown = qobject_cast<QStyledItemDelegate*>(list->itemDelegateForIndex(index));
                    if (index.data().toString().contains(u"Bold"_qs))
                        styles.insert(shown->displayText(index.data(), {}));
                }
            }
            d->accept();
        });
        return qt.chooseFont(initial);
    }
};
using BancQt = Banc<QtPrinterService, DialoguesQt>;

QByteArray sauve(BancQt& b, const QString& nom)
{
    b.dialogs.saveAnswers = {b.dossier.filePath(nom)};
    b.c().Sauver->click();
    return contenu(b.dossier.filePath(nom));
}
} // namespace

class TestBureauReel : public QObject {
    Q_OBJECT
private slots:
    void policeAliasOkSansChangement_data()
    {
        QTest::addColumn<QByteArray>("police");
        QTest::addColumn<QString>("vus");
        QTest::newRow("Arial") << QByteArray() << u"Liberation Sans 18 Normal|Liberation Sans 8.25 Normal"_qs;
        QTest::newRow("Times New Roman gras 10,5")
            << QByteArray("\"Times New Roman\",#FALSE#,#TRUE#")
            << u"Liberation Serif 10.5 Gras|Liberation Serif 10.5 Gras"_qs;
    }

    void policeAliasOkSansChangement()
    {
        QFETCH(QByteArray, police);
        QFETCH(QString, vus);
        if (QFontInfo(QFont(u"Arial"_qs)).family() == u"Arial"_qs)
            QSKIP("une vraie police Arial est installée : aucun alias à éprouver");
        BancQt b;
        if (!police.isEmpty()) {
            QByteArray octets = sauve(b, u"Arial.PLV"_qs).replace("\"Arial\",#FALSE#,#FALSE#", police);
            octets.replace(",8.25\r\n", ",10.5\r\n").replace(",18\r\n", ",10.5\r\n");
            QVERIFY(b.f->Ouvre(ecritFichier(b.dossier.filePath(u"Autre.PLV"_qs), octets)));
        }
        const QByteArray avant = sauve(b, u"Avant.PLV"_qs);
        const QImage apercu = b.c().ModeleApercu->image();
        b.c().Polices->click(); // the recipient's: no focus since start-up, nor since the file opened
        QApplication::setActiveWindow(b.f.get());
        b.c().Exped->setFocus();
        b.c().Polices->click();
        QCOMPARE(b.dialogs.vus.join(u'|'), vus);
        QCOMPARE(b.dialogs.styles, (QSet<QString>{u"Gras"_qs, u"Gras italique"_qs}));
        QCOMPARE(sauve(b, u"Apres.PLV"_qs), avant);
        QCOMPARE(b.c().ModeleApercu->image(), apercu);
    }

    // Last, as its palette stays: the envelope is paper. Ink where a light theme has it,
    // the same preview, and no caption fading into what lies under it. The dark theme is
    // the desktop's own when it has one (GTK's dark style, run so by CTest), else a dark
    // palette of the program's.
    void themeSombre()
    {
        const QPalette bureau = QApplication::palette();
        const bool bureauSombre = bureau.color(QPalette::Window).lightness() < 128;
        QVERIFY(bureauSombre || !qEnvironmentVariable("GTK_THEME").endsWith(u":dark"_qs));
        QApplication::setPalette(QPalette(QColor(239, 239, 239)));
        Banc<QtPrinterService> b;
        b.choisitTout();
        const auto imprime = [&b](const QString& nom) {
            if (!b.imprimante.setOutputFileName(b.dossier.filePath(nom)))
                return QImage();
            b.dialogs.printAnswers = {true};
            b.c().Imprimer->click();
            return pdf::rendu(*pdf::ouvre(b.dossier.filePath(nom)), 0);
        };
        const QImage apercu = b.c().ModeleApercu->image();
        const QImage clair = imprime(u"clair.pdf"_qs);
        QApplication::setPalette(bureauSombre ? bureau
                                              : QPalette(QColor(53, 53, 53))); // light text on dark grey
        QApplication::processEvents(); // the windows hear of it from the event loop
        b.f->Form_Activate();
        QCOMPARE(b.c().ModeleApercu->image(), apercu);
        const pdf::Encre e = pdf::compareEncre(clair, imprime(u"sombre.pdf"_qs), 0);
        QVERIFY2(e.pixels > 1000 && e.seuls == 0, qPrintable(e.texte()));

        b.f->form2();
        Form3 choix;
        for (QWidget* w : b.f->findChildren<QWidget*>() + choix.findChildren<QWidget*>()) {
            const bool vue = w->inherits("QAbstractItemView");
            auto* legende = qobject_cast<QLabel*>(w);
            if (!vue && !w->inherits("QCheckBox") && !(legende && legende->pixmap().isNull()))
                continue;
            QWidget* fond = w; // the nearest widget that paints its background
            while (!vue && !fond->autoFillBackground() && !fond->isWindow())
                fond = fond->parentWidget();
            const QColor t = w->palette().color(vue ? QPalette::Text : w->foregroundRole());
            const int sous =
                qGray(fond->palette().color(vue ? QPalette::Base : fond->backgroundRole()).rgb());
            QVERIFY2(qAbs(qGray(t.rgb()) - sous) * t.alphaF() >= 90, qPrintable(w->objectName()));
        }
    }
};

QTEST_MAIN(TestBureauReel)
#include "test_app_bureau_reel.moc"
