#include "link/SerialSettings.h"

#include "state/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>

#include <array>
#include <utility>

namespace {

using Baud = SerialSettings::Baud;
using Data = SerialSettings::Data;
using Stop = SerialSettings::Stop;
using ParityKind = SerialSettings::ParityKind;
using Flow = SerialSettings::Flow;

template <typename E, std::size_t N> using TextTable = std::array<std::pair<E, const char*>, N>;

constexpr TextTable<Baud, 16> BaudTexts{{
    {Baud::Custom, "Custom"},
    {Baud::B110, "110"},
    {Baud::B300, "300"},
    {Baud::B600, "600"},
    {Baud::B1200, "1200"},
    {Baud::B2400, "2400"},
    {Baud::B4800, "4800"},
    {Baud::B9600, "9600"},
    {Baud::B14400, "14400"},
    {Baud::B19200, "19200"},
    {Baud::B38400, "38400"},
    {Baud::B56000, "56000"},
    {Baud::B57600, "57600"},
    {Baud::B115200, "115200"},
    {Baud::B128000, "128000"},
    {Baud::B256000, "256000"},
}};
constexpr TextTable<Data, 4> DataTexts{{
    {Data::Five, "5"},
    {Data::Six, "6"},
    {Data::Seven, "7"},
    {Data::Eight, "8"},
}};
constexpr TextTable<Stop, 3> StopTexts{{
    {Stop::One, "1"},
    {Stop::OneAndHalf, "1.5"},
    {Stop::Two, "2"},
}};
constexpr TextTable<ParityKind, 5> ParityTexts{{
    {ParityKind::None, "None"},
    {ParityKind::Odd, "Odd"},
    {ParityKind::Even, "Even"},
    {ParityKind::Mark, "Mark"},
    {ParityKind::Space, "Space"},
}};
constexpr TextTable<Flow, 4> FlowTexts{{
    {Flow::Hardware, "Hardware"},
    {Flow::Software, "Software"},
    {Flow::None, "None"},
    {Flow::Custom, "Custom"},
}};

template <typename E, std::size_t N> QStringList AllTexts(const TextTable<E, N>& table) {
    QStringList texts;
    for (const auto& entry : table)
        texts << QString::fromLatin1(entry.second);
    return texts;
}

template <typename E, std::size_t N> QString TextOf(const TextTable<E, N>& table, E value) {
    for (const auto& entry : table) {
        if (entry.first == value)
            return QString::fromLatin1(entry.second);
    }
    return {};
}

template <typename E, std::size_t N>
std::optional<E> ValueOf(const TextTable<E, N>& table, const QString& text) {
    const QString wanted = text.trimmed();
    for (const auto& entry : table) {
        if (wanted.compare(QLatin1String(entry.second), Qt::CaseInsensitive) == 0)
            return entry.first;
    }
    return std::nullopt;
}

constexpr std::int32_t FallbackBaudRate = 9600;
// Larger files are not ours; reading stops there rather than filling memory.
constexpr qint64 MaxIniSize = 1024 * 1024;

namespace Key {
constexpr char Port[] = "Port";
constexpr char BaudRate[] = "BaudRate";
constexpr char CustomBaudRate[] = "CustomBaudRate";
constexpr char StopBits[] = "StopBits";
constexpr char DataBits[] = "DataBits";
constexpr char Parity[] = "Parity";
constexpr char FlowControl[] = "FlowControl";
} // namespace Key

constexpr char Section[] = "ComPort1";

// The lines as they stand, a CR before the LF included.
QList<QByteArray> RawLines(const QByteArray& content) {
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QList<QByteArray> SplitLines(const QByteArray& content) {
    QList<QByteArray> lines = RawLines(content);
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QString> SectionName(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return QString::fromUtf8(trimmed.mid(1, close - 1)).trimmed();
}

bool IsOurSection(const QString& name) {
    return name.compare(QLatin1String(Section), Qt::CaseInsensitive) == 0;
}

QString Unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// Keys of our section, lower-cased; the first occurrence of a key wins.
QHash<QString, QString> ReadSection(const QByteArray& content) {
    QHash<QString, QString> values;
    bool inSection = false;
    for (const QByteArray& line : SplitLines(content)) {
        if (const auto name = SectionName(line)) {
            inSection = IsOurSection(*name);
            continue;
        }
        if (!inSection)
            continue;
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith(';') || trimmed.startsWith('#'))
            continue;
        const qsizetype equals = trimmed.indexOf('=');
        if (equals <= 0)
            continue;
        const QString key = QString::fromUtf8(trimmed.left(equals)).trimmed().toLower();
        if (!values.contains(key))
            values.insert(key, Unquoted(QString::fromUtf8(trimmed.mid(equals + 1)).trimmed()));
    }
    return values;
}

std::optional<QString> Value(const QHash<QString, QString>& values, const char* key) {
    const auto found = values.constFind(QString::fromLatin1(key).toLower());
    if (found == values.constEnd())
        return std::nullopt;
    return *found;
}

// A written value must stay on its line.
QByteArray Sanitized(const QString& value) {
    QString clean;
    for (const QChar c : value) {
        if (c.category() != QChar::Other_Control)
            clean += c;
    }
    return clean.trimmed().toUtf8();
}

QByteArray SectionText(const SerialSettings& s) {
    QByteArray text;
    const auto add = [&text](const char* key, const QByteArray& value) {
        text += key;
        text += '=';
        text += value;
        text += '\n';
    };
    text += '[';
    text += Section;
    text += "]\n";
    add(Key::Port, Sanitized(s.Port));
    add(Key::BaudRate, SerialText::ToText(s.BaudRate).toLatin1());
    if (s.BaudRate == Baud::Custom)
        add(Key::CustomBaudRate, QByteArray::number(s.CustomBaudRate));
    add(Key::StopBits, SerialText::ToText(s.StopBits).toLatin1());
    add(Key::DataBits, SerialText::ToText(s.DataBits).toLatin1());
    add(Key::Parity, SerialText::ToText(s.Parity).toLatin1());
    add(Key::FlowControl, SerialText::ToText(s.FlowControl).toLatin1());
    return text;
}

} // namespace

std::int32_t SerialSettings::BitsPerSecond() const {
    if (BaudRate == Baud::Custom)
        return CustomBaudRate;
    return TextOf(BaudTexts, BaudRate).toInt();
}

namespace SerialText {

QStringList BaudRates() {
    return AllTexts(BaudTexts);
}
QStringList DataBits() {
    return AllTexts(DataTexts);
}
QStringList StopBits() {
    return AllTexts(StopTexts);
}
QStringList Parities() {
    return AllTexts(ParityTexts);
}
QStringList FlowControls() {
    return AllTexts(FlowTexts);
}

QString ToText(Baud value) {
    return TextOf(BaudTexts, value);
}
QString ToText(Data value) {
    return TextOf(DataTexts, value);
}
QString ToText(Stop value) {
    return TextOf(StopTexts, value);
}
QString ToText(ParityKind value) {
    return TextOf(ParityTexts, value);
}
QString ToText(Flow value) {
    return TextOf(FlowTexts, value);
}

std::optional<Baud> BaudFromText(const QString& text) {
    return ValueOf(BaudTexts, text);
}
std::optional<Data> DataFromText(const QString& text) {
    return ValueOf(DataTexts, text);
}
std::optional<Stop> StopFromText(const QString& text) {
    return ValueOf(StopTexts, text);
}
std::optional<ParityKind> ParityFromText(const QString& text) {
    return ValueOf(ParityTexts, text);
}
std::optional<Flow> FlowFromText(const QString& text) {
    return ValueOf(FlowTexts, text);
}

} // namespace SerialText

namespace ComPortIni {

QString DefaultPath() {
    return QDir(AppPaths::WritableProgramDir()).filePath(QLatin1String(FileName));
}

SerialSettings Parse(const QByteArray& content, const SerialSettings& current) {
    const QHash<QString, QString> values = ReadSection(content);
    SerialSettings s = current;

    // Read as it would be written: control characters never stay in a port name, and a
    // name of nothing else is no name (read raw, it was saved as an empty one, which the
    // next start read as the port before it).
    if (const auto port = Value(values, Key::Port)) {
        if (const QString clean = QString::fromUtf8(Sanitized(*port)); !clean.isEmpty())
            s.Port = clean;
    }
    if (const auto text = Value(values, Key::BaudRate))
        s.BaudRate = SerialText::BaudFromText(*text).value_or(Baud::B9600);
    if (s.BaudRate == Baud::Custom) {
        bool ok = false;
        const int rate = Value(values, Key::CustomBaudRate).value_or(QString()).toInt(&ok);
        s.CustomBaudRate = ok && rate > 0 ? rate : FallbackBaudRate;
    }
    if (const auto text = Value(values, Key::StopBits))
        s.StopBits = SerialText::StopFromText(*text).value_or(Stop::One);
    if (const auto text = Value(values, Key::DataBits))
        s.DataBits = SerialText::DataFromText(*text).value_or(Data::Eight);
    if (const auto text = Value(values, Key::Parity))
        s.Parity = SerialText::ParityFromText(*text).value_or(ParityKind::None);
    if (const auto text = Value(values, Key::FlowControl)) {
        const Flow flow = SerialText::FlowFromText(*text).value_or(Flow::Custom);
        if (flow != Flow::Custom)
            s.FlowControl = flow;
    }
    return s;
}

QByteArray Compose(const QByteArray& existing, const SerialSettings& settings) {
    QByteArray out;
    bool written = false;
    bool skipping = false;
    // Other lines are copied with their own line ends: read without them and written back,
    // a line ending in two CRs lost one at every save.
    for (const QByteArray& line : RawLines(existing)) {
        if (const auto name = SectionName(line)) {
            skipping = IsOurSection(*name);
            if (skipping && !written) {
                out += SectionText(settings);
                written = true;
            }
            if (skipping)
                continue;
        }
        if (!skipping) {
            out += line;
            out += '\n';
        }
    }
    if (!written)
        out += SectionText(settings);
    return out;
}

SerialSettings Load(const QString& path, const SerialSettings& current) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return current;
    return Parse(file.read(MaxIniSize), current);
}

bool Save(const QString& path, const SerialSettings& settings) {
    QByteArray existing;
    QFile old(path);
    if (old.open(QIODevice::ReadOnly))
        existing = old.read(MaxIniSize);
    old.close();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray content = Compose(existing, settings);
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace ComPortIni
