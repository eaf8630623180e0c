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
    void chaqueFormatDeplaceLesBarres()
    {
        Controles c;
        ChoixFormat choix(c.liste, c.longueur, c.hauteur);
        QStringList proposes;
        for (int i = 0; i < c.liste.count(); ++i)
            proposes << c.liste.itemText(i);
        QCOMPARE(proposes,
                 (QStringList{"DL (220 x 110)", "C6 (162 x 114)", "C6/C5 (229 x 114)", "C5 (229 x 162)",
                              "C4 (324 x 229)", "US n° 10 (241 x 105)", "Personnalisé"}));
        QCOMPARE(c.liste.currentIndex(), 0);
        QSignalSpy longueurs(&c.longueur, &QScrollBar::valueChanged);
        QSignalSpy hauteurs(&c.hauteur, &QScrollBar::valueChanged);
        const QList<QPair<int, int>> tailles = {{220, 110}, {162, 114}, {229, 114},
                                                {229, 162}, {324, 229}, {241, 105}};
        for (int i = 0; i < tailles.size(); ++i) {
            emit c.liste.activated(i);
            QCOMPARE(qMakePair(c.longueur.value(), c.hauteur.value()), tailles[i]);
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
        // Upright is not the same envelope, and a hair away is no format.
        QCOMPARE(FormatsEnveloppe::indexPour(110, 220), -1);
        QCOMPARE(FormatsEnveloppe::indexPour(220.5, 110), -1);
    }
};

QTEST_MAIN(TestFormats)
#include "test_layout_formats.moc"
