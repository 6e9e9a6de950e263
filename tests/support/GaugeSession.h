#pragma once

#include "app/MainForm.h"
#include "state/ProgramState.h"
#include "tests/support/GaugeSim.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/RecordingMessages.h"

#include <QStringList>

#include <memory>

// One program (its main window, offscreen) and one virtual gauge, in folders of their own.
// The gauge's "COMn" link lies in the program's ports folder.
class GaugeSession final {
public:
    GaugeSession();
    ~GaugeSession();

    IsolatedProgram Program;
    RecordingMessages Messages;
    GaugeSim Gauge;
    std::unique_ptr<TMainForm> Window;

    bool StartGaugePty(const QStringList& options = {}, int comNumber = 1);
    bool StartGaugeTcp(const QStringList& options = {});

    // Files the program reads when its window is created.
    void WriteComPortIni(const QString& port, const QString& baudRate = QStringLiteral("9600"));
    void WriteConfig(bool portConfigured, bool ethernet = false,
                     const QString& host = QStringLiteral("127.0.0.1"), int port = 1001);

    // A fresh shared state and main window (not shown: nothing activates it by itself).
    TMainForm& CreateWindow();
    // Shows the window and waits for its first activation.
    bool ShowWindow();
    // Clicks the port button.
    void ClickPortButton();
    template <typename T> T* Find(const char* name) const {
        return Window->findChild<T*>(QLatin1String(name));
    }
};
