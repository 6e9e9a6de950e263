#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The six basic settings of the gauge's serial port, with the text forms that "ComPort.ini"
// and the advanced dialog use.
struct SerialSettings {
    enum class Baud {
        Custom,
        B110,
        B300,
        B600,
        B1200,
        B2400,
        B4800,
        B9600,
        B14400,
        B19200,
        B38400,
        B56000,
        B57600,
        B115200,
        B128000,
        B256000,
    };
    enum class Data { Five, Six, Seven, Eight };
    enum class Stop { One, OneAndHalf, Two };
    enum class ParityKind { None, Odd, Even, Mark, Space };
    // Custom is never applied to a port: it means "keep the flow control as it is".
    enum class Flow { Hardware, Software, None, Custom };

    QString Port = QStringLiteral("COM1");
    Baud BaudRate = Baud::B9600;
    // Only used when BaudRate is Custom.
    std::int32_t CustomBaudRate = 9600;
    Data DataBits = Data::Eight;
    Stop StopBits = Stop::One;
    ParityKind Parity = ParityKind::None;
    Flow FlowControl = Flow::None;

    // Bits per second that the port is set to.
    std::int32_t BitsPerSecond() const;

    bool operator==(const SerialSettings&) const = default;
};

// Text forms in the order the lists show them; the same words "ComPort.ini" stores.
namespace SerialText {

QStringList BaudRates();
QStringList DataBits();
QStringList StopBits();
QStringList Parities();
QStringList FlowControls();

QString ToText(SerialSettings::Baud value);
QString ToText(SerialSettings::Data value);
QString ToText(SerialSettings::Stop value);
QString ToText(SerialSettings::ParityKind value);
QString ToText(SerialSettings::Flow value);

// Letter case does not matter; surrounding blanks are ignored.
std::optional<SerialSettings::Baud> BaudFromText(const QString& text);
std::optional<SerialSettings::Data> DataFromText(const QString& text);
std::optional<SerialSettings::Stop> StopFromText(const QString& text);
std::optional<SerialSettings::ParityKind> ParityFromText(const QString& text);
std::optional<SerialSettings::Flow> FlowFromText(const QString& text);

} // namespace SerialText

// "ComPort.ini": one section "ComPort1" holding the settings.
namespace ComPortIni {

inline constexpr char FileName[] = "ComPort.ini";

// Where the program keeps the file.
QString DefaultPath();

// Reads the section key by key over `current`: a missing key keeps the current value, an
// unrecognised text gives the fallback of its setting. Never fails; any bytes are accepted.
SerialSettings Parse(const QByteArray& content, const SerialSettings& current);
// The file's content with the section replaced by `settings`; other sections stay as they are.
QByteArray Compose(const QByteArray& existing, const SerialSettings& settings);

// A missing or unreadable file leaves `current` as it is.
SerialSettings Load(const QString& path, const SerialSettings& current);
// Replaces the file as a whole, so a failed save leaves the old file intact.
bool Save(const QString& path, const SerialSettings& settings);

} // namespace ComPortIni
