// The program and the virtual gauge over a pseudo-terminal and over TCP: the port button,
// the polls and what they bring, closing, a missing port, a vanishing device, and closing
// while a message box raised by a reply waits for the user.
#include "link/EthConnection.h"
#include "link/SerialLink.h"
#include "state/GaugeState.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTcpServer>
#include <QTest>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy

int CountOf(const QList<QByteArray>& orders, const char* order) {
    return int(orders.count(QByteArray(order)));
}

QString PortCaption(GaugeSession& session) {
    return session.Find<QAbstractButton>("sbComPort")->text();
}

// A message box during which the program is closed (a signal, the end of an unattended run):
// the box's event loop runs the exit sequence with the reply side and the link below it.
class ClosingMessages final : public MessagePresenter {
public:
    explicit ClosingMessages(QWidget* window)
        : m_window(window)
        , m_previous(SetMessagePresenter(this)) {}
    ~ClosingMessages() override { SetMessagePresenter(m_previous); }
    void Show(QWidget*, const MessageRequest& message) override {
        Captions << message.Caption;
        m_window->close();
    }
    bool Ask(QWidget*, const MessageRequest&) override { return true; }
    QStringList Captions;

private:
    QWidget* m_window;
    MessagePresenter* m_previous;
};

} // namespace

class TestLinkEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void serialPollsShowTheReading();
    void closingStopsAllTraffic();
    void missingPortShowsTheMessage();
    void vanishingDeviceClosesThePort();
    void networkCarriesConfirmationsAndReports();
    void networkToggleAgainstARefusedPort();
    void closingUnderAReplysMessageBox();
};

void TestLinkEndToEnd::serialPollsShowTheReading() {
    GaugeSession session;
    QVERIFY2(session.StartGaugePty({"--model", "FM-500", "--amplitude", "0", "--value", "12.5"}),
             qPrintable(session.Gauge.ErrorText()));
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    QVERIFY(session.Window->Connected());
    QCOMPARE(PortCaption(session), QStringLiteral("Zamknij port"));

    auto* panel = session.Find<QLabel>("PanelResult");
    QTRY_COMPARE_WITH_TIMEOUT(panel->text(), QStringLiteral(" 12.50 N"), Patience);
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(255, 225, 225));
    QVERIFY(FirstGauge().PortConfigured);
    QCOMPARE(session.Window->StatusText(), QStringLiteral("Wynik odczytany"));

    // The report is asked for until it has been read whole; the battery afterwards.
    QTRY_COMPARE_WITH_TIMEOUT(session.Find<QLabel>("LabelModel")->text(), QStringLiteral("FM-500"),
                              Patience);
    QVERIFY(session.Gauge.WaitForEvent("order Sb", 0, Patience));
    QTRY_COMPARE_WITH_TIMEOUT(session.Find<QLabel>("LabelBateryPercent")->text(),
                              QStringLiteral("87%"), Patience);
    const QList<QByteArray> orders = session.Gauge.Orders();
    QVERIFY(CountOf(orders, "Sx1") >= 2);
    QVERIFY(CountOf(orders, "Sid") >= 1);
    // Once the report is complete no further "Sid" goes out.
    const int reports = CountOf(session.Gauge.Orders(), "Sid");
    QTest::qWait(2 * 1234 + 300);
    QCOMPARE(CountOf(session.Gauge.Orders(), "Sid"), reports);
}

void TestLinkEndToEnd::closingStopsAllTraffic() {
    GaugeSession session;
    QVERIFY(session.StartGaugePty());
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    QVERIFY(session.Gauge.WaitForEvent("order Sx1", 0, Patience));
    session.ClickPortButton();
    QVERIFY(!session.Window->Connected());
    QCOMPARE(PortCaption(session), QStringLiteral("Otwórz port"));
    QVERIFY(session.Gauge.WaitForEvent("link closed", 0, Patience));
    const int mark = session.Gauge.Mark();
    QTest::qWait(1500);
    QVERIFY(session.Gauge.Orders(mark).isEmpty());
}

void TestLinkEndToEnd::missingPortShowsTheMessage() {
    GaugeSession session;
    session.WriteComPortIni(QStringLiteral("COM7"));
    session.CreateWindow();
    session.ClickPortButton();
    QVERIFY(!session.Window->Connected());
    QCOMPARE(PortCaption(session), QStringLiteral("Otwórz port"));
    QCOMPARE(session.Messages.Shown.size(), 1);
    QCOMPARE(session.Messages.Shown.first().Caption, QStringLiteral("JRV-FG"));
    QCOMPARE(session.Messages.Shown.first().Text,
             QStringLiteral("Wskazany port COM nie istnieje lub jest zajęty przez inny program"));
    QCOMPARE(session.Messages.Shown.first().Icon, MessageIcon::Warning);
}

void TestLinkEndToEnd::vanishingDeviceClosesThePort() {
    GaugeSession session;
    QVERIFY(session.StartGaugePty());
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    QVERIFY(session.Gauge.WaitForEvent("order Sx1", 0, Patience));
    session.Gauge.Command("vanish");
    QTRY_VERIFY_WITH_TIMEOUT(!session.Window->Connected(), Patience);
    QCOMPARE(PortCaption(session), QStringLiteral("Otwórz port"));
    QVERIFY(!session.Window->ComPort1().IsOpen());
    QVERIFY(session.Window->StatusText().contains(QStringLiteral("COM1")));
    // The program keeps working: the polls go on without a port, nothing is shown.
    QTest::qWait(800);
    QVERIFY(session.Messages.Shown.isEmpty());
}

void TestLinkEndToEnd::networkCarriesConfirmationsAndReports() {
    GaugeSession session;
    QVERIFY(session.StartGaugeTcp({"--model", "FS-20"}));
    session.WriteConfig(false, true, QStringLiteral("127.0.0.1"), session.Gauge.TcpPort());
    session.CreateWindow();
    QVERIFY(FirstGauge().UseEthernet);
    session.ClickPortButton();
    QTRY_COMPARE_WITH_TIMEOUT(session.Window->EthLink()->EthLinkState(), CEthConnection::Connected,
                              Patience);
    // The port button does not change its caption for the network link.
    QCOMPARE(PortCaption(session), QStringLiteral("Otwórz port"));
    // A whole settings report passes, short lines included.
    QTRY_COMPARE_WITH_TIMEOUT(session.Find<QLabel>("LabelModel")->text(), QStringLiteral("FS-20"),
                              Patience);
    QCOMPARE(int(FirstGauge().DeviceFamily), 2);
    // A short confirmation passes too.
    session.Window->Exchange().IssueOrder(OrderSet::Order::Tare, {}, false);
    QTRY_COMPARE_WITH_TIMEOUT(session.Window->StatusText(), QStringLiteral("Siłomierz wyzerowany"),
                              Patience);
}

void TestLinkEndToEnd::networkToggleAgainstARefusedPort() {
    // A port on which nobody listens any more: the attempt fails silently and stays "connecting".
    quint16 refused = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        refused = probe.serverPort();
    }
    GaugeSession session;
    session.WriteConfig(false, true, QStringLiteral("127.0.0.1"), refused);
    session.CreateWindow();
    session.ClickPortButton();
    QCOMPARE(session.Window->EthLink()->EthLinkState(), CEthConnection::Connecting);
    QTest::qWait(500);
    QCOMPARE(session.Window->EthLink()->EthLinkState(), CEthConnection::Connecting);
    session.ClickPortButton();
    QCOMPARE(session.Window->EthLink()->EthLinkState(), CEthConnection::Idle);
    session.ClickPortButton();
    QCOMPARE(session.Window->EthLink()->EthLinkState(), CEthConnection::Connecting);
    QVERIFY(session.Messages.Shown.isEmpty());
}

void TestLinkEndToEnd::closingUnderAReplysMessageBox() {
    GaugeSession session;
    // A gauge left sending: its endless lines raise "Wysyłanie ciągłe".
    QVERIFY(session.StartGaugeTcp({"--model", "FC-50", "--continuous"}));
    session.WriteConfig(true, true, QStringLiteral("127.0.0.1"), session.Gauge.TcpPort());
    session.CreateWindow();
    ClosingMessages messages(session.Window.get());
    session.ClickPortButton();
    QTRY_VERIFY_WITH_TIMEOUT(!messages.Captions.isEmpty(), Patience);
    QCOMPARE(messages.Captions.first(), QStringLiteral("Wysyłanie ciągłe"));
    // The rest of the lines already read, and those still coming, reach nobody; nothing
    // of the closed link is used after its end.
    QTest::qWait(300);
    QCOMPARE(messages.Captions.size(), 1);
    QVERIFY(!session.Window->isVisible());
}

QTEST_MAIN(TestLinkEndToEnd)
#include "tst_link_e2e.moc"
