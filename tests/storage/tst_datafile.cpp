// Data files: what a save writes, what an open reads back (under "." and "," locales), the
// header rules, and files that cannot be written or read. Run journals: what they hold after
// a crash, a full disk or an unwritable folder, and which of them are left over.
#include "protocol/Numbers.h"
#include "storage/DataFile.h"
#include "storage/RunJournal.h"
#include "tests/support/Unprivileged.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Temporary folders are the owner's alone; the unprivileged checks need to reach into them.
void OpenToOthers(const QString& folder) {
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadGroup | QFile::ExeGroup |
                                              QFile::ReadOther | QFile::ExeOther));
}

void WriteAll(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

DataFileSettings Settings(const QString& sampleTime = QStringLiteral("0.5")) {
    return {QStringLiteral("SLOW"), QStringLiteral("MANUAL"), QStringLiteral("kilogram 'kg'"),
            sampleTime};
}

QList<QPointF> Points(const QList<double>& values, double step = 0.5) {
    QList<QPointF> points;
    for (qsizetype i = 0; i < values.size(); ++i)
        points.append(QPointF(double(i) * step, values.at(i)));
    return points;
}

// Values that 15 significant digits hold exactly: negative, large, tiny (written with an
// exponent), whole, and full-length mantissas.
QList<double> ManyValues(int count) {
    QRandomGenerator random(20240611);
    QList<double> values;
    const QList<double> fixed = {
        0.0,     -1.25, 1e-6,    -1.5e-7, 3.25e-12, -9.87654321098765e-9, 1e15,
        -2.5e20, 1e300, 99999.5, 0.00001, -0.00001, 123456789012345.0,    -0.999999999999999};
    values.append(fixed);
    while (values.size() < count) {
        QByteArray text = random.bounded(2) ? "-" : "";
        text += char('1' + random.bounded(9));
        text += '.';
        for (int i = 0; i < 14; ++i)
            text += char('0' + random.bounded(10));
        text += 'e' + QByteArray::number(random.bounded(-12, 22));
        values.append(std::strtod(text.constData(), nullptr));
    }
    return values;
}

QLocale LocaleNamed(const QString& name) {
    return name == "C" ? QLocale::c() : QLocale(name);
}

QStringList JournalHeader(const QString& sampleTime = QStringLiteral("0.025")) {
    return DataFile::NewHeader(Settings(sampleTime), 0, sampleTime);
}

// The journal as the process that wrote it would have left it had it ended: a name from
// before this process began tells that the number is another's.
QString OfEndedProcess(const QString& path) {
    QString name = QFileInfo(path).fileName();
    name.replace(4, 15, "20000101-000000");
    const QString renamed = QFileInfo(path).absolutePath() + "/" + name;
    return QFile::rename(path, renamed) ? renamed : QString();
}

DataFile::SampleSource SourceOf(const QList<QPointF>& points) {
    return {points.size(), [&points](qsizetype i) { return points.at(i); }};
}

QList<double> ValuesOf(const DataFileContents& contents) {
    return QList<double>(contents.Values.begin(), contents.Values.end());
}

QList<double> Steps(int count) {
    QList<double> values;
    for (int i = 0; i < count; ++i)
        values.append(i * 0.5 - 3);
    return values;
}

// Files may grow to a few bytes more than now (a full disk, as a writer sees it) while this
// lives; the signal that would end the program instead is ignored.
class FileSizeLimit final {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool IsSet() const { return m_set; }

private:
    rlimit m_previous{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_set = false;
};

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        OpenToOthers(m_dir.path());
        QLocale::setDefault(QLocale::c());
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void savedValuesOpenUnchanged_data() {
        QTest::addColumn<QString>("saveLocale");
        QTest::addColumn<QString>("openLocale");
        QTest::newRow("point, point") << "C"
                                      << "C";
        QTest::newRow("point, comma") << "C"
                                      << "de_DE";
        QTest::newRow("comma, point") << "de_DE"
                                      << "en_US";
        QTest::newRow("comma, comma") << "pl_PL"
                                      << "de_DE";
    }
    void savedValuesOpenUnchanged() {
        QFETCH(QString, saveLocale);
        QFETCH(QString, openLocale);
        const QList<double> values = ManyValues(10000);
        const QString path = m_dir.filePath("many.txt");

        QLocale::setDefault(LocaleNamed(saveLocale));
        QStringList header;
        QCOMPARE(DataFile::Save(path, header, Settings("0,25"), Points(values, 0.25)), QString());
        const QByteArray bytes = ReadAll(path);
        QVERIFY(!bytes.contains(','));
        QVERIFY(bytes.contains("TIME :\t0.25 sec\r\n"));

        QLocale::setDefault(LocaleNamed(openLocale));
        const DataFileContents contents = DataFile::Read(path);
        QVERIFY(contents.Opened);
        QCOMPARE(contents.Error, QString());
        QCOMPARE(contents.HeaderLines, header);
        QCOMPARE(contents.TimeStep, 0.25);
        QCOMPARE(qsizetype(contents.Values.size()), values.size());
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (contents.Values[i] != values[i])
                QFAIL(qPrintable(QString("line %1: wrote %2, read %3")
                                     .arg(i + 1)
                                     .arg(values[i], 0, 'g', 17)
                                     .arg(contents.Values[i], 0, 'g', 17)));
        }
    }

    void newFileLayout_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QByteArray>("time");
        QTest::addColumn<QByteArray>("samples");
        QTest::newRow("three use the field")
            << QList<double>{1.5, -2, 1e-7} << 0.1 << "0,2" << QByteArray("0.2")
            << QByteArray("1\t1.5\r\n2\t-2\r\n3\t1E-7\r\n");
        QTest::newRow("two use their distance")
            << QList<double>{10, 20} << 0.1 << "0,2" << QByteArray("0.1")
            << QByteArray("1\t10\r\n2\t20\r\n");
        QTest::newRow("one uses the field")
            << QList<double>{3} << 0.1 << "5" << QByteArray("5") << QByteArray("1\t3\r\n");
        QTest::newRow("none uses the field")
            << QList<double>{} << 0.1 << "0.5" << QByteArray("0.5") << QByteArray();
    }
    void newFileLayout() {
        QFETCH(QList<double>, values);
        QFETCH(double, step);
        QFETCH(QString, field);
        QFETCH(QByteArray, time);
        QFETCH(QByteArray, samples);
        QLocale::setDefault(QLocale(QLocale::German));
        const QString path = m_dir.filePath("layout.txt");
        QStringList header;
        QCOMPARE(DataFile::Save(path, header, Settings(field), Points(values, step)), QString());
        const QByteArray n = QByteArray::number(values.size());
        const QByteArray expected = "* SETTINGS *\r\nSPEED:\tSLOW\r\nSPEED:\tMANUAL\r\n"
                                    "DATA :\tR/-\r\nUNIT :\tkilogram 'kg'\r\nCOUNT :\t" +
                                    n + "\r\nTIME :\t" + time + " sec\r\nQTY. :\t" + n +
                                    "\r\n\r\nSMP.\tRESULT\tDATE&TIME\r\n" + samples;
        QCOMPARE(ReadAll(path), expected);
        QCOMPARE(header.size(), 10);
    }

    void noUnitSelectedWritesAnEmptyUnit() {
        DataFileSettings settings = Settings();
        settings.Unit.clear();
        QStringList header;
        const QString path = m_dir.filePath("nounit.txt");
        QCOMPARE(DataFile::Save(path, header, settings, Points({1, 2, 3})), QString());
        QVERIFY(ReadAll(path).contains("\r\nUNIT :\t\r\n"));
    }

    void secondSaveRefreshesOnlyCountsAndTime() {
        const QString first = m_dir.filePath("first.txt");
        const QString second = m_dir.filePath("second.txt");
        QStringList header;
        QCOMPARE(DataFile::Save(first, header, Settings("0.5"), Points({1, 2, 3})), QString());
        DataFileSettings changed{"FAST", "AUTO", "newton 'N'", "0.1"};
        QCOMPARE(DataFile::Save(second, header, changed, Points({1, 2, 3, 4, 5}, 0.1)), QString());

        const QList<QByteArray> lines = ReadAll(second).split('\n');
        QCOMPARE(lines.at(1), "SPEED:\tSLOW\r");
        QCOMPARE(lines.at(2), "SPEED:\tMANUAL\r");
        QCOMPARE(lines.at(4), "UNIT :\tkilogram 'kg'\r");
        QCOMPARE(lines.at(5), "COUNT :\t5\r");
        QCOMPARE(lines.at(6), "TIME :\t0.1 sec\r");
        QCOMPARE(lines.at(7), "QTY. :\t5\r");
        QCOMPARE(header.at(5), "COUNT :\t5");
    }

    // Each rule looks at the line as the rules before it left it.
    void headerRefresh_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("refreshed");
        QTest::newRow("data") << "DATA :\tX/Y"
                              << "DATA :\tR/-";
        QTest::newRow("time") << "TIME :\t9 sec"
                              << "TIME :\t0.5 sec";
        QTest::newRow("time needs its colon") << "TIME\t9"
                                              << "TIME\t9";
        QTest::newRow("quantity") << "QTY. :\t1"
                                  << "QTY. :\t7";
        QTest::newRow("count") << "COUNT :\t1"
                               << "COUNT :\t7";
        QTest::newRow("case matters") << "count :\t1"
                                      << "count :\t1";
        QTest::newRow("speed") << "SPEED:\tFAST"
                               << "SPEED:\tFAST";
        QTest::newRow("unit") << "UNIT :\tkN"
                              << "UNIT :\tkN";
        QTest::newRow("columns") << "SMP.\tRESULT\tDATE&TIME"
                                 << "SMP.\tRESULT\tDATE&TIME";
        QTest::newRow("data then count") << "DATA COUNT"
                                         << "DATA :\tR/-";
        QTest::newRow("count after time") << "TIME : COUNT"
                                          << "TIME :\t0.5 sec";
        QTest::newRow("quantity then count") << "QTY COUNT"
                                             << "QTY. :\t7";
    }
    void headerRefresh() {
        QFETCH(QString, line);
        QFETCH(QString, refreshed);
        QStringList header{line};
        DataFile::RefreshHeader(header, 7, "0.5");
        QCOMPARE(header, QStringList{refreshed});
    }

    void timeStep_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("point");
        QTest::addColumn<double>("comma");
        QTest::newRow("written") << "TIME :\t0.5 sec" << 0.5 << 0.5;
        QTest::newRow("whole") << "TIME :\t2 sec" << 2.0 << 2.0;
        QTest::newRow("exponent") << "TIME :\t1E-3 sec" << 0.001 << 0.001;
        QTest::newRow("no unit drops the last character") << "TIME :\t12" << 1.0 << 1.0;
        QTest::newRow("unit first") << "TIME :sec 5" << 0.0 << 0.0;
        QTest::newRow("letters") << "TIME :\tabc sec" << 0.0 << 0.0;
        QTest::newRow("empty") << "TIME :\t sec" << 0.0 << 0.0;
        QTest::newRow("comma by hand") << "TIME :\t0,5 sec" << 0.0 << 0.5;
    }
    void timeStep() {
        QFETCH(QString, line);
        QFETCH(double, point);
        QFETCH(double, comma);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(DataFile::ParseTimeStep(line), point);
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(DataFile::ParseTimeStep(line), comma);
    }

    // Both line readers, under both separators; NaN stands for a skipped line.
    void sampleLines_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<double>("point");
        QTest::addColumn<double>("comma");
        const double skip = std::nan("");
        QTest::newRow("plain") << QByteArray("1\t2.5") << 2.5 << 2.5;
        QTest::newRow("negative") << QByteArray("2\t-2.5") << -2.5 << -2.5;
        QTest::newRow("date column")
            << QByteArray("3\t-1.25\t2009-01-01 10:00:00") << -1.25 << -1.25;
        QTest::newRow("date column, positive")
            << QByteArray("3\t1.25\t2009-01-01 10:00:00") << 1.25 << 1.25;
        QTest::newRow("tiny") << QByteArray("4\t1E-6") << 1e-6 << 1e-6;
        QTest::newRow("tiny negative") << QByteArray("4\t-1.5E-7") << -1.5e-7 << -1.5e-7;
        QTest::newRow("large") << QByteArray("4\t2.5E20") << 2.5e20 << 2.5e20;
        QTest::newRow("exponent too large") << QByteArray("4\t1E400") << 0.0 << 0.0;
        QTest::newRow("exponent of many digits")
            << QByteArray("4\t1E-0000000000000000000007") << 1e-7 << 1e-7;
        QTest::newRow("lower-case exponent") << QByteArray("4\t1.5e-7") << 1.5e-7 << 1.5e-7;
        QTest::newRow("blanks") << QByteArray("  5 \t  7.25  \r") << 7.25 << 7.25;
        QTest::newRow("sign apart") << QByteArray("6\t- 3") << -3.0 << -3.0;
        QTest::newRow("sign behind") << QByteArray("6\t3-") << -3.0 << -3.0;
        QTest::newRow("sign before a tab") << QByteArray("6\t-\t5") << -5.0 << -5.0;
        QTest::newRow("sign only in the date") << QByteArray("6\t5\t-") << 5.0 << 5.0;
        QTest::newRow("letters") << QByteArray("7\tabc") << 0.0 << 0.0;
        QTest::newRow("no value") << QByteArray("7\t ") << skip << skip;
        QTest::newRow("blank value") << QByteArray("7\t \t8") << 8.0 << 8.0;
        QTest::newRow("comma by hand") << QByteArray("8\t1,5") << 0.0 << 1.5;
        QTest::newRow("two points") << QByteArray("8\t1.2.3") << 0.0 << 0.0;
        QTest::newRow("any sample number") << QByteArray("x\t9") << 9.0 << 9.0;
        QTest::newRow("empty") << QByteArray("") << skip << skip;
        QTest::newRow("blank") << QByteArray(" \t ") << skip << skip;
        QTest::newRow("no tab") << QByteArray("1.5") << skip << skip;
        QTest::newRow("no sample number") << QByteArray("\t2.5") << skip << skip;
        QTest::newRow("non-ASCII") << QByteArray("1\t\xa0"
                                                 "2.5")
                                   << 2.5 << 2.5;
        QTest::newRow("NUL") << QByteArray("1\t2\0"
                                           "5",
                                           5)
                             << 0.0 << 0.0;
    }
    void sampleLines() {
        QFETCH(QByteArray, line);
        QFETCH(double, point);
        QFETCH(double, comma);
        for (const bool german : {false, true}) {
            QLocale::setDefault(german ? QLocale(QLocale::German) : QLocale::c());
            const double expected = german ? comma : point;
            const std::optional<double> fromBytes = DataFile::ParseDataLine(QByteArrayView(line));
            const std::optional<double> fromText =
                DataFile::ParseDataLine(QStringView(QString::fromLatin1(line)));
            QCOMPARE(fromBytes.has_value(), !std::isnan(expected));
            QCOMPARE(fromText.has_value(), !std::isnan(expected));
            if (fromBytes) {
                QCOMPARE(*fromBytes, expected);
                QCOMPARE(*fromText, expected);
            }
        }
    }

    // The fast reader of plain lines must read every line as the general one does.
    void byteReaderAgreesWithTextReader_data() {
        QTest::addColumn<QString>("locale");
        for (const char* name : {"C", "de_DE", "pl_PL", "en_US", "fr_FR", "ar_EG"})
            QTest::newRow(name) << QString(name);
    }
    void byteReaderAgreesWithTextReader() {
        QFETCH(QString, locale);
        QLocale::setDefault(LocaleNamed(locale));
        QRandomGenerator random(7);
        const QByteArray alphabet = "0123456789012345.,-eE \t+x";
        for (int n = 0; n < 20000; ++n) {
            QByteArray line = QByteArray::number(random.bounded(100)) + '\t';
            const int length = random.bounded(1, 14);
            for (int i = 0; i < length; ++i)
                line += alphabet.at(random.bounded(alphabet.size()));
            const std::optional<double> fromBytes = DataFile::ParseDataLine(QByteArrayView(line));
            const std::optional<double> fromText =
                DataFile::ParseDataLine(QStringView(QString::fromLatin1(line)));
            const bool same =
                fromBytes.has_value() == fromText.has_value() &&
                (!fromBytes || std::memcmp(&*fromBytes, &*fromText, sizeof(double)) == 0 ||
                 (std::isnan(*fromBytes) && std::isnan(*fromText)));
            if (!same)
                QFAIL(qPrintable(QString("\"%1\": %2 and %3")
                                     .arg(QString::fromLatin1(line).replace('\t', "\\t"))
                                     .arg(fromBytes.value_or(-999), 0, 'g', 17)
                                     .arg(fromText.value_or(-999), 0, 'g', 17)));
        }
    }

    void fileShapes_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("step");
        QTest::addColumn<QStringList>("header");
        QTest::newRow("headerless") << QByteArray("1\t2.5\r\n2\t3.5\r\n") << QList<double>{2.5, 3.5}
                                    << 1.0 << QStringList();
        QTest::newRow("headerless, LF, no last line end")
            << QByteArray("1\t2.5\n\n2\t3.5") << QList<double>{2.5, 3.5} << 1.0 << QStringList();
        QTest::newRow("results file")
            << QByteArray("1,5\r\n-2\r\n") << QList<double>{} << 1.0 << QStringList();
        QTest::newRow("header without columns line")
            << QByteArray("* SETTINGS *\r\nTIME :\t0.5 sec\r\n1\t2\r\n") << QList<double>{} << 0.5
            << QStringList{"* SETTINGS *", "TIME :\t0.5 sec", "1\t2"};
        QTest::newRow("header without time")
            << QByteArray("* SETTINGS *\r\nSMP.\tRESULT\r\n1\t2\r\n") << QList<double>{2} << 0.0
            << QStringList{"* SETTINGS *", "SMP.\tRESULT"};
        QTest::newRow("empty file") << QByteArray() << QList<double>{} << 0.0 << QStringList();
        QTest::newRow("code page header")
            << QByteArray("* SETTINGS *\r\nUNIT :\tni\xb3ton \x81\r\nSMP.\r\n1\t4\r\n")
            << QList<double>{4} << 0.0
            << QStringList{"* SETTINGS *", QString::fromUtf8("UNIT :\tniłton \u0081"), "SMP."};
        QTest::newRow("line without end")
            << QByteArray("1\t1\n") + QByteArray(3 * 1024 * 1024, 'x') + "\n2\t2\n"
            << QList<double>{1, 2} << 1.0 << QStringList();
        QTest::newRow("long line with a value")
            << QByteArray("1\t1\n3\t") + QByteArray(2 * 1024 * 1024, '7') + "\n2\t2\n"
            << QList<double>{1, 0, 2} << 1.0 << QStringList();
    }
    void fileShapes() {
        QFETCH(QByteArray, content);
        QFETCH(QList<double>, values);
        QFETCH(double, step);
        QFETCH(QStringList, header);
        const QString path = m_dir.filePath("shape.txt");
        WriteAll(path, content);
        const DataFileContents contents = DataFile::Read(path);
        QVERIFY(contents.Opened);
        QCOMPARE(QList<double>(contents.Values.begin(), contents.Values.end()), values);
        QCOMPARE(contents.TimeStep, step);
        QCOMPARE(contents.HeaderLines, header);
    }

    // An opened file saved again keeps its header bytes, whatever the code page holds.
    void reopenedHeaderKeepsItsBytes() {
        const QString path = m_dir.filePath("bytes.txt");
        const QByteArray header = "* SETTINGS *\r\nSPEED:\tSLOW\r\nUNIT :\t\x81\x98\xb3\xe4\xdf\r\n"
                                  "COUNT :\t1\r\nTIME :\t1 sec\r\nQTY. :\t1\r\n\r\nSMP.\r\n";
        WriteAll(path, header + "1\t5\r\n");
        const DataFileContents contents = DataFile::Read(path);
        QStringList lines = contents.HeaderLines;
        QCOMPARE(DataFile::Save(path, lines, Settings("1"), Points({5})), QString());
        QCOMPARE(ReadAll(path), header + "1\t5\r\n");
    }

    // A header read from a file without its columns line must not swallow the samples saved
    // under it.
    void savedUnderAHeaderWithoutColumnsLineReopens() {
        const QString path = m_dir.filePath("nocolumns.txt");
        WriteAll(path, "* SETTINGS *\r\nTIME :\t2 sec\r\n");
        QStringList header = DataFile::Read(path).HeaderLines;
        QCOMPARE(DataFile::Save(path, header, Settings("2"), Points({7, -8, 9})), QString());
        QCOMPARE(header.last(), "SMP.\tRESULT\tDATE&TIME");
        const DataFileContents reopened = DataFile::Read(path);
        QCOMPARE(QList<double>(reopened.Values.begin(), reopened.Values.end()),
                 (QList<double>{7, -8, 9}));
        QCOMPARE(reopened.TimeStep, 2.0);
        QCOMPARE(reopened.HeaderLines, header);
    }

    void textsOutsideTheCodePage() {
        const QString path = m_dir.filePath("unit.txt");
        QStringList header;
        DataFileSettings settings = Settings();
        settings.Unit = QString::fromUtf8("Żółć €\u4e2d\U0001F600");
        QCOMPARE(DataFile::Save(path, header, settings, Points({1})), QString());
        QVERIFY(ReadAll(path).contains("UNIT :\t\xaf\xf3\xb3\xe6 \x80??\r\n"));
    }

    void severalFilesInOrder() {
        const QString first = m_dir.filePath("a.txt");
        const QString missing = m_dir.filePath("missing.txt");
        const QString third = m_dir.filePath("c.txt");
        WriteAll(first, "* SETTINGS *\r\nTIME :\t0.25 sec\r\nSMP.\r\n1\t1\r\n2\t2\r\n");
        WriteAll(third, "1\t-3\r\n");

        QList<double> steps;
        QList<double> values;
        QStringList lastHeader{"before"};
        const QStringList errors =
            DataFile::Open({first, missing, third}, [&](const DataFileContents& contents) {
                steps.append(contents.TimeStep);
                values.append(QList<double>(contents.Values.begin(), contents.Values.end()));
                lastHeader = contents.HeaderLines;
            });
        QCOMPARE(steps, (QList<double>{0.25, 1.0}));
        QCOMPARE(values, (QList<double>{1, 2, -3}));
        QCOMPARE(lastHeader, QStringList());
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QDir::toNativeSeparators(missing)),
                 qPrintable(errors.first()));
    }

    void unreadableFilesAreReported_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("folder") << "folder";
        QTest::newRow("no permission") << "permission";
    }
    void unreadableFilesAreReported() {
        QFETCH(QString, kind);
        const QString good = m_dir.filePath("good.txt");
        WriteAll(good, "1\t4\r\n");
        QVERIFY(
            QFile::setPermissions(good, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QString bad = m_dir.filePath("bad-" + kind);
        if (kind == "folder")
            QVERIFY(QDir().mkpath(bad));
        if (kind == "permission") {
            WriteAll(bad, "1\t9\r\n");
            QVERIFY(QFile::setPermissions(bad, QFileDevice::Permissions()));
        }
        QList<double> values;
        QStringList errors;
        {
            Unprivileged asUser;
            errors = DataFile::Open({bad, good}, [&](const DataFileContents& contents) {
                values.append(QList<double>(contents.Values.begin(), contents.Values.end()));
            });
        }
        QCOMPARE(values, QList<double>{4});
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QDir::toNativeSeparators(bad)),
                 qPrintable(errors.first()));
    }

    void failedSaveIsReportedAndKeepsTheOldFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("a folder of that name") << "folder";
    }
    void failedSaveIsReportedAndKeepsTheOldFile() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        OpenToOthers(dir.path());
        const QString folder = dir.filePath("out");
        QVERIFY(QDir().mkdir(folder));
        QString path = folder + "/data.txt";
        if (kind == "missing")
            path = dir.filePath("nowhere/data.txt");
        if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
        if (kind == "read-only") {
            WriteAll(path, "old");
            QVERIFY(QFile::setPermissions(path,
                                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                      QFile::ReadGroup | QFile::ExeGroup |
                                                      QFile::ReadOther | QFile::ExeOther));
            Unprivileged asUser;
            QVERIFY(QFile(path).open(QIODevice::ReadOnly));
        }
        QStringList header;
        QString error;
        {
            Unprivileged asUser;
            error = DataFile::Save(path, header, Settings(), Points({1, 2, 3}));
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(error.contains(QDir::toNativeSeparators(path)));
        if (kind == "read-only")
            QCOMPARE(ReadAll(path), "old");
    }

    // A save is told to stop by its progress, at any point: it leaves the folder as it was,
    // an older file whole and nothing new beside it. The progress counts samples, from none
    // to all.
    void givenUpSaveLeavesTheFolderAsItWas_data() {
        QTest::addColumn<QString>("stop"); // at which report the progress says stop
        QTest::addColumn<bool>("existing");
        QTest::newRow("at the first") << "first" << false;
        QTest::newRow("in the middle") << "middle" << false;
        QTest::newRow("in the middle, over an older file") << "middle" << true;
        QTest::newRow("at the last, over an older file") << "last" << true;
        QTest::newRow("never, over an older file") << "never" << true;
    }
    void givenUpSaveLeavesTheFolderAsItWas() {
        QFETCH(QString, stop);
        QFETCH(bool, existing);
        QTemporaryDir dir;
        const QString path = dir.filePath("data.txt");
        if (existing)
            WriteAll(path, "old");
        // Several blocks of lines, so that there is a middle.
        const QList<double> values = Steps(50000);
        const QList<QPointF> points = Points(values);
        QList<QPair<qint64, qint64>> reports;
        const auto progress = [&](qint64 done, qint64 total) {
            reports.append({done, total});
            return stop == "first"    ? false
                   : stop == "middle" ? reports.size() < 3
                   : stop == "last"   ? done < total
                                      : true;
        };
        QStringList header;
        const QString error = DataFile::Save(path, header, Settings(), SourceOf(points), progress);
        QCOMPARE(error.isEmpty(), stop == "never");
        QCOMPARE(reports.first(), (QPair<qint64, qint64>(0, values.size())));
        for (qsizetype i = 1; i < reports.size(); ++i) {
            QVERIFY(reports[i].first > reports[i - 1].first);
            QCOMPARE(reports[i].second, values.size());
        }
        if (stop == "middle")
            QCOMPARE(reports.size(), 3);
        if (stop == "never") {
            QCOMPARE(reports.last().first, values.size());
            QCOMPARE(ValuesOf(DataFile::Read(path)), values);
            return;
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 existing ? QStringList{"data.txt"} : QStringList());
        if (existing)
            QCOMPARE(ReadAll(path), "old");
    }

    // A point without a value breaks the chart's line (the gauge was away for a while); the
    // file has no such line, numbers its lines on, and counts only the values.
    void pointsWithoutValueAreLeftOut_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QList<QByteArray>>("lines"); // COUNT, TIME, then the samples
        const double gap = std::nan("");
        QTest::newRow("a break among samples")
            << QList<double>{1, gap, 2, 3}
            << QList<QByteArray>{"COUNT :\t3", "TIME :\t0.5 sec", "1\t1", "2\t2", "3\t3"};
        // With two samples the time is their distance, across the break.
        QTest::newRow("two samples around a break")
            << QList<double>{-1, gap, 4}
            << QList<QByteArray>{"COUNT :\t2", "TIME :\t1 sec", "1\t-1", "2\t4"};
        QTest::newRow("nothing but a break")
            << QList<double>{gap} << QList<QByteArray>{"COUNT :\t0", "TIME :\t0.5 sec"};
    }
    void pointsWithoutValueAreLeftOut() {
        QFETCH(QList<double>, values);
        QFETCH(QList<QByteArray>, lines);
        const QString path = m_dir.filePath("broken.txt");
        const QList<QPointF> points = Points(values);
        QStringList header;
        QCOMPARE(DataFile::Save(path, header, Settings(), SourceOf(points), {}), QString());
        QList<QByteArray> written = ReadAll(path).split('\n');
        written.removeLast();
        for (QByteArray& line : written)
            line.chop(1);
        QCOMPARE(written.at(5), lines.at(0));
        QCOMPARE(written.at(6), lines.at(1));
        QCOMPARE(written.mid(10), lines.mid(2));
    }

    // Reading tells the bytes read of the file's size before each piece, and stops between
    // two when told to: what was read by then is kept, and no error is reported.
    void readingReportsAndCanBeGivenUp() {
        const QString path = m_dir.filePath("pieces.txt");
        const QList<double> values = Steps(300000); // a few pieces' worth
        QStringList header;
        QCOMPARE(DataFile::Save(path, header, Settings(), Points(values)), QString());
        const qint64 size = QFileInfo(path).size();

        QList<qint64> seen;
        const DataFileContents whole = DataFile::Read(path, [&](qint64 done, qint64 total) {
            seen.append(done);
            return total == size;
        });
        QVERIFY(!whole.Canceled);
        QCOMPARE(ValuesOf(whole), values);
        QVERIFY(seen.size() > 3);
        QCOMPARE(seen.first(), 0);
        for (qsizetype i = 1; i < seen.size(); ++i)
            QVERIFY(seen[i] > seen[i - 1] && seen[i] <= size);

        int reports = 0;
        const DataFileContents part =
            DataFile::Read(path, [&](qint64, qint64) { return ++reports < 3; });
        QVERIFY(part.Opened);
        QVERIFY(part.Canceled);
        QCOMPARE(part.Error, QString());
        QCOMPARE(part.HeaderLines, header);
        QVERIFY(!part.Values.empty() && qsizetype(part.Values.size()) < values.size());
        QCOMPARE(ValuesOf(part), values.mid(0, qsizetype(part.Values.size())));
    }

    void journalReadsBackWhatWasAppended_data() {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<int>("count");
        QTest::newRow("point, a few") << false << 14;
        QTest::newRow("comma, a few") << true << 14;
        QTest::newRow("point, several batches") << false << 30000;
        QTest::newRow("comma, several batches") << true << 30000;
    }
    void journalReadsBackWhatWasAppended() {
        QFETCH(bool, comma);
        QFETCH(int, count);
        if (comma)
            QLocale::setDefault(QLocale(QLocale::Polish));
        const QList<double> values = ManyValues(count);
        RunJournal journal;
        QSignalSpy failed(&journal, &RunJournal::Failed);
        const QString path = journal.Begin(JournalHeader(), m_dir.filePath("readback"));
        for (const double value : values)
            journal.Append(value);
        journal.Flush();
        QVERIFY(!ReadAll(path).contains(','));

        const DataFileContents contents = DataFile::Read(path);
        QCOMPARE(contents.Error, QString());
        QCOMPARE(contents.TimeStep, 0.025);
        QCOMPARE(qsizetype(contents.Values.size()), values.size());
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (contents.Values[i] != values[i])
                QFAIL(qPrintable(QString("line %1: wrote %2, read %3")
                                     .arg(i + 1)
                                     .arg(values[i], 0, 'g', 17)
                                     .arg(contents.Values[i], 0, 'g', 17)));
        }
        QCoreApplication::processEvents();
        QCOMPARE(failed.count(), 0);

        // Recovered and saved, the run is an ordinary data file again, counts included.
        QStringList header = contents.HeaderLines;
        const QString saved = m_dir.filePath("recovered.txt");
        QCOMPARE(DataFile::Save(saved, header, Settings("0.025"), Points(values, 0.025)),
                 QString());
        const QString n = QString::number(values.size());
        QVERIFY(header.contains("COUNT :\t" + n));
        QVERIFY(header.contains("QTY. :\t" + n));
        QCOMPARE(ValuesOf(DataFile::Read(saved)), values);
    }

    // A crash cuts the journal anywhere, and a power cut may leave zeros behind the cut:
    // every line that got its line end is read, the cut one never (its digits could be the
    // first of a larger number). Named cuts say how many lines they keep.
    void journalCutAnywhereReadsItsWholeLines_data() {
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("zeros");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("not cut") << QByteArray() << 12 << 0 << 0u;
        QTest::newRow("in the header") << QByteArray("TIME :\t0.0") << 0 << 0 << 0u;
        QTest::newRow("after the columns line") << QByteArray("DATE&TIME\r\n") << 0 << 0 << 0u;
        QTest::newRow("after a line end") << QByteArray("3\t2.5E20\r\n") << 3 << 0 << 0u;
        QTest::newRow("between CR and LF") << QByteArray("3\t2.5E20\r") << 2 << 0 << 0u;
        QTest::newRow("in a number") << QByteArray("5\t123456.7") << 4 << 0 << 0u;
        QTest::newRow("in an exponent") << QByteArray("3\t2.5E2") << 2 << 0 << 0u;
        QTest::newRow("after an exponent's sign") << QByteArray("2\t-1.5E-") << 1 << 0 << 0u;
        QTest::newRow("after a sign") << QByteArray("6\t-") << 5 << 0 << 0u;
        QTest::newRow("after the tab") << QByteArray("6\t") << 5 << 0 << 0u;
        QTest::newRow("in a sample number") << QByteArray("11\r\n1") << 11 << 0 << 0u;
        QTest::newRow("in the last line") << QByteArray("12\t-12.7") << 11 << 0 << 0u;
        QTest::newRow("zeros after a cut number") << QByteArray("5\t123456.7") << 4 << 4096 << 0u;
        QTest::newRow("zeros after a line end") << QByteArray("4\t0.001\r\n") << 4 << 512 << 0u;
        for (quint32 seed = 1; seed <= 8; ++seed)
            QTest::addRow("random cut %u", seed)
                << QByteArray() << -1 << int(seed % 2) * 64 << seed;
    }
    void journalCutAnywhereReadsItsWholeLines() {
        QFETCH(QByteArray, after);
        QFETCH(int, lines);
        QFETCH(int, zeros);
        QFETCH(quint32, seed);
        const QList<double> values = {12.5, -1.5e-7, 2.5e20, 0.001, 123456.789, -3,
                                      7,    8,       9,      10,    11,         -12.75};
        const QString folder = m_dir.filePath("cut");
        RunJournal journal;
        const QString path = journal.Begin(JournalHeader(), folder);
        for (const double value : values)
            journal.Append(value);
        journal.Finish(false);
        journal.Flush();
        const QByteArray bytes = ReadAll(path);
        const QByteArray columns = "DATE&TIME\r\n";
        const qsizetype dataStart = bytes.indexOf(columns) + columns.size();
        QVERIFY(dataStart > columns.size());

        qsizetype cut = bytes.size();
        if (!after.isEmpty()) {
            QVERIFY(bytes.indexOf(after) >= 0);
            cut = bytes.indexOf(after) + after.size();
        }
        if (seed != 0)
            cut = QRandomGenerator(seed).bounded(dataStart, bytes.size());
        const int whole =
            cut <= dataStart ? 0 : int(bytes.mid(dataStart, cut - dataStart).count('\n'));
        if (lines >= 0)
            QCOMPARE(whole, lines);

        const QString copy = folder + "/cut.txt";
        WriteAll(copy, bytes.first(cut) + QByteArray(zeros, '\0'));
        const DataFileContents contents = DataFile::Read(copy);
        QVERIFY(contents.Opened);
        QCOMPARE(contents.Error, QString());
        QCOMPARE(ValuesOf(contents), values.first(whole));
    }

    // Whatever header the window hands over, the journal's last line is only read whole.
    void journalUnderAnyHeader_data() {
        QTest::addColumn<QStringList>("header");
        QTest::newRow("new") << JournalHeader();
        QTest::newRow("empty") << QStringList();
        QTest::newRow("without columns line") << QStringList{"* SETTINGS *", "TIME :\t0.5 sec"};
        QTest::newRow("without counts") << QStringList{"* SETTINGS *", "SMP.\tRESULT"};
        QTest::newRow("without settings line") << QStringList{"TIME :\t0.5 sec", "SMP."};
    }
    void journalUnderAnyHeader() {
        QFETCH(QStringList, header);
        RunJournal journal;
        const QString path = journal.Begin(header, m_dir.filePath("headers"));
        journal.Append(1.5);
        journal.Append(-2.25);
        journal.Flush();
        QCOMPARE(ValuesOf(DataFile::Read(path)), (QList<double>{1.5, -2.25}));
        journal.Finish(false);
        journal.Flush();
        WriteAll(path, ReadAll(path).chopped(3));
        QCOMPARE(ValuesOf(DataFile::Read(path)), QList<double>{1.5});
    }

    // Values come slowly and nobody flushes: they are on the disk within about a second.
    void journalHandsOverSlowValuesByItself() {
        RunJournal journal;
        const QString path = journal.Begin(JournalHeader(), m_dir.filePath("slow"));
        journal.Append(4);
        journal.Append(-5);
        QTRY_COMPARE_WITH_TIMEOUT(ValuesOf(DataFile::Read(path)), (QList<double>{4, -5}), 30000);
    }

    void journalFinishRemovesOrKeeps_data() {
        QTest::addColumn<bool>("remove");
        QTest::newRow("data safe elsewhere: removed") << true;
        QTest::newRow("kept") << false;
    }
    void journalFinishRemovesOrKeeps() {
        QFETCH(bool, remove);
        const QString folder = m_dir.filePath(QString("finish-%1").arg(remove));
        RunJournal journal;
        const QString path = journal.Begin(JournalHeader(), folder);
        journal.Append(1);
        journal.Append(-2);
        journal.Flush();
        QVERIFY(QFile::exists(path));
        // Still being written: no leftover of a run that ended badly.
        QCOMPARE(RunJournal::Leftovers(folder), QStringList());

        journal.Finish(remove);
        journal.Append(99);
        journal.Flush();
        QCOMPARE(QFile::exists(path), !remove);
        // Kept for its record to be stored while this process runs; a leftover once it has gone.
        QCOMPARE(RunJournal::Leftovers(folder), QStringList());
        if (remove)
            return;
        const QString left = OfEndedProcess(path);
        QCOMPARE(RunJournal::Leftovers(folder), QStringList{left});
        QCOMPARE(ValuesOf(DataFile::Read(left)), (QList<double>{1, -2}));
    }

    // Two windows at once: two files, neither taken for a leftover while written.
    void journalsOfTwoRunsAtOnce() {
        const QString folder = m_dir.filePath("two");
        RunJournal first;
        RunJournal second;
        const QString a = first.Begin(JournalHeader("0.1"), folder);
        const QString b = second.Begin(JournalHeader("0.2"), folder);
        QVERIFY(a != b);
        const QList<double> values = Steps(20000);
        for (const double value : values) {
            first.Append(value);
            second.Append(-value);
        }
        first.Flush();
        second.Flush();
        QCOMPARE(RunJournal::Leftovers(folder), QStringList());
        const DataFileContents readA = DataFile::Read(a);
        const DataFileContents readB = DataFile::Read(b);
        QCOMPARE(readA.TimeStep, 0.1);
        QCOMPARE(readB.TimeStep, 0.2);
        QCOMPARE(ValuesOf(readA), values);
        QList<double> negated;
        for (const double value : values)
            negated.append(-value);
        QCOMPARE(ValuesOf(readB), negated);

        // A second run of one window: the first journal is kept, the new one is in use.
        const QString c = first.Begin(JournalHeader("0.1"), folder);
        first.Append(3);
        first.Flush();
        QVERIFY(c != a && c != b);
        QCOMPARE(RunJournal::Leftovers(folder), QStringList());
        QCOMPARE(RunJournal::Leftovers(folder), QStringList{OfEndedProcess(a)});
        QCOMPARE(ValuesOf(DataFile::Read(c)), QList<double>{3});
    }

    // Newest first by their last write; empty files and other files are none.
    void journalLeftoversNewestFirst() {
        const QString folder = m_dir.filePath("leftovers");
        QStringList paths;
        for (int i = 0; i < 3; ++i) {
            RunJournal journal;
            paths.append(journal.Begin(JournalHeader(), folder));
            journal.Append(i);
        }
        for (QString& path : paths)
            path = OfEndedProcess(path);
        WriteAll(folder + "/run-empty.txt", QByteArray());
        WriteAll(folder + "/notes.txt", "1\t2\r\n");
        const QDateTime now = QDateTime::currentDateTime();
        const auto touch = [](const QString& path, const QDateTime& time) {
            QFile file(path);
            return file.open(QIODevice::ReadWrite) &&
                   file.setFileTime(time, QFileDevice::FileModificationTime);
        };
        QVERIFY(touch(paths[0], now.addSecs(-60)));
        QVERIFY(touch(paths[1], now.addSecs(-3600)));
        QVERIFY(touch(paths[2], now.addSecs(-600)));
        QCOMPARE(RunJournal::Leftovers(folder), (QStringList{paths[0], paths[2], paths[1]}));
        QVERIFY(touch(paths[1], now));
        QCOMPARE(RunJournal::Leftovers(folder), (QStringList{paths[1], paths[0], paths[2]}));
        QCOMPARE(RunJournal::Leftovers(m_dir.filePath("no such folder")), QStringList());
    }

    // Destroyed right after the last values: all of them are written, and the file stays for
    // a recovery (the run did not end with Finish).
    void journalDestroyedRightAfterAppend_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("one") << 1;
        QTest::newRow("part of a batch") << 5000;
        QTest::newRow("batches and a part") << 50000;
    }
    void journalDestroyedRightAfterAppend() {
        QFETCH(int, count);
        const QString folder = m_dir.filePath(QString("destroyed-%1").arg(count));
        const QList<double> values = Steps(count);
        QString path;
        {
            RunJournal journal;
            path = journal.Begin(JournalHeader(), folder);
            for (const double value : values)
                journal.Append(value);
        }
        QCOMPARE(ValuesOf(DataFile::Read(path)), values);
        QCOMPARE(RunJournal::Leftovers(folder), QStringList{OfEndedProcess(path)});
    }

    // Whether the writer of a journal still runs is told by its name: the process number,
    // and the moment it was named, which a later process of the same number cannot precede.
    void journalOfAProcessThatRuns_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("leftover");
        const QString pid = QString::number(QCoreApplication::applicationPid());
        const QString now = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
        QTest::newRow("this process, named now")
            << "run-" + now + "-" + pid + "-0-abc.txt" << false;
        QTest::newRow("this number, named before it began")
            << "run-20000101-000000-" + pid + "-0-abc.txt" << true;
        QTest::newRow("no such process") << "run-" + now + "-2147483646-0-abc.txt" << true;
        QTest::newRow("a name of another form") << QString("run-x.txt") << true;
    }
    void journalOfAProcessThatRuns() {
        QFETCH(QString, name);
        QFETCH(bool, leftover);
        const QString folder = m_dir.filePath("named");
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        WriteAll(folder + "/" + name, JournalHeader().join("\r\n").toLatin1() + "\r\n1\t2\r\n");
        QCOMPARE(RunJournal::Leftovers(folder),
                 leftover ? QStringList{folder + "/" + name} : QStringList());
    }

    void journalInAFolderItCannotWrite_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("missing under a read-only folder") << "missing";
        QTest::newRow("a file in its place") << "file";
    }
    void journalInAFolderItCannotWrite() {
        QFETCH(QString, kind);
        const QString readOnly = m_dir.filePath("read-only-" + kind);
        QVERIFY(QDir().mkpath(readOnly));
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner |
                                                    QFile::ReadGroup | QFile::ExeGroup |
                                                    QFile::ReadOther | QFile::ExeOther));
        QString folder = readOnly;
        if (kind == "missing")
            folder = readOnly + "/recovery";
        if (kind == "file") {
            folder = m_dir.filePath("in-the-way");
            WriteAll(folder, "x");
        }
        std::unique_ptr<RunJournal> journal;
        {
            // The journal's thread starts as the ordinary user, and stays one.
            Unprivileged asUser;
            journal = std::make_unique<RunJournal>();
        }
        QSignalSpy failed(journal.get(), &RunJournal::Failed);
        const QString path = journal->Begin(JournalHeader(), folder);
        for (const double value : Steps(20000))
            journal->Append(value);
        journal->Flush();
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 30000);
        QVERIFY2(failed.at(0).at(0).toString().contains(QDir::toNativeSeparators(path)),
                 qPrintable(failed.at(0).at(0).toString()));
        QVERIFY(!QFile::exists(path));
        journal->Finish(true);
        journal.reset();
        QCoreApplication::processEvents();
        QCOMPARE(failed.count(), 1);
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The disk fills up: reported once, the file keeps ending in a whole line, and what did
    // not fit is written once there is room again.
    void journalOnAFullDisk() {
        RunJournal journal;
        QSignalSpy failed(&journal, &RunJournal::Failed);
        const QString path = journal.Begin(JournalHeader(), m_dir.filePath("full"));
        journal.Flush();
        const QList<double> values = ManyValues(20000);
        {
            FileSizeLimit limit(rlim_t(QFileInfo(path).size()) + 4096);
            QVERIFY(limit.IsSet());
            for (const double value : values)
                journal.Append(value);
            journal.Flush();
            QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 30000);
            QVERIFY(ReadAll(path).endsWith("\r\n"));
            const QList<double> meanwhile = ValuesOf(DataFile::Read(path));
            QCOMPARE(meanwhile, values.first(meanwhile.size()));
        }
        journal.Append(1.25);
        journal.Flush();
        QCOMPARE(ValuesOf(DataFile::Read(path)), values + QList<double>{1.25});
        QCoreApplication::processEvents();
        QCOMPARE(failed.count(), 1);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
