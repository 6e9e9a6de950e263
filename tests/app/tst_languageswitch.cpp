// Switching the interface language in a running program: every window takes the texts of the
// new language and keeps everything else (typed values, selections, the gauge's unit list,
// the open link); texts the program composed itself follow the language, values stay.
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/SplashScreen.h"
#include "app/dialogs/CPortSetup.h"
#include "app/dialogs/TAboutForm.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"
#include "app/widgets/RadioGroup.h"
#include "link/EthConnection.h"
#include "link/SerialLink.h"
#include "measure/ChartView.h"
#include "measure/SettingsRules.h"
#include "protocol/DeviceModel.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/LanguageModules.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QAbstractSocket>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy

// Controls that show values (the gauge's, the statistics', the link's), not captions.
const QStringList ValueHolders{
    "PanelResult",   "LabelBateryPercent", "LabelModel",       "LabelSN",
    "LabelCount",    "LabelMin",           "LabelMax",         "LabelSum",
    "LabelAver",     "StatusPanel",        "lblRemainCounter", "LabelPort",
    "LabelBaudRate", "LabelRetry",         "LabelState",       "Label1",
    "Label2",        "LabelProgramName",   "cbBaudRate",       "cbPort",
    "cbDataBits",    "cbStopBits"};
// Groups whose items are values: the unit list is the gauge's once a gauge has named it.
const QStringList ValueGroups{"rgUnit"};

// Captions that read the same in every language: names, modes the instrument shows, symbols.
const QStringList SameInEveryLanguage{"ZENTO FM",
                                      "Operator:",
                                      "Cp:",
                                      "Cpk:",
                                      " ZENTO FM Status",
                                      "---",
                                      ":",
                                      "%",
                                      "m/s*s",
                                      "Start",
                                      "RAM",
                                      "EEPROM",
                                      "MANUAL",
                                      "AUTO",
                                      "SLOW",
                                      "FAST",
                                      "Min.:",
                                      "Max.:",
                                      "English",
                                      "Polski",
                                      "Deutsch",
                                      "Ethernet",
                                      "bps",
                                      "Port:",
                                      "Status:",
                                      "Baud:",
                                      "e-mail:",
                                      "ZENTO Pomiary Sp. z o.o.",
                                      "ul. Pomiarowa 12",
                                      "Max. Port:",
                                      "Stop",
                                      "Zero:",
                                      " "};

bool InsideValueHolder(const QObject* object) {
    for (const QObject* o = object; o; o = o->parent())
        if (ValueHolders.contains(o->objectName()) ||
            (o != object && ValueGroups.contains(o->objectName())))
            return true;
    return false;
}

QString Key(const QObject* object, const char* what, int index = -1) {
    QString key = QString::asprintf("%p ", static_cast<const void*>(object)) +
                  object->metaObject()->className() + QLatin1Char(' ') + object->objectName() +
                  QLatin1Char(':') + QLatin1String(what);
    if (index >= 0)
        key += QString::number(index);
    return key;
}

// Every caption, hint, item, menu text and chart title of a window.
QMap<QString, QString> CaptionsOf(QWidget* window) {
    QMap<QString, QString> texts;
    const auto put = [&texts](const QObject* object, const char* what, const QString& text,
                              int index = -1) {
        if (!text.isEmpty() && !InsideValueHolder(object))
            texts.insert(Key(object, what, index), text);
    };
    put(window, "title", window->windowTitle());
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        put(widget, "hint", widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->pixmap().isNull())
            put(label, "text", label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            put(button, "text", button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            put(group, "title", group->title());
        if (auto* menu = qobject_cast<QMenu*>(widget))
            put(menu, "title", menu->title());
        if (auto* list = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i)
                put(list, "item", list->itemText(i), i);
        if (auto* chart = qobject_cast<ChartView*>(widget)) {
            put(chart, "x title", chart->XTitle());
            put(chart, "y title", chart->YTitle());
        }
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        put(action, "text", action->text());
        put(action, "hint", action->toolTip());
    }
    return texts;
}

// Everything a language change must leave alone.
QMap<QString, QString> ValuesOf(QWidget* window) {
    QMap<QString, QString> values;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        values.insert(Key(widget, "state"),
                      QStringLiteral("enabled %1 shown %2")
                          .arg(widget->isEnabled())
                          .arg(widget == window || widget->isVisibleTo(window)));
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            values.insert(Key(edit, "text"), edit->text());
        if (auto* list = qobject_cast<QComboBox*>(widget))
            values.insert(Key(list, "index"), QString::number(list->currentIndex()));
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable())
            values.insert(Key(button, "checked"), QString::number(button->isChecked()));
        if (auto* group = qobject_cast<RadioGroup*>(widget)) {
            values.insert(Key(group, "index"), QString::number(group->ItemIndex()));
            if (group->objectName() == QLatin1String("rgUnit"))
                values.insert(Key(group, "items"), group->Items().join(QLatin1Char('|')));
        }
    }
    // The live reading, the battery and the polls' status text change by themselves.
    for (const char* name : {"PanelResult", "pbBateryPercent", "LabelBateryPercent"})
        if (QObject* live = window->findChild<QObject*>(QLatin1String(name)))
            values.remove(Key(live, "state"));
    return values;
}

QStringList LeftOver(const QMap<QString, QString>& polish, const QMap<QString, QString>& now) {
    QStringList left;
    for (auto it = polish.constBegin(); it != polish.constEnd(); ++it)
        if (!SameInEveryLanguage.contains(it.value()) && now.value(it.key()) == it.value())
            left << it.key() + QStringLiteral(" = ") + it.value();
    return left;
}

QStringList Differences(const QMap<QString, QString>& before, const QMap<QString, QString>& now) {
    QStringList changed;
    for (auto it = before.constBegin(); it != before.constEnd(); ++it)
        if (now.value(it.key()) != it.value())
            changed << it.key() + QStringLiteral(": ") + it.value() + QStringLiteral(" -> ") +
                           now.value(it.key());
    for (auto it = now.constBegin(); it != now.constEnd(); ++it)
        if (!before.contains(it.key()))
            changed << it.key() + QStringLiteral(" new: ") + it.value();
    return changed;
}

QString StoredConfigText(const QString& path, const char* section, const char* key) {
    QFile file(path);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return QStringLiteral("<unreadable>");
    return document.documentElement()
        .firstChildElement(QLatin1String(section))
        .firstChildElement(QLatin1String(key))
        .text();
}

QAction* LanguageItem(TMainForm& window, int language) {
    const char* name = language == LanguageModules::German   ? "MenuGerman"
                       : language == LanguageModules::Polish ? "MenuPolish"
                                                             : "MenuEnglish";
    return window.findChild<QAction*>(QLatin1String(name));
}

// A force gauge's stream line: sign, value in nine columns, a space, the unit, CR LF.
QByteArray ForceLine(double value, const char* unit) {
    return QByteArray(1, value < 0 ? '-' : ' ') +
           QByteArray::number(std::abs(value), 'f', 2).rightJustified(9, ' ') + ' ' +
           QByteArray(unit).leftJustified(3, ' ') + "\r\n";
}

// The main window alone, with the language modules beside the pretended program.
struct LanguageWindow {
    IsolatedProgram Program;
    RecordingMessages Messages;
    LanguageModules Modules;
    std::unique_ptr<TMainForm> Form;

    LanguageWindow() {
        FirstGauge() = GaugeState{};
        TheProgram = ProgramState{};
        Form = std::make_unique<TMainForm>();
        Form->SetLanguages(&Modules);
        // The polls would send into a closed port; only what the test does counts here.
        for (QTimer* timer : Form->findChildren<QTimer*>())
            timer->stop();
    }
    void Switch(int language) { LanguageItem(*Form, language)->trigger(); }
    template <typename T> T* Find(const char* name) const {
        return Form->findChild<T*>(QLatin1String(name));
    }
};

} // namespace

class TestLanguageSwitch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitialiseApplication(); }
    void everyWindowFollowsAndKeepsItsValues();
    void composedTextsFollowTheLanguage_data();
    void composedTextsFollowTheLanguage();
    void runGoesOnAfterASwitch();
    void networkLinkGoesOnAcrossASwitch();
    void sampleCountLimitReadsInEveryLanguage_data();
    void sampleCountLimitReadsInEveryLanguage();
    void serialSetupDialogFollowsAndKeepsItsChoices();
    void failedSwitchKeepsTheLanguageInUse();
};

// Polish, English, German and Polish again, with the gauge on the serial link, thresholds
// typed, choices made and the gauge's own unit list in the panel.
void TestLanguageSwitch::everyWindowFollowsAndKeepsItsValues() {
    GaugeSession session;
    QVERIFY2(session.StartGaugePty({"--model", "FM-500", "--amplitude", "0", "--value", "12.5"}),
             qPrintable(session.Gauge.ErrorText()));
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.WriteConfig(true);
    const QString config = session.Program.FilePath(QStringLiteral("config.xml"));
    FirstGauge() = GaugeState{};
    TheProgram = ProgramState{};
    auto windows = std::make_unique<ApplicationWindows>(CreateWindows());
    TMainForm& main = *windows->Main;
    QVERIFY(windows->Languages->SetLanguage(LanguageModules::Polish));
    main.show();
    QTRY_VERIFY_WITH_TIMEOUT(TheProgram.MainWindowHandle == &main, Patience);
    QVERIFY(main.Connected());
    QTRY_COMPARE_WITH_TIMEOUT(main.findChild<QLabel*>("LabelModel")->text(),
                              QStringLiteral("FM-500"), Patience);
    QTRY_VERIFY_WITH_TIMEOUT(!main.findChild<QTimer*>("TimerReport")->isActive(), Patience);
    const QStringList gaugeUnits = main.Settings().Units();
    QVERIFY(gaugeUnits.contains(QStringLiteral("kgf")));

    main.findChild<QLineEdit*>("EditLow")->setText(QStringLiteral("12,5"));
    main.findChild<QLineEdit*>("EditHigh")->setText(QStringLiteral("98.25"));
    main.findChild<QLineEdit*>("eHour")->setText(QStringLiteral("07"));
    main.findChild<QComboBox*>("cbMemory")->setCurrentIndex(2);
    main.findChild<QAbstractButton*>("chbRunAt")->setChecked(true);
    windows->AutoKonf->SetMaxPortText(QStringLiteral("17"));

    const QList<QWidget*> all{windows->Splash.get(), windows->AutoKonf.get(), &main,
                              windows->Connection.get(), windows->About.get()};
    const auto captions = [&all] {
        QMap<QString, QString> texts;
        for (QWidget* window : all)
            texts.insert(CaptionsOf(window));
        return texts;
    };
    const auto values = [&all] {
        QMap<QString, QString> state;
        for (QWidget* window : all)
            state.insert(ValuesOf(window));
        return state;
    };
    const QMap<QString, QString> polish = captions();
    const QMap<QString, QString> kept = values();
    QVERIFY(polish.size() > 100);

    auto* port = main.ComPort1().findChild<QSerialPort*>();
    QVERIFY(port && port->isOpen());
    QSignalSpy closings(port, &QIODevice::aboutToClose);

    const struct {
        int Language;
        const char* Exit;
        const char* PortButton;
    } steps[] = {{LanguageModules::English, "Exit", "Close port"},
                 {LanguageModules::German, "Beenden", "Port schließen"},
                 {LanguageModules::Polish, "Wyjdź", "Zamknij port"}};
    for (const auto& step : steps) {
        LanguageItem(main, step.Language)->trigger();
        QCOMPARE(TheProgram.LanguageId, step.Language);
        const QMap<QString, QString> now = captions();
        if (step.Language == LanguageModules::Polish)
            QCOMPARE(Differences(polish, now), QStringList());
        else
            QCOMPARE(LeftOver(polish, now), QStringList());
        QCOMPARE(main.findChild<QAbstractButton*>("sbExit")->text(), QString::fromUtf8(step.Exit));
        QCOMPARE(main.findChild<QAbstractButton*>("sbComPort")->text(),
                 QString::fromUtf8(step.PortButton));
        QCOMPARE(Differences(kept, values()), QStringList());
        QCOMPARE(main.findChild<RadioGroup*>("rgUnit")->Items(), gaugeUnits);
        // The link was not interrupted, and the next reading is reported in the new language.
        QVERIFY(main.Connected() && port->isOpen());
        QCOMPARE(closings.count(), 0);
        main.SetStatusText(QString());
        QTRY_COMPARE_WITH_TIMEOUT(main.StatusText(),
                                  QCoreApplication::translate("ProcessData", "Wynik odczytany"),
                                  Patience);
    }
    QVERIFY(session.Messages.Shown.isEmpty());

    main.close();
    windows.reset();
    QCOMPARE(StoredConfigText(config, "Options", "Language"), QStringLiteral("1051"));
    QCOMPARE(StoredConfigText(config, "Options", "LowThr"), QStringLiteral("12,5"));
    QCOMPARE(StoredConfigText(config, "Options", "HighThr"), QStringLiteral("98.25"));

    // The next start shows the typed thresholds, also after its language step.
    FirstGauge() = GaugeState{};
    TheProgram = ProgramState{};
    ApplicationWindows again = CreateWindows();
    again.Splash->show();
    again.Splash->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    QTRY_COMPARE_WITH_TIMEOUT(again.Languages->CurrentLanguage(), LanguageModules::Polish,
                              Patience);
    QCOMPARE(again.Main->findChild<QLineEdit*>("EditLow")->text(), QStringLiteral("12,5"));
    QCOMPARE(again.Main->findChild<QLineEdit*>("EditHigh")->text(), QStringLiteral("98.25"));
    QCOMPARE(again.AutoKonf->MaxPortText(), QStringLiteral("17"));
}

void TestLanguageSwitch::composedTextsFollowTheLanguage_data() {
    QTest::addColumn<QString>("control"); // x, y, count, time, series, units
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("english");
    QTest::addColumn<QStringList>("german");

    QTest::newRow("time title") << "x" << QStringList{"Czas [s]"} << QStringList{"Time [s]"}
                                << QStringList{"Zeit [s]"};
    QTest::newRow("sample number title")
        << "x" << QStringList{"Numer próbki"} << QStringList{"Sample number"}
        << QStringList{"Messwertnummer"};
    QTest::newRow("title from elsewhere") << "x" << QStringList{"Czasu brak"}
                                          << QStringList{"Czasu brak"} << QStringList{"Czasu brak"};
    QTest::newRow("sample title keeps its unit")
        << "y" << QStringList{"Próbka [kgf]"} << QStringList{"Sample [kgf]"}
        << QStringList{"Messwert [kgf]"};
    QTest::newRow("no unit yet") << "y" << QStringList{""} << QStringList{""} << QStringList{""};
    QTest::newRow("sample count keeps its range")
        << "count" << QStringList{"Liczba próbek (1-6400):"}
        << QStringList{"Number of samples (1-6400):"} << QStringList{"Anzahl Messwerte (1-6400):"};
    QTest::newRow("sample time keeps its range")
        << "time" << QStringList{"Czas próbkowania (0.001-100):"}
        << QStringList{"Sampling time (0.001-100):"} << QStringList{"Abtastzeit (0.001-100):"};
    QTest::newRow("on-line series")
        << "series" << QStringList{"Pomiar on-line"} << QStringList{"On-line measurement"}
        << QStringList{"Online-Messung"};
    QTest::newRow("recording named by the gauge")
        << "series" << QStringList{"Pomiar 7"} << QStringList{"Pomiar 7"}
        << QStringList{"Pomiar 7"};
    QTest::newRow("initial units")
        << "units" << QStringList{"kilogram 'kg'", "Newton 'N'", "funt 'lb'", "uncja 'oz'"}
        << QStringList{"kilogram 'kg'", "newton 'N'", "pound 'lb'", "ounce 'oz'"}
        << QStringList{"Kilogramm 'kg'", "Newton 'N'", "Pfund 'lb'", "Unze 'oz'"};
    QTest::newRow("the gauge's units")
        << "units" << QStringList{"N", "kgf", "Lbf", "ozf", "kg", "Lb", "oz"}
        << QStringList{"N", "kgf", "Lbf", "ozf", "kg", "Lb", "oz"}
        << QStringList{"N", "kgf", "Lbf", "ozf", "kg", "Lb", "oz"};
}

// What the program composed in one language reads in the next one; what came from the gauge
// or a file stays as it is.
void TestLanguageSwitch::composedTextsFollowTheLanguage() {
    QFETCH(QString, control);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, english);
    QFETCH(QStringList, german);

    LanguageWindow window;
    QVERIFY(window.Modules.SetLanguage(LanguageModules::Polish));
    TMainForm& form = *window.Form;
    const auto set = [&](const QStringList& texts) {
        if (control == QLatin1String("x"))
            form.SetXTitle(texts.first());
        else if (control == QLatin1String("y"))
            form.SetYTitle(texts.first());
        else if (control == QLatin1String("count")) // the bound the gauge reported
            form.Settings().SetSampleCountMax(
                texts.first().section(QLatin1Char('-'), 1).section(QLatin1Char(')'), 0, 0));
        else if (control == QLatin1String("time")) { // a torque meter's range
            FirstGauge().DeviceFamily = Family::Torque;
            form.Settings().SetModel(QStringLiteral("FS-20"));
        } else if (control == QLatin1String("series"))
            form.SetSeriesName(texts.first());
        else if (texts != window.Find<RadioGroup>("rgUnit")->Items())
            form.Settings().SetUnits(texts);
    };
    const auto read = [&]() -> QStringList {
        if (control == QLatin1String("x"))
            return {form.Chart()->XTitle()};
        if (control == QLatin1String("y"))
            return {form.YTitle()};
        if (control == QLatin1String("count"))
            return {window.Find<QLabel>("lbSampleCount")->text()};
        if (control == QLatin1String("time"))
            return {window.Find<QLabel>("LabelSampleTime")->text()};
        if (control == QLatin1String("series"))
            return {window.Find<QLabel>("LabelSeriesName")->text()};
        return window.Find<RadioGroup>("rgUnit")->Items();
    };
    set(shown);
    form.Settings().SetUnitIndex(1);
    window.Switch(LanguageModules::English);
    QCOMPARE(read(), english);
    window.Switch(LanguageModules::German);
    QCOMPARE(read(), german);
    window.Switch(LanguageModules::Polish);
    QCOMPARE(read(), shown);
    QCOMPARE(window.Find<RadioGroup>("rgUnit")->ItemIndex(), 1);
}

// A run's unit is compared with every new sample's unit: after a switch the run must not take
// its own samples for a change of unit.
void TestLanguageSwitch::runGoesOnAfterASwitch() {
    LanguageWindow window;
    QVERIFY(window.Modules.SetLanguage(LanguageModules::Polish));
    TMainForm& form = *window.Form;
    FirstGauge().SampleTime = 0.5;
    FirstGauge().MeasurementRunning = true;
    FirstGauge().ExchangeState = ExchangeState::Streaming;
    form.Exchange().ProcessIncoming(ForceLine(1.25, "N") + ForceLine(-2.5, "N"));
    QCOMPARE(form.ChartPointCount(), 2);
    QCOMPARE(form.YTitle(), QStringLiteral("Próbka [N]"));

    window.Switch(LanguageModules::English);
    form.Exchange().ProcessIncoming(ForceLine(3.75, "N"));
    window.Switch(LanguageModules::German);
    form.Exchange().ProcessIncoming(ForceLine(4, "N"));
    QCOMPARE(form.ChartPointCount(), 4);
    QCOMPARE(form.YTitle(), QStringLiteral("Messwert [N]"));
    QVERIFY(FirstGauge().MeasurementRunning);
    QCOMPARE(window.Messages.Shown.size(), 0);

    // A real change of unit is still caught.
    form.Exchange().ProcessIncoming(ForceLine(5, "kgf"));
    QVERIFY(!FirstGauge().MeasurementRunning);
    QCOMPARE(window.Messages.Shown.size(), 1);
}

// The network link is not touched by a switch either: the same connection carries the next
// confirmation, reported in the new language.
void TestLanguageSwitch::networkLinkGoesOnAcrossASwitch() {
    GaugeSession session;
    QVERIFY2(session.StartGaugeTcp({"--model", "FS-20"}), qPrintable(session.Gauge.ErrorText()));
    session.WriteConfig(false, true, QStringLiteral("127.0.0.1"), session.Gauge.TcpPort());
    LanguageModules modules;
    TMainForm& main = session.CreateWindow();
    main.SetLanguages(&modules);
    QVERIFY(modules.SetLanguage(LanguageModules::Polish));
    session.ClickPortButton();
    CEthConnection* link = main.EthLink();
    QTRY_COMPARE_WITH_TIMEOUT(link->EthLinkState(), CEthConnection::Connected, Patience);
    QTRY_COMPARE_WITH_TIMEOUT(session.Find<QLabel>("LabelModel")->text(), QStringLiteral("FS-20"),
                              Patience);
    // From here on only the test's orders travel: a poll's reply would replace the status text.
    for (const char* name : {"TimerBattery", "TimerReport", "TimerDisplay"})
        session.Find<QTimer>(name)->stop();
    auto* socket = link->findChild<QAbstractSocket*>();
    QVERIFY(socket);
    QSignalSpy drops(socket, &QAbstractSocket::disconnected);

    for (const int language :
         {LanguageModules::English, LanguageModules::German, LanguageModules::Polish}) {
        LanguageItem(main, language)->trigger();
        QCOMPARE(TheProgram.LanguageId, language);
        QCOMPARE(link->EthLinkState(), CEthConnection::Connected);
        main.Exchange().IssueOrder(OrderSet::Order::Tare, {}, false);
        QTRY_COMPARE_WITH_TIMEOUT(
            main.StatusText(), QCoreApplication::translate("ProcessData", "Siłomierz wyzerowany"),
            Patience);
    }
    QCOMPARE(drops.count(), 0);
    QVERIFY(session.Messages.Shown.isEmpty());
}

void TestLanguageSwitch::sampleCountLimitReadsInEveryLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("bound");
    QTest::newRow("polish, initial") << LanguageModules::Polish << "";
    QTest::newRow("english, initial") << LanguageModules::English << "";
    QTest::newRow("german, initial") << LanguageModules::German << "";
    QTest::newRow("polish, from the gauge") << LanguageModules::Polish << "6400";
    QTest::newRow("english, from the gauge") << LanguageModules::English << "6400";
    QTest::newRow("german, from the gauge") << LanguageModules::German << "6400";
}

// The check of a typed sample count reads its bound from the caption: a translation must not
// hide it.
void TestLanguageSwitch::sampleCountLimitReadsInEveryLanguage() {
    QFETCH(int, language);
    QFETCH(QString, bound);

    LanguageWindow window;
    if (!bound.isEmpty())
        window.Form->Settings().SetSampleCountMax(bound);
    QVERIFY(window.Modules.SetLanguage(language));
    const QString caption = window.Find<QLabel>("lbSampleCount")->text();
    const int limit = bound.isEmpty() ? 800 : bound.toInt();
    QCOMPARE(DeviceModel::SampleCountLimit(caption), limit);
    QCOMPARE(DeviceModel::SampleCountLimit(
                 DeviceModel::SampleCountCaption(bound.isEmpty() ? QStringLiteral("800") : bound)),
             limit);
    QVERIFY(!SettingsRules::CheckSampleCount(QString::number(limit), caption));
    QVERIFY(SettingsRules::CheckSampleCount(QString::number(limit + 1), caption));
}

// The advanced serial dialog shows its words in the language in use and still hands the port
// the words the port knows.
void TestLanguageSwitch::serialSetupDialogFollowsAndKeepsItsChoices() {
    IsolatedProgram program;
    LanguageModules modules;
    QVERIFY(modules.SetLanguage(LanguageModules::Polish));
    // A port whose device name is longer than the list's designed width.
    const QString device = program.FilePath(QStringLiteral("ttyUSB0"));
    {
        QFile placeholder(device);
        QVERIFY(placeholder.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(device, QDir(program.Ports()).filePath(QStringLiteral("COM3"))));
    SerialSettings settings;
    settings.Port = QStringLiteral("COM3");
    settings.Parity = SerialSettings::ParityKind::Even;
    settings.FlowControl = SerialSettings::Flow::Hardware;
    TComSetupFrm dialog(settings);
    const SerialSettings chosen = dialog.ChosenSettings();
    const QMap<QString, QString> polish = CaptionsOf(&dialog);
    QVERIFY(polish.size() > 20);
    const QStringList titles{"Ustawienia RS-232", "RS-232 settings", "RS-232-Einstellungen"};
    const QStringList parity{"Parzysta", "Even", "Gerade"};
    const int languages[] = {LanguageModules::Polish, LanguageModules::English,
                             LanguageModules::German};
    for (int i : {1, 2, 0}) {
        QVERIFY(modules.SetLanguage(languages[i]));
        QCOMPARE(dialog.windowTitle(), titles.at(i));
        if (languages[i] == LanguageModules::Polish)
            QCOMPARE(Differences(polish, CaptionsOf(&dialog)), QStringList());
        else
            QCOMPARE(LeftOver(polish, CaptionsOf(&dialog)), QStringList());
        QCOMPARE(dialog.findChild<QComboBox*>("cbParity")->currentText(), parity.at(i));
        // Each closed list shows its choice whole, also where the words are longer.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (QComboBox* list : dialog.findChildren<QComboBox*>()) {
            const int chosenItem = list->currentIndex();
            for (int item = 0; item < list->count(); ++item) {
                list->setCurrentIndex(item);
                QStyleOptionComboBox option;
                option.initFrom(list);
                option.currentText = list->currentText();
                const QRect room = list->style()->subControlRect(
                    QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
                QVERIFY2(list->fontMetrics().horizontalAdvance(list->currentText()) <= room.width(),
                         qPrintable(list->objectName() + QLatin1Char(' ') + list->currentText()));
            }
            list->setCurrentIndex(chosenItem);
        }
        dialog.hide();
        const SerialSettings now = dialog.ChosenSettings();
        QCOMPARE(now.Parity, chosen.Parity);
        QCOMPARE(now.FlowControl, chosen.FlowControl);
        QCOMPARE(now.Port, chosen.Port);
    }
}

// From the menu, a language whose module is gone leaves the program running in the language it
// had, after the two messages; nothing is closed and nothing is lost.
void TestLanguageSwitch::failedSwitchKeepsTheLanguageInUse() {
    LanguageWindow window;
    QVERIFY(window.Modules.SetLanguage(LanguageModules::English));
    window.Find<QLineEdit>("EditLow")->setText(QStringLiteral("42"));
    for (const char* gone : {"zento-fm.SKY", "zento-fm.DEU"})
        QVERIFY(QFile::remove(window.Program.FilePath(QLatin1String(gone))));
    window.Switch(LanguageModules::Polish);
    QCOMPARE(window.Messages.Texts(),
             QStringList({"Nie można załadować języka polskiego.", "Deutsche"}));
    QCOMPARE(TheProgram.LanguageId, LanguageModules::English);
    QCOMPARE(window.Find<QAbstractButton>("sbExit")->text(), QStringLiteral("Exit"));
    QCOMPARE(window.Find<QLineEdit>("EditLow")->text(), QStringLiteral("42"));
    // The window was not closed: its close would have written config.xml.
    QVERIFY(!QFile::exists(window.Program.FilePath(QStringLiteral("config.xml"))));
}

QTEST_MAIN(TestLanguageSwitch)
#include "tst_languageswitch.moc"
