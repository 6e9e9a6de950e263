// Renders the main window as it looks at start into a PNG of the window's outer size, with a
// plain frame and title bar around the client area, so that the layout can be reviewed
// without a display.
//
//   zento-fm-screenshot [--sample [--series]] [--menu <objectName>] [--longer-texts <percent>]
//                       [--language pl|en|de] [--report] [--splash]
//                       [--dialog connection|autoconf|about|serial] <out.png>
//
// --sample shows the window in use (a gauge identified, a reading, a recorded force curve),
// --series beside it the series panel with a batch of tests judged against thresholds;
// --menu opens one menu of the menu bar in the picture; --longer-texts stretches every caption
// by the given percentage, to see how much room longer translations have; --report lists the
// named widgets with their sizes; --splash renders the splash screen instead. --language
// shows the window in the language of a module found beside this tool; --dialog renders one of
// the dialogs instead of the main window.
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/SeriesRecorder.h"
#include "app/SplashScreen.h"
#include "app/dialogs/CPortSetup.h"
#include "app/dialogs/TAboutForm.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"
#include "protocol/DeviceModel.h"
#include "protocol/ProcessData.h"
#include "series/TestSeries.h"
#include "state/GaugeState.h"
#include "storage/LanguageModules.h"
#include "storage/results/DatabaseSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <chrono>
#include <cmath>

namespace {

constexpr QSize OuterSize{754, 759};
constexpr int Border = 8;
constexpr int DialogTitleHeight = 30;
constexpr std::chrono::milliseconds SettleTime{250};

QString Stretched(const QString& text, int percent) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == QStringLiteral("---"))
        return text;
    const int extra = (int(trimmed.size()) * percent + 50) / 100;
    QString longer = text;
    const qsizetype at = longer.lastIndexOf(trimmed.back()) + 1;
    longer.insert(at, QString(extra, QLatin1Char('n')));
    return longer;
}

void StretchTexts(QWidget* root, int percent) {
    for (QLabel* label : root->findChildren<QLabel*>())
        if (label->pixmap().isNull())
            label->setText(Stretched(label->text(), percent));
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        button->setText(Stretched(button->text(), percent));
    for (QGroupBox* group : root->findChildren<QGroupBox*>())
        group->setTitle(Stretched(group->title(), percent));
}

// The chart redraws on a timer of its own: the loop runs a few of its turns.
void Settle() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < SettleTime.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents();
    }
}

// titleHeight < 0: the title bar takes what the main window's outer size leaves.
QImage Framed(const QImage& client, const QString& caption, const QIcon& icon,
              int titleHeight = -1) {
    const int title = titleHeight < 0 ? OuterSize.height() - Border - client.height() : titleHeight;
    QImage image(client.width() + 2 * Border, client.height() + title + Border,
                 QImage::Format_ARGB32);
    image.fill(QColor(0x3a, 0x44, 0x52));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(Border, title, client);
    painter.setPen(QColor(0x27, 0x2e, 0x38));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    const int iconSize = 16;
    icon.paint(&painter, QRect(Border, (title - iconSize) / 2, iconSize, iconSize));
    QFont font = QApplication::font();
    font.setPointSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(Border + iconSize + 8, 0, 400, title), Qt::AlignVCenter, caption);
    // Minimise, maximise, close.
    const int box = 14;
    const int top = (title - box) / 2;
    int left = image.width() - Border - 3 * (box + 8) + 8;
    QPen pen(QColor(0xdd, 0xe3, 0xea), 1.6);
    painter.setPen(pen);
    painter.drawLine(left + 3, top + box - 4, left + box - 3, top + box - 4);
    left += box + 8;
    painter.drawRect(QRectF(left + 2.5, top + 2.5, box - 5, box - 5));
    left += box + 8;
    painter.drawLine(left + 3, top + 3, left + box - 3, top + box - 3);
    painter.drawLine(left + box - 3, top + 3, left + 3, top + box - 3);
    return image;
}

// What the window shows while a gauge is attached and a run has been recorded, told to it
// the way the reply side tells it.
void ShowSample(TMainForm& window) {
    GaugeSettings& settings = window.Settings();
    ProcessData& replies = window.Replies();
    settings.SetModel(QStringLiteral("FM-500"));
    settings.SetSerialNumber(QStringLiteral("21040117"));
    emit replies.BatteryRead(87);
    settings.SetUnits({QStringLiteral("N"), QStringLiteral("kgf"), QStringLiteral("Lbf"),
                       QStringLiteral("ozf"), QStringLiteral("kg"), QStringLiteral("Lb"),
                       QStringLiteral("oz")});
    settings.SetUnitIndex(0);
    settings.SetSampleCountMax(QString::number(DeviceModel::IdentifiedSampleCountMax));
    settings.SetText(SettingText::SampleCount, QStringLiteral("800"));
    settings.SetText(SettingText::SampleTime, QStringLiteral("0.1"));
    settings.SetText(SettingText::Acceleration, QStringLiteral("9.81"));
    settings.SetReading(QStringLiteral("+241.50 N"));
    emit replies.ReadingTaken();
    window.SetYTitle(ProcessData::SampleTitle(QStringLiteral("N")));
    window.SetSeriesName(QCoreApplication::translate("TMainForm", "Pomiar on-line"));
    FirstGauge().SampleUnit = QStringLiteral("N");
    // A pull test: the force rises, holds with a little ripple, and falls off.
    for (int i = 0; i <= 300; ++i) {
        const double t = i * 0.1;
        const double rise = 250.0 / (1.0 + std::exp(-(t - 6.0) * 1.1));
        const double fall = 1.0 / (1.0 + std::exp((t - 24.0) * 1.4));
        const double level = rise * fall;
        // Two decimals, as the gauge sends them.
        const double sample = level + 0.016 * level * std::sin(t * 2.3);
        window.AddSample(0.1, std::round(sample * 100.0) / 100.0);
    }
    window.SetStatusText(QCoreApplication::translate("ProcessData", "Wynik odczytany"));
}

// "Progi" on with both thresholds, before the curve is recorded: the chart draws the
// thresholds a run started with.
void ShowThresholds(TMainForm& window) {
    GaugeSettings& settings = window.Settings();
    settings.SetThresholdsOn(true);
    settings.SetText(SettingText::Low, QStringLiteral("230"));
    settings.SetText(SettingText::High, QStringLiteral("260"));
    FirstGauge().LowThreshold = 230.0;
    FirstGauge().HighThreshold = 260.0;
}

// The series panel beside the chart: five pull tests of a batch, one beyond the upper
// threshold, two of them selected and drawn over the chart.
void ShowSeries(TMainForm& window) {
    GaugeSettings& settings = window.Settings();
    // The made-up tests go to a file of the tool's data folder, never to a server that
    // config.xml may name.
    window.TestRecorder().SetDatabase(DatabaseSettings{});
    const QString testOperator = QStringLiteral("A. Nowak");
    const QString part = QStringLiteral("2612-07");
    window.findChild<QLineEdit*>(QStringLiteral("eOperator"))->setText(testOperator);
    window.findChild<QLineEdit*>(QStringLiteral("ePart"))->setText(part);
    const double heights[] = {248.0, 252.5, 244.0, 263.5, 250.0};
    const QDateTime start(QDate(2026, 12, 9), QTime(9, 0));
    for (int test = 0; test < 5; ++test) {
        TestContext context;
        context.Start = start.addSecs(test * 300);
        context.Model = settings.Model();
        context.SerialNumber = settings.SerialNumber();
        context.Unit = QStringLiteral("N");
        context.SampleTime = 0.1;
        context.Limits = Tolerance{230.0, 260.0};
        context.Operator = testOperator;
        context.Part = part;
        QList<QPointF> samples;
        for (int i = 0; i <= 250; ++i) {
            const double t = i * 0.1;
            const double rise = heights[test] / (1.0 + std::exp(-(t - 5.0 - test * 0.3) * 1.2));
            const double fall = 1.0 / (1.0 + std::exp((t - 19.0 + test * 0.4) * 1.5));
            samples.append(QPointF(t, std::round(rise * fall * 100.0) / 100.0));
        }
        if (std::optional<TestRecord> record = TestRecord::Make(context, samples))
            window.Tests().Add(std::move(*record));
    }
    window.findChild<QAction*>(QStringLiteral("MenuSeries"))->trigger();
    window.resize(window.width() + 470, window.height());
    Settle();
    auto* table = window.findChild<QTableView*>(QStringLiteral("tvTests"));
    for (const int row : {1, 3})
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// Named widgets with their place, size and the size their contents ask for.
void Report(const QWidget* widget, int depth) {
    QTextStream out(stdout);
    for (const QObject* child : widget->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (!w || w->isWindow())
            continue;
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
            const QRect g = w->geometry();
            out << QString(depth * 2, QLatin1Char(' ')) << w->objectName() << " " << g.x() << ","
                << g.y() << " " << g.width() << "x" << g.height() << " hint "
                << w->sizeHint().width() << "x" << w->sizeHint().height() << " min "
                << w->minimumSizeHint().width() << "x" << w->minimumSizeHint().height()
                << (w->isVisible() ? "" : " hidden") << "\n";
        }
        Report(w, depth + (w->objectName().isEmpty() ? 0 : 1));
    }
}

// Installs the module of the language named by its code, from beside this tool.
bool InstallLanguage(const QString& code, QTranslator& translator) {
    const QMap<QString, int> ids{{QStringLiteral("pl"), LanguageModules::Polish},
                                 {QStringLiteral("en"), LanguageModules::English},
                                 {QStringLiteral("de"), LanguageModules::German}};
    if (!ids.contains(code))
        return false;
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/zento-fm.") +
                         LanguageModules::Extensions(ids.value(code)).constFirst();
    if (!translator.load(path))
        return false;
    // Numbers and dates as on a computer set up for the language.
    const QMap<QString, QLocale::Language> locales{{QStringLiteral("pl"), QLocale::Polish},
                                                   {QStringLiteral("en"), QLocale::English},
                                                   {QStringLiteral("de"), QLocale::German}};
    QLocale::setDefault(QLocale(locales.value(code)));
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return true;
}

// One of the program's dialogs, by a short name.
std::unique_ptr<QWidget> NewDialog(const QString& name) {
    if (name == QLatin1String("connection"))
        return std::make_unique<TConnectionForm>();
    if (name == QLatin1String("autoconf"))
        return std::make_unique<TAutoKonfForm>();
    if (name == QLatin1String("about"))
        return std::make_unique<TAboutForm>();
    if (name == QLatin1String("serial"))
        return std::make_unique<TComSetupFrm>(SerialSettings{});
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window keeps results in the per-user data folder: a folder of the tool's own keeps
    // the user's results database free of the pictures' tests.
    const QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral(".local/share"))));
    QApplication app(argc, argv);
    InitialiseApplication();

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption menuOption(QStringLiteral("menu"), QStringLiteral("Menu to open."),
                                        QStringLiteral("objectName"));
    const QCommandLineOption longerOption(QStringLiteral("longer-texts"),
                                          QStringLiteral("Stretch captions by this percentage."),
                                          QStringLiteral("percent"));
    const QCommandLineOption sampleOption(QStringLiteral("sample"),
                                          QStringLiteral("Show the window in use."));
    const QCommandLineOption reportOption(
        QStringLiteral("report"), QStringLiteral("List the named widgets with their sizes."));
    const QCommandLineOption splashOption(QStringLiteral("splash"),
                                          QStringLiteral("Render the splash screen."));
    const QCommandLineOption dialogOption(
        QStringLiteral("dialog"),
        QStringLiteral("Render a dialog instead: connection, autoconf, about or serial."),
        QStringLiteral("name"));
    const QCommandLineOption languageOption(
        QStringLiteral("language"), QStringLiteral("Switch to this language: pl, en or de."),
        QStringLiteral("code"));
    const QCommandLineOption seriesOption(
        QStringLiteral("series"), QStringLiteral("With --sample: show the series panel too."));
    parser.addOptions({seriesOption, sampleOption, menuOption, longerOption, reportOption,
                       splashOption, languageOption, dialogOption});
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("PNG file to write."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        QTextStream(stderr) << parser.helpText();
        return 2;
    }
    const QString output = parser.positionalArguments().constFirst();

    QImage image;
    QTranslator translator;
    if (parser.isSet(languageOption) &&
        !InstallLanguage(parser.value(languageOption), translator)) {
        QTextStream(stderr) << "No language module for " << parser.value(languageOption) << "\n";
        return 2;
    }
    if (parser.isSet(dialogOption)) {
        const std::unique_ptr<QWidget> dialog = NewDialog(parser.value(dialogOption));
        if (!dialog) {
            QTextStream(stderr) << "No dialog " << parser.value(dialogOption) << "\n";
            return 2;
        }
        dialog->show();
        Settle();
        if (parser.isSet(reportOption))
            Report(dialog.get(), 0);
        image = Framed(dialog->grab().toImage(), dialog->windowTitle(), {}, DialogTitleHeight);
    } else if (parser.isSet(splashOption)) {
        TSplashScreenForm splash;
        splash.show();
        Settle();
        image = Framed(splash.grab().toImage(), splash.windowTitle(), {});
    } else {
        TMainForm window;
        window.show();
        Settle();
        // After the first activation, which clears the statistics and stops a sending gauge.
        if (parser.isSet(sampleOption)) {
            if (parser.isSet(seriesOption))
                ShowThresholds(window);
            ShowSample(window);
            Settle();
            if (parser.isSet(seriesOption)) {
                ShowSeries(window);
                Settle();
            }
        }
        if (parser.isSet(longerOption)) {
            StretchTexts(&window, parser.value(longerOption).toInt());
            Settle();
        }
        if (parser.isSet(reportOption))
            Report(&window, 0);
        QImage client = window.grab().toImage();
        if (parser.isSet(menuOption)) {
            auto* menu = window.findChild<QMenu*>(parser.value(menuOption));
            if (!menu) {
                QTextStream(stderr) << "No menu " << parser.value(menuOption) << "\n";
                return 2;
            }
            const QRect item = window.menuBar()->actionGeometry(menu->menuAction());
            const QPoint at = window.menuBar()->mapTo(&window, item.bottomLeft());
            window.menuBar()->setActiveAction(menu->menuAction());
            Settle();
            client = window.grab().toImage();
            QPainter painter(&client);
            painter.drawImage(at, menu->grab().toImage());
        }
        image = Framed(client, window.windowTitle(), QApplication::windowIcon());
    }
    if (!image.save(output)) {
        QTextStream(stderr) << "Cannot write " << output << "\n";
        return 1;
    }
    QTextStream(stdout) << output << ": " << image.width() << " x " << image.height() << "\n";
    return 0;
}
