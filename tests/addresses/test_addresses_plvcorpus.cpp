// Every input the reader was ever fuzzed from, and every input that ever broke it, read
// again in the ordinary build: none may crash, and what is accepted survives a save.
#include "addresses/PlvCodec.h"

#include <QDir>
#include <QtTest>

class TestAddressesPlvCorpus : public QObject {
    Q_OBJECT
private slots:
    void everyInputReadsSafely_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* folder : {"corpus", "crashes"}) {
            const QDir dir(QStringLiteral(PLIVANE_SOURCE_DIR "/tests/fuzz/") + QLatin1String(folder));
            for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
                if (!name.startsWith(u'.'))
                    QTest::newRow(qPrintable(QLatin1String(folder) + u'/' + name)) << dir.filePath(name);
            }
        }
    }

    void everyInputReadsSafely()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const Result<PlvDocument> document = PlvCodec::read(file.readAll());
        // The seed corpus is made of good files; the crashes are anything at all.
        if (path.contains(u"/corpus/"))
            QVERIFY2(document.isOk(), qPrintable(document.error()));
        if (!document)
            return;
        const Result<PlvDocument> again = PlvCodec::read(PlvCodec::write(document.value()));
        QVERIFY(again.isOk());
        QCOMPARE(again.value(), document.value());
    }
};

QTEST_MAIN(TestAddressesPlvCorpus)
#include "test_addresses_plvcorpus.moc"
