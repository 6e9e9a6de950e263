// The settings panel and the instrument keys of the main window, with the orders caught where
// they leave it: on a pseudo-terminal that the window opens as COM1.
#include "app/MainForm.h"
#include "app/widgets/CheckBox.h"
#include "app/widgets/ClickGuard.h"
#include "app/widgets/RadioGroup.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/ExchangeSetup.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/PtyPair.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedFileDialogs.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using namespace std::chrono_literals;

constexpr std::uint8_t UntouchedAwaited = 99;
const QString UntouchedStatus = QStringLiteral("(untouched)");

// One window whose COM1 is a pseudo-terminal; the test plays the gauge's end of it. The polls
// are stopped, so that only the orders of the controls go out.
struct Panel {
    IsolatedProgram Program;
    RecordingMessages Messages;
    ScriptedFileDialogs Dialogs;
    PtyPair Line;
    std::unique_ptr<TMainForm> Form;

    Panel() {
        FirstGauge() = GaugeState{};
        TheProgram = ProgramState{};
        QFile::link(Line.DevicePath(), Program.Ports() + QStringLiteral("/COM1"));
        QFile ini(Program.FilePath(QStringLiteral("ComPort.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[ComPort1]\nPort=COM1\nBaudRate=9600\n");
        ini.close();
        Form = std::make_unique<TMainForm>();
        for (const char* timer : {"TimerDisplay", "TimerBattery", "TimerReport", "TimerPress"})
            Find<QTimer>(timer)->stop();
    }

    template <typename T> T* Find(const QString& name) const { return Form->findChild<T*>(name); }

    bool Open() {
        Find<QAbstractButton>(QStringLiteral("sbComPort"))->click();
        return Form->Connected();
    }

    // Leaves the exchange and the status text in a state no handler produces.
    void MarkUntouched() {
        SetExchange(ExchangeState::ReadingSettings, UntouchedAwaited);
        Form->SetStatusText(UntouchedStatus);
    }

    // What reached the gauge's end of the line.
    QByteArray Sent(qsizetype expected) {
        return Line.Read(expected, expected > 0 ? 3000ms : 200ms);
    }

    // One step as a user (or the gauge) would take it:
    //   "report A|B|C"     the lines A, B, C of a settings report arrive
    //   "type Field=text"  the field's text
    //   "click Name"       a button or key image
    //   "pick Group=n"     the user picks item n of a radio group
    //   "tick Box=0|1"     the user clicks the check box into that state
    void Do(const QString& step) {
        const QString verb = step.section(QLatin1Char(' '), 0, 0);
        const QString rest = step.section(QLatin1Char(' '), 1);
        const QString name = rest.section(QLatin1Char('='), 0, 0);
        const QString value = rest.section(QLatin1Char('='), 1);
        if (verb == QLatin1String("report")) {
            SetExchange(ExchangeState::ReadingSettings, Reply::Report);
            Form->Exchange().ProcessIncoming(
                rest.split(QLatin1Char('|')).join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
        } else if (verb == QLatin1String("type")) {
            Find<QLineEdit>(name)->setText(value);
        } else if (verb == QLatin1String("click")) {
            Find<QAbstractButton>(name)->click();
        } else if (verb == QLatin1String("pick")) {
            Find<RadioGroup>(name)->Button(value.toInt())->click();
        } else if (verb == QLatin1String("tick")) {
            auto* box = Find<CheckBox>(name);
            if (box->isChecked() != (value == QLatin1String("1")))
                box->click();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
    void Do(const QStringList& steps) {
        for (const QString& step : steps)
            Do(step);
    }
};

const QString Uwaga = QStringLiteral("Uwaga");
const QString BadThreshold = QStringLiteral("Niepoprawna wartość progu");
const QString BadAcceleration = QStringLiteral("Niepoprawna wartość przyspieszenia");
const QString BadCount = QStringLiteral("Niepoprawna liczba próbek");
const QString CountRange =
    QStringLiteral("Liczba próbek powinna się zawierać w podanym przedziale.");
const QString BadTime = QStringLiteral("Niepoprawny czas próbkowania");
const QString OtherMinimum = QStringLiteral("Minimalny czas próbkowania wynosi 0.001s.");
const QString SlowMinimum =
    QStringLiteral("Minimalny czas próbkowania dla trybu SLOW wynosi 0.1s.");
const QString FastMinimum =
    QStringLiteral("Minimalny czas próbkowania dla trybu FAST wynosi 0.025s.");
const QString SlowStep = QStringLiteral("Dokładność czasu próbkowania dla trybu SLOW wynosi 0.1s.");
const QString FastStep =
    QStringLiteral("Dokładność czasu próbkowania dla trybu FAST wynosi 0.025s.");
const QString TimeRange =
    QStringLiteral("Czas próbkowania powinien się zawierać w podanym przedziale.");

} // namespace

class TestSettingsPanel : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void controlSendsItsOrder_data();
    void controlSendsItsOrder();
    void typedValues_data();
    void typedValues();
    void replyChangesSendNothingBack_data();
    void replyChangesSendNothingBack();
    void speedCaptionFollowsEveryChange_data();
    void speedCaptionFollowsEveryChange();
    void pressedKeysComeBackTogether();
    void refreshAsksForTheReportAtOnce();
};

void TestSettingsPanel::controlSendsItsOrder_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<int>("awaited");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("press");
    QTest::addColumn<QString>("hiddenKey");

    const QString unit = QStringLiteral("Zmiana jednostki...");
    const QStringList none;
    // clang-format off
    // Before any model line the start list sends the force tokens by position.
    QTest::newRow("unit start list 1") << none << "pick rgUnit=1" << QByteArray("Sukgf") << 9 << unit << false << "";
    QTest::newRow("unit start list 0 keeps its space") << QStringList{"pick rgUnit=2"} << "pick rgUnit=0" << QByteArray("Su N") << 9 << unit << false << "";
    QTest::newRow("unit Lb goes lower-case") << QStringList{"report MODEL: FM-500"} << "pick rgUnit=5" << QByteArray("Sulb") << 9 << unit << false << "";
    QTest::newRow("unit N of FM2k") << QStringList{"report MODEL: FM2k"} << "pick rgUnit=0" << QByteArray("SuN") << 9 << unit << false << "";
    QTest::newRow("unit kN of FM5k") << QStringList{"report MODEL: FM5k"} << "pick rgUnit=0" << QByteArray("SuN") << 9 << unit << false << "";
    QTest::newRow("unit kg of FM5k") << QStringList{"report MODEL: FM5k"} << "pick rgUnit=3" << QByteArray("Sukg") << 9 << unit << false << "";
    QTest::newRow("unit torque") << QStringList{"report MODEL: FS-20"} << "pick rgUnit=4" << QByteArray("Sulbf*in") << 9 << unit << false << "";

    QTest::newRow("PEAK on, pushing") << none << "tick chkbPeak=1" << QByteArray("Sp1") << 11 << "Włączanie trybu PEAK+..." << true << "";
    QTest::newRow("PEAK on, pulling") << QStringList{"pick rgPeakMode=1"} << "tick chkbPeak=1" << QByteArray("Sp2") << 12 << "Włączanie trybu PEAK-..." << true << "";
    QTest::newRow("PEAK off") << QStringList{"tick chkbPeak=1"} << "tick chkbPeak=0" << QByteArray("Sp0") << 10 << "Wyłączanie trybu PEAK..." << true << "";
    QTest::newRow("PEAK mode while on") << QStringList{"tick chkbPeak=1"} << "pick rgPeakMode=1" << QByteArray("Sp2") << 12 << "Włączanie trybu PEAK-..." << true << "";
    QTest::newRow("PEAK mode while off") << none << "pick rgPeakMode=1" << QByteArray("Sp0") << 10 << "Wyłączanie trybu PEAK..." << true << "";

    QTest::newRow("FAST") << none << "pick rgSpeed=1" << QByteArray("Sf1") << 15 << "Zmiana szybkości pomiaru..." << false << "";
    QTest::newRow("SLOW") << QStringList{"pick rgSpeed=1"} << "pick rgSpeed=0" << QByteArray("Sf0") << 14 << "Zmiana szybkości pomiaru..." << false << "";
    QTest::newRow("AUTO") << none << "pick rgAcquisition=1" << QByteArray("Sa1") << 17 << "Zmiana trybu akwizycji..." << false << "";
    QTest::newRow("MANUAL") << QStringList{"pick rgAcquisition=1"} << "pick rgAcquisition=0" << QByteArray("Sa0") << 16 << "Zmiana trybu akwizycji..." << false << "";
    QTest::newRow("thresholds on") << none << "tick chkbThr=1" << QByteArray("Sk1") << 21 << "Włączanie progów..." << false << "";
    QTest::newRow("thresholds off") << QStringList{"tick chkbThr=1"} << "tick chkbThr=0" << QByteArray("Sk0") << 20 << "Wyłączanie progów..." << false << "";

    QTest::newRow("low") << QStringList{"type EditLow=12,5"} << "click sbLow" << QByteArray("SL12.5") << 5 << "Ustawianie dolnego progu..." << false << "";
    QTest::newRow("high") << QStringList{"type EditHigh=101.0"} << "click sbHigh" << QByteArray("SH101.0") << 6 << "Ustawianie górnego progu..." << false << "";
    QTest::newRow("zero") << QStringList{"type EditZero=-0,5"} << "click dbZero" << QByteArray("SM-0.5") << 7 << "Ustawianie zerowego progu..." << false << "";
    QTest::newRow("count") << QStringList{"type EditSampleCount=250"} << "click sbSampleCount" << QByteArray("Sv250") << 18 << "Ustawianie liczby próbek..." << false << "";
    QTest::newRow("time") << QStringList{"type EditSampleTime=0,5"} << "click sbSampleTime" << QByteArray("St0.5") << 19 << "Ustawianie czasu próbkowania..." << false << "";
    QTest::newRow("acceleration") << QStringList{"type EditAcceleration=9,81"} << "click sbAcceleration" << QByteArray("Sn9.81") << 28 << "Ustawianie przyspieszenia..." << false << "";

    QTest::newRow("zero key") << none << "click ImageZero" << QByteArray("ST") << 1 << "Zerowanie..." << true << "ImageZero";
    QTest::newRow("on/off key") << none << "click ImageOnOff" << QByteArray("SS") << 2 << "Włączenie/wyłączanie..." << true << "ImageOnOff";
    QTest::newRow("stand-by key") << none << "click ImageStandby" << QByteArray("Ss") << 3 << "Przejście do/powrót z oczekiwania..." << true << "ImageStandby";
    QTest::newRow("MEM key") << none << "click ImageMem" << QByteArray("Sm") << 13 << "Wywoływanie operacji MEM..." << true << "ImageMem";
    QTest::newRow("PEAK key, box cleared, pulling") << QStringList{"pick rgPeakMode=1"} << "click ImagePeak" << QByteArray("Sp2") << 12 << "Włączanie trybu PEAK-..." << true << "ImagePeak";
    QTest::newRow("PEAK key, box set") << QStringList{"tick chkbPeak=1"} << "click ImagePeak" << QByteArray("Sp0") << 10 << "Wyłączanie trybu PEAK..." << true << "ImagePeak";
    // clang-format on
}

void TestSettingsPanel::controlSendsItsOrder() {
    QFETCH(QStringList, setup);
    QFETCH(QString, action);
    QFETCH(QByteArray, wire);
    QFETCH(int, awaited);
    QFETCH(QString, status);
    QFETCH(bool, press);
    QFETCH(QString, hiddenKey);

    Panel panel;
    // Whatever the setup sends is lost: the port is still closed.
    panel.Do(setup);
    QVERIFY(panel.Open());
    panel.Find<QTimer>(QStringLiteral("TimerPress"))->stop();
    panel.MarkUntouched();

    panel.Do(action);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(int(FirstGauge().AwaitedReply), awaited);
    QCOMPARE(panel.Form->StatusText(), status);
    QCOMPARE(panel.Find<QTimer>(QStringLiteral("TimerPress"))->isActive(), press);
    if (!hiddenKey.isEmpty())
        QVERIFY(panel.Find<QWidget>(hiddenKey)->isHidden());
    QCOMPARE(panel.Sent(wire.size() + 2), wire + "\r\n");
    // One order, nothing after it.
    QCOMPARE(panel.Sent(0), QByteArray());
    QVERIFY(panel.Messages.Shown.isEmpty());
}

void TestSettingsPanel::typedValues_data() {
    QTest::addColumn<bool>("german");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    // Empty: accepted and sent as `wire`.
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("wire");

    const QStringList none;
    const QStringList fast{QStringLiteral("pick rgSpeed=1")};
    const QStringList torque{QStringLiteral("report MODEL: FS-20")};
    const QStringList torqueFast{QStringLiteral("report MODEL: FS-20|SPEED: FAST")};
    const QStringList known{QStringLiteral("report MODEL: FM-500")};
    const QStringList reported{QStringLiteral("report MODEL: FM-500|ACQ.MAX: 1000")};
    const QString low = QStringLiteral("EditLow");
    const QString count = QStringLiteral("EditSampleCount");
    const QString time = QStringLiteral("EditSampleTime");
    const QString accel = QStringLiteral("EditAcceleration");
    const QString noMessage;
    // clang-format off
    QTest::newRow("low empty") << false << none << low << "" << "sbLow" << BadThreshold << QByteArray();
    QTest::newRow("high letters") << false << none << "EditHigh" << "abc" << "sbHigh" << BadThreshold << QByteArray();
    QTest::newRow("zero two commas") << false << none << "EditZero" << "1,2,5" << "dbZero" << BadThreshold << QByteArray();
    QTest::newRow("zero two commas, de") << true << none << "EditZero" << "1,2,5" << "dbZero" << BadThreshold << QByteArray();
    QTest::newRow("low 12,5") << false << none << low << "12,5" << "sbLow" << noMessage << QByteArray("SL12.5");
    QTest::newRow("low 12,5, de") << true << none << low << "12,5" << "sbLow" << noMessage << QByteArray("SL12.5");
    QTest::newRow("low 12.5, de") << true << none << low << "12.5" << "sbLow" << noMessage << QByteArray("SL12.5");
    QTest::newRow("low nan") << false << none << low << "nan" << "sbLow" << BadThreshold << QByteArray();
    QTest::newRow("acceleration inf") << false << none << accel << "inf" << "sbAcceleration" << BadAcceleration << QByteArray();
    QTest::newRow("hidden nan") << false << torque << time << "nan" << "sbSampleTime" << BadTime << QByteArray();
    QTest::newRow("acceleration empty") << false << none << accel << "" << "sbAcceleration" << BadAcceleration << QByteArray();
    QTest::newRow("acceleration 9.81, de") << true << none << accel << "9.81" << "sbAcceleration" << noMessage << QByteArray("Sn9.81");

    // The bound is read from the caption beside the field.
    QTest::newRow("count 800 of 800") << false << none << count << "800" << "sbSampleCount" << noMessage << QByteArray("Sv800");
    QTest::newRow("count 801 of 800") << false << none << count << "801" << "sbSampleCount" << CountRange << QByteArray();
    QTest::newRow("count 0") << false << none << count << "0" << "sbSampleCount" << CountRange << QByteArray();
    QTest::newRow("count negative") << false << none << count << "-5" << "sbSampleCount" << CountRange << QByteArray();
    QTest::newRow("count fraction") << false << none << count << "12,5" << "sbSampleCount" << BadCount << QByteArray();
    QTest::newRow("count fraction, de") << true << none << count << "12,5" << "sbSampleCount" << BadCount << QByteArray();
    QTest::newRow("count empty") << false << none << count << "" << "sbSampleCount" << BadCount << QByteArray();
    QTest::newRow("count 6400 once the model is known") << false << known << count << "6400" << "sbSampleCount" << noMessage << QByteArray("Sv6400");
    QTest::newRow("count 6401 once the model is known") << false << known << count << "6401" << "sbSampleCount" << CountRange << QByteArray();
    QTest::newRow("count 1000 of the reported 1000") << false << reported << count << "1000" << "sbSampleCount" << noMessage << QByteArray("Sv1000");
    QTest::newRow("count 1001 of the reported 1000") << false << reported << count << "1001" << "sbSampleCount" << CountRange << QByteArray();

    QTest::newRow("SLOW 0.1") << false << none << time << "0.1" << "sbSampleTime" << noMessage << QByteArray("St0.1");
    QTest::newRow("SLOW 0,5") << false << none << time << "0,5" << "sbSampleTime" << noMessage << QByteArray("St0.5");
    QTest::newRow("SLOW 0,5, de") << true << none << time << "0,5" << "sbSampleTime" << noMessage << QByteArray("St0.5");
    QTest::newRow("SLOW 0.5, de") << true << none << time << "0.5" << "sbSampleTime" << noMessage << QByteArray("St0.5");
    QTest::newRow("SLOW 99.9") << false << none << time << "99.9" << "sbSampleTime" << noMessage << QByteArray("St99.9");
    QTest::newRow("SLOW 0.05") << false << none << time << "0.05" << "sbSampleTime" << SlowMinimum << QByteArray();
    QTest::newRow("SLOW 0.15") << false << none << time << "0.15" << "sbSampleTime" << SlowStep << QByteArray();
    QTest::newRow("SLOW 0,15, de") << true << none << time << "0,15" << "sbSampleTime" << SlowStep << QByteArray();
    QTest::newRow("SLOW 100") << false << none << time << "100" << "sbSampleTime" << TimeRange << QByteArray();
    QTest::newRow("SLOW letters") << false << none << time << "s" << "sbSampleTime" << BadTime << QByteArray();
    QTest::newRow("FAST 0.025") << false << fast << time << "0.025" << "sbSampleTime" << noMessage << QByteArray("St0.025");
    QTest::newRow("FAST 0,075, de") << true << fast << time << "0,075" << "sbSampleTime" << noMessage << QByteArray("St0.075");
    QTest::newRow("FAST 0.02") << false << fast << time << "0.02" << "sbSampleTime" << FastMinimum << QByteArray();
    QTest::newRow("FAST 0.03") << false << fast << time << "0.03" << "sbSampleTime" << FastStep << QByteArray();
    QTest::newRow("FAST 99.9") << false << fast << time << "99.9" << "sbSampleTime" << noMessage << QByteArray("St99.9");
    QTest::newRow("FAST 100") << false << fast << time << "100" << "sbSampleTime" << TimeRange << QByteArray();
    QTest::newRow("hidden 0.001") << false << torque << time << "0.001" << "sbSampleTime" << noMessage << QByteArray("St0.001");
    QTest::newRow("hidden 100") << false << torque << time << "100" << "sbSampleTime" << noMessage << QByteArray("St100");
    QTest::newRow("hidden 0.0005") << false << torque << time << "0.0005" << "sbSampleTime" << OtherMinimum << QByteArray();
    QTest::newRow("hidden 100.5") << false << torque << time << "100.5" << "sbSampleTime" << TimeRange << QByteArray();
    // A hidden group left on FAST checks the maximum only.
    QTest::newRow("hidden FAST 0.0001") << false << torqueFast << time << "0.0001" << "sbSampleTime" << noMessage << QByteArray("St0.0001");
    QTest::newRow("hidden FAST 100.5") << false << torqueFast << time << "100.5" << "sbSampleTime" << TimeRange << QByteArray();
    // clang-format on
}

void TestSettingsPanel::typedValues() {
    QFETCH(bool, german);
    QFETCH(QStringList, setup);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QByteArray, wire);

    QLocale::setDefault(german ? QLocale(QLocale::German) : QLocale::c());
    Panel panel;
    panel.Do(setup);
    QVERIFY(panel.Open());
    panel.Find<QLineEdit>(field)->setText(text);
    // The user clicked the button, so the focus is elsewhere.
    panel.Find<QLineEdit>(QStringLiteral("eHour"))->setFocus();
    panel.MarkUntouched();

    panel.Do(QStringLiteral("click ") + button);
    if (message.isEmpty()) {
        QVERIFY(panel.Messages.Shown.isEmpty());
        QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
        QCOMPARE(panel.Sent(wire.size() + 2), wire + "\r\n");
        return;
    }
    QCOMPARE(panel.Messages.Shown.size(), 1);
    QCOMPARE(panel.Messages.Shown.first().Caption, Uwaga);
    QCOMPARE(panel.Messages.Shown.first().Text, message);
    QCOMPARE(panel.Messages.Shown.first().Icon, MessageIcon::Information);
    QCOMPARE(panel.Form->focusWidget(), panel.Find<QLineEdit>(field));
    // Nothing sent, nothing changed.
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::ReadingSettings);
    QCOMPARE(FirstGauge().AwaitedReply, UntouchedAwaited);
    QCOMPARE(panel.Form->StatusText(), UntouchedStatus);
    QCOMPARE(panel.Sent(0), QByteArray());
    QCOMPARE(panel.Find<QLineEdit>(field)->text(), text);
}

void TestSettingsPanel::replyChangesSendNothingBack_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("wire");

    // clang-format off
    QTest::newRow("unit") << "MODEL: FM-500|UNIT: kgf|ACCEL.: 9.81 m/s2" << "pick rgUnit=4" << QByteArray("Sukg");
    // The mark went with the change, so an unfinished report does not swallow the click.
    QTest::newRow("unit, report unfinished") << "MODEL: FM-500|UNIT: kgf" << "pick rgUnit=4" << QByteArray("Sukg");
    QTest::newRow("unit already shown") << "UNIT: kilogram 'kg'|ACCEL.: 9.81 m/s2" << "pick rgUnit=1" << QByteArray("Sukgf");
    QTest::newRow("PEAK- changes box and mode") << "PEAK: PEAK-|ACCEL.: 9.81 m/s2" << "tick chkbPeak=0" << QByteArray("Sp0");
    QTest::newRow("PEAK+") << "PEAK: PEAK+|ACCEL.: 9.81 m/s2" << "pick rgPeakMode=1" << QByteArray("Sp2");
    QTest::newRow("speed") << "SPEED: FAST|ACCEL.: 9.81 m/s2" << "pick rgSpeed=0" << QByteArray("Sf0");
    QTest::newRow("acquisition") << "ACQ.M.: AUTO|ACCEL.: 9.81 m/s2" << "pick rgAcquisition=0" << QByteArray("Sa0");
    QTest::newRow("thresholds") << "THR: ON|ACCEL.: 9.81 m/s2" << "tick chkbThr=0" << QByteArray("Sk0");
    QTest::newRow("thresholds unchanged") << "THR: OFF|ACCEL.: 9.81 m/s2" << "tick chkbThr=1" << QByteArray("Sk1");
    // clang-format on
}

void TestSettingsPanel::replyChangesSendNothingBack() {
    QFETCH(QString, report);
    QFETCH(QString, action);
    QFETCH(QByteArray, wire);

    Panel panel;
    QVERIFY(panel.Open());
    panel.Do(QStringLiteral("report ") + report);
    QCOMPARE(panel.Sent(0), QByteArray());
    panel.Do(action);
    QCOMPARE(panel.Sent(wire.size() + 2), wire + "\r\n");
    QCOMPARE(panel.Sent(0), QByteArray());
}

void TestSettingsPanel::speedCaptionFollowsEveryChange_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("displayPolled");

    const QString slow = QStringLiteral("Czas próbkowania (0.1-99.9):");
    const QString fast = QStringLiteral("Czas próbkowania (0.025-99.9):");
    // clang-format off
    QTest::newRow("user FAST") << QStringList{"pick rgSpeed=1"} << fast << false;
    QTest::newRow("user FAST then SLOW") << QStringList{"pick rgSpeed=1", "pick rgSpeed=0"} << slow << false;
    // The guard stops the report's change after the caption, so the poll goes on.
    QTest::newRow("report FAST") << QStringList{"report SPEED: FAST"} << fast << true;
    QTest::newRow("report FAST on a known model") << QStringList{"report MODEL: FM-500|SPEED: FAST"} << fast << true;
    QTest::newRow("FC model") << QStringList{"report MODEL: FC-50"} << "Czas próbkowania (0.001-100):" << true;
    // clang-format on
}

void TestSettingsPanel::speedCaptionFollowsEveryChange() {
    QFETCH(QStringList, steps);
    QFETCH(QString, caption);
    QFETCH(bool, displayPolled);

    Panel panel;
    auto* display = panel.Find<QTimer>(QStringLiteral("TimerDisplay"));
    display->start();
    panel.Do(steps);
    QCOMPARE(panel.Find<QLabel>(QStringLiteral("LabelSampleTime"))->text(), caption);
    QCOMPARE(display->isActive(), displayPolled);
}

void TestSettingsPanel::pressedKeysComeBackTogether() {
    Panel panel;
    QVERIFY(panel.Open());
    auto* press = panel.Find<QTimer>(QStringLiteral("TimerPress"));
    auto* zero = panel.Find<QWidget>(QStringLiteral("ImageZero"));
    auto* standby = panel.Find<QWidget>(QStringLiteral("ImageStandby"));
    auto* peak = panel.Find<QWidget>(QStringLiteral("ImagePeak"));

    panel.Do(QStringLiteral("click ImageZero"));
    QVERIFY(press->isActive());
    QTest::qWait(50);
    const int left = press->remainingTime();
    panel.Do(QStringLiteral("click ImageStandby"));
    // The second press does not restart the timer: both keys come back together.
    QVERIFY(press->remainingTime() <= left);
    QVERIFY(zero->isHidden());
    QVERIFY(standby->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(!zero->isHidden() && !standby->isHidden(), 5000);
    QVERIFY(!press->isActive());
    QCOMPARE(panel.Sent(8), QByteArray("ST\r\nSs\r\n"));

    // A mark left on the PEAK box swallows the order, but the key still comes back.
    panel.Find<CheckBox>(QStringLiteral("chkbPeak"))->SetTag(SuppressNextClick);
    panel.Do(QStringLiteral("click ImagePeak"));
    QVERIFY(peak->isHidden());
    QVERIFY(panel.Find<CheckBox>(QStringLiteral("chkbPeak"))->isChecked());
    QCOMPARE(panel.Find<CheckBox>(QStringLiteral("chkbPeak"))->Tag(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!peak->isHidden(), 5000);
    QCOMPARE(panel.Sent(0), QByteArray());
}

void TestSettingsPanel::refreshAsksForTheReportAtOnce() {
    Panel panel;
    QVERIFY(panel.Open());
    panel.MarkUntouched();
    panel.Do(QStringLiteral("click sbUpdateSettings"));
    // It sends nothing itself: the report poll does, on its next tick.
    QCOMPARE(panel.Sent(0), QByteArray());
    QCOMPARE(FirstGauge().AwaitedReply, UntouchedAwaited);
    QVERIFY(panel.Find<QTimer>(QStringLiteral("TimerReport"))->isActive());
    QByteArray sent;
    QTRY_VERIFY_WITH_TIMEOUT((sent += panel.Line.ReadAvailable()) == "Sid\r\n", 5000);
}

QTEST_MAIN(TestSettingsPanel)
#include "tst_settingspanel.moc"
