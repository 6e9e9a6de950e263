#pragma once

#include "state/GaugeState.h"

#include <QDomDocument>
#include <QLatin1String>
#include <QList>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

// Names of config.xml's elements, in the order a fresh document holds them.
namespace ConfigKey {
inline constexpr QLatin1String FileName{"config.xml"};
inline constexpr QLatin1String Root{"Config"};

inline constexpr QLatin1String Options{"Options"};
inline constexpr QLatin1String Language{"Language"};
inline constexpr QLatin1String LowThr{"LowThr"};
inline constexpr QLatin1String HighThr{"HighThr"};
inline constexpr QLatin1String PortConfigured{"PortConfigured"};
inline constexpr QLatin1String MaxPort{"MaxPort"};
inline constexpr QLatin1String DataDirectory{"DataDirectory"};

inline constexpr QLatin1String Interface{"Interface"};
inline constexpr QLatin1String Kind{"Kind"};
inline constexpr QLatin1String Host{"Host"};
inline constexpr QLatin1String Port{"Port"};
// Whether a lost link is tried again, and for how many minutes.
inline constexpr QLatin1String Reconnect{"Reconnect"};
inline constexpr QLatin1String ReconnectMinutes{"ReconnectMinutes"};

// What the user typed once for the tests to come.
inline constexpr QLatin1String Tests{"Tests"};
inline constexpr QLatin1String Operator{"Operator"};
inline constexpr QLatin1String Part{"Part"};
inline constexpr QLatin1String Note{"Note"};

// Where test results are kept; Kind, Host and Port as in Interface.
inline constexpr QLatin1String Database{"Database"};
inline constexpr QLatin1String Path{"Path"};
inline constexpr QLatin1String Name{"Name"};
inline constexpr QLatin1String User{"User"};
inline constexpr QLatin1String Password{"Password"};

// The links of the main windows beyond the first, one Window each (the first window's link is
// Interface and ComPort.ini); versions that know a single window pass the element over.
// A window holds Kind, PortConfigured, Host and Port as above, and its serial port by name.
inline constexpr QLatin1String Windows{"Windows"};
inline constexpr QLatin1String Window{"Window"};
inline constexpr QLatin1String ComPort{"ComPort"};
inline constexpr QLatin1String BaudRate{"BaudRate"};
} // namespace ConfigKey

// Texts and numbers that config.xml stores, and the ids it knows.
namespace ConfigText {
inline constexpr QLatin1String Yes{"Yes"};
inline constexpr QLatin1String No{"No"};
inline constexpr QLatin1String KindEthernet{"Eth"};
inline constexpr QLatin1String KindSerial{"COM"};
inline constexpr QLatin1String DefaultLowThr{"99"};
inline constexpr QLatin1String DefaultHighThr{"101"};
inline constexpr QLatin1String DefaultMaxPort{"4"};
// The address the gauge's network module comes with.
inline constexpr QLatin1String DefaultEthHost{"192.168.1.100"};
inline constexpr std::int32_t DefaultEthPort = 1001;
inline constexpr int MaxPortLowest = 1;
inline constexpr int MaxPortHighest = 255;
inline constexpr QLatin1String DatabaseSqlite{"SQLite"};
inline constexpr QLatin1String DatabasePostgres{"PostgreSQL"};
inline constexpr QLatin1String DefaultDatabaseHost{"localhost"};
inline constexpr QLatin1String DefaultDatabasePort{"5432"};
inline constexpr QLatin1String DefaultDatabaseName{"zento_fm"};
} // namespace ConfigText

// The Database section's texts as they stand (the results layer reads them).
struct DatabaseConfig {
    QString Kind = ConfigText::DatabaseSqlite;
    QString Path;
    QString Host = ConfigText::DefaultDatabaseHost;
    QString Port = ConfigText::DefaultDatabasePort;
    QString Name = ConfigText::DefaultDatabaseName;
    QString User;
    QString Password;
};

// The link of a main window beyond the first, as config.xml keeps it.
struct WindowLink {
    bool UseEthernet = false;
    bool PortConfigured = false;
    QString ComPort;  // the serial port's name ("COM2", or a device's path)
    QString BaudRate; // in bits per second, as typed in the connection dialog
    QString EthHost;
    std::int32_t EthPort = 0;

    bool operator==(const WindowLink&) const = default;
};

// Whether a "MaxPort" text is a whole number the scan can use; any other is saved as the default.
bool IsUsableMaxPort(const QString& text);
// Whether a number of minutes is one the connection dialog offers for retrying a lost link.
bool IsUsableReconnectMinutes(std::int32_t minutes);

// Windows-style locale ids: how config.xml names a language.
namespace LocaleIds {
inline constexpr std::int32_t German = 1031;
inline constexpr std::int32_t EnglishUS = 1033;
inline constexpr std::int32_t PolishWindows = 1045;
// This program's own id for Polish; the Polish module is found under it.
inline constexpr std::int32_t Polish = 1051;
inline constexpr std::int32_t EnglishUK = 2057;
inline constexpr std::int32_t English = 13321;
} // namespace LocaleIds

// Everything config.xml carries, as the main window and the dialogs hold it.
struct ConfigValues {
    std::int32_t LanguageId = 0;
    QString LowThr;  // text of EditLow, as typed
    QString HighThr; // text of EditHigh, as typed
    bool PortConfigured = false;
    QString MaxPort; // text of the auto-configuration's EditMaxPort, as typed
    QString DataDirectory;
    bool UseEthernet = false;
    QString EthHost;
    std::int32_t EthPort = 0;
    QString TestOperator;
    QString TestPart;
    QString TestNote;
    DatabaseConfig Database;
    bool Reconnect = true;
    std::int32_t ReconnectMinutes = Reconnection::DefaultMinutes;
    // The further windows open at the close, in their order.
    QList<WindowLink> Windows;
};

// What LoadConfig found; an empty member means the target keeps its value.
struct LoadedConfig {
    std::optional<std::int32_t> LanguageId;
    std::optional<QString> LowThr;
    std::optional<QString> HighThr;
    std::optional<bool> PortConfigured;
    std::optional<QString> MaxPort;
    std::optional<QString> DataDirectory;
    std::optional<bool> UseEthernet;
    std::optional<QString> EthHost;
    std::optional<std::int32_t> EthPort;
    std::optional<QString> TestOperator;
    std::optional<QString> TestPart;
    std::optional<QString> TestNote;
    std::optional<DatabaseConfig> Database;
    std::optional<bool> Reconnect;
    std::optional<std::int32_t> ReconnectMinutes;
    std::optional<QList<WindowLink>> Windows;

    // Copies the values that were found over the targets.
    void ApplyTo(ConfigValues& values) const;
};

// The configuration document: loaded once, kept in memory, written back at the close, so
// that elements the program does not know survive.
class XMLConfig final {
public:
    explicit XMLConfig(QString path = ConfigKey::FileName);

    // Loads the file (or starts afresh when it is missing or not well-formed XML) and makes
    // sure that every key exists, giving missing ones their defaults.
    void EnsureConfigDefaults();
    // Appends the key with the default text unless the section already has it.
    void EnsureConfigValue(const QString& section, const QString& key, const QString& defaultText);

    // Nothing is found when the document is not open.
    LoadedConfig LoadConfig() const;

    // Writes the nine keys and replaces the file; false when nothing was written. A failed
    // save leaves the previous file as it was.
    bool SaveConfig(const ConfigValues& values);
    // Sets the key's text to one of two texts; false when the key is missing.
    bool WriteConfigValue(const QString& section, const QString& key, bool condition,
                          const QString& textIfTrue, const QString& textIfFalse);

    bool IsOpen() const { return m_open; }
    // The file in use; a relative name is fixed to the working directory at the load.
    QString FilePath() const { return m_path; }

    // The id stored for a locale: German 1031, Polish 1051, English of the United Kingdom
    // 2057, anything else 1033.
    static std::int32_t LocaleIdFor(const QLocale& locale);
    // The id of the user's locale as the platform reports it.
    static std::int32_t UserLocaleId();
    // The id that LoadConfig gives for a stored id.
    static std::int32_t MapLanguageId(std::int32_t stored);

private:
    bool LoadFile();
    QDomElement Section(const QString& name) const;
    QList<WindowLink> LoadWindows() const;
    // Replaces the Windows element; none is kept without further windows.
    void StoreWindows(const QList<WindowLink>& windows);
    QDomElement Key(const QString& section, const QString& key) const;
    void MakeDeclarationWritable();

    QString m_path;
    QDomDocument m_document;
    bool m_open = false;
};
