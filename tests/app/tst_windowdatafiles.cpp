// "Zapisz dane" and "Otwórz dane" in the main window: the chart's samples go out and come
// back whole under either decimal separator, several files load one after the other, the
// header is kept and refreshed, and files that fail are named while the others still load.
// Both run on a worker thread with a progress window: given up, a save leaves the old file
// and no new one, an opening an empty chart; a large file keeps the window answering. A
// download shows its progress too, and given up drops the rest of the gauge's dump.
#include "app/DataFileOpening.h"
#include "app/MainForm.h"
#include "app/widgets/ProgressWindow.h"
#include "series/TestSeries.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/DataFile.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/Unprivileged.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <memory>

namespace {

QLocale LocaleNamed(const QString& name) {
    return name == QLatin1String("C") ? QLocale::c() : QLocale(name);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> LinesOf(const QString& path) {
    QList<QByteArray> lines = ReadAll(path).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        line.chop(line.endsWith('\r') ? 1 : 0);
    return lines;
}

using namespace std::chrono_literals;

// How long a test waits for work on the worker thread; it takes a fraction of that.
constexpr auto Patience = 60s;

// Every progress window made while it lives, and Cancel pressed on each as it is made when
// asked to.
struct WatchedProgress {
    QList<QPointer<ProgressWindow>> Made;
    QStringList Titles;
    bool CancelAtOnce = false;
    ProgressWindow::Watcher Previous;

    WatchedProgress() {
        Previous = ProgressWindow::SetWatcher([this](ProgressWindow& window) {
            Made.append(&window);
            Titles.append(window.objectName());
            if (CancelAtOnce)
                window.Cancel();
        });
    }
    ~WatchedProgress() { ProgressWindow::SetWatcher(Previous); }
};

struct Window {
    IsolatedProgram program;
    ScriptedFileDialogs dialogs;
    RecordingMessages messages;
    std::unique_ptr<TMainForm> form;

    Window() {
        FirstGauge() = GaugeState{};
        TheProgram = ProgramState{};
        form = std::make_unique<TMainForm>();
    }
    QString Path(const QString& name) const { return program.FilePath(name); }
    template <typename T> T* Find(const char* name) const {
        return form->findChild<T*>(QLatin1String(name));
    }
    void SetSampleTime(const QString& text) const {
        Find<QLineEdit>("EditSampleTime")->setText(text);
    }
    void Feed(double step, const QList<double>& values) const {
        for (const double value : values)
            form->AddSample(step, value);
    }
    // Runs the menu item and waits until its work on the worker thread has ended.
    void Run(const char* action) const {
        QSignalSpy ended(form.get(), &TMainForm::FileWorkEnded);
        Find<QAction>(action)->trigger();
        if (!ended.wait(int(std::chrono::milliseconds(Patience).count())))
            QTest::qFail("the work never ended", __FILE__, __LINE__);
    }
    void Save(const QString& path) {
        dialogs.SaveAnswers << path;
        Run("Zapisz1");
    }
    void Open(const QStringList& paths) {
        dialogs.OpenAnswers << paths;
        Run("Otwrz1");
        form->RefreshStatLabels();
    }
    void Clear() const { Find<QAbstractButton>("sbClear")->click(); }
    QList<double> Values() const {
        QList<double> values;
        for (const auto point : form->ChartData().Samples())
            values << point.value;
        return values;
    }
    QList<double> Keys() const {
        QList<double> keys;
        for (const auto point : form->ChartData().Samples())
            keys << point.key;
        return keys;
    }
    QString Label(const char* name) const { return Find<QLabel>(name)->text(); }
};

QList<double> Steps(double step, qsizetype count, double from = 0.0) {
    QList<double> keys;
    for (qsizetype i = 0; i < count; ++i)
        keys << from + double(i) * step;
    return keys;
}

// Values that 15 significant digits hold exactly: negative, large, tiny ones written with
// a negative exponent (whose "-" is not the value's sign), full-length mantissas.
const QList<double> Awkward = {-1.25,   123456789012345.0,  1.23456789012345e-7,
                               -4.5e-9, -98765.4321098765,  0.0,
                               2.5e20,  -0.999999999999999, 0.00001,
                               7.0};

} // namespace

class TestWindowDataFiles : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void samplesComeBackUnderEitherSeparator_data();
    void samplesComeBackUnderEitherSeparator();
    void severalFilesFollowEachOther();
    void secondSaveRefreshesTheHeader();
    void openedHeaderIsSavedAgain();
    void failingFilesAreNamed_data();
    void failingFilesAreNamed();
    void cancelledDialogsChangeNothing();
    void openAfterARunStartsAtZero();
    void savedSeriesKeepsItsOwnStep_data();
    void savedSeriesKeepsItsOwnStep();
    void givenUpSaveLeavesNoFile_data();
    void givenUpSaveLeavesNoFile();
    void givenUpOpeningLeavesAnEmptyChart_data();
    void givenUpOpeningLeavesAnEmptyChart();
    void largeSeriesKeepsTheWindowAnswering_data();
    void largeSeriesKeepsTheWindowAnswering();
    void downloadShowsItsProgress_data();
    void downloadShowsItsProgress();
};

void TestWindowDataFiles::samplesComeBackUnderEitherSeparator_data() {
    QTest::addColumn<QString>("saveLocale");
    QTest::addColumn<QString>("openLocale");
    QTest::newRow("point, point") << "C"
                                  << "C";
    QTest::newRow("point, comma") << "C"
                                  << "de_DE";
    QTest::newRow("comma, point") << "de_DE"
                                  << "C";
    QTest::newRow("comma, comma") << "de_DE"
                                  << "de_DE";
}

void TestWindowDataFiles::samplesComeBackUnderEitherSeparator() {
    QFETCH(QString, saveLocale);
    QFETCH(QString, openLocale);

    Window window;
    const QString path = window.Path(QStringLiteral("samples.txt"));
    QLocale::setDefault(LocaleNamed(saveLocale));
    window.SetSampleTime(QStringLiteral("0,25"));
    window.Feed(0.25, Awkward);
    window.Save(path);
    QVERIFY(window.messages.Shown.isEmpty());

    const QList<QByteArray> lines = LinesOf(path);
    QCOMPARE(lines.size(), 10 + Awkward.size());
    QCOMPARE(lines.at(0), QByteArray("* SETTINGS *"));
    QCOMPARE(lines.at(1), QByteArray("SPEED:\tSLOW"));
    QCOMPARE(lines.at(2), QByteArray("SPEED:\tMANUAL"));
    QCOMPARE(lines.at(4), QByteArray("UNIT :\tkilogram 'kg'"));
    QCOMPARE(lines.at(5), QByteArray("COUNT :\t10"));
    QCOMPARE(lines.at(6), QByteArray("TIME :\t0.25 sec"));
    QCOMPARE(lines.at(9), QByteArray("SMP.\tRESULT\tDATE&TIME"));
    QCOMPARE(lines.at(10), QByteArray("1\t-1.25"));
    for (const QByteArray& line : lines.mid(10))
        QVERIFY2(!line.contains(','), line.constData());

    window.Clear();
    QLocale::setDefault(LocaleNamed(openLocale));
    window.Open({path});
    QVERIFY(window.messages.Shown.isEmpty());
    QCOMPARE(window.Values(), Awkward);
    const QList<double> keys = window.Keys();
    const QList<double> expected = Steps(0.25, Awkward.size());
    for (qsizetype i = 0; i < keys.size(); ++i)
        QCOMPARE(keys.at(i), expected.at(i));
    QCOMPARE(FirstGauge().SampleStats.Count, int(Awkward.size()));
    QCOMPARE(FirstGauge().SampleStats.Min, -98765.4321098765);
    QCOMPARE(FirstGauge().SampleStats.Max, 2.5e20);
    QCOMPARE(window.Label("LabelCount"), QStringLiteral("10"));
}

void TestWindowDataFiles::severalFilesFollowEachOther() {
    Window window;
    const QString first = window.Path(QStringLiteral("first.txt"));
    const QString second = window.Path(QStringLiteral("second.txt"));
    window.SetSampleTime(QStringLiteral("0.5"));
    window.Feed(0.5, {1.0, 2.0, 3.0});
    window.Save(first);
    window.Clear();
    window.SetSampleTime(QStringLiteral("2"));
    window.Feed(2.0, {-4.0, 5.5, 6.0, 7.25});
    window.Save(second);
    window.Clear();
    window.Feed(1.0, {100.0}); // something on the chart before: it goes

    window.Open({first, second});
    QVERIFY(window.messages.Shown.isEmpty());
    QCOMPARE(window.Values(), QList<double>({1.0, 2.0, 3.0, -4.0, 5.5, 6.0, 7.25}));
    // Each file with its own step, the second continuing the count of points.
    QCOMPARE(window.Keys(), QList<double>({0.0, 0.5, 1.0, 6.0, 8.0, 10.0, 12.0}));
    QCOMPARE(window.Label("LabelCount"), QStringLiteral("7"));
    QCOMPARE(window.Label("LabelMin"), QStringLiteral("-4 "));
    QCOMPARE(window.Label("LabelSum"), QStringLiteral("20.75 "));
    // Each file is a test of its own, named after it.
    const QList<TestRecord>& tests = window.form->Tests().Records();
    QCOMPARE(tests.size(), 2);
    QCOMPARE(tests[0].Name, QStringLiteral("first"));
    QCOMPARE(tests[1].Name, QStringLiteral("second"));
    QCOMPARE(tests[1].Context.Origin, TestOrigin::File);
    QCOMPARE(tests[1].SampleCount, 4);
    QCOMPARE(tests[1].Duration, 6.0);
    QCOMPARE(tests[1].Peak, 7.25);
    QCOMPARE(tests[1].Result, Verdict::None);
    // The header is the last file's.
    QList<QByteArray> header = LinesOf(second).mid(0, 10);
    QStringList expected;
    for (const QByteArray& line : header)
        expected << QString::fromLatin1(line);
    QCOMPARE(window.form->HeaderLines(), expected);
}

void TestWindowDataFiles::secondSaveRefreshesTheHeader() {
    Window window;
    const QString first = window.Path(QStringLiteral("first.txt"));
    const QString second = window.Path(QStringLiteral("second.txt"));
    window.SetSampleTime(QStringLiteral("0.1"));
    window.Feed(0.1, {1.0, 2.0, 3.0});
    window.Save(first);
    window.Feed(0.1, {4.0, 5.0});
    window.SetSampleTime(QStringLiteral("0,3"));
    window.Save(second);

    const QList<QByteArray> before = LinesOf(first);
    const QList<QByteArray> after = LinesOf(second);
    QCOMPARE(before.mid(0, 5), after.mid(0, 5));
    QCOMPARE(before.at(5), QByteArray("COUNT :\t3"));
    QCOMPARE(after.at(5), QByteArray("COUNT :\t5"));
    QCOMPARE(before.at(6), QByteArray("TIME :\t0.1 sec"));
    QCOMPARE(after.at(6), QByteArray("TIME :\t0.3 sec"));
    QCOMPARE(after.at(7), QByteArray("QTY. :\t5"));
    QCOMPARE(after.size(), 15);
    QCOMPARE(after.last(), QByteArray("5\t5"));
}

// A header read from a file is written again with its own settings lines; only the lines
// that describe the samples follow the chart.
void TestWindowDataFiles::openedHeaderIsSavedAgain() {
    Window window;
    const QString source = window.Path(QStringLiteral("source.txt"));
    const QString copy = window.Path(QStringLiteral("copy.txt"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("* SETTINGS *\r\nSPEED:\tFAST\r\nSPEED:\tAUTO\r\nDATA :\tX\r\nUNIT :\tNewton 'N'\r\n"
               "COUNT :\t99\r\nTIME :\t0.01 sec\r\nQTY. :\t99\r\n\r\nSMP.\tRESULT\tDATE&TIME\r\n"
               "1\t1.5\t2009-01-01 10:00:00\r\n2\t-1.25\t2009-01-01 10:00:01\r\n");
    file.close();
    window.Open({source});
    QCOMPARE(window.Values(), QList<double>({1.5, -1.25}));
    QCOMPARE(window.Keys(), QList<double>({0.0, 0.01}));
    window.Save(copy);
    const QList<QByteArray> lines = LinesOf(copy);
    QCOMPARE(lines,
             QList<QByteArray>({"* SETTINGS *", "SPEED:\tFAST", "SPEED:\tAUTO", "DATA :\tR/-",
                                "UNIT :\tNewton 'N'", "COUNT :\t2", "TIME :\t0.01 sec", "QTY. :\t2",
                                "", "SMP.\tRESULT\tDATE&TIME", "1\t1.5", "2\t-1.25"}));
}

void TestWindowDataFiles::failingFilesAreNamed_data() {
    QTest::addColumn<QString>("failing");
    QTest::addColumn<bool>("unprivileged");
    QTest::newRow("missing file") << "missing.txt" << false;
    QTest::newRow("unreadable file") << "locked.txt" << true;
    QTest::newRow("a folder") << "folder.txt" << false;
}

void TestWindowDataFiles::failingFilesAreNamed() {
    QFETCH(QString, failing);
    QFETCH(bool, unprivileged);

    Window window;
    const QString good = window.Path(QStringLiteral("good.txt"));
    const QString other = window.Path(QStringLiteral("other.txt"));
    const QString bad = window.Path(failing);
    window.SetSampleTime(QStringLiteral("1"));
    window.Feed(1.0, {1.0, 2.0});
    window.Save(good);
    window.Clear();
    window.Feed(1.0, {3.0});
    window.Save(other);
    QFile::copy(good, window.Path(QStringLiteral("locked.txt")));
    QFile::setPermissions(window.Path(QStringLiteral("locked.txt")), QFileDevice::Permissions());
    QDir(window.program.Dir()).mkdir(QStringLiteral("folder.txt"));
    // Temporary folders and saved files are their owner's alone; an ordinary user must be
    // able to read all but the locked file.
    const auto readOther =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(window.program.Dir(),
                          readOther | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    QFile::setPermissions(good, readOther);
    QFile::setPermissions(other, readOther);

    // A save that cannot create its file says so, naming it; nothing is created.
    const QString nowhere = window.Path(QStringLiteral("no such folder/data.txt"));
    window.Save(nowhere);
    QCOMPARE(window.messages.Shown.size(), 1);
    QCOMPARE(window.messages.Shown.first().Caption, QStringLiteral("Zapisz dane"));
    QCOMPARE(window.messages.Shown.first().Icon, MessageIcon::Warning);
    QVERIFY(window.messages.Shown.first().Text.contains(QDir::toNativeSeparators(nowhere)));
    QVERIFY(!QFile::exists(nowhere));

    const auto open = [&](const QStringList& paths) {
        window.messages.Shown.clear();
        std::unique_ptr<Unprivileged> ordinaryUser;
        if (unprivileged)
            ordinaryUser = std::make_unique<Unprivileged>();
        window.Open(paths);
    };
    open({good, bad, other});
    QCOMPARE(window.messages.Shown.size(), 1);
    const MessageRequest& message = window.messages.Shown.first();
    QCOMPARE(message.Caption, QStringLiteral("Otwórz dane"));
    QCOMPARE(message.Icon, MessageIcon::Warning);
    QVERIFY2(message.Text.contains(QDir::toNativeSeparators(bad)), qPrintable(message.Text));
    QVERIFY(!message.Text.contains(QDir::toNativeSeparators(good)));
    QVERIFY(!message.Text.contains(QDir::toNativeSeparators(other)));
    // The files around the failing one are read, in order.
    QCOMPARE(window.Values(), QList<double>({1.0, 2.0, 3.0}));
    QCOMPARE(window.Label("LabelCount"), QStringLiteral("3"));
    QCOMPARE(window.form->HeaderLines().filter(QStringLiteral("COUNT")),
             QStringList({"COUNT :\t1"}));

    // Samples already loaded stay when the failing file comes last.
    open({good, bad});
    QCOMPARE(window.messages.Shown.size(), 1);
    QCOMPARE(window.Values(), QList<double>({1.0, 2.0}));
}

void TestWindowDataFiles::cancelledDialogsChangeNothing() {
    Window window;
    window.Feed(0.5, {1.0, 2.0});
    window.form->RefreshStatLabels();
    window.Find<QAction>("Otwrz1")->trigger();
    window.Find<QAction>("Zapisz1")->trigger();
    QCOMPARE(window.dialogs.Requests.size(), 2);
    for (const FileDialogRequest& request : window.dialogs.Requests) {
        QCOMPARE(request.Filter, QStringLiteral("Pliki tekstowe (.txt)|*.txt|Wszystkie pliki|*.*"));
        QCOMPARE(request.DefaultExtension, QStringLiteral("txt"));
        QVERIFY(request.StartFolder.isEmpty());
    }
    QCOMPARE(window.Values(), QList<double>({1.0, 2.0}));
    QCOMPARE(window.Label("LabelCount"), QStringLiteral("2"));
    QVERIFY(window.form->HeaderLines().isEmpty());
    QVERIFY(window.messages.Shown.isEmpty());
    QCOMPARE(QDir(window.program.Dir()).entryList({"*.txt"}), QStringList());
}

// A second on-line run leaves offsets that continue its time scale; a file opened afterwards
// onto the cleared chart still starts at zero.
void TestWindowDataFiles::openAfterARunStartsAtZero() {
    Window window;
    const QString path = window.Path(QStringLiteral("data.txt"));
    window.SetSampleTime(QStringLiteral("0.5"));
    window.Feed(0.5, {1.0, 2.0, 3.0});
    window.Save(path);
    FirstGauge().ChartIndexOffset = 99;
    FirstGauge().ChartTimeOffset = 9.9;
    window.Open({path});
    QCOMPARE(window.Keys(), QList<double>({0.0, 0.5, 1.0}));
}

void TestWindowDataFiles::savedSeriesKeepsItsOwnStep_data() {
    QTest::addColumn<bool>("download"); // else opened from a file
    QTest::newRow("opened file") << false;
    QTest::newRow("downloaded memory") << true;
}

// No gauge attached, the sampling-time field says "0": a series that came with a step of its
// own is saved with it, and comes back spaced as it was.
void TestWindowDataFiles::savedSeriesKeepsItsOwnStep() {
    QFETCH(bool, download);
    Window window;
    const QString source = window.Path(QStringLiteral("source.txt"));
    const QString copy = window.Path(QStringLiteral("copy.txt"));
    window.SetSampleTime(QStringLiteral("0"));
    if (download) {
        window.Find<QAbstractButton>("sbGetData")->click();
        window.form->Exchange().ProcessIncoming(
            "COUNT: 3\r\nSMP.TIME: 0.25 sek\r\nAVERAGE: 1 N  \r\n"
            "SMP.001: 1 N  \r\nSMP.002: 2 N  \r\nSMP.003: 3 N  \r\n");
    } else {
        window.SetSampleTime(QStringLiteral("0.25"));
        window.Feed(0.25, {1.0, 2.0, 3.0});
        window.Save(source);
        window.SetSampleTime(QStringLiteral("0"));
        window.Open({source});
    }
    QCOMPARE(window.Keys(), QList<double>({0.0, 0.25, 0.5}));
    window.Save(copy);
    window.Open({copy});
    QCOMPARE(window.Keys(), QList<double>({0.0, 0.25, 0.5}));
    QCOMPARE(window.Values(), QList<double>({1.0, 2.0, 3.0}));
    QVERIFY(window.messages.Shown.isEmpty());
}

void TestWindowDataFiles::givenUpSaveLeavesNoFile_data() {
    QTest::addColumn<bool>("existing");
    QTest::newRow("a new file") << false;
    QTest::newRow("over an older file") << true;
}

void TestWindowDataFiles::givenUpSaveLeavesNoFile() {
    QFETCH(bool, existing);
    Window window;
    const QString path = window.Path(QStringLiteral("data.txt"));
    window.SetSampleTime(QStringLiteral("0.5"));
    window.Feed(0.5, {1.0, 2.0});
    if (existing)
        window.Save(path);
    const QByteArray before = ReadAll(path);
    const QStringList header = window.form->HeaderLines();
    window.Feed(0.5, {3.0});

    WatchedProgress progress;
    progress.CancelAtOnce = true;
    window.Save(path);
    QCOMPARE(progress.Titles, QStringList{"DataFileProgress"});
    QCOMPARE(QFile::exists(path), existing);
    QCOMPARE(ReadAll(path), before);
    // Nothing half-written is left beside it either.
    QCOMPARE(QDir(window.program.Dir()).entryList({"data*"}, QDir::Files),
             existing ? QStringList{"data.txt"} : QStringList());
    QVERIFY(window.messages.Shown.isEmpty());
    QCOMPARE(window.form->HeaderLines(), header);

    progress.CancelAtOnce = false;
    window.Save(path);
    QCOMPARE(LinesOf(path).mid(10), (QList<QByteArray>{"1\t1", "2\t2", "3\t3"}));
    // Each save had its own progress window, which went with its work.
    QCOMPARE(progress.Made.size(), 2);
    QTRY_VERIFY(progress.Made.last().isNull());
}

void TestWindowDataFiles::givenUpOpeningLeavesAnEmptyChart_data() {
    QTest::addColumn<bool>("atOnce"); // else once the first values are in the chart
    QTest::newRow("before anything is read") << true;
    QTest::newRow("while the chart fills") << false;
}

void TestWindowDataFiles::givenUpOpeningLeavesAnEmptyChart() {
    QFETCH(bool, atOnce);
    Window window;
    const QString small = window.Path(QStringLiteral("small.txt"));
    const QString large = window.Path(QStringLiteral("large.txt"));
    window.SetSampleTime(QStringLiteral("1"));
    window.Feed(1.0, {4.0, 5.0});
    window.Save(small);
    const QStringList header = window.form->HeaderLines();
    // Several slices' worth, so that Cancel can come between them.
    const qsizetype count = 3 * DataFileOpening::SliceValues + 5;
    QList<QPointF> points;
    for (qsizetype i = 0; i < count; ++i)
        points.append(QPointF(double(i), double(i % 100)));
    QStringList largeHeader;
    QCOMPARE(DataFile::Save(large, largeHeader, {}, points), QString());

    WatchedProgress progress;
    progress.CancelAtOnce = atOnce;
    int added = 0;
    const QMetaObject::Connection cancelLater =
        connect(&window.form->ChartData(), &ChartModel::SampleAdded, this, [&] {
            if (++added == 1 && !atOnce)
                progress.Made.last()->Cancel();
        });
    window.Open({large});
    disconnect(cancelLater);
    QCOMPARE(added, atOnce ? 0 : 1);
    QCOMPARE(window.form->ChartPointCount(), 0);
    QCOMPARE(FirstGauge().SampleStats.Count, 0);
    QCOMPARE(window.Label("LabelCount"), ChartModel::EmptyStatText());
    QVERIFY(window.form->Tests().Records().isEmpty());
    QCOMPARE(window.form->HeaderLines(), header);
    QVERIFY(window.messages.Shown.isEmpty());

    // Opened again to its end, everything comes.
    progress.CancelAtOnce = false;
    window.Open({large});
    QCOMPARE(window.form->ChartPointCount(), int(count));
    QCOMPARE(window.form->Tests().Records().size(), 1);
    QCOMPARE(window.form->Tests().Records().first().SampleCount, int(count));
}

void TestWindowDataFiles::largeSeriesKeepsTheWindowAnswering_data() {
    QTest::addColumn<bool>("open"); // else saved
    QTest::newRow("opened") << true;
    QTest::newRow("saved") << false;
}

// The window's timers keep coming while two million samples go to or come from a file. The
// bound is loose, for a loaded machine: a window frozen for the whole file would exceed it.
void TestWindowDataFiles::largeSeriesKeepsTheWindowAnswering() {
    QFETCH(bool, open);
    constexpr int Count = 2'000'000;
    constexpr qint64 LongestAllowedGap = 500;
    Window window;
    const QString path = window.Path(QStringLiteral("large.txt"));
    std::vector<double> values(Count);
    for (int i = 0; i < Count; ++i)
        values[std::size_t(i)] = (i % 2000) * 0.25 - 250.0;
    if (open) {
        QStringList header;
        const DataFile::SampleSource source{
            Count, [&values](qsizetype i) { return QPointF(i * 0.01, values[std::size_t(i)]); }};
        QCOMPARE(DataFile::Save(path, header, {}, source, {}), QString());
    } else {
        window.SetSampleTime(QStringLiteral("0.01"));
        window.form->ChartData().AddSamples(0.01, values, false);
    }

    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticks;
    ticks.setInterval(10);
    connect(&ticks, &QTimer::timeout, this, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    ticks.start();
    if (open)
        window.Open({path});
    else
        window.Save(path);
    ticks.stop();
    qInfo("%s %d samples in %lld ms; longest time between timer ticks %lld ms",
          open ? "opened" : "saved", Count, clock.elapsed(), longest);
    QVERIFY2(longest < LongestAllowedGap, qPrintable(QString::number(longest)));
    QVERIFY(window.messages.Shown.isEmpty());
    if (open) {
        QCOMPARE(window.form->ChartPointCount(), Count);
        QCOMPARE(FirstGauge().SampleStats.Count, Count);
    } else {
        const DataFileContents back = DataFile::Read(path);
        QCOMPARE(back.Values, values);
    }
}

void TestWindowDataFiles::downloadShowsItsProgress_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("ending");

    const QByteArray head = "COUNT: 4\r\nSMP.TIME: 0.25 sek\r\nAVERAGE: 1 N  \r\n";
    const QByteArray first = "SMP.001: 1 N  \r\nSMP.002: 2 N  \r\n";
    const QByteArray rest = "SMP.003: 3 N  \r\nSMP.004: 4 N  \r\n";
    QTest::newRow("to its end") << head + first << false << rest
                                << QList<double>{1.0, 2.0, 3.0, 4.0}
                                << "Pobieranie próbek zakończone.";
    // The gauge sends on: the rest of the dump is read and dropped.
    QTest::newRow("given up in the dump")
        << head + first << true << rest << QList<double>{} << "Pobieranie próbek przerwane.";
    QTest::newRow("given up before the count") << QByteArray() << true << QByteArray()
                                               << QList<double>{} << "Pobieranie próbek przerwane.";
}

void TestWindowDataFiles::downloadShowsItsProgress() {
    QFETCH(QByteArray, before);
    QFETCH(bool, cancel);
    QFETCH(QByteArray, after);
    QFETCH(QList<double>, values);
    QFETCH(QString, ending);
    Window window;
    QSignalSpy status(window.form.get(), &TMainForm::StatusTextChanged);
    WatchedProgress progress;
    window.Find<QAbstractButton>("sbGetData")->click();
    QCOMPARE(progress.Titles, QStringList{"DownloadProgress"});
    const QPointer<ProgressWindow> shown = progress.Made.first();
    window.form->Exchange().ProcessIncoming(before);
    if (!before.isEmpty()) {
        QCOMPARE(shown->Progress().Done(), 2);
        QCOMPARE(shown->Progress().Total(), 4);
    }
    if (cancel) {
        shown->Cancel();
        QCOMPARE(window.form->ChartPointCount(), 0);
        // The rest of a dump under way is still awaited; nothing else is.
        QCOMPARE(FirstGauge().ExchangeState == ExchangeState::Downloading, !before.isEmpty());
    }
    window.form->Exchange().ProcessIncoming(after);
    QCOMPARE(window.Values(), values);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(window.form->Tests().Records().size(), values.isEmpty() ? 0 : 1);
    QCOMPARE(status.last().first().toString(), ending);
    QTRY_VERIFY(shown.isNull());
    QVERIFY(window.messages.Shown.isEmpty());
}

QTEST_MAIN(TestWindowDataFiles)
#include "tst_windowdatafiles.moc"
