// Several gauges at one PC: "Nowe okno", the further windows' links and the first window's
// close, which takes them along.
#include "app/MainForm.h"

#include "app/GaugeWindows.h"
#include "link/GaugeExchange.h"
#include "link/NewThread.h"
#include "link/SerialLink.h"
#include "state/Messages.h"

void TMainForm::SetWindows(GaugeWindows* windows, int number) {
    m_windows = windows;
    m_windowNumber = number;
    ApplyTexts();
}

void TMainForm::UseLink(const WindowLink& link) {
    m_gauge.UseEthernet = link.UseEthernet;
    m_gauge.PortConfigured = link.PortConfigured;
    m_gauge.EthHost = link.EthHost;
    m_gauge.EthPort = link.EthPort;
    SerialSettings settings = m_ComPort1->Settings();
    if (!link.ComPort.isEmpty())
        settings.Port = link.ComPort;
    settings.BaudRate = SerialText::BaudFromText(link.BaudRate).value_or(settings.BaudRate);
    m_ComPort1->ApplySettings(settings);
}

WindowLink TMainForm::Link() const {
    const SerialSettings& settings = m_ComPort1->Settings();
    return {m_gauge.UseEthernet, m_gauge.PortConfigured,
            settings.Port,       SerialText::ToText(settings.BaudRate),
            m_gauge.EthHost,     m_gauge.EthPort};
}

bool TMainForm::RunUnderWay() const {
    return m_gauge.MeasurementRunning || ThreadRunning(this);
}

void TMainForm::NewWindowClick() {
    if (m_windows)
        m_windows->Open();
}

bool TMainForm::MayCloseFurtherWindows() {
    if (!IsFirst() || !m_windows)
        return true;
    const int running = m_windows->Running();
    if (running == 0)
        return true;
    return AskYesNo(tr("Koniec"),
                    tr("Pomiar trwa w innych oknach (%1). Zamknąć wszystkie okna? Zmierzone "
                       "dotąd próbki zostaną zachowane.")
                        .arg(running),
                    this);
}

void TMainForm::RestoreFurtherWindows() {
    if (m_windowsRestored || !m_windows || m_closed)
        return;
    m_windowsRestored = true;
    for (const WindowLink& link : std::as_const(m_storedLinks))
        m_windows->Open(link);
}
