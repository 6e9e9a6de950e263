// Finding and loading the language modules, with the fallback and its built-in messages.
#include "state/AppPaths.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/LanguageModules.h"
#include "tests/support/RecordingMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A folder holding a copy of the executable's name and the chosen module files.
struct ProgramFolder {
    QTemporaryDir Dir;
    explicit ProgramFolder(const QString& exeName = QStringLiteral("zento-fm")) {
        AppPaths::SetExecutablePathOverride(Dir.filePath(exeName));
    }
    ~ProgramFolder() { AppPaths::SetExecutablePathOverride(QString()); }
    void Add(const QString& builtModule, const QString& name) const {
        QVERIFY(
            QFile::copy(QStringLiteral(ZFM_BINARY_DIR "/bin/") + builtModule, Dir.filePath(name)));
    }
};

const QString EnglishFailed = QStringLiteral("Cannot load english language.");
const QString GermanFailed = QStringLiteral("Deutsche");
const QString PolishFailed = QStringLiteral("Nie można załadować języka polskiego.");

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FirstGauge() = GaugeState{};
        TheProgram = ProgramState{};
    }
    void fallbackChain_data();
    void fallbackChain();
    void moduleNameIgnoresDotsInFolders();
};

void TestLanguages::fallbackChain_data() {
    QTest::addColumn<QStringList>("files"); // "built=name"
    QTest::addColumn<int>("requested");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("messages");

    const QStringList all{"zento-fm.SKY=zento-fm.SKY", "zento-fm.ENP=zento-fm.ENP",
                          "zento-fm.DEU=zento-fm.DEU"};
    QTest::newRow("english") << all << 13321 << true << 13321 << QStringList{};
    QTest::newRow("german") << all << 1031 << true << 1031 << QStringList{};
    QTest::newRow("polish") << all << 1051 << true << 1051 << QStringList{};
    QTest::newRow("1045 means english") << all << 1045 << true << 13321 << QStringList{};
    QTest::newRow("2057 means english") << all << 2057 << true << 13321 << QStringList{};
    QTest::newRow("no module at all")
        << QStringList{} << 13321 << false << 0 << QStringList{EnglishFailed, GermanFailed};
    QTest::newRow("only german, english asked") << QStringList{"zento-fm.DEU=zento-fm.DEU"} << 13321
                                                << true << 1031 << QStringList{EnglishFailed};
    QTest::newRow("polish missing falls back to german")
        << QStringList{"zento-fm.DEU=zento-fm.DEU", "zento-fm.ENP=zento-fm.ENP"} << 1051 << true
        << 1031 << QStringList{PolishFailed};
    QTest::newRow("german missing falls back to english")
        << QStringList{"zento-fm.ENP=zento-fm.ENP"} << 1031 << true << 13321
        << QStringList{GermanFailed};
    QTest::newRow("two-letter names")
        << QStringList{"zento-fm.SKY=zento-fm.SK", "zento-fm.ENP=zento-fm.EN",
                       "zento-fm.DEU=zento-fm.DE"}
        << 1051 << true << 1051 << QStringList{};
    QTest::newRow("a damaged three-letter module gives way to the two-letter one")
        << QStringList{"zento-fm=zento-fm.ENP", "zento-fm.ENP=zento-fm.EN"} << 13321 << true
        << 13321 << QStringList{};
    QTest::newRow("a module that is not a translation")
        << QStringList{"zento-fm=zento-fm.ENP", "zento-fm.DEU=zento-fm.DEU"} << 13321 << true
        << 1031 << QStringList{EnglishFailed};
}

void TestLanguages::fallbackChain() {
    QFETCH(QStringList, files);
    QFETCH(int, requested);
    QFETCH(bool, loaded);
    QFETCH(int, language);
    QFETCH(QStringList, messages);

    ProgramFolder folder;
    for (const QString& file : files) {
        const QStringList parts = file.split(QLatin1Char('='));
        folder.Add(parts.at(0), parts.at(1));
    }
    RecordingMessages shown;
    LanguageModules modules;
    QCOMPARE(modules.SetLanguage(requested), loaded);
    QCOMPARE(TheProgram.LanguageId, language);
    QCOMPARE(shown.Texts(), messages);
    for (const MessageRequest& message : shown.Shown)
        QCOMPARE(message.Icon, MessageIcon::Error);
}

void TestLanguages::moduleNameIgnoresDotsInFolders() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("zento.fm-2.14")));
    AppPaths::SetExecutablePathOverride(dir.filePath(QStringLiteral("zento.fm-2.14/zento-fm")));
    QCOMPARE(LanguageModules::ModuleStem(), QStringLiteral("zento-fm"));
    AppPaths::SetExecutablePathOverride(dir.filePath(QStringLiteral("zento.fm-2.14/zento-fm.exe")));
    QCOMPARE(LanguageModules::ModuleStem(), QStringLiteral("zento-fm"));
    QVERIFY(QFile::copy(QStringLiteral(ZFM_BINARY_DIR "/bin/zento-fm.DEU"),
                        dir.filePath(QStringLiteral("zento.fm-2.14/zento-fm.DEU"))));
    QVERIFY(LanguageModules::FindModule(LanguageModules::German).endsWith("/zento-fm.DEU"));
    QVERIFY(LanguageModules::FindModule(LanguageModules::English).isEmpty());
    AppPaths::SetExecutablePathOverride(QString());
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
