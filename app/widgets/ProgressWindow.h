#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

class QProgressBar;
class QProgressDialog;
class QThread;
class QWidget;

// What a worker thread and the window showing its progress share: how far the work has come
// and whether the user asked it to stop. Safe from any thread.
class WorkProgress final {
public:
    void Report(qint64 done, qint64 total) {
        m_total.store(total);
        m_done.store(done);
    }
    // Reports, then tells whether to go on: the shape of the progress callbacks below.
    bool Advance(qint64 done, qint64 total) {
        Report(done, total);
        return !Canceled();
    }
    void Cancel() { m_canceled.store(true); }
    bool Canceled() const { return m_canceled.load(); }
    qint64 Done() const { return m_done.load(); }
    qint64 Total() const { return m_total.load(); }

private:
    std::atomic<qint64> m_done{0};
    std::atomic<qint64> m_total{0};
    std::atomic_bool m_canceled{false};
};

// The window of a long piece of work: nothing for work that ends within ShowDelay, then a
// progress dialog whose bar follows the WorkProgress (to and fro while no total is known) and
// whose Cancel the work learns from it. Run() does the work on a thread of its own and brings
// its end back to this object's thread; work done here (a download read as it comes) reports
// into Progress() itself.
class ProgressWindow final : public QObject {
    Q_OBJECT

public:
    // Whether the window behind the dialog takes no input while the dialog shows: work on the
    // window's own data must not see it changed meanwhile.
    enum class Modality { Free, BlocksWindow };

    static constexpr std::chrono::milliseconds ShowDelay{400};
    static constexpr std::chrono::milliseconds RefreshInterval{100};
    static constexpr int BarSteps = 1000;

    // The dialog (named `name`, as this object is) belongs to `window`.
    ProgressWindow(const QString& name, const QString& title, const QString& label,
                   Modality modality, QWidget* window);
    // Work still running is given up and waited for; its end is not reported.
    ~ProgressWindow() override;

    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    WorkProgress& Progress() { return *m_progress; }

    // Runs `work` on a thread of its own; `finished` runs on this object's thread once the work
    // has returned, unless this object has gone first. Once per object. The dialog stays until
    // Dismiss, so that the owner may finish more of the work under it.
    void Run(std::function<void(WorkProgress&)> work, std::function<void()> finished);
    bool Running() const { return m_thread != nullptr; }
    // Closes the dialog now (before any message about the work's end) and lets this object go
    // once control is back in the event loop.
    void Dismiss();

    void SetLabel(const QString& text);
    // What the dialog's Cancel does; also before the dialog shows.
    void Cancel();
    bool Canceled() const { return m_progress->Canceled(); }
    // The dialog once it shows; nullptr before.
    QProgressDialog* Dialog() const { return m_dialog; }

    // Tests see every window as it is made (and may give its work up at once); returns the
    // watcher it replaces. Without one, nothing is told.
    using Watcher = std::function<void(ProgressWindow&)>;
    static Watcher SetWatcher(Watcher watcher);

signals:
    // Cancel was pressed (once).
    void CancelRequested();
    // At every refresh of the bar: work done on this thread looks here whether it has ended.
    void Refreshed();

private:
    void ShowDialog();
    void Refresh();
    void WorkReturned();
    void CloseDialog();

    QPointer<QWidget> m_window;
    QString m_title;
    QString m_label;
    Modality m_modality = Modality::Free;
    std::shared_ptr<WorkProgress> m_progress = std::make_shared<WorkProgress>();
    QTimer m_showTimer;
    QTimer m_refreshTimer;
    QPointer<QProgressDialog> m_dialog;
    QPointer<QProgressBar> m_bar;
    QThread* m_thread = nullptr;
    std::function<void()> m_finished;
};
