// What a screen reader hears on the main window, and where the keyboard goes: every
// control speaks French, the Tab key reaches every command, the Ctrl keys typed in the
// recipient box press their buttons, and the calendar's 42 cells are one Tab stop.
#include "layout/widgets/ToileApercu.h"
#include "tests/app/BancForm1.h"

#include <QAccessible>
#include <QComboBox>

namespace {
QString dit(QWidget* w, QAccessible::Text quoi = QAccessible::Name)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(quoi) : QString();
}

// The controls a user acts on: buttons, options, boxes, lists, and scroll bars of their
// own (not those a text box or a list carries inside).
bool estCommande(QWidget* w)
{
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w))
        return true;
    if (auto* barre = qobject_cast<QScrollBar*>(w))
        return !barre->objectName().isEmpty();
    return false;
}
} // namespace

class TestAccessibilite : public QObject {
    Q_OBJECT
private slots:
    void chaqueCommandeANomFrancais()
    {
        Banc b;
        QStringList muettes;
        for (QWidget* w : b.f->findChildren<QWidget*>())
            if (estCommande(w) && w->isVisible() && dit(w).trimmed().isEmpty())
                muettes << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                         QString::fromLatin1(w->metaObject()->className()));
        QVERIFY2(muettes.isEmpty(), qPrintable(muettes.join(u", ")));

        // An option is described by its frame; a drop-down speaks the entry it shows.
        QCOMPARE(dit(b.c().Orient[1], QAccessible::Description), QStringLiteral("Orientation Imprim."));
        QCOMPARE(dit(b.c().FormatEnveloppe), QStringLiteral("DL (220 x 110)"));
        QCOMPARE(dit(b.c().ModeleApercu), QStringLiteral("Aperçu de l'enveloppe"));
    }

    void leClavierAtteintChaqueCommande()
    {
        Banc b;
        b.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.f.get()));
        QWidget* premier = b.c().FormatEnveloppe;
        premier->setFocus();
        QList<QWidget*> atteints;
        for (int i = 0; i < 400; ++i) {
            QWidget* w = QApplication::focusWidget();
            if (!w || (i > 0 && w == premier))
                break;
            atteints << w;
            QTest::keyClick(w, Qt::Key_Tab);
        }
        // Tab stops once in each pair of options; the arrow keys go on to the other one.
        b.dialogs.openAnswers = {std::nullopt}; // should the arrow choose "Logo", it asks for a file
        const ControlesForm1& c = b.c();
        for (QRadioButton* const* paire : {c.Logo, c.Orient, c.ReperesCoupe}) {
            QRadioButton* atteinte = atteints.contains(paire[0]) ? paire[0] : paire[1];
            QRadioButton* autre = atteinte == paire[0] ? paire[1] : paire[0];
            QVERIFY2(atteints.contains(atteinte), qPrintable(paire[0]->objectName()));
            atteinte->setFocus();
            for (Qt::Key fleche : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up})
                if (QApplication::focusWidget() == atteinte)
                    QTest::keyClick(atteinte, fleche);
            QCOMPARE(QApplication::focusWidget(), autre);
            QVERIFY(autre->isChecked());
            atteints << autre;
        }

        // The calendar's arrows reach the cells Tab does not (calendarCellsOneTabStop).
        atteints << b.f->findChildren<QWidget*>(QRegularExpression(u"^btnJour"_qs));

        QStringList oublies;
        for (QWidget* w : b.f->findChildren<QWidget*>())
            if (estCommande(w) && w->isVisible() && w->isEnabled() && !atteints.contains(w))
                oublies << QStringLiteral("%1 « %2 »").arg(w->objectName(), dit(w));
        QVERIFY2(oublies.isEmpty(), qPrintable(oublies.join(u", ")));
    }

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
        const QList<std::pair<Qt::Key, int>> fleches = {
            {Qt::Key_Up, 0}, {Qt::Key_Left, 0}, {Qt::Key_Right, 1}, {Qt::Key_Down, 8}, {Qt::Key_Left, 7}};
        for (const auto& [touche, attendu] : fleches) {
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

QTEST_MAIN(TestAccessibilite)
#include "test_app_accessibilite.moc"
