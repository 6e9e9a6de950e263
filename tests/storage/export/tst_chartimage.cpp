// "Zapisz wykres ...": the file name rule, the picture written, and a failure reported.
#include "measure/ChartModel.h"
#include "measure/ChartView.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/export/ChartImage.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedFileDialogs.h"

#include <QAction>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainForm.h"

class TestChartImage : public QObject {
    Q_OBJECT

private slots:
    void fileName_data();
    void fileName();
    void writesTheChartAtItsSize();
    void menuItemSavesAndReportsFailures();
};

void TestChartImage::fileName_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");

    QTest::newRow("ends in .bmp") << "/tmp/a/wykres.bmp"
                                  << "/tmp/a/wykres.bmp";
    QTest::newRow("upper case") << "/tmp/a/WYKRES.BMP"
                                << "/tmp/a/WYKRES.BMP.bmp";
    QTest::newRow("mixed case") << "/tmp/a/w.Bmp"
                                << "/tmp/a/w.Bmp.bmp";
    QTest::newRow("no extension") << "/tmp/a/wykres"
                                  << "/tmp/a/wykres.bmp";
    QTest::newRow("other extension") << "/tmp/a/wykres.png"
                                     << "/tmp/a/wykres.png.bmp";
    QTest::newRow("just .bmp") << ".bmp"
                               << ".bmp";
}

void TestChartImage::fileName() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QCOMPARE(ChartImage::FileNameFor(chosen), written);
}

void TestChartImage::writesTheChartAtItsSize() {
    FirstGauge() = GaugeState{};
    TheProgram = ProgramState{};
    ChartModel model{FirstGauge()};
    for (int i = 0; i < 100; ++i)
        model.AddSample(0.1, i % 7, false);
    ChartView view(model);
    view.resize(420, 260);
    view.Refresh();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wykres.bmp"));
    QVERIFY(ChartImage::Save(view, path));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    QCOMPARE(reader.size(), QSize(420, 260));
    const QImage image = reader.read();
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    // Another program reads it as well.
    const QString identify = QStandardPaths::findExecutable(QStringLiteral("identify"));
    if (!identify.isEmpty()) {
        QProcess process;
        process.start(identify, {path});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().contains("420x260"));
    }
}

void TestChartImage::menuItemSavesAndReportsFailures() {
    IsolatedProgram program;
    FirstGauge() = GaugeState{};
    TheProgram = ProgramState{};
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    TMainForm window;
    window.resize(754, 759);
    auto* item = window.findChild<QAction*>(QStringLiteral("Zapiszwykres1"));
    QVERIFY(item);
    dialogs.SaveAnswers << program.FilePath(QStringLiteral("chart"))
                        << program.FilePath(QStringLiteral("missing/folder/chart.bmp"));
    item->trigger();
    QCOMPARE(dialogs.Requests.first().DefaultExtension, QStringLiteral("bmp"));
    QCOMPARE(dialogs.Requests.first().Filter, QStringLiteral("Pliki obrazu (.bmp)|*.bmp"));
    QCOMPARE(QImageReader(program.FilePath(QStringLiteral("chart.bmp"))).size(),
             window.Chart()->size());
    QVERIFY(messages.Shown.isEmpty());
    item->trigger();
    QCOMPARE(messages.Shown.size(), 1);
    QVERIFY(messages.Shown.first().Text.contains(QStringLiteral("missing/folder/chart.bmp")));
    // Cancelling does nothing.
    item->trigger();
    QCOMPARE(messages.Shown.size(), 1);
}

QTEST_MAIN(TestChartImage)
#include "tst_chartimage.moc"
