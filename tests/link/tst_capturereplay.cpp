// Replay of a fast run's capture file.
#include "link/CaptureReplay.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

class TestCaptureReplay : public QObject {
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
    void missingFile();
};

void TestCaptureReplay::replay_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<double>>("samples");

    QTest::newRow("lines") << QByteArray("-012.34\r\n 000.50\r\n") << QList<double>{-12.34, 0.5};
    QTest::newRow("cut first line") << QByteArray("2.34\r\n 001.00\r\n") << QList<double>{1.0};
    QTest::newRow("longer and shorter lines")
        << QByteArray(" 001.000\r\n001.0\r\n 002.00\r\n") << QList<double>{2.0};
    QTest::newRow("not a number") << QByteArray(" 0x1.00\r\n 003.00") << QList<double>{3.0};
    QTest::newRow("bare LF and CR")
        << QByteArray(" 001.00\n 002.00\r 003.00\r\n") << QList<double>{1.0, 2.0, 3.0};
    QTest::newRow("empty") << QByteArray() << QList<double>{};
}

void TestCaptureReplay::replay() {
    QFETCH(QByteArray, content);
    QFETCH(QList<double>, samples);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fcf.dat"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        QList<double> replayed;
        QVERIFY(CaptureReplay::ForEachSample(path, [&](double v) { replayed << v; }));
        QCOMPARE(replayed, samples);
    }
}

void TestCaptureReplay::missingFile() {
    int calls = 0;
    QVERIFY(!CaptureReplay::ForEachSample(QStringLiteral("/nonexistent/fcf.dat"),
                                          [&](double) { ++calls; }));
    QCOMPARE(calls, 0);
}

QTEST_GUILESS_MAIN(TestCaptureReplay)
#include "tst_capturereplay.moc"
