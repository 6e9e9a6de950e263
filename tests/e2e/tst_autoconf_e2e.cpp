// The program finding a virtual gauge by itself: at the first activation with nothing
// configured, with no gauge anywhere, and from "Wykryj" of the connection dialog.
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"
#include "link/SerialLink.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy
// Longest a modal dialog may stay open before a test gives up on it rather than hang.
constexpr int DialogGuardMs = 40000;

using Baud = SerialSettings::Baud;

QString ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int CountOf(const QList<QByteArray>& events, const char* event) {
    return int(events.count(QByteArray(event)));
}

QString StateOf(const TAutoKonfForm& dialog) {
    return dialog.findChild<QLabel*>("LabelState")->text();
}

// Clicks a button once control is back in an event loop, so that a watcher never blocks in
// the modal loop the click may open.
void ClickLater(QAbstractButton* button) {
    QTimer::singleShot(0, button, &QAbstractButton::click);
}

// Looks at the dialogs every 50 ms from whatever event loop is running, modal ones included.
class Watcher final {
public:
    explicit Watcher(std::function<void()> look) {
        QObject::connect(&m_timer, &QTimer::timeout, std::move(look));
        m_timer.start(50);
    }

private:
    QTimer m_timer;
};

} // namespace

class TestAutoConfEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void firstActivationFindsTheGauge();
    void noGaugeAnywhere();
    void detectFromTheConnectionDialog();
};

void TestAutoConfEndToEnd::firstActivationFindsTheGauge() {
    GaugeSession session;
    QVERIFY2(session.StartGaugePty({"--baud", "115200", "--amplitude", "0", "--value", "3.5"}, 2),
             qPrintable(session.Gauge.ErrorText()));
    // COM1 holds a device that understands neither speed.
    GaugeSim silent;
    QVERIFY(silent.StartPty({"--baud", "9600"}, 1, session.Program.Ports()));
    TAutoKonfForm autoKonf;
    session.CreateWindow();
    session.Window->SetDialogs(&autoKonf, nullptr, nullptr);
    QCOMPARE(autoKonf.MaxPortText(), QStringLiteral("4"));

    QElapsedTimer clock;
    qint64 foundAt = -1;
    qint64 closedAt = -1;
    int ticksWhileShowingResult = 0;
    bool shown = false;
    Watcher watcher([&] {
        if (autoKonf.isVisible()) {
            shown = true;
            if (StateOf(autoKonf) == QStringLiteral("Port skonfigurowany")) {
                if (foundAt < 0)
                    foundAt = clock.elapsed();
                ++ticksWhileShowingResult;
            }
            if (clock.elapsed() > DialogGuardMs)
                autoKonf.reject();
        } else if (shown && closedAt < 0) {
            closedAt = clock.elapsed();
        }
    });
    clock.start();
    QVERIFY(session.ShowWindow());
    QTRY_VERIFY_WITH_TIMEOUT(closedAt >= 0, Patience);

    QVERIFY(shown);
    QVERIFY(foundAt >= 0);
    // The result stays on view for about two seconds, while the event loop keeps running.
    QVERIFY2(closedAt - foundAt >= 1500, qPrintable(QString::number(closedAt - foundAt)));
    QVERIFY2(ticksWhileShowingResult >= 10, qPrintable(QString::number(ticksWhileShowingResult)));
    QVERIFY(FirstGauge().PortConfigured);
    SerialLink& port = session.Window->ComPort1();
    QVERIFY(port.IsOpen());
    QCOMPARE(port.Settings().Port, QStringLiteral("COM2"));
    QCOMPARE(port.Settings().BaudRate, Baud::B115200);
    // The first activation goes on with the port button, which finds the port open.
    QVERIFY(session.Window->Connected());
    QCOMPARE(session.Find<QAbstractButton>("sbComPort")->text(), QStringLiteral("Zamknij port"));
    QVERIFY(session.Messages.Shown.isEmpty());

    // COM1 was tried three times at each speed, COM2 three times at 57600 before it answered.
    const QList<QByteArray> garbled1 = silent.EventsOf("garbled");
    QCOMPARE(CountOf(garbled1, "57600 SI"), 3);
    QCOMPARE(CountOf(garbled1, "115200 SI"), 3);
    QCOMPARE(CountOf(session.Gauge.EventsOf("garbled"), "57600 SI"), 3);
    QVERIFY(session.Gauge.Orders().contains("SI"));
    QTRY_COMPARE_WITH_TIMEOUT(session.Find<QLabel>("PanelResult")->text(),
                              QStringLiteral(" 3.50 N"), Patience);

    // At exit both files hold the result.
    session.Window->close();
    const QString ini = ReadFile(session.Program.FilePath(QStringLiteral("ComPort.ini")));
    QVERIFY2(ini.contains(QStringLiteral("Port=COM2")), qPrintable(ini));
    QVERIFY2(ini.contains(QStringLiteral("BaudRate=115200")), qPrintable(ini));
    const QString config = ReadFile(session.Program.FilePath(QStringLiteral("config.xml")));
    QVERIFY2(config.contains(QStringLiteral("<PortConfigured>Yes</PortConfigured>")),
             qPrintable(config));
    QVERIFY2(config.contains(QStringLiteral("<MaxPort>4</MaxPort>")), qPrintable(config));

    // The next start opens COM2 at once, without a scan.
    const int silentMark = silent.Mark();
    const int gaugeMark = session.Gauge.Mark();
    shown = false;
    closedAt = -1;
    session.CreateWindow();
    session.Window->SetDialogs(&autoKonf, nullptr, nullptr);
    QVERIFY(session.ShowWindow());
    QVERIFY(!shown);
    QVERIFY(session.Window->Connected());
    QCOMPARE(session.Window->ComPort1().Settings().Port, QStringLiteral("COM2"));
    QCOMPARE(session.Window->ComPort1().Settings().BaudRate, Baud::B115200);
    QVERIFY(session.Gauge.WaitForEvent("reply", gaugeMark, Patience));
    QTest::qWait(300);
    QVERIFY(silent.EventsOf("link", silentMark).isEmpty());
}

void TestAutoConfEndToEnd::noGaugeAnywhere() {
    GaugeSession session;
    QFile config(session.Program.FilePath(QStringLiteral("config.xml")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("<Config><Options><PortConfigured>No</PortConfigured><MaxPort>1</MaxPort>"
                 "</Options></Config>");
    config.close();
    QVERIFY(session.StartGaugePty({"--baud", "9600"}, 1));
    TAutoKonfForm autoKonf;
    session.CreateWindow();
    session.Window->SetDialogs(&autoKonf, nullptr, nullptr);
    QCOMPARE(autoKonf.MaxPortText(), QStringLiteral("1"));

    QElapsedTimer clock;
    bool failed = false;
    bool shown = false;
    Watcher watcher([&] {
        if (!autoKonf.isVisible())
            return;
        shown = true;
        // Without success the dialog waits for the user.
        if (StateOf(autoKonf) == QStringLiteral("Brak komunikacji") && !failed) {
            failed = true;
            ClickLater(autoKonf.findChild<QAbstractButton*>("sbClose"));
        }
        if (clock.elapsed() > DialogGuardMs)
            autoKonf.reject();
    });
    clock.start();
    QVERIFY(session.ShowWindow());
    QVERIFY(shown);
    QVERIFY(failed);
    QVERIFY(!FirstGauge().PortConfigured);
    QVERIFY(!session.Window->Connected());
    QVERIFY(!session.Window->ComPort1().IsOpen());
    QCOMPARE(session.Find<QAbstractButton>("sbComPort")->text(), QStringLiteral("Otwórz port"));
    QCOMPARE(autoKonf.findChild<QAbstractButton*>("sbDetect")->text(), QStringLiteral("Wykryj"));
    const QList<QByteArray> garbled = session.Gauge.EventsOf("garbled");
    QCOMPARE(CountOf(garbled, "57600 SI"), 3);
    QCOMPARE(CountOf(garbled, "115200 SI"), 3);
    // The port is not kept busy after the fruitless scan.
    QTRY_COMPARE_WITH_TIMEOUT(session.Gauge.EventsOf("link").last(), QByteArray("closed 0"),
                              Patience);
    QVERIFY(session.Messages.Shown.isEmpty());
}

// "Połączenie", "Wykryj", "Wykryj" in the scan dialog, "Schließen", then "Zastosuj": the port
// found is taken over and the link opened; the polls wait while the dialogs are open.
void TestAutoConfEndToEnd::detectFromTheConnectionDialog() {
    GaugeSession session;
    QVERIFY(session.StartGaugePty({"--baud", "57600"}, 3));
    TAutoKonfForm autoKonf;
    TConnectionForm connection;
    session.CreateWindow();
    session.Window->SetDialogs(&autoKonf, &connection, nullptr);

    enum class Stage { OpenDetect, StartScan, AwaitResult, Apply, Done };
    Stage stage = Stage::OpenDetect;
    QElapsedTimer clock;
    bool pollsPaused = false;
    bool scanningAtShow = true;
    QString comField;
    QString baudItem;
    QList<QByteArray> ordersDuringScan;
    Watcher watcher([&] {
        if (clock.elapsed() > DialogGuardMs) {
            autoKonf.reject();
            connection.reject();
        }
        switch (stage) {
        case Stage::OpenDetect:
            if (connection.isVisible()) {
                stage = Stage::StartScan;
                ClickLater(connection.findChild<QAbstractButton*>("sbDetect"));
            }
            break;
        case Stage::StartScan:
            if (autoKonf.isVisible()) {
                scanningAtShow = autoKonf.Scanning();
                stage = Stage::AwaitResult;
                ClickLater(autoKonf.findChild<QAbstractButton*>("sbDetect"));
            }
            break;
        case Stage::AwaitResult:
            if (StateOf(autoKonf) == QStringLiteral("Port skonfigurowany")) {
                pollsPaused = FirstGauge().ConnectionDialogOpen;
                ordersDuringScan = session.Gauge.Orders();
                stage = Stage::Apply;
                ClickLater(autoKonf.findChild<QAbstractButton*>("sbClose"));
            }
            break;
        case Stage::Apply:
            if (!autoKonf.isVisible()) {
                comField = connection.findChild<QLineEdit*>("EditCOM")->text();
                baudItem = connection.findChild<QComboBox*>("cbBaudRate")->currentText();
                stage = Stage::Done;
                ClickLater(connection.findChild<QAbstractButton*>("sbApply"));
            }
            break;
        case Stage::Done:
            break;
        }
    });
    clock.start();
    session.Window->findChild<QAction*>("Connection")->trigger();

    QCOMPARE(int(stage), int(Stage::Done));
    // "Wykryj" shows the scan dialog without starting it.
    QVERIFY(!scanningAtShow);
    QVERIFY(pollsPaused);
    QVERIFY(!FirstGauge().ConnectionDialogOpen);
    // Only the scan's "SI" went out while the dialogs were open.
    QVERIFY(!ordersDuringScan.isEmpty());
    QCOMPARE(ordersDuringScan, QList<QByteArray>(ordersDuringScan.size(), "SI"));
    QCOMPARE(comField, QStringLiteral("3"));
    QCOMPARE(baudItem, QStringLiteral("57600"));
    // "Zastosuj" pressed the port button, which found the port open.
    QVERIFY(session.Window->Connected());
    QCOMPARE(session.Find<QAbstractButton>("sbComPort")->text(), QStringLiteral("Zamknij port"));
    QCOMPARE(session.Window->ComPort1().Settings().Port, QStringLiteral("COM3"));
    QVERIFY(session.Gauge.WaitForEvent("order Sx1", 0, Patience));
    QVERIFY(session.Messages.Shown.isEmpty());
}

QTEST_MAIN(TestAutoConfEndToEnd)
#include "tst_autoconf_e2e.moc"
