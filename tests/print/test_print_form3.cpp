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

// Runs `pendant` once the modal window is up, then gives the window's answer.
std::optional<QList<int>> choisitEn(Form3& f, const QStringList& adresses, std::function<void(Form3&)> pendant)
{
    QTimer::singleShot(0, &f, [&f, pendant] {
        pendant(f);
        if (f.isVisible())  // a click that did nothing: leave the way the user would
            QTest::mouseClick(f.findChild<QPushButton*>(u"Annuler"_qs), Qt::LeftButton);
    });
    return f.choisit(adresses);
}

void clique(Form3& f, const char* bouton)
{
    QTest::mouseClick(f.findChild<QPushButton*>(QString::fromLatin1(bouton)), Qt::LeftButton);
}

QListWidget* liste(Form3& f)
{
    return f.findChild<QListWidget*>(u"List2"_qs);
}
}  // namespace

class TestPrintForm3 : public QObject {
    Q_OBJECT
private slots:
    void layoutAsDesigned()
    {
        Form3 f;
        QCOMPARE(f.windowTitle(), u"Choix des Adresses à imprimer"_qs);
        QCOMPARE(f.size(), QSize(632, 339));  // 9480 x 5085 twips
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(!(f.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        QCOMPARE(liste(f)->geometry(), QRect(6, 2, 619, 292));
        QCOMPARE(liste(f)->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(liste(f)->palette().color(QPalette::Base), QColor(224, 224, 224));
        const auto bouton = [&f](const char* nom) { return f.findChild<QPushButton*>(QString::fromLatin1(nom)); };
        QCOMPARE(bouton("ImprTout")->text(), u"Imprimer Tout..."_qs);
        QCOMPARE(bouton("ImprTout")->geometry(), QRect(120, 304, 135, 31));
        QCOMPARE(bouton("ImprSelect")->text(), u"Imprimer la Sélection..."_qs);
        QCOMPARE(bouton("ImprSelect")->geometry(), QRect(266, 304, 179, 31));
        QCOMPARE(bouton("Annuler")->text(), u"Annuler"_qs);
        QCOMPARE(bouton("Annuler")->geometry(), QRect(548, 304, 81, 31));
    }

    void placedOverTheMainWindowOnce()
    {
        QWidget principale;
        principale.setGeometry(100, 50, 900, 600);
        Form3 f(&principale);
        const QRect cadre = principale.frameGeometry();
        QCOMPARE(f.pos(), QPoint(cadre.left() + (cadre.width() - 632) / 2, cadre.top() + 22));
        const QPoint place = f.pos();
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

    void emptyListLeavesOnlyThroughAnnuler()
    {
        Form3 f;
        bool resteOuverte = true;
        const auto choix = choisitEn(f, {}, [&resteOuverte](Form3& w) {
            clique(w, "ImprTout");
            clique(w, "ImprSelect");
            resteOuverte = w.isVisible();
            clique(w, "Annuler");
        });
        QVERIFY(resteOuverte);
        QCOMPARE(choix, std::nullopt);
        QVERIFY(f.ImpressionAnnulee());
    }

    void escapeMeansAnnuler()
    {
        Form3 f;
        const auto choix = choisitEn(f, kTrois, [](Form3& w) { QTest::keyClick(&w, Qt::Key_Escape); });
        QCOMPARE(choix, std::nullopt);
        QVERIFY(f.ImpressionAnnulee());
    }
};

QTEST_MAIN(TestPrintForm3)
#include "test_print_form3.moc"
