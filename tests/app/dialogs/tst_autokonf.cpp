// The auto-configuration dialog against a fake window: the speed texts, the maximum port, the
// order of ports and speeds a scan tries, how it ends, stopping it, and closing by itself.
#include "app/dialogs/AutoKonfTarget.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/UpDown.h"
#include "state/GaugeState.h"
#include "tests/support/ExchangeSetup.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy

using Baud = SerialSettings::Baud;

QString Speed(Baud baud) {
    return baud == Baud::B57600 ? QStringLiteral("57600") : QStringLiteral("115200");
}

// A window with ports that open or not and a gauge that answers "SI" on one port at one
// speed. Its reply comes back between two steps, as the event loop would deliver it: by
// Deliver() when a test steps by hand, or at once through the event loop otherwise.
class FakeWindow final : public AutoKonfTarget {
public:
    GaugeState& Gauge() const override { return FirstGauge(); }
    bool SerialPortIsOpen() const override { return m_open; }
    void CloseSerialPort() override {
        m_open = false;
        ++Closes;
    }
    bool OpenSerialPortAt(const QString& portName, Baud baudRate) override {
        Port = portName;
        BaudRate = baudRate;
        Tried << portName + QLatin1Char('@') + Speed(baudRate);
        m_open = Present.contains(portName);
        return m_open;
    }
    void AskForDisplay() override {
        SetExchange(ExchangeState::ReadingDisplay, Reply::Display);
        Exchanges << qMakePair(int(ExchangeState::ReadingDisplay), int(Reply::Display));
        Orders << "SI";
        Presses << false;
        if (!m_open || Port != GaugePort || BaudRate != GaugeSpeed)
            return;
        if (++m_heard < AnswerFrom)
            return;
        m_replyPending = true;
        if (ReplyThroughLoop)
            QTimer::singleShot(0, [this] { Deliver(); });
    }
    void Deliver() {
        if (m_replyPending)
            FirstGauge().PortConfigured = true;
        m_replyPending = false;
    }

    QStringList Present;
    QString GaugePort;
    Baud GaugeSpeed = Baud::B57600;
    int AnswerFrom = 1; // the gauge misses the "SI"s before this one
    bool ReplyThroughLoop = false;

    QString Port;
    Baud BaudRate = Baud::B9600;
    QStringList Tried;
    QList<QByteArray> Orders;
    QList<bool> Presses;
    QList<QPair<int, int>> Exchanges;
    int Closes = 0;

private:
    bool m_open = false;
    bool m_replyPending = false;
    int m_heard = 0;
};

struct Dialog {
    FakeWindow window;
    TAutoKonfForm form;
    Dialog() {
        FirstGauge() = GaugeState{};
        form.SetTarget(&window);
    }
    template <typename T> T* Find(const char* name) const {
        return form.findChild<T*>(QLatin1String(name));
    }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    QColor StateColour() const {
        return Find<QLabel>("LabelState")->palette().color(QPalette::WindowText);
    }
    QString DetectCaption() const { return Find<QAbstractButton>("sbDetect")->text(); }
    bool CloseEnabled() const { return Find<QAbstractButton>("sbClose")->isEnabled(); }
    QTimer* Timer1() const { return Find<QTimer>("Timer1"); }
    // Steps by hand, the gauge's reply arriving between steps, until the scan ends.
    int RunScan(int bound = 3000) {
        int steps = 0;
        while (Timer1()->isActive() && steps < bound) {
            form.Timer1Timer();
            window.Deliver();
            ++steps;
        }
        return steps;
    }
};

QStringList Repeat(const QString& text, int times) {
    QStringList list;
    for (int i = 0; i < times; ++i)
        list << text;
    return list;
}

const QColor Navy(0, 0, 128);
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

} // namespace

class TestAutoKonf : public QObject {
    Q_OBJECT

private slots:
    void baudToStr_data();
    void baudToStr();
    void maxPortNormalisation_data();
    void maxPortNormalisation();
    void maxPortField();
    void startShowsTheFirstStep();
    void scan_data();
    void scan();
    void everyStepAsksForOneReading();
    void stopBetweenSteps();
    void closeBoxLeavesTheScanRunning();
    void autoStartClosesByItselfWithoutFreezing();
    void withoutAutoStartTheDialogStays();
};

void TestAutoKonf::baudToStr_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << 0 << "50 bps";
    QTest::newRow("134 without its half") << 3 << "134 bps";
    QTest::newRow("4800") << 10 << "4800 bps";
    QTest::newRow("first speed tried") << 15 << "57600 bps";
    QTest::newRow("second speed tried") << 16 << "115200 bps";
    QTest::newRow("last") << 19 << "921600 bps";
    QTest::newRow("past the end") << 20 << "- bps";
    QTest::newRow("failed port mark") << 100 << "- bps";
    QTest::newRow("negative") << -1 << "- bps";
}

void TestAutoKonf::baudToStr() {
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(TAutoKonfForm::BaudToStr(index), text);
}

void TestAutoKonf::maxPortNormalisation_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("normal");
    QTest::newRow("zero") << "0"
                          << "1";
    QTest::newRow("letters") << "abc"
                             << "1";
    QTest::newRow("above the limit") << "300"
                                     << "255";
    QTest::newRow("limit") << "255"
                           << "255";
    QTest::newRow("lowest") << "1"
                            << "1";
    QTest::newRow("default") << "4"
                             << "4";
    QTest::newRow("negative") << "-5"
                              << "1";
    QTest::newRow("empty") << ""
                           << "1";
    QTest::newRow("blanks around") << " 7 "
                                   << "7";
    QTest::newRow("plus sign") << "+12"
                               << "12";
    QTest::newRow("decimal") << "2.5"
                             << "1";
    QTest::newRow("longer than the field") << "1000"
                                           << "255";
    QTest::newRow("beyond any integer") << "99999999999999999999999"
                                        << "255";
}

// The same rule for a text from config.xml, for a typed text and for the number alone.
void TestAutoKonf::maxPortNormalisation() {
    QFETCH(QString, text);
    QFETCH(QString, normal);
    QCOMPARE(QString::number(TAutoKonfForm::NormalizeMaxPort(text)), normal);

    Dialog loaded;
    loaded.form.SetMaxPortText(text);
    QCOMPARE(loaded.form.MaxPortText(), normal);
    QCOMPARE(loaded.Find<UpDown>("UpDownMaxPort")->Position(), normal.toInt());

    Dialog typed;
    auto* edit = typed.Find<QLineEdit>("EditMaxPort");
    edit->setText(text.left(edit->maxLength()));
    typed.form.show();
    QCOMPARE(edit->text(), QString::number(TAutoKonfForm::NormalizeMaxPort(text.left(3))));
}

void TestAutoKonf::maxPortField() {
    Dialog dialog;
    auto* edit = dialog.Find<QLineEdit>("EditMaxPort");
    auto* spin = dialog.Find<UpDown>("UpDownMaxPort");
    QCOMPARE(edit->text(), QStringLiteral("4"));
    QCOMPARE(edit->maxLength(), 3);
    QCOMPARE(spin->Minimum(), 1);
    QCOMPARE(spin->Maximum(), 255);

    spin->Step(1);
    QCOMPARE(edit->text(), QStringLiteral("5"));
    dialog.form.SetMaxPortText(QStringLiteral("255"));
    spin->Step(1);
    QCOMPARE(edit->text(), QStringLiteral("255"));
    dialog.form.SetMaxPortText(QStringLiteral("1"));
    spin->Step(-1);
    QCOMPARE(edit->text(), QStringLiteral("1"));

    // Typing is normalised when the field is left.
    edit->setText(QStringLiteral("300"));
    emit edit->editingFinished();
    QCOMPARE(edit->text(), QStringLiteral("255"));
    QCOMPARE(spin->Position(), 255);
}

void TestAutoKonf::startShowsTheFirstStep() {
    Dialog dialog;
    FirstGauge().PortConfigured = true;
    QCOMPARE(dialog.DetectCaption(), QStringLiteral("&Suchen"));
    dialog.form.show();
    QVERIFY(!dialog.form.Scanning());
    dialog.Find<QAbstractButton>("sbDetect")->click();
    QVERIFY(dialog.form.Scanning());
    QVERIFY(!FirstGauge().PortConfigured);
    QVERIFY(dialog.Timer1()->isActive());
    QCOMPARE(dialog.Timer1()->interval(), 500);
    QCOMPARE(dialog.DetectCaption(), QStringLiteral("Zatrzymaj"));
    QVERIFY(!dialog.CloseEnabled());
    QCOMPARE(dialog.Text("LabelPort"), QStringLiteral("COM1"));
    QCOMPARE(dialog.Text("LabelBaudRate"), QStringLiteral("57600 bps"));
    QCOMPARE(dialog.Text("LabelRetry"), QStringLiteral("1"));
    QCOMPARE(dialog.Text("LabelState"), QStringLiteral("Trwa szukanie ustawień..."));
    QCOMPARE(dialog.StateColour(), Navy);
    // Nothing is opened before the first step.
    QVERIFY(dialog.window.Tried.isEmpty());
}

void TestAutoKonf::scan_data() {
    QTest::addColumn<QString>("maxPort");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("gaugePort");
    QTest::addColumn<int>("gaugeSpeed");
    QTest::addColumn<int>("answerFrom");
    QTest::addColumn<QStringList>("tried");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("leftOpen"); // empty: closed

    const auto six = [](const QString& port) {
        return Repeat(port + "@57600", 3) + Repeat(port + "@115200", 3);
    };
    QTest::newRow("gauge on COM2 at 115200, COM1 silent")
        << "4" << QStringList{"COM1", "COM2"} << "COM2" << 115200 << 1
        << six("COM1") + Repeat("COM2@57600", 3) + QStringList{"COM2@115200"} << true
        << "COM2@115200";
    QTest::newRow("gauge on COM2 at 115200, COM1 missing")
        << "4" << QStringList{"COM2"} << "COM2" << 115200 << 1
        << QStringList{"COM1@57600"} + Repeat("COM2@57600", 3) + QStringList{"COM2@115200"} << true
        << "COM2@115200";
    QTest::newRow("gauge on COM1 at 57600 answers at once")
        << "4" << QStringList{"COM1"} << "COM1" << 57600 << 1 << QStringList{"COM1@57600"} << true
        << "COM1@57600";
    // The last attempt at a speed is still heard at that speed, and the port stays there.
    QTest::newRow("only the third SI at 115200 answered")
        << "4" << QStringList{"COM1"} << "COM1" << 115200 << 3 << six("COM1") << true
        << "COM1@115200";
    QTest::newRow("only the third SI at 57600 answered")
        << "4" << QStringList{"COM1"} << "COM1" << 57600 << 3 << Repeat("COM1@57600", 3) << true
        << "COM1@57600";
    QTest::newRow("no gauge on two ports") << "2" << QStringList{"COM1", "COM2"} << "" << 57600 << 1
                                           << six("COM1") + six("COM2") << false << "";
    QTest::newRow("gauge beyond the maximum")
        << "1" << QStringList{"COM1", "COM2"} << "COM2" << 57600 << 1 << six("COM1") << false << "";
    QTest::newRow("no port at all")
        << "3" << QStringList{} << "" << 57600 << 1
        << QStringList{"COM1@57600", "COM2@57600", "COM3@57600"} << false << "";
    QTest::newRow("maximum typed as letters means COM1 only")
        << "abc" << QStringList{} << "" << 57600 << 1 << QStringList{"COM1@57600"} << false << "";
}

void TestAutoKonf::scan() {
    QFETCH(QString, maxPort);
    QFETCH(QStringList, present);
    QFETCH(QString, gaugePort);
    QFETCH(int, gaugeSpeed);
    QFETCH(int, answerFrom);
    QFETCH(QStringList, tried);
    QFETCH(bool, found);
    QFETCH(QString, leftOpen);

    Dialog dialog;
    dialog.window.Present = present;
    dialog.window.GaugePort = gaugePort;
    dialog.window.GaugeSpeed = gaugeSpeed == 57600 ? Baud::B57600 : Baud::B115200;
    dialog.window.AnswerFrom = answerFrom;
    dialog.form.SetMaxPortText(maxPort);
    dialog.form.show();
    dialog.Find<QAbstractButton>("sbDetect")->click();
    dialog.RunScan();

    QVERIFY(!dialog.Timer1()->isActive());
    QCOMPARE(dialog.window.Tried, tried);
    QCOMPARE(FirstGauge().PortConfigured, found);
    QCOMPARE(dialog.Text("LabelState"),
             found ? QStringLiteral("Port skonfigurowany") : QStringLiteral("Brak komunikacji"));
    QCOMPARE(dialog.StateColour(), found ? Green : Red);
    QCOMPARE(dialog.DetectCaption(), QStringLiteral("Wykryj"));
    QVERIFY(dialog.CloseEnabled());
    QVERIFY(!dialog.form.Scanning());
    const QString open = dialog.window.SerialPortIsOpen()
                             ? dialog.window.Port + "@" + Speed(dialog.window.BaudRate)
                             : QString();
    QCOMPARE(open, leftOpen);
    // Without AutoStart the result stays on view.
    QTest::qWait(50);
    QVERIFY(dialog.form.isVisible());
}

void TestAutoKonf::everyStepAsksForOneReading() {
    Dialog dialog;
    dialog.window.Present = {"COM2"};
    dialog.form.SetMaxPortText(QStringLiteral("2"));
    dialog.form.show();
    dialog.Find<QAbstractButton>("sbDetect")->click();
    QStringList shown;
    while (dialog.Timer1()->isActive()) {
        const qsizetype tried = dialog.window.Tried.size();
        dialog.form.Timer1Timer();
        if (dialog.window.Tried.size() > tried)
            shown << dialog.Text("LabelPort") + " " + dialog.Text("LabelBaudRate") + " " +
                         dialog.Text("LabelRetry");
    }
    // A port that would not open is left after one attempt; one that opens gets three per speed.
    QCOMPARE(shown, QStringList({"COM1 57600 bps 1", "COM2 57600 bps 1", "COM2 57600 bps 2",
                                 "COM2 57600 bps 3", "COM2 115200 bps 1", "COM2 115200 bps 2",
                                 "COM2 115200 bps 3"}));
    QCOMPARE(dialog.window.Orders, QList<QByteArray>(6, "SI"));
    QCOMPARE(dialog.window.Presses, QList<bool>(6, false));
    using Exchange = QPair<int, int>;
    QCOMPARE(dialog.window.Exchanges, QList<Exchange>(6, Exchange(1, 0)));
    QCOMPARE(int(FirstGauge().ExchangeState), 1);
    QCOMPARE(int(FirstGauge().AwaitedReply), 0);
}

void TestAutoKonf::stopBetweenSteps() {
    Dialog dialog;
    dialog.window.Present = {"COM1"};
    dialog.form.show();
    auto* detect = dialog.Find<QAbstractButton>("sbDetect");
    detect->click();
    dialog.form.Timer1Timer();
    dialog.form.Timer1Timer();
    detect->click();
    QVERIFY(!dialog.form.Scanning());
    QVERIFY(!dialog.Timer1()->isActive());
    QCOMPARE(dialog.DetectCaption(), QStringLiteral("Wykryj"));
    QCOMPARE(dialog.Text("LabelState"), QStringLiteral("Trwa szukanie ustawień..."));
    QCOMPARE(dialog.StateColour(), Navy);
    QVERIFY(dialog.CloseEnabled());
    QCOMPARE(dialog.window.Tried.size(), 2);
    // Nothing more happens afterwards.
    QTest::qWait(700);
    QCOMPARE(dialog.window.Tried.size(), 2);

    // Started again, the scan begins anew at COM1.
    detect->click();
    QCOMPARE(dialog.Text("LabelRetry"), QStringLiteral("1"));
    dialog.form.Timer1Timer();
    QCOMPARE(dialog.window.Tried.last(), QStringLiteral("COM1@57600"));
    QCOMPARE(dialog.Text("LabelRetry"), QStringLiteral("1"));
}

void TestAutoKonf::closeBoxLeavesTheScanRunning() {
    Dialog dialog;
    dialog.window.Present = {"COM1"};
    dialog.window.GaugePort = "COM1";
    dialog.window.GaugeSpeed = Baud::B115200;
    dialog.form.show();
    dialog.Find<QAbstractButton>("sbDetect")->click();
    dialog.form.close();
    QVERIFY(!dialog.form.isVisible());
    QVERIFY(dialog.form.Scanning());
    QVERIFY(dialog.Timer1()->isActive());
    dialog.RunScan();
    QVERIFY(FirstGauge().PortConfigured);
    QCOMPARE(dialog.window.Port, QStringLiteral("COM1"));
    QCOMPARE(dialog.window.BaudRate, Baud::B115200);
}

// The scan runs on its timer, the reply comes through the event loop; the dialog closes by
// itself a while after the success, and the event loop keeps running meanwhile.
void TestAutoKonf::autoStartClosesByItselfWithoutFreezing() {
    Dialog dialog;
    dialog.window.Present = {"COM1"};
    dialog.window.GaugePort = "COM1";
    dialog.window.GaugeSpeed = Baud::B115200;
    dialog.window.ReplyThroughLoop = true;

    QElapsedTimer clock;
    qint64 foundAt = -1;
    int ticksAfterSuccess = 0;
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (dialog.Text("LabelState") != QStringLiteral("Port skonfigurowany"))
            return;
        if (foundAt < 0)
            foundAt = clock.elapsed();
        ++ticksAfterSuccess;
    });
    // A guard against a dialog that never closes: the test fails rather than hangs.
    QTimer::singleShot(30000, &dialog.form, [&dialog] { dialog.form.reject(); });
    clock.start();
    watch.start();
    const int result = dialog.form.DisplayForm(true);
    const qint64 closedAt = clock.elapsed();
    watch.stop();

    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(dialog.form.AutoStart());
    QVERIFY(FirstGauge().PortConfigured);
    QCOMPARE(dialog.window.Tried.last(), QStringLiteral("COM1@115200"));
    QVERIFY(foundAt >= 0);
    QVERIFY2(closedAt - foundAt >= 1500, qPrintable(QString::number(closedAt - foundAt)));
    QVERIFY2(ticksAfterSuccess >= 5, qPrintable(QString::number(ticksAfterSuccess)));
    QCOMPARE(dialog.DetectCaption(), QStringLiteral("Wykryj"));
}

void TestAutoKonf::withoutAutoStartTheDialogStays() {
    Dialog dialog;
    dialog.window.Present = {"COM1"};
    dialog.window.GaugePort = "COM1";
    dialog.window.ReplyThroughLoop = true;
    dialog.form.show();
    QVERIFY(!dialog.form.Scanning()); // shown without AutoStart: nothing starts by itself
    dialog.Find<QAbstractButton>("sbDetect")->click();
    QTRY_COMPARE_WITH_TIMEOUT(dialog.Text("LabelState"), QStringLiteral("Port skonfigurowany"),
                              Patience);
    QTest::qWait(2500);
    QVERIFY(dialog.form.isVisible());
    dialog.Find<QAbstractButton>("sbClose")->click();
    QVERIFY(!dialog.form.isVisible());
}

QTEST_MAIN(TestAutoKonf)
#include "tst_autokonf.moc"
