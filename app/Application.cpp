#include "app/Application.h"

#include "app/GaugeWindows.h"
#include "app/MainForm.h"
#include "app/SplashScreen.h"
#include "app/dialogs/TAboutForm.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"
#include "app/widgets/MessageBoxes.h"
#include "app/widgets/Pictures.h"
#include "app/widgets/ProgramFont.h"
#include "app/widgets/ProgramStyle.h"
#include "state/Messages.h"
#include "state/TerminationSignals.h"
#include "storage/LanguageModules.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <cmath>
#include <cstdio>

ApplicationWindows::ApplicationWindows() = default;
ApplicationWindows::~ApplicationWindows() {
    // The further windows first, then the dialogs, the main window before the splash that
    // hands over to it.
    Further.reset();
    About.reset();
    Languages.reset();
    Connection.reset();
    Main.reset();
    AutoKonf.reset();
    Splash.reset();
}
ApplicationWindows::ApplicationWindows(ApplicationWindows&&) noexcept = default;
ApplicationWindows& ApplicationWindows::operator=(ApplicationWindows&&) noexcept = default;

void InitialiseApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("zento-fm"));
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationVersion(QStringLiteral("2.14"));
    // The layout was drawn in this style; a desktop theme must not change its metrics.
    QApplication::setStyle(new ProgramStyle);
    QApplication::setFont(ProgramFont());
    QApplication::setWindowIcon(Pictures::Icon(QStringLiteral("app-icon"), {64, 64}));
    InstallMessageBoxes();
}

ApplicationWindows CreateWindows() {
    ApplicationWindows windows;
    const auto created = [&windows](const QObject& window) {
        windows.CreationOrder << QString::fromLatin1(window.metaObject()->className());
    };
    windows.Splash = std::make_unique<TSplashScreenForm>();
    created(*windows.Splash);
    windows.AutoKonf = std::make_unique<TAutoKonfForm>();
    created(*windows.AutoKonf);
    windows.Main = std::make_unique<TMainForm>();
    created(*windows.Main);
    windows.Connection = std::make_unique<TConnectionForm>();
    created(*windows.Connection);
    windows.About = std::make_unique<TAboutForm>();
    created(*windows.About);

    windows.Languages = std::make_unique<LanguageModules>();
    windows.Splash->SetMainWindow(windows.Main.get());
    windows.Splash->SetLanguages(windows.Languages.get());
    windows.Main->SetLanguages(windows.Languages.get());
    windows.Main->SetDialogs(windows.AutoKonf.get(), windows.Connection.get(), windows.About.get());
    windows.Further = std::make_unique<GaugeWindows>(windows.Languages.get(), windows.About.get());
    windows.Main->SetWindows(windows.Further.get());
    return windows;
}

std::optional<std::chrono::milliseconds> UnattendedLengthOf(const QString& seconds) {
    constexpr double Shortest = 0.1;
    constexpr double Longest = 24 * 60 * 60;
    bool ok = false;
    const double value = QLocale::c().toDouble(seconds.trimmed(), &ok);
    // The comparisons also refuse "nan".
    if (!ok || !(value >= Shortest && value <= Longest))
        return std::nullopt;
    return std::chrono::milliseconds(std::llround(value * 1000));
}

int RunApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    InitialiseApplication();

    // The command line is for scripts and is not translated.
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "ZENTO FM: live readings, settings, measurements and memories of a force gauge."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption measure(
        QStringLiteral("measure"),
        QStringLiteral("Record one on-line measurement of SECONDS seconds (0.1 to 86400) as "
                       "soon as the gauge is connected and its settings are read, then "
                       "close the program."),
        QStringLiteral("SECONDS"));
    parser.addOption(measure);
    parser.process(app);
    std::optional<std::chrono::milliseconds> unattended;
    if (parser.isSet(measure)) {
        unattended = UnattendedLengthOf(parser.value(measure));
        if (!unattended) {
            std::fprintf(stderr, "zento-fm: --measure needs seconds from 0.1 to 86400\n");
            return 2;
        }
    }

    ApplicationWindows windows = CreateWindows();
    TMainForm* main = windows.Main.get();
    // Ended from outside: close as the close box does, or simply end before the hand-over.
    OnTerminationSignal([main] {
        if (main->isVisible())
            main->close();
        else
            QCoreApplication::exit(0);
    });
    if (unattended) {
        // Nobody is at the window to close a message box: one would hold the run up for good
        // without a word. What it says goes to standard error, where the script's log keeps it.
        SetProgramMessagePresenter(nullptr);
        main->MeasureUnattended(*unattended);
    }
    windows.Splash->show();
    return app.exec();
}
