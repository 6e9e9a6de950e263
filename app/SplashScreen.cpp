#include "app/SplashScreen.h"

#include "app/widgets/Pictures.h"
#include "state/ProgramState.h"
#include "storage/LanguageModules.h"

#include <QCoreApplication>

#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>

TSplashScreenForm::TSplashScreenForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("SplashScreenForm"));
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(PictureSize);
    m_Image = new QLabel(this);
    m_Image->setObjectName(QStringLiteral("Image1"));
    m_Image->setGeometry(QRect(QPoint(0, 0), PictureSize));
    m_Image->setPixmap(Pictures::Render(QStringLiteral("splash"), PictureSize));

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(HandOverDelay);
    connect(m_Timer1, &QTimer::timeout, this, &TSplashScreenForm::Timer1Timer);

    m_TimerActivation = new QTimer(this);
    m_TimerActivation->setObjectName(QStringLiteral("TimerActivation"));
    m_TimerActivation->setInterval(ActivationDelayAtCreation);
    connect(m_TimerActivation, &QTimer::timeout, this, &TSplashScreenForm::TimerActivationTimer);
}

bool TSplashScreenForm::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TSplashScreenForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
    m_activatedSinceShow = false;
    // Counted from the showing, not from the creation: building the other windows may take
    // longer than the delay on a slow start.
    if (!m_handedOver && !m_Timer1->isActive())
        m_Timer1->start();
    // A platform that never activates the window must not keep the language from loading.
    QTimer::singleShot(ActivationGrace, this, [this] {
        if (!m_activatedSinceShow && isVisible())
            FormActivate();
    });
}

// Once per showing: a late activation by the window manager after the fallback, or a return
// to the splash, does not load the language again.
void TSplashScreenForm::FormActivate() {
    if (m_activatedSinceShow)
        return;
    m_activatedSinceShow = true;
    m_TimerActivation->setInterval(ActivationDelay);
    m_TimerActivation->start();
}

void TSplashScreenForm::TimerActivationTimer() {
    m_TimerActivation->stop();
    m_languageStepDone = true;
    SetLanguage(TheProgram.LanguageId);
}

void TSplashScreenForm::Timer1Timer() {
    m_Timer1->setInterval(0);
    m_Timer1->stop();
    // The language step always comes before the main window, also when the platform has not
    // activated the splash by now.
    if (!m_languageStepDone) {
        m_TimerActivation->stop();
        m_languageStepDone = true;
        if (!SetLanguage(TheProgram.LanguageId))
            return;
    }
    m_handedOver = true;
    hide();
    if (m_mainWindow)
        m_mainWindow->show();
}

bool TSplashScreenForm::SetLanguage(std::int32_t languageId) {
    if (!m_languages)
        return true;
    // The failure messages wait for the user; the hand-over must not show the main window
    // behind them, so its timer pauses meanwhile.
    const bool handOverPending = m_Timer1->isActive();
    const int remaining = m_Timer1->remainingTime();
    m_Timer1->stop();
    if (!m_languages->SetLanguage(languageId)) {
        // No language at all: the program ends here, without saving its configuration.
        QCoreApplication::exit(1);
        return false;
    }
    if (handOverPending)
        m_Timer1->start(std::max(0, remaining));
    return true;
}
