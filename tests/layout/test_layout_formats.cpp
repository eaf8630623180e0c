// The envelope formats: the table of usual sizes, and the drop-down that moves the length
// and height scroll bars and follows them.
#include "layout/ChoixFormat.h"
#include "layout/FormatsEnveloppe.h"

#include <QComboBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {
struct Controles {
    QComboBox liste;
    QScrollBar longueur{Qt::Horizontal};
    QScrollBar hauteur{Qt::Horizontal};
    Controles()
    {
        longueur.setRange(50, 350);
        hauteur.setRange(50, 235);
        longueur.setValue(220);
        hauteur.setValue(110);
    }
};
} // namespace

class TestFormats : public QObject {
    Q_OBJECT
private slots:
    void tableDesFormats()
    {
        const QList<FormatEnveloppe>& f = FormatsEnveloppe::tous();
        QCOMPARE(f.size(), 6);
        const QStringList noms = {"DL", "C6", "C6/C5", "C5", "C4", "US n° 10"};
        const QList<QPair<int, int>> tailles = {{220, 110}, {162, 114}, {229, 114},
                                                {229, 162}, {324, 229}, {241, 105}};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(f[i].nom, noms[i]);
            QCOMPARE(qMakePair(f[i].longueur, f[i].hauteur), tailles[i]);
            QCOMPARE(FormatsEnveloppe::indexPour(tailles[i].first, tailles[i].second), i);
            // Every format lies within the scroll bars' ranges.
            QVERIFY(f[i].longueur >= 50 && f[i].longueur <= 350 && f[i].hauteur >= 50 && f[i].hauteur <= 235);
        }
        // Upright is not the same envelope, and a hair away is no format.
        QCOMPARE(FormatsEnveloppe::indexPour(110, 220), -1);
        QCOMPARE(FormatsEnveloppe::indexPour(220.5, 110), -1);
        QCOMPARE(FormatsEnveloppe::personnalise(), QStringLiteral("Personnalisé"));
    }

    void choisirUnFormatDeplaceLesBarres()
    {
        Controles c;
        ChoixFormat choix(c.liste, c.longueur, c.hauteur);
        QCOMPARE(c.liste.count(), 7);
        QCOMPARE(c.liste.currentText(), QStringLiteral("DL (220 x 110)"));
        QCOMPARE(c.liste.itemText(6), QStringLiteral("Personnalisé"));
        QSignalSpy longueurs(&c.longueur, &QScrollBar::valueChanged);
        QSignalSpy hauteurs(&c.hauteur, &QScrollBar::valueChanged);
        for (int i = 0; i < 6; ++i) {
            emit c.liste.activated(i);
            QCOMPARE(c.longueur.value(), FormatsEnveloppe::tous()[i].longueur);
            QCOMPARE(c.hauteur.value(), FormatsEnveloppe::tous()[i].hauteur);
            QCOMPARE(c.liste.currentIndex(), i);
        }
        // Each bar moved through its own change signal, as under the user's hand, and only
        // when its value changed: DL is already there, C6/C5 to C5 keeps 229, C6 to C6/C5 keeps 114.
        QCOMPARE(longueurs.size(), 4);
        QCOMPARE(hauteurs.size(), 4);
    }

    void lesBarresMontrentLeFormatOuPersonnalise()
    {
        Controles c;
        ChoixFormat choix(c.liste, c.longueur, c.hauteur);
        c.longueur.setValue(229);
        QCOMPARE(c.liste.currentText(), QStringLiteral("Personnalisé"));
        c.hauteur.setValue(162);
        QCOMPARE(c.liste.currentText(), QStringLiteral("C5 (229 x 162)"));
        // Choosing "Personnalisé" moves nothing and the list goes back to what the bars say.
        emit c.liste.activated(6);
        QCOMPARE(c.longueur.value(), 229);
        QCOMPARE(c.liste.currentText(), QStringLiteral("C5 (229 x 162)"));
        c.hauteur.setValue(163);
        QCOMPARE(c.liste.currentIndex(), 6);
    }
};

QTEST_MAIN(TestFormats)
#include "test_layout_formats.moc"
