// The settings panel against the virtual gauge, one gauge per model: the panel shows what the
// gauge reports without answering back, every control changes the gauge, and the keys of the
// instrument picture press the gauge's keys. A gauge left sending continuously is reported.
#include "app/widgets/CheckBox.h"
#include "app/widgets/RadioGroup.h"
#include "state/GaugeState.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy

// Orders the polls send by themselves, and the reading the reply side asks for after a unit
// change; everything else must come from a click.
bool IsPoll(const QByteArray& order) {
    return order == "Sx1" || order == "Sid" || order == "Sb" || order == "SI";
}

QList<QByteArray> ClickedOrders(const GaugeSim& gauge, int from = 0) {
    QList<QByteArray> orders;
    for (const QByteArray& order : gauge.Orders(from))
        if (!IsPoll(order))
            orders << order;
    return orders;
}

bool SameValue(const QByteArray& actual, const QByteArray& expected) {
    bool numberA = false;
    bool numberE = false;
    const double a = actual.toDouble(&numberA);
    const double e = expected.toDouble(&numberE);
    return numberA && numberE ? qAbs(a - e) < 1e-9 : actual == expected;
}

// One session per model; the steps record every order they cause, so that at the end the
// gauge must have heard exactly those and the polls.
struct Bench {
    GaugeSession Session;
    QList<QByteArray> Expected;

    template <typename T> T* Find(const char* name) const { return Session.Find<T>(name); }

    bool ReportRead() {
        return QTest::qWaitFor(
            [this] {
                return !Find<QTimer>("TimerReport")->isActive() &&
                       FirstGauge().ExchangeState != ExchangeState::ReadingSettings;
            },
            Patience);
    }

    bool GaugeHas(const QByteArray& key, const QByteArray& value) {
        QByteArray last;
        const bool reached = QTest::qWaitFor(
            [&] {
                last = Session.Gauge.State().value(key);
                return SameValue(last, value);
            },
            Patience);
        if (!reached)
            qWarning("gauge %s is %s, not %s", key.constData(), last.constData(),
                     value.constData());
        return reached;
    }

    // The click has left as `wire` and the gauge took it.
    bool Sent(const QByteArray& wire, int from) {
        Expected << wire;
        const bool heard =
            QTest::qWaitFor([&] { return Session.Gauge.Orders(from).contains(wire); }, Patience);
        if (!heard)
            qWarning("the gauge did not hear %s", wire.constData());
        return heard;
    }

    void Pick(const char* group, int index) { Find<RadioGroup>(group)->Button(index)->click(); }
    void Tick(const char* box) { Find<CheckBox>(box)->click(); }
    void Type(const char* field, const QString& text, const char* button) {
        Find<QLineEdit>(field)->setText(text);
        Find<QAbstractButton>(button)->click();
    }
    // A key image: pressed, hidden for the moment of the press, back afterwards.
    bool Press(const char* key) {
        auto* image = Find<QAbstractButton>(key);
        image->click();
        return image->isHidden() &&
               QTest::qWaitFor([image] { return !image->isHidden(); }, Patience);
    }
};

} // namespace

class TestSettingsEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void panelFollowsAndDrivesTheGauge_data();
    void panelFollowsAndDrivesTheGauge();
    void continuousSendingIsReportedOnce();
};

void TestSettingsEndToEnd::panelFollowsAndDrivesTheGauge_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<int>("unitIndex");
    QTest::addColumn<int>("peakMode");
    QTest::addColumn<bool>("speedShown");
    QTest::addColumn<QString>("countCaption");
    QTest::addColumn<QString>("timeCaption");
    QTest::addColumn<int>("pickUnit");
    QTest::addColumn<QByteArray>("unitWire");
    QTest::addColumn<QByteArray>("gaugeUnit");

    // The gauge's settings differ from the window's at start wherever they can, so that the
    // first report changes every marked control.
    const QStringList common{
        "--serial",      "SN-0042", "--acquisition", "auto", "--count",           "250",
        "--sample-time", "0.5",     "--thr-min",     "-5.5", "--thr-max",         "20.5",
        "--thr-zero",    "1.5",     "--thresholds",  "on",   "--acceleration",    "9.78",
        "--value",       "12.5",    "--amplitude",   "0",    "--no-sample-events"};
    const QStringList force{"N", "kgf", "Lbf", "ozf", "kg", "Lb", "oz"};
    const QString slowTime = QStringLiteral("Czas próbkowania (0.1-99.9):");
    const QString otherTime = QStringLiteral("Czas próbkowania (0.001-100):");
    // clang-format off
    QTest::newRow("force gauge FM-500")
        << "FM-500" << common + QStringList{"--unit", "kgf", "--peak", "-", "--speed", "slow", "--count-max", "1000"}
        << force << 1 << 1 << true << "Liczba próbek (1-1000):" << slowTime
        << 4 << QByteArray("Sukg") << QByteArray("kg");
    QTest::newRow("FC model")
        << "FC-50" << common + QStringList{"--unit", "Lbf", "--peak", "+"}
        << force << 2 << 0 << false << "Liczba próbek (1-6400):" << otherTime
        << 0 << QByteArray("Su N") << QByteArray("N");
    QTest::newRow("torque meter FS-20")
        << "FS-20" << common + QStringList{"--unit", "N*cm", "--peak", "-"}
        << QStringList{"N*m", "N*cm", "kgf*m", "gf*m", "lbf*in", "kg"} << 1 << 1 << false
        << "Liczba próbek (1-6400):" << otherTime
        << 2 << QByteArray("Sukgf*m") << QByteArray("kgf*m");
    QTest::newRow("2 kN range FM2k")
        << "FM2k" << common + QStringList{"--unit", "Lbf", "--peak", "-", "--speed", "slow"}
        << QStringList{"N", "kgf", "Lbf", "kg", "Lb"} << 2 << 1 << true
        << "Liczba próbek (1-800):" << slowTime
        << 0 << QByteArray("SuN") << QByteArray("N");
    // clang-format on
}

void TestSettingsEndToEnd::panelFollowsAndDrivesTheGauge() {
    QFETCH(QString, model);
    QFETCH(QStringList, options);
    QFETCH(QStringList, units);
    QFETCH(int, unitIndex);
    QFETCH(int, peakMode);
    QFETCH(bool, speedShown);
    QFETCH(QString, countCaption);
    QFETCH(QString, timeCaption);
    QFETCH(int, pickUnit);
    QFETCH(QByteArray, unitWire);
    QFETCH(QByteArray, gaugeUnit);

    Bench bench;
    GaugeSession& session = bench.Session;
    QVERIFY2(session.StartGaugePty(QStringList{"--model", model} + options),
             qPrintable(session.Gauge.ErrorText()));
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    // Unlike the gauge, and sent nowhere yet: the port is closed.
    bench.Pick("rgSpeed", 1);
    bench.Pick("rgPeakMode", 1 - peakMode);
    bench.Find<QTimer>("TimerDisplay")->start(); // the speed click stopped it
    session.ClickPortButton();
    QVERIFY(session.Window->Connected());

    // --- The panel shows the gauge's settings, and answers nothing back. -------------------
    QTRY_COMPARE_WITH_TIMEOUT(bench.Find<QLabel>("LabelModel")->text(), model, Patience);
    QVERIFY(bench.ReportRead());
    QCOMPARE(bench.Find<QLabel>("LabelSN")->text(), QStringLiteral("SN-0042"));
    auto* unit = bench.Find<RadioGroup>("rgUnit");
    QCOMPARE(unit->Items(), units);
    QCOMPARE(unit->ItemIndex(), unitIndex);
    QVERIFY(bench.Find<CheckBox>("chkbPeak")->isChecked());
    QCOMPARE(bench.Find<RadioGroup>("rgPeakMode")->ItemIndex(), peakMode);
    auto* speed = bench.Find<RadioGroup>("rgSpeed");
    QCOMPARE(speed->isVisibleTo(session.Window.get()), speedShown);
    if (speedShown)
        QCOMPARE(speed->ItemIndex(), 0);
    QCOMPARE(bench.Find<RadioGroup>("rgAcquisition")->ItemIndex(), 1);
    QCOMPARE(bench.Find<QLabel>("lbSampleCount")->text(), countCaption);
    QCOMPARE(bench.Find<QLabel>("LabelSampleTime")->text(), timeCaption);
    QCOMPARE(bench.Find<QLineEdit>("EditSampleCount")->text(), QStringLiteral("250"));
    QCOMPARE(bench.Find<QLineEdit>("EditSampleTime")->text(), QStringLiteral("0.5"));
    QCOMPARE(bench.Find<QLineEdit>("EditLow")->text(), QStringLiteral("-5.5"));
    QCOMPARE(bench.Find<QLineEdit>("EditHigh")->text(), QStringLiteral("20.5"));
    QCOMPARE(bench.Find<QLineEdit>("EditZero")->text(), QStringLiteral("1.5"));
    QVERIFY(bench.Find<CheckBox>("chkbThr")->isChecked());
    QCOMPARE(bench.Find<QLineEdit>("EditAcceleration")->text(), QStringLiteral("9.78"));
    QCOMPARE(ClickedOrders(session.Gauge), QList<QByteArray>());

    // --- Every control changes the gauge. ---------------------------------------------------
    int mark = session.Gauge.Mark();
    bench.Pick("rgUnit", pickUnit);
    QVERIFY(bench.Sent(unitWire, mark));
    QVERIFY(bench.GaugeHas("unit", gaugeUnit));

    mark = session.Gauge.Mark();
    bench.Tick("chkbPeak");
    QVERIFY(bench.Sent("Sp0", mark));
    QVERIFY(bench.GaugeHas("peak", "off"));
    mark = session.Gauge.Mark();
    bench.Pick("rgPeakMode", 1 - peakMode); // the box is cleared: PEAK stays off
    QVERIFY(bench.Sent("Sp0", mark));
    mark = session.Gauge.Mark();
    bench.Tick("chkbPeak");
    QVERIFY(bench.Sent(peakMode == 0 ? "Sp2" : "Sp1", mark));
    QVERIFY(bench.GaugeHas("peak", peakMode == 0 ? "-" : "+"));

    QString sampleTime = QStringLiteral("0,002");
    if (speedShown) {
        mark = session.Gauge.Mark();
        bench.Pick("rgSpeed", 1);
        QVERIFY(bench.Sent("Sf1", mark));
        QVERIFY(bench.GaugeHas("speed", "fast"));
        // The confirmation asks for the report again (so does the refresh button, in case a
        // poll took the confirmation's place); the report shows what the panel already does.
        bench.Find<QAbstractButton>("sbUpdateSettings")->click();
        QVERIFY(session.Gauge.WaitForEvent("order Sid", mark, Patience));
        QVERIFY(bench.ReportRead());
        QCOMPARE(bench.Find<QLabel>("LabelSampleTime")->text(),
                 QStringLiteral("Czas próbkowania (0.025-99.9):"));
        sampleTime = QStringLiteral("0,075");
    }

    mark = session.Gauge.Mark();
    bench.Pick("rgAcquisition", 0);
    QVERIFY(bench.Sent("Sa0", mark));
    QVERIFY(bench.GaugeHas("acquisition", "manual"));

    const struct {
        const char* Field;
        QString Text;
        const char* Button;
        QByteArray Wire;
        QByteArray Key;
        QByteArray Value;
    } typed[] = {
        {"EditSampleCount", QStringLiteral("500"), "sbSampleCount", "Sv500", "count", "500"},
        {"EditSampleTime", sampleTime, "sbSampleTime",
         "St" + sampleTime.toLatin1().replace(',', '.'), "sampletime",
         sampleTime.toLatin1().replace(',', '.')},
        {"EditLow", QStringLiteral("-2,5"), "sbLow", "SL-2.5", "thrmin", "-2.5"},
        {"EditHigh", QStringLiteral("7,5"), "sbHigh", "SH7.5", "thrmax", "7.5"},
        {"EditZero", QStringLiteral("0.5"), "dbZero", "SM0.5", "thrzero", "0.5"},
        {"EditAcceleration", QStringLiteral("9,8"), "sbAcceleration", "Sn9.8", "acceleration",
         "9.8"},
    };
    for (const auto& entry : typed) {
        mark = session.Gauge.Mark();
        bench.Type(entry.Field, entry.Text, entry.Button);
        QVERIFY2(bench.Sent(entry.Wire, mark), entry.Field);
        QVERIFY2(bench.GaugeHas(entry.Key, entry.Value), entry.Field);
    }
    QVERIFY(session.Messages.Shown.isEmpty());

    mark = session.Gauge.Mark();
    bench.Tick("chkbThr");
    QVERIFY(bench.Sent("Sk0", mark));
    QVERIFY(bench.GaugeHas("thresholds", "off"));

    // --- The keys of the picture press the gauge's keys. ---------------------------------
    mark = session.Gauge.Mark();
    QVERIFY(bench.Press("ImageZero"));
    QVERIFY(bench.Sent("ST", mark));
    QVERIFY(QTest::qWaitFor([&] { return session.Gauge.State().value("tare").toDouble() != 0.0; },
                            Patience));
    const struct {
        const char* Key;
        QByteArray Wire;
        QByteArray StateKey;
        QByteArray Value;
    } keys[] = {
        {"ImageOnOff", "SS", "power", "off"},
        {"ImageOnOff", "SS", "power", "on"},
        {"ImageStandby", "Ss", "standby", "on"},
        {"ImageStandby", "Ss", "standby", "off"},
        // MANUAL: each press stores one reading, in a series of its own from the first on.
        {"ImageMem", "Sm", "ram", "1"},
        {"ImageMem", "Sm", "ram", "2"},
        {"ImagePeak", "Sp0", "peak", "off"},
    };
    for (const auto& key : keys) {
        mark = session.Gauge.Mark();
        QVERIFY2(bench.Press(key.Key), key.Key);
        QVERIFY2(bench.Sent(key.Wire, mark), key.Key);
        QVERIFY2(bench.GaugeHas(key.StateKey, key.Value), key.Key);
    }
    QVERIFY(!bench.Find<CheckBox>("chkbPeak")->isChecked());

    // --- A fresh report brings the gauge's new settings and sends nothing back. -----------
    mark = session.Gauge.Mark();
    bench.Find<QAbstractButton>("sbUpdateSettings")->click();
    QVERIFY(bench.Find<QTimer>("TimerReport")->isActive());
    QVERIFY(session.Gauge.WaitForEvent("order Sid", mark, Patience));
    QVERIFY(bench.ReportRead());
    QCOMPARE(bench.Find<QLineEdit>("EditSampleCount")->text(), QStringLiteral("500"));
    QCOMPARE(bench.Find<QLineEdit>("EditLow")->text(), QStringLiteral("-2.5"));
    QCOMPARE(bench.Find<QLineEdit>("EditAcceleration")->text(), QStringLiteral("9.80"));
    QCOMPARE(unit->ItemIndex(), pickUnit);
    QVERIFY(!bench.Find<CheckBox>("chkbThr")->isChecked());
    QCOMPARE(bench.Find<RadioGroup>("rgAcquisition")->ItemIndex(), 0);
    QCOMPARE(ClickedOrders(session.Gauge), bench.Expected);
}

// A gauge left sending answers nothing; its seven-character lines, arriving a few at a time,
// tell the report poll why.
void TestSettingsEndToEnd::continuousSendingIsReportedOnce() {
    GaugeSession session;
    QVERIFY2(session.StartGaugePty({"--model", "FC-50", "--continuous", "--no-sample-events"}),
             qPrintable(session.Gauge.ErrorText()));
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    QVERIFY(session.Window->Connected());
    QTRY_COMPARE_WITH_TIMEOUT(session.Messages.Shown.size(), 1, Patience);
    const MessageRequest& warning = session.Messages.Shown.first();
    QCOMPARE(warning.Caption, QStringLiteral("Wysyłanie ciągłe"));
    QCOMPARE(warning.Text, QStringLiteral("Nie można nawiązac komunikacji z siłomierzem.\n"
                                          "Wyłącz wysyłanie ciągłe w urządzeniu."));
    QCOMPARE(warning.Icon, MessageIcon::Warning);
    // The report poll keeps asking and the lines keep coming: no second warning.
    const int reports = int(session.Gauge.EventsOf("ignored").count("Sid"));
    QVERIFY(QTest::qWaitFor(
        [&] { return session.Gauge.EventsOf("ignored").count("Sid") >= reports + 2; }, Patience));
    QCOMPARE(session.Messages.Shown.size(), 1);
}

QTEST_MAIN(TestSettingsEndToEnd)
#include "tst_settings_e2e.moc"
