// Start-up: the five windows in their order, the splash handing over to the main window, the
// language step on the splash's activation, and the dialogs the main window opens modally.
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/SplashScreen.h"
#include "app/dialogs/TAboutForm.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/IsolatedProgram.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

// Closes the modal dialog that opens next, once it is up, and tells what it was.
struct ModalWatcher {
    QString Title;
    bool ConnectionDialogOpen = false;

    void CloseNext() {
        QTimer::singleShot(0, [this] { Poll(); });
    }
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(10, [this] { Poll(); });
            return;
        }
        Title = modal->windowTitle();
        ConnectionDialogOpen = FirstGauge().ConnectionDialogOpen;
        modal->close();
    }
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { m_program = std::make_unique<IsolatedProgram>(); }
    void cleanup() { m_program.reset(); }
    void windowsAreCreatedInOrder();
    void dialogsHaveTheirCaptions_data();
    void dialogsHaveTheirCaptions();
    void splashHandsOverToTheMainWindow();
    void splashActivationArmsTheLanguageStep();
    void connectionDialogIsModalAndMarked();
    void aboutDialogOpensFromItsHotKey();
    void unattendedLengthFromTheCommandLine_data();
    void unattendedLengthFromTheCommandLine();

private:
    std::unique_ptr<IsolatedProgram> m_program;
};

void TestApplication::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    InitialiseApplication();
}

void TestApplication::windowsAreCreatedInOrder() {
    const ApplicationWindows windows = CreateWindows();
    QCOMPARE(windows.CreationOrder, QStringList({"TSplashScreenForm", "TAutoKonfForm", "TMainForm",
                                                 "TConnectionForm", "TAboutForm"}));
    // All hidden until the event loop shows the splash.
    QVERIFY(!windows.Splash->isVisible());
    QVERIFY(!windows.Main->isVisible());
    QVERIFY(!windows.AutoKonf->isVisible());
    // Per-user files go to folders named after the program.
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("zento-fm"));
    QVERIFY(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                .endsWith(QStringLiteral("/zento-fm")));
}

void TestApplication::dialogsHaveTheirCaptions_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("splash") << "splash"
                            << " ";
    QTest::newRow("auto-configuration") << "autokonf"
                                        << "Auto-Konfi.";
    QTest::newRow("main") << "main"
                          << "ZENTO FM";
    QTest::newRow("connection") << "connection"
                                << "Ustawienia połączenia";
    QTest::newRow("about") << "about"
                           << "Informacja o programie";
}

void TestApplication::dialogsHaveTheirCaptions() {
    QFETCH(QString, window);
    QFETCH(QString, caption);

    const ApplicationWindows windows = CreateWindows();
    const QMap<QString, QWidget*> byName{{"splash", windows.Splash.get()},
                                         {"autokonf", windows.AutoKonf.get()},
                                         {"main", windows.Main.get()},
                                         {"connection", windows.Connection.get()},
                                         {"about", windows.About.get()}};
    QCOMPARE(byName.value(window)->windowTitle(), caption);
}

void TestApplication::splashHandsOverToTheMainWindow() {
    ApplicationWindows windows = CreateWindows();
    auto* timer1 = windows.Splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    // The hand-over is counted from the showing: building the windows may take longer.
    QVERIFY(timer1 && !timer1->isActive());
    QCOMPARE(timer1->interval(), 1000);
    QCOMPARE(windows.Splash->size(), QSize(490, 345));
    // No border icons on the splash.
    QVERIFY(!(windows.Splash->windowFlags() & Qt::WindowCloseButtonHint));
    // Nothing is configured: the first activation looks for the gauge; its dialog is closed.
    ModalWatcher autoKonf;
    autoKonf.CloseNext();
    windows.Splash->show();
    QVERIFY(timer1->isActive());
    QVERIFY(QTest::qWaitForWindowExposed(windows.Splash.get()));
    QVERIFY(!windows.Main->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(windows.Main->isVisible(), 10000);
    QVERIFY(!windows.Splash->isVisible());
    QVERIFY(!timer1->isActive());
    QCOMPARE(timer1->interval(), 0);
    // The main window's first activation has run.
    QTRY_VERIFY_WITH_TIMEOUT(TheProgram.MainWindowHandle == windows.Main.get(), 5000);
    // In the language the splash loaded (the system's, on this fresh start).
    QCOMPARE(autoKonf.Title, QCoreApplication::translate("TAutoKonfForm", "Auto-Konfi."));
    // The splash stays hidden.
    QTest::qWait(100);
    QVERIFY(!windows.Splash->isVisible());
}

void TestApplication::splashActivationArmsTheLanguageStep() {
    TSplashScreenForm splash;
    auto* activation = splash.findChild<QTimer*>(QStringLiteral("TimerActivation"));
    QVERIFY(activation);
    QCOMPARE(activation->interval(), 2000);
    QVERIFY(!activation->isActive());
    splash.show();
    // Set to 1 ms on activation; it fires once and stops itself.
    QTRY_COMPARE_WITH_TIMEOUT(activation->interval(), 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!activation->isActive(), 5000);
    // A later activation while it is still shown does not load the language again.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&splash, &activate);
    QVERIFY(!activation->isActive());
    // Escape does not dismiss the splash.
    QTest::keyClick(&splash, Qt::Key_Escape);
    QVERIFY(splash.isVisible());
}

void TestApplication::connectionDialogIsModalAndMarked() {
    ApplicationWindows windows = CreateWindows();
    ModalWatcher autoKonf;
    autoKonf.CloseNext();
    windows.Main->show();
    QTRY_COMPARE_WITH_TIMEOUT(autoKonf.Title, QStringLiteral("Auto-Konfi."), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(TheProgram.MainWindowHandle == windows.Main.get(), 10000);
    windows.Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(windows.Main.get()));
    ModalWatcher watcher;
    watcher.CloseNext();
    windows.Main->findChild<QAction*>(QStringLiteral("Connection"))->trigger();
    // The polls stay silent while the dialog is open, and resume afterwards.
    QCOMPARE(watcher.Title, QStringLiteral("Ustawienia połączenia"));
    QVERIFY(watcher.ConnectionDialogOpen);
    QVERIFY(!FirstGauge().ConnectionDialogOpen);
}

void TestApplication::aboutDialogOpensFromItsHotKey() {
    ApplicationWindows windows = CreateWindows();
    ModalWatcher autoKonf;
    autoKonf.CloseNext();
    windows.Main->show();
    QTRY_COMPARE_WITH_TIMEOUT(autoKonf.Title, QStringLiteral("Auto-Konfi."), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(TheProgram.MainWindowHandle == windows.Main.get(), 10000);
    windows.Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(windows.Main.get()));
    ModalWatcher watcher;
    watcher.CloseNext();
    QTest::keyClick(windows.Main.get(), Qt::Key_F2);
    QCOMPARE(watcher.Title, QStringLiteral("Informacja o programie"));
    QVERIFY(!windows.About->isVisible());
}

void TestApplication::unattendedLengthFromTheCommandLine_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("milliseconds"); // -1: refused

    QTest::newRow("whole seconds") << "2" << 2000;
    QTest::newRow("decimal point") << "0.25" << 250;
    QTest::newRow("spaces around") << " 1.5 " << 1500;
    QTest::newRow("shortest") << "0.1" << 100;
    QTest::newRow("a day") << "86400" << 86400000;
    QTest::newRow("too short") << "0.05" << -1;
    QTest::newRow("zero") << "0" << -1;
    QTest::newRow("negative") << "-3" << -1;
    QTest::newRow("more than a day") << "86401" << -1;
    QTest::newRow("decimal comma") << "1,5" << -1;
    QTest::newRow("not a number") << "abc" << -1;
    QTest::newRow("nan") << "nan" << -1;
    QTest::newRow("inf") << "inf" << -1;
    QTest::newRow("empty") << "" << -1;
}

// A script's command line reads the same whatever the user's language.
void TestApplication::unattendedLengthFromTheCommandLine() {
    QFETCH(QString, text);
    QFETCH(int, milliseconds);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        const auto length = UnattendedLengthOf(text);
        QCOMPARE(length ? int(length->count()) : -1, milliseconds);
    }
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
