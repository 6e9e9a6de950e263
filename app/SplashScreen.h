#pragma once

#include <QDialog>

#include <chrono>
#include <cstdint>

class LanguageModules;
class QLabel;
class QTimer;

// The splash screen: the first window, shown while the program starts; it loads the
// interface language and, a second after it is shown, hands over to the main window.
class TSplashScreenForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds HandOverDelay{1000};
    static constexpr std::chrono::milliseconds ActivationDelayAtCreation{2000};
    static constexpr std::chrono::milliseconds ActivationDelay{1};
    static constexpr QSize PictureSize{490, 345};
    // How long the shown splash waits for the platform to activate it.
    static constexpr std::chrono::milliseconds ActivationGrace{100};

    explicit TSplashScreenForm(QWidget* parent = nullptr);

    // The window shown at the hand-over (not owned).
    void SetMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }
    // The language modules the start-up language is loaded from (not owned).
    void SetLanguages(LanguageModules* languages) { m_languages = languages; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The splash cannot be dismissed with Escape.
    void reject() override {}

private:
    void FormActivate();
    void TimerActivationTimer();
    void Timer1Timer();
    // Loads the interface language (falling back once); ends the program when none loads
    // (and says so by returning false).
    bool SetLanguage(std::int32_t languageId);

    QLabel* m_Image = nullptr;
    QTimer* m_Timer1 = nullptr;
    QTimer* m_TimerActivation = nullptr;
    QWidget* m_mainWindow = nullptr;
    LanguageModules* m_languages = nullptr;
    bool m_activatedSinceShow = false;
    bool m_languageStepDone = false;
    bool m_handedOver = false;
};
