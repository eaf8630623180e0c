// The main window from the keyboard: the Ctrl keys of the file and print commands, typed
// where the user types most, the recipient box; the calendar's 42 cells as one Tab stop.
#include "BancForm1.h"

#include "calendar/Calendrier.h"

class TestAppClavier : public QObject {
    Q_OBJECT
private slots:
    void shortcuts_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QKeySequence>("touches");
        QTest::addColumn<QString>("infobulle");
        QTest::newRow("save") << u"Sauver"_qs << QKeySequence(u"Ctrl+S"_qs) << u"Sauver le fichier d'adresses (Ctrl+S)"_qs;
        QTest::newRow("open") << u"Ouvrir"_qs << QKeySequence(u"Ctrl+O"_qs) << u"Ouvrir un fichier d'adresses (Ctrl+O)"_qs;
        QTest::newRow("print") << u"Imprimer"_qs << QKeySequence(u"Ctrl+P"_qs) << u"Imprimer les enveloppes (Ctrl+P)"_qs;
        QTest::newRow("quit") << u"Quitter"_qs << QKeySequence(u"Ctrl+Q"_qs) << u"Quitter Plivane (Ctrl+Q)"_qs;
    }
    void shortcuts()
    {
        QFETCH(QString, bouton);
        QFETCH(QKeySequence, touches);
        Banc b;
        b.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.f.get()));
        auto* commande = b.f->findChild<QPushButton*>(bouton);
        QTEST(commande->toolTip(), "infobulle");
        // Only the press is checked here, not the command itself.
        QObject::disconnect(commande, &QPushButton::clicked, b.f.get(), nullptr);
        QSignalSpy clics(commande, &QPushButton::clicked);
        b.c().Adresse->setFocus();
        QTest::keySequence(b.f.get(), touches);
        QTRY_COMPARE(clics.count(), 1);
    }

    // Tab reaches one cell, the one last focused; the arrows move by day and by week and
    // stop at the grid's edges.
    void calendarCellsOneTabStop()
    {
        Banc b;
        b.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.f.get()));
        auto* calendrier = b.f->findChild<Calendrier*>();
        const auto cellule = [&](int i) { return calendrier->findChild<QPushButton*>(u"btnJour(%1)"_qs.arg(i)); };
        const auto stops = [&] {
            QList<int> arrets;
            for (int i = 0; i < 42; ++i)
                if (cellule(i)->focusPolicy() & Qt::TabFocus)
                    arrets << i;
            return arrets;
        };
        QCOMPARE(stops(), QList<int>{0});
        cellule(0)->setFocus();
        const QList<std::pair<Qt::Key, int>> pas = {{Qt::Key_Up, 0},    {Qt::Key_Left, 0}, {Qt::Key_Right, 1},
                                                    {Qt::Key_Down, 8},  {Qt::Key_Down, 15}, {Qt::Key_Left, 14},
                                                    {Qt::Key_Up, 7}};
        for (const auto& [touche, attendu] : pas) {
            QTest::keyClick(QApplication::focusWidget(), touche);
            QCOMPARE(QApplication::focusWidget(), cellule(attendu));
        }
        cellule(41)->setFocus();
        QTest::keyClick(cellule(41), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), cellule(41));
        QCOMPARE(stops(), QList<int>{41});
        // Leaving and coming back by Tab lands on that cell again.
        QTest::keyClick(cellule(41), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), cellule(41));
    }
};

QTEST_MAIN(TestAppClavier)
#include "test_app_clavier.moc"
