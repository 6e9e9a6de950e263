#pragma once

#include <QString>
#include <QUrl>

// The desktop's "open" action (a document with its default application, a web address in
// the browser), behind one seam so that tests see the request instead of a browser.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    virtual bool Open(const QUrl& url) = 0;
};

// Asks the desktop to open the file or address; the result is the desktop's answer.
bool OpenWithDesktop(const QUrl& url);

// Replaces the opener (not owned) and returns the one it replaces; nullptr goes back to the
// desktop itself.
DesktopOpener* SetDesktopOpener(DesktopOpener* opener);
