// The real print and file dialogs, shown offscreen under LANG=fr_FR.UTF-8 with the
// program's translations, walked widget by widget, every tab opened: no English and no
// pattern text reaches the user, the print dialogs offer no page range, odd or even
// pages, reverse order or collating, and a print to a file is offered under the address
// file's name, beside it.
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "platform/Traductions.h"
#include "print/CommandeImpression.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
enum Dialogue { File, Fichier, Apercu, Ouvrir, Enregistrer };

// What the user can read in a widget.
QStringList textes(QWidget* w)
{
    QStringList t = {w->toolTip()};
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        t << b->text();
    else if (auto* l = qobject_cast<QLabel*>(w))
        t << l->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        t << g->title();
    else if (auto* c = qobject_cast<QComboBox*>(w))
        for (int i = 0; i < c->count(); ++i)
            t << c->itemText(i);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        t << e->text();
    else if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model())
        for (int r = 0; r < v->model()->rowCount(v->rootIndex()); ++r)
            for (int c = 0; c < v->model()->columnCount(v->rootIndex()); ++c)
                t << v->model()->index(r, c, v->rootIndex()).data().toString()
                  << v->model()->headerData(c, Qt::Horizontal).toString();
    return t;
}

// "objectName: text" for every visible widget, each tab shown in turn.
void releve(QWidget* w, QStringList& vus)
{
    if (!w->isVisible())
        return;
    for (const QString& t : textes(w))
        if (!t.isEmpty())
            vus << w->objectName() + u": "_qs + t;
    if (auto* onglets = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < onglets->count(); ++i) {
            onglets->setCurrentIndex(i);
            vus << u"onglet: "_qs + onglets->tabText(i);
            releve(onglets->widget(i), vus);
        }
        return;
    }
    for (QWidget* enfant : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        releve(enfant, vus);
}

// Plays the user until the dialog of type D is up (printing from a preview on the way),
// hands it to `geste`, then closes it.
template <typename D>
void pendant(std::function<void(D&)> geste, bool accepte = false)
{
    auto* minuterie = new QTimer;
    QObject::connect(minuterie, &QTimer::timeout, minuterie, [=] {
        QWidget* haut = QApplication::activeModalWidget();
        if (auto* apercu = qobject_cast<QPrintPreviewDialog*>(haut)) {
            for (QAction* a : apercu->findChildren<QAction*>())
                if (a->text() == u"Imprimer"_qs && a->isEnabled())
                    return QTimer::singleShot(0, a, &QAction::trigger);  // this timer waits meanwhile
        } else if (auto* d = qobject_cast<D*>(haut)) {
            minuterie->deleteLater();
            geste(*d);
            accepte ? static_cast<QDialog*>(d)->accept() : d->reject();
            if (auto* parent = qobject_cast<QPrintPreviewDialog*>(d->parentWidget()))
                QTimer::singleShot(0, parent, &QDialog::reject);
        }
    });
    minuterie->start(50);
}
}  // namespace

class TestPrintDialogues : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void dialogsSpeakFrenchAndOfferOnlyWhatPrints_data()
    {
        QTest::addColumn<int>("dialogue");
        QTest::newRow("print, CUPS queue") << int(File);
        QTest::newRow("print, to a file") << int(Fichier);
        QTest::newRow("print, from the preview") << int(Apercu);
        QTest::newRow("open") << int(Ouvrir);
        QTest::newRow("save") << int(Enregistrer);
    }
    void dialogsSpeakFrenchAndOfferOnlyWhatPrints()
    {
        QFETCH(int, dialogue);
        QtPrinterService imprimante;
        if (dialogue == File && !imprimante.selectPrinter(u"Plivane-PDF"_qs))
            QSKIP("No CUPS queue named Plivane-PDF on this machine (CI creates it with "
                  ".ci/prepare-print-server.sh).");
        if (dialogue == Fichier)
            QVERIFY(imprimante.setOutputFileName(m_dir.filePath(u"sortie.pdf"_qs)));
        imprimante.printer().setCollateCopies(true);
        QVERIFY(QDir(m_dir.path()).mkpath(u"Envois"_qs));
        for (const QString& nom : {u"a.plv"_qs, u"B.PLV"_qs, u"c.bmp"_qs}) {
            QFile f(m_dir.filePath(nom));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }

        QStringList vus;
        const auto lit = [&vus](QDialog& d) {
            for (QPushButton* b : d.findChildren<QPushButton*>())
                if (qobject_cast<QPrintDialog*>(&d) && b->text().contains(u"Options"_qs))
                    b->click();  // the Copies and Options tabs
            if (auto* liste = d.findChild<QAbstractItemView*>(u"treeView"_qs))
                QTRY_VERIFY(liste->model()->rowCount(liste->rootIndex()) == 3);  // a folder and two files
            releve(&d, vus);
        };
        QtDialogs dialogues;
        FileDialogRequest demande{u"Ouvrir"_qs, u"Fichiers autorisés (*.PLV)|*.PLV"_qs, u"PLV"_qs, m_dir.path() + u"/"_qs};
        if (dialogue == Ouvrir || dialogue == Enregistrer) {
            pendant<QFileDialog>(lit);
            dialogue == Ouvrir ? dialogues.openFile(demande) : dialogues.saveFile(demande);
            QVERIFY(vus.contains(u"fileTypeCombo: Fichiers autorisés (*.PLV)"_qs));
            QVERIFY2(vus.contains(u"treeView: Dossier"_qs), qPrintable(vus.join(u'\n')));  // the folder's type
        } else if (dialogue == Apercu) {
            pendant<QPrintDialog>(lit);
            PreviewRequest apercu;
            apercu.paint = [](PrinterService& p) { (void)p.printText(u"Enveloppe"_qs, LineEnd::No); };
            dialogues.printPreview(imprimante, apercu);
        } else {
            pendant<QPrintDialog>(lit, true);
            QVERIFY(dialogues.printDialog(imprimante));
            // The copies of each envelope together, as a file has them.
            QVERIFY(!imprimante.printer().collateCopies());
            QCOMPARE(imprimante.printer().pageOrder(), QPrinter::FirstPageFirst);
        }
        QVERIFY(!vus.isEmpty());
        // The printer's own name and model stay as the print server gives them.
        static const QRegularExpression kPropre(u"^(printers|type|location|lookInCombo): "_qs);
        static const QRegularExpression kAnglais(
            u"\\[[A-Za-z]{2}\\]|\\b(Off|Folder|Drive|Sided|binding|side|Print|Printer|Reverse|Collate|Copies:|Pages from|"
            "Page Set|bytes|Advanced|Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)\\b"_qs);
        static const QRegularExpression kPlage(u"^(gbPrintRange|pageSetCombo|pagesRadioButton|reverse|collate):"_qs);
        for (const QString& vu : std::as_const(vus)) {
            QVERIFY2(kPropre.match(vu).hasMatch() || !kAnglais.match(vu).hasMatch(), qPrintable(vu));
            QVERIFY2(!kPlage.match(vu).hasMatch(), qPrintable(vu));
        }
    }

    void aPrintToAFileIsOfferedUnderTheAddressFilesName()
    {
        QtPrinterService imprimante;
        QtDialogs dialogues;
        CommandeImpression commande(imprimante, dialogues, nullptr);
        commande.remplaceChoixAdresses([](const QStringList&) { return std::optional<QList<int>>(QList<int>{0}); });
        DemandeImpression demande;
        demande.adresses = {u"Destinataire"_qs};
        demande.reglages.NomFichier = m_dir.filePath(u"Amis.PLV"_qs);
        QString propose;
        pendant<QPrintDialog>([&propose](QPrintDialog& d) {
            auto* sorties = d.findChild<QComboBox*>(u"printers"_qs);
            sorties->setCurrentIndex(sorties->count() - 1);
            propose = d.findChild<QLineEdit*>(u"filename"_qs)->text();
        });
        commande.Imprimer(demande);
        QCOMPARE(propose, m_dir.filePath(u"Amis - enveloppes.pdf"_qs));
        QCOMPARE(imprimante.printer().docName(), u"Amis - enveloppes"_qs);  // the job's name in the print queue
    }
};

int main(int argc, char** argv)
{
    qputenv("LC_ALL", "fr_FR.UTF-8");
    qputenv("LANG", "fr_FR.UTF-8");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));  // as the program starts
    if (!installeTraductionsFrancaises())
        return 1;
    TestPrintDialogues test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_print_dialogues.moc"
