#include "storage/LanguageModules.h"

#include "state/AppPaths.h"
#include "state/Messages.h"
#include "state/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTranslator>

LanguageModules::LanguageModules(QObject* parent)
    : QObject(parent) {}

LanguageModules::~LanguageModules() {
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

QStringList LanguageModules::Extensions(int languageId) {
    switch (languageId) {
    case German:
        return {QStringLiteral("DEU"), QStringLiteral("DE")};
    case Polish:
        return {QStringLiteral("SKY"), QStringLiteral("SK")};
    case English:
        return {QStringLiteral("ENP"), QStringLiteral("EN")};
    default:
        return {};
    }
}

QString LanguageModules::ModuleStem() {
    // Only the file name counts: a dot in a folder name is not an extension.
    const QString name = QFileInfo(AppPaths::ExecutablePath()).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QStringList LanguageModules::ModuleCandidates(int languageId) {
    const QString stem = ModuleStem();
    QStringList paths;
    for (const QString& extension : Extensions(languageId)) {
        for (const QString& dir : AppPaths::SharedDataDirs()) {
            const QString path = QDir(dir).filePath(stem + QLatin1Char('.') + extension);
            if (QFileInfo(path).isFile())
                paths << path;
        }
    }
    return paths;
}

QString LanguageModules::FindModule(int languageId) {
    const QStringList paths = ModuleCandidates(languageId);
    return paths.isEmpty() ? QString() : paths.first();
}

bool LanguageModules::LoadLanguage(int languageId) {
    // A module that is there but unreadable or damaged gives way to the next name.
    QByteArray data;
    auto translator = std::make_unique<QTranslator>();
    bool found = false;
    for (const QString& path : ModuleCandidates(languageId)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        data = file.readAll();
        // Loaded from memory: the module is data only; the translator looks for no file itself.
        if (translator->load(reinterpret_cast<const uchar*>(data.constData()), int(data.size()))) {
            found = true;
            break;
        }
    }
    if (!found)
        return false;
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    m_translator = std::move(translator);
    m_moduleData = std::move(data);
    QCoreApplication::installTranslator(m_translator.get());
    // The windows take their new texts now rather than at some later turn of the event loop:
    // a reply handled in between would compose its texts in the new language and compare
    // them with titles still in the old one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    m_current = languageId;
    TheProgram.LanguageId = languageId;
    emit LanguageChanged(languageId);
    return true;
}

void LanguageModules::ShowLanguageError(int languageId) {
    // Built into the program: these must be readable when no module can be loaded.
    switch (languageId) {
    case English:
        ShowMessage(QStringLiteral("Language file not found"),
                    QStringLiteral("Cannot load english language."), MessageIcon::Error);
        break;
    case German:
        ShowMessage(QStringLiteral("Achtung"), QStringLiteral("Deutsche"), MessageIcon::Error);
        break;
    default:
        ShowMessage(QStringLiteral("Brak pliku języka"),
                    QStringLiteral("Nie można załadować języka polskiego."), MessageIcon::Error);
        break;
    }
}

bool LanguageModules::SetLanguage(int languageId) {
    if (languageId != German && languageId != Polish && languageId != English)
        languageId = English;
    if (LoadLanguage(languageId))
        return true;
    ShowLanguageError(languageId);
    const int fallback = languageId == German ? English : German;
    if (LoadLanguage(fallback))
        return true;
    ShowLanguageError(fallback);
    return false;
}
