// Replies that arrive cut at every position, twice over, or behind stray stream lines, over
// the serial link and over the network: the panel still shows the gauge's settings, readings
// and confirmations are still recognised, and a download still brings every stored sample.
#include "link/EthConnection.h"
#include "protocol/OrderSet.h"
#include "state/GaugeState.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy

// The gauge's settings differ from the window's at start, so that the report must have been
// read to show them.
const QStringList Settings{
    "--serial",    "SN-7731", "--sample-time", "0.5",  "--count",           "37",
    "--thr-min",   "1.5",     "--thr-max",     "7.5",  "--acquisition",     "auto",
    "--amplitude", "0",       "--value",       "12.5", "--no-sample-events"};
// RAM holds 30 samples that are told apart.
const QList<double> Stored{1.5,  -2.25, 3,    0.75, -0.5, 10.25, -11, 4.5,   8,   -6.75,
                           0.01, 2.5,   -3.5, 7.25, 9,    -1,    0.5, -0.25, 12,  -12.5,
                           6,    5.5,   -4,   3.25, 1,    -7.5,  2,   -9.25, 0.1, 11.5};

QString RamOption() {
    QStringList values;
    for (double v : Stored)
        values << QString::number(v);
    return QStringLiteral("count=%1,step=0.1,unit=N,values=%2")
        .arg(Stored.size())
        .arg(values.join(QLatin1Char(':')));
}

bool LinkUp(GaugeSession& session, bool tcp) {
    return tcp ? session.Window->EthLink()->EthLinkState() == CEthConnection::Connected
               : session.Window->Connected();
}

QString Text(GaugeSession& session, const char* name) {
    if (auto* label = session.Find<QLabel>(name))
        return label->text();
    return session.Find<QLineEdit>(name)->text();
}

QList<double> Values(const ChartModel& chart) {
    QList<double> values;
    for (auto it = chart.Samples().constBegin(); it != chart.Samples().constEnd(); ++it)
        values << it->value;
    return values;
}

// Polls silenced, so that what the test sends is the only exchange under way.
bool SilencePolls(GaugeSession& session) {
    session.Find<QAbstractButton>("chkbUpdateDisplay")->setChecked(false);
    session.Find<QAbstractButton>("chkbUpdateBattery")->setChecked(false);
    const bool quiet = QTest::qWaitFor(
        [&] {
            return !session.Find<QTimer>("TimerDisplay")->isActive() &&
                   !session.Find<QTimer>("TimerBattery")->isActive() &&
                   !session.Find<QTimer>("TimerReport")->isActive();
        },
        Patience);
    // A reply still under way (the gauge may pause between pieces) has come.
    QTest::qWait(1000);
    return quiet;
}

// The order goes out and its confirmation shows as the status text.
bool Confirmed(GaugeSession& session, OrderSet::Order order, const QByteArray& argument,
               const QString& status) {
    session.Window->SetStatusText(QString());
    session.Window->Exchange().Issue(order, argument);
    return QTest::qWaitFor([&] { return session.Window->StatusText() == status; }, Patience);
}

} // namespace

class TestMangledRepliesEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void repliesStillUnderstood_data();
    void repliesStillUnderstood();
};

void TestMangledRepliesEndToEnd::repliesStillUnderstood_data() {
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("faults");

    const struct {
        const char* Name;
        QStringList Options;
    } faults[] = {
        {"cut after every byte", {"--chunk", "1", "--chunk-pause", "1"}},
        {"cut anywhere", {"--chunk", "1-9", "--chunk-pause", "1", "--seed", "7"}},
        {"duplicated", {"--duplicate"}},
        {"behind stream lines", {"--interleave", "2"}},
        {"all at once",
         {"--chunk", "1-5", "--chunk-pause", "1", "--duplicate", "--interleave", "1"}},
    };
    for (const bool tcp : {false, true})
        for (const auto& f : faults)
            for (const char* model : {"FM-500", "FC-200"})
                QTest::addRow("%s, %s, %s", tcp ? "network" : "serial", f.Name, model)
                    << tcp << QString::fromLatin1(model) << f.Options;
}

void TestMangledRepliesEndToEnd::repliesStillUnderstood() {
    QFETCH(bool, tcp);
    QFETCH(QString, model);
    QFETCH(QStringList, faults);

    GaugeSession session;
    const QStringList options =
        QStringList{"--model", model, "--ram", RamOption()} + Settings + faults;
    QVERIFY2(tcp ? session.StartGaugeTcp(options) : session.StartGaugePty(options),
             qPrintable(session.Gauge.ErrorText()));
    if (tcp)
        session.WriteConfig(false, true, QStringLiteral("127.0.0.1"), session.Gauge.TcpPort());
    else
        session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    QTRY_VERIFY_WITH_TIMEOUT(LinkUp(session, tcp), Patience);

    // The settings report and the reading.
    QTRY_COMPARE_WITH_TIMEOUT(Text(session, "LabelModel"), model, Patience);
    QTRY_VERIFY_WITH_TIMEOUT(!session.Find<QTimer>("TimerReport")->isActive(), Patience);
    QCOMPARE(Text(session, "LabelSN"), QStringLiteral("SN-7731"));
    QCOMPARE(Text(session, "EditSampleTime"), QStringLiteral("0.5"));
    QCOMPARE(Text(session, "EditSampleCount"), QStringLiteral("37"));
    QCOMPARE(Text(session, "EditLow"), QStringLiteral("1.5"));
    QCOMPARE(Text(session, "EditHigh"), QStringLiteral("7.5"));
    QTRY_VERIFY2_WITH_TIMEOUT(Text(session, "PanelResult").endsWith(QStringLiteral("12.50 N")),
                              qPrintable(Text(session, "PanelResult")), Patience);

    // Confirmations.
    QVERIFY(SilencePolls(session));
    QVERIFY(Confirmed(session, OrderSet::Order::Tare, {}, QStringLiteral("Siłomierz wyzerowany")));
    // As typed: the confirmed count is compared with the field.
    session.Find<QLineEdit>("EditSampleCount")->setText(QStringLiteral("55"));
    QVERIFY(Confirmed(session, OrderSet::Order::SampleCount, "55",
                      QStringLiteral("Liczba próbek ustawiona")));
    QCOMPARE(session.Gauge.State().value("count"), QByteArray("55"));

    // A download of the whole memory.
    session.Find<QComboBox>("cbMemory")->setCurrentIndex(0);
    session.Find<QAbstractButton>("sbGetData")->click();
    QTRY_VERIFY_WITH_TIMEOUT(FirstGauge().ExchangeState == ExchangeState::Confirming &&
                                 session.Window->StatusText() !=
                                     QStringLiteral("Odczyt zgromadzonych próbek..."),
                             Patience);
    const QList<double> kept = Values(session.Window->ChartData());
    qInfo("the gauge holds %d samples, the chart took %d", int(Stored.size()), int(kept.size()));
    QCOMPARE(kept, Stored);
    QCOMPARE(FirstGauge().SampleStats.Count, int(Stored.size()));
    QVERIFY2(session.Messages.Shown.isEmpty(), qPrintable(session.Messages.Shown.value(0).Text));
}

QTEST_MAIN(TestMangledRepliesEndToEnd)
#include "tst_mangledreplies_e2e.moc"
