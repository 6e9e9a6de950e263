// Help, About and the results folder from the main window's menu: F1 opens the help document
// of the language in use (through the desktop), About names the program in every language
// and opens the maker's site, and the folder chooser creates a missing folder only when asked.
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/dialogs/TAboutForm.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/LanguageModules.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedFileDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <utility>

namespace {

constexpr int Patience = 10000;

const QString HelpSource = QStringLiteral(ZFM_BINARY_DIR "/bin/help");

void CopyHelp(const QString& into, const QStringList& documents) {
    QDir().mkpath(into);
    for (const QString& document : documents)
        QVERIFY(QFile::copy(HelpSource + QLatin1Char('/') + document,
                            into + QLatin1Char('/') + document));
}

QString StoredConfigText(const QString& path, const char* key) {
    QFile file(path);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return QStringLiteral("<unreadable>");
    return document.documentElement()
        .firstChildElement(QStringLiteral("Options"))
        .firstChildElement(QLatin1String(key))
        .text();
}

QString HelpText(const QString& document) {
    QFile file(HelpSource + QLatin1Char('/') + document);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The chapters' anchors and numbers, in the order of the document.
QList<std::pair<QString, int>> Chapters(const QString& text) {
    static const QRegularExpression heading(QStringLiteral("<h2 id=\"([^\"]+)\">(\\d+)\\. "));
    QList<std::pair<QString, int>> chapters;
    for (const QRegularExpressionMatch& match : heading.globalMatch(text))
        chapters.append({match.captured(1), match.captured(2).toInt()});
    return chapters;
}

// All windows of the program in a folder of their own, in the chosen language.
struct Program {
    IsolatedProgram Folder;
    RecordingMessages Messages;
    RecordingDesktop Desktop;
    ScriptedFileDialogs Dialogs;
    ApplicationWindows Windows;

    explicit Program(int language) {
        FirstGauge() = GaugeState{};
        TheProgram = ProgramState{};
        Windows = CreateWindows();
        Windows.Languages->SetLanguage(language);
    }
    QAction* Item(const char* name) const {
        return Windows.Main->findChild<QAction*>(QLatin1String(name));
    }
};

} // namespace

class TestHelpAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitialiseApplication(); }
    void helpOpensTheDocumentOfTheLanguage_data();
    void helpOpensTheDocumentOfTheLanguage();
    void helpDocumentsAreComplete_data();
    void helpDocumentsAreComplete();
    void aboutNamesTheProgramInEveryLanguage_data();
    void aboutNamesTheProgramInEveryLanguage();
    void resultsFolderChooser_data();
    void resultsFolderChooser();
    void folderChooserTakesATypedNewFolder();
};

void TestHelpAbout::helpOpensTheDocumentOfTheLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("opened"); // empty: nothing is asked of the desktop

    const QStringList all{"ZENTO_FM.htm", "ZENTO_FM_en.htm", "ZENTO_FM_de.htm"};
    QTest::newRow("polish") << LanguageModules::Polish << all << "ZENTO_FM.htm";
    QTest::newRow("english") << LanguageModules::English << all << "ZENTO_FM_en.htm";
    QTest::newRow("german") << LanguageModules::German << all << "ZENTO_FM_de.htm";
    QTest::newRow("no help folder") << LanguageModules::English << QStringList{} << "";
    QTest::newRow("the language's document missing")
        << LanguageModules::German << QStringList{"ZENTO_FM.htm", "ZENTO_FM_en.htm"} << "";
}

void TestHelpAbout::helpOpensTheDocumentOfTheLanguage() {
    QFETCH(int, language);
    QFETCH(QStringList, present);
    QFETCH(QString, opened);

    Program program(language);
    if (!present.isEmpty())
        CopyHelp(program.Folder.FilePath(QStringLiteral("help")), present);
    QAction* help = program.Item("Help1");
    QCOMPARE(help->shortcut(), QKeySequence(Qt::Key_F1));
    help->trigger();
    QCOMPARE(program.Desktop.Opened.size(), opened.isEmpty() ? 0 : 1);
    if (!opened.isEmpty()) {
        const QUrl url = program.Desktop.Opened.constFirst();
        QVERIFY(url.isLocalFile());
        QCOMPARE(QFileInfo(url.toLocalFile()).canonicalFilePath(),
                 QFileInfo(program.Folder.FilePath(QStringLiteral("help/") + opened))
                     .canonicalFilePath());
    }
    QVERIFY(program.Messages.Shown.isEmpty());
}

void TestHelpAbout::helpDocumentsAreComplete_data() {
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("language");
    QTest::newRow("polish") << "ZENTO_FM.htm"
                            << "pl";
    QTest::newRow("english") << "ZENTO_FM_en.htm"
                             << "en";
    QTest::newRow("german") << "ZENTO_FM_de.htm"
                            << "de";
}

// Each document is whole in itself and covers every part of the program it explains.
void TestHelpAbout::helpDocumentsAreComplete() {
    QFETCH(QString, document);
    QFETCH(QString, language);

    const QString text = HelpText(document);
    QVERIFY(!text.isEmpty());
    QVERIFY(text.contains(QStringLiteral("<html lang=\"%1\">").arg(language)));
    QVERIFY(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(text.trimmed().endsWith(QStringLiteral("</html>")));
    // Nothing is fetched from elsewhere.
    QVERIFY(!text.contains(QStringLiteral("http://")));
    QVERIFY(!text.contains(QStringLiteral("https://")));
    QVERIFY(!text.contains(QStringLiteral("<link")));
    QVERIFY(!text.contains(QStringLiteral("<script")));
    // Every link inside the document has its target.
    static const QRegularExpression anchor(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (const QRegularExpressionMatch& match : anchor.globalMatch(text)) {
        ++links;
        QVERIFY2(text.contains(QStringLiteral("id=\"%1\"").arg(match.captured(1))),
                 qPrintable(match.captured(1)));
    }
    QVERIFY(links >= 13);
    // The chapters are numbered 1, 2, … in the order the contents list them, and every language
    // has as many as the Polish document.
    const QList<std::pair<QString, int>> chapters = Chapters(text);
    const qsizetype navStart = text.indexOf(QStringLiteral("<nav>"));
    const QString contents = text.mid(navStart, text.indexOf(QStringLiteral("</nav>")) - navStart);
    QStringList listed;
    for (const QRegularExpressionMatch& match : anchor.globalMatch(contents))
        listed << match.captured(1);
    QCOMPARE(listed.size(), chapters.size());
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        QCOMPARE(chapters[i].second, int(i) + 1);
        QCOMPARE(listed[i], chapters[i].first);
    }
    QCOMPARE(chapters.size(), Chapters(HelpText(QStringLiteral("ZENTO_FM.htm"))).size());
    // Every picture is installed beside the document and says in words what it shows.
    static const QRegularExpression image(QStringLiteral("<img\\s[^>]*>"));
    static const QRegularExpression source(QStringLiteral("src=\"([^\"]+)\""));
    static const QRegularExpression alt(QStringLiteral("alt=\"[^\"]+\""));
    int images = 0;
    for (const QRegularExpressionMatch& match : image.globalMatch(text)) {
        ++images;
        const QString tag = match.captured(0);
        const QString picture = source.match(tag).captured(1);
        QVERIFY2(!picture.isEmpty() && QFileInfo(HelpSource + QLatin1Char('/') + picture).isFile(),
                 qPrintable(tag));
        QVERIFY2(alt.match(tag).hasMatch(), qPrintable(tag));
    }
    QVERIFY(images >= 1);
    for (const char* topic :
         {"COM1", "config.xml", "ComPort.ini", "fcf.dat", "soffice --calc", "ZENTO_FM_OFFICE_URL",
          "zento-fm.SKY", "zento-fm.ENP", "zento-fm.DEU", "F1", "PEAK", "EEPROM", "wyniki od",
          "results.sqlite", "XDG_DATA_HOME", "PostgreSQL", "RFC 4180"})
        QVERIFY2(text.contains(QLatin1String(topic)), topic);
}

void TestHelpAbout::aboutNamesTheProgramInEveryLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::newRow("polish") << LanguageModules::Polish << "Informacja o programie";
    QTest::newRow("english") << LanguageModules::English << "About the program";
    QTest::newRow("german") << LanguageModules::German << "Über das Programm";
}

void TestHelpAbout::aboutNamesTheProgramInEveryLanguage() {
    QFETCH(int, language);
    QFETCH(QString, caption);

    Program program(language);
    TAboutForm& about = *program.Windows.About;
    auto* name = about.findChild<QLabel*>(QStringLiteral("LabelProgramName"));
    // Shown once, then the language changes again before it is shown the next time.
    about.show();
    QCOMPARE(name->text(), QStringLiteral("JRV-FG v2.14"));
    about.hide();
    program.Windows.Languages->SetLanguage(LanguageModules::English);
    program.Windows.Languages->SetLanguage(language);
    about.show();
    QCOMPARE(about.windowTitle(), caption);
    QCOMPARE(name->text(), QStringLiteral("JRV-FG v2.14"));

    // The web address opens in the browser; the e-mail label only looks like a link.
    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
    QVERIFY(program.Desktop.Opened.isEmpty());
    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label2")), Qt::LeftButton);
    QCOMPARE(program.Desktop.Opened, QList<QUrl>{QUrl(QLatin1String(TAboutForm::WebAddress))});
    about.hide();
}

void TestHelpAbout::resultsFolderChooser_data() {
    QTest::addColumn<QStringList>("answers"); // folders chosen, "" = cancel
    QTest::addColumn<bool>("yes");            // the answer to the creation question
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("stored"); // "" = unchanged
    QTest::addColumn<QStringList>("starts");

    QTest::newRow("existing folder, no question")
        << QStringList{"@/existing"} << true << 0 << "@/existing" << QStringList{"@start"};
    QTest::newRow("new folder, yes creates it")
        << QStringList{"@/new/deeper"} << true << 1 << "@/new/deeper" << QStringList{"@start"};
    QTest::newRow("new folder, no returns to the chooser")
        << QStringList{"@/declined", ""} << false << 1 << "" << QStringList{"@start", "@/declined"};
    QTest::newRow("no, then an existing folder")
        << QStringList{"@/declined", "@/existing"} << false << 1 << "@/existing"
        << QStringList{"@start", "@/declined"};
    QTest::newRow("cancel") << QStringList{""} << true << 0 << "" << QStringList{"@start"};
    QTest::newRow("a folder that cannot be made") << QStringList{"@/afile/inside", ""} << true << 1
                                                  << "" << QStringList{"@start", "@/afile/inside"};
}

void TestHelpAbout::resultsFolderChooser() {
    QFETCH(QStringList, answers);
    QFETCH(bool, yes);
    QFETCH(int, questions);
    QFETCH(QString, stored);
    QFETCH(QStringList, starts);

    Program program(LanguageModules::English);
    const QString root = program.Folder.Dir();
    const QString start = root + QStringLiteral("/start");
    QDir(root).mkpath(QStringLiteral("existing"));
    QDir(root).mkpath(QStringLiteral("start"));
    {
        QFile blocker(root + QStringLiteral("/afile"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const auto expand = [&](QString path) {
        path.replace(QStringLiteral("@start"), start);
        path.replace(QLatin1Char('@'), root);
        return path;
    };
    TheProgram.DataDirectory = start;
    for (const QString& answer : answers)
        program.Dialogs.FolderAnswers << expand(answer);
    program.Messages.AnswerYes = yes;

    program.Item("Folderpomiarw1")->trigger();

    QStringList shownStarts;
    for (const FileDialogRequest& request : program.Dialogs.Requests)
        shownStarts << request.StartFolder;
    QStringList expectedStarts;
    for (const QString& path : starts)
        expectedStarts << expand(path);
    QCOMPARE(shownStarts, expectedStarts);
    int asked = 0;
    for (const MessageRequest& message : program.Messages.Shown)
        asked +=
            message.Text == QStringLiteral("The specified directory does not exist. Create it?");
    QCOMPARE(asked, questions);
    const QString expected = stored.isEmpty() ? start : expand(stored);
    QCOMPARE(TheProgram.DataDirectory, QDir::toNativeSeparators(expected));
    if (!stored.isEmpty())
        QVERIFY(QFileInfo(expected).isDir());
    QVERIFY(!QFileInfo::exists(root + QStringLiteral("/declined")));

    // The choice reaches config.xml at the close.
    program.Windows.Main->close();
    QCOMPARE(
        StoredConfigText(program.Folder.FilePath(QStringLiteral("config.xml")), "DataDirectory"),
        QDir::toNativeSeparators(expected));
}

// The program's own chooser lets the user type a folder that is not there yet; the question
// whether to create it is the program's.
void TestHelpAbout::folderChooserTakesATypedNewFolder() {
    QTemporaryDir root;
    const QString typed = root.filePath(QStringLiteral("not-yet"));
    QString seen;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!chooser)
            return;
        poll.stop();
        seen = chooser->directory().absolutePath();
        // Typed into the name field, as a user would; the folder is not there yet.
        auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name)
            name->setText(QFileInfo(typed).fileName());
        // accept() is a protected override; the slot is reached through the meta-object.
        QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
    });
    poll.start();
    // A chooser that refused the folder would stay open behind its complaint: both are closed
    // in turn, and the test fails instead of hanging.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    guard.start(Patience);
    const QString chosen = ChooseFolder({QString(), QString(), root.path()});
    QCOMPARE(seen, QDir(root.path()).absolutePath());
    QCOMPARE(QDir::cleanPath(chosen), QDir::cleanPath(typed));
    QVERIFY(!QFileInfo::exists(typed));
}

QTEST_MAIN(TestHelpAbout)
#include "tst_helpabout.moc"
