// The main window driven offscreen as a user would: the recipient block and the norm check
// measured through the real Qt printing service, the fonts, the close check. What it shows
// is what it works on: Modifier is there whenever an address is shown, showing one changes
// nothing, and a block moved on the preview leaves the picture a full redraw would draw.
// The line under the recipient box: why the block is red, the routing line checked as the
// user types and corrected in one keystroke, and completion from a typed postcode.
#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/widgets/Form2.h"
#include "layout/widgets/EtiquetteConseil.h"
#include "layout/widgets/ToileApercu.h"
#include "platform/widgets/QtPrinterService.h"
#include "tests/app/BancForm1.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QListView>
#include <QTextBlock>

namespace {
using BancQt = Banc<QtPrinterService>;

QColor couleurAu(const ToileApercu& m, double x, double y)
{
    return m.image().pixelColor(m.versPixel({x, y}));
}

QColor centreDe(const ToileApercu& m, const RectTwips& r)
{
    return couleurAu(m, r.left.value + r.width.value / 2, r.top.value + r.height.value / 2);
}
// A button of the list window, its first row current and selected or not; then back.
void cliqueDansLaListe(Banc<>& b, const char* bouton, bool selectionnee = true)
{
    QAbstractItemView* liste = b.f->form2().List1();
    liste->selectionModel()->setCurrentIndex(liste->model()->index(0, 0),
                                             selectionnee ? QItemSelectionModel::ClearAndSelect
                                                          : QItemSelectionModel::Clear);
    b.f->form2().findChild<QPushButton*>(QString::fromLatin1(bouton))->click();
    b.f->Form_Activate();
}
} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void blocDestinataireMesureParLImprimanteEtControle()
    {
        BancQt b;
        const EnveloppeApercu& a = b.f->apercu();
        QVERIFY(a.verdictDest().respectee());
        QVERIFY(b.imprimante.setFontName(QStringLiteral("Arial")) && b.imprimante.setFontSize(18) &&
                b.imprimante.setFontBold(false) && b.imprimante.setFontItalic(false) &&
                b.imprimante.setFontUnderline(false));
        const double largeur = b.imprimante.textWidth(b.f->document().reglages().TexteDest).value().value;
        const double hauteur = b.imprimante.textHeight(b.f->document().reglages().TexteDest).value().value;
        QVERIFY(largeur > 15 && largeur < 40); // "Adresse" in 18 points
        QVERIFY(hauteur > 18 && hauteur < 24); // three lines of about 7 mm
        const RectTwips& r = a.cadreDest();
        QCOMPARE(r.width.value, largeur * a.Echelle());
        QCOMPARE(r.height.value, hauteur * a.Echelle());
        QCOMPARE(r.left.value, 100 * a.Echelle());
        QCOMPARE(r.top.value, (110 - 20 - hauteur) * a.Echelle());
        const ToileApercu& m = *b.c().ModeleApercu;
        QCOMPARE(couleurAu(m, r.left.value, r.top.value), QColor(Qt::black));
        QCOMPARE(centreDe(m, r), m.couleurFond());

        // Breaking the norm fills the rectangle in red, and the line under the box says why.
        QVERIFY(b.c().ConseilAdresse->isHidden());
        b.c().SpinLV->flecheBas()->click();
        QCOMPARE(b.texte("EspAdrH"), QStringLiteral(" 19"));
        QVERIFY(!a.verdictDest().respectee());
        QCOMPARE(centreDe(m, a.cadreDest()), QColor(255, 0, 0));
        const QString ecart = QStringLiteral("marge basse : 19 mm au lieu de 20.");
        QVERIFY(b.c().ConseilAdresse->isVisible());
        QVERIFY(b.c().ConseilAdresse->text().contains(QStringLiteral(">Hors norme : ") + ecart));
        QCOMPARE(b.c().ModeleApercu->accessibleDescription(),
                 QStringLiteral("Destinataire hors norme : ") + ecart);
        b.c().SpinLV->flecheHaut()->click(); // back to 20: the limit keeps the norm
        QVERIFY(a.verdictDest().respectee());
        QCOMPARE(centreDe(m, a.cadreDest()), m.couleurFond());
        QVERIFY(b.c().ConseilAdresse->isHidden());
        QVERIFY(!b.c().ModeleApercu->accessibleDescription().contains(QStringLiteral("hors norme")));

        b.c().Adresse->setPlainText(QStringLiteral("Une adresse vraiment très très longue"));
        QVERIFY(!a.verdictDest().margeDroite);
        const RectTwips rouge = a.cadreDest();
        b.c().Adresse->clear(); // the old rectangle is wiped
        QCOMPARE(centreDe(m, rouge), m.couleurFond());
    }

    void policeChoisieSAppliqueALaBoiteQuiAvaitLeFocus()
    {
        BancQt b;
        b.c().Exped->setFocus();
        QApplication::processEvents();
        b.c().Exped->setPlainText(QStringLiteral("Jean Expéditeur\n12 rue des Lilas"));
        b.dialogs.fontAnswers = {FontChoice{.name = QStringLiteral("Times New Roman"),
                                            .pointSize = 12,
                                            .bold = true,
                                            .strikeOut = true,
                                            .colour = QColor(0, 0, 128)}};
        const double avant = b.f->apercu().cadreExp().width.value;
        b.c().Polices->click();
        const BlockFont& p = b.f->document().reglages().PoliceExp;
        QCOMPARE(std::tuple(p.name, p.pointSize, p.bold),
                 std::tuple(QStringLiteral("Times New Roman"), 12.0, true));
        QCOMPARE(p.colour.windowsNumber(), 128 << 16);
        QVERIFY(b.f->apercu().cadreExp().width.value > avant);
        QCOMPARE(b.f->document().reglages().PoliceDest.pointSize, 18.0);
    }

    void fermetureDemandeSiLeDocumentAChange()
    {
        BancQt propre; // an up arrow alone leaves nothing to save: no question
        propre.c().SpinLH->flecheHaut()->click();
        QVERIFY(propre.f->close());
        QVERIFY(propre.dialogs.shownOfKind(QStringLiteral("question")).isEmpty());

        BancQt b;
        b.c().SpinLH->flecheBas()->click();
        b.f->Form_Activate(); // back from a modal window, the change is not forgotten
        b.dialogs.questionAnswers = {Answer::Cancel};
        QVERIFY(!b.f->close());
        QVERIFY(b.f->isVisible() && b.f->document().Modifie());
        const auto q = b.dialogs.shownOfKind(QStringLiteral("question"));
        QCOMPARE(q.size(), 1);
        QCOMPARE(q[0].title, QStringLiteral("Contrôle final"));
        QCOMPARE(q[0].text, QStringLiteral("Voulez-vous sauvegarder vos modifications ?"));
    }

    void modifierSuitLAdresseMontree()
    {
        Banc b;
        cliqueDansLaListe(b, "ModifAdr");
        QVERIFY(!b.f->document().Modifie()); // shown, not changed
        cliqueDansLaListe(b, "SupprimAdresses");
        QVERIFY(!b.c().Modifier->isEnabled());
        b.dialogs.questionAnswers = {Answer::No};
        b.dialogs.openAnswers = {QStringLiteral(PLIVANE_TEST_DATA "/plv/Amis.PLV")};
        b.c().Ouvrir->click();
        QVERIFY(b.c().Modifier->isEnabled());
        cliqueDansLaListe(b, "ModifAdr", false);
        QVERIFY(!b.c().Modifier->isEnabled());
        b.ajoute(QStringLiteral("Zoé"));
        QVERIFY(b.c().Modifier->isEnabled());
    }

    // "Vérifier..." in the list window: the selected envelopes, or all those shown; the
    // one chosen to edit opens in the box, ready for Modifier, and the window closes.
    void verifierDepuisLaListe()
    {
        Banc b;
        const QString longue = QString(60, u'Z');
        b.ajoute(longue + QStringLiteral("\n1 rue du Port\n29200 BREST"));
        Form2& liste = b.f->form2();
        liste.show();
        liste.List1()->selectionModel()->clearSelection();
        b.dialogs.checkAnswers = {{EnvelopeCheckAnswer::Action::Edit, 0}};
        liste.findChild<QPushButton*>(QStringLiteral("Verifier"))->click();
        QVERIFY(!b.dialogs.lastCheck.beforePrint);
        QCOMPARE(b.dialogs.lastCheck.rows.size(), 1);
        QCOMPARE(b.dialogs.lastCheck.rows[0].address, longue + u" \u2026 29200 BREST"_qs);
        QVERIFY(b.c().Adresse->toPlainText().startsWith(longue));
        QVERIFY(!liste.isVisible() && b.c().Modifier->isEnabled());

        liste.show();
        cliqueDansLaListe(b, "Verifier");
        QCOMPARE(b.dialogs.messageTexts().constLast(),
                 QStringLiteral("L'enveloppe vérifiée respecte la norme postale et tient sur la feuille."));
    }

    void unBlocDeplaceLaisseLeResteEntier()
    {
        Banc b;
        const ControlesForm1& c = b.c();
        c.ReperesCoupe[0]->click();
        c.Exped->setPlainText(QStringLiteral("Jean\nRue"));
        // The recipient over the crop marks' corner, along the bottom mark, over the sender.
        const std::pair<SpinButton*, int> trajet[] = {
            {c.SpinLH, 110}, {c.SpinLV, -20}, {c.SpinLH, -200}, {c.SpinLV, 80}, {c.SpinLH, 90}};
        for (auto [spin, fois] : trajet)
            for (int i = 0; i < std::abs(fois); ++i)
                (fois > 0 ? spin->flecheHaut() : spin->flecheBas())->click();
        const QImage vu = c.ModeleApercu->image();
        b.f->Form_Activate();
        QCOMPARE(vu, c.ModeleApercu->image());
    }

    void initTestCase() { TableCodesPostaux::officielle(); }

    void corrigerLaDerniereLigne()
    {
        Banc b;
        QPlainTextEdit* boite = b.c().Adresse;
        b.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.f.get()));
        boite->setPlainText(QStringLiteral("Mme Durand\n3 cours Mirabeau\n13100 Aix-en-Provence"));
        // The right town in another spelling: no fault, La Poste's form only offered.
        const QString conseil =
            QStringLiteral("Suggestion : La Poste écrit «\u00A013100 AIX EN PROVENCE\u00A0».");
        QVERIFY(b.c().ConseilAdresse->text().startsWith(conseil));
        QVERIFY(b.c().ConseilAdresse->text().contains(QStringLiteral("<a href")));
        QCOMPARE(boite->accessibleDescription(), conseil);

        QTest::keyClick(b.f.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(boite->toPlainText(), QStringLiteral("Mme Durand\n3 cours Mirabeau\n13100 AIX EN PROVENCE"));
        QVERIFY(b.c().ConseilAdresse->isHidden());
        // The user's own edit, which the user may undo.
        boite->undo();
        QCOMPARE(boite->document()->lastBlock().text(), QStringLiteral("13100 Aix-en-Provence"));

        // An old commune goes on its own line, above its commune nouvelle's.
        boite->setPlainText(QStringLiteral("M. Martin\n01370 Treffort"));
        QTest::keyClick(b.f.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(boite->toPlainText(), QStringLiteral("M. Martin\nTREFFORT\n01370 VAL REVERMONT"));

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

QTEST_MAIN(TestForm1)
#include "test_app_form1.moc"
