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
    void regles_data()
    {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<Regles>("enfreintes");
        const auto ligne = [](const char* nom, const QString& adresse, Regles regles = {}) {
            QTest::newRow(nom) << adresse << regles;
        };
        const Regles lignes = {Regle::TropDeLignes}, longue = {Regle::LigneTropLongue},
                     fin = {Regle::DerniereLigne};
        ligne("start-up address", u"Nom\r\net\r\nAdresse\r\n"_qs);
        ligne("empty", QString());
        // A foreign address ends with its country, which does not begin with a digit.
        ligne("foreign", u"Hans Muster\nHauptstrasse 5\n8001 Zürich\nSUISSE"_qs);
        ligne("six lines", u"a\nb\nc\nd\ne\nf"_qs);
        ligne("seven lines", u"a\nb\nc\nd\ne\nf\ng"_qs, lignes);
        ligne("blank lines do not count", u"\r\na\r\n\r\nb\r\n  \r\nc\r\nd\r\ne\r\nf\r\n\r\n"_qs);
        // Spaces inside count; blanks at a line's end print as nothing; an accented letter is one character.
        ligne("38 characters", QString(38, u'x'));
        ligne("39 characters", u"Nom\n"_qs + QString(39, u'x'), longue);
        ligne("40 with spaces", u"Résidence des Quatre Saisons, bâtiment C"_qs, longue);
        ligne("38 and blanks", QString(38, u'x') + u"   "_qs);
        ligne("38 accented", QString(38, u'é'));
        for (const char* bonne : {"75008 PARIS", "13001 MARSEILLE CEDEX 01", "85350 L'ÎLE-D'YEU",
                                  "  69003 LYON  ", "F-75008 PARIS x"})
            ligne(bonne, u"Nom\n"_qs + QString::fromUtf8(bonne));
        for (const char* mauvaise : {"75008 Paris", "75008  PARIS", "7508 PARIS", "750080 PARIS",
                                     "75008-PARIS", "75008", "12 rue des Lilas"})
            ligne(mauvaise, u"Nom\n"_qs + QString::fromUtf8(mauvaise), fin);
        ligne("last line with text", u"Nom\r\n75008 paris\r\n\r\n"_qs, fin);
        ligne("all three", QString(40, u'x') + u"\n2\n3\n4\n5\n6\n7 bis"_qs,
              {Regle::TropDeLignes, Regle::LigneTropLongue, Regle::DerniereLigne});
    }
    void regles()
    {
        QFETCH(QString, adresse);
        QTEST(ConseilAdresse::enfreintes(adresse), "enfreintes");
    }

    void etiquetteSuitLaBoite()
    {
        QCOMPARE(ConseilAdresse::conseil({Regle::TropDeLignes, Regle::LigneTropLongue}),
                 QStringLiteral("Conseil : 6 lignes au plus ; 38 caractères au plus par ligne."));
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

    }
};

QTEST_MAIN(TestConseilAdresse)
#include "test_layout_conseil.moc"
