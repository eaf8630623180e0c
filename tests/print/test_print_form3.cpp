// The print selection window as the user meets it: its layout, its list copied afresh at
// each showing, and the three ways out.
#include "print/Form3.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
const QStringList kTrois = {u"Alice"_qs, u"Bernard"_qs, u"Chloé"_qs};

QPushButton* bouton(Form3& f, const char* nom)
{
    return f.findChild<QPushButton*>(QString::fromLatin1(nom));
}

QListWidget* liste(Form3& f)
{
    return f.findChild<QListWidget*>(u"List2"_qs);
}

void clique(Form3& f, const char* nom)
{
    QTest::mouseClick(bouton(f, nom), Qt::LeftButton);
}

// Runs `pendant` once the modal window is up, then gives the window's answer.
std::optional<QList<int>> choisitEn(Form3& f, const QStringList& adresses, std::function<void(Form3&)> pendant)
{
    QTimer::singleShot(0, &f, [&f, pendant] {
        pendant(f);
        if (f.isVisible())  // a click that did nothing: leave the way the user would
            clique(f, "Annuler");
    });
    return f.choisit(adresses);
}
}  // namespace

class TestPrintForm3 : public QObject {
    Q_OBJECT
private slots:
    void layoutAsDesignedOverTheMainWindow()
    {
        QWidget principale;
        principale.setGeometry(100, 50, 900, 600);
        Form3 f(&principale);
        QCOMPARE(f.windowTitle(), u"Choix des Adresses à imprimer"_qs);
        QCOMPARE(f.size(), QSize(632, 339));  // 9480 x 5085 twips
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(!(f.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        QCOMPARE(liste(f)->geometry(), QRect(6, 2, 619, 292));
        QCOMPARE(liste(f)->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(bouton(f, "ImprTout")->text(), u"Imprimer Tout..."_qs);
        QCOMPARE(bouton(f, "ImprSelect")->text(), u"Imprimer la Sélection..."_qs);
        QCOMPARE(bouton(f, "Annuler")->text(), u"Annuler"_qs);
        QCOMPARE(bouton(f, "Annuler")->geometry(), QRect(548, 304, 81, 31));

        // Centred over the main window once, where it stays.
        const QRect cadre = principale.frameGeometry();
        const QPoint place(cadre.left() + (cadre.width() - 632) / 2, cadre.top() + 22);
        QCOMPARE(f.pos(), place);
        principale.move(300, 300);
        choisitEn(f, kTrois, [](Form3& w) { clique(w, "Annuler"); });
        QCOMPARE(f.pos(), place);
    }

    void printAllSelectsEveryEntry()
    {
        Form3 f;
        QStringList vues;
        const auto choix = choisitEn(f, kTrois, [&vues](Form3& w) {
            for (int i = 0; i < liste(w)->count(); ++i)
                vues.append(liste(w)->item(i)->text());
            QVERIFY(liste(w)->selectedItems().isEmpty());
            clique(w, "ImprTout");
        });
        QCOMPARE(vues, kTrois);
        QCOMPARE(choix, std::optional<QList<int>>(QList<int>{0, 1, 2}));
        QVERIFY(!f.ImpressionAnnulee());
        QVERIFY(!f.isVisible());
    }

    void printSelectionKeepsTheUsersChoice()
    {
        Form3 f;
        auto choix = choisitEn(f, kTrois, [](Form3& w) {
            liste(w)->item(0)->setSelected(true);
            liste(w)->item(2)->setSelected(true);
            clique(w, "ImprSelect");
        });
        QCOMPARE(choix, std::optional<QList<int>>(QList<int>{0, 2}));

        // Nothing selected: the window still closes, and nothing is to be printed.
        choix = choisitEn(f, kTrois, [](Form3& w) {
            QVERIFY(liste(w)->selectedItems().isEmpty());  // the last choice is gone
            clique(w, "ImprSelect");
        });
        QCOMPARE(choix, std::optional<QList<int>>(QList<int>{}));
        QVERIFY(!f.ImpressionAnnulee());
    }

    void anEmptyListLeavesOnlyThroughAnnulerOrEscape()
    {
        Form3 f;
        bool resteOuverte = true;
        auto choix = choisitEn(f, {}, [&resteOuverte](Form3& w) {
            clique(w, "ImprTout");
            clique(w, "ImprSelect");
            resteOuverte = w.isVisible();
            clique(w, "Annuler");
        });
        QVERIFY(resteOuverte);
        QCOMPARE(choix, std::nullopt);
        QVERIFY(f.ImpressionAnnulee());

        Form3 g;
        choix = choisitEn(g, kTrois, [](Form3& w) { QTest::keyClick(&w, Qt::Key_Escape); });
        QCOMPARE(choix, std::nullopt);
        QVERIFY(g.ImpressionAnnulee());
    }
};

QTEST_MAIN(TestPrintForm3)
#include "test_print_form3.moc"
