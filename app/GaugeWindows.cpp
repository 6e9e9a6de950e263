#include "app/GaugeWindows.h"

#include "app/MainForm.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"

#include <QTimer>

#include <algorithm>

// A further window with the dialogs it alone uses; the connection dialog goes before the
// window and the scan dialog after it, as with the first window.
struct GaugeWindows::Entry {
    std::unique_ptr<TAutoKonfForm> AutoKonf;
    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<TConnectionForm> Connection;
};

GaugeWindows::GaugeWindows(LanguageModules* languages, TAboutForm* about, QObject* parent)
    : QObject(parent)
    , m_languages(languages)
    , m_about(about) {}

GaugeWindows::~GaugeWindows() {
    CloseAll();
}

TMainForm& GaugeWindows::Open(const std::optional<WindowLink>& link) {
    auto entry = std::make_unique<Entry>();
    entry->AutoKonf = std::make_unique<TAutoKonfForm>();
    entry->Main = std::make_unique<TMainForm>(TMainForm::WindowRole::Further, nullptr);
    entry->Connection = std::make_unique<TConnectionForm>();
    TMainForm& window = *entry->Main;
    window.SetLanguages(m_languages);
    window.SetDialogs(entry->AutoKonf.get(), entry->Connection.get(), m_about);
    window.SetWindows(this, ++m_lastNumber);
    if (link)
        window.UseLink(*link);
    // The window is destroyed once its close has returned.
    connect(&window, &TMainForm::Closed, this, [this, closed = &window] {
        QTimer::singleShot(0, this, [this, closed] { Forget(closed); });
    });
    m_entries.push_back(std::move(entry));
    window.show();
    return window;
}

QList<TMainForm*> GaugeWindows::Windows() const {
    QList<TMainForm*> windows;
    for (const auto& entry : m_entries)
        if (!entry->Main->IsClosed())
            windows << entry->Main.get();
    return windows;
}

QList<WindowLink> GaugeWindows::Links() const {
    QList<WindowLink> links;
    for (TMainForm* window : Windows())
        links << window->Link();
    return links;
}

int GaugeWindows::Running() const {
    const QList<TMainForm*> windows = Windows();
    return int(std::count_if(windows.begin(), windows.end(),
                             [](TMainForm* window) { return window->RunUnderWay(); }));
}

void GaugeWindows::CloseAll() {
    for (TMainForm* window : Windows())
        window->close();
    m_entries.clear();
}

void GaugeWindows::Forget(const TMainForm* window) {
    const auto at = std::find_if(m_entries.begin(), m_entries.end(), [window](const auto& entry) {
        return entry->Main.get() == window;
    });
    if (at == m_entries.end())
        return;
    m_entries.erase(at);
}
