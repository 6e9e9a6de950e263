#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;

// The language modules: one translation file per language beside the executable (or in the
// installed data folder), named after the executable with the language's extension. The
// program always runs from a module, Polish included.
class LanguageModules final : public QObject {
    Q_OBJECT

public:
    static constexpr int German = 1031;
    static constexpr int Polish = 1051;
    static constexpr int English = 13321;

    explicit LanguageModules(QObject* parent = nullptr);
    ~LanguageModules() override;

    // Module file extensions tried for a language: three letters, then two.
    static QStringList Extensions(int languageId);
    // The executable's file name without its extension: the stem of every module name.
    static QString ModuleStem();
    // Full path of the module for the language, or empty when none is found.
    static QString FindModule(int languageId);
    // Every module file of the language there is, in the order they are tried.
    static QStringList ModuleCandidates(int languageId);

    // Loads the module and makes it the current source of texts (every window receives a
    // language change); on success LanguageId becomes the id. Nothing changes on failure.
    bool LoadLanguage(int languageId);
    // Applies a language with one fallback, showing the built-in message of each language
    // that fails. Returns false when neither could be loaded: the program must end.
    bool SetLanguage(int languageId);
    static void ShowLanguageError(int languageId);

    int CurrentLanguage() const { return m_current; }

signals:
    void LanguageChanged(int languageId);

private:
    std::unique_ptr<QTranslator> m_translator;
    QByteArray m_moduleData; // the translator reads from it for as long as it is installed
    int m_current = 0;
};
