// The language the program starts in: the one config.xml names, with its fallback when a
// module is missing, the end of the program when none loads, and on a fresh start the
// system's language. The whole start-up runs: windows, the splash's language step, the close.
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/SplashScreen.h"
#include "state/AppPaths.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/LanguageModules.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/RecordingMessages.h"

#include <QAbstractButton>
#include <QDir>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <iostream>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy
// The program's own exit code when no language module loads.
constexpr int NoLanguageExitCode = 1;
// An exit code the program never uses: the event loop was ended by the test's guard.
constexpr int StillRunning = 99;

const QString EnglishFailed = QStringLiteral("Cannot load english language.");
const QString GermanFailed = QStringLiteral("Deutsche");
const QString PolishFailed = QStringLiteral("Nie można załadować języka polskiego.");

constexpr const char* ChildVariable = "ZFM_START_LANGUAGE_CHILD";

QString ConfigLanguage(const QString& path) {
    QFile file(path);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return QStringLiteral("<none>");
    return document.documentElement()
        .firstChildElement(QStringLiteral("Options"))
        .firstChildElement(QStringLiteral("Language"))
        .text();
}

// config.xml with the network link chosen but not configured: the first activation neither
// scans the serial ports nor connects.
void WriteConfig(const QString& path, const QString& language) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<Config><Options><Language>%1</Language></Options>"
                              "<Interface><Kind>Eth</Kind><Host>127.0.0.1</Host><Port>9</Port>"
                              "</Interface></Config>")
                   .arg(language)
                   .toUtf8());
}

// The built modules under the names given ("DEU=DE": the German module named .DE).
void PlaceModules(const IsolatedProgram& program, const QStringList& modules) {
    for (const char* extension : {"SKY", "ENP", "DEU"})
        QFile::remove(program.FilePath(QStringLiteral("zento-fm.") + QLatin1String(extension)));
    for (const QString& module : modules) {
        const QString built = module.section(QLatin1Char('='), 0, 0);
        const QString name =
            module.contains(QLatin1Char('=')) ? module.section(QLatin1Char('='), 1) : built;
        QVERIFY(QFile::copy(QStringLiteral(ZFM_BINARY_DIR "/bin/zento-fm.") + built,
                            program.FilePath(QStringLiteral("zento-fm.") + name)));
    }
}

// Runs the program's event loop until the program ends it or the time is up.
int RunUntilTheProgramEnds(int milliseconds) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(StillRunning); });
    guard.start(milliseconds);
    return QCoreApplication::exec();
}

// The child: a fresh start in the locale the parent gave it, up to the close. Prints the
// language it came up in.
int RunFreshStart(int argc, char** argv) {
    QApplication app(argc, argv);
    InitialiseApplication();
    AppPaths::SetExecutablePathOverride(QDir::current().filePath(QStringLiteral("zento-fm")));
    ApplicationWindows windows = CreateWindows();
    // The hand-over would start the search for a gauge; only the language step is wanted.
    windows.Splash->show();
    windows.Splash->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    QElapsedTimer waited;
    waited.start();
    while (windows.Languages->CurrentLanguage() == 0 && waited.elapsed() < Patience)
        QTest::qWait(20);
    std::cout
        << windows.Languages->CurrentLanguage() << ' '
        << windows.Main->findChild<QAbstractButton*>(QStringLiteral("sbExit"))->text().toStdString()
        << std::endl;
    windows.Main->close();
    return 0;
}

} // namespace

class TestStartLanguage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitialiseApplication(); }
    void startLanguageWithModulesMissing_data();
    void startLanguageWithModulesMissing();
    void freshStartTakesTheSystemLanguage_data();
    void freshStartTakesTheSystemLanguage();
};

void TestStartLanguage::startLanguageWithModulesMissing_data() {
    QTest::addColumn<QStringList>("modules");
    QTest::addColumn<QString>("configured");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("exitCaption"); // empty: the program ends before its window
    QTest::addColumn<QString>("saved");
    // The windows take longer to build than the hand-over delay, as on a slow machine.
    QTest::addColumn<bool>("slowStart");

    const QStringList all{"SKY", "ENP", "DEU"};
    QTest::newRow("polish") << all << "1051" << QStringList{} << "Wyjdź"
                            << "1051" << false;
    QTest::newRow("german") << all << "1031" << QStringList{} << "Beenden"
                            << "1031" << false;
    QTest::newRow("english") << all << "13321" << QStringList{} << "Exit"
                             << "13321" << false;
    QTest::newRow("a polish system's id means english") << all << "1045" << QStringList{} << "Exit"
                                                        << "13321" << false;
    QTest::newRow("not a number means english") << all << "polski" << QStringList{} << "Exit"
                                                << "13321" << false;
    QTest::newRow("no module at all")
        << QStringList{} << "13321" << QStringList{EnglishFailed, GermanFailed} << ""
        << "<none>" << false;
    QTest::newRow("only german, english configured")
        << QStringList{"DEU"} << "13321" << QStringList{EnglishFailed} << "Beenden"
        << "1031" << false;
    QTest::newRow("polish missing")
        << QStringList{"ENP", "DEU"} << "1051" << QStringList{PolishFailed} << "Beenden"
        << "1031" << false;
    QTest::newRow("german missing")
        << QStringList{"SKY", "ENP"} << "1031" << QStringList{GermanFailed} << "Exit"
        << "13321" << false;
    QTest::newRow("two-letter names only")
        << QStringList{"SKY=SK", "ENP=EN", "DEU=DE"} << "1051" << QStringList{} << "Wyjdź"
        << "1051" << false;
    QTest::newRow("two-letter german only")
        << QStringList{"DEU=DE"} << "13321" << QStringList{EnglishFailed} << "Beenden"
        << "1031" << false;
    QTest::newRow("slow start, english") << all << "13321" << QStringList{} << "Exit"
                                         << "13321" << true;
    QTest::newRow("slow start, no module at all")
        << QStringList{} << "13321" << QStringList{EnglishFailed, GermanFailed} << ""
        << "<none>" << true;
}

void TestStartLanguage::startLanguageWithModulesMissing() {
    QFETCH(QStringList, modules);
    QFETCH(QString, configured);
    QFETCH(QStringList, messages);
    QFETCH(QString, exitCaption);
    QFETCH(QString, saved);
    QFETCH(bool, slowStart);

    IsolatedProgram program;
    PlaceModules(program, modules);
    const QString config = program.FilePath(QStringLiteral("config.xml"));
    WriteConfig(config, configured);
    RecordingMessages shown;
    FirstGauge() = GaugeState{};
    TheProgram = ProgramState{};
    {
        ApplicationWindows windows = CreateWindows();
        if (slowStart) // the events of the start go on before the splash is shown
            QTest::qWait(
                int((TSplashScreenForm::HandOverDelay + std::chrono::milliseconds(300)).count()));
        windows.Splash->show();
        if (exitCaption.isEmpty()) {
            // The messages, then the end, before the main window was ever shown.
            QCOMPARE(RunUntilTheProgramEnds(Patience), NoLanguageExitCode);
            QVERIFY(!windows.Main->isVisible());
            QTest::qWait(1500);
            QVERIFY(!windows.Main->isVisible());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(windows.Main->isVisible(), Patience);
            QCOMPARE(windows.Main->findChild<QAbstractButton*>("sbExit")->text(), exitCaption);
            QCOMPARE(QString::number(TheProgram.LanguageId), saved);
            windows.Main->close();
        }
    }
    QCOMPARE(shown.Texts(), messages);
    for (const MessageRequest& message : shown.Shown)
        QCOMPARE(message.Icon, MessageIcon::Error);
    QCOMPARE(ConfigLanguage(config), exitCaption.isEmpty() ? configured : saved);
    if (exitCaption.isEmpty()) {
        // Nothing was written: the file is the one the test wrote.
        QFile file(config);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("<PortConfigured>"));
    }
}

void TestStartLanguage::freshStartTakesTheSystemLanguage_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("exitCaption");

    QTest::newRow("polish") << "pl_PL.UTF-8" << 1051 << "Wyjdź";
    QTest::newRow("german") << "de_DE.UTF-8" << 1031 << "Beenden";
    QTest::newRow("austrian german") << "de_AT.UTF-8" << 1031 << "Beenden";
    QTest::newRow("british english") << "en_GB.UTF-8" << 13321 << "Exit";
    QTest::newRow("american english") << "en_US.UTF-8" << 13321 << "Exit";
    QTest::newRow("french") << "fr_FR.UTF-8" << 13321 << "Exit";
    QTest::newRow("no locale") << "C" << 13321 << "Exit";
}

// The system's language is read once per process, so each start runs in a process of its own.
void TestStartLanguage::freshStartTakesTheSystemLanguage() {
    QFETCH(QString, locale);
    QFETCH(int, language);
    QFETCH(QString, exitCaption);

    QTemporaryDir dir;
    for (const char* extension : {"SKY", "ENP", "DEU"})
        QVERIFY(
            QFile::copy(QStringLiteral(ZFM_BINARY_DIR "/bin/zento-fm.") + QLatin1String(extension),
                        dir.filePath(QStringLiteral("zento-fm.") + QLatin1String(extension))));
    QDir(dir.path()).mkpath(QStringLiteral("ports"));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(ChildVariable), QStringLiteral("1"));
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QLatin1String(variable));
    environment.insert(QStringLiteral("LANG"), locale);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ZENTO_FM_PORTS"), dir.filePath(QStringLiteral("ports")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("home")));
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(dir.path());
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(3 * Patience));
    const QByteArray output = child.readAllStandardOutput().trimmed();
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(output), QString::number(language) + QLatin1Char(' ') + exitCaption);
    QCOMPARE(ConfigLanguage(dir.filePath(QStringLiteral("config.xml"))), QString::number(language));
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(ChildVariable))
        return RunFreshStart(argc, argv);
    QApplication app(argc, argv);
    TestStartLanguage test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startlanguage.moc"
