// The line under the recipient box: why the block is red, the routing line checked as the
// user types and corrected in one keystroke, and completion from a typed postcode.
#include "addresses/TableCodesPostaux.h"
#include "layout/EtiquetteConseil.h"
#include "layout/Modele.h"
#include "tests/app/BancForm1.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QTextBlock>

class TestLigneConseil : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TableCodesPostaux::officielle(); }

    void direPourquoiLeBlocEstRouge()
    {
        Banc b;
        QVERIFY(b.c().ConseilAdresse->isHidden());
        b.c().BHL->setValue(130); // the recipient's left margin follows, down to 17 mm
        const QString ecart = QStringLiteral("marge gauche : 17 mm au lieu de 20");
        QVERIFY(b.c().ConseilAdresse->isVisible());
        QVERIFY(b.c().ConseilAdresse->text().contains(QStringLiteral(">Hors norme : ") + ecart + u'.'));
        QCOMPARE(b.c().ModeleApercu->accessibleDescription(), QStringLiteral("Destinataire hors norme : ") + ecart + u'.');
        b.c().BHL->setValue(220);
        QVERIFY(b.c().ConseilAdresse->isHidden());
        QVERIFY(!b.c().ModeleApercu->accessibleDescription().contains(QStringLiteral("hors norme")));
    }

    void corrigerLaDerniereLigne()
    {
        Banc b;
        QPlainTextEdit* boite = b.c().Adresse;
        b.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.f.get()));
        boite->setPlainText(QStringLiteral("Mme Durand\n3 cours Mirabeau\n13100 Aix-en-Provence"));
        const QString conseil = QStringLiteral("Conseil : écrire «\u00A013100 AIX EN PROVENCE\u00A0».");
        QVERIFY(b.c().ConseilAdresse->text().startsWith(conseil));
        QVERIFY(b.c().ConseilAdresse->text().contains(QStringLiteral("<a href")));
        QCOMPARE(boite->accessibleDescription(), conseil);

        QTest::keyClick(b.f.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(boite->toPlainText(), QStringLiteral("Mme Durand\n3 cours Mirabeau\n13100 AIX EN PROVENCE"));
        QVERIFY(b.c().ConseilAdresse->isHidden());
        // The user's own edit, which the user may undo.
        boite->undo();
        QCOMPARE(boite->document()->lastBlock().text(), QStringLiteral("13100 Aix-en-Provence"));

        // Nothing to propose: the shortcut leaves the box alone.
        boite->setPlainText(QStringLiteral("M. Martin\n29299 BRST"));
        QTest::keyClick(b.f.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(boite->toPlainText(), QStringLiteral("M. Martin\n29299 BRST"));
    }

    void completerDepuisLeCodePostal()
    {
        Banc b;
        QPlainTextEdit* boite = b.c().Adresse;
        boite->setPlainText(QStringLiteral("M. Kerouac\n5 rue du Port"));
        b.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.f.get()));
        boite->setFocus();
        boite->moveCursor(QTextCursor::End);
        QTest::keyClick(boite, Qt::Key_Return);
        QTest::keyClicks(boite, QStringLiteral("29000 q"));
        QAbstractItemView* popup = boite->findChild<QCompleter*>()->popup();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->model()->rowCount(), 1);
        QCOMPARE(popup->currentIndex().data().toString(), QStringLiteral("29000 QUIMPER"));
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(boite->toPlainText(), QStringLiteral("M. Kerouac\n5 rue du Port\n29000 QUIMPER"));
        QVERIFY(!popup->isVisible());
    }
};

QTEST_MAIN(TestLigneConseil)
#include "test_app_ligne_conseil.moc"
