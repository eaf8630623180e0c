// Address books read where they live: a Thunderbird profile written by the sqlite3 tool in
// Thunderbird's own schema, one book held open in write-ahead mode as a running Thunderbird
// holds it; Evolution Data Server's books, filled through its library on a private bus; and
// a folder of vCard files as CardDAV synchronisers keep them. Their contacts must make the
// same envelope lines as the same people exported as one vCard file.
#include "addresses/carnets/CarnetEvolution.h"
#include "addresses/carnets/CarnetThunderbird.h"
#include "addresses/import/ImportAdresses.h"
#include "addresses/liste/ListeAdresses.h"
#include "addresses/widgets/AddressBookDialog.h"
#include "tests/support/EvolutionPrivee.h"
#include "tests/support/Fichiers.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace {
const QString kSchema = u"CREATE TABLE cards (uid TEXT PRIMARY KEY, localId INTEGER);"
                        "CREATE TABLE properties (card TEXT, name TEXT, value TEXT);"
                        "CREATE TABLE lists (uid TEXT PRIMARY KEY, localId INTEGER, name TEXT, nickName TEXT,"
                        " description TEXT);"
                        "CREATE TABLE list_cards (list TEXT, card TEXT, PRIMARY KEY(list, card));"
                        "CREATE INDEX properties_card ON properties(card);"
                        "CREATE INDEX properties_name ON properties(name);"
                        "PRAGMA user_version = 4;"_qs;

// Thunderbird 102's cards: the vCard whole, beside what it copies out for its search.
QString carteEntiere(int id, const QByteArray& vcard)
{
    return u"INSERT INTO cards VALUES ('uid-%1', %1); INSERT INTO properties VALUES ('uid-%1', '_vCard', "
           u"'%2'),"
           " ('uid-%1', 'PrimaryEmail', 'x%1@exemple.fr');"_qs.arg(id)
               .arg(QString::fromUtf8(vcard).replace(u'\'', u"''"_qs));
}

// An older card: a property per field.
QString carteAChamps(int id, const QList<QPair<QString, QString>>& champs)
{
    const QString uid = u"uid-%1"_qs.arg(id);
    QString sql = u"INSERT INTO cards VALUES ('%1', %2);"_qs.arg(uid).arg(id);
    for (const auto& [nom, valeur] : champs)
        sql += u"INSERT INTO properties VALUES ('%1', '%2', '%3');"_qs.arg(uid, nom, valeur);
    return sql;
}

bool sqlite(const QString& base, const QString& sql)
{
    QProcess p;
    p.start(u"sqlite3"_qs, {base});
    p.write(sql.toUtf8());
    p.closeWriteChannel();
    return p.waitForFinished() && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The same people, as one vCard file exports them.
const QByteArray kPersonnes =
    "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Chlo\xC3\xA9 Dupont\r\nN:Dupont;Chlo\xC3\xA9;;;\r\n"
    "ADR;TYPE=home:;B\xC3\xA2t. B;5 rue des Lilas;Marseille;;13001;France\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Na\xC3\xAF"
    "f;Fran\xC3\xA7ois;;;\r\n"
    "ADR;TYPE=home:;;1 place du Ch\xC3\xA2teau;Dijon;;21000;\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Martin;Zo\xC3\xA9;;;\r\nORG:Atelier Zo\xC3\xA9\r\n"
    "ADR;TYPE=work:;;2 rue \xC3\x88ve;Lille;;59000;\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Garcia;Luis;;;\r\n"
    "ADR:;;Calle Mayor 3;Madrid;;28013;Espagne\r\nEND:VCARD\r\n";

QByteArrayList personnes()
{
    QByteArrayList cartes = kPersonnes.split('\n');
    QByteArrayList une{""};
    for (const QByteArray& ligne : cartes) {
        une.last() += ligne + '\n';
        if (ligne.startsWith("END:VCARD"))
            une << QByteArray();
    }
    une.removeLast();
    return une;
}

QStringList importe(Dialogs& dialogs, const Carnets& carnets,
                    const std::function<void(ImportAdresses&)>& comment)
{
    ListeAdresses liste;
    ImportAdresses import(dialogs, liste, carnets);
    comment(import);
    QStringList entrees = liste.entrees();
    entrees.sort();
    return entrees;
}

// Each book imported in turn, all its contacts ticked; the entries, sorted.
QStringList importeChacun(ScriptedDialogs& dialogs, const Carnets& carnets)
{
    QStringList lues;
    for (int i = 0; i < carnets.size(); ++i) {
        dialogs.bookAnswers = {AddressBookAnswer{AddressBookAnswer::Source::Book, i, {}}};
        lues += importe(dialogs, carnets, [](ImportAdresses& import) { import.choisitEtImporte(); });
    }
    lues.sort();
    return lues;
}

// The same people from one vCard file.
QStringList deFichier(ScriptedDialogs& dialogs, const QString& chemin)
{
    ecritFichier(chemin, kPersonnes);
    return importe(dialogs, {}, [&](ImportAdresses& import) { import.importe(chemin); });
}
} // namespace

class TestCarnets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_maison.isValid());
        QStandardPaths::setTestModeEnabled(true);
    }

    void thunderbird()
    {
        const QDir racine(m_maison.filePath(u".thunderbird"_qs));
        QVERIFY(racine.mkpath(u"x1.default-release"_qs));
        ecritFichier(racine.filePath(u"profiles.ini"_qs),
                     "[Profile0]\nName=default-release\nIsRelative=1\nPath=x1.default-release\nDefault=1\n");
        const QDir profil(racine.filePath(u"x1.default-release"_qs));
        ecritFichier(profil.filePath(u"prefs.js"_qs),
                     "user_pref(\"ldap_2.servers.Clients.description\", \"Clients \\u00E0 Lyon\");\n"
                     "user_pref(\"ldap_2.servers.Clients.dirType\", 101);\n"
                     "user_pref(\"ldap_2.servers.Clients.filename\", \"abook-1.sqlite\");\n"
                     "user_pref(\"ldap_2.servers.Abime.description\", \"Ab\xC3\xAEm\xC3\xA9\");\n"
                     "user_pref(\"ldap_2.servers.Abime.filename\", \"abook-2.sqlite\");\n"
                     "user_pref(\"ldap_2.servers.Annuaire.dirType\", 0);\n"
                     "user_pref(\"ldap_2.servers.Annuaire.filename\", \"ldap.sqlite\");\n");
        const QString personnel = profil.filePath(u"abook.sqlite"_qs);
        QVERIFY(sqlite(personnel,
                       kSchema + carteEntiere(1, personnes().at(0)) +
                           carteAChamps(2, {{u"FirstName"_qs, u"François"_qs},
                                            {u"LastName"_qs, u"Naïf"_qs},
                                            {u"HomeAddress"_qs, u"1 place du Château"_qs},
                                            {u"HomeCity"_qs, u"Dijon"_qs},
                                            {u"HomeZipCode"_qs, u"21000"_qs}}) +
                           carteAChamps(3, {{u"FirstName"_qs, u"Zoé"_qs},
                                            {u"LastName"_qs, u"Martin"_qs},
                                            {u"Company"_qs, u"Atelier Zoé"_qs},
                                            {u"WorkAddress"_qs, u"2 rue Ève"_qs},
                                            {u"WorkCity"_qs, u"Lille"_qs},
                                            {u"WorkZipCode"_qs, u"59000"_qs}}) +
                           carteAChamps(4, {{u"DisplayName"_qs, u"Sans adresse"_qs},
                                            {u"PrimaryEmail"_qs, u"sans@exemple.fr"_qs}}) +
                           u"INSERT INTO lists VALUES ('liste-1', 1, 'Famille', '', '');"
                           "INSERT INTO list_cards VALUES ('liste-1', 'uid-1'), ('liste-1', 'uid-2');"_qs));
        ecritFichier(profil.filePath(u"abook-2.sqlite"_qs), "ceci n'est pas une base SQLite");

        // Thunderbird running: its book open in write-ahead mode, a card written since the
        // last checkpoint and still only in the log.
        const QString clients = profil.filePath(u"abook-1.sqlite"_qs);
        QProcess thunderbird;
        thunderbird.start(u"sqlite3"_qs, {clients});
        thunderbird.write((u"PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"_qs + kSchema +
                           carteEntiere(5, personnes().at(3)) + u"\n.print pret\n"_qs)
                              .toUtf8());
        QVERIFY(thunderbird.waitForReadyRead(10000));
        QVERIFY(QFileInfo(clients + u"-wal"_qs).size() > 0);
        const QByteArray avant = contenu(clients) + contenu(clients + u"-wal"_qs);

        const Carnets carnets = CarnetThunderbird::trouve(m_maison.path());
        QStringList noms;
        for (const auto& c : carnets)
            noms << c->nom();
        QCOMPARE(noms, (QStringList{u"Thunderbird : Ab\u00eem\u00e9"_qs, u"Thunderbird : Clients à Lyon"_qs,
                                    u"Thunderbird : Adresses personnelles"_qs}));

        ScriptedDialogs dialogs;
        const QStringList lues = importeChacun(dialogs, carnets);
        QCOMPARE(dialogs.lastBooks,
                 (QStringList{u"Thunderbird : Abîmé (illisible)"_qs,
                              u"Thunderbird : Clients à Lyon (1 contact avec une adresse)"_qs,
                              u"Thunderbird : Adresses personnelles (3 contacts avec une adresse)"_qs}));
        QCOMPARE(lues.size(), 4);
        QCOMPARE(lues, deFichier(dialogs, m_maison.filePath(u"personnes.vcf"_qs)));
        // The damaged book, the first, is named with why, and adds nothing.
        dialogs.bookAnswers = {AddressBookAnswer{AddressBookAnswer::Source::Book, 0, {}}};
        QVERIFY(
            importe(dialogs, carnets, [](ImportAdresses& import) { import.choisitEtImporte(); }).isEmpty());
        QCOMPARE(dialogs.lastBookError,
                 u"Le carnet « Thunderbird : Abîmé » ne peut pas être lu : ce n'est pas "
                 "un carnet d'adresses de Thunderbird."_qs);
        QCOMPARE(contenu(clients) + contenu(clients + u"-wal"_qs), avant); // never written
        thunderbird.closeWriteChannel();
        QVERIFY(thunderbird.waitForFinished());
    }

    // Every enabled book of the server, the built-in one included; one no backend serves is
    // named with why, and adds nothing.
    void evolution()
    {
        EvolutionPrivee serveur(
            {{u"plivane-clients"_qs, u"Clients"_qs}, {u"plivane-casse"_qs, u"Cassé"_qs, u"inexistant"_qs}});
        if (!serveur.erreur().isEmpty())
            QSKIP(qPrintable(serveur.erreur()));
        QCOMPARE(serveur.remplit({}, personnes().mid(0, 3)), QString());
        QCOMPARE(serveur.remplit(u"plivane-clients"_qs, personnes().mid(3)), QString());

        const Carnets carnets = CarnetsEvolution::trouve();
        QStringList noms;
        for (const auto& c : carnets)
            noms << c->nom();
        const qsizetype casse = noms.indexOf(u"Evolution : Cassé"_qs);
        QVERIFY(noms.size() == 3 && noms.contains(u"Evolution : Clients"_qs) && casse >= 0);
        ScriptedDialogs dialogs;
        const QStringList lues = importeChacun(dialogs, carnets);
        QVERIFY(dialogs.lastBooks.at(casse).endsWith(u"(illisible)"_qs));
        QCOMPARE(lues.size(), 4);
        QCOMPARE(lues, deFichier(dialogs, m_maison.filePath(u"eds.vcf"_qs)));
    }

    // A synchroniser's folder: one card per file, as many as a large address book holds,
    // and one file cut short, left out and counted.
    void dossierVcard()
    {
        QByteArray un;
        QTemporaryDir dossier;
        for (int i = 0; i < 2000; ++i) {
            const QByteArray carte = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Nom" + QByteArray::number(i) +
                                     ";Pr\xC3\xA9nom;;;\r\nADR:;;" + QByteArray::number(i % 97 + 1) +
                                     " rue de la Paix;Paris;;75002;\r\nEND:VCARD\r\n";
            un += carte;
            ecritFichier(dossier.filePath(u"%1.vcf"_qs.arg(i)), carte);
        }
        ecritFichier(dossier.filePath(u"coupe.vcf"_qs),
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Coup\xC3\xA9;;;;\r\n");
        ScriptedDialogs dialogs;
        dialogs.bookAnswers = {AddressBookAnswer{AddressBookAnswer::Source::Folder, -1, {}},
                               AddressBookAnswer{AddressBookAnswer::Source::Book, 0, {}}};
        dialogs.openAnswers = {dossier.path()};
        const QStringList deDossier =
            importe(dialogs, {}, [](ImportAdresses& import) { import.choisitEtImporte(); });
        QVERIFY(dialogs.messageTexts().constLast().contains(u"1 fiche ignorée : 1 illisible."_qs));
        const QString fichier = ecritFichier(m_maison.filePath(u"un.vcf"_qs), un);
        QCOMPARE(deDossier.size(), 2000);
        QCOMPARE(deDossier, importe(dialogs, {}, [&](ImportAdresses& import) { import.importe(fichier); }));
    }

    // The real window: a search narrows the contacts, "Tout décocher" unticks those shown,
    // and a book that cannot be read says why, with nothing to import.
    void fenetre()
    {
        AddressBookRequest demande;
        demande.title = ImportAdresses::titre();
        demande.books = {u"Bon"_qs, u"Abîmé"_qs};
        demande.initial = 1;
        demande.contacts = [](int i) -> Result<QList<AddressBookRequest::Contact>> {
            if (i == 1)
                return Status::failure(u"Le carnet « Abîmé » ne peut pas être lu : il est endommagé."_qs);
            return QList<AddressBookRequest::Contact>{{u"Chloé Dupont"_qs, u"Marseille"_qs},
                                                      {u"Zoé Martin"_qs, u"Lille"_qs},
                                                      {u"Luis Garcia"_qs, u"Madrid"_qs}};
        };
        QStringList vus;
        QTimer::singleShot(0, [&vus] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            const auto bouton = [d](const QString& texte) {
                for (QPushButton* b : d->findChildren<QPushButton*>())
                    if (b->text() == texte)
                        return b;
                return static_cast<QPushButton*>(nullptr);
            };
            auto* etat = d->findChild<QLabel*>(u"Etat"_qs);
            vus << etat->text() << QString::number(bouton(u"Importer"_qs)->isEnabled());
            d->findChild<QListWidget*>(u"Carnets"_qs)->setCurrentRow(0);
            d->findChild<QLineEdit*>(u"Recherche"_qs)->setText(u"lil"_qs);
            vus << QString::number(d->findChild<QTreeView*>(u"Contacts"_qs)->model()->rowCount());
            bouton(u"Tout décocher"_qs)->click();
            d->findChild<QLineEdit*>(u"Recherche"_qs)->clear();
            vus << etat->text();
            bouton(u"Importer"_qs)->click();
        });
        const std::optional<AddressBookAnswer> reponse = askAddressBook(demande, nullptr);
        QCOMPARE(vus, (QStringList{u"Le carnet « Abîmé » ne peut pas être lu : il est endommagé."_qs, u"0"_qs,
                                   u"1"_qs, u"2 contacts cochés sur 3."_qs}));
        QVERIFY(reponse && reponse->source == AddressBookAnswer::Source::Book);
        QCOMPARE(reponse->book, 0);
        QCOMPARE(reponse->ticked, (QList<int>{0, 2}));
    }

private:
    QTemporaryDir m_maison;
};

QTEST_MAIN(TestCarnets)
#include "test_addresses_carnets.moc"
