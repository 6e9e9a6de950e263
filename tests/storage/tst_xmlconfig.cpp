// config.xml: defaults of a first start, the per-key load rules and fallbacks, the save rules,
// documents the program did not write, and saves that cannot be made.
#include "state/AppPaths.h"
#include "storage/XMLConfig.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

// A document with every key at its default, one key replaced by raw XML.
QByteArray DocumentWith(const QString& key, const QByteArray& element) {
    const QList<QPair<QString, QByteArray>> options = {
        {"Language", "<Language>1031</Language>"},
        {"LowThr", "<LowThr>99</LowThr>"},
        {"HighThr", "<HighThr>101</HighThr>"},
        {"PortConfigured", "<PortConfigured>No</PortConfigured>"},
        {"MaxPort", "<MaxPort>4</MaxPort>"},
        {"DataDirectory", "<DataDirectory>/srv/data/</DataDirectory>"}};
    const QList<QPair<QString, QByteArray>> interface = {
        {"Kind", "<Kind>Eth</Kind>"},
        {"Host", "<Host>10.1.2.3</Host>"},
        {"Port", "<Port>2000</Port>"},
        {"Reconnect", "<Reconnect>No</Reconnect>"},
        {"ReconnectMinutes", "<ReconnectMinutes>25</ReconnectMinutes>"}};
    QByteArray xml = "<Config><Options>";
    for (const auto& [name, text] : options)
        xml += name == key ? element : text;
    xml += "</Options><Interface>";
    for (const auto& [name, text] : interface)
        xml += name == key ? element : text;
    return xml + "</Interface></Config>";
}

// The loaded value of one key, null when LoadConfig left its target alone.
QVariant Loaded(const LoadedConfig& loaded, const QString& key) {
    const auto value = [](const auto& optional) {
        return optional ? QVariant::fromValue(*optional) : QVariant();
    };
    if (key == "Language")
        return value(loaded.LanguageId);
    if (key == "LowThr")
        return value(loaded.LowThr);
    if (key == "HighThr")
        return value(loaded.HighThr);
    if (key == "PortConfigured")
        return value(loaded.PortConfigured);
    if (key == "MaxPort")
        return value(loaded.MaxPort);
    if (key == "DataDirectory")
        return value(loaded.DataDirectory);
    if (key == "Kind")
        return value(loaded.UseEthernet);
    if (key == "Host")
        return value(loaded.EthHost);
    if (key == "Port")
        return value(loaded.EthPort);
    if (key == "Reconnect")
        return value(loaded.Reconnect);
    if (key == "ReconnectMinutes")
        return value(loaded.ReconnectMinutes);
    return {};
}

// The saved texts of the file, section/key -> text.
QMap<QString, QString> SavedTexts(const QString& path) {
    QDomDocument document;
    if (!document.setContent(ReadAll(path)))
        return {};
    QMap<QString, QString> texts;
    for (QDomElement section = document.documentElement().firstChildElement(); !section.isNull();
         section = section.nextSiblingElement()) {
        for (QDomElement key = section.firstChildElement(); !key.isNull();
             key = key.nextSiblingElement())
            texts.insert(section.tagName() + '/' + key.tagName(), key.text());
    }
    return texts;
}

QStringList ChildNames(const QDomElement& parent) {
    QStringList names;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        names << e.tagName();
    return names;
}

ConfigValues SomeValues() {
    ConfigValues values;
    values.LanguageId = LocaleIds::German;
    values.LowThr = "12,5";
    values.HighThr = "abc";
    values.PortConfigured = true;
    values.MaxPort = "17";
    values.DataDirectory = "/srv/results/";
    values.UseEthernet = true;
    values.EthHost = "10.0.0.7";
    values.EthPort = 4001;
    values.TestOperator = "Zażółć <A&B>";
    values.TestPart = "Partia 7/26";
    values.TestNote = "  odstępy  ";
    values.Database = {"PostgreSQL", "", "db.lab", "6543", "wyniki", "stacja 2", "p<&>ss \"x\""};
    values.Reconnect = false;
    values.ReconnectMinutes = 25;
    values.Windows = {{false, true, "COM2", "115200", "192.168.1.100", 1001},
                      {true, false, "/dev/ttyUSB0", "9600", "10.0.0.8", 4002}};
    return values;
}

} // namespace

class TestXmlConfig : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath("config.xml");
        QFile::remove(m_path);
    }

    void firstStartWritesEveryKeyInOrder() {
        XMLConfig config(m_path);
        config.EnsureConfigDefaults();
        ConfigValues values;
        config.LoadConfig().ApplyTo(values);
        QVERIFY(config.SaveConfig(values));

        QDomDocument document;
        QVERIFY(document.setContent(ReadAll(m_path)));
        const QDomElement root = document.documentElement();
        QCOMPARE(root.tagName(), "Config");
        QCOMPARE(ChildNames(root), QStringList({"Options", "Interface", "Tests", "Database"}));
        QCOMPARE(ChildNames(root.firstChildElement("Options")),
                 QStringList({"Language", "LowThr", "HighThr", "PortConfigured", "MaxPort",
                              "DataDirectory"}));
        QCOMPARE(ChildNames(root.firstChildElement("Interface")),
                 QStringList({"Kind", "Host", "Port", "Reconnect", "ReconnectMinutes"}));
        QCOMPARE(ChildNames(root.firstChildElement("Tests")),
                 QStringList({"Operator", "Part", "Note"}));
        QCOMPARE(ChildNames(root.firstChildElement("Database")),
                 QStringList({"Kind", "Path", "Host", "Port", "Name", "User", "Password"}));

        const QMap<QString, QString> texts = SavedTexts(m_path);
        QCOMPARE(texts.value("Options/LowThr"), "99");
        QCOMPARE(texts.value("Options/HighThr"), "101");
        QCOMPARE(texts.value("Options/PortConfigured"), "No");
        QCOMPARE(texts.value("Options/MaxPort"), "4");
        QCOMPARE(texts.value("Options/DataDirectory"), AppPaths::ProgramDirWithSeparator());
        QCOMPARE(texts.value("Interface/Kind"), "COM");
        QCOMPARE(texts.value("Interface/Host"), QString(ConfigText::DefaultEthHost));
        QCOMPARE(texts.value("Interface/Port"), "1001");
        QCOMPARE(texts.value("Interface/Reconnect"), "Yes");
        QCOMPARE(texts.value("Interface/ReconnectMinutes"), "10");
        // The user's locale is stored at first; only the program's own languages are saved.
        const int userLocale = XMLConfig::UserLocaleId();
        const bool known = userLocale == LocaleIds::German || userLocale == LocaleIds::Polish;
        QCOMPARE(texts.value("Options/Language"),
                 QString::number(known ? userLocale : LocaleIds::English));
    }

    void localeIds_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("id");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << 1031;
        QTest::newRow("Austrian German") << QLocale(QLocale::German, QLocale::Austria) << 1031;
        QTest::newRow("Polish") << QLocale(QLocale::Polish, QLocale::Poland) << 1051;
        QTest::newRow("US English") << QLocale(QLocale::English, QLocale::UnitedStates) << 1033;
        QTest::newRow("UK English") << QLocale(QLocale::English, QLocale::UnitedKingdom) << 2057;
        QTest::newRow("Irish English") << QLocale(QLocale::English, QLocale::Ireland) << 1033;
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << 1033;
        QTest::newRow("no locale") << QLocale::c() << 1033;
    }
    void localeIds() {
        QFETCH(QLocale, locale);
        QFETCH(int, id);
        QCOMPARE(XMLConfig::LocaleIdFor(locale), id);
    }

    void loading_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("element");
        QTest::addColumn<QVariant>("expected");

        const auto row = [](const char* name, const char* key, const QByteArray& text,
                            const QVariant& expected) {
            QTest::newRow(name) << QString(key)
                                << "<" + QByteArray(key) + ">" + text + "</" + key + ">"
                                << expected;
        };
        row("language German", "Language", "1031", 1031);
        row("language US", "Language", "1033", 1033);
        row("language Windows Polish", "Language", "1045", 1045);
        row("language Polish", "Language", "1051", 1051);
        row("language English", "Language", "13321", 13321);
        row("language UK", "Language", "2057", 2057);
        row("language French", "Language", "1036", 2057);
        row("language letters", "Language", "abc", 2057);
        row("language empty", "Language", "", 2057);
        row("language huge", "Language", "99999999999", 2057);
        row("threshold comma", "LowThr", "12,5", QString("12,5"));
        row("threshold letters", "HighThr", "abc", QString("abc"));
        row("threshold empty", "LowThr", "", QString(""));
        row("configured Yes", "PortConfigured", "Yes", true);
        row("configured yes", "PortConfigured", "yes", false);
        row("configured YES", "PortConfigured", "YES", false);
        row("configured No", "PortConfigured", "No", false);
        row("max port 0 as typed", "MaxPort", "0", QString("0"));
        row("max port letters as typed", "MaxPort", "abc", QString("abc"));
        row("data directory", "DataDirectory", "/home/u/results/", QString("/home/u/results/"));
        row("kind Eth", "Kind", "Eth", true);
        row("kind eth", "Kind", "eth", false);
        row("kind ETH", "Kind", "ETH", false);
        row("kind COM", "Kind", "COM", false);
        row("host", "Host", "192.168.7.9", QString("192.168.7.9"));
        row("host empty", "Host", "", QString(""));
        row("port", "Port", "2000", 2000);
        row("port highest", "Port", "65535", 65535);
        row("port 0", "Port", "0", 1001);
        row("port negative", "Port", "-5", 1001);
        row("port letters", "Port", "abc", 1001);
        row("port beyond TCP", "Port", "70000", 1001);
        // Retries of a lost link: only "No" switches them off; minutes outside 1..1440 are
        // the default. A file of an earlier version, without the keys, gets the defaults.
        row("reconnect Yes", "Reconnect", "Yes", true);
        row("reconnect No", "Reconnect", "No", false);
        row("reconnect no", "Reconnect", "no", true);
        row("reconnect empty", "Reconnect", "", true);
        row("reconnect minutes", "ReconnectMinutes", "3", 3);
        row("reconnect minutes highest", "ReconnectMinutes", "1440", 1440);
        row("reconnect minutes 0", "ReconnectMinutes", "0", 10);
        row("reconnect minutes beyond a day", "ReconnectMinutes", "1441", 10);
        row("reconnect minutes letters", "ReconnectMinutes", "abc", 10);
        QTest::newRow("reconnect missing")
            << QString("Reconnect") << QByteArray() << QVariant(true);
        QTest::newRow("reconnect minutes missing")
            << QString("ReconnectMinutes") << QByteArray() << QVariant(10);
    }
    void loading() {
        QFETCH(QString, key);
        QFETCH(QByteArray, element);
        QFETCH(QVariant, expected);
        WriteAll(m_path, DocumentWith(key, element));
        XMLConfig config(m_path);
        config.EnsureConfigDefaults();
        QCOMPARE(Loaded(config.LoadConfig(), key), expected);
    }

    // A key holding elements instead of text: each Options key falls back alone; an
    // Interface key ends the load, so it and the keys after it keep their targets.
    void unreadableKeys_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariantMap>("expected");
        const QByteArray children = "<a>1</a><b>2</b>";
        QTest::newRow("Language") << "Language"
                                  << QVariantMap{{"Language", 2057}, {"LowThr", "99"}};
        QTest::newRow("LowThr") << "LowThr" << QVariantMap{{"LowThr", ""}, {"HighThr", "101"}};
        QTest::newRow("HighThr") << "HighThr" << QVariantMap{{"HighThr", ""}, {"MaxPort", "4"}};
        QTest::newRow("PortConfigured")
            << "PortConfigured" << QVariantMap{{"PortConfigured", false}, {"MaxPort", "4"}};
        QTest::newRow("MaxPort") << "MaxPort" << QVariantMap{{"MaxPort", "4"}, {"Kind", true}};
        QTest::newRow("DataDirectory")
            << "DataDirectory"
            << QVariantMap{{"DataDirectory", AppPaths::ProgramDirWithSeparator()}, {"Port", 2000}};
        QTest::newRow("Kind") << "Kind"
                              << QVariantMap{{"Kind", QVariant()},
                                             {"Host", QVariant()},
                                             {"Port", QVariant()},
                                             {"LowThr", "99"},
                                             {"Reconnect", false}};
        QTest::newRow("Host") << "Host"
                              << QVariantMap{
                                     {"Kind", true}, {"Host", QVariant()}, {"Port", QVariant()}};
        QTest::newRow("Port") << "Port"
                              << QVariantMap{
                                     {"Kind", true}, {"Host", "10.1.2.3"}, {"Port", QVariant()}};
        QTest::newRow("Reconnect")
            << "Reconnect" << QVariantMap{{"Reconnect", true}, {"ReconnectMinutes", 25}};
        QTest::newRow("ReconnectMinutes")
            << "ReconnectMinutes" << QVariantMap{{"ReconnectMinutes", 10}, {"Reconnect", false}};
    }
    void unreadableKeys() {
        QFETCH(QString, key);
        QFETCH(QVariantMap, expected);
        const QByteArray element = "<" + key.toLatin1() + "><a>1</a>x<b/></" + key.toLatin1() + ">";
        WriteAll(m_path, DocumentWith(key, element));
        XMLConfig config(m_path);
        config.EnsureConfigDefaults();
        const LoadedConfig loaded = config.LoadConfig();
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(Loaded(loaded, it.key()) == it.value(), qPrintable(it.key()));
    }

    void nothingLoadsBeforeTheDocumentIsOpen() {
        WriteAll(m_path, DocumentWith({}, {}));
        XMLConfig config(m_path);
        ConfigValues values = SomeValues();
        config.LoadConfig().ApplyTo(values);
        QCOMPARE(values.LowThr, "12,5");
        QCOMPARE(values.EthPort, 4001);
        QVERIFY(!config.SaveConfig(values));
        QCOMPARE(ReadAll(m_path), DocumentWith({}, {}));
    }

    void saving_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("German") << "Options/Language" << QVariant(1031) << "1031";
        QTest::newRow("Polish") << "Options/Language" << QVariant(1051) << "1051";
        QTest::newRow("English") << "Options/Language" << QVariant(13321) << "13321";
        QTest::newRow("US English") << "Options/Language" << QVariant(1033) << "13321";
        QTest::newRow("Windows Polish") << "Options/Language" << QVariant(1045) << "13321";
        QTest::newRow("UK English") << "Options/Language" << QVariant(2057) << "13321";
        QTest::newRow("max port 0") << "Options/MaxPort" << QVariant("0") << "4";
        QTest::newRow("max port 256") << "Options/MaxPort" << QVariant("256") << "4";
        QTest::newRow("max port letters") << "Options/MaxPort" << QVariant("abc") << "4";
        QTest::newRow("max port empty") << "Options/MaxPort" << QVariant("") << "4";
        QTest::newRow("max port 255") << "Options/MaxPort" << QVariant("255") << "255";
        QTest::newRow("max port 1") << "Options/MaxPort" << QVariant("1") << "1";
        QTest::newRow("threshold comma") << "Options/LowThr" << QVariant("12,5") << "12,5";
        QTest::newRow("threshold letters") << "Options/HighThr" << QVariant("abc") << "abc";
        QTest::newRow("configured") << "Options/PortConfigured" << QVariant(true) << "Yes";
        QTest::newRow("not configured") << "Options/PortConfigured" << QVariant(false) << "No";
        QTest::newRow("no data directory")
            << "Options/DataDirectory" << QVariant("") << AppPaths::ProgramDirWithSeparator();
        QTest::newRow("data directory") << "Options/DataDirectory" << QVariant("/d/") << "/d/";
        QTest::newRow("Ethernet") << "Interface/Kind" << QVariant(true) << "Eth";
        QTest::newRow("serial") << "Interface/Kind" << QVariant(false) << "COM";
        QTest::newRow("no host") << "Interface/Host" << QVariant("")
                                 << QString(ConfigText::DefaultEthHost);
        QTest::newRow("host") << "Interface/Host" << QVariant("10.9.8.7") << "10.9.8.7";
        QTest::newRow("port 0") << "Interface/Port" << QVariant(0) << "1001";
        QTest::newRow("port negative") << "Interface/Port" << QVariant(-5) << "1001";
        QTest::newRow("port beyond TCP") << "Interface/Port" << QVariant(70000) << "1001";
        QTest::newRow("port") << "Interface/Port" << QVariant(2000) << "2000";
        QTest::newRow("no operator") << "Tests/Operator" << QVariant("") << "";
        QTest::newRow("part with markup") << "Tests/Part" << QVariant("<1&2>") << "<1&2>";
        QTest::newRow("note") << "Tests/Note" << QVariant("ręcznie") << "ręcznie";
        QTest::newRow("reconnect") << "Interface/Reconnect" << QVariant(true) << "Yes";
        QTest::newRow("no reconnect") << "Interface/Reconnect" << QVariant(false) << "No";
        QTest::newRow("reconnect minutes") << "Interface/ReconnectMinutes" << QVariant(30) << "30";
        QTest::newRow("reconnect minutes 0") << "Interface/ReconnectMinutes" << QVariant(0) << "10";
        QTest::newRow("reconnect minutes beyond a day")
            << "Interface/ReconnectMinutes" << QVariant(5000) << "10";
    }
    void saving() {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        ConfigValues values = SomeValues();
        const QString name = key.section('/', 1);
        if (name == "Language")
            values.LanguageId = value.toInt();
        else if (name == "MaxPort")
            values.MaxPort = value.toString();
        else if (name == "LowThr")
            values.LowThr = value.toString();
        else if (name == "HighThr")
            values.HighThr = value.toString();
        else if (name == "PortConfigured")
            values.PortConfigured = value.toBool();
        else if (name == "DataDirectory")
            values.DataDirectory = value.toString();
        else if (name == "Kind")
            values.UseEthernet = value.toBool();
        else if (name == "Host")
            values.EthHost = value.toString();
        else if (name == "Port")
            values.EthPort = value.toInt();
        else if (name == "Operator")
            values.TestOperator = value.toString();
        else if (name == "Part")
            values.TestPart = value.toString();
        else if (name == "Note")
            values.TestNote = value.toString();
        else if (name == "Reconnect")
            values.Reconnect = value.toBool();
        else if (name == "ReconnectMinutes")
            values.ReconnectMinutes = value.toInt();

        XMLConfig config(m_path);
        config.EnsureConfigDefaults();
        QVERIFY(config.SaveConfig(values));
        QCOMPARE(SavedTexts(m_path).value(key), text);
    }

    void savedValuesLoadBackUnchanged() {
        const ConfigValues saved = SomeValues();
        {
            XMLConfig config(m_path);
            config.EnsureConfigDefaults();
            QVERIFY(config.SaveConfig(saved));
        }
        XMLConfig config(m_path);
        config.EnsureConfigDefaults();
        ConfigValues loaded;
        config.LoadConfig().ApplyTo(loaded);
        QCOMPARE(loaded.LanguageId, saved.LanguageId);
        QCOMPARE(loaded.LowThr, saved.LowThr);
        QCOMPARE(loaded.HighThr, saved.HighThr);
        QCOMPARE(loaded.PortConfigured, saved.PortConfigured);
        QCOMPARE(loaded.MaxPort, saved.MaxPort);
        QCOMPARE(loaded.DataDirectory, saved.DataDirectory);
        QCOMPARE(loaded.UseEthernet, saved.UseEthernet);
        QCOMPARE(loaded.EthHost, saved.EthHost);
        QCOMPARE(loaded.EthPort, saved.EthPort);
        QCOMPARE(loaded.TestOperator, saved.TestOperator);
        QCOMPARE(loaded.TestPart, saved.TestPart);
        QCOMPARE(loaded.TestNote, saved.TestNote);
        QCOMPARE(loaded.Reconnect, saved.Reconnect);
        QCOMPARE(loaded.ReconnectMinutes, saved.ReconnectMinutes);
        QCOMPARE(loaded.Windows, saved.Windows);
        for (QString DatabaseConfig::*field :
             {&DatabaseConfig::Kind, &DatabaseConfig::Path, &DatabaseConfig::Host,
              &DatabaseConfig::Port, &DatabaseConfig::Name, &DatabaseConfig::User,
              &DatabaseConfig::Password})
            QCOMPARE(loaded.Database.*field, saved.Database.*field);
    }

    // Further windows' links: what cannot be used falls back, a window without a port to open
    // looks for its gauge again, and a save without further windows leaves no element behind.
    void furtherWindows() {
        WriteAll(m_path, "<Config><Windows>"
                         "<Window><Kind>COM</Kind><PortConfigured>Yes</PortConfigured>"
                         "<ComPort>COM3</ComPort><BaudRate>57600</BaudRate></Window>"
                         "<Window><Kind>COM</Kind><PortConfigured>Yes</PortConfigured></Window>"
                         "<Window><Kind>Eth</Kind><Host></Host><Port>70000</Port></Window>"
                         "<Other/></Windows></Config>");
        XMLConfig config(m_path);
        config.EnsureConfigDefaults();
        const LoadedConfig loaded = config.LoadConfig();
        QVERIFY(loaded.Windows);
        const QList<WindowLink> expected{{false, true, "COM3", "57600", "192.168.1.100", 1001},
                                         {false, false, "", "", "192.168.1.100", 1001},
                                         {true, false, "", "", "192.168.1.100", 1001}};
        QCOMPARE(*loaded.Windows, expected);

        ConfigValues values = SomeValues();
        values.Windows.clear();
        QVERIFY(config.SaveConfig(values));
        QVERIFY(!ReadAll(m_path).contains("<Windows"));
        XMLConfig reread(m_path);
        reread.EnsureConfigDefaults();
        QCOMPARE(reread.LoadConfig().Windows,
                 std::optional<QList<WindowLink>>(QList<WindowLink>()));
    }

    void foreignDocumentKeepsWhatItHolds() {
        WriteAll(m_path, "<?xml version=\"1.0\"?>\n<!-- by hand -->\n<Settings>\n"
                         "  <Extra mode=\"x\">kept</Extra>\n"
                         "  <Options><Custom>7</Custom><LowThr>5</LowThr></Options>\n"
                         "</Settings>\n");
        XMLConfig config(m_path);
        config.EnsureConfigDefaults();
        ConfigValues values;
        config.LoadConfig().ApplyTo(values);
        QCOMPARE(values.LowThr, "5");
        QCOMPARE(values.HighThr, "101");
        QVERIFY(config.SaveConfig(values));

        QDomDocument document;
        QVERIFY(document.setContent(ReadAll(m_path)));
        const QDomElement root = document.documentElement();
        QCOMPARE(root.tagName(), "Settings");
        QCOMPARE(ChildNames(root),
                 QStringList({"Extra", "Options", "Interface", "Tests", "Database"}));
        QCOMPARE(root.firstChildElement("Extra").attribute("mode"), "x");
        QCOMPARE(root.firstChildElement("Extra").text(), "kept");
        QCOMPARE(ChildNames(root.firstChildElement("Options")),
                 QStringList({"Custom", "LowThr", "Language", "HighThr", "PortConfigured",
                              "MaxPort", "DataDirectory"}));
        QCOMPARE(SavedTexts(m_path).value("Options/Custom"), "7");
    }

    // A declaration naming an encoding the writer cannot produce must not make the next
    // load misread the texts.
    void declaredEncodingSurvivesTwoSaves_data() {
        QTest::addColumn<QByteArray>("declaration");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("Latin-2") << QByteArray("ISO-8859-2") << QByteArray("\xb1\xea");
        QTest::newRow("Latin-1") << QByteArray("ISO-8859-1") << QByteArray("\xe4\xf6");
        QTest::newRow("UTF-8") << QByteArray("UTF-8") << QByteArray("\xc4\x85\xc4\x99");
    }
    void declaredEncodingSurvivesTwoSaves() {
        QFETCH(QByteArray, declaration);
        QFETCH(QByteArray, encoded);
        WriteAll(m_path, "<?xml version=\"1.0\" encoding=\"" + declaration +
                             "\"?><Config><Options><LowThr>" + encoded +
                             "</LowThr></Options></Config>");
        QString original;
        for (int round = 0; round < 2; ++round) {
            XMLConfig config(m_path);
            config.EnsureConfigDefaults();
            ConfigValues values;
            config.LoadConfig().ApplyTo(values);
            if (round == 0)
                original = values.LowThr;
            QCOMPARE(values.LowThr, original);
            QVERIFY(config.SaveConfig(values));
        }
        QCOMPARE(original.size(), 2);
        QVERIFY(original.at(0).unicode() > 0x7f);
    }

    void unusableFileStartsAfresh_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("unclosed") << QByteArray("<Config><Options><LowThr>5</LowThr>");
        QTest::newRow("not XML") << QByteArray("[Options]\nLowThr=5\n");
        QTest::newRow("binary") << QByteArray("\x00\x01\xff<\xfe", 5);
        QTest::newRow("two roots") << QByteArray("<Config/><Config/>");
        QTest::newRow("deep nesting") << QByteArray("<Config>") + QByteArray("<a>").repeated(5000) +
                                             QByteArray("</a>").repeated(5000) + "</Config>";
    }
    void unusableFileStartsAfresh() {
        QFETCH(QByteArray, content);
        WriteAll(m_path, content);
        XMLConfig config(m_path);
        config.EnsureConfigDefaults();
        QVERIFY(config.IsOpen());
        ConfigValues values;
        config.LoadConfig().ApplyTo(values);
        QCOMPARE(values.LowThr, "99");
        QCOMPARE(values.EthPort, 1001);
        QVERIFY(config.SaveConfig(values));
        QCOMPARE(SavedTexts(m_path).value("Options/HighThr"), "101");
        QCOMPARE(SavedTexts(m_path).size(), 21);
    }

    void eachWorkingDirectoryHasItsOwnFile() {
        const QString previous = QDir::currentPath();
        QTemporaryDir first;
        QTemporaryDir second;
        QVERIFY(QDir::setCurrent(first.path()));
        XMLConfig inFirst;
        inFirst.EnsureConfigDefaults();
        ConfigValues values = SomeValues();
        // A later change of directory does not move the file the first one saves to.
        QVERIFY(QDir::setCurrent(second.path()));
        QVERIFY(inFirst.SaveConfig(values));

        XMLConfig inSecond;
        inSecond.EnsureConfigDefaults();
        ConfigValues fresh;
        inSecond.LoadConfig().ApplyTo(fresh);
        QVERIFY(QDir::setCurrent(previous));

        QCOMPARE(inFirst.FilePath(), QDir(first.path()).filePath("config.xml"));
        QCOMPARE(inSecond.FilePath(), QDir(second.path()).filePath("config.xml"));
        QCOMPARE(SavedTexts(inFirst.FilePath()).value("Options/LowThr"), "12,5");
        QCOMPARE(fresh.LowThr, "99");
    }

    void failedSaveLeavesThePreviousFile_data() {
        QTest::addColumn<bool>("removeFolder");
        QTest::newRow("read-only folder") << false;
        QTest::newRow("folder gone") << true;
    }
    void failedSaveLeavesThePreviousFile() {
        QFETCH(bool, removeFolder);
        QTemporaryDir dir;
        // Reachable for the unprivileged save, so that only the folder's own mode refuses.
        const QFile::Permissions reachable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                             QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(dir.path(), reachable | QFile::WriteOwner));
        const QString folder = dir.filePath("cfg");
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + "/config.xml";
        WriteAll(path, DocumentWith({}, {}));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther));
        const QByteArray before = ReadAll(path);

        XMLConfig config(path);
        config.EnsureConfigDefaults();
        if (removeFolder)
            QVERIFY(QDir(folder).removeRecursively());
        else
            QVERIFY(QFile::setPermissions(folder, reachable));
        bool saved = true;
        {
            Unprivileged asUser;
            // Only the folder's own mode may refuse: the file itself is within reach.
            QCOMPARE(QFile(path).open(QIODevice::ReadOnly), !removeFolder);
            saved = config.SaveConfig(SomeValues());
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!saved);
        if (!removeFolder) {
            QCOMPARE(ReadAll(path), before);
            QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"config.xml"}));
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestXmlConfig)
#include "tst_xmlconfig.moc"
