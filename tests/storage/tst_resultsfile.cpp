// The results file of on-line runs: its name under several locales, its content under "."
// and ",", and what a failed creation leaves behind.
#include "state/AppPaths.h"
#include "state/GaugeState.h"
#include "storage/ResultsFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QDateTime Moment(QDate(2024, 3, 5), QTime(14, 5, 7));

} // namespace

class TestResultsFile : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void name_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("US: slashes and AM/PM") << "en_US"
                                               << "/data"
                                               << "/data/wyniki od 3-5-24 20507 PM.txt";
        QTest::newRow("UK: slashes") << "en_GB"
                                     << "/data"
                                     << "/data/wyniki od 05-03-2024 140507.txt";
        QTest::newRow("German") << "de_DE"
                                << "/data"
                                << "/data/wyniki od 05.03.24 140507.txt";
        QTest::newRow("Polish") << "pl_PL"
                                << "/data"
                                << "/data/wyniki od 5.03.2024 140507.txt";
        QTest::newRow("folder with separator") << "de_DE"
                                               << "/data/"
                                               << "/data/wyniki od 05.03.24 140507.txt";
        QTest::newRow("folder with a colon") << "de_DE"
                                             << "/mnt/a:b"
                                             << "/mnt/a:b/wyniki od 05.03.24 140507.txt";
    }
    void name() {
        QFETCH(QString, locale);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(ResultsFile::NameFor(folder, Moment), QDir::toNativeSeparators(name));
    }

    void noFolderMeansTheProgramFolder() {
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(
            ResultsFile::NameFor(QString(), Moment),
            QDir::toNativeSeparators(AppPaths::ProgramDir() + "/wyniki od 05.03.24 140507.txt"));
    }

    void content_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("point") << QLocale::c() << QByteArray("1.5\r\n-2.25\r\n1E-7\r\n12345\r\n");
        QTest::newRow("comma") << QLocale(QLocale::German)
                               << QByteArray("1,5\r\n-2,25\r\n1E-7\r\n12345\r\n");
    }
    void content() {
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, content);
        QLocale::setDefault(locale);
        QTemporaryDir dir;
        GaugeState state;
        QVERIFY(ResultsFile::Start(state, dir.path(), Moment));
        QVERIFY(state.ResultsFileActive);
        QVERIFY(QFile::exists(state.ResultsFileName));
        QCOMPARE(QFileInfo(state.ResultsFileName).absolutePath(), dir.path());

        // Complete after every sample: each append leaves the file closed.
        QByteArray expected;
        const QList<QByteArray> lines = content.split('\n');
        const QList<double> values = {1.5, -2.25, 1e-7, 12345};
        for (qsizetype i = 0; i < values.size(); ++i) {
            QVERIFY(ResultsFile::Append(state.ResultsFileName, values.at(i)));
            expected += lines.at(i) + '\n';
            QCOMPARE(ReadAll(state.ResultsFileName), expected);
        }
        QCOMPARE(expected, content);

        // A new file of the same name starts empty.
        QVERIFY(ResultsFile::Start(state, dir.path(), Moment));
        QCOMPARE(ReadAll(state.ResultsFileName), QByteArray());
    }

    // Two windows (or programs) whose runs start in the same second: neither empties the
    // other's file.
    void sameSecondInAnotherWindowTakesANumber() {
        QTemporaryDir dir;
        GaugeState first;
        GaugeState second;
        GaugeState third;
        QVERIFY(ResultsFile::Start(first, dir.path(), Moment));
        QVERIFY(ResultsFile::Append(first.ResultsFileName, 1.5));
        QVERIFY(ResultsFile::Start(second, dir.path(), Moment));
        QVERIFY(ResultsFile::Start(third, dir.path(), Moment));
        const QString name = ResultsFile::NameFor(dir.path(), Moment);
        QCOMPARE(first.ResultsFileName, name);
        QCOMPARE(second.ResultsFileName, QString(name).replace(".txt", " (2).txt"));
        QCOMPARE(third.ResultsFileName, QString(name).replace(".txt", " (3).txt"));
        QVERIFY(second.ResultsFileActive && third.ResultsFileActive);
        QCOMPARE(ReadAll(first.ResultsFileName), QByteArray("1.5\r\n"));
        // The second window's next file of that second is its own again.
        QVERIFY(ResultsFile::Append(second.ResultsFileName, 2.0));
        QVERIFY(ResultsFile::Start(second, dir.path(), Moment));
        QCOMPARE(second.ResultsFileName, QString(name).replace(".txt", " (2).txt"));
        QCOMPARE(ReadAll(second.ResultsFileName), QByteArray());
    }

    void failedCreationKeepsTheActiveFlag_data() {
        QTest::addColumn<bool>("wasActive");
        QTest::newRow("first file") << false;
        QTest::newRow("after an earlier file") << true;
    }
    void failedCreationKeepsTheActiveFlag() {
        QFETCH(bool, wasActive);
        QTemporaryDir dir;
        GaugeState state;
        state.ResultsFileActive = wasActive;
        state.ResultsFileName = "earlier";
        const QString folder = dir.filePath("missing");
        QVERIFY(!ResultsFile::Start(state, folder, Moment));
        QCOMPARE(state.ResultsFileActive, wasActive);
        QVERIFY(
            state.ResultsFileName.startsWith(QDir::toNativeSeparators(dir.filePath("missing"))));
        QVERIFY(!ResultsFile::Append(state.ResultsFileName, 1.0));
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
