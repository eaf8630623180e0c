// The real font dialog on a machine where Arial and Times New Roman exist only as
// fontconfig's names for Liberation Sans and Liberation Serif: it shows the face that
// prints and the file's fractional size, and OK without a change leaves the saved file
// and the preview exactly as they were. A face the user picks is kept by its own name.
#include "app/window/Form1.h"
#include "layout/Modele.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
// Scripted dialogs, but the font dialog is Qt's own, played by `pendant` while it is open
// and then accepted.
struct DialoguesPolice : ScriptedDialogs {
    QtDialogs reels;
    std::function<void(QFontDialog&)> pendant;
    QString vu;  // the face and the size the dialog showed on opening

    std::optional<FontChoice> chooseFont(const FontChoice& initial) override
    {
        auto* minuterie = new QTimer;
        QObject::connect(minuterie, &QTimer::timeout, minuterie, [this, minuterie] {
            auto* fenetre = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* polices = fenetre ? fenetre->findChild<QFontDialog*>() : nullptr;
            if (!polices)
                return;
            minuterie->deleteLater();
            vu = polices->currentFont().family();
            for (QLineEdit* e : polices->findChildren<QLineEdit*>())
                if (e->validator())
                    vu += u' ' + e->text();
            if (pendant)
                pendant(*polices);
            fenetre->accept();
        });
        minuterie->start(10);
        return reels.chooseFont(initial);
    }
};

struct Fenetre {
    DialoguesPolice dialogues;
    QtPrinterService imprimante;
    QTemporaryDir dossier;
    Form1 f{dialogues, imprimante};

    Fenetre()
    {
        f.impression().decalages().utiliseFichier(dossier.filePath(QStringLiteral("reglages.ini")));
        f.show();
    }
    QByteArray sauve(const QString& nom)
    {
        dialogues.saveAnswers = {dossier.filePath(nom)};
        f.controles().Sauver->click();
        QFile fichier(dossier.filePath(nom));
        return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
    }
    void polices(QPlainTextEdit* boite)
    {
        QApplication::setActiveWindow(&f);  // as it is again once the dialog has closed
        boite->setFocus();
        QApplication::processEvents();
        f.controles().Polices->click();
    }
};

QString face(const QString& nom, bool gras)
{
    QFont f(nom);
    f.setBold(gras);
    return QFontInfo(f).family();
}
} // namespace

class TestPoliceAlias : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QFontDatabase::families().contains(QStringLiteral("Arial")))
            QSKIP("une vraie police Arial est installée : aucun alias à éprouver");
    }

    void okSansRienChangerNeChangeRien_data()
    {
        QTest::addColumn<QByteArray>("police");  // the font records' name, style and size
        QTest::addColumn<double>("taille");
        QTest::addColumn<bool>("gras");
        QTest::newRow("Arial des blocs par défaut") << QByteArray() << 18.0 << false;
        QTest::newRow("Times New Roman gras 10,5") << QByteArray("\"Times New Roman\",#FALSE#,#TRUE#") << 10.5 << true;
    }

    void okSansRienChangerNeChangeRien()
    {
        QFETCH(QByteArray, police);
        QFETCH(double, taille);
        QFETCH(bool, gras);
        Fenetre w;
        if (!police.isEmpty()) {
            QByteArray octets = w.sauve(QStringLiteral("Arial.PLV"));
            octets.replace("\"Arial\",#FALSE#,#FALSE#", police);
            octets.replace(",8.25\r\n", ",10.5\r\n").replace(",18\r\n", ",10.5\r\n");
            QFile fichier(w.dossier.filePath(QStringLiteral("Autre.PLV")));
            QVERIFY(fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size());
            fichier.close();
            QVERIFY(w.f.Ouvre(fichier.fileName()));
            QCOMPARE(w.f.reglages().PoliceDest.pointSize, 10.5);
        }
        const QString nom = w.f.reglages().PoliceDest.name;
        const QByteArray avant = w.sauve(QStringLiteral("Avant.PLV"));
        const QImage apercu = w.f.controles().ModeleApercu->image();

        // The recipient box, the dialog's own since start-up: no focus needed, and the
        // file opened since then is what it shows.
        w.f.controles().Polices->click();
        QCOMPARE(w.dialogues.vu, face(nom, gras) + u' ' + QLocale().toString(taille));
        QCOMPARE(w.f.reglages().PoliceDest.name, nom);
        w.polices(w.f.controles().Exped);
        QCOMPARE(w.dialogues.vu, face(nom, gras) + u' ' + QLocale().toString(police.isEmpty() ? 8.25 : taille));
        QVERIFY(w.f.etat().Modifie);

        QCOMPARE(w.sauve(QStringLiteral("Apres.PLV")), avant);
        QCOMPARE(w.f.controles().ModeleApercu->image(), apercu);
    }

    void uneFaceChoisieGardeSonNom()
    {
        Fenetre w;
        w.dialogues.pendant = [](QFontDialog& d) {
            for (QListView* liste : d.findChildren<QListView*>()) {
                auto* modele = qobject_cast<QStringListModel*>(liste->model());
                const qsizetype ligne = modele ? modele->stringList().indexOf(QStringLiteral("DejaVu Serif")) : -1;
                if (ligne >= 0)
                    liste->setCurrentIndex(modele->index(int(ligne)));
            }
        };
        w.polices(w.f.controles().Exped);
        const BlockFont& p = w.f.reglages().PoliceExp;
        QCOMPARE(p.name, QStringLiteral("DejaVu Serif"));
        QCOMPARE(p.pointSize, 8.25);  // the size shown was left alone

        // A size typed, with the decimal comma of French or a point.
        w.dialogues.pendant = [](QFontDialog& d) {
            for (QLineEdit* e : d.findChildren<QLineEdit*>())
                if (e->validator()) {
                    e->selectAll();
                    QTest::keyClicks(e, QStringLiteral("10,5"));
                }
        };
        w.polices(w.f.controles().Adresse);
        QCOMPARE(w.f.reglages().PoliceDest.pointSize, 10.5);
        QCOMPARE(w.f.reglages().PoliceDest.name, QStringLiteral("Arial"));
    }
};

QTEST_MAIN(TestPoliceAlias)
#include "test_app_police_alias.moc"
