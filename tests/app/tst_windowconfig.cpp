// config.xml as the main window uses it: created whole at the first close, the threshold
// fields carried from one start to the next as typed, and looked for in the working
// directory while "ComPort.ini" stays beside the program.
#include "app/MainForm.h"
#include "link/SerialLink.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedFileDialogs.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// One start of the program: a fresh shared state and main window, as a new process has.
std::unique_ptr<TMainForm> Start() {
    FirstGauge() = GaugeState{};
    TheProgram = ProgramState{};
    return std::make_unique<TMainForm>();
}

QLineEdit* Edit(TMainForm& window, const char* name) {
    return window.findChild<QLineEdit*>(QLatin1String(name));
}

// "Section/Key=text" for every key element, in document order.
QStringList KeysOf(const QString& path) {
    QFile file(path);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return {QStringLiteral("unreadable")};
    QStringList keys;
    for (QDomElement section = document.documentElement().firstChildElement(); !section.isNull();
         section = section.nextSiblingElement())
        for (QDomElement key = section.firstChildElement(); !key.isNull();
             key = key.nextSiblingElement())
            keys << section.tagName() + QLatin1Char('/') + key.tagName() + QLatin1Char('=') +
                        key.text();
    return keys;
}

QString KeyText(const QString& path, const QString& sectionAndKey) {
    for (const QString& key : KeysOf(path))
        if (key.startsWith(sectionAndKey + QLatin1Char('=')))
            return key.mid(sectionAndKey.size() + 1);
    return QStringLiteral("<missing>");
}

} // namespace

class TestWindowConfig : public QObject {
    Q_OBJECT

private slots:
    void firstCloseWritesEveryKeyInOrder();
    void typedThresholdsComeBackAtTheNextStart_data();
    void typedThresholdsComeBackAtTheNextStart();
    void workingDirectoryChoosesTheConfig_data();
    void workingDirectoryChoosesTheConfig();
    void storedTextsComeBackAsSaved_data();
    void storedTextsComeBackAsSaved();
    void reconnectionComesBackAsSaved_data();
    void reconnectionComesBackAsSaved();
};

void TestWindowConfig::firstCloseWritesEveryKeyInOrder() {
    IsolatedProgram program;
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    const QString path = program.FilePath(QStringLiteral("config.xml"));
    {
        auto window = Start();
        // Nothing is written while the program runs.
        QVERIFY(!QFile::exists(path));
        window->close();
    }
    const QStringList keys = KeysOf(path);
    QCOMPARE(keys.size(), 21);
    QStringList names;
    for (const QString& key : keys)
        names << key.section(QLatin1Char('='), 0, 0);
    QCOMPARE(names, QStringList({"Options/Language",
                                 "Options/LowThr",
                                 "Options/HighThr",
                                 "Options/PortConfigured",
                                 "Options/MaxPort",
                                 "Options/DataDirectory",
                                 "Interface/Kind",
                                 "Interface/Host",
                                 "Interface/Port",
                                 "Interface/Reconnect",
                                 "Interface/ReconnectMinutes",
                                 "Tests/Operator",
                                 "Tests/Part",
                                 "Tests/Note",
                                 "Database/Kind",
                                 "Database/Path",
                                 "Database/Host",
                                 "Database/Port",
                                 "Database/Name",
                                 "Database/User",
                                 "Database/Password"}));
    QVERIFY(QStringList({"1031", "1051", "13321"}).contains(KeyText(path, "Options/Language")));
    QCOMPARE(keys.mid(1, 4), QStringList({"Options/LowThr=99", "Options/HighThr=101",
                                          "Options/PortConfigured=No", "Options/MaxPort=4"}));
    QCOMPARE(KeyText(path, "Options/DataDirectory"),
             QDir(program.Dir()).absolutePath() + QLatin1Char('/'));
    QCOMPARE(
        keys.mid(6),
        QStringList({"Interface/Kind=COM", "Interface/Host=192.168.1.100", "Interface/Port=1001",
                     "Interface/Reconnect=Yes", "Interface/ReconnectMinutes=10",
                     "Tests/Operator=", "Tests/Part=", "Tests/Note=", "Database/Kind=SQLite",
                     "Database/Path=", "Database/Host=localhost", "Database/Port=5432",
                     "Database/Name=zento_fm", "Database/User=", "Database/Password="}));
    QVERIFY(messages.Shown.isEmpty());
}

void TestWindowConfig::typedThresholdsComeBackAtTheNextStart_data() {
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");

    QTest::newRow("decimal point") << "99.5"
                                   << "101.25";
    QTest::newRow("decimal comma") << "-3,75"
                                   << "12,5";
    QTest::newRow("letters and blanks") << "abc"
                                        << " 7 x ";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("markup characters") << "<1&2>"
                                       << "\"3\"";
}

void TestWindowConfig::typedThresholdsComeBackAtTheNextStart() {
    QFETCH(QString, low);
    QFETCH(QString, high);

    IsolatedProgram program;
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    const QString path = program.FilePath(QStringLiteral("config.xml"));
    {
        auto window = Start();
        Edit(*window, "EditLow")->setText(low);
        Edit(*window, "EditHigh")->setText(high);
        // What is typed for the tests to come is kept the same way.
        Edit(*window, "eOperator")->setText(high);
        window->close();
    }
    QCOMPARE(KeyText(path, "Options/LowThr"), low);
    QCOMPARE(KeyText(path, "Options/HighThr"), high);

    auto next = Start();
    QCOMPARE(Edit(*next, "EditLow")->text(), low);
    QCOMPARE(Edit(*next, "EditHigh")->text(), high);
    QCOMPARE(Edit(*next, "eOperator")->text(), high);
    // Closed again without a change, the file says the same.
    next->close();
    QCOMPARE(KeyText(path, "Options/LowThr"), low);
    QCOMPARE(KeyText(path, "Options/HighThr"), high);
}

void TestWindowConfig::storedTextsComeBackAsSaved_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved"); // by a start and a close without a change

    // Longer than a field takes by typing: shown and saved whole, not cut to the limit.
    QTest::newRow("long low threshold") << "LowThr"
                                        << "-12345.678901234567"
                                        << "-12345.678901234567";
    QTest::newRow("long high threshold") << "HighThr"
                                         << "123456789012345678901"
                                         << "123456789012345678901";
    QTest::newRow("port range inside") << "MaxPort"
                                       << "17"
                                       << "17";
    QTest::newRow("port range highest") << "MaxPort"
                                        << "255"
                                        << "255";
    // Outside 1..255 a stored range is the default, not the nearest end.
    QTest::newRow("port range above") << "MaxPort"
                                      << "300"
                                      << "4";
    QTest::newRow("port range zero") << "MaxPort"
                                     << "0"
                                     << "4";
    QTest::newRow("port range far above") << "MaxPort"
                                          << "1000"
                                          << "4";
    QTest::newRow("port range not a number") << "MaxPort"
                                             << "abc"
                                             << "4";
}

void TestWindowConfig::storedTextsComeBackAsSaved() {
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, saved);

    IsolatedProgram program;
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    const QString path = program.FilePath(QStringLiteral("config.xml"));
    {
        QFile config(path);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(
            QStringLiteral("<Config><Options><PortConfigured>Yes</PortConfigured><%1>%2</%1>"
                           "</Options></Config>")
                .arg(key, stored)
                .toUtf8());
    }
    {
        auto window = Start();
        if (key != QLatin1String("MaxPort"))
            QCOMPARE(Edit(*window, key == QLatin1String("LowThr") ? "EditLow" : "EditHigh")->text(),
                     stored);
        window->close();
    }
    QCOMPARE(KeyText(path, QStringLiteral("Options/") + key), saved);
}

// The connection dialog's retries of a lost link: what config.xml holds is in force at the
// start and written back at the close; a file of an earlier version has them on for ten
// minutes.
void TestWindowConfig::reconnectionComesBackAsSaved_data() {
    QTest::addColumn<QString>("interface"); // the Interface section's keys, as stored
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("an earlier version's file")
        << "<Kind>COM</Kind>" << true << 10
        << QStringList({"Interface/Reconnect=Yes", "Interface/ReconnectMinutes=10"});
    QTest::newRow("switched off")
        << "<Reconnect>No</Reconnect><ReconnectMinutes>3</ReconnectMinutes>" << false << 3
        << QStringList({"Interface/Reconnect=No", "Interface/ReconnectMinutes=3"});
    QTest::newRow("minutes the dialog does not offer")
        << "<Reconnect>Yes</Reconnect><ReconnectMinutes>0</ReconnectMinutes>" << true << 10
        << QStringList({"Interface/Reconnect=Yes", "Interface/ReconnectMinutes=10"});
}

void TestWindowConfig::reconnectionComesBackAsSaved() {
    QFETCH(QString, interface);
    QFETCH(bool, on);
    QFETCH(int, minutes);
    QFETCH(QStringList, saved);

    IsolatedProgram program;
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    const QString path = program.FilePath(QStringLiteral("config.xml"));
    {
        QFile config(path);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("<Config><Options><PortConfigured>Yes</PortConfigured>"
                                    "</Options><Interface>%1</Interface></Config>")
                         .arg(interface)
                         .toUtf8());
    }
    {
        auto window = Start();
        QCOMPARE(FirstGauge().ReconnectOnLoss, on);
        QCOMPARE(FirstGauge().ReconnectMinutes, minutes);
        window->close();
    }
    QStringList stored;
    for (const QString& key : KeysOf(path))
        if (key.startsWith(QLatin1String("Interface/Reconnect")))
            stored << key;
    QCOMPARE(stored, saved);
    QVERIFY(messages.Shown.isEmpty());
}

void TestWindowConfig::workingDirectoryChoosesTheConfig_data() {
    QTest::addColumn<bool>("configThere");
    QTest::newRow("config.xml in the other folder") << true;
    QTest::newRow("no config.xml in the other folder") << false;
}

void TestWindowConfig::workingDirectoryChoosesTheConfig() {
    QFETCH(bool, configThere);

    IsolatedProgram program;
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    // The program's folder holds both files, with values of its own.
    {
        QFile ini(program.FilePath(QStringLiteral("ComPort.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[ComPort1]\nPort=COM5\nBaudRate=9600\n");
        QFile config(program.FilePath(QStringLiteral("config.xml")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<Config><Options><LowThr>1</LowThr><HighThr>2</HighThr></Options></Config>");
    }
    const QByteArray programConfig = [&] {
        QFile config(program.FilePath(QStringLiteral("config.xml")));
        return config.open(QIODevice::ReadOnly) ? config.readAll() : QByteArray();
    }();

    QTemporaryDir other;
    QVERIFY(other.isValid());
    const QString otherConfig = QDir(other.path()).filePath(QStringLiteral("config.xml"));
    if (configThere) {
        QFile config(otherConfig);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<Settings><Options><LowThr>7,5</LowThr><HighThr>8</HighThr></Options>"
                     "<Extra>kept</Extra></Settings>");
    }
    QVERIFY(QDir::setCurrent(other.path()));
    {
        auto window = Start();
        QCOMPARE(Edit(*window, "EditLow")->text(),
                 configThere ? QStringLiteral("7,5") : QStringLiteral("99"));
        QCOMPARE(Edit(*window, "EditHigh")->text(),
                 configThere ? QStringLiteral("8") : QStringLiteral("101"));
        // The serial settings still come from the program's folder.
        QCOMPARE(window->ComPort1().Settings().Port, QStringLiteral("COM5"));
        Edit(*window, "EditLow")->setText(QStringLiteral("3"));
        window->close();
    }
    QCOMPARE(KeyText(otherConfig, "Options/LowThr"), QStringLiteral("3"));
    QCOMPARE(KeysOf(otherConfig).size(), 21);
    if (configThere) {
        QFile config(otherConfig);
        QVERIFY(config.open(QIODevice::ReadOnly));
        QVERIFY(config.readAll().contains("<Extra>kept</Extra>"));
    }
    // The program's own config.xml is left as it was; "ComPort.ini" is stored beside the
    // program, never in the working directory.
    QFile config(program.FilePath(QStringLiteral("config.xml")));
    QVERIFY(config.open(QIODevice::ReadOnly));
    QCOMPARE(config.readAll(), programConfig);
    QVERIFY(!QFile::exists(QDir(other.path()).filePath(QStringLiteral("ComPort.ini"))));
    QFile ini(program.FilePath(QStringLiteral("ComPort.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("COM5"));
}

QTEST_MAIN(TestWindowConfig)
#include "tst_windowconfig.moc"
