// The real mapping step of an import, driven offscreen: the preview follows the user's
// choices, "Importer" hands them back and "Annuler" nothing.
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

class TestPlatformColumnMapping : public QObject {
    Q_OBJECT
private slots:
    void lesChoixEtLApercu_data()
    {
        QTest::addColumn<bool>("accepte");
        QTest::newRow("Importer") << true;
        QTest::newRow("Annuler") << false;
    }
    void lesChoixEtLApercu()
    {
        QFETCH(bool, accepte);
        ColumnMappingRequest demande;
        demande.title = u"Importer des adresses"_qs;
        demande.headers = {u"A"_qs, u"B"_qs};
        demande.choices = {u"Laisser de côté"_qs, u"Rue"_qs};
        demande.initial = {1, 1};
        demande.preview = [](const QList<int>& choix) {
            return QStringList{QString::number(choix.value(0)) + QString::number(choix.value(1))};
        };
        QString apercu;
        QTimer::singleShot(0, [&] {
            auto* dialogue = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialogue);
            const auto listes = dialogue->findChildren<QComboBox*>();
            QCOMPARE(listes.size(), 2);
            listes[1]->setCurrentIndex(0);
            apercu = dialogue->findChild<QPlainTextEdit*>()->toPlainText();
            accepte ? dialogue->accept() : dialogue->reject();
        });
        const std::optional<QList<int>> choix = QtDialogs().columnMapping(demande);
        QCOMPARE(apercu, u"10"_qs);
        QCOMPARE(choix, accepte ? std::optional(QList<int>{1, 0}) : std::nullopt);
    }
};

QTEST_MAIN(TestPlatformColumnMapping)
#include "test_platform_column_mapping.moc"
