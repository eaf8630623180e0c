// Advice on the form of a French address (NF Z10-011): each rule on its own, where its
// limit lies, and the discreet label that shows it under the recipient box.
#include "layout/ConseilAdresse.h"
#include "layout/EtiquetteConseil.h"

#include <QPlainTextEdit>
#include <QtTest>

using Regle = ConseilAdresse::Regle;
using Regles = QList<Regle>;

class TestConseilAdresse : public QObject {
    Q_OBJECT
private slots:
    void adresseCorrecteSansConseil()
    {
        QCOMPARE(ConseilAdresse::enfreintes(u"Nom\r\net\r\nAdresse\r\n"), Regles());
        QCOMPARE(ConseilAdresse::enfreintes(u""), Regles());
        // A foreign address ends with its country, which does not begin with a digit.
        QCOMPARE(ConseilAdresse::enfreintes(u"Hans Muster\nHauptstrasse 5\n8001 Zürich\nSUISSE"), Regles());
    }

    void plusDeSixLignes()
    {
        QCOMPARE(ConseilAdresse::enfreintes(u"a\nb\nc\nd\ne\nf"), Regles());
        QCOMPARE(ConseilAdresse::enfreintes(u"a\nb\nc\nd\ne\nf\ng"), Regles({Regle::TropDeLignes}));
        // Empty and blank lines do not count, wherever they are.
        QCOMPARE(ConseilAdresse::enfreintes(u"\r\na\r\n\r\nb\r\n  \r\nc\r\nd\r\ne\r\nf\r\n\r\n"), Regles());
    }

    void ligneDePlusDe38Caracteres()
    {
        const QString l38(38, u'x');
        QCOMPARE(ConseilAdresse::enfreintes(l38), Regles());
        QCOMPARE(ConseilAdresse::enfreintes(QStringLiteral("Nom\n") + l38 + u'x'),
                 Regles({Regle::LigneTropLongue}));
        // Spaces inside count; blanks left at the end of a line print as nothing; an
        // accented letter is one character.
        QCOMPARE(ConseilAdresse::enfreintes(u"Résidence des Quatre Saisons, bâtiment C"),
                 Regles({Regle::LigneTropLongue}));
        QCOMPARE(ConseilAdresse::enfreintes(l38 + QStringLiteral("   ")), Regles());
        QCOMPARE(ConseilAdresse::enfreintes(QString(38, u'é')), Regles());
    }

    void derniereLigneCodePostalEtVille()
    {
        for (const char16_t* bonne : {u"75008 PARIS", u"13001 MARSEILLE CEDEX 01", u"85350 L'ÎLE-D'YEU",
                                      u"  69003 LYON  ", u"F-75008 PARIS x"})
            QCOMPARE(ConseilAdresse::enfreintes(QStringLiteral("Nom\n") + QString::fromUtf16(bonne)),
                     Regles());
        for (const char16_t* mauvaise : {u"75008 Paris", u"75008  PARIS", u"7508 PARIS", u"750080 PARIS",
                                         u"75008-PARIS", u"75008", u"12 rue des Lilas"})
            QCOMPARE(ConseilAdresse::enfreintes(QStringLiteral("Nom\n") + QString::fromUtf16(mauvaise)),
                     Regles({Regle::DerniereLigne}));
        // The last line that has text, even with empty lines after it.
        QCOMPARE(ConseilAdresse::enfreintes(u"Nom\r\n75008 paris\r\n\r\n"), Regles({Regle::DerniereLigne}));
    }

    void chaqueRegleSonTexte()
    {
        const Regles toutes = {Regle::TropDeLignes, Regle::LigneTropLongue, Regle::DerniereLigne};
        QCOMPARE(ConseilAdresse::enfreintes(QString(40, u'x') + QStringLiteral("\n2\n3\n4\n5\n6\n7 bis")),
                 toutes);
        const QSet<QString> textes = {ConseilAdresse::texte(toutes[0]), ConseilAdresse::texte(toutes[1]),
                                      ConseilAdresse::texte(toutes[2])};
        QVERIFY(!textes.contains(QString()));
        QCOMPARE(textes.size(), 3);
        QCOMPARE(ConseilAdresse::conseil({Regle::TropDeLignes, Regle::LigneTropLongue}),
                 QStringLiteral("Conseil : 6 lignes au plus ; 38 caractères au plus par ligne."));
        QCOMPARE(ConseilAdresse::conseil({}), QString());
    }

    void etiquetteSuitLaBoite()
    {
        QWidget fenetre;
        auto* boite = new QPlainTextEdit(&fenetre);
        auto* etiquette = new EtiquetteConseil(boite, &fenetre);
        fenetre.show();
        etiquette->suit(QStringLiteral("a\nb\nc\nd\ne\nf\ng"));
        QCOMPARE(etiquette->toolTip(), ConseilAdresse::explication(Regle::TropDeLignes));
        // A screen reader hears the advice with the box.
        QCOMPARE(boite->accessibleDescription(), QStringLiteral("Conseil : 6 lignes au plus."));
        etiquette->suit(QStringLiteral("Nom\n75008 PARIS"));
        QVERIFY(etiquette->isHidden());
        QCOMPARE(boite->accessibleDescription(), QString());

        // Too much advice for the line's place: the first rules and an ellipsis; the
        // tooltip and the box's description keep all of it.
        etiquette->setGeometry(0, 0, 120, etiquette->fontMetrics().lineSpacing() + 2);
        const QString tout = QString(40, u'x') + QStringLiteral("\n2\n3\n4\n5\n6\n7 bis");
        etiquette->suit(tout);
        const Regles regles = ConseilAdresse::enfreintes(tout);
        QVERIFY(etiquette->text().endsWith(QChar(0x2026)));
        QVERIFY(etiquette->text().startsWith(QStringLiteral("Conseil : 6 lignes au plus")));
        QCOMPARE(boite->accessibleDescription(), ConseilAdresse::conseil(regles));
        QCOMPARE(etiquette->toolTip(), ConseilAdresse::detail(regles));
    }
};

QTEST_MAIN(TestConseilAdresse)
#include "test_layout_conseil.moc"
