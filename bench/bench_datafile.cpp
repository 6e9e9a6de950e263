// Opening a data file of 1,000,000 samples, against the least a reader has to do: read the
// same lines and convert their value column. Measured twice: the reader alone, and the main
// window's "Otwórz dane" (dialog answered, chart and statistics filled, labels shown).
// Prints the times and their ratios.
#include "app/MainForm.h"
#include "app/widgets/FileDialogs.h"
#include "protocol/Numbers.h"
#include "state/AppPaths.h"
#include "state/Messages.h"
#include "storage/DataFile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

constexpr int SampleCount = 1'000'000;
constexpr int Rounds = 3;
constexpr double TargetRatio = 3.0;

QString WriteFile(const QTemporaryDir& dir) {
    QList<QPointF> points;
    points.reserve(SampleCount);
    QRandomGenerator random(1);
    for (int i = 0; i < SampleCount; ++i) {
        const double magnitude = random.generateDouble() * 2000.0 - 1000.0;
        // Mostly gauge-like readings, now and then a tiny one written with an exponent.
        const double value = i % 97 == 0 ? magnitude * 1e-9 : magnitude;
        points.append(QPointF(i * 0.01, value));
    }
    const QString path = dir.filePath("bench.txt");
    QStringList header;
    const QString error =
        DataFile::Save(path, header, {"FAST", "AUTO", "newton 'N'", "0.01"}, points);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        std::exit(1);
    }
    return path;
}

// Reads every line and converts the text after the first TAB; no header, no rules.
double PlainLoop(const QString& path, qsizetype& count) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0.0;
    double sum = 0.0;
    count = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0)
            continue;
        bool ok = false;
        const double value = line.mid(tab + 1).trimmed().toDouble(&ok);
        if (ok) {
            sum += value;
            ++count;
        }
    }
    return sum;
}

// Answers the window's open dialog with the benchmark's file; shows no message box.
class AnswerOpen final : public FileDialogPresenter, public MessagePresenter {
public:
    explicit AnswerOpen(QString path)
        : m_path(std::move(path)) {}
    QString SaveFile(QWidget*, const FileDialogRequest&) override { return {}; }
    QStringList OpenFiles(QWidget*, const FileDialogRequest&) override { return {m_path}; }
    QString Folder(QWidget*, const FileDialogRequest&) override { return {}; }
    void Show(QWidget*, const MessageRequest& message) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(message.Text));
    }
    bool Ask(QWidget*, const MessageRequest&) override { return false; }

private:
    QString m_path;
};

template <typename Run> double BestMilliseconds(Run run) {
    double best = 1e300;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    // The window keeps config.xml in the working directory and "ComPort.ini" beside the
    // program: both go to the temporary folder.
    QDir::setCurrent(dir.path());
    AppPaths::SetExecutablePathOverride(dir.filePath("zento-fm"));
    QElapsedTimer saveTimer;
    saveTimer.start();
    const QString path = WriteFile(dir);
    std::printf("data file: %d samples, %lld bytes, made and saved in %.1f ms\n", SampleCount,
                static_cast<long long>(QFile(path).size()), saveTimer.nsecsElapsed() / 1e6);

    AnswerOpen answers(path);
    SetFileDialogPresenter(&answers);
    SetMessagePresenter(&answers);
    TMainForm window;
    QAction* open = window.findChild<QAction*>(QStringLiteral("Otwrz1"));

    const auto report = [](const char* what, double plain, double measured, qsizetype count) {
        const double ratio = measured / plain;
        std::printf("  %-16s %8.1f ms (%lld values)  ratio %.2f (target <= %.1f) %s\n", what,
                    measured, static_cast<long long>(count), ratio, TargetRatio,
                    ratio <= TargetRatio ? "ok" : "SLOW");
    };
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        qsizetype plainCount = 0;
        qsizetype readCount = 0;
        const double plain = BestMilliseconds([&] { PlainLoop(path, plainCount); });
        const double reader = BestMilliseconds([&] {
            const DataFileContents contents = DataFile::Read(path);
            readCount = qsizetype(contents.Values.size());
        });
        const double windowOpen = BestMilliseconds([&] {
            // Read on a worker thread and handed to the chart in slices: done at its signal.
            QEventLoop loop;
            QObject::connect(&window, &TMainForm::FileWorkEnded, &loop, &QEventLoop::quit);
            open->trigger();
            loop.exec();
            // The statistics labels follow once control is back in the event loop.
            QCoreApplication::processEvents();
        });
        std::printf("locale %-6s plain loop %8.1f ms (%lld values)\n", qPrintable(locale.name()),
                    plain, static_cast<long long>(plainCount));
        report("DataFile::Read", plain, reader, readCount);
        report("window open", plain, windowOpen, window.ChartPointCount());
    }
    SetMessagePresenter(nullptr);
    SetFileDialogPresenter(nullptr);
    AppPaths::SetExecutablePathOverride(QString());
    return 0;
}
