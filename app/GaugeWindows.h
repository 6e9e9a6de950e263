#pragma once

#include "storage/XMLConfig.h"

#include <QList>
#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class LanguageModules;
class TAboutForm;
class TMainForm;

// The main windows beyond the first, each serving a gauge of its own with its own exchange,
// link dialogs, runs and series; they close with the first window.
class GaugeWindows final : public QObject {
    Q_OBJECT

public:
    GaugeWindows(LanguageModules* languages, TAboutForm* about, QObject* parent = nullptr);
    ~GaugeWindows() override;

    // Opens and shows a further window. With a link it opens that link as the first window
    // opens its own; without one it looks for its gauge as a first start does.
    TMainForm& Open(const std::optional<WindowLink>& link = std::nullopt);
    // The further windows still open, in the order they were opened.
    QList<TMainForm*> Windows() const;
    // Their links, for config.xml.
    QList<WindowLink> Links() const;
    // How many of them have a run under way.
    int Running() const;
    // Closes each of them as its close box would: what a run under way measured is kept.
    void CloseAll();

private:
    struct Entry;
    void Forget(const TMainForm* window);

    LanguageModules* m_languages = nullptr;
    TAboutForm* m_about = nullptr;
    std::vector<std::unique_ptr<Entry>> m_entries;
    // Numbers shown in the titles: the first window is 1, the next opened 2, and so on.
    int m_lastNumber = 1;
};
