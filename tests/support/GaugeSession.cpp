#include "tests/support/GaugeSession.h"

#include "state/GaugeState.h"
#include "state/ProgramState.h"

#include <QAbstractButton>
#include <QFile>
#include <QTest>

GaugeSession::GaugeSession() = default;

GaugeSession::~GaugeSession() {
    Window.reset();
    Gauge.Stop();
}

bool GaugeSession::StartGaugePty(const QStringList& options, int comNumber) {
    return Gauge.StartPty(options, comNumber, Program.Ports());
}

bool GaugeSession::StartGaugeTcp(const QStringList& options) {
    return Gauge.StartTcp(options);
}

void GaugeSession::WriteComPortIni(const QString& port, const QString& baudRate) {
    QFile file(Program.FilePath(QStringLiteral("ComPort.ini")));
    if (file.open(QIODevice::WriteOnly))
        file.write(
            QStringLiteral("[ComPort1]\nPort=%1\nBaudRate=%2\n").arg(port, baudRate).toLatin1());
}

void GaugeSession::WriteConfig(bool portConfigured, bool ethernet, const QString& host, int port) {
    QFile file(Program.FilePath(QStringLiteral("config.xml")));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("<Config><Options><PortConfigured>%1</PortConfigured></Options>"
                              "<Interface><Kind>%2</Kind><Host>%3</Host><Port>%4</Port>"
                              "</Interface></Config>")
                   .arg(portConfigured ? QStringLiteral("Yes") : QStringLiteral("No"),
                        ethernet ? QStringLiteral("Eth") : QStringLiteral("COM"), host)
                   .arg(port)
                   .toUtf8());
}

TMainForm& GaugeSession::CreateWindow() {
    Window.reset();
    FirstGauge() = GaugeState{};
    TheProgram = ProgramState{};
    Window = std::make_unique<TMainForm>();
    return *Window;
}

bool GaugeSession::ShowWindow() {
    Window->show();
    return QTest::qWaitFor([this] { return TheProgram.MainWindowHandle == Window.get(); }, 5000);
}

void GaugeSession::ClickPortButton() {
    Find<QAbstractButton>("sbComPort")->click();
}
