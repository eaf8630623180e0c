// Opening fills the list in one go, in the order that adding the file's entries one by
// one gives: equal entries (differing only in case) in the file's order.
#include "addresses/AddressList.h"

#include <QtTest>

class TestListeOuverture : public QObject {
    Q_OBJECT
private slots:
    void commeAjoutParAjout()
    {
        // 64 spellings of one name among others: enough for an unstable sort to swap some.
        QStringList fichier;
        for (int casse = 0; casse < 64; ++casse) {
            QString nom = u"dupont"_qs;
            for (int i = 0; i < nom.size(); ++i)
                nom[i] = casse & (1 << i) ? nom[i].toUpper() : nom[i];
            fichier << nom << QStringLiteral("Émile %1").arg(63 - casse);
        }
        AddressList unParUn, ouverte;
        for (const QString& e : fichier)
            unParUn.add(e);
        ouverte.setEntries(fichier);
        QCOMPARE(ouverte.entries(), unParUn.entries());
        QCOMPARE(ouverte.adresseCourante(), int(fichier.size()) - 1);
    }
};

QTEST_GUILESS_MAIN(TestListeOuverture)
#include "test_addresses_list_ouverture.moc"
