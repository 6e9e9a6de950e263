// The auto-configuration and connection dialogs on the real main window, with a
// pseudo-terminal as the serial port: "Zastosuj" toggling the link, speeds that the port has
// no equal for, a new port name that cannot be opened, the maximum port kept in config.xml,
// and the polls pausing while the connection dialog is open.
#include "app/MainForm.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"
#include "link/SerialLink.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/PtyPair.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedFileDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using Baud = SerialSettings::Baud;

const QString PortMissing =
    QStringLiteral("Wskazany port COM nie istnieje lub jest zajęty przez inny program");

struct Program {
    IsolatedProgram program;
    ScriptedFileDialogs dialogs;
    RecordingMessages messages;
    PtyPair gauge;
    // The dialogs outlive the window, as they do in the program.
    TAutoKonfForm autoKonf;
    TConnectionForm connection;
    std::unique_ptr<TMainForm> window;

    explicit Program(const QString& config = {}) {
        QFile::link(gauge.DevicePath(), program.Ports() + QStringLiteral("/COM1"));
        if (!config.isEmpty()) {
            QFile file(program.FilePath(QStringLiteral("config.xml")));
            if (file.open(QIODevice::WriteOnly))
                file.write(config.toUtf8());
        }
        FirstGauge() = GaugeState{};
        TheProgram = ProgramState{};
        window = std::make_unique<TMainForm>();
        window->SetDialogs(&autoKonf, &connection, nullptr);
    }
    template <typename T> T* Find(const char* name) const {
        if (auto* found = connection.findChild<T*>(QLatin1String(name)))
            return found;
        return window->findChild<T*>(QLatin1String(name));
    }
    QString PortCaption() const { return window->findChild<QAbstractButton*>("sbComPort")->text(); }
    void OpenByButton() { window->findChild<QAbstractButton*>("sbComPort")->click(); }
    void Apply(const QString& comField, const QString& baudItem) {
        connection.show();
        connection.findChild<QLineEdit*>("EditCOM")->setText(comField);
        connection.findChild<QComboBox*>("cbBaudRate")->setCurrentText(baudItem);
        connection.findChild<QAbstractButton*>("sbApply")->click();
    }
};

QString Config(const QString& maxPort) {
    return QStringLiteral("<Config><Options><PortConfigured>No</PortConfigured>"
                          "<MaxPort>%1</MaxPort></Options></Config>")
        .arg(maxPort);
}

} // namespace

class TestLinkDialogs : public QObject {
    Q_OBJECT

private slots:
    void applyTogglesTheLink_data();
    void applyTogglesTheLink();
    void applySetsTheSpeedOfAnOpenPort_data();
    void applySetsTheSpeedOfAnOpenPort();
    void applyWithAPortThatCannotBeOpened();
    void speedWithoutAnItemShows4800();
    void maxPortLivesInTheDialog_data();
    void maxPortLivesInTheDialog();
    void connectionDialogPausesThePolls();
};

void TestLinkDialogs::applyTogglesTheLink_data() {
    QTest::addColumn<bool>("openBefore");
    QTest::addColumn<bool>("configured");
    QTest::addColumn<bool>("openAfter");
    QTest::newRow("open and configured: closed") << true << true << false;
    QTest::newRow("closed and configured: opened") << false << true << true;
    QTest::newRow("closed and not configured: stays closed") << false << false << false;
    QTest::newRow("open and not configured: stays open") << true << false << true;
}

void TestLinkDialogs::applyTogglesTheLink() {
    QFETCH(bool, openBefore);
    QFETCH(bool, configured);
    QFETCH(bool, openAfter);
    Program p;
    QVERIFY(p.gauge.IsValid());
    if (openBefore)
        p.OpenByButton();
    QCOMPARE(p.window->Connected(), openBefore);
    FirstGauge().PortConfigured = configured;
    p.Apply(QStringLiteral("1"), QStringLiteral("57600"));
    QCOMPARE(p.window->Connected(), openAfter);
    QCOMPARE(p.window->ComPort1().IsOpen(), openAfter);
    QCOMPARE(p.PortCaption(),
             openAfter ? QStringLiteral("Zamknij port") : QStringLiteral("Otwórz port"));
    QCOMPARE(p.window->ComPort1().Settings().BaudRate, Baud::B57600);
    QVERIFY(p.messages.Shown.isEmpty());
    QVERIFY(!p.connection.isVisible());
}

void TestLinkDialogs::applySetsTheSpeedOfAnOpenPort_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("bitsPerSecond");
    QTest::newRow("921600 gives 9600") << "921600" << 9600;
    QTest::newRow("230400 gives 9600") << "230400" << 9600;
    QTest::newRow("115200") << "115200" << 115200;
    QTest::newRow("1200") << "1200" << 1200;
}

// The open port is reconfigured at once; the device side sees the new speed.
void TestLinkDialogs::applySetsTheSpeedOfAnOpenPort() {
    QFETCH(QString, item);
    QFETCH(int, bitsPerSecond);
    Program p;
    p.OpenByButton();
    QVERIFY(p.window->Connected());
    p.Apply(QStringLiteral("1"), item);
    QVERIFY(p.window->Connected());
    QCOMPARE(p.window->ComPort1().Settings().BitsPerSecond(), bitsPerSecond);
    QCOMPARE(p.gauge.DeviceLineSettings().BitsPerSecond, bitsPerSecond);
    p.connection.show();
    QCOMPARE(p.Find<QComboBox>("cbBaudRate")->currentText(), QString::number(bitsPerSecond));
}

void TestLinkDialogs::applyWithAPortThatCannotBeOpened() {
    Program p;
    p.OpenByButton();
    FirstGauge().PortConfigured = true;
    p.Apply(QStringLiteral("9"), QStringLiteral("9600"));
    QCOMPARE(p.messages.Texts(), QStringList{PortMissing});
    QCOMPARE(p.messages.Shown.first().Caption, QStringLiteral("JRV-FG"));
    QVERIFY(!p.window->Connected());
    QVERIFY(!p.window->ComPort1().IsOpen());
    QCOMPARE(p.PortCaption(), QStringLiteral("Otwórz port"));
    QCOMPARE(p.window->ComPort1().Settings().Port, QStringLiteral("COM9"));
    QVERIFY(!p.connection.isVisible());
    QCOMPARE(p.connection.result(), int(QDialog::Accepted));

    // Back to the port that exists: the link opens as usual.
    p.Apply(QStringLiteral("1"), QStringLiteral("9600"));
    QVERIFY(p.window->Connected());
    QCOMPARE(p.messages.Shown.size(), 1);
}

void TestLinkDialogs::speedWithoutAnItemShows4800() {
    Program p;
    SerialSettings settings = p.window->ComPort1().Settings();
    settings.BaudRate = Baud::B56000;
    p.window->ComPort1().ApplySettings(settings);
    p.connection.show();
    QCOMPARE(p.Find<QComboBox>("cbBaudRate")->currentText(), QStringLiteral("4800"));
    QCOMPARE(p.Find<QLineEdit>("EditCOM")->text(), QStringLiteral("1"));
}

void TestLinkDialogs::maxPortLivesInTheDialog_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("as stored, then typed") << "7"
                                           << "7"
                                           << "12"
                                           << "12";
    // A stored range outside 1..255 stands for the default, which the next close writes.
    QTest::newRow("zero is the default") << "0"
                                         << "4"
                                         << ""
                                         << "4";
    QTest::newRow("above the limit is the default") << "300"
                                                    << "4"
                                                    << ""
                                                    << "4";
    QTest::newRow("letters, then typed") << "abc"
                                         << "4"
                                         << "3"
                                         << "3";
}

void TestLinkDialogs::maxPortLivesInTheDialog() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    Program p(Config(stored));
    QCOMPARE(p.autoKonf.MaxPortText(), shown);
    if (!typed.isEmpty())
        p.autoKonf.SetMaxPortText(typed);
    p.window->close();
    QFile file(p.program.FilePath(QStringLiteral("config.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(file.readAll());
    QVERIFY2(content.contains(QStringLiteral("<MaxPort>%1</MaxPort>").arg(saved)),
             qPrintable(content));
}

void TestLinkDialogs::connectionDialogPausesThePolls() {
    Program p;
    p.OpenByButton();
    // The menu item opens the dialog modally; a moment later the dialog is looked at and
    // cancelled from inside its own loop.
    bool openSeen = false;
    QByteArray sentWhileOpen;
    QTimer::singleShot(100, &p.connection, [&] {
        p.gauge.ReadAvailable();
        QTest::qWait(800);
        sentWhileOpen = p.gauge.ReadAvailable();
        openSeen = FirstGauge().ConnectionDialogOpen && p.connection.isVisible();
        p.connection.findChild<QAbstractButton*>("sbCancel")->click();
    });
    QTimer::singleShot(10000, &p.connection, [&] { p.connection.reject(); });
    p.window->findChild<QAction*>("Connection")->trigger();
    QVERIFY(openSeen);
    QVERIFY(!FirstGauge().ConnectionDialogOpen);
    QVERIFY2(!sentWhileOpen.contains("Sx1"), sentWhileOpen.constData());
    // Afterwards the reading is asked for again.
    QByteArray sentAfter;
    QTRY_VERIFY_WITH_TIMEOUT((sentAfter += p.gauge.ReadAvailable()).contains("Sx1"), 10000);
}

QTEST_MAIN(TestLinkDialogs)
#include "tst_linkdialogs.moc"
