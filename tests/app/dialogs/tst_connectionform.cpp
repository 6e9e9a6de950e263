// The connection settings dialog against a fake window: what it shows, what "Zastosuj" puts
// in force and when it presses the port button, "Wykryj", "Zaawansowane" and "Anuluj"; and the
// results database's settings with their connection check.
#include "app/dialogs/ConnectionTarget.h"
#include "app/dialogs/TConnectionForm.h"
#include "app/dialogs/TDatabaseForm.h"
#include "app/dialogs/UpDown.h"
#include "app/widgets/RadioGroup.h"
#include "state/GaugeState.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Baud = SerialSettings::Baud;

class FakeWindow final : public ConnectionTarget {
public:
    GaugeState& Gauge() const override { return FirstGauge(); }
    SerialSettings SerialPortSettings() const override { return Settings; }
    bool ApplySerialPortSettings(const SerialSettings& settings) override {
        Applied << settings;
        Settings = settings;
        return ApplySucceeds;
    }
    bool SerialLinkOpen() const override { return LinkOpen; }
    void ClickPortButton() override {
        ++PortButtonClicks;
        if (!FirstGauge().UseEthernet)
            LinkOpen = !LinkOpen;
    }
    bool ExecuteSerialSetup(QWidget*) override {
        ++SetupShown;
        if (SetupApplies)
            Settings = SetupResult;
        return SetupApplies;
    }
    void ShowAutoConfiguration(bool autoStart) override {
        AutoConfigurations << autoStart;
        EthernetDuringScan << FirstGauge().UseEthernet;
        LinkOpenDuringScan << LinkOpen;
        if (ScanFinds) {
            Settings = ScanResult;
            FirstGauge().PortConfigured = true;
        }
    }

    SerialSettings Settings;
    bool ApplySucceeds = true;
    bool LinkOpen = false;
    bool SetupApplies = false;
    SerialSettings SetupResult;
    bool ScanFinds = false;
    SerialSettings ScanResult;

    QList<SerialSettings> Applied;
    int PortButtonClicks = 0;
    int SetupShown = 0;
    QList<bool> AutoConfigurations;
    QList<bool> EthernetDuringScan;
    QList<bool> LinkOpenDuringScan;
};

SerialSettings Port(const QString& name, Baud baud) {
    SerialSettings settings;
    settings.Port = name;
    settings.BaudRate = baud;
    return settings;
}

struct Dialog {
    FakeWindow window;
    TConnectionForm form;
    Dialog() {
        FirstGauge() = GaugeState{};
        form.SetTarget(&window);
    }
    template <typename T> T* Find(const char* name) const {
        return form.findChild<T*>(QLatin1String(name));
    }
    QString Text(const char* edit) const { return Find<QLineEdit>(edit)->text(); }
    void SetText(const char* edit, const QString& text) const {
        Find<QLineEdit>(edit)->setText(text);
    }
    QComboBox* BaudList() const { return Find<QComboBox>("cbBaudRate"); }
    void Click(const char* button) const { Find<QAbstractButton>(button)->click(); }
};

} // namespace

class TestConnectionForm : public QObject {
    Q_OBJECT

private slots:
    void controlsAtCreation();
    void showing_data();
    void showing();
    void portFieldAndSpin();
    void apply_data();
    void apply();
    void applyWithAPortThatWouldNotReopen();
    void cancelChangesNothing();
    void reconnection_data();
    void reconnection();
    void detect_data();
    void detect();
    void advanced_data();
    void advanced();
    void databaseCheck_data();
    void databaseCheck();
};

void TestConnectionForm::controlsAtCreation() {
    Dialog dialog;
    QCOMPARE(dialog.form.windowTitle(), QStringLiteral("Ustawienia połączenia"));
    auto* interface = dialog.Find<RadioGroup>("rgConnection");
    QVERIFY(!interface->isEnabled());
    QCOMPARE(interface->title(), QStringLiteral("Podłączenie wagi:"));
    QCOMPARE(interface->Items(), QStringList({"Port szeregowy", "Ethernet"}));
    QCOMPARE(interface->Columns(), 2);
    QCOMPARE(dialog.Text("EditIP"), QStringLiteral("000.000.000.000"));
    QCOMPARE(dialog.Find<QLineEdit>("EditIP")->maxLength(), 15);
    QCOMPARE(dialog.Text("EditPort"), QStringLiteral("00000"));
    QCOMPARE(dialog.Find<QLineEdit>("EditPort")->maxLength(), 5);
    QCOMPARE(dialog.Text("EditCOM"), QStringLiteral("1"));
    QCOMPARE(dialog.Find<UpDown>("UpDownCOM")->Minimum(), 1);
    QCOMPARE(dialog.Find<UpDown>("UpDownCOM")->Maximum(), 255);
    QStringList items;
    for (int i = 0; i < dialog.BaudList()->count(); ++i)
        items << dialog.BaudList()->itemText(i);
    QCOMPARE(items, QStringList({"50",    "75",    "110",    "134.5",  "150",    "300",   "600",
                                 "1200",  "1800",  "2400",   "4800",   "7200",   "9600",  "19200",
                                 "38400", "57600", "115200", "230400", "460800", "921600"}));
    QCOMPARE(dialog.BaudList()->currentText(), QStringLiteral("4800"));
    QCOMPARE(dialog.Find<QAbstractButton>("sbDetect")->text(), QStringLiteral("Wykryj"));
    QCOMPARE(dialog.Find<QAbstractButton>("sbSerialAdvanced")->text(),
             QStringLiteral("Zaawansowane"));
    QCOMPARE(dialog.Find<QAbstractButton>("sbApply")->text(), QStringLiteral("Zastosuj"));
    QCOMPARE(dialog.Find<QAbstractButton>("sbApply")->toolTip(), QStringLiteral("Apply settings"));
    QCOMPARE(dialog.Find<QAbstractButton>("sbCancel")->text(), QStringLiteral("Anuluj"));
    QCOMPARE(dialog.Find<QAbstractButton>("sbCancel")->toolTip(),
             QStringLiteral("Cancel settings"));
}

void TestConnectionForm::showing_data() {
    QTest::addColumn<bool>("ethernet");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("ethPort");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("comField");
    QTest::addColumn<QString>("baudItem");

    const auto b = [](Baud baud) { return int(baud); };
    QTest::newRow("serial COM3 57600")
        << false << "192.168.1.20" << 4001 << "COM3" << b(Baud::B57600) << "3"
        << "57600";
    QTest::newRow("network link") << true << "10.0.0.7" << 1001 << "COM1" << b(Baud::B9600) << "1"
                                  << "9600";
    QTest::newRow("56000 is not listed") << false << "" << 0 << "COM12" << b(Baud::B56000) << "12"
                                         << "4800";
    QTest::newRow("14400 is not listed") << false << "" << 0 << "COM2" << b(Baud::B14400) << "2"
                                         << "4800";
    QTest::newRow("custom rate") << false << "" << 0 << "COM2" << b(Baud::Custom) << "2"
                                 << "4800";
    QTest::newRow("110 is listed") << false << "" << 0 << "COM2" << b(Baud::B110) << "2"
                                   << "110";
    QTest::newRow("letter case of COM counts")
        << false << "" << 0 << "com5" << b(Baud::B115200) << "com5"
        << "115200";
    QTest::newRow("device path") << false << "" << 0 << "/dev/ttyUSB0" << b(Baud::B9600)
                                 << "/dev/ttyUSB0"
                                 << "9600";
    // A host longer than the typing limit is shown whole, so that "Zastosuj" keeps it.
    QTest::newRow("long host name")
        << true << "gauge-17.workshop.example.org" << 65535 << "COM1" << b(Baud::B9600) << "1"
        << "9600";
}

void TestConnectionForm::showing() {
    QFETCH(bool, ethernet);
    QFETCH(QString, host);
    QFETCH(int, ethPort);
    QFETCH(QString, port);
    QFETCH(int, baud);
    QFETCH(QString, comField);
    QFETCH(QString, baudItem);

    Dialog dialog;
    FirstGauge().UseEthernet = ethernet;
    FirstGauge().EthHost = host;
    FirstGauge().EthPort = ethPort;
    dialog.window.Settings = Port(port, Baud(baud));
    dialog.form.show();

    QCOMPARE(dialog.Find<RadioGroup>("rgConnection")->ItemIndex(), ethernet ? 1 : 0);
    QCOMPARE(dialog.Find<QGroupBox>("gbEthernet")->isVisible(), ethernet);
    QCOMPARE(dialog.Find<QGroupBox>("gbSerialPort")->isVisible(), !ethernet);
    QCOMPARE(dialog.Find<QAbstractButton>("sbDetect")->isEnabled(), !ethernet);
    QCOMPARE(dialog.Text("EditIP"), host);
    QCOMPARE(dialog.Text("EditPort"), QString::number(ethPort));
    QCOMPARE(dialog.Text("EditCOM"), comField);
    QCOMPARE(dialog.BaudList()->currentText(), baudItem);

    // Applied unchanged, the shown values are what was in force; only "COM" in another letter
    // case is not taken for the prefix (no port is named so here either).
    dialog.Click("sbApply");
    QCOMPARE(FirstGauge().EthHost, host);
    QCOMPARE(FirstGauge().EthPort, ethPort);
    QCOMPARE(dialog.window.Applied.last().Port,
             port.startsWith("com") ? QStringLiteral("COM") + port : port);
}

void TestConnectionForm::portFieldAndSpin() {
    Dialog dialog;
    auto* spin = dialog.Find<UpDown>("UpDownCOM");
    dialog.SetText("EditCOM", "17");
    QCOMPARE(spin->Position(), 17);
    spin->Step(1);
    QCOMPARE(dialog.Text("EditCOM"), QStringLiteral("18"));
    dialog.SetText("EditCOM", "255");
    spin->Step(1);
    QCOMPARE(dialog.Text("EditCOM"), QStringLiteral("255"));
    // A text that is no port number leaves the spin where it was.
    dialog.SetText("EditCOM", "x");
    QCOMPARE(spin->Position(), 255);
    dialog.SetText("EditCOM", "1");
    spin->Step(-1);
    QCOMPARE(dialog.Text("EditCOM"), QStringLiteral("1"));
}

void TestConnectionForm::apply_data() {
    QTest::addColumn<bool>("ethernet");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("ethPortText");
    QTest::addColumn<QString>("comField");
    QTest::addColumn<QString>("baudItem");
    QTest::addColumn<bool>("configured");
    QTest::addColumn<int>("ethPort");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("clicks");

    const auto b = [](Baud baud) { return int(baud); };
    QTest::newRow("configured serial toggles the link")
        << false << "1.2.3.4"
        << "4001"
        << "3"
        << "57600" << true << 4001 << "COM3" << b(Baud::B57600) << 1;
    QTest::newRow("unconfigured serial only sets")
        << false << "1.2.3.4"
        << "4001"
        << "3"
        << "115200" << false << 4001 << "COM3" << b(Baud::B115200) << 0;
    QTest::newRow("network link toggles even unconfigured")
        << true << "127.0.0.1"
        << "5020"
        << "1"
        << "9600" << false << 5020 << "COM1" << b(Baud::B9600) << 1;
    QTest::newRow("921600 has no equal: 9600")
        << false << ""
        << "1"
        << "1"
        << "921600" << false << 1 << "COM1" << b(Baud::B9600) << 0;
    QTest::newRow("134.5 has no equal: 9600")
        << false << ""
        << "1"
        << "1"
        << "134.5" << false << 1 << "COM1" << b(Baud::B9600) << 0;
    QTest::newRow("50 has no equal: 9600") << false << ""
                                           << "1"
                                           << "1"
                                           << "50" << false << 1 << "COM1" << b(Baud::B9600) << 0;
    QTest::newRow("110 is kept") << false << ""
                                 << "1"
                                 << "1"
                                 << "110" << false << 1 << "COM1" << b(Baud::B110) << 0;
    QTest::newRow("port abc gives 1001")
        << false << ""
        << "abc"
        << "1"
        << "9600" << false << 1001 << "COM1" << b(Baud::B9600) << 0;
    QTest::newRow("empty port gives 1001")
        << false << ""
        << ""
        << "1"
        << "9600" << false << 1001 << "COM1" << b(Baud::B9600) << 0;
    QTest::newRow("COM field unchecked") << false << ""
                                         << "1"
                                         << "abc"
                                         << "9600" << false << 1 << "COMabc" << b(Baud::B9600) << 0;
    QTest::newRow("device path kept")
        << false << ""
        << "1"
        << "/dev/ttyS0"
        << "9600" << false << 1 << "/dev/ttyS0" << b(Baud::B9600) << 0;
}

void TestConnectionForm::apply() {
    QFETCH(bool, ethernet);
    QFETCH(QString, ip);
    QFETCH(QString, ethPortText);
    QFETCH(QString, comField);
    QFETCH(QString, baudItem);
    QFETCH(bool, configured);
    QFETCH(int, ethPort);
    QFETCH(QString, port);
    QFETCH(int, baud);
    QFETCH(int, clicks);

    Dialog dialog;
    FirstGauge().UseEthernet = ethernet;
    FirstGauge().PortConfigured = configured;
    SerialSettings before = Port(QStringLiteral("COM1"), Baud::B4800);
    before.Parity = SerialSettings::ParityKind::Even;
    dialog.window.Settings = before;
    dialog.form.show();
    dialog.SetText("EditIP", ip);
    dialog.SetText("EditPort", ethPortText);
    dialog.SetText("EditCOM", comField);
    dialog.BaudList()->setCurrentText(baudItem);
    dialog.Click("sbApply");

    QCOMPARE(FirstGauge().UseEthernet, ethernet);
    QCOMPARE(FirstGauge().EthHost, ip);
    QCOMPARE(FirstGauge().EthPort, ethPort);
    QCOMPARE(dialog.window.Applied.size(), 1);
    QCOMPARE(dialog.window.Applied.first().Port, port);
    QCOMPARE(int(dialog.window.Applied.first().BaudRate), baud);
    // The other settings of the port stay as they were.
    QCOMPARE(dialog.window.Applied.first().Parity, SerialSettings::ParityKind::Even);
    QCOMPARE(dialog.window.PortButtonClicks, clicks);
    QVERIFY(!dialog.form.isVisible());
    QCOMPARE(dialog.form.result(), int(QDialog::Accepted));

    // Shown again, the dialog reads back what is in force.
    dialog.form.show();
    QCOMPARE(dialog.BaudList()->currentText(), SerialText::ToText(Baud(baud)));
}

void TestConnectionForm::applyWithAPortThatWouldNotReopen() {
    Dialog dialog;
    FirstGauge().PortConfigured = true;
    dialog.window.LinkOpen = true;
    dialog.window.ApplySucceeds = false;
    dialog.form.show();
    dialog.SetText("EditCOM", "9");
    dialog.Click("sbApply");
    QCOMPARE(dialog.window.Applied.size(), 1);
    QCOMPARE(dialog.window.PortButtonClicks, 0);
    QVERIFY(!dialog.form.isVisible());
}

void TestConnectionForm::cancelChangesNothing() {
    Dialog dialog;
    FirstGauge().EthHost = QStringLiteral("10.1.1.1");
    FirstGauge().EthPort = 4001;
    FirstGauge().PortConfigured = true;
    dialog.window.Settings = Port(QStringLiteral("COM2"), Baud::B57600);
    dialog.form.show();
    dialog.SetText("EditIP", "9.9.9.9");
    dialog.SetText("EditPort", "1");
    dialog.SetText("EditCOM", "7");
    dialog.BaudList()->setCurrentText("1200");
    dialog.Click("sbCancel");
    QVERIFY(!dialog.form.isVisible());
    QCOMPARE(dialog.form.result(), int(QDialog::Rejected));
    QCOMPARE(FirstGauge().EthHost, QStringLiteral("10.1.1.1"));
    QCOMPARE(FirstGauge().EthPort, 4001);
    QVERIFY(dialog.window.Applied.isEmpty());
    QCOMPARE(dialog.window.PortButtonClicks, 0);
}

// The retries of a lost link, for either interface: shown as in force, put in force by
// "Zastosuj" alone; the minutes are offered only while the retries are on.
void TestConnectionForm::reconnection_data() {
    QTest::addColumn<bool>("ethernet");
    QTest::addColumn<bool>("wasOn");
    QTest::addColumn<int>("wasMinutes");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<bool>("apply");
    QTest::addColumn<bool>("nowOn");
    QTest::addColumn<int>("nowMinutes");
    QTest::newRow("defaults applied unchanged")
        << false << true << 10 << true << 10 << true << true << 10;
    QTest::newRow("switched off") << false << true << 10 << false << 10 << true << false << 10;
    QTest::newRow("switched on for 3 minutes, network link")
        << true << false << 25 << true << 3 << true << true << 3;
    QTest::newRow("a day at most") << false << true << 10 << true << 5000 << true << true << 1440;
    QTest::newRow("cancelled") << false << true << 10 << false << 2 << false << true << 10;
}

void TestConnectionForm::reconnection() {
    QFETCH(bool, ethernet);
    QFETCH(bool, wasOn);
    QFETCH(int, wasMinutes);
    QFETCH(bool, on);
    QFETCH(int, minutes);
    QFETCH(bool, apply);
    QFETCH(bool, nowOn);
    QFETCH(int, nowMinutes);

    Dialog dialog;
    FirstGauge().UseEthernet = ethernet;
    FirstGauge().ReconnectOnLoss = wasOn;
    FirstGauge().ReconnectMinutes = wasMinutes;
    dialog.form.show();
    auto* check = dialog.Find<QAbstractButton>("chkbReconnect");
    auto* spin = dialog.Find<QSpinBox>("seReconnectMinutes");
    QVERIFY(check->isVisible());
    QCOMPARE(check->text(), QStringLiteral("Ponawiaj połączenie po jego utracie"));
    QCOMPARE(check->isChecked(), wasOn);
    QCOMPARE(spin->value(), wasMinutes);
    QCOMPARE(spin->isEnabled(), wasOn);
    QCOMPARE(spin->minimum(), 1);

    check->setChecked(on);
    QCOMPARE(spin->isEnabled(), on);
    spin->setValue(minutes);
    dialog.Click(apply ? "sbApply" : "sbCancel");
    QCOMPARE(FirstGauge().ReconnectOnLoss, nowOn);
    QCOMPARE(FirstGauge().ReconnectMinutes, nowMinutes);

    // Shown again, the dialog reads back what is in force.
    dialog.form.show();
    QCOMPARE(check->isChecked(), nowOn);
    QCOMPARE(spin->value(), nowMinutes);
}

void TestConnectionForm::detect_data() {
    QTest::addColumn<bool>("ethernet");
    QTest::addColumn<bool>("linkOpen");
    QTest::addColumn<bool>("finds");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("comField");
    QTest::addColumn<QString>("baudItem");

    QTest::newRow("open link closed first, gauge found") << false << true << true << 1 << "4"
                                                         << "115200";
    QTest::newRow("closed link, gauge found") << false << false << true << 0 << "4"
                                              << "115200";
    QTest::newRow("nothing found keeps the fields") << false << false << false << 0 << "2"
                                                    << "57600";
    QTest::newRow("network link put back afterwards") << true << false << true << 0 << "4"
                                                      << "115200";
}

void TestConnectionForm::detect() {
    QFETCH(bool, ethernet);
    QFETCH(bool, linkOpen);
    QFETCH(bool, finds);
    QFETCH(int, clicks);
    QFETCH(QString, comField);
    QFETCH(QString, baudItem);

    Dialog dialog;
    FirstGauge().UseEthernet = ethernet;
    dialog.window.LinkOpen = linkOpen;
    dialog.window.Settings = Port(QStringLiteral("COM2"), Baud::B57600);
    dialog.window.ScanFinds = finds;
    dialog.window.ScanResult = Port(QStringLiteral("COM4"), Baud::B115200);
    dialog.form.show();
    dialog.form.sbDetectClick(); // disabled for the network link, so called directly
    QCOMPARE(dialog.window.AutoConfigurations, QList<bool>{false});
    // The scan works on the serial port, with the port button's link closed.
    QCOMPARE(dialog.window.EthernetDuringScan, QList<bool>{false});
    QCOMPARE(dialog.window.LinkOpenDuringScan, QList<bool>{false});
    QCOMPARE(dialog.window.PortButtonClicks, clicks);
    QCOMPARE(FirstGauge().UseEthernet, ethernet);
    QCOMPARE(dialog.Text("EditCOM"), comField);
    QCOMPARE(dialog.BaudList()->currentText(), baudItem);
    QVERIFY(dialog.form.isVisible());
}

void TestConnectionForm::advanced_data() {
    QTest::addColumn<bool>("applied");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("comField");
    QTest::addColumn<QString>("baudItem");
    QTest::newRow("56000 shows 4800") << true << int(Baud::B56000) << "6"
                                      << "4800";
    QTest::newRow("38400 shows itself") << true << int(Baud::B38400) << "6"
                                        << "38400";
    QTest::newRow("cancelled") << false << int(Baud::B38400) << "2"
                               << "57600";
}

void TestConnectionForm::advanced() {
    QFETCH(bool, applied);
    QFETCH(int, baud);
    QFETCH(QString, comField);
    QFETCH(QString, baudItem);
    Dialog dialog;
    dialog.window.Settings = Port(QStringLiteral("COM2"), Baud::B57600);
    dialog.window.SetupApplies = applied;
    dialog.window.SetupResult = Port(QStringLiteral("COM6"), Baud(baud));
    dialog.form.show();
    dialog.Click("sbSerialAdvanced");
    QCOMPARE(dialog.window.SetupShown, 1);
    QCOMPARE(dialog.Text("EditCOM"), comField);
    QCOMPARE(dialog.BaudList()->currentText(), baudItem);
}

void TestConnectionForm::databaseCheck_data() {
    QTest::addColumn<DatabaseKind>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("answer");
    QTest::newRow("SQLite file") << DatabaseKind::SQLite << "results.sqlite"
                                 << "Połączenie działa";
    QTest::newRow("folder that cannot be made")
        << DatabaseKind::SQLite << "/dev/null/results.sqlite"
        << "Brak połączenia";
    QTest::newRow("no server") << DatabaseKind::PostgreSQL << ""
                               << "Brak połączenia";
}

// The check answers in the dialog's line while the dialog stays responsive, and what is
// shown is what the dialog gives back.
void TestConnectionForm::databaseCheck() {
    QFETCH(DatabaseKind, kind);
    QFETCH(QString, path);
    QFETCH(QString, answer);
    QTemporaryDir dir;
    DatabaseSettings settings;
    settings.Kind = kind;
    settings.Path = path.startsWith(QLatin1Char('/')) ? path : dir.filePath(path);
    settings.Host = QStringLiteral("127.0.0.1");
    // Nothing listens on the first port.
    settings.Port = 1;
    settings.User = QStringLiteral("lab");
    settings.Password = QStringLiteral("p<&>ss");
    TDatabaseForm form;
    form.SetSettings(settings);
    QCOMPARE(form.Settings(), settings);
    auto* check = form.findChild<QAbstractButton*>(QStringLiteral("btnDbCheck"));
    auto* line = form.findChild<QLabel*>(QStringLiteral("lblDbCheck"));
    check->click();
    QVERIFY(!check->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(check->isEnabled(), 20000);
    QVERIFY2(line->text().startsWith(answer), qPrintable(line->text()));
}

QTEST_MAIN(TestConnectionForm)
#include "tst_connectionform.moc"
