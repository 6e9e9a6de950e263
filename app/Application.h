#pragma once

#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>

class GaugeWindows;
class LanguageModules;
class TAboutForm;
class TAutoKonfForm;
class TConnectionForm;
class TMainForm;
class TSplashScreenForm;

// The program's windows, each created once, hidden, and kept until the end.
struct ApplicationWindows {
    ApplicationWindows();
    ~ApplicationWindows();
    ApplicationWindows(ApplicationWindows&&) noexcept;
    ApplicationWindows& operator=(ApplicationWindows&&) noexcept;

    std::unique_ptr<TSplashScreenForm> Splash;
    std::unique_ptr<TAutoKonfForm> AutoKonf;
    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<TConnectionForm> Connection;
    std::unique_ptr<TAboutForm> About;
    // The language modules, shared by the splash (start-up language) and the menu.
    std::unique_ptr<LanguageModules> Languages;
    // The main windows of further gauges, opened by "Nowe okno" or restored at the start;
    // they go first.
    std::unique_ptr<GaugeWindows> Further;
    // Class names in the order the windows were created.
    QStringList CreationOrder;
};

// Names and looks the program is known by: application name "zento-fm" (so per-user files
// live in ~/.config/zento-fm and ~/.local/share/zento-fm), style, font, window icon.
void InitialiseApplication();

// Creates the five windows in order and connects them; shows none of them.
ApplicationWindows CreateWindows();

// The length of an unattended run as given to --measure (seconds, a point for decimals);
// nothing for a text that is not a length from a tenth of a second to a day.
std::optional<std::chrono::milliseconds> UnattendedLengthOf(const QString& seconds);

// Initialises the application, reads the command line (--measure SECONDS, --help,
// --version), creates the five windows in order and runs the event loop.
int RunApplication(int argc, char** argv);
