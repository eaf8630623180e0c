// The print selection window as the user meets it: its list copied afresh at each
// showing, and the ways out.
#include "print/Form3.h"

#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
const QStringList kTrois = {u"Alice"_qs, u"Bernard"_qs, u"Chloé"_qs};

// A button found by the text the user reads on it.
QPushButton* bouton(Form3& f, const QString& texte)
{
    for (QPushButton* b : f.findChildren<QPushButton*>())
        if (b->text() == texte)
            return b;
    return nullptr;
}

// Runs `pendant` once the modal window is up, then gives the window's answer.
std::optional<QList<int>> choisitEn(Form3& f, const QStringList& adresses, std::function<void(Form3&)> pendant)
{
    QTimer::singleShot(0, &f, [&f, pendant] {
        pendant(f);
        if (f.isVisible())  // a click that did nothing: leave the way the user would
            QTest::mouseClick(bouton(f, u"Annuler"_qs), Qt::LeftButton);
    });
    return f.choisit(adresses);
}
}  // namespace

class TestPrintForm3 : public QObject {
    Q_OBJECT
private slots:
    void waysOut_data()
    {
        QTest::addColumn<QStringList>("adresses");
        QTest::addColumn<QList<int>>("selectionnees");
        QTest::addColumn<QString>("sortie");  // a button's text
        QTest::addColumn<bool>("annulee");
        QTest::addColumn<QList<int>>("choix");
        QTest::newRow("Imprimer Tout") << kTrois << QList<int>{1} << u"Imprimer Tout..."_qs << false << QList<int>{0, 1, 2};
        QTest::newRow("Imprimer la Sélection") << kTrois << QList<int>{0, 2} << u"Imprimer la Sélection..."_qs << false << QList<int>{0, 2};
        QTest::newRow("Annuler") << kTrois << QList<int>{0} << u"Annuler"_qs << true << QList<int>{};
        // An empty list has no current entry: neither print button closes the window.
        QTest::newRow("empty list, Imprimer la Sélection") << QStringList() << QList<int>{} << u"Imprimer la Sélection..."_qs << true << QList<int>{};
    }
    void waysOut()
    {
        QFETCH(QStringList, adresses);
        QFETCH(QList<int>, selectionnees);
        QFETCH(QString, sortie);
        QFETCH(bool, annulee);
        QFETCH(QList<int>, choix);
        Form3 f;
        QStringList vues;
        bool dejaChoisie = true;
        // Shown twice: the second showing has the list afresh, with nothing selected.
        for (int fois = 0; fois < 2; ++fois) {
            const auto reponse = choisitEn(f, adresses, [&](Form3& w) {
                vues.clear();
                QItemSelectionModel* choix = w.findChild<QListView*>(u"List2"_qs)->selectionModel();
                for (int i = 0; i < choix->model()->rowCount(); ++i)
                    vues.append(choix->model()->index(i, 0).data().toString());
                dejaChoisie = choix->hasSelection();
                for (int i : selectionnees)
                    choix->select(choix->model()->index(i, 0), QItemSelectionModel::Select);
                QTest::mouseClick(bouton(w, sortie), Qt::LeftButton);
            });
            QCOMPARE(vues, adresses);
            QVERIFY(!dejaChoisie);
            QCOMPARE(f.ImpressionAnnulee(), annulee);
            QCOMPARE(reponse, annulee ? std::nullopt : std::optional(choix));
            QVERIFY(!f.isVisible());
        }
    }
};

QTEST_MAIN(TestPrintForm3)
#include "test_print_form3.moc"
