// A dark desktop theme, applied to the program as the desktop applies it: the envelope
// stays paper. The printed page, read back with Poppler, has its black text where a
// light theme has it; the preview is the same picture to the pixel; and every caption,
// box and list stays readable on what it is painted on.
#include "addresses/Form2.h"
#include "layout/Modele.h"
#include "platform/QtPrinterService.h"
#include "print/Form3.h"
#include "tests/app/BancForm1.h"
#include "tests/print/LecturePdf.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>

namespace {
QPalette paletteSombre()
{
    const QColor fenetre(53, 53, 53);
    // windowText, button, light, dark, mid, text, brightText, base, window
    return QPalette(Qt::white, fenetre, fenetre.lighter(), fenetre.darker(), QColor(70, 70, 70), Qt::white,
                    Qt::white, QColor(35, 35, 35), fenetre);
}

// Contrast ratio of two colours as the accessibility guidelines reckon it, the
// foreground laid over the background by its opacity.
double contraste(QColor texte, const QColor& fond)
{
    const double a = texte.alphaF();
    texte = QColor::fromRgbF(texte.redF() * a + fond.redF() * (1 - a), texte.greenF() * a + fond.greenF() * (1 - a),
                             texte.blueF() * a + fond.blueF() * (1 - a));
    const auto luminance = [](const QColor& c) {
        const auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const double l1 = luminance(texte), l2 = luminance(fond);
    return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

// Every caption, box and list of `fenetre` whose text would not read on what lies under it.
QStringList illisibles(QWidget* fenetre)
{
    QStringList result;
    for (QWidget* w : fenetre->findChildren<QWidget*>()) {
        QColor texte, fond;
        if (auto* vue = qobject_cast<QAbstractItemView*>(w)) {
            texte = vue->palette().color(QPalette::Text);
            fond = vue->palette().color(QPalette::Base);
        } else if ((qobject_cast<QLabel*>(w) && static_cast<QLabel*>(w)->pixmap().isNull()) ||
                   qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            texte = w->palette().color(w->foregroundRole());
            QWidget* sous = w;  // the nearest widget that paints its background
            while (sous->parentWidget() && !sous->autoFillBackground() && !sous->isWindow())
                sous = sous->parentWidget();
            fond = sous->palette().color(sous->backgroundRole());
        } else {
            continue;
        }
        if (contraste(texte, fond) < 3.0)
            result.append(QStringLiteral("%1 (%2 sur %3)")
                              .arg(w->objectName().isEmpty() ? w->property("text").toString() : w->objectName(),
                                   texte.name(), fond.name()));
    }
    return result;
}

struct Theme {
    const QPalette avant = QApplication::palette();
    explicit Theme(const QPalette& p) { change(p); }
    ~Theme() { change(avant); }
    static void change(const QPalette& p)
    {
        QApplication::setPalette(p);
        QApplication::processEvents();  // the windows hear of it from the event loop
    }
};
} // namespace

class TestThemeSombre : public QObject {
    Q_OBJECT
private slots:
    void lEnveloppeResteDuPapier()
    {
        QTemporaryDir dossier;
        Banc<QtPrinterService> b;
        b.choisitTout();
        b.c().Exped->setPlainText(QStringLiteral("Jean Expéditeur\n12 rue des Lilas"));
        b.c().ReperesCoupe[0]->click();
        const auto imprime = [&](const QString& nom) {
            b.imprimante.setOutputFileName(dossier.filePath(nom));
            b.dialogs.printAnswers = {true};
            b.c().Imprimer->click();
            return pdf::ouvre(dossier.filePath(nom));
        };
        const QImage apercuClair = b.c().ModeleApercu->image();
        const auto clair = imprime(QStringLiteral("clair.pdf"));
        QVERIFY(clair);

        Theme sombre(paletteSombre());
        b.f->Form_Activate();  // back from a window: the whole preview is drawn again
        QCOMPARE(b.c().ModeleApercu->image(), apercuClair);
        const auto page = imprime(QStringLiteral("sombre.pdf"));
        QVERIFY(page);
        QCOMPARE(b.dialogs.messageTexts(), QStringList());

        QStringList motsClairs, motsSombres;
        for (const pdf::Mot& m : pdf::mots(*clair, 0))
            motsClairs.append(m.texte);
        for (const pdf::Mot& m : pdf::mots(*page, 0))
            motsSombres.append(m.texte);
        QVERIFY(motsClairs.contains(QStringLiteral("Expéditeur")));
        QCOMPARE(motsSombres, motsClairs);
        const QImage encre = pdf::rendu(*page, 0);
        const pdf::Encre e = pdf::compareEncre(pdf::rendu(*clair, 0), encre, {}, 0);
        QVERIFY2(e.pixels > 1000 && e.seuls == 0, qPrintable(e.texte()));
        const std::optional<pdf::Mot> nom = pdf::mot(*page, 0, QStringLiteral("Nom"));
        QVERIFY(nom);
        int noirs = 0;  // the text is black, not merely dark
        const QRect r = QRectF(nom->mm.topLeft() * pdf::kDixiemes / 25.4, nom->mm.size() * pdf::kDixiemes / 25.4)
                            .toAlignedRect();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                noirs += encre.valid(x, y) && qGray(encre.pixel(x, y)) < 16;
        QVERIFY(noirs > 20);
    }

    void toutTexteSeLitSurSonFond()
    {
        Theme sombre(paletteSombre());
        Banc b;
        b.c().Adresse->setPlainText(QStringLiteral("nom\nadresse"));  // the advice line shows
        b.f->form2();  // the list window, a window of the main one
        Form3 choix;
        const QStringList faibles = illisibles(b.f.get()) + illisibles(&choix);
        QCOMPARE(faibles, QStringList());
    }
};

QTEST_MAIN(TestThemeSombre)
#include "test_app_theme_sombre.moc"
