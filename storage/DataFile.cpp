#include "storage/DataFile.h"

#include "protocol/Numbers.h"
#include "storage/CodePage1250.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Header texts, as every data file has carried them.
const QString SettingsLine = QStringLiteral("* SETTINGS *");
const QString SpeedPrefix = QStringLiteral("SPEED:\t");
const QString DataHeaderLine = QStringLiteral("DATA :\tR/-");
const QString UnitPrefix = QStringLiteral("UNIT :\t");
const QString CountPrefix = QStringLiteral("COUNT :\t");
const QString TimePrefix = QStringLiteral("TIME :\t");
const QString TimeSuffix = QStringLiteral(" sec");
const QString QuantityPrefix = QStringLiteral("QTY. :\t");
// In place of the counts while the file is still being written.
const QString UnfinishedCount = QStringLiteral("RUNNING");
const QString ColumnsLine = QStringLiteral("SMP.\tRESULT\tDATE&TIME");

const QString SettingsMarker = QStringLiteral("SETTINGS");
const QString DataMarker = QStringLiteral("DATA");
const QString TimeMarker = QStringLiteral("TIME :");
const QString QuantityMarker = QStringLiteral("QTY");
const QString CountMarker = QStringLiteral("COUNT");
const QString ColumnsMarker = QStringLiteral("SMP.");
const QString SecondsMarker = QStringLiteral("sec");

constexpr QByteArrayView LineEnd{"\r\n"};
constexpr qint64 ReadChunk = 1 << 20;
constexpr qsizetype WriteChunk = 1 << 16;
// Bytes of a sample line as short as a long file has them ("123\t-1.5\r\n").
constexpr qint64 ShortestUsualLine = 10;
// No sample line is anywhere near this long; a longer line is cut, so that a file without
// line ends cannot take all memory.
constexpr qsizetype MaxLineLength = 1 << 20;

// How the default locale reads numbers, fixed once per file.
struct NumberRules {
    QChar Separator;
    // Plain texts ("-12.5", "1E-6") are converted here without the locale: they read the
    // same under every locale that writes its numbers with ASCII digits, "-" and "E".
    bool Direct = false;

    static NumberRules Current() {
        const QLocale locale;
        NumberRules rules;
        rules.Separator = SystemDecimalSeparator();
        rules.Direct =
            (rules.Separator == QLatin1Char('.') || rules.Separator == QLatin1Char(',')) &&
            locale.zeroDigit() == QLatin1String("0") &&
            locale.negativeSign() == QLatin1String("-") &&
            locale.exponential().compare(QLatin1String("e"), Qt::CaseInsensitive) == 0;
        return rules;
    }
};

bool IsAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

QByteArrayView TrimAscii(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsAsciiSpace(text[begin]))
        ++begin;
    while (end > begin && IsAsciiSpace(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool IsAscii(QByteArrayView text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// The "-" that makes a sample negative: the first one, unless it is the sign of an
// exponent ("1.5E-6" is a small positive value).
template <typename Text> qsizetype SignPosition(const Text& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '-')
            continue;
        if (i > 0 && (text[i - 1] == 'E' || text[i - 1] == 'e'))
            continue;
        return i;
    }
    return -1;
}

// Digits, an optional separator with digits, an optional exponent; nothing when the text
// has another form, or could fall outside the normal range of a double.
std::optional<double> DirectNumber(QByteArrayView text, const NumberRules& rules) {
    constexpr qsizetype MaxText = 40;
    constexpr int MaxDigits = 17;
    constexpr int MaxExponentDigits = 3;
    constexpr int MaxExponent = 290;
    if (!rules.Direct || text.isEmpty() || text.size() > MaxText)
        return std::nullopt;

    std::array<char, MaxText + 1> buffer{};
    qsizetype i = 0;
    qsizetype out = 0;
    int digits = 0;
    const auto isDigit = [&](qsizetype at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    const auto copyDigits = [&] {
        int count = 0;
        while (isDigit(i)) {
            buffer[out++] = text[i++];
            ++count;
        }
        return count;
    };

    digits = copyDigits();
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == '.' || text[i] == rules.Separator.toLatin1())) {
        buffer[out++] = '.';
        ++i;
        const int fraction = copyDigits();
        if (fraction == 0)
            return std::nullopt;
        digits += fraction;
    }
    if (digits > MaxDigits)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        buffer[out++] = 'e';
        ++i;
        if (i < text.size() && text[i] == '-')
            buffer[out++] = text[i++];
        int exponent = 0;
        int exponentDigits = 0;
        while (isDigit(i)) {
            if (++exponentDigits <= MaxExponentDigits)
                exponent = exponent * 10 + (text[i] - '0');
            buffer[out++] = text[i++];
        }
        if (exponentDigits == 0 || exponentDigits > MaxExponentDigits || exponent > MaxExponent)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    double value = 0.0;
    const auto [end, error] = std::from_chars(buffer.data(), buffer.data() + out, value);
    if (error != std::errc() || end != buffer.data() + out)
        return std::nullopt;
    return value;
}

// Every "." stands for the system separator, then the locale converts; not a number is 0.
double LocaleValue(QString text, QChar separator) {
    text.replace(QLatin1Char('.'), separator);
    return ToNumber(text).value_or(0.0);
}

std::optional<double> ParseTextLine(QStringView raw) {
    const QChar separator = SystemDecimalSeparator();
    QString line = raw.trimmed().toString();
    if (line.isEmpty())
        return std::nullopt;
    line.replace(QLatin1Char('.'), separator);
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab < 0 || QStringView(line).first(tab).trimmed().isEmpty())
        return std::nullopt;

    QString rest = line.sliced(tab + 1).trimmed();
    const qsizetype restTab = rest.indexOf(QLatin1Char('\t'));
    const qsizetype minus = SignPosition(rest);
    const bool negative = minus >= 0 && (restTab < 0 || minus < restTab);
    if (negative) {
        rest.remove(minus, 1);
        rest = rest.trimmed();
    }
    const qsizetype valueEnd = rest.indexOf(QLatin1Char('\t'));
    const QString text = (valueEnd < 0 ? rest : rest.first(valueEnd)).trimmed();
    const double value = ToNumber(text).value_or(0.0);
    return negative ? -value : value;
}

std::optional<double> ParseByteLine(QByteArrayView raw, const NumberRules& rules) {
    if (!rules.Direct || !IsAscii(raw))
        return ParseTextLine(CodePage1250::Decode(raw));

    const QByteArrayView line = TrimAscii(raw);
    const qsizetype tab = line.indexOf('\t');
    if (tab < 0 || TrimAscii(line.first(tab)).isEmpty())
        return std::nullopt;

    QByteArrayView rest = TrimAscii(line.sliced(tab + 1));
    const qsizetype restTab = rest.indexOf('\t');
    const qsizetype minus = SignPosition(rest);
    const bool negative = minus >= 0 && (restTab < 0 || minus < restTab);
    std::array<char, 256> withoutSign{};
    if (negative) {
        if (rest.size() > qsizetype(withoutSign.size()))
            return ParseTextLine(CodePage1250::Decode(raw));
        std::memcpy(withoutSign.data(), rest.data(), minus);
        std::memcpy(withoutSign.data() + minus, rest.data() + minus + 1, rest.size() - minus - 1);
        rest = TrimAscii(QByteArrayView(withoutSign.data(), rest.size() - 1));
    }
    const qsizetype valueEnd = rest.indexOf('\t');
    const QByteArrayView text = TrimAscii(valueEnd < 0 ? rest : rest.first(valueEnd));
    const std::optional<double> direct = DirectNumber(text, rules);
    const double value = direct ? *direct : LocaleValue(QString::fromLatin1(text), rules.Separator);
    return negative ? -value : value;
}

// Reads a data file's lines in turn: header lines until the "SMP." line, samples after it.
class FileParser {
public:
    explicit FileParser(DataFileContents& contents)
        : m_contents(contents)
        , m_rules(NumberRules::Current()) {}

    void Line(QByteArrayView line) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (m_dataMode) {
            Sample(line);
            return;
        }
        const QString text = CodePage1250::Decode(line);
        if (m_first) {
            m_first = false;
            if (!text.contains(SettingsMarker)) {
                // No header: the file is nothing but samples, one second apart.
                m_dataMode = true;
                m_contents.TimeStep = 1.0;
                Sample(line);
                return;
            }
        }
        m_contents.HeaderLines.append(text);
        if (text.contains(TimeMarker))
            m_contents.TimeStep = DataFile::ParseTimeStep(text);
        if (text == CountPrefix + UnfinishedCount)
            m_unfinished = true;
        if (text.contains(ColumnsMarker))
            m_dataMode = true;
    }

    bool Unfinished() const { return m_unfinished; }

private:
    void Sample(QByteArrayView line) {
        if (const std::optional<double> value = ParseByteLine(line, m_rules))
            m_contents.Values.push_back(*value);
    }

    DataFileContents& m_contents;
    NumberRules m_rules;
    bool m_first = true;
    bool m_dataMode = false;
    bool m_unfinished = false;
};

// DataFile::TimeStepText for samples asked for one at a time.
template <typename PointAt>
QString TimeStepTextOf(qsizetype count, PointAt pointAt, const QString& sampleTimeField) {
    QString text = count == 2 ? FormatGeneral(pointAt(1).x() - pointAt(0).x(), QLatin1Char('.'))
                              : sampleTimeField;
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text[comma] = QLatin1Char('.');
    return text;
}

QString NativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QStringList DataFile::NewHeader(const DataFileSettings& settings, qsizetype count,
                                const QString& timeStep) {
    const QString n = QString::number(count);
    return {SettingsLine,
            SpeedPrefix + settings.Speed,
            SpeedPrefix + settings.Acquisition,
            DataHeaderLine,
            UnitPrefix + settings.Unit,
            CountPrefix + n,
            TimePrefix + timeStep + TimeSuffix,
            QuantityPrefix + n,
            QString(),
            ColumnsLine};
}

void DataFile::RefreshHeader(QStringList& headerLines, qsizetype count, const QString& timeStep) {
    const QString n = QString::number(count);
    for (QString& line : headerLines) {
        if (line.contains(DataMarker))
            line = DataHeaderLine;
        if (line.contains(TimeMarker))
            line = TimePrefix + timeStep + TimeSuffix;
        if (line.contains(QuantityMarker))
            line = QuantityPrefix + n;
        if (line.contains(CountMarker))
            line = CountPrefix + n;
    }
}

void DataFile::MarkUnfinished(QStringList& headerLines) {
    if (headerLines.isEmpty() || !headerLines.constFirst().contains(SettingsMarker))
        headerLines.prepend(SettingsLine);
    bool marked = false;
    qsizetype columns = -1;
    for (qsizetype i = 0; i < headerLines.size(); ++i) {
        QString& line = headerLines[i];
        if (line.contains(QuantityMarker))
            line = QuantityPrefix + UnfinishedCount;
        if (line.contains(CountMarker)) {
            line = CountPrefix + UnfinishedCount;
            marked = true;
        }
        if (columns < 0 && line.contains(ColumnsMarker))
            columns = i;
    }
    if (columns < 0) {
        columns = headerLines.size();
        headerLines.append(ColumnsLine);
    }
    // Before the columns line: a reader takes everything after it for samples.
    if (!marked)
        headerLines.insert(columns, CountPrefix + UnfinishedCount);
}

void DataFile::AppendSampleLine(QByteArray& out, qsizetype number, double value) {
    // Built on the stack: a day's run has a hundred million of these lines.
    std::array<char, 24 + GeneralTextMax + 2> line{};
    char* p = std::to_chars(line.data(), line.data() + 24, qint64(number)).ptr;
    *p++ = '\t';
    p += WriteGeneral(p, value, '.');
    *p++ = '\r';
    *p++ = '\n';
    out.append(line.data(), p - line.data());
}

QString DataFile::TimeStepText(const QList<QPointF>& points, const QString& sampleTimeField) {
    return TimeStepTextOf(
        points.size(), [&points](qsizetype i) { return points.at(i); }, sampleTimeField);
}

double DataFile::ParseTimeStep(const QString& line) {
    QString text = line;
    const qsizetype marker = text.indexOf(TimeMarker);
    if (marker >= 0)
        text.remove(marker, TimeMarker.size());
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0)
        text[point] = SystemDecimalSeparator();
    const qsizetype seconds = text.indexOf(SecondsMarker);
    if (seconds > 0)
        text.truncate(seconds);
    else
        text.chop(1);
    return ToNumber(text.trimmed()).value_or(0.0);
}

std::optional<double> DataFile::ParseDataLine(QStringView line) {
    return ParseTextLine(line);
}

std::optional<double> DataFile::ParseDataLine(QByteArrayView line) {
    return ParseByteLine(line, NumberRules::Current());
}

QString DataFile::Save(const QString& path, QStringList& headerLines,
                       const DataFileSettings& settings, const QList<QPointF>& points) {
    return Save(path, headerLines, settings,
                {points.size(), [&points](qsizetype i) { return points.at(i); }}, {});
}

QString DataFile::Save(const QString& path, QStringList& headerLines,
                       const DataFileSettings& settings, const SampleSource& samples,
                       const Progress& progress) {
    const auto failure = [&path](const QString& reason) {
        return tr("Nie można zapisać pliku %1: %2").arg(NativePath(path), reason);
    };

    // Written beside the target and renamed over it, so that a failed or abandoned save
    // leaves the file that was there before.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());

    // A point without a value breaks the chart's line where the link to the gauge was lost;
    // a data file has no way to say so, and a reader would take such a line for 0.
    qsizetype count = 0;
    std::array<qsizetype, 2> firstTwo{};
    for (qsizetype i = 0; i < samples.Count; ++i) {
        if (std::isfinite(samples.At(i).y())) {
            if (count < 2)
                firstTwo[count] = i;
            ++count;
        }
    }
    const QString timeStep = TimeStepTextOf(
        count, [&](qsizetype i) { return samples.At(firstTwo[i]); }, settings.SampleTime);
    if (headerLines.isEmpty())
        headerLines = NewHeader(settings, count, timeStep);
    RefreshHeader(headerLines, count, timeStep);
    // The header of an opened file that had no columns line would make every sample of this
    // file part of the header when it is opened again.
    if (!std::any_of(headerLines.cbegin(), headerLines.cend(),
                     [](const QString& line) { return line.contains(ColumnsMarker); }))
        headerLines.append(ColumnsLine);

    QByteArray out;
    out.reserve(WriteChunk + 1024);
    const auto goOn = [&](qsizetype taken) { return !progress || progress(taken, samples.Count); };
    const auto flush = [&] {
        const bool written = file.write(out) == out.size();
        out.clear();
        return written;
    };
    if (!goOn(0)) {
        file.cancelWriting();
        return failure(tr("zapis przerwany"));
    }
    bool ok = true;
    bool given = false;
    for (const QString& line : headerLines) {
        out += CodePage1250::Encode(line);
        out += LineEnd;
    }
    qsizetype number = 0;
    for (qsizetype i = 0; i < samples.Count && ok && !given; ++i) {
        const double value = samples.At(i).y();
        if (!std::isfinite(value))
            continue;
        AppendSampleLine(out, ++number, value);
        if (out.size() >= WriteChunk) {
            ok = flush();
            given = !goOn(i + 1);
        }
    }
    if (ok && !given)
        ok = flush();
    if (given || (ok && !goOn(samples.Count))) {
        file.cancelWriting();
        return failure(tr("zapis przerwany"));
    }
    if (!ok || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    return {};
}

DataFileContents DataFile::Read(const QString& path, const Progress& progress) {
    DataFileContents contents;
    contents.Path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.Error =
            tr("Nie można otworzyć pliku %1: %2").arg(NativePath(path), file.errorString());
        return contents;
    }
    contents.Opened = true;

    FileParser parser(contents);
    std::vector<char> chunk(ReadChunk);
    QByteArray pending; // the start of a line that continues in the next chunk
    bool cut = false;   // the pending line reached the length limit; the rest is dropped
    const auto keep = [&](const char* from, qsizetype length) {
        if (cut)
            return;
        const qsizetype room = MaxLineLength - pending.size();
        if (length > room) {
            length = room;
            cut = true;
        }
        pending.append(from, length);
    };

    const qint64 size = file.size();
    qint64 taken = 0;
    // Room for the values of the shortest usual lines, so that a day's run is not copied
    // again and again as it grows; what stays unused is never touched.
    try {
        contents.Values.reserve(std::size_t(size / ShortestUsualLine));
    } catch (const std::bad_alloc&) {
        // The values grow as they come instead.
    }
    // What a file too large for memory leaves is reported, with the values read by then.
    try {
        for (;;) {
            if (progress && !progress(taken, size)) {
                contents.Canceled = true;
                return contents;
            }
            const qint64 got = file.read(chunk.data(), ReadChunk);
            if (got < 0) {
                contents.Error =
                    tr("Błąd odczytu pliku %1: %2").arg(NativePath(path), file.errorString());
                break;
            }
            if (got == 0)
                break;
            taken += got;
            const char* p = chunk.data();
            const char* const end = p + got;
            while (p < end) {
                const char* newline = static_cast<const char*>(std::memchr(p, '\n', end - p));
                if (!newline) {
                    keep(p, end - p);
                    break;
                }
                if (pending.isEmpty() && !cut && newline - p <= MaxLineLength) {
                    parser.Line(QByteArrayView(p, newline - p));
                } else {
                    keep(p, newline - p);
                    parser.Line(pending);
                    pending.clear();
                    cut = false;
                }
                p = newline + 1;
            }
        }
        // A file still being written may end in the part of a line that a crash cut short: its
        // value could be the first digits of another.
        if (!pending.isEmpty() && !parser.Unfinished())
            parser.Line(pending);
    } catch (const std::bad_alloc&) {
        contents.Error = tr("Za mało pamięci, aby wczytać cały plik %1").arg(NativePath(path));
    }
    return contents;
}

QStringList DataFile::Open(const QStringList& paths,
                           const std::function<void(const DataFileContents&)>& onFile) {
    QStringList errors;
    for (const QString& path : paths) {
        const DataFileContents contents = Read(path);
        if (contents.Opened && onFile)
            onFile(contents);
        if (!contents.Error.isEmpty())
            errors.append(contents.Error);
    }
    return errors;
}
