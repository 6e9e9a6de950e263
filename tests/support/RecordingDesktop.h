#pragma once

#include "app/widgets/Desktop.h"

#include <QList>

// Records what the program asks the desktop to open; installed for the object's lifetime.
class RecordingDesktop final : public DesktopOpener {
public:
    RecordingDesktop()
        : m_previous(SetDesktopOpener(this)) {}
    ~RecordingDesktop() override { SetDesktopOpener(m_previous); }

    bool Open(const QUrl& url) override {
        Opened.append(url);
        return true;
    }

    QList<QUrl> Opened;

private:
    DesktopOpener* m_previous = nullptr;
};
