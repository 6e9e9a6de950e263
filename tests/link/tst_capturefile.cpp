// The raw capture of a fast run: written in blocks of more than 100 characters, unchanged,
// kept when a write fails, finished at stop.
#include "link/CaptureFile.h"
#include "state/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Chunk(int size, char fill) {
    QByteArray chunk(size, fill);
    chunk[size - 1] = '\n';
    return chunk;
}

} // namespace

class TestCaptureFile : public QObject {
    Q_OBJECT

private slots:
    // After each chunk: the characters buffered and the file's size.
    void blocks_data() {
        QTest::addColumn<QList<int>>("chunks");
        QTest::addColumn<QList<int>>("buffered");
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("two chunks of 60")
            << QList<int>{60, 60} << QList<int>{60, 0} << QList<int>{0, 120};
        QTest::newRow("exactly 100 waits for more")
            << QList<int>{50, 50, 1} << QList<int>{50, 100, 0} << QList<int>{0, 0, 101};
        QTest::newRow("one large chunk at once")
            << QList<int>{500, 7} << QList<int>{0, 7} << QList<int>{500, 500};
        QTest::newRow("runs of 7-character lines")
            << QList<int>{8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8}
            << QList<int>{8, 16, 24, 32, 40, 48, 56, 64, 72, 80, 88, 96, 0, 8}
            << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 104, 104};
    }
    void blocks() {
        QFETCH(QList<int>, chunks);
        QFETCH(QList<int>, buffered);
        QFETCH(QList<int>, written);
        QTemporaryDir dir;
        CaptureFile capture(dir.filePath(QLatin1String(CaptureFile::FileName)));
        QVERIFY(capture.Start());
        QByteArray all;
        for (int i = 0; i < chunks.size(); ++i) {
            const QByteArray chunk = Chunk(chunks[i], char('a' + i % 26));
            all += chunk;
            capture.Append(chunk);
            QCOMPARE(capture.Count(), buffered[i]);
            QCOMPARE(capture.Buffer().size(), buffered[i]);
            QCOMPARE(QFileInfo(capture.Path()).size(), written[i]);
        }
        QVERIFY(capture.Finish());
        QVERIFY(!capture.IsOpen());
        QCOMPARE(capture.Count(), 0);
        QCOMPARE(ReadAll(capture.Path()), all); // unchanged, nothing added
    }

    void startEmptiesAnOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fcf.dat"));
        CaptureFile capture(path);
        QVERIFY(capture.Start());
        capture.Append(Chunk(150, 'x'));
        QVERIFY(capture.Finish());
        QVERIFY(capture.Start());
        capture.Append("-012.34\n");
        QVERIFY(capture.Finish());
        QCOMPARE(ReadAll(path), QByteArray("-012.34\n"));
    }

    // A scheduled fast start never called Start: the run still gets a file of its own.
    void runWithoutStartGetsAFreshFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fcf.dat"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("left from an earlier run\n");
        old.close();
        CaptureFile capture(path);
        capture.Append(Chunk(120, 'y'));
        capture.Append(Chunk(120, 'z'));
        QVERIFY(capture.Finish());
        QCOMPARE(ReadAll(path), Chunk(120, 'y') + Chunk(120, 'z'));
    }

    // However the program ends during a run, the text of its last block is in the file.
    void endingWithinABlockKeepsItsText() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fcf.dat"));
        {
            CaptureFile capture(path);
            QVERIFY(capture.Start());
            capture.Append(Chunk(60, 'a'));
            QCOMPARE(ReadAll(path), QByteArray());
        }
        QCOMPARE(ReadAll(path), Chunk(60, 'a'));
    }

    // Only a file this run began may be replayed; a start that could not empty it leaves an
    // earlier run's text there, which is no part of this run.
    void earlierRunsFileIsNotThisRuns() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fcf.dat"));
        CaptureFile capture(path);
        QVERIFY(capture.Start());
        QVERIFY(capture.FileHoldsThisRun());
        QVERIFY(capture.Finish());
        QVERIFY(capture.FileHoldsThisRun());

        CaptureFile blocked(dir.filePath(QStringLiteral("missing/fcf.dat")));
        QVERIFY(!blocked.CanWrite());
        QVERIFY(!blocked.Start());
        QVERIFY(!blocked.FileHoldsThisRun());
        QVERIFY(capture.CanWrite());
        QVERIFY(QFileInfo::exists(path));
        // The probe neither creates nor empties a file.
        CaptureFile fresh(dir.filePath(QStringLiteral("new.dat")));
        QVERIFY(fresh.CanWrite());
        QVERIFY(!QFileInfo::exists(fresh.Path()));
    }

    void failedWriteKeepsTheText() {
        CaptureFile capture(QStringLiteral("/dev/full"));
        capture.Start();
        capture.Append(Chunk(120, 'a'));
        QCOMPARE(capture.Buffer(), Chunk(120, 'a'));
        QCOMPARE(capture.Count(), 120);
        capture.Append(Chunk(10, 'b'));
        QCOMPARE(capture.Buffer(), Chunk(120, 'a') + Chunk(10, 'b'));
        QVERIFY(!capture.Finish());
        QCOMPARE(capture.Buffer(), Chunk(120, 'a') + Chunk(10, 'b'));
    }

    // A folder that cannot take the file yet: the text waits and goes out once it can.
    void fileThatAppearsLaterGetsEverything() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("later"));
        CaptureFile capture(QDir(folder).filePath(QStringLiteral("fcf.dat")));
        QVERIFY(!capture.Start());
        capture.Append(Chunk(150, 'a'));
        QCOMPARE(capture.Buffer().size(), 150);
        QVERIFY(QDir().mkpath(folder));
        capture.Append(Chunk(20, 'b'));
        QCOMPARE(capture.Buffer().size(), 0);
        QVERIFY(capture.Finish());
        QCOMPARE(ReadAll(capture.Path()), Chunk(150, 'a') + Chunk(20, 'b'));
    }

    // Writes that keep failing must not fill memory: the oldest whole lines go.
    void bufferIsBounded() {
        CaptureFile capture(QStringLiteral("/dev/full"));
        const QByteArray line = "-012.34\n";
        const QByteArray block = line.repeated(64 * 1024);
        for (qsizetype total = 0; total <= CaptureFile::BufferLimit + block.size();
             total += block.size())
            capture.Append(block);
        QVERIFY(capture.Buffer().size() <= CaptureFile::BufferLimit);
        QVERIFY(capture.Buffer().size() > CaptureFile::BufferLimit - block.size());
        QVERIFY(capture.Buffer().startsWith(line));
    }

    void clearBufferLeavesTheFile() {
        QTemporaryDir dir;
        CaptureFile capture(dir.filePath(QStringLiteral("fcf.dat")));
        QVERIFY(capture.Start());
        capture.Append(Chunk(150, 'a'));
        capture.Append(Chunk(30, 'b'));
        capture.ClearBuffer();
        QCOMPARE(capture.Count(), 0);
        QVERIFY(capture.Buffer().isEmpty());
        QVERIFY(capture.Finish());
        QCOMPARE(ReadAll(capture.Path()), Chunk(150, 'a'));
        QVERIFY(CaptureFile::DefaultPath().endsWith(QLatin1String("/fcf.dat")));
    }

    // Each gauge's exchange has a file of its own while it lives; the first is the usual one.
    void claimedFilesAreDistinct() {
        QTemporaryDir dir;
        AppPaths::SetExecutablePathOverride(dir.filePath(QStringLiteral("zento-fm")));
        const auto first = CaptureFile::Claim();
        auto second = CaptureFile::Claim();
        const auto third = CaptureFile::Claim();
        QCOMPARE(first->Path(), CaptureFile::DefaultPath());
        QCOMPARE(QFileInfo(second->Path()).fileName(), QStringLiteral("fcf-2.dat"));
        QCOMPARE(QFileInfo(third->Path()).fileName(), QStringLiteral("fcf-3.dat"));
        // A window closed frees its file for the next.
        second.reset();
        QCOMPARE(QFileInfo(CaptureFile::Claim()->Path()).fileName(), QStringLiteral("fcf-2.dat"));
        AppPaths::SetExecutablePathOverride(QString());
    }
};

QTEST_GUILESS_MAIN(TestCaptureFile)
#include "tst_capturefile.moc"
