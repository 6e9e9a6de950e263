// Every kept fuzzing input (seed corpus and the inputs of fixed findings) through its reader.
#include "fuzz/FuzzEntries.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

using Entry = void (*)(const std::uint8_t*, std::size_t);
Q_DECLARE_METATYPE(Entry)

class TestFuzzRegressions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { FuzzEntries::Initialise(); }
    void keptInputs_data();
    void keptInputs();
};

void TestFuzzRegressions::keptInputs_data() {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("path");
    const QList<QPair<QString, Entry>> entries{{"replies", &FuzzEntries::Replies},
                                               {"datafile", &FuzzEntries::DataFile},
                                               {"config", &FuzzEntries::Config},
                                               {"comportini", &FuzzEntries::ComPortIni},
                                               {"capturereplay", &FuzzEntries::CaptureReplay}};
    int rows = 0;
    for (const auto& [name, entry] : entries) {
        for (const char* kind : {"corpus", "regressions"}) {
            const QString dir = QStringLiteral(ZFM_SOURCE_DIR "/fuzz/") + QLatin1String(kind) +
                                QLatin1Char('/') + name;
            QDirIterator files(dir, QDir::Files);
            while (files.hasNext()) {
                const QString path = files.next();
                QTest::addRow("%s/%s/%s", kind, qPrintable(name),
                              qPrintable(QFileInfo(path).fileName()))
                    << entry << path;
                ++rows;
            }
        }
    }
    if (rows == 0)
        QTest::addRow("none") << Entry(nullptr) << QString();
}

void TestFuzzRegressions::keptInputs() {
    QFETCH(Entry, entry);
    QFETCH(QString, path);
    if (!entry)
        QSKIP("no kept inputs");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    entry(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()));
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
