// What each reply does: confirmations, readings, the settings report, the stream, downloads.
#include "protocol/DeviceModel.h"
#include "protocol/ProcessData.h"
#include "state/GaugeState.h"
#include "tests/support/ExchangeSetup.h"
#include "tests/support/FakeExchange.h"
#include "tests/support/RecordingMessages.h"

#include <QLocale>
#include <QTest>

using Points = QList<QPair<double, double>>;

namespace {

QByteArray Reading(char sign, const char* value, const char* unit) {
    return QByteArray(1, sign) + QByteArray(value).rightJustified(9, ' ') + ' ' +
           QByteArray(unit).leftJustified(3, ' ') + "\r\n";
}

QByteArray Report(const QByteArray& model, const QByteArray& unit, const QByteArray& extra = {}) {
    return "MODEL: " + model + "\r\nS/N: 123456\r\nUNIT: " + unit +
           "\r\nPEAK: OFF\r\nSPEED: SLOW\r\nACQ.MAX: 800\r\nACQ.M.: AUTO\r\nACQ.C.: 250\r\n"
           "ACQ.T.: 0.5 s\r\nTHRMIN: - 1.5\r\nTHRMAX: 101.0\r\nTHRZER: 0.0\r\nTHR: ON\r\n" +
           extra + "ACCEL.: 9.81 m/s2\r\n";
}

// One window, one reply side and one message recorder per case.
struct Fixture {
    RecordingMessages Messages;
    FakeExchange Target;
    ProcessData& Data = Target.Data;

    explicit Fixture(ExchangeState state, std::uint8_t awaited = 0) {
        FirstGauge() = GaugeState{};
        SetExchange(state, awaited);
    }
    void Feed(const QByteArray& text) { Data.ProcessIncoming(text); }
};

} // namespace

class TestReplies : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void confirmations_data();
    void confirmations();
    void unitConfirmationAsksForAReading();
    void speedConfirmationRestartsPolls();
    void sampleCount_data();
    void sampleCount();
    void battery_data();
    void battery();
    void displayReadingUnderCommaLocale();

    void deviceFamily_data();
    void deviceFamily();
    void settingsReportFillsThePanelWithoutClicks();
    void settingsReportLeavesFocusedFieldsAlone();
    void settingsReportOddLines();
    void peakLine_data();
    void peakLine();
    void continuousSendingWarning_data();
    void continuousSendingWarning();

    void streamFamily0Samples();
    void streamFamily0UnitConflict();
    void streamFamily12_data();
    void streamFamily12();
    void streamNotRunningOnlyShows();
    void captureLine_data();
    void captureLine();

    void download_data();
    void download();
    void downloadLongSeriesEndsByCount();
    void downloadBadValueStops();
    void downloadUnusableSampleTimeStops();
    void downloadUnitConflictKeepsGoing();
    void downloadGivenUp_data();
    void downloadGivenUp();
};

void TestReplies::confirmations_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("status");

    QTest::newRow("tare") << int(Reply::Tare) << QByteArray("MT") << "Siłomierz wyzerowany";
    QTest::newRow("off") << int(Reply::OnOff) << QByteArray("MS0") << "Siłomierz wyłączony";
    QTest::newRow("on") << int(Reply::OnOff) << QByteArray("MS1") << "Siłomierz włączony";
    QTest::newRow("both: off wins")
        << int(Reply::OnOff) << QByteArray("MS1MS0") << "Siłomierz wyłączony";
    QTest::newRow("standby") << int(Reply::Standby) << QByteArray("Ms0")
                             << "Siłomierz w trybie oczekiwania";
    QTest::newRow("standby back") << int(Reply::Standby) << QByteArray("Ms1")
                                  << "Siłomierz włączony";
    QTest::newRow("low") << int(Reply::LowThreshold) << QByteArray("ML") << "Dolny próg ustawiony";
    QTest::newRow("high") << int(Reply::HighThreshold) << QByteArray("MH")
                          << "Górny próg ustawiony";
    QTest::newRow("peak off") << int(Reply::PeakOff) << QByteArray("Mp0") << "Tryb PEAK wyłączony";
    QTest::newRow("peak +") << int(Reply::PeakPush) << QByteArray("Mp1") << "Tryb PEAK + włączony";
    QTest::newRow("peak -") << int(Reply::PeakPull) << QByteArray("Mp2") << "Tryb PEAK - włączony";
    QTest::newRow("mem") << int(Reply::Mem) << QByteArray("Mm") << "Operacja MEM wywołana";
    QTest::newRow("manual") << int(Reply::AcqManual) << QByteArray("Ma0")
                            << "Tryb akwizycji zmieniony na ręczny";
    QTest::newRow("auto") << int(Reply::AcqAuto) << QByteArray("Ma1")
                          << "Tryb akwizycji zmieniony na automatyczny";
    QTest::newRow("sample time") << int(Reply::SampleTime) << QByteArray("Mt")
                                 << "Czas próbkowania ustawiony";
    QTest::newRow("thr off") << int(Reply::ThresholdsOff) << QByteArray("Mk0") << "Progi wyłączone";
    QTest::newRow("thr on") << int(Reply::ThresholdsOn) << QByteArray("Mk1") << "Progi włączone";
    QTest::newRow("reset") << int(Reply::ResetMemory) << QByteArray("Mr") << "Pomiary zresetowane";
    QTest::newRow("accel") << int(Reply::Acceleration) << QByteArray("Mn")
                           << "Przyspieszenie ustawione";
    // Markers are case-sensitive and belong to their code only.
    QTest::newRow("wrong case") << int(Reply::Tare) << QByteArray("Mt") << QString();
    QTest::newRow("other code's marker")
        << int(Reply::LowThreshold) << QByteArray("MH") << QString();
    QTest::newRow("zero threshold has none")
        << int(Reply::ZeroThreshold) << QByteArray("MM") << QString();
    QTest::newRow("code 4") << int(Reply::Unused) << QByteArray("MT") << QString();
    QTest::newRow("code above 28") << 99 << QByteArray("MT") << QString();
}

void TestReplies::confirmations() {
    QFETCH(int, code);
    QFETCH(QByteArray, reply);
    QFETCH(QString, status);
    Fixture f(ExchangeState::Confirming, std::uint8_t(code));
    f.Feed(reply + "\r\n");
    QCOMPARE(f.Target.StatusTexts, status.isEmpty() ? QStringList{} : QStringList{status});
    QVERIFY(f.Target.Orders.isEmpty());
    QCOMPARE(f.Data.IncomingBuffer(), QByteArray());
}

void TestReplies::unitConfirmationAsksForAReading() {
    Fixture f(ExchangeState::Confirming, Reply::Unit);
    f.Feed("Mu\r\nMT\r\n");
    QCOMPARE(f.Target.StatusTexts,
             (QStringList{"Jednostka zmieniona", "Odczyt stabilnego wskazania..."}));
    QCOMPARE(f.Target.OrderTexts(), QStringList{"SI"});
    QVERIFY(f.Target.Orders.first().Press);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::ReadingDisplay);
    QCOMPARE(FirstGauge().AwaitedReply, Reply::Display);
    // The rest of the call keeps the confirming framing and drops what follows.
    QCOMPARE(f.Data.IncomingBuffer(), QByteArray());
}

void TestReplies::speedConfirmationRestartsPolls() {
    {
        Fixture f(ExchangeState::Confirming, Reply::SpeedFast);
        f.Feed("Mf1\r\n");
        QCOMPARE(f.Target.StatusTexts, QStringList{"Szybkość zmieniona na FAST"});
        QCOMPARE(f.Target.SpeedConfirmations, 1);
    }
    Fixture slow(ExchangeState::Confirming, Reply::SpeedSlow);
    slow.Feed("Mf1\r\n"); // the confirmation of the other speed
    QVERIFY(slow.Target.StatusTexts.isEmpty());
}

void TestReplies::sampleCount_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("messages");

    QTest::newRow("no count") << QByteArray("Mv\r\n") << "1000"
                              << "1000" << 0;
    QTest::newRow("bounded") << QByteArray("Mv800\r\n") << "1000"
                             << "800" << 1;
    QTest::newRow("as typed") << QByteArray("Mv800\r\n") << "800"
                              << "800" << 0;
    QTest::newRow("blanks") << QByteArray("Mv 42 \r\n") << "1000"
                            << "42" << 1;
    QTest::newRow("not a number") << QByteArray("Mvxx\r\n") << "5"
                                  << "0" << 1;
}

void TestReplies::sampleCount() {
    QFETCH(QByteArray, reply);
    QFETCH(QString, field);
    QFETCH(QString, after);
    QFETCH(int, messages);
    Fixture f(ExchangeState::Confirming, Reply::SampleCount);
    f.Target.Settings.SetText(SettingText::SampleCount, field);
    f.Feed(reply);
    QCOMPARE(f.Target.StatusTexts, QStringList{"Liczba próbek ustawiona"});
    QCOMPARE(f.Target.Settings.Text(SettingText::SampleCount), after);
    QCOMPARE(f.Messages.Shown.size(), messages);
    if (messages) {
        QCOMPARE(f.Messages.Shown.first().Caption, QStringLiteral("Za duża liczba próbek"));
        QCOMPARE(f.Messages.Shown.first().Icon, MessageIcon::Information);
    }
}

void TestReplies::battery_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("percent");

    QTest::newRow("plain") << QByteArray("Vbat=87%\r\n") << 87;
    QTest::newRow("blank") << QByteArray("Vbat= 87%\r\n") << 87;
    QTest::newRow("zero") << QByteArray("Vbat=0%\r\n") << -1;
    QTest::newRow("negative") << QByteArray("Vbat=-5%\r\n") << -1;
    QTest::newRow("garbage") << QByteArray("Vbat=xx%\r\n") << -1;
    QTest::newRow("no percent sign") << QByteArray("Vbat=50\r\n") << -1;
}

void TestReplies::battery() {
    QFETCH(QByteArray, reply);
    QFETCH(int, percent);
    Fixture f(ExchangeState::Confirming, Reply::Battery);
    f.Feed(reply);
    QCOMPARE(f.Target.Battery, percent);
}

void TestReplies::displayReadingUnderCommaLocale() {
    QLocale::setDefault(QLocale(QLocale::German));
    Fixture f(ExchangeState::ReadingDisplay, Reply::DisplayPoll);
    f.Feed(Reading('-', "12.345", "N"));
    QCOMPARE(f.Target.Settings.Reading(), QStringLiteral("-12,345 N"));
    QVERIFY(FirstGauge().PortConfigured);
    QCOMPARE(f.Target.FreshMarks, 1);
}

void TestReplies::deviceFamily_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<QString>("timeCaption");

    const QStringList force{"N", "kgf", "Lbf", "ozf", "kg", "Lb", "oz"};
    const QStringList torque{"N*m", "N*cm", "kgf*m", "gf*m", "lbf*in", "kg"};
    QTest::newRow("force") << "FM-500" << 0 << force << "Czas próbkowania (0.1-99.9):";
    QTest::newRow("FB alone") << "FB-100" << 0 << force << "Czas próbkowania (0.1-99.9):";
    QTest::newRow("FC") << "FC-200" << 1 << force << "Czas próbkowania (0.001-100):";
    QTest::newRow("FC and FS: torque wins")
        << "FC-FS10" << 2 << torque << "Czas próbkowania (0.001-100):";
    QTest::newRow("FS") << "FS-10" << 2 << torque << "Czas próbkowania (0.001-100):";
    QTest::newRow("TTM") << "TTM-5" << 2 << torque << "Czas próbkowania (0.001-100):";
    QTest::newRow("FB with TS") << "FB-TS2" << 2 << torque << "Czas próbkowania (0.001-100):";
    QTest::newRow("FB with TW") << "FBTW-1" << 2 << torque << "Czas próbkowania (0.001-100):";
    QTest::newRow("capacity 2 k") << "FM2k" << 0 << QStringList{"N", "kgf", "Lbf", "kg", "Lb"}
                                  << "Czas próbkowania (0.1-99.9):";
    QTest::newRow("capacity 1 k") << "FM1kN" << 0 << QStringList{"N", "kgf", "Lbf", "kg", "Lb"}
                                  << "Czas próbkowania (0.1-99.9):";
    QTest::newRow("capacity 5 k") << "FM5k" << 0 << QStringList{"kN", "kgf", "Lbf", "kg", "Lb"}
                                  << "Czas próbkowania (0.1-99.9):";
    QTest::newRow("FC with unreadable capacity")
        << "FCxk" << 1 << QStringList{"kN", "kgf", "Lbf", "kg", "Lb"}
        << "Czas próbkowania (0.001-100):";
}

void TestReplies::deviceFamily() {
    QFETCH(QString, model);
    QFETCH(int, family);
    QFETCH(QStringList, units);
    QFETCH(QString, timeCaption);
    Fixture f(ExchangeState::ReadingSettings, Reply::Report);
    f.Feed("MODEL: " + model.toLatin1() + "\r\n");
    QCOMPARE(int(FirstGauge().DeviceFamily), family);
    QCOMPARE(f.Target.Settings.Units(), units);
    QCOMPARE(f.Target.Settings.SpeedChoice(), family == 0);
    QCOMPARE(DeviceModel::SampleTimeCaption(FirstGauge().DeviceFamily, f.Target.Settings.Speed()),
             timeCaption);
    QCOMPARE(f.Target.Settings.SampleCountMax(), QStringLiteral("6400"));
}

void TestReplies::settingsReportFillsThePanelWithoutClicks() {
    Fixture f(ExchangeState::ReadingSettings, Reply::Report);
    f.Target.Settings.SetUnits({"kilogram 'kg'", "Newton 'N'"});
    f.Feed(Report("FM-500", "kgf"));
    QCOMPARE(f.Target.Settings.Model(), QStringLiteral("FM-500"));
    QCOMPARE(f.Target.Settings.SerialNumber(), QStringLiteral("123456"));
    QCOMPARE(f.Target.Settings.UnitIndex(), 1);
    QCOMPARE(f.Target.Settings.Acquisition(), 1);
    QVERIFY(f.Target.Settings.ThresholdsOn());
    QCOMPARE(f.Target.Settings.SampleCountMax(), QStringLiteral("800"));
    QCOMPARE(f.Target.Settings.Text(SettingText::SampleCount), QStringLiteral("250"));
    QCOMPARE(f.Target.Settings.Text(SettingText::SampleTime), QStringLiteral("0.5"));
    QCOMPARE(f.Target.Settings.Text(SettingText::Low), QStringLiteral("-1.5"));
    QCOMPARE(f.Target.Settings.Text(SettingText::High), QStringLiteral("101.0"));
    QCOMPARE(f.Target.Settings.Text(SettingText::Zero), QStringLiteral("0.0"));
    QCOMPARE(f.Target.Settings.Text(SettingText::Acceleration), QStringLiteral("9.81"));
    QCOMPARE(f.Target.ReportEnds, 1);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QVERIFY(f.Target.Orders.isEmpty());

    // The same report again changes nothing and still sends nothing back.
    FirstGauge().ExchangeState = ExchangeState::ReadingSettings;
    f.Feed(Report("FM-500", "kgf"));
    QVERIFY(f.Target.Orders.isEmpty());
}

void TestReplies::settingsReportLeavesFocusedFieldsAlone() {
    Fixture f(ExchangeState::ReadingSettings, Reply::Report);
    f.Target.Settings.SetText(SettingText::Low, QStringLiteral("12,"));
    f.Target.Settings.SetEditing(SettingText::Low, true);
    f.Target.Settings.SetEditing(SettingText::SampleCount, true);
    f.Feed(Report("FM-500", "N"));
    QCOMPARE(f.Target.Settings.Text(SettingText::Low), QStringLiteral("12,"));
    QCOMPARE(f.Target.Settings.Text(SettingText::SampleCount), QString());
    QCOMPARE(f.Target.Settings.Text(SettingText::High), QStringLiteral("101.0"));
}

void TestReplies::settingsReportOddLines() {
    Fixture f(ExchangeState::ReadingSettings, Reply::Report);
    f.Target.Settings.SetText(SettingText::SampleTime, QStringLiteral("1"));
    // A unit that is not in the new list leaves no unit selected; a sampling time without
    // its "s" gives an empty field.
    f.Feed("MODEL: FS-10\r\nUNIT: kgf\r\nACQ.T.: 0.005\r\n");
    QCOMPARE(f.Target.Settings.UnitIndex(), -1);
    QCOMPARE(f.Target.Settings.Text(SettingText::SampleTime), QString());
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::ReadingSettings); // report not complete
}

void TestReplies::peakLine_data() {
    QTest::addColumn<bool>("wasChecked");
    QTest::addColumn<int>("wasMode");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("mode");

    // Both the box and the direction change; a plain "PEAK" keeps the direction.
    QTest::newRow("off to PEAK-") << false << 0 << QByteArray("PEAK: PEAK-") << true << 1;
    QTest::newRow("off to PEAK+") << false << 1 << QByteArray("PEAK: PEAK+") << true << 0;
    QTest::newRow("PEAK+ to PEAK-") << true << 0 << QByteArray("PEAK: PEAK-") << true << 1;
    QTest::newRow("PEAK- to off") << true << 1 << QByteArray("PEAK: OFF") << false << 1;
    QTest::newRow("unchanged") << true << 1 << QByteArray("PEAK: PEAK-") << true << 1;
}

void TestReplies::peakLine() {
    QFETCH(bool, wasChecked);
    QFETCH(int, wasMode);
    QFETCH(QByteArray, line);
    QFETCH(bool, checked);
    QFETCH(int, mode);

    Fixture f(ExchangeState::ReadingSettings, Reply::Report);
    f.Target.Settings.SetPeak(wasChecked, wasMode);
    f.Feed(line + "\r\n");
    QCOMPARE(f.Target.Settings.PeakOn(), checked);
    QCOMPARE(f.Target.Settings.PeakDirection(), mode);
    QVERIFY(f.Target.Orders.isEmpty());
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::ReadingSettings);
}

void TestReplies::continuousSendingWarning_data() {
    // Receive events, each written as the count of stream lines it holds or as another line.
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("warnings");

    QTest::newRow("twenty in one event") << QStringList{"20"} << 1;
    QTest::newRow("nineteen") << QStringList{"19"} << 0;
    // A serial port hands the lines over a few at a time.
    QTest::newRow("twenty over two events") << QStringList{"10", "10"} << 1;
    QTest::newRow("twenty one at a time") << QStringList(20, "1") << 1;
    QTest::newRow("sixty: once") << QStringList{"60", "20"} << 1;
    QTest::newRow("a report line between") << QStringList{"10", "MODEL: FC-50", "10"} << 0;
    QTest::newRow("a keyword line of seven") << QStringList{"10", "THR: ON", "10"} << 0;
    QTest::newRow("another line between") << QStringList{"19", "x", "19"} << 0;
}

void TestReplies::continuousSendingWarning() {
    QFETCH(QStringList, events);
    QFETCH(int, warnings);
    Fixture f(ExchangeState::ReadingSettings, Reply::Report);
    for (const QString& event : events) {
        bool count = false;
        const int lines = event.toInt(&count);
        f.Feed(count ? QByteArray(" 012.34\r\n").repeated(lines) : event.toLatin1() + "\r\n");
    }
    QCOMPARE(f.Messages.Shown.size(), warnings);
    if (warnings)
        QCOMPARE(f.Messages.Shown.first().Caption, QStringLiteral("Wysyłanie ciągłe"));
}

void TestReplies::streamFamily0Samples() {
    Fixture f(ExchangeState::Streaming, Reply::StreamOn);
    FirstGauge().MeasurementRunning = true;
    FirstGauge().ResultsFileActive = true;
    FirstGauge().SampleTime = 0.1;
    f.Feed(Reading(' ', "1.5", "kg") + Reading('-', "2.25", "kg") + "Mnewfile\r\n");
    QCOMPARE(f.Target.Samples.size(), 2);
    QCOMPARE(f.Target.Samples.at(1).second, -2.25);
    QCOMPARE(f.Target.Samples.at(1).first, 0.1);
    QCOMPARE(f.Target.YAxisTitle, QStringLiteral("Próbka [kg]"));
    QCOMPARE(FirstGauge().SampleUnit, QStringLiteral("kg"));
    QCOMPARE(f.Target.Results, (QList<double>{1.5, -2.25}));
    f.Feed("Mnewfile\r\n" + Reading(' ', "3", "kg"));
    QCOMPARE(f.Target.ResultsFilesStarted, 1);
}

void TestReplies::streamFamily0UnitConflict() {
    Fixture f(ExchangeState::Streaming, Reply::StreamOn);
    FirstGauge().MeasurementRunning = true;
    f.Feed(Reading(' ', "1.5", "N") + Reading(' ', "2.5", "kg"));
    QCOMPARE(f.Target.Samples.size(), 1);
    QCOMPARE(f.Target.EndMeasurementCalls, 1);
    QCOMPARE(f.Messages.Shown.size(), 1);
    QCOMPARE(f.Messages.Shown.first().Caption, QStringLiteral("Niezgodność jednostek"));
    QCOMPARE(f.Messages.Shown.first().Icon, MessageIcon::Warning);
    QCOMPARE(f.Target.Settings.Reading(), QStringLiteral(" 2.5 kg")); // still shown
}

void TestReplies::streamFamily12_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("countBefore");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<double>>("samples");
    QTest::addColumn<int>("ends");
    QTest::addColumn<QString>("title");

    QTest::newRow("values") << QByteArray(" 012.34\r\n-001.50\r\n") << 0 << 0
                            << QList<double>{12.34, -1.5} << 0 << "Próbka [N*m]";
    QTest::newRow("unit change before any sample")
        << QByteArray("Munit kg\r\n") << 0 << 0 << QList<double>{} << 0 << QString();
    QTest::newRow("unit change with samples")
        << QByteArray("Munit kg\r\n") << 3 << 0 << QList<double>{} << 1 << QString();
    QTest::newRow("same unit") << QByteArray("Munit N*m\r\n") << 3 << 0 << QList<double>{} << 0
                               << QString();
    QTest::newRow("no unit selected")
        << QByteArray("Munit kg\r\n") << 3 << -1 << QList<double>{} << 0 << QString();
    QTest::newRow("short and bad lines")
        << QByteArray("12\r\n 0x2.34\r\n") << 0 << 0 << QList<double>{} << 0 << QString();
}

void TestReplies::streamFamily12() {
    QFETCH(QByteArray, input);
    QFETCH(int, countBefore);
    QFETCH(int, selected);
    QFETCH(QList<double>, samples);
    QFETCH(int, ends);
    QFETCH(QString, title);
    Fixture f(ExchangeState::Streaming, Reply::StreamOn);
    FirstGauge().DeviceFamily = Family::Torque;
    FirstGauge().MeasurementRunning = true;
    FirstGauge().SampleStats.Count = countBefore;
    f.Target.Settings.SetUnits({"N*m", "kg"});
    f.Target.Settings.SetUnitIndex(selected);
    f.Target.Settings.SetReading(QStringLiteral(" 1.5 N*m"));
    f.Feed(input);
    QList<double> values;
    for (const auto& point : f.Target.Samples)
        values << point.second;
    QCOMPARE(values, samples);
    QCOMPARE(f.Target.EndMeasurementCalls, ends);
    QCOMPARE(f.Messages.Shown.size(), ends);
    QCOMPARE(f.Target.YAxisTitle, title);
    QCOMPARE(f.Target.FreshMarks, 0); // these lines never touch the reading panel
}

void TestReplies::streamNotRunningOnlyShows() {
    Fixture f(ExchangeState::Streaming, Reply::StreamOn);
    f.Feed(Reading(' ', "4.5", "N"));
    QCOMPARE(f.Target.Samples.size(), 0);
    QCOMPARE(f.Target.Settings.Reading(), QStringLiteral(" 4.5 N"));
    QVERIFY(FirstGauge().PortConfigured);
}

void TestReplies::captureLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("negative") << QByteArray("-012.34") << true << -12.34;
    QTest::newRow("positive") << QByteArray(" 000.50") << true << 0.5;
    QTest::newRow("too long") << QByteArray("-012.345") << false << 0.0;
    QTest::newRow("too short") << QByteArray("-12.34") << false << 0.0;
    QTest::newRow("not a number") << QByteArray(" 0a2.34") << false << 0.0;
}

void TestReplies::captureLine() {
    QFETCH(QByteArray, line);
    QFETCH(bool, valid);
    QFETCH(double, value);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        const std::optional<double> parsed = ProcessData::ParseCaptureLine(line);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }
}

void TestReplies::download_data() {
    QTest::addColumn<QByteArray>("dump");
    QTest::addColumn<Points>("samples");
    QTest::addColumn<QString>("xTitle");
    QTest::addColumn<QString>("yTitle");
    QTest::addColumn<bool>("ended");

    QTest::newRow("empty memory") << QByteArray("COUNT: 0\r\n") << Points{} << QString()
                                  << QString() << true;
    QTest::newRow("timed series")
        << QByteArray("COUNT: 3\r\nFILE: S1\r\nSMP.TIME: 0.5 sek\r\nAVERAGE: 1.0 N  \r\n"
                      "SMP.001: 1.25 N  \r\nSMP.002: -2.5 N  \r\nSMP.003: 0.5 N  \r\n")
        << Points{{0, 1.25}, {0.5, -2.5}, {1.0, 0.5}} << "Czas [s]"
        << "Próbka [N]" << true;
    QTest::newRow("numbered series")
        << QByteArray("COUNT: 2\r\nSMP.TIME: ---\r\nAVERAGE: 1.0 kgf\r\n"
                      "SMP.001:  3.5 kgf\r\nSMP.002: -4 kgf\r\n")
        << Points{{0, 3.5}, {1, -4}} << "Numer próbki"
        << "Próbka [kgf]" << true;
    QTest::newRow("torque unit longer than three characters")
        << QByteArray("COUNT: 2\r\nSMP.TIME: 0.01 sek\r\nAVERAGE: 0.75 lbf*in\r\n"
                      "SMP.001: 1.25 lbf*in\r\nSMP.002: -0.25 lbf*in\r\n")
        << Points{{0, 1.25}, {0.01, -0.25}} << "Czas [s]"
        << "Próbka [lbf*in]" << true;
    QTest::newRow("unit written against the value")
        << QByteArray("COUNT: 2\r\nSMP.TIME: 0.5 sek\r\nAVERAGE: 12.50N\r\n"
                      "SMP.001: 12.25N\r\nSMP.002: -3.5N\r\n")
        << Points{{0, 12.25}, {0.5, -3.5}} << "Czas [s]"
        << "Próbka [N]" << true;
    // Text behind the end belongs to the exchange after it, not to the series.
    QTest::newRow("dump repeated behind the end")
        << QByteArray("COUNT: 2\r\nSMP.TIME: 0.5 sek\r\nAVERAGE: 1.0 N  \r\n"
                      "SMP.001: 1 N  \r\nSMP.002: 2 N  \r\n"
                      "COUNT: 2\r\nSMP.TIME: 0.5 sek\r\nAVERAGE: 1.0 N  \r\n"
                      "SMP.001: 1 N  \r\nSMP.002: 2 N  \r\n")
        << Points{{0, 1}, {0.5, 2}} << "Czas [s]"
        << "Próbka [N]" << true;
    QTest::newRow("samples before the unit lose three characters")
        << QByteArray("COUNT: 5\r\nSMP.TIME: 1 sek\r\nSMP.001: 12.5abc\r\n") << Points{{0, 12.5}}
        << "Czas [s]" << QString() << false;
}

void TestReplies::download() {
    QFETCH(QByteArray, dump);
    QFETCH(Points, samples);
    QFETCH(QString, xTitle);
    QFETCH(QString, yTitle);
    QFETCH(bool, ended);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        Fixture f(ExchangeState::Downloading, Reply::Download);
        f.Target.Settings.SetText(SettingText::Low, QStringLiteral("99.0"));
        f.Target.Settings.SetText(SettingText::High, QStringLiteral("101,0"));
        f.Feed(dump);
        QCOMPARE(f.Target.Samples, samples);
        QCOMPARE(f.Target.XAxisTitle, xTitle);
        QCOMPARE(f.Target.YAxisTitle, yTitle);
        QCOMPARE(FirstGauge().ExchangeState == ExchangeState::Confirming, ended);
        if (ended)
            QCOMPARE(f.Target.StatusTexts.last(), QStringLiteral("Pobieranie próbek zakończone."));
        if (FirstGauge().DownloadCount > 0) {
            QCOMPARE(FirstGauge().LowThreshold, 99.0);
            QCOMPARE(FirstGauge().HighThreshold, 101.0);
        }
    }
}

void TestReplies::downloadLongSeriesEndsByCount() {
    Fixture f(ExchangeState::Downloading, Reply::Download);
    QByteArray dump = "COUNT: 1200\r\nSMP.TIME: 0.1 sek\r\nAVERAGE: 0 N  \r\n";
    for (int i = 1; i <= 1200; ++i)
        dump += "SMP." + QByteArray::number(i % 1000).rightJustified(3, '0') + ": " +
                QByteArray::number(i) + " N  \r\n";
    f.Feed(dump);
    QCOMPARE(f.Target.Samples.size(), 1200);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(f.Target.StatusTexts.count(QStringLiteral("Pobieranie próbek zakończone.")), 1);
}

void TestReplies::downloadBadValueStops() {
    Fixture f(ExchangeState::Downloading, Reply::Download);
    f.Feed("COUNT: 3\r\nAVERAGE: 1 N  \r\nSMP.001: 1 N  \r\nSMP.002: x N  \r\nSMP.003: 3 N  \r\n");
    QCOMPARE(f.Target.Samples.size(), 1);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(f.Messages.Texts(), QStringList{"Niepoprawna wartość próbki"});
    QVERIFY(f.Data.IncomingBuffer().startsWith("SMP.002"));
}

void TestReplies::downloadUnusableSampleTimeStops() {
    Fixture f(ExchangeState::Downloading, Reply::Download);
    f.Feed("COUNT: 2\r\nSMP.TIME: x sek\r\nAVERAGE: 1 N  \r\nSMP.001: 1 N  \r\n");
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(f.Messages.Texts(), QStringList{"Niepoprawna wartość czasu próbkowania"});
    // The samples behind it would all stand at one place.
    QCOMPARE(f.Target.Samples.size(), 0);
}

void TestReplies::downloadUnitConflictKeepsGoing() {
    Fixture f(ExchangeState::Downloading, Reply::Download);
    // One sample in kg on the chart already.
    f.Target.Samples = {{0, 1}};
    f.Target.YAxisTitle = QStringLiteral("Próbka [kg]");
    FirstGauge().SampleStats.Count = 1;
    FirstGauge().SampleUnit = QStringLiteral("kg");
    f.Feed("COUNT: 1\r\nAVERAGE: 1 N  \r\nSMP.001: 2 N  \r\n");
    QCOMPARE(f.Messages.Shown.size(), 1);
    QCOMPARE(f.Target.Samples.size(), 2);
    QCOMPARE(f.Target.YAxisTitle, QStringLiteral("Próbka [kg]"));
}

void TestReplies::downloadGivenUp_data() {
    QTest::addColumn<QByteArray>("before"); // what came before the user gave up
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("settledAtOnce");
    QTest::addColumn<QByteArray>("left"); // what waits for the next exchange

    const QByteArray head = "COUNT: 4\r\nSMP.TIME: 0.5 sek\r\nAVERAGE: 1.0 N  \r\n";
    const QByteArray first = "SMP.001: 1 N  \r\nSMP.002: 2 N  \r\n";
    const QByteArray rest = "SMP.003: 3 N  \r\nSMP.004: 4 N  \r\n";
    QTest::newRow("in the dump") << head + first << rest << false << QByteArray();
    QTest::newRow("the rest in pieces, a reply behind it")
        << head + first << QByteArray("SMP.003: 3 N  \r\nSMP.0") + "04: 4 N  \r\nMT\r\n"
        << false << QByteArray("MT\r\n");
    QTest::newRow("a value that is not a number in the rest")
        << head + first << QByteArray("SMP.003: x N  \r\nSMP.004: 4 N  \r\n") << false
        << QByteArray();
    QTest::newRow("before the count") << QByteArray() << QByteArray() << true << QByteArray();
    // A later download is read whole.
    QTest::newRow("a new dump behind a cut one")
        << head + first << QByteArray("COUNT: 1\r\nSMP.001: 9 N  \r\n") << false << QByteArray();
}

// The gauge cannot be told to stop its dump: what it still sends is read and dropped, so that
// it is taken neither for samples nor for the replies of the exchanges after it.
void TestReplies::downloadGivenUp() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(bool, settledAtOnce);
    QFETCH(QByteArray, left);
    Fixture f(ExchangeState::Downloading, Reply::Download);
    f.Feed(before);
    const qsizetype taken = f.Target.Samples.size();
    const int progressSteps = int(f.Target.DownloadSteps.size());
    f.Data.AbandonDownload();
    QCOMPARE(FirstGauge().ExchangeState == ExchangeState::Confirming, settledAtOnce);
    f.Feed(after);
    const bool newDump = after.startsWith("COUNT");
    QCOMPARE(f.Target.Samples.size(), taken + (newDump ? 1 : 0));
    QCOMPARE(f.Target.DownloadSteps.size(), progressSteps + (newDump ? 1 : 0));
    QCOMPARE(f.Target.DownloadsEnded, newDump ? 1 : 0);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QVERIFY(f.Messages.Shown.isEmpty());
    if (!newDump)
        QCOMPARE(f.Target.StatusTexts.last(), QStringLiteral("Pobieranie próbek przerwane."));
    QCOMPARE(f.Data.IncomingBuffer(), left);
}

QTEST_GUILESS_MAIN(TestReplies)
#include "tst_replies.moc"
