// The main window from the keyboard: the Ctrl keys typed in the recipient box, and the
// calendar's 42 cells as one Tab stop.
#include "BancForm1.h"

class TestAppClavier : public QObject {
    Q_OBJECT
private slots:
    void shortcuts_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QString>("infobulle");
        QTest::newRow("save") << u"Sauver"_qs << u"Sauver le fichier d'adresses (Ctrl+S)"_qs;
        QTest::newRow("open") << u"Ouvrir"_qs << u"Ouvrir un fichier d'adresses (Ctrl+O)"_qs;
        QTest::newRow("print") << u"Imprimer"_qs << u"Imprimer les enveloppes (Ctrl+P)"_qs;
        QTest::newRow("quit") << u"Quitter"_qs << u"Quitter Plivane (Ctrl+Q)"_qs;
    }
    void shortcuts()
    {
        QFETCH(QString, bouton);
        QFETCH(QString, infobulle);
        Banc b;
        b.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.f.get()));
        auto* commande = b.f->findChild<QPushButton*>(bouton);
        QCOMPARE(commande->toolTip(), infobulle);
        QObject::disconnect(commande, &QPushButton::clicked, b.f.get(), nullptr); // the press only
        QSignalSpy clics(commande, &QPushButton::clicked);
        b.c().Adresse->setFocus();
        QTest::keySequence(b.f.get(), QKeySequence(infobulle.section(u'(', 1).chopped(1)));
        QTRY_COMPARE(clics.count(), 1);
    }

    // The arrows move by day and by week and stop at the edges; Tab comes back to the cell
    // last focused, the only cell in the Tab order.
    void calendarCellsOneTabStop()
    {
        Banc b;
        b.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.f.get()));
        const auto cellule = [&](int i) { return b.f->findChild<QPushButton*>(u"btnJour(%1)"_qs.arg(i)); };
        cellule(0)->setFocus();
        for (const auto& [touche, attendu] : QList<std::pair<Qt::Key, int>>{{Qt::Key_Up, 0},
                                                                            {Qt::Key_Left, 0},
                                                                            {Qt::Key_Right, 1},
                                                                            {Qt::Key_Down, 8},
                                                                            {Qt::Key_Left, 7}}) {
            QTest::keyClick(QApplication::focusWidget(), touche);
            QCOMPARE(QApplication::focusWidget(), cellule(attendu));
        }
        QTest::keyClick(cellule(7), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), cellule(7));
        for (int i = 0; i < 42; ++i)
            QCOMPARE(bool(cellule(i)->focusPolicy() & Qt::TabFocus), i == 7);
    }
};

QTEST_MAIN(TestAppClavier)
#include "test_app_clavier.moc"
