#pragma once

#include "recorder/RecorderOptions.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>

#include <memory>
#include <vector>

// Records several gauges at once, each by a child recorder of its own, since the program keeps
// its state of a gauge process-wide: relays their progress with the gauge in front, passes
// Ctrl+C and SIGTERM on, and ends with the highest of their exit codes once all have ended.
class RecorderGroup final : public QObject {
    Q_OBJECT

public:
    explicit RecorderGroup(RecorderOptions options, QObject* parent = nullptr);
    ~RecorderGroup() override;

    // Starts every child; Finished tells the exit code once the last has ended.
    void Start();
    // Ctrl+C or SIGTERM: every child is told in turn, and writes what it recorded.
    void RequestStop();

signals:
    void Finished(int exitCode);

private:
    struct Child {
        QProcess Process;
        QString Label;      // "[1 COM3]"
        QString Out;        // its file
        QByteArray Partial; // standard error after the last whole line
        bool Ended = false;
    };

    void Relay(Child& child, bool rest);
    void Ended(Child& child, int exitCode, const QString& reason);
    void Say(const QString& text) const;

    RecorderOptions m_options;
    std::vector<std::unique_ptr<Child>> m_children;
    int m_running = 0;
    int m_exitCode = RecorderExit::Done;
};
