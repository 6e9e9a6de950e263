#include "app/widgets/ProgressWindow.h"

#include <QProgressBar>
#include <QProgressDialog>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

ProgressWindow::Watcher& CurrentWatcher() {
    static ProgressWindow::Watcher watcher;
    return watcher;
}

} // namespace

ProgressWindow::ProgressWindow(const QString& name, const QString& title, const QString& label,
                               Modality modality, QWidget* window)
    : QObject(window)
    , m_window(window)
    , m_title(title)
    , m_label(label)
    , m_modality(modality) {
    setObjectName(name);
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(ShowDelay);
    connect(&m_showTimer, &QTimer::timeout, this, &ProgressWindow::ShowDialog);
    m_showTimer.start();
    m_refreshTimer.setInterval(RefreshInterval);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ProgressWindow::Refresh);
    m_refreshTimer.start();
    if (const Watcher& watcher = CurrentWatcher())
        watcher(*this);
}

ProgressWindow::~ProgressWindow() {
    if (m_thread) {
        m_progress->Cancel();
        m_thread->wait();
        delete m_thread;
    }
    CloseDialog();
}

ProgressWindow::Watcher ProgressWindow::SetWatcher(Watcher watcher) {
    return std::exchange(CurrentWatcher(), std::move(watcher));
}

void ProgressWindow::Run(std::function<void(WorkProgress&)> work, std::function<void()> finished) {
    if (m_thread)
        return;
    m_finished = std::move(finished);
    // The thread holds the progress itself, so that it never outlives what it reports into.
    m_thread = QThread::create([this, work = std::move(work), progress = m_progress] {
        // Work that throws (memory ran out) ends as if it had returned, without its results:
        // the window must not wait for it for ever.
        try {
            work(*progress);
        } catch (...) {
        }
        QMetaObject::invokeMethod(this, &ProgressWindow::WorkReturned, Qt::QueuedConnection);
    });
    m_thread->setObjectName(objectName());
    m_thread->start();
}

void ProgressWindow::WorkReturned() {
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    // Taken out first: `finished` may dismiss this object.
    if (const std::function<void()> finished = std::exchange(m_finished, {}))
        finished();
}

void ProgressWindow::Dismiss() {
    m_showTimer.stop();
    m_refreshTimer.stop();
    CloseDialog();
    deleteLater();
}

void ProgressWindow::SetLabel(const QString& text) {
    m_label = text;
    if (m_dialog)
        m_dialog->setLabelText(text);
}

void ProgressWindow::Cancel() {
    if (m_progress->Canceled())
        return;
    m_progress->Cancel();
    m_showTimer.stop();
    CloseDialog();
    emit CancelRequested();
}

void ProgressWindow::ShowDialog() {
    if (m_dialog || m_progress->Canceled())
        return;
    m_dialog = new QProgressDialog(m_label, tr("Anuluj"), 0, 0, m_window);
    m_dialog->setObjectName(objectName());
    m_dialog->setWindowTitle(m_title);
    // The bar is set here rather than through the dialog's setValue, which runs the event
    // loop from inside a modal dialog.
    m_bar = new QProgressBar;
    m_dialog->setBar(m_bar);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    if (m_modality == Modality::BlocksWindow)
        m_dialog->setWindowModality(Qt::WindowModal);
    connect(m_dialog, &QProgressDialog::canceled, this, &ProgressWindow::Cancel);
    Refresh();
    m_dialog->show();
}

void ProgressWindow::Refresh() {
    if (m_bar) {
        const qint64 total = m_progress->Total();
        if (total <= 0) {
            m_bar->setRange(0, 0);
        } else {
            m_bar->setRange(0, BarSteps);
            const qint64 done = std::clamp<qint64>(m_progress->Done(), 0, total);
            m_bar->setValue(int(double(done) / double(total) * BarSteps));
        }
    }
    emit Refreshed();
}

void ProgressWindow::CloseDialog() {
    if (!m_dialog)
        return;
    m_dialog->disconnect(this);
    // Hidden at once, so that a modal one blocks the window no longer; deleted once its own
    // Cancel, which may have called here, has returned.
    m_dialog->hide();
    m_dialog->deleteLater();
    m_dialog = nullptr;
}
