#include "storage/XMLConfig.h"

#include "protocol/Numbers.h"
#include "state/AppPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringConverter>
#include <QTextStream>
#include <QXmlStreamReader>

#include <utility>

namespace {

// A configuration file is a few hundred bytes. Anything far larger or deeper is not ours,
// and the document model takes quadratic time, and recursion, on deep nesting.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;
constexpr int MaxDepth = 32;

constexpr int HighestTcpPort = 65535;

bool WithinLimits(const QByteArray& content) {
    QXmlStreamReader reader(content);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > MaxDepth)
            return false;
        if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    return !reader.hasError();
}

// The text of a key, or nothing when it cannot be read as text: a key that holds elements
// is not one the program wrote.
std::optional<QString> TextOf(const QDomElement& key) {
    if (!key.firstChildElement().isNull())
        return std::nullopt;
    return key.text();
}

int IntegerOrZero(const QString& text) {
    return ReadInteger(text).value_or(0);
}

bool IsKnownLanguage(std::int32_t id) {
    return id == LocaleIds::German || id == LocaleIds::Polish || id == LocaleIds::English;
}

bool IsUsableTcpPort(std::int32_t port) {
    return port > 0 && port <= HighestTcpPort;
}

void ReplaceText(QDomElement& element, const QString& text) {
    while (!element.firstChild().isNull())
        element.removeChild(element.firstChild());
    element.appendChild(element.ownerDocument().createTextNode(text));
}

const QString XmlDeclaration = QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"");

const std::pair<QLatin1String, QString DatabaseConfig::*> DatabaseFields[] = {
    {ConfigKey::Kind, &DatabaseConfig::Kind},        {ConfigKey::Path, &DatabaseConfig::Path},
    {ConfigKey::Host, &DatabaseConfig::Host},        {ConfigKey::Port, &DatabaseConfig::Port},
    {ConfigKey::Name, &DatabaseConfig::Name},        {ConfigKey::User, &DatabaseConfig::User},
    {ConfigKey::Password, &DatabaseConfig::Password}};

} // namespace

void LoadedConfig::ApplyTo(ConfigValues& values) const {
    if (LanguageId)
        values.LanguageId = *LanguageId;
    if (LowThr)
        values.LowThr = *LowThr;
    if (HighThr)
        values.HighThr = *HighThr;
    if (PortConfigured)
        values.PortConfigured = *PortConfigured;
    if (MaxPort)
        values.MaxPort = *MaxPort;
    if (DataDirectory)
        values.DataDirectory = *DataDirectory;
    if (UseEthernet)
        values.UseEthernet = *UseEthernet;
    if (EthHost)
        values.EthHost = *EthHost;
    if (EthPort)
        values.EthPort = *EthPort;
    if (TestOperator)
        values.TestOperator = *TestOperator;
    if (TestPart)
        values.TestPart = *TestPart;
    if (TestNote)
        values.TestNote = *TestNote;
    if (Database)
        values.Database = *Database;
    if (Windows)
        values.Windows = *Windows;
    if (Reconnect)
        values.Reconnect = *Reconnect;
    if (ReconnectMinutes)
        values.ReconnectMinutes = *ReconnectMinutes;
}

XMLConfig::XMLConfig(QString path)
    : m_path(std::move(path)) {}

std::int32_t XMLConfig::LocaleIdFor(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::German:
        return LocaleIds::German;
    case QLocale::Polish:
        return LocaleIds::Polish;
    case QLocale::English:
        return locale.territory() == QLocale::UnitedKingdom ? LocaleIds::EnglishUK
                                                            : LocaleIds::EnglishUS;
    default:
        return LocaleIds::EnglishUS;
    }
}

std::int32_t XMLConfig::UserLocaleId() {
    return LocaleIdFor(QLocale::system());
}

std::int32_t XMLConfig::MapLanguageId(std::int32_t stored) {
    switch (stored) {
    case LocaleIds::German:
    case LocaleIds::EnglishUS:
    case LocaleIds::PolishWindows:
    case LocaleIds::Polish:
    case LocaleIds::English:
        return stored;
    default:
        return LocaleIds::EnglishUK;
    }
}

bool XMLConfig::LoadFile() {
    QFile file(m_path);
    if (!file.exists() || file.size() > MaxFileSize || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.read(MaxFileSize + 1);
    if (content.size() > MaxFileSize || !WithinLimits(content))
        return false;
    QDomDocument document;
    if (!document.setContent(content) || document.documentElement().isNull())
        return false;
    m_document = document;
    return true;
}

void XMLConfig::EnsureConfigDefaults() {
    // Fixed here, so that a later change of the working directory does not move the file.
    m_path = QFileInfo(m_path).absoluteFilePath();
    m_document = QDomDocument();
    if (!LoadFile()) {
        m_document = QDomDocument();
        m_document.appendChild(
            m_document.createProcessingInstruction(QStringLiteral("xml"), XmlDeclaration));
    }
    m_open = true;

    QDomElement root = m_document.documentElement();
    if (root.isNull()) {
        root = m_document.createElement(ConfigKey::Root);
        m_document.appendChild(root);
    }

    if (Section(ConfigKey::Options).isNull())
        root.appendChild(m_document.createElement(ConfigKey::Options));
    EnsureConfigValue(ConfigKey::Options, ConfigKey::Language, QString::number(UserLocaleId()));
    EnsureConfigValue(ConfigKey::Options, ConfigKey::LowThr, ConfigText::DefaultLowThr);
    EnsureConfigValue(ConfigKey::Options, ConfigKey::HighThr, ConfigText::DefaultHighThr);
    EnsureConfigValue(ConfigKey::Options, ConfigKey::PortConfigured, ConfigText::No);
    EnsureConfigValue(ConfigKey::Options, ConfigKey::MaxPort, ConfigText::DefaultMaxPort);
    EnsureConfigValue(ConfigKey::Options, ConfigKey::DataDirectory,
                      AppPaths::DefaultDataDirWithSeparator());

    if (Section(ConfigKey::Interface).isNull())
        root.appendChild(m_document.createElement(ConfigKey::Interface));
    EnsureConfigValue(ConfigKey::Interface, ConfigKey::Kind, ConfigText::KindSerial);
    EnsureConfigValue(ConfigKey::Interface, ConfigKey::Host, ConfigText::DefaultEthHost);
    EnsureConfigValue(ConfigKey::Interface, ConfigKey::Port,
                      QString::number(ConfigText::DefaultEthPort));
    // A file of an earlier version, without them, gets the retries on.
    EnsureConfigValue(ConfigKey::Interface, ConfigKey::Reconnect, ConfigText::Yes);
    EnsureConfigValue(ConfigKey::Interface, ConfigKey::ReconnectMinutes,
                      QString::number(Reconnection::DefaultMinutes));

    if (Section(ConfigKey::Tests).isNull())
        root.appendChild(m_document.createElement(ConfigKey::Tests));
    for (const QLatin1String key : {ConfigKey::Operator, ConfigKey::Part, ConfigKey::Note})
        EnsureConfigValue(ConfigKey::Tests, key, QString());

    if (Section(ConfigKey::Database).isNull())
        root.appendChild(m_document.createElement(ConfigKey::Database));
    const DatabaseConfig defaults;
    for (const auto& [key, field] : DatabaseFields)
        EnsureConfigValue(ConfigKey::Database, key, defaults.*field);
}

QDomElement XMLConfig::Section(const QString& name) const {
    return m_document.documentElement().firstChildElement(name);
}

QDomElement XMLConfig::Key(const QString& section, const QString& key) const {
    return Section(section).firstChildElement(key);
}

void XMLConfig::EnsureConfigValue(const QString& section, const QString& key,
                                  const QString& defaultText) {
    QDomElement sectionElement = Section(section);
    if (sectionElement.isNull() || !sectionElement.firstChildElement(key).isNull())
        return;
    QDomElement element = m_document.createElement(key);
    element.appendChild(m_document.createTextNode(defaultText));
    sectionElement.appendChild(element);
}

LoadedConfig XMLConfig::LoadConfig() const {
    LoadedConfig loaded;
    if (!m_open)
        return loaded;

    // Each Options key stands alone: a key that cannot be read gets its fallback.
    const auto option = [this](QLatin1String key, auto& target, auto fallback, auto convert) {
        const QDomElement element = Key(ConfigKey::Options, key);
        if (element.isNull())
            return;
        const std::optional<QString> text = TextOf(element);
        if (text)
            target = convert(*text);
        else
            target = fallback;
    };
    const auto asIs = [](const QString& text) { return text; };

    option(ConfigKey::Language, loaded.LanguageId, LocaleIds::EnglishUK,
           [](const QString& text) { return MapLanguageId(IntegerOrZero(text)); });
    option(ConfigKey::LowThr, loaded.LowThr, QString(), asIs);
    option(ConfigKey::HighThr, loaded.HighThr, QString(), asIs);
    option(ConfigKey::PortConfigured, loaded.PortConfigured, false,
           [](const QString& text) { return text == ConfigText::Yes; });
    option(ConfigKey::DataDirectory, loaded.DataDirectory, AppPaths::DefaultDataDirWithSeparator(),
           asIs);
    option(ConfigKey::MaxPort, loaded.MaxPort, QString(ConfigText::DefaultMaxPort), asIs);

    // The Interface keys share one guard: the first that cannot be read ends the load.
    const auto interfaceText = [this](QLatin1String key, bool& failed) -> std::optional<QString> {
        const QDomElement element = Key(ConfigKey::Interface, key);
        if (failed || element.isNull())
            return std::nullopt;
        std::optional<QString> text = TextOf(element);
        failed = !text;
        return text;
    };
    bool failed = false;
    if (const auto kind = interfaceText(ConfigKey::Kind, failed))
        loaded.UseEthernet = *kind == ConfigText::KindEthernet;
    if (const auto host = interfaceText(ConfigKey::Host, failed))
        loaded.EthHost = *host;
    if (const auto port = interfaceText(ConfigKey::Port, failed)) {
        const int value = IntegerOrZero(*port);
        loaded.EthPort = IsUsableTcpPort(value) ? value : ConfigText::DefaultEthPort;
    }
    // The retries stand apart from that guard: only "No" switches them off, and a number of
    // minutes the dialog does not offer is the default.
    if (const QDomElement element = Key(ConfigKey::Interface, ConfigKey::Reconnect);
        !element.isNull())
        loaded.Reconnect = TextOf(element) != std::optional<QString>(ConfigText::No);
    if (const QDomElement element = Key(ConfigKey::Interface, ConfigKey::ReconnectMinutes);
        !element.isNull()) {
        const std::optional<int> minutes = ReadInteger(TextOf(element).value_or(QString()));
        loaded.ReconnectMinutes =
            minutes && IsUsableReconnectMinutes(*minutes) ? *minutes : Reconnection::DefaultMinutes;
    }

    // Free texts: one that cannot be read is empty.
    const auto test = [this](QLatin1String key, std::optional<QString>& target) {
        const QDomElement element = Key(ConfigKey::Tests, key);
        if (!element.isNull())
            target = TextOf(element).value_or(QString());
    };
    test(ConfigKey::Operator, loaded.TestOperator);
    test(ConfigKey::Part, loaded.TestPart);
    test(ConfigKey::Note, loaded.TestNote);

    // Texts as they stand; the results layer judges them. A missing key keeps its default.
    if (!Section(ConfigKey::Database).isNull()) {
        DatabaseConfig database;
        for (const auto& [key, field] : DatabaseFields) {
            const QDomElement element = Key(ConfigKey::Database, key);
            if (!element.isNull())
                database.*field = TextOf(element).value_or(database.*field);
        }
        loaded.Database = database;
    }
    loaded.Windows = LoadWindows();
    return loaded;
}

QList<WindowLink> XMLConfig::LoadWindows() const {
    QList<WindowLink> windows;
    const QDomElement section = Section(ConfigKey::Windows);
    for (QDomElement window = section.firstChildElement(ConfigKey::Window); !window.isNull();
         window = window.nextSiblingElement(ConfigKey::Window)) {
        const auto text = [&window](QLatin1String key) {
            return TextOf(window.firstChildElement(key)).value_or(QString()).trimmed();
        };
        WindowLink link;
        link.UseEthernet = text(ConfigKey::Kind) == ConfigText::KindEthernet;
        link.PortConfigured = text(ConfigKey::PortConfigured) == ConfigText::Yes;
        link.ComPort = text(ConfigKey::ComPort);
        link.BaudRate = text(ConfigKey::BaudRate);
        link.EthHost = text(ConfigKey::Host);
        const int port = IntegerOrZero(text(ConfigKey::Port));
        link.EthPort = IsUsableTcpPort(port) ? port : ConfigText::DefaultEthPort;
        if (link.EthHost.isEmpty())
            link.EthHost = ConfigText::DefaultEthHost;
        // A serial window without a port to open looks for its gauge again.
        if (!link.UseEthernet && link.ComPort.isEmpty())
            link.PortConfigured = false;
        windows << link;
    }
    return windows;
}

void XMLConfig::StoreWindows(const QList<WindowLink>& windows) {
    QDomElement root = m_document.documentElement();
    for (QDomElement old = Section(ConfigKey::Windows); !old.isNull();
         old = Section(ConfigKey::Windows))
        root.removeChild(old);
    if (windows.isEmpty())
        return;
    QDomElement section = m_document.createElement(ConfigKey::Windows);
    for (const WindowLink& link : windows) {
        QDomElement window = m_document.createElement(ConfigKey::Window);
        const auto add = [this, &window](QLatin1String key, const QString& text) {
            QDomElement element = m_document.createElement(key);
            element.appendChild(m_document.createTextNode(text));
            window.appendChild(element);
        };
        add(ConfigKey::Kind, link.UseEthernet ? ConfigText::KindEthernet : ConfigText::KindSerial);
        add(ConfigKey::PortConfigured, link.PortConfigured ? ConfigText::Yes : ConfigText::No);
        add(ConfigKey::ComPort, link.ComPort);
        add(ConfigKey::BaudRate, link.BaudRate);
        add(ConfigKey::Host, link.EthHost);
        add(ConfigKey::Port, QString::number(link.EthPort));
        section.appendChild(window);
    }
    root.appendChild(section);
}

bool XMLConfig::WriteConfigValue(const QString& section, const QString& key, bool condition,
                                 const QString& textIfTrue, const QString& textIfFalse) {
    QDomElement element = Key(section, key);
    if (element.isNull())
        return false;
    ReplaceText(element, condition ? textIfTrue : textIfFalse);
    return true;
}

void XMLConfig::MakeDeclarationWritable() {
    // A declaration naming an encoding the writer cannot produce would make the next load
    // misread every non-ASCII text; such a file is written, and declared, as UTF-8.
    QDomNode first = m_document.firstChild();
    if (!first.isProcessingInstruction() || first.nodeName() != QLatin1String("xml"))
        return;
    QDomProcessingInstruction declaration = first.toProcessingInstruction();
    static const QRegularExpression encodingPattern(
        QStringLiteral("encoding\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"));
    const QRegularExpressionMatch match = encodingPattern.match(declaration.data());
    if (!match.hasMatch())
        return;
    const QString name = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
    if (!QStringConverter::encodingForName(name.toLatin1().constData()))
        declaration.setData(XmlDeclaration);
}

bool IsUsableMaxPort(const QString& text) {
    const std::optional<int> maxPort = ReadInteger(text);
    return maxPort && *maxPort >= ConfigText::MaxPortLowest &&
           *maxPort <= ConfigText::MaxPortHighest;
}

bool IsUsableReconnectMinutes(std::int32_t minutes) {
    return minutes >= Reconnection::LowestMinutes && minutes <= Reconnection::HighestMinutes;
}

bool XMLConfig::SaveConfig(const ConfigValues& values) {
    if (!m_open)
        return false;

    const QString programDir = AppPaths::DefaultDataDirWithSeparator();

    using namespace ConfigKey;
    const bool written =
        WriteConfigValue(Options, Language, IsKnownLanguage(values.LanguageId),
                         QString::number(values.LanguageId), QString::number(LocaleIds::English)) &&
        WriteConfigValue(Options, LowThr, true, values.LowThr, values.LowThr) &&
        WriteConfigValue(Options, HighThr, true, values.HighThr, values.HighThr) &&
        WriteConfigValue(Options, PortConfigured, values.PortConfigured, ConfigText::Yes,
                         ConfigText::No) &&
        WriteConfigValue(Options, MaxPort, IsUsableMaxPort(values.MaxPort), values.MaxPort,
                         ConfigText::DefaultMaxPort) &&
        WriteConfigValue(Options, DataDirectory, !values.DataDirectory.isEmpty(),
                         values.DataDirectory, programDir) &&
        WriteConfigValue(Interface, Kind, values.UseEthernet, ConfigText::KindEthernet,
                         ConfigText::KindSerial) &&
        WriteConfigValue(Interface, Host, !values.EthHost.isEmpty(), values.EthHost,
                         ConfigText::DefaultEthHost) &&
        WriteConfigValue(Interface, Port, IsUsableTcpPort(values.EthPort),
                         QString::number(values.EthPort),
                         QString::number(ConfigText::DefaultEthPort)) &&
        WriteConfigValue(Interface, Reconnect, values.Reconnect, ConfigText::Yes, ConfigText::No) &&
        WriteConfigValue(Interface, ReconnectMinutes,
                         IsUsableReconnectMinutes(values.ReconnectMinutes),
                         QString::number(values.ReconnectMinutes),
                         QString::number(Reconnection::DefaultMinutes)) &&
        WriteConfigValue(Tests, Operator, true, values.TestOperator, values.TestOperator) &&
        WriteConfigValue(Tests, Part, true, values.TestPart, values.TestPart) &&
        WriteConfigValue(Tests, Note, true, values.TestNote, values.TestNote);
    if (!written)
        return false;
    for (const auto& [key, field] : DatabaseFields)
        if (!WriteConfigValue(ConfigKey::Database, key, true, values.Database.*field,
                              values.Database.*field))
            return false;
    StoreWindows(values.Windows);

    MakeDeclarationWritable();
    // Written beside the old file and renamed over it: a failed save never leaves half a file.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream stream(&file);
    m_document.save(stream, 1, QDomNode::EncodingFromDocument);
    stream.flush();
    if (stream.status() != QTextStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
