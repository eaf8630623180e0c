// Opening fills the list in one go: the same order as adding the file's entries one by
// one, equal entries (those that differ only in case) kept in the file's order.
#include "addresses/AddressList.h"

#include <QtTest>

class TestListeOuverture : public QObject {
    Q_OBJECT
private slots:
    void commeAjoutParAjout()
    {
        // 64 spellings of one name, all equal to the list, among others: enough for an
        // unstable sort to swap some of them.
        QStringList fichier;
        for (int casse = 0; casse < 64; ++casse) {
            QString nom = QStringLiteral("dupont");
            for (int i = 0; i < nom.size(); ++i)
                if (casse & (1 << i))
                    nom[i] = nom[i].toUpper();
            fichier << nom << QStringLiteral("Émile %1").arg(63 - casse) << QStringLiteral("André");
        }
        AddressList unParUn;
        for (const QString& e : fichier)
            unParUn.add(e);
        AddressList ouverte;
        ouverte.setEntries(fichier);
        QCOMPARE(ouverte.entries(), unParUn.entries());
        QCOMPARE(ouverte.adresseCourante(), int(fichier.size()) - 1);
    }
};

QTEST_GUILESS_MAIN(TestListeOuverture)
#include "test_addresses_list_ouverture.moc"
