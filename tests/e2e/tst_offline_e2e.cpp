// The gauge's memories through the window: "Pobierz dane" brings each memory's series onto
// the chart with its count, time step, titles, unit and statistics; "Resetuj dane" erases the
// chosen memory only; neither button does anything while an on-line run is under way.
#include "measure/ChartView.h"
#include "state/GaugeState.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy

// Three series the gauge holds: with a time base, without one (all negative), and a long
// one past the three-digit sample numbers.
const QStringList Memories = {
    "--ram",    "count=5,step=0.5,unit=N,values=1.5:-2.25:3:0.75:-0.5,name=PROBE1",
    "--eeprom", "count=4,step=none,unit=kgf,values=-1.25:-0.5:-3:-2,name=SHELF",
    "--sd",     "count=1200,step=0.01,unit=N,values=1.5:-2.25:3,name=LONGRUN"};

bool StartSession(GaugeSession& session, const QStringList& extra = {}) {
    if (!session.StartGaugePty(QStringList{"--model", "FM-500"} + Memories + extra))
        return false;
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    return session.Window->Connected();
}

void ChooseMemory(GaugeSession& session, int memory) {
    session.Find<QComboBox>("cbMemory")->setCurrentIndex(memory);
}

void Click(GaugeSession& session, const char* button) {
    session.Find<QAbstractButton>(button)->click();
}

QString Label(GaugeSession& session, const char* name) {
    return session.Find<QLabel>(name)->text();
}

// Downloads the chosen memory and waits until the window says the download has ended.
bool Shown(const QSignalSpy& statusTexts, const QString& text) {
    for (const QList<QVariant>& arguments : statusTexts)
        if (arguments.value(0).toString() == text)
            return true;
    return false;
}

const QString DownloadProgress = QStringLiteral("Odczyt zgromadzonych próbek...");

// Runs a download and gives the status text it ended with (empty when it never ended); the
// next display poll replaces that text soon after, so it is taken as it is shown.
QString Download(GaugeSession& session, int memory) {
    QStringList shown;
    const QMetaObject::Connection watch =
        QObject::connect(session.Window.get(), &TMainForm::StatusTextChanged,
                         [&shown](const QString& text) { shown << text; });
    ChooseMemory(session, memory);
    Click(session, "sbGetData");
    const auto ending = [&shown] {
        for (const QString& text : shown)
            if (text != DownloadProgress)
                return text;
        return QString();
    };
    const bool ended = QTest::qWaitFor(
        [&] {
            return FirstGauge().ExchangeState == ExchangeState::Confirming && !ending().isEmpty();
        },
        Patience);
    QObject::disconnect(watch);
    return ended ? ending() : QString();
}

} // namespace

class TestOfflineEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void downloadBringsTheSeries_data();
    void downloadBringsTheSeries();
    void resetErasesTheChosenMemory_data();
    void resetErasesTheChosenMemory();
    void buttonsDoNothingDuringARun_data();
    void buttonsDoNothingDuringARun();
};

void TestOfflineEndToEnd::downloadBringsTheSeries_data() {
    QTest::addColumn<int>("memory");
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("step");
    QTest::addColumn<QString>("xTitle");
    QTest::addColumn<QString>("yTitle");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("stats"); // Min, Max, Sum, Average labels
    QTest::addColumn<QStringList>("gauge"); // further options of the gauge

    const QStringList longStats{"-2.25 N", "3 N", "900 N", "0.75 N"};
    QTest::newRow("RAM, seconds") << 0 << QByteArray("Sc1") << 5 << 0.5 << "Czas [s]"
                                  << "Próbka [N]"
                                  << "PROBE1" << QStringList{"-2.25 N", "3 N", "2.5 N", "0.5 N"}
                                  << QStringList();
    QTest::newRow("EEPROM, numbered, negative")
        << 1 << QByteArray("Sc2") << 4 << 1.0 << "Numer próbki"
        << "Próbka [kgf]"
        << "SHELF" << QStringList{"-3 kgf", "-0.5 kgf", "-6.75 kgf", "-1.6875 kgf"}
        << QStringList();
    QTest::newRow("SD card, 1200 samples") << 2 << QByteArray("Sc3") << 1200 << 0.01 << "Czas [s]"
                                           << "Próbka [N]"
                                           << "LONGRUN" << longStats << QStringList();
    // The dump arriving in pieces that cut its lines anywhere.
    QTest::newRow("SD card, in small pieces")
        << 2 << QByteArray("Sc3") << 1200 << 0.01 << "Czas [s]"
        << "Próbka [N]"
        << "LONGRUN" << longStats << QStringList{"--chunk", "1-40", "--chunk-pause", "1"};
}

void TestOfflineEndToEnd::downloadBringsTheSeries() {
    QFETCH(int, memory);
    QFETCH(QByteArray, order);
    QFETCH(int, count);
    QFETCH(double, step);
    QFETCH(QString, xTitle);
    QFETCH(QString, yTitle);
    QFETCH(QString, name);
    QFETCH(QStringList, stats);
    QFETCH(QStringList, gauge);

    GaugeSession session;
    QVERIFY2(StartSession(session, gauge), qPrintable(session.Gauge.ErrorText()));
    // Whatever the chart showed before goes.
    session.Window->AddSample(1.0, 1000.0);
    session.Window->AddSample(1.0, -1000.0);

    const int mark = session.Gauge.Mark();
    QCOMPARE(Download(session, memory), QStringLiteral("Pobieranie próbek zakończone."));
    QVERIFY(session.Gauge.Orders(mark).contains(order));
    QCOMPARE(FirstGauge().DownloadCount, count);
    QVERIFY(session.Messages.Shown.isEmpty());

    const ChartModel& chart = session.Window->ChartData();
    QCOMPARE(chart.PointCount(), count);
    int index = 0;
    for (const auto point : chart.Samples()) {
        QVERIFY2(std::abs(point.key - index * step) < 1e-9,
                 qPrintable(QStringLiteral("point %1 at %2").arg(index).arg(point.key)));
        ++index;
    }
    QCOMPARE(session.Window->Chart()->XTitle(), xTitle);
    QCOMPARE(session.Window->YTitle(), yTitle);
    QCOMPARE(FirstGauge().SampleUnit, yTitle.section(QLatin1Char('['), 1).chopped(1));
    QCOMPARE(session.Find<QLabel>("LabelSeriesName")->text(), name);

    session.Window->RefreshStatLabels();
    QCOMPARE(Label(session, "LabelCount"), QString::number(count));
    QCOMPARE(QStringList({Label(session, "LabelMin"), Label(session, "LabelMax"),
                          Label(session, "LabelSum"), Label(session, "LabelAver")}),
             stats);
    QVERIFY(session.Window->HeaderLines().isEmpty());
    // The polls come back once the dump is over.
    const int afterwards = session.Gauge.Mark();
    QVERIFY(session.Gauge.WaitForEvent("order Sx1", afterwards, Patience));
}

void TestOfflineEndToEnd::resetErasesTheChosenMemory_data() {
    QTest::addColumn<int>("memory");
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<int>("count");
    QTest::newRow("RAM") << 0 << QByteArray("Sr") << 5;
    QTest::newRow("EEPROM") << 1 << QByteArray("Sr1") << 4;
    QTest::newRow("SD card") << 2 << QByteArray("Sr2") << 1200;
}

void TestOfflineEndToEnd::resetErasesTheChosenMemory() {
    QFETCH(int, memory);
    QFETCH(QByteArray, order);
    QFETCH(int, count);

    GaugeSession session;
    QVERIFY2(StartSession(session), qPrintable(session.Gauge.ErrorText()));
    QVERIFY(!Download(session, memory).isEmpty());
    QCOMPARE(session.Window->ChartPointCount(), count);

    const int mark = session.Gauge.Mark();
    QSignalSpy shown(session.Window.get(), &TMainForm::StatusTextChanged);
    Click(session, "sbReset");
    QVERIFY(session.Messages.Shown.isEmpty()); // no question asked
    QVERIFY(session.Gauge.WaitForEvent("order " + order, mark, Patience));
    QTRY_VERIFY_WITH_TIMEOUT(Shown(shown, QStringLiteral("Pomiary zresetowane")), Patience);
    // The chart keeps what it shows.
    QCOMPARE(session.Window->ChartPointCount(), count);

    // The memory is empty now: the next download announces nothing and ends at once.
    QCOMPARE(Download(session, memory), QStringLiteral("Pobieranie próbek zakończone."));
    QCOMPARE(FirstGauge().DownloadCount, 0);
    QCOMPARE(session.Window->ChartPointCount(), 0);
    QCOMPARE(Label(session, "LabelCount"), QStringLiteral("---"));

    // The other memories keep their series.
    const int next = (memory + 1) % 3;
    QVERIFY(!Download(session, next).isEmpty());
    QCOMPARE(session.Window->ChartPointCount(), QList<int>({5, 4, 1200}).at(next));
}

void TestOfflineEndToEnd::buttonsDoNothingDuringARun_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("order");
    QTest::newRow("Pobierz dane") << "sbGetData" << QByteArray("Sc");
    QTest::newRow("Resetuj dane") << "sbReset" << QByteArray("Sr");
}

void TestOfflineEndToEnd::buttonsDoNothingDuringARun() {
    QFETCH(QString, button);
    QFETCH(QByteArray, order);

    GaugeSession session;
    QVERIFY2(StartSession(session, {"--sample-time", "0.1", "--amplitude", "0", "--value", "2.5"}),
             qPrintable(session.Gauge.ErrorText()));
    // A run as the on-line start leaves it: the host reads the stream the gauge sends.
    FirstGauge().SampleTime = 0.1;
    session.Window->Exchange().StartStream(/*raw=*/false, /*now=*/true);
    QTRY_VERIFY_WITH_TIMEOUT(session.Window->ChartPointCount() >= 3, Patience);
    const QString status = session.Window->StatusText();

    const int mark = session.Gauge.Mark();
    const int points = session.Window->ChartPointCount();
    const int counted = FirstGauge().SampleStats.Count;
    Click(session, button.toLatin1().constData());
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Streaming);
    QVERIFY(session.Window->ChartPointCount() >= points);
    QVERIFY(FirstGauge().SampleStats.Count >= counted);
    // The refusal is said in the status bar, instead of what it showed.
    QVERIFY(status != session.Window->StatusText());
    QCOMPARE(session.Window->StatusText(), QStringLiteral("Niedostępne w czasie pomiaru on-line"));
    // The run goes on: more samples reach the chart, the port stays open.
    QTRY_VERIFY_WITH_TIMEOUT(session.Window->ChartPointCount() >= points + 3, Patience);
    QVERIFY(session.Window->Connected());

    // Stopped, the gauge confirms; it never heard the memory order.
    session.Window->Exchange().StopStream(true);
    QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
    for (const QByteArray& heard : session.Gauge.Orders(mark))
        QVERIFY2(!heard.startsWith(order), heard.constData());
    QVERIFY(session.Messages.Shown.isEmpty());
}

QTEST_MAIN(TestOfflineEndToEnd)
#include "tst_offline_e2e.moc"
