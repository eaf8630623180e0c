// Printing without the window, on the real program: the PDF of "plivane --pdf" is the one
// the window's Imprimer button makes of the same file, and every wrong command line or
// failed run ends with its French message, its status, and the previous PDF untouched.
// Where no screen can be opened, the window's start says so in one line, never Qt's abort.
#include "app/window/ImpressionLot.h"
#include "platform/widgets/QtPrinterService.h"
#include "print/DecalagesImprimantes.h"
#include "tests/app/BancForm1.h"
#include "tests/print/LecturePdf.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <QSettings>
#include <unistd.h>

class TestLot : public QObject {
    Q_OBJECT
    QTemporaryDir m_dossier;
    QString chemin(const QString& nom) const { return m_dossier.filePath(nom); }
    // The user's settings, as the window and the program both read them.
    QString reglages() const { return chemin(QStringLiteral("config/Plivane/Plivane.conf")); }

    struct Sortie {
        int code = -1;
        QString out, err;
    };
    Sortie plivane(const QStringList& arguments, const QString& display = {},
                   const QString& fontconfig = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!fontconfig.isEmpty())
            env.insert(QStringLiteral("FONTCONFIG_FILE"), fontconfig);
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program chooses for itself
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("DISPLAY"));
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), chemin(QStringLiteral("config")));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(PLIVANE_EXECUTABLE), arguments);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return {};
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

    QString ecrit(const QString& nom, const QString& exped, const QStringList& adresses) const
    {
        PlvDocument d;
        d.reglages.TexteExp = exped;
        d.reglages.MargeGaucheExp = 10.5f;
        d.reglages.MargeGaucheDest = 95.25f;
        d.reglages.LongueurEnv = 229.4f;
        d.reglages.Quantite = 2;
        d.Adresses = adresses;
        return FichierAdresses::ecrit(chemin(nom), d, {}) ? chemin(nom) : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dossier.isValid());
        QVERIFY(DecalagesImprimantes(reglages())
                    .enregistre(QtPrinterService::pdfOutputName(), {Mm(1.5), Mm(-2)}));
    }

    void pdfCommeLaFenetre_data()
    {
        QTest::addColumn<QString>("plv");
        // A logo, sideways, crop marks, three copies of three addresses.
        QTest::newRow("Amis.PLV") << QStringLiteral(PLIVANE_TEST_DATA "/plv/Amis.PLV");
        // The sender's text; addresses out of order, two equal but for their case.
        QTest::newRow("texte") << ecrit(
            QStringLiteral("Texte.PLV"), u"Jeanne\u00a0Dupont\r\n12 rue des Lilas"_qs,
            {u"Zoé\u00a0Paris"_qs, u"anne\u00a0Lyon"_qs, u"Anne\u00a0Lyon"_qs, u"Émile"_qs});
    }
    void pdfCommeLaFenetre()
    {
        QFETCH(QString, plv);
        const QString fenetre = chemin(QStringLiteral("fenetre.pdf"));
        const QString lot = chemin(QStringLiteral("lot.pdf"));
        {
            Banc<QtPrinterService> b;
            b.f->impression().decalages().utiliseFichier(reglages());
            QVERIFY(b.imprimante.setOutputFileName(fenetre));
            QVERIFY(b.f->Ouvre(plv));
            b.choisitTout();
            b.dialogs.printAnswers = {true};
            b.c().Imprimer->click();
            QCOMPARE(b.dialogs.messageTexts(), QStringList());
        }
        const Sortie s = plivane({QStringLiteral("--pdf"), lot, plv});
        QCOMPARE(s.err, QString());
        QCOMPARE(s.code, 0);

        const auto a = pdf::ouvre(fenetre);
        const auto b = pdf::ouvre(lot);
        QVERIFY(a && b && a->numPages() > 0);
        // The job is named after its file, as the window names it.
        QCOMPARE(b->info(u"Title"_qs), QFileInfo(plv).completeBaseName() + u" - enveloppes"_qs);
        QCOMPARE(b->info(u"Title"_qs), a->info(u"Title"_qs));
        QCOMPARE(b->numPages(), a->numPages());
        QCOMPARE(s.out, ImpressionLot::Resume(LigneCommande::Mode::Pdf, a->numPages(), lot) + u'\n');
        for (int page = 0; page < a->numPages(); ++page) {
            QCOMPARE(pdf::tailleMm(*b, page), pdf::tailleMm(*a, page));
            const QList<pdf::Mot> ma = pdf::mots(*a, page);
            const QList<pdf::Mot> mb = pdf::mots(*b, page);
            QCOMPARE(mb.size(), ma.size());
            for (qsizetype i = 0; i < ma.size(); ++i) {
                QCOMPARE(mb[i].texte, ma[i].texte);
                const QPointF ecart = mb[i].mm.topLeft() - ma[i].mm.topLeft();
                QVERIFY2(qAbs(ecart.x()) <= 0.01 && qAbs(ecart.y()) <= 0.01, qPrintable(ma[i].texte));
            }
            // The logo and the crop marks too.
            QCOMPARE(pdf::compareEncre(pdf::rendu(*a, page, 72), pdf::rendu(*b, page, 72)).seuls, 0);
        }
    }

    // The settings an earlier version left in Qt's folder for programs without an
    // organisation are taken over once, without replacing newer ones.
    void anciensReglagesRepris()
    {
        const QString ancien = chemin(QStringLiteral("config/Unknown Organization/Plivane.conf"));
        QVERIFY(QDir().mkpath(QFileInfo(ancien).absolutePath()));
        ecritFichier(ancien, "[Import]\nColonnes\\abc=1, 2\nOrdre=abc\n");
        const Sortie s = plivane({QStringLiteral("--pdf"), chemin(QStringLiteral("x.pdf")),
                                  ecrit(QStringLiteral("Un.PLV"), QString(), {u"Anne"_qs})});
        QCOMPARE(s.code, 0);
        QVERIFY(!QFile::exists(ancien));
        const QSettings repris(chemin(QStringLiteral("config/Plivane/Plivane.conf")), QSettings::IniFormat);
        QCOMPARE(repris.value(QStringLiteral("Import/Colonnes/abc")).toStringList(), QStringList({"1", "2"}));
    }

    // Every option the usage names is in both manual pages, with every exit status.
    void pagesDeManuel()
    {
        static const QRegularExpression option(u"(?<![\\w-])(--?[a-z][a-z-]*)"_qs);
        for (const char* page : {"/packaging/plivane.1", "/packaging/fr/plivane.1"}) {
            const QString man = QString::fromUtf8(contenu(QStringLiteral(PLIVANE_SOURCE_DIR) + page))
                                    .remove(u'\\'); // roff's escaped hyphens
            for (const QRegularExpressionMatch& m : option.globalMatch(LigneCommande::usage()))
                QVERIFY2(man.contains(m.captured(1)), qPrintable(m.captured(1) + u" : "_qs + page));
            for (const char* code : {"\n.B 0\n", "\n.B 1\n", "\n.B 2\n"})
                QVERIFY2(man.contains(QLatin1String(code)), page);
        }
    }

    void refusEtEchecs_data()
    {
        const QString plv = ecrit(QStringLiteral("Un.PLV"), QString(), {u"Anne"_qs});
        const QString douze =
            ecrit(QStringLiteral("Douze.PLV"), QStringList(12, u"l"_qs).join(u"\r\n"_qs), {u"Anne"_qs});
        const QString pdf = chemin(QStringLiteral("precedent.pdf"));
        // A logo saved beside its file, and a file naming a logo elsewhere.
        PlvDocument avecLogo;
        avecLogo.reglages.LogoChoisi = true;
        avecLogo.Adresses = {u"Anne"_qs};
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::black);
        const QString plvLogo = chemin(u"AvecLogo.PLV"_qs), logo = FichierAdresses::nomCompagnon(plvLogo);
        const QString plvNomme = chemin(u"Nomme.PLV"_qs), logoNomme = chemin(u"ailleurs.png"_qs);
        avecLogo.reglages.NomLogo = logoNomme;
        QVERIFY(image.save(logoNomme) && FichierAdresses::ecrit(plvNomme, avecLogo, image) &&
                FichierAdresses::ecrit(plvLogo, avecLogo, image));
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message"); // on the standard output for 0, on the error otherwise
        QTest::newRow("--aide") << QStringList{"--aide"} << 0 << LigneCommande::usage();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << LigneCommande::usage();
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "plivane " PLIVANE_VERSION "\n";
        QTest::newRow("unknown option") << QStringList{"--versoin"} << 2 << "option inconnue « --versoin »";
        QTest::newRow("--pdf alone") << QStringList{"--pdf"} << 2 << "--pdf attend le fichier PDF";
        QTest::newRow("two files") << QStringList{"--pdf", pdf, plv, plv} << 2
                                   << "un seul fichier d'adresses";
        QTest::newRow("PDF over the addresses")
            << QStringList{"--pdf", plv, plv} << 2 << "est le fichier d'adresses";
        QTest::newRow("PDF over the logo beside them")
            << QStringList{"--pdf", logo, plvLogo} << 2 << "est le logo du fichier d'adresses";
        QTest::newRow("PDF over the logo the file names")
            << QStringList{"--pdf", logoNomme, plvNomme} << 2 << "est le logo du fichier d'adresses";
        QTest::newRow("no such file") << QStringList{"--pdf", pdf, chemin("Absent.PLV")} << 1 << "Absent.PLV";
        // Named in Latin-1 on an old disk: there, but not found under the name Qt makes of it.
        const QByteArray latin1 = QFile::encodeName(chemin(u"Caf"_qs)) + "\xE9.PLV";
        QVERIFY(::link(QFile::encodeName(plv).constData(), latin1.constData()) == 0 || errno == EEXIST);
        QTest::newRow("name not UTF-8") << QStringList{"--pdf", pdf, QFile::decodeName(latin1)} << 1
                                        << "son nom contient des octets qui ne sont pas du texte";
        QTest::newRow("no such queue")
            << QStringList{"--imprimante", "Aucune", plv} << 1 << "« Aucune » est introuvable";
        QTest::newRow("no such folder")
            << QStringList{"--pdf", chemin("absent/x.pdf"), plv} << 1 << "absent/x.pdf";
        // A system without a single face.
        QTest::newRow("no font") << QStringList{"--pdf", pdf, plv} << 1 << "Aucune police n'est utilisable";
        QTest::newRow("twelve sender lines") << QStringList{"--pdf", pdf, douze} << 1 << "compte 12 lignes";
        QTest::newRow("unknown paper") << QStringList{"--papier", "carton", "--pdf", pdf, plv} << 2
                                       << "--papier attend « a4 » ou « enveloppe »";
        QTest::newRow("a source for a PDF")
            << QStringList{"--bac", "manual", "--pdf", pdf, plv} << 2 << "ne valent que pour --imprimante";
        // Printers nobody here wrote (.ci/prepare-print-server.sh).
        PlvDocument dl;
        std::tie(dl.reglages.LongueurEnv, dl.reglages.HauteurEnv) = std::pair(220.f, 110.f);
        dl.Adresses = {u"Anne"_qs};
        QVERIFY(FichierAdresses::ecrit(chemin(u"DL.PLV"_qs), dl, {}));
        QTest::newRow("no source of that name")
            << QStringList{"--papier",      "enveloppe",         "--bac", "tiroir", "--imprimante",
                           "Plivane-Laser", chemin(u"DL.PLV"_qs)}
            << 1 << "n'a pas de bac « tiroir ». Ses bacs : auto, main, envelope, manual.";
        QTest::newRow("a printer without A4") << QStringList{"--imprimante", "Plivane-Lettre", plv} << 1
                                              << PapierImprimante::messageSansA4(u"Plivane-Lettre"_qs);
        QTest::newRow("a stopped queue") << QStringList{"--imprimante", "Plivane-Refus", plv} << 1
                                         << "« Plivane-Refus » est arrêtée : rien ne lui est envoyé.";
    }
    void refusEtEchecs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QByteArray precedent = "%PDF-1.4 le PDF d'avant\n";
        const QString pdf = ecritFichier(chemin(QStringLiteral("precedent.pdf")), precedent);
        const qsizetype file = arguments.indexOf(u"--imprimante"_qs) + 1;
        if (file > 0 && arguments[file].startsWith(u"Plivane-"_qs) &&
            QProcess::execute(u"lpstat"_qs, {u"-v"_qs, arguments[file]}) != 0)
            QSKIP("No such CUPS queue on this machine (CI makes it); no printer was touched.");
        const bool arreter = QByteArray(QTest::currentDataTag()) == "a stopped queue";
        const auto relance = qScopeGuard([&] {
            if (arreter)
                QProcess::execute(u"cupsenable"_qs, {arguments[file]});
        });
        if (arreter)
            QCOMPARE(QProcess::execute(u"cupsdisable"_qs, {arguments[file]}), 0);

        // A refused run leaves what it was to write over as it was.
        const QByteArray avant = arguments.size() > 1 ? contenu(arguments[1]) : QByteArray();
        QString sansPolice;
        if (QByteArray(QTest::currentDataTag()) == "no font")
            sansPolice =
                ecritFichier(chemin(u"sans-polices.conf"_qs),
                             "<?xml version=\"1.0\"?><fontconfig><dir>/nulle/part</dir><cachedir>" +
                                 QFile::encodeName(chemin(u"cache"_qs)) + "</cachedir></fontconfig>");
        const Sortie s = plivane(arguments, {}, sansPolice);
        QCOMPARE(s.code, code);
        if (code != 0 && arguments.size() > 1)
            QCOMPARE(contenu(arguments[1]), avant);
        QVERIFY2((code == 0 ? s.out : s.err).contains(message), qPrintable(s.out + s.err));
        QVERIFY2(code == 0 ? s.err.isEmpty() : s.out.isEmpty() && s.err.startsWith(u"plivane : "_qs),
                 qPrintable(s.out + s.err));
        QVERIFY(code != 2 || s.err.contains(LigneCommande::usage())); // the reason, then how to say it
        QVERIFY2(!s.err.contains(u"fenêtre"_qs), qPrintable(s.err));  // no window follows
        QCOMPARE(contenu(pdf), precedent);
    }

    // A job the printer cancels after taking it ends the batch with 1, every time.
    void unTravailAnnuleFinitEnEchec()
    {
        if (QProcess::execute(u"lpstat"_qs, {u"-v"_qs, u"Plivane-Laser"_qs}) != 0)
            QSKIP("No simulated printers on this machine (CI makes them); no printer was touched.");
        PlvDocument dl;
        std::tie(dl.reglages.LongueurEnv, dl.reglages.HauteurEnv) = std::pair(220.f, 110.f);
        dl.Adresses = {u"Anne"_qs};
        QVERIFY(FichierAdresses::ecrit(chemin(u"Annule.PLV"_qs), dl, {}));
        for (int essai = 0; essai < 20; ++essai) {
            const Sortie s = plivane({u"--papier"_qs, u"enveloppe"_qs, u"--bac"_qs, u"manual"_qs,
                                      u"--imprimante"_qs, u"Plivane-Laser"_qs, chemin(u"Annule.PLV"_qs)});
            QCOMPARE(s.code, 1);
            QVERIFY2(s.err.contains(u"« Plivane-Laser » a été annulée"_qs) && s.out.isEmpty(),
                     qPrintable(s.err));
        }
    }

    void sansEcran_data()
    {
        QTest::addColumn<QString>("display");
        QTest::newRow("no display") << QString();
        QTest::newRow("display without a server") << QStringLiteral(":93");
    }
    void sansEcran()
    {
        QFETCH(QString, display);
        const Sortie s = plivane({}, display);
        QCOMPARE(s.code, 2);
        QCOMPARE(s.err.trimmed().count(u'\n'), 0);
        QVERIFY2(s.err.contains(QStringLiteral("impossible d'ouvrir l'écran")), qPrintable(s.err));
    }
};

QTEST_MAIN(TestLot)
#include "test_app_lot.moc"
