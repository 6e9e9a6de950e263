// The PDF report of a test or a series: its axes and reduced curves, what the written file
// says, its pages, and what happens to the file when writing fails or is canceled.
#include "series/TestRecord.h"
#include "storage/export/ReportChart.h"
#include "storage/export/TestReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// A pull test of the given peak: a ramp up to it, a fall after it.
TestRecord Pull(int number, double peak, const std::optional<Tolerance>& limits,
                int samples = 200) {
    TestContext context;
    context.Start = QDateTime(QDate(2024, 5, 6), QTime(8, 0)).addSecs(number * 60);
    context.Model = QStringLiteral("FM-500");
    context.SerialNumber = QStringLiteral("SN 40211");
    context.Unit = QStringLiteral("N");
    context.SampleTime = 0.01;
    context.Limits = limits;
    context.Operator = QStringLiteral("Łucja Wąs");
    context.Part = QStringLiteral("Partia 17/B");
    QList<QPointF> points;
    for (int i = 0; i < samples; ++i) {
        const double rise = double(i) / (samples * 0.7);
        points.append(QPointF(i * 0.01, rise <= 1.0 ? peak * rise : peak * (2.0 - rise)));
    }
    std::optional<TestRecord> record = TestRecord::Make(context, points);
    record->Name = QStringLiteral("Sprężyna %1").arg(number);
    return *record;
}

ReportContent Series(int count, const std::optional<Tolerance>& limits, int samples = 200) {
    ReportContent content;
    content.Title = QStringLiteral("Seria sprężyn");
    content.Limits = limits;
    content.Station = QStringLiteral("stanowisko-3");
    content.Printed = QDateTime(QDate(2024, 5, 7), QTime(9, 30));
    for (int i = 1; i <= count; ++i)
        content.Records.append(Pull(i, 10.0 + 2.5 * (i % 3), limits, samples));
    return content;
}

QString PdfToText() {
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

// The text of the PDF, pages ended by form feeds.
QString TextOf(const QString& path) {
    QProcess process;
    process.start(PdfToText(),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QByteArray Head(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(ReportContent)

class TestTestReport : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void niceAxis_data();
    void niceAxis();
    void reduceKeepsWhatIsDrawn_data();
    void reduceKeepsWhatIsDrawn();
    void writesTheReport_data();
    void writesTheReport();
    void failuresLeaveNoFile_data();
    void failuresLeaveNoFile();
    void writesOnAWorkerThread();
};

void TestTestReport::niceAxis_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("maxTicks");
    QTest::addColumn<double>("step");

    QTest::newRow("0..10") << 0.0 << 10.0 << 6 << 2.0;
    QTest::newRow("0..9.3, few ticks") << 0.0 << 9.3 << 5 << 5.0;
    QTest::newRow("push and pull") << -12.5 << 3.2 << 8 << 5.0;
    QTest::newRow("tenths") << 0.0 << 0.3 << 4 << 0.1;
    QTest::newRow("flat line") << 5.0 << 5.0 << 5 << 0.2;
    QTest::newRow("flat at zero") << 0.0 << 0.0 << 5 << 0.5;
    QTest::newRow("reversed") << 10.0 << 0.0 << 6 << 2.0;
    QTest::newRow("large, close together") << 1e9 + 1 << 1e9 + 3 << 5 << 0.5;
    QTest::newRow("one tick asked for") << 0.0 << 10.0 << 1 << 10.0;
    QTest::newRow("beyond the span of doubles") << -1e308 << 1e308 << 5 << 5e299;
    QTest::newRow("not a number") << NaN << 1.0 << 6 << 0.2;
    QTest::newRow("infinite") << 0.0 << Inf << 6 << 0.2;
}

// The ticks cover the values, are round multiples of the step and are few enough to label.
void TestTestReport::niceAxis() {
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, maxTicks);
    QFETCH(double, step);
    const ReportChart::Axis axis = ReportChart::NiceAxis(low, high, maxTicks);
    QCOMPARE(axis.Step, step);
    const QList<double> ticks = axis.Ticks();
    QVERIFY2(ticks.size() >= 2 && ticks.size() <= std::max(maxTicks, 2) + 1,
             qPrintable(QString::number(ticks.size())));
    if (std::isfinite(low) && std::isfinite(high) && std::abs(low) < 1e300) {
        QVERIFY(ticks.front() <= std::min(low, high));
        QVERIFY(ticks.back() >= std::max(low, high));
    }
    for (qsizetype i = 0; i < ticks.size(); ++i) {
        QCOMPARE(ticks[i], std::round(ticks[i] / step) * step);
        if (i > 0)
            QVERIFY(qFuzzyCompare(ticks[i] - ticks[i - 1], step));
    }
}

void TestTestReport::reduceKeepsWhatIsDrawn_data() {
    QTest::addColumn<QList<QPointF>>("samples");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<QPointF>>("reduced"); // empty: not compared point by point

    QTest::newRow("fewer samples than columns stay")
        << QList<QPointF>{{0, 1}, {0.25, 3}, {0.5, 2}, {1, 0}} << 100
        << QList<QPointF>{{0, 1}, {0.25, 3}, {0.5, 2}, {1, 0}};
    QTest::newRow("one column: first, highest, lowest, last in their order")
        << QList<QPointF>{{0, 0}, {0.1, 5}, {0.2, 1}, {0.3, -3}, {0.4, 2}, {0.5, 1}} << 1
        << QList<QPointF>{{0, 0}, {0.1, 5}, {0.3, -3}, {0.5, 1}};
    QTest::newRow("samples that are not numbers are left out")
        << QList<QPointF>{{0, 1}, {0.5, NaN}, {NaN, 4}, {0.7, Inf}, {1, 2}} << 10
        << QList<QPointF>{{0, 1}, {1, 2}};
    QList<QPointF> dense;
    for (int i = 0; i <= 10000; ++i)
        dense.append(QPointF(i * 1e-4, std::sin(i * 0.01) + (i == 6543 ? 9.0 : 0.0)));
    QTest::newRow("10,000 samples with a spike over 300 columns")
        << dense << 300 << QList<QPointF>();
    QList<QPointF> backwards = dense;
    std::reverse(backwards.begin(), backwards.end());
    QTest::newRow("times running backwards") << backwards << 50 << QList<QPointF>();
}

// In every column the reduced curve reaches as low and as high as the samples, and it begins
// and ends where they do: it covers the same pixels, the peak included.
void TestTestReport::reduceKeepsWhatIsDrawn() {
    QFETCH(QList<QPointF>, samples);
    QFETCH(int, columns);
    QFETCH(QList<QPointF>, reduced);
    const QList<QPointF> kept = ReportChart::Reduce(samples, 0.0, 1.0, columns);
    if (!reduced.isEmpty())
        QCOMPARE(kept, reduced);
    QVERIFY(kept.size() <= 4 * (columns + 2));
    QList<QPointF> finite;
    for (const QPointF& sample : samples)
        if (std::isfinite(sample.x()) && std::isfinite(sample.y()))
            finite.append(sample);
    QCOMPARE(kept.front(), finite.front());
    QCOMPARE(kept.back(), finite.back());
    // Lowest and highest value of each column.
    const auto spans = [columns](const QList<QPointF>& points) {
        QMap<int, std::pair<double, double>> spans;
        for (const QPointF& point : points) {
            const int column = std::clamp(int(std::floor(point.x() * columns)), -1, columns);
            const auto it = spans.find(column);
            if (it == spans.end())
                spans.insert(column, {point.y(), point.y()});
            else
                *it = {std::min(it->first, point.y()), std::max(it->second, point.y())};
        }
        return spans;
    };
    QVERIFY(spans(kept) == spans(finite));
    // The points kept come in the samples' order.
    qsizetype at = 0;
    for (const QPointF& point : kept) {
        while (at < finite.size() && finite[at] != point)
            ++at;
        QVERIFY(at < finite.size());
    }
}

void TestTestReport::writesTheReport_data() {
    QTest::addColumn<ReportContent>("content");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<int>("pages"); // at least

    const Tolerance band{9.0, 14.0};
    ReportContent single = Series(1, std::nullopt);
    single.Title = single.Records.front().Name;
    single.Station.clear();
    QTest::newRow("one test without thresholds")
        << single << QLocale::c()
        << QStringList{"Raport z testu", "Sprężyna 1",  "FM-500",      "SN 40211",
                       "Łucja Wąs",      "Partia 17/B", "bez oceny",   "12.5 N",
                       "Wyniki testu",   "Podpis",      "Strona 1 z 1"}
        << QStringList{"Cp", "Statystyka", "Stanowisko"} << 1;
    QTest::newRow("series with thresholds") << Series(6, band) << QLocale::c()
                                            << QStringList{"Raport z serii testów (6)",
                                                           "Seria sprężyn",
                                                           "stanowisko-3",
                                                           "Statystyka szczytów",
                                                           "Średnia:",
                                                           "Odchylenie std.:",
                                                           "Rozstęp:",
                                                           "Zgodne:",
                                                           "4 / 6 (67 %)",
                                                           "Cp:",
                                                           "Cpk:",
                                                           "12.5 N",
                                                           "zgodny",
                                                           "niezgodny",
                                                           "Sprężyna 6",
                                                           "Podpis",
                                                           "Strona 1 z 1"}
                                            << QStringList{"Wyniki testu"} << 1;
    // The report speaks the program's language: numbers with its decimal comma.
    QTest::newRow("series under a comma locale")
        << Series(3, band) << QLocale(QLocale::Polish)
        << QStringList{"12,5 N", "2,5 N", "0,33", "0,20", "Strona 1 z 1"} << QStringList{"12.5 N"}
        << 1;
    QTest::newRow("series without thresholds")
        << Series(4, std::nullopt) << QLocale::c()
        << QStringList{"Statystyka szczytów", "brak", "bez oceny", "Zgodne:"}
        << QStringList{"Cp:", "Cpk:"} << 1;
    // Records made by hand, not by TestRecord::Make: nothing here may stop the report.
    ReportContent odd;
    odd.Limits = Tolerance{NaN, Inf};
    TestRecord broken;
    broken.Name = QStringLiteral("Zepsuty");
    broken.Samples = {{0, NaN}, {1, Inf}, {2, 5}, {NaN, 3}, {3, -1e308}, {4, 1e308}};
    broken.Peak = NaN;
    broken.PeakTime = Inf;
    TestRecord empty;
    empty.Name = QStringLiteral("Pusty");
    odd.Records = {broken, empty};
    QTest::newRow("values that are not numbers, a test without samples")
        << odd << QLocale::c() << QStringList{"Zepsuty", "Pusty", "Strona 1 z 1"} << QStringList{}
        << 1;
    QTest::newRow("long series spills over pages")
        << Series(90, band, 50) << QLocale::c() << QStringList{"Sprężyna 1", "Sprężyna 90"}
        << QStringList{} << 2;
}

void TestTestReport::writesTheReport() {
    QFETCH(ReportContent, content);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(int, pages);
    QLocale::setDefault(locale);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("raport.pdf"));
    QString error;
    QVERIFY2(TestReport::Write(path, content, &error), qPrintable(error));
    QCOMPARE(Head(path), QByteArray("%PDF-"));
    if (PdfToText().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the report's text is not checked");
    const QString text = TextOf(path);
    for (const QString& expected : present)
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in:\n") + text));
    for (const QString& unexpected : absent)
        QVERIFY2(!text.contains(unexpected), qPrintable(unexpected));
    QStringList pageTexts = text.split(QLatin1Char('\f'));
    QVERIFY(pageTexts.last().trimmed().isEmpty());
    pageTexts.removeLast();
    QVERIFY2(pageTexts.size() >= pages, qPrintable(QString::number(pageTexts.size())));
    for (qsizetype i = 0; i < pageTexts.size(); ++i) {
        const QString& page = pageTexts[i];
        QVERIFY(page.contains(QStringLiteral("Strona %1 z %2").arg(i + 1).arg(pageTexts.size())));
        // The table's header stands on every page the table runs over.
        if (content.Records.size() > 1 && page.contains(QStringLiteral("Sprężyna")))
            QVERIFY2(page.contains(QStringLiteral("Nazwa")), qPrintable(page));
    }
}

void TestTestReport::failuresLeaveNoFile_data() {
    QTest::addColumn<QString>("name");     // relative to a fresh folder
    QTest::addColumn<int>("cancelAt");     // the question answered with yes; 0: never
    QTest::addColumn<bool>("earlierFile"); // a file of that name was there before
    QTest::addColumn<int>("records");

    QTest::newRow("missing folder") << "brak/raport.pdf" << 0 << false << 3;
    QTest::newRow("a folder in the file's place") << "." << 0 << false << 3;
    QTest::newRow("no tests") << "raport.pdf" << 0 << false << 0;
    QTest::newRow("canceled at once") << "raport.pdf" << 1 << false << 3;
    QTest::newRow("canceled while drawing the curves") << "raport.pdf" << 5 << true << 3;
    QTest::newRow("canceled between pages") << "raport.pdf" << -1 << true << 90;
}

// A report that fails says why, and leaves no file behind; a file that was there stays.
void TestTestReport::failuresLeaveNoFile() {
    QFETCH(QString, name);
    QFETCH(int, cancelAt);
    QFETCH(bool, earlierFile);
    QFETCH(int, records);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(name);
    const ReportContent content = Series(records, Tolerance{9, 14}, 50);
    if (cancelAt < 0) {
        // The last question of all, asked once the table has run onto a later page.
        int questions = 0;
        QVERIFY(TestReport::Write(dir.filePath(QStringLiteral("x.pdf")), content, nullptr, [&] {
            ++questions;
            return false;
        }));
        cancelAt = questions - 1;
    }
    if (earlierFile) {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    int asked = 0;
    QString error;
    QVERIFY(!TestReport::Write(path, content, &error, [&] { return ++asked == cancelAt; }));
    QVERIFY(!error.isEmpty());
    if (cancelAt > 0)
        QCOMPARE(asked, cancelAt);
    if (earlierFile) {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    } else {
        QVERIFY(!QFileInfo(path).isFile());
    }
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.removeAll(QStringLiteral("x.pdf"));
    QCOMPARE(left, earlierFile ? QStringList{QFileInfo(path).fileName()} : QStringList());
}

// The report paints with QtGui alone: a widget made off the main thread would abort.
void TestTestReport::writesOnAWorkerThread() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("raport.pdf"));
    const ReportContent content = Series(5, Tolerance{9, 14});
    bool written = false;
    QString error;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { written = TestReport::Write(path, content, &error); }));
    worker->start();
    QVERIFY(worker->wait(60000));
    QVERIFY2(written, qPrintable(error));
    QCOMPARE(Head(path), QByteArray("%PDF-"));
}

QTEST_MAIN(TestTestReport)
#include "tst_testreport.moc"
